// Canned content: each picker returns one randomly chosen text, drawing once
// (plus the nested draw of an entry that calls PickMood). A picker whose entry
// carries a context code writes it into the slot the caller fills next.
#ifndef VELK_RESPONDERS_PICKERS_H_
#define VELK_RESPONDERS_PICKERS_H_

#include <string>

namespace velk {

class ReplyEngine;

std::string PickGreeting(ReplyEngine& engine);
std::string ReplyToNo(ReplyEngine& engine);
std::string ReplyToYes(ReplyEngine& engine);
std::string ReplyToThink(ReplyEngine& engine);
std::string ReplyToMe(ReplyEngine& engine);
std::string PickJoke(ReplyEngine& engine);
std::string PickMood(ReplyEngine& engine);
std::string PickFood(ReplyEngine& engine);
std::string PickCountry(ReplyEngine& engine);
std::string PickSize(ReplyEngine& engine);

}  // namespace velk

#endif  // VELK_RESPONDERS_PICKERS_H_
