#include "responders/follow_ups.h"

#include <string>

#include "tests/test_support.h"

namespace velk::testing {
namespace {

class FollowUpsTest : public EngineTest {
 protected:
  // Reads `sentence` as the answer to the question coded `lastContext` and
  // returns every candidate added.
  std::string Run(const std::string& lastContext, const std::string& sentence) {
    State().LastContext = lastContext;
    FollowUpContext(engine, sentence);
    return DumpCandidates(Candidates());
  }

  // The reply of the last candidate added, or "(none)".
  std::string LastReply(const std::string& lastContext, const std::string& sentence) {
    Run(lastContext, sentence);
    const int count = Candidates().Count();
    return count == 0 ? "(none)" : Candidates()[count - 1].Reply;
  }
};

struct Case {
  const char* Label;
  const char* LastContext;
  const char* Sentence;
  const char* Expected;
};

void RunCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    ScriptedRandom random;
    FakeClock clock;
    testing::TestEngine engine(random, clock);
    engine.InitEngine("Velk", "");
    engine.State().LastContext = c->LastContext;
    FollowUpContext(engine, c->Sentence);
    EXPECT_EQ(c->Expected, DumpCandidates(engine.Candidates())) << c->Label;
  }
}

TEST(FollowUps, WhichRulesRun) {
  static const Case kCases[] = {
      // Statements are answered whatever the code; blocks only for an exact code.
      {"no code, IT IS", "", "IT IS SUNNY ", "Then go outside and get a tan.||0"},
      {"code -, YOU ARE", "-", "YOU ARE SAD ", "Oh dear, why are you sad?||0"},
      {"unknown code", "A_RANDOM_TOPIC_TO_AVOID_BEING_MISSED", "YES ", ""},
      {"code in lower case", "weather", "SUNNY ", ""},
      {"code with a blank", "WEATHER ", "SUNNY ", ""},
      {"weather words without IT IS", "", "SUNNY AND AWFUL ", ""},
      {"YOU ARE needs the whole phrase", "", "YOU SAD ", ""},
      {"IT IS and the WEATHER block both answer", "WEATHER", "IT IS SUNNY ",
       "Then go outside and get a tan.||0; That makes a change.||0; "
       "Then go outside and get a tan.||0"},
      {"IT IS, YOU ARE, then the block; two DULL spellings", "WEATHER",
       "IT IS DULL AND YOU ARE DULL ",
       "Isn't that depresing?|YESNO|0; "
       "You're not that bad, you're actually quite interesting.||0; "
       "That makes a change.||0; Isn't that depressing?|YESNO|0"},
      {"both NICE rules of IT IS", "", "IT IS NICER ", "What is?||0; I'm sure it is||0"},

      // Keys are substrings with no word edges.
      {"NO inside NOT and KNOW", "HELLO", "YOU DO NOT KNOW ",
       "Typical||0; You're just lazy, then. How are you, anyway?||0"},
      {"POP inside BRITPOP", "MUSTYPE", "BRITPOP ",
       "That's not really my scene.||0; What groups are you into?|MUSGROUPS|0; "
       "I like some Britpop , What artists do you like?|MUSGROUPS|0"},
      {"RECENT and RECENTLY & UP", "TALKTOPIC", "WHAT HAVE YOU BEEN UP TO RECENTLY ",
       "That sounds interesting||0; I'm not very good with current affairs, I'm afraid.||0; "
       "Just chilling.||0"},
      {"NO inside KNOW", "THINK", "I KNOW ",
       "Do you ever get the feeling you're being ignored?|IGNORE|0; "
       "I'm afraid I disagree with you there.||0"},
      {"later rule keeps earlier ones", "JOB", "MUMMY IS A STUDENT ",
       "I've never heard of that job before.||0; I see, when are your exams?|EXAM|0; "
       "How many kids?|KIDS|0"},

      // Compound tests.
      {"DO without NOT is glad", "IGNORE", "YOU DO ",
       "Maybe it's just me, then.||0; Phew, I'm glad it's not just me.||0"},
      {"DO NOT is not glad but NO", "IGNORE", "YOU DO NOT ",
       "Maybe it's just me, then.||0; Perhaps people just ignore me, then.||0"},
      {"YES is glad", "IGNORE", "YES ",
       "Maybe it's just me, then.||0; Phew, I'm glad it's not just me.||0"},
      {"NOT BAD fires BAD|NOT and BAD&NOT", "GREET", "NOT BAD ",
       "What a shame, tell me about it|DAY|0; That's ok then. What did you do?|UPTO|0"},
      {"NOT GOOD fires FINE|GOOD and BAD|NOT", "GREET", "NOT GOOD ",
       "Glad to hear it.||0; What a shame, tell me about it|DAY|0"},
      {"WHAT at the start has no blank before it", "TALKABOUT", "WHAT ABOUT ",
       "I've been sat here all day, you know.||0"},
      {"blank before WHAT", "TALKABOUT", "SO WHAT ABOUT ",
       "I've been sat here all day, you know.||0; We could talk about food, politics or "
       "travel, though I'm not sure I'm very good company.||0"},
      {"PERSONAL keeps its trailing blank", "PROB", "PERSONALLY ",
       "What do you want to talk about?|TALKTOPIC|0"},
      {"PERSONAL followed by a word", "PROB", "PERSONAL STUFF ",
       "What do you want to talk about?|TALKTOPIC|0; "
       "Do you want to talk to me about it?|YESNO|0"},

      // The two keys of our own choosing.
      {"solo artist", "MUSGROUPS", "ROBBIE WILLIAMS ",
       "Can't say I've ever heard of them.||0; "
       "Robbie? He's a proper entertainer, I'll give him that.||0"},
      {"reading hobby", "HOBBY", "READING ",
       "And how did you get into that?||0; I like to read too, mostly computer manuals.||0"},
  };
  RunCases(std::begin(kCases), std::end(kCases));
}

TEST_F(FollowUpsTest, SentenceIsLeftUnchanged) {
  State().SwappedSentence = "IT IS SUNNY AND YOU ARE SAD ";
  Run("WEATHER", State().SwappedSentence);
  EXPECT_EQ("IT IS SUNNY AND YOU ARE SAD ", State().SwappedSentence);
}

TEST(FollowUps, GenderAndNameJoins) {
  static const struct {
    const char* Label;
    const char* Gender;
    const char* Name;
    const char* LastContext;
    const char* Sentence;
    const char* Expected;
  } kCases[] = {
      {"EM man", "M", "", "EM", "WHY ", "You should know, you're a man."},
      {"EM woman", "F", "", "EM", "WHY ", "You should know, you're a woman."},
      {"EM unknown", "", "", "EM", "WHY ", "I don't know!"},
      {"EM other value", "X", "", "EM", "WHY ", "You should know, you're a "},
      {"TRAV woman", "F", "", "TRAV", "ENGLAND ", "Jolly Good old  girl."},
      {"TRAV man", "M", "", "TRAV", "ENGLAND ", "Jolly Good old  chap."},
      {"TRAV unknown", "", "", "TRAV", "ENGLAND ", "Jolly Good old  chap."},
      {"MUSTYPE woman", "F", "", "MUSTYPE", "JAZZ ", "Cool vibes, sweety."},
      {"MUSTYPE man", "M", "", "MUSTYPE", "JAZZ ", "Cool vibes, man."},
      {"MUSTYPE unknown", "", "", "MUSTYPE", "JAZZ ", "Cool vibes, man."},
      {"SER with a name", "", "Bob", "SER", "WHAT ", "Ok Bob, I retract that."},
      {"SER without a name", "", "", "SER", "WHAT ", "Ok , I retract that."},
  };
  for (const auto& c : kCases) {
    ScriptedRandom random;
    FakeClock clock;
    testing::TestEngine engine(random, clock);
    engine.InitEngine("Velk", c.Name);
    engine.State().UserGender = c.Gender;
    engine.State().LastContext = c.LastContext;
    FollowUpContext(engine, c.Sentence);
    const CandidateList& list = engine.Candidates();
    ASSERT_GT(list.Count(), 0) << c.Label;
    EXPECT_EQ(c.Expected, list[list.Count() - 1].Reply) << c.Label;
  }
}

// Each picker draws exactly when its rule fires; ScriptedRandom fails the test
// on any draw not queued here.
TEST_F(FollowUpsTest, QueDrawsAMood) {
  random.QueuePick(2, 10);
  EXPECT_EQ("Fine, I won't go on about it because you'll only get happy||0", Run("QUE", "OK "));
  EXPECT_EQ(1, random.DrawsTaken());
}

TEST_F(FollowUpsTest, UsInsideAWordDrawsAMood) {
  random.QueuePick(1, 10);
  EXPECT_EQ("I think Americans are sad", LastReply("TRAV", "MUSCAT "));
  EXPECT_EQ(1, random.DrawsTaken());
}

TEST_F(FollowUpsTest, TravelWithoutUsDrawsNothing) {
  EXPECT_EQ("Ooh la la, magnifique!", LastReply("TRAV", "FRANCE "));
  EXPECT_EQ(0, random.DrawsTaken());
}

TEST_F(FollowUpsTest, JokeOnYes) {
  random.QueuePick(2, 16);
  EXPECT_EQ(
      "I'll tell you one some other time, then.||0; "
      "A guy walks into a bar, he says 'ouch!'||0",
      Run("JOKE", "YES "));
  EXPECT_EQ(1, random.DrawsTaken());
}

TEST_F(FollowUpsTest, NoJokeOnNo) {
  EXPECT_EQ("I'll tell you one some other time, then.||0; You're boring.||0", Run("JOKE", "NO "));
  EXPECT_EQ(0, random.DrawsTaken());
}

TEST_F(FollowUpsTest, PickersOnlyInTheirOwnBlock) {
  // "US" and "YES" are there, but the code names another question.
  EXPECT_EQ(
      "Do you ever get the feeling you're being ignored?|IGNORE|0; "
      "I agree with you there.||0",
      Run("THINK", "YES USUALLY "));
  EXPECT_EQ(0, random.DrawsTaken());
}

}  // namespace
}  // namespace velk::testing
