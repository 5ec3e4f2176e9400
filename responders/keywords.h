// The general keyword responder.
#ifndef VELK_RESPONDERS_KEYWORDS_H_
#define VELK_RESPONDERS_KEYWORDS_H_

#include <string>

namespace velk {

class TurnContext;

// Runs the keyword rules over one swapped sentence, adding a candidate for
// every rule that matches; answers the greeting request, asks the engine to
// end on the sentence EXIT, and updates RepeatWord. `sentence` is not changed.
void AnswerKeywords(TurnContext& turn, const std::string& sentence);

}  // namespace velk

#endif  // VELK_RESPONDERS_KEYWORDS_H_
