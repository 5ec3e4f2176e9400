// Finding the user's first name in a sentence.
#ifndef VELK_IDENTITY_NAME_CAPTURE_H_
#define VELK_IDENTITY_NAME_CAPTURE_H_

#include <cstdint>
#include <string_view>

#include "conversation/conversation_state.h"

namespace velk {

// What name capture found.
enum NameResult : std::int16_t {
  NameUnknown = 0,   // nothing recognised
  NameCaptured = 1,  // UserName and UserGender set
  NameRefused = 2,   // no name given, or a refusal
  NameMine = 3,      // "MINE": the user asked back
  NameGuess = 4,     // "GUESS"
  NameRude = 5,      // a rude answer
};

// Looks for the user's first name in `text` (a swapped sentence) and stores
// it in UserName (trimmed, first letter upper case) with its gender in
// UserGender. A refusal phrase stores "BETTY"/"F" and "GUESS" stores
// "BOB"/"M"; every other result leaves both alone. NameGender is left as the
// call's last lookup set it. Adds no candidates.
NameResult CaptureName(ConversationState& state, std::string_view text);

}  // namespace velk

#endif  // VELK_IDENTITY_NAME_CAPTURE_H_
