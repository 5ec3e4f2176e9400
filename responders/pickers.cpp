#include "responders/pickers.h"

#include "engine/reply_engine.h"

namespace velk {

std::string PickGreeting(ReplyEngine& engine) {
  (void)engine;
  return "Hello.";
}
std::string ReplyToNo(ReplyEngine&) { return {}; }
std::string ReplyToYes(ReplyEngine&) { return {}; }
std::string ReplyToThink(ReplyEngine&) { return {}; }
std::string ReplyToMe(ReplyEngine&) { return {}; }
std::string PickJoke(ReplyEngine&) { return {}; }
std::string PickMood(ReplyEngine&) { return {}; }
std::string PickFood(ReplyEngine&) { return {}; }
std::string PickCountry(ReplyEngine&) { return {}; }
std::string PickSize(ReplyEngine&) { return {}; }

}  // namespace velk
