// The follow-ups to the bot's questions about the user's name, age and gender.
#ifndef VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_
#define VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_

#include <string>
#include <string_view>

#include "identity/name_capture.h"

namespace velk {

class TurnContext;

// Runs the block of LastContext when it is one of GETNAME, GETNAME2,
// GETNAME3, NOSAYNAME, TELLNAME, CHNGNAME, GETAGE and GETGENDER; returns
// whether it was. May change UserName, UserGender and UserAge; leaves
// `sentence` and LastContext unchanged.
bool FollowUpIdentity(TurnContext& turn, const std::string& sentence);

// The name ladder's answer in block `code` (GETNAME, GETNAME2, GETNAME3 or
// NOSAYNAME; any other code does nothing) to `result`, which CaptureName has
// just returned and whose own state changes are already made. Adds one
// candidate and may set a made-up UserName and UserGender. FollowUpIdentity
// calls it; it stands alone so that every result can be answered directly.
void AnswerNameResult(TurnContext& turn, std::string_view code, NameResult result);

}  // namespace velk

#endif  // VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_
