#include "responders/idle_prompts.h"

#include "base/text.h"
#include "conversation/turn_context.h"

namespace velk {
namespace {

// The question about the user for outcomes 6, 15 and 26 to 40: each test that
// holds replaces the one before, so a missing name is asked first, then a
// missing age, then a missing gender. Empty when all three are known.
IdlePrompt AskAboutUser(const ConversationState& state) {
  IdlePrompt prompt;
  if (state.UserGender.empty()) {
    prompt = {"I'm sorry, I can't see you to work out if you're male or female, which are you?",
              "GETGENDER"};
  }
  if (state.UserAge == 0) {
    prompt = {"Just how old are you anyway, " + state.UserName + "?", "GETAGE"};
  }
  if (Trim(state.UserName).empty()) prompt = {"Did you tell me your name?", "TELLNAME"};
  return prompt;
}

IdlePrompt Outcome(int n, const ConversationState& state) {
  // clang-format off
  switch (n) {
    case 1: case 2: case 3: case 4: case 5:
             return {"I'm bored. Can't we talk about anything else?", ""};
    case 7:  return {"What's the weather like today?",  "WEATHER"};
    case 8:  return {"Go on...",                         ""};
    case 9:  return {"<Sighs>",                          ""};
    case 10: return {"What kind of music are you into?", "MUSTYPE"};
    case 11: return {"What's your favourite food?",      "FAVFOOD"};
    case 12: return {"What are you doing next summer?",  "TRAV"};
    case 13: return {"<Laughs>",                         ""};
    case 14: return {"Can you explain yourself better?", ""};
    case 16: return {"What's wrong with you?",           ""};
    case 17: return {"I think that you're wierd",        ""};
    case 18: return {"What are you talking about?",      ""};
    case 19: return {"Do you want to talk to me?",       ""};
    case 20: return {"and?",                             ""};
    case 21: return {"Why should I care?",               ""};
    case 22: return {"<Yawns>",                          ""};
    case 23: return {"<Stretches>",                      ""};
    case 24: return {"<Blushes>",                        ""};
    case 25: return {"eh?",                              ""};
    default: return AskAboutUser(state);  // 6, 15, 26 to 40
  }
  // clang-format on
}

}  // namespace

IdlePrompt PickIdlePrompt(TurnContext& turn) {
  for (;;) {
    IdlePrompt prompt = Outcome(turn.Pick(40), turn.State());
    if (!prompt.Text.empty()) return prompt;
  }
}

}  // namespace velk
