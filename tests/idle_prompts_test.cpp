#include "responders/idle_prompts.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace velk {
namespace {

using testing::EngineTest;

class IdlePromptTest : public EngineTest {
 protected:
  IdlePrompt PickWith(std::initializer_list<int> outcomes) {
    for (int n : outcomes) random.QueuePick(n, 40);
    IdlePrompt prompt = PickIdlePrompt(engine);
    EXPECT_EQ(0u, random.Remaining()) << "draws left over";
    return prompt;
  }
};

TEST_F(IdlePromptTest, FixedOutcomes) {
  static const struct {
    int Outcome;
    const char* Text;
    const char* Context;
  } kCases[] = {
      {1, "I'm bored. Can't we talk about anything else?", ""},
      {5, "I'm bored. Can't we talk about anything else?", ""},
      {7, "What's the weather like today?", "WEATHER"},
      {10, "What kind of music are you into?", "MUSTYPE"},
      {14, "Can you explain yourself better?", ""},
      {16, "What's wrong with you?", ""},
      {17, "I think that you're wierd", ""},
      {24, "<Blushes>", ""},
      {25, "eh?", ""},
  };
  for (const auto& c : kCases) {
    const IdlePrompt prompt = PickWith({c.Outcome});
    EXPECT_EQ(c.Text, prompt.Text) << c.Outcome;
    EXPECT_EQ(c.Context, prompt.Context) << c.Outcome;
  }
}

TEST_F(IdlePromptTest, AsksForTheNameFirstWhenNothingIsKnown) {
  for (int outcome : {6, 15, 26, 33, 40}) {
    const IdlePrompt prompt = PickWith({outcome});
    EXPECT_EQ("Did you tell me your name?", prompt.Text) << outcome;
    EXPECT_EQ("TELLNAME", prompt.Context) << outcome;
  }
}

TEST_F(IdlePromptTest, BlankNameCountsAsUnknown) {
  State().UserName = "   ";
  EXPECT_EQ("TELLNAME", PickWith({6}).Context);
}

TEST_F(IdlePromptTest, AsksForTheAgeOnceTheNameIsKnownWhateverTheGender) {
  State().UserName = "Bob";
  for (const char* gender : {"", "M", "F"}) {
    State().UserGender = gender;
    const IdlePrompt prompt = PickWith({15});
    EXPECT_EQ("Just how old are you anyway, Bob?", prompt.Text) << gender;
    EXPECT_EQ("GETAGE", prompt.Context) << gender;
  }
}

TEST_F(IdlePromptTest, AsksForTheGenderLast) {
  State().UserName = "Bob";
  State().UserAge = 30;
  const IdlePrompt prompt = PickWith({26});
  EXPECT_EQ("I'm sorry, I can't see you to work out if you're male or female, which are you?",
            prompt.Text);
  EXPECT_EQ("GETGENDER", prompt.Context);
}

TEST_F(IdlePromptTest, DrawsAgainWhenEverythingIsKnown) {
  State().UserName = "Bob";
  State().UserAge = -3;  // any age but 0 counts as known
  State().UserGender = "M";
  const IdlePrompt prompt = PickWith({6, 40, 9});
  EXPECT_EQ("<Sighs>", prompt.Text);
  EXPECT_EQ("", prompt.Context);
}

}  // namespace
}  // namespace velk
