#include "identity/first_names.h"

namespace velk {

bool LookupFirstName(ConversationState& state, std::string& word) {
  (void)word;
  state.NameGender.clear();
  return false;
}

}  // namespace velk
