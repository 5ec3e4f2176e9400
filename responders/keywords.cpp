#include "responders/keywords.h"

#include "engine/reply_engine.h"
#include "engine/text.h"
#include "responders/pickers.h"

namespace velk {

void AnswerKeywords(ReplyEngine& engine, const std::string& sentence) {
  const std::string w = " " + std::string(Trim(ToUpper(sentence))) + " ";
  if (Contains(w, "-GETGREET-")) {
    engine.AddCandidate(PickGreeting(engine), {}, Plus(100));
    return;
  }
  if (Trim(w) == "EXIT") engine.RequestEnd();
}

}  // namespace velk
