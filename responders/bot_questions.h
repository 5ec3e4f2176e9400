// Questions about the bot, answered by their first two words.
#ifndef VELK_RESPONDERS_BOT_QUESTIONS_H_
#define VELK_RESPONDERS_BOT_QUESTIONS_H_

#include <string>

namespace velk {

class TurnContext;

// Answers by the opening (the first two words, joined) and the rest (the
// later words, joined). An empty opening gives one dodge answer. Neither text
// is changed.
void AnswerBotQuestion(TurnContext& turn, const std::string& opening, const std::string& rest);

}  // namespace velk

#endif  // VELK_RESPONDERS_BOT_QUESTIONS_H_
