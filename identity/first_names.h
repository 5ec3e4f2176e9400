// The first names the persona knows, with their sex.
#ifndef VELK_IDENTITY_FIRST_NAMES_H_
#define VELK_IDENTITY_FIRST_NAMES_H_

#include <string>

#include "engine/conversation_state.h"

namespace velk {

// Whether `word` is a known first name. Sets NameGender on every call ("M",
// "F" or empty). On success re-cases `word` in place: first character upper
// case, the rest lower case.
bool LookupFirstName(ConversationState& state, std::string& word);

}  // namespace velk

#endif  // VELK_IDENTITY_FIRST_NAMES_H_
