// Which words of the user's sentence are worth remembering.
#ifndef VELK_RESPONDERS_CONTENT_WORDS_H_
#define VELK_RESPONDERS_CONTENT_WORDS_H_

#include <string_view>

#include "conversation/conversation_state.h"

namespace velk {

// False for the speakers' names, plain numbers, the four operators and the
// common words; true otherwise.
bool IsContentWord(const ConversationState& state, std::string_view word);

}  // namespace velk

#endif  // VELK_RESPONDERS_CONTENT_WORDS_H_
