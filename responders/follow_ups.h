// Reading the user's sentence as an answer to the bot's last question.
#ifndef VELK_RESPONDERS_FOLLOW_UPS_H_
#define VELK_RESPONDERS_FOLLOW_UPS_H_

#include <string>

namespace velk {

class TurnContext;

// The IT IS and YOU ARE rules, then the block of LastContext. `sentence` is
// not changed.
void FollowUpContext(TurnContext& turn, const std::string& sentence);

}  // namespace velk

#endif  // VELK_RESPONDERS_FOLLOW_UPS_H_
