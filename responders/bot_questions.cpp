#include "responders/bot_questions.h"

#include "engine/reply_engine.h"

namespace velk {

void AnswerBotQuestion(ReplyEngine& engine, const std::string& opening, const std::string& rest) {
  (void)engine;
  (void)opening;
  (void)rest;
}

}  // namespace velk
