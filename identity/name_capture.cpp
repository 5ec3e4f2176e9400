#include "identity/name_capture.h"

namespace velk {

NameResult CaptureName(ConversationState& state, std::string_view text) {
  (void)state;
  (void)text;
  return NameUnknown;
}

}  // namespace velk
