// The follow-ups to the bot's questions about the user's name, age and gender.
#ifndef VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_
#define VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_

#include <string>

namespace velk {

class ReplyEngine;

// Runs the block of LastContext when it is one of GETNAME, GETNAME2,
// GETNAME3, NOSAYNAME, TELLNAME, CHNGNAME, GETAGE and GETGENDER; returns
// whether it was. May change UserName, UserGender and UserAge.
bool FollowUpIdentity(ReplyEngine& engine, const std::string& sentence);

}  // namespace velk

#endif  // VELK_RESPONDERS_IDENTITY_FOLLOW_UPS_H_
