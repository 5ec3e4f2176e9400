// What the persona says when no candidate wins.
#ifndef VELK_RESPONDERS_IDLE_PROMPTS_H_
#define VELK_RESPONDERS_IDLE_PROMPTS_H_

#include <string>

namespace velk {

class TurnContext;

struct IdlePrompt {
  std::string Text;     // never empty
  std::string Context;  // empty when the prompt carries no code
};

// A filler, a complaint, a topic question, or a question for the first of
// name, age and gender still unknown. Draws one outcome of 40, again while a
// question about the user is drawn that has nothing left to ask. Leaves the
// candidate list alone; the caller stores the prompt and its code.
IdlePrompt PickIdlePrompt(TurnContext& turn);

}  // namespace velk

#endif  // VELK_RESPONDERS_IDLE_PROMPTS_H_
