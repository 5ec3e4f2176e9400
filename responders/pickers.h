// Canned content: each picker returns one randomly chosen text, drawing once
// (plus the nested draw of an entry that calls PickMood). A picker whose entry
// carries a context code writes it into the slot the caller fills next.
#ifndef VELK_RESPONDERS_PICKERS_H_
#define VELK_RESPONDERS_PICKERS_H_

#include <string>

namespace velk {

class TurnContext;

std::string PickGreeting(TurnContext& turn);
std::string ReplyToNo(TurnContext& turn);
std::string ReplyToYes(TurnContext& turn);
std::string ReplyToThink(TurnContext& turn);
std::string ReplyToMe(TurnContext& turn);
std::string PickJoke(TurnContext& turn);
std::string PickMood(TurnContext& turn);
std::string PickFood(TurnContext& turn);
std::string PickCountry(TurnContext& turn);
std::string PickSize(TurnContext& turn);

}  // namespace velk

#endif  // VELK_RESPONDERS_PICKERS_H_
