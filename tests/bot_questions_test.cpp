#include "responders/bot_questions.h"

#include "language/arithmetic.h"
#include "responders/pickers.h"
#include "tests/test_support.h"

namespace velk::testing {
namespace {

class BotQuestionsTest : public EngineTest {
 protected:
  std::string Ask(const std::string& opening, const std::string& rest) {
    AnswerBotQuestion(engine, opening, rest);
    return DumpCandidates(Candidates());
  }
};

// Openings answered without a draw, each with the whole list it leaves.
TEST_F(BotQuestionsTest, AnswersByOpeningAndRest) {
  static const struct {
    const char* Label;
    const char* Opening;
    const char* Rest;
    const char* UserName;
    int UserAge;
    const char* UserGender;
    const char* Expected;
  } kCases[] = {
      {"MALE lies inside FEMALE", "AMI", "FEMALE", "", 0, "", "I suppose||0; No.||10"},
      {"set to 20, then the bonus", "AMI", "BORED", "", 0, "", "No! Not at all!||30"},
      {"plus 20, then the bonus", "HOWOLD", "AMI", "", 25, "", "I'd rather not say, thanks.||30"},
      {"known age", "HOWOLD", "YOU", "", 25, "", "You are 25||10"},
      {"negative age", "HOWOLD", "AREYOU", "", -5, "", "You are-5||10"},
      {"unknown age", "HOWOLD", "YOU", "", 0, "",
       "I don't know, you haven't told me yet. How old are you?|GETAGE|10"},
      {"no gender", "WHATGENDER", "", "", 0, "", "You are female.||10"},
      {"male", "WHATGENDER", "", "", 0, "M", "You are male.||10"},
      {"bot name, no user", "WHATIS", "MYNAME", "", 0, "",
       "My name is Velk. Tell me your name.|GETNAME|10"},
      {"bot name, user known", "WHATIS", "MYFULLNAME", "Ann", 0, "", "My name is Velk. ||10"},
      {"user name unknown", "WHATIS", "YOURNAME", "", 0, "",
       "I don't know, what is your name?|GETNAME|10"},
      {"date", "WHATIS", "THEDATE", "", 0, "", "Today is 12-08-2026||10"},
      {"time, and DAY nowhere", "WHATIS", "THETIME", "", 0, "", "14:05:09||10"},
      {"substring keys", "WHATIS", "PROGRAMMP3", "", 0, "",
       "It is the memory of the computer.||0; It is a type of music.||10"},
      {"code is a dash", "WHATHAVE", "IBEENUPTO", "", 0, "", "Not much.|-|20"},
      {"both keys needed", "WHATHAVE", "UPTO", "", 0, "", ""},
      {"DOING holds I", "WHATHAVE", "DOING", "", 0, "", "Not much.|-|20"},
      {"sky then a colour", "WHATCOLOUR", "SKYRED", "", 0, "", "The sky is blue.||0; Red||10"},
      {"two colours", "WHATCOLOUR", "BLACKWHITE", "", 0, "", "black||0; white||10"},
      {"upper-cased bot name", "WHOIS", "VELK", "", 0, "", "ME||10"},
      {"blank user name", "WHOARE", "PARENTS", "  ", 0, "",
       "I am an orphan. ||0; To be honest, I don't know. What is your name?|GETNAME|10"},
      {"user name", "WHOARE", "I", "Ann", 0, "",
       "You are Ann, that's something to be proud of.||10"},
      {"GOING holds I", "WHEREAM", "GOING", "", 0, "", "Right here!||0; I'm not sure yet.||10"},
      {"always, with code", "NOWWHAT", "", "", 0, "", "Now we can talk.|TALKABOUT|10"},
      {"no sum", "WHATDOES", "TWO-TWO", "", 0, "", ""},
      {"in no table", "IAM", "MALE", "", 0, "", ""},
      {"case-sensitive opening", "ami", "MALE", "", 0, "", ""},
  };
  for (const auto& c : kCases) {
    testing::TestEngine fresh(random, clock);
    fresh.InitEngine("Velk", c.UserName);
    fresh.State().UserAge = static_cast<std::int16_t>(c.UserAge);
    fresh.State().UserGender = c.UserGender;
    AnswerBotQuestion(fresh, c.Opening, c.Rest);
    EXPECT_EQ(c.Expected, DumpCandidates(fresh.Candidates())) << c.Label;
  }
}

// An inside rule hangs on the nearest plain rule above it, not on the rule
// just before it.
TEST_F(BotQuestionsTest, DoIRulesAndInsideRules) {
  static const struct {
    const char* Rest;
    const char* Expected;
  } kCases[] = {
      {"LIKETV", "Sometimes.||0; Not really.||10"},
      {"LIKEPHYSICSTV", "Sometimes.||0; It can be boring sometimes.||0; Not really.||10"},
      {"KNOWTV", "I don't believe I do.||10"},
      {"SPEEDLIGHT", ""},
      {"KNOWSPEEDOFLIGHT", "I don't believe I do.||0; 300 million km per second, I think.||10"},
      {"NOTCARE", ""},
      {"REALISEYOUDONOTCARE", "No, I never realised that before.||0; That's too bad.||10"},
      {"SURF", "No, but you can find my website at www.velktavro.example||10"},
  };
  for (const auto& c : kCases) {
    testing::TestEngine fresh(random, clock);
    fresh.InitEngine("Velk", "");
    AnswerBotQuestion(fresh, "DOI", c.Rest);
    EXPECT_EQ(c.Expected, DumpCandidates(fresh.Candidates())) << c.Rest;
  }
}

TEST_F(BotQuestionsTest, DoIDodgesAfterWhatItAddedWithoutBonus) {
  random.QueuePick(9, 17);
  EXPECT_EQ("Sometimes.||0; How should I know?||0", Ask("DOI", "LIKEWHAT"));
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(BotQuestionsTest, DoIDefaultStandsUncountedWithoutCode) {
  Candidates()[0].Context = "OLD";
  EXPECT_EQ("", Ask("DOI", "NOTHING"));
  EXPECT_EQ("I do.", Candidates()[0].Reply);
  EXPECT_EQ("", Candidates()[0].Context);
  EXPECT_EQ(0, Candidates()[0].Score);

  engine.AddCandidate("Taken over.");
  EXPECT_EQ("Taken over.||0", DumpCandidates(Candidates()));
}

TEST_F(BotQuestionsTest, ColourDefaultStandsOnlyWithoutAColour) {
  EXPECT_EQ("The sky is blue.||10", Ask("WHATCOLOUR", "SKY"));
  EXPECT_EQ("I find talking abuot colours difficult.", Candidates()[1].Reply);
}

TEST_F(BotQuestionsTest, UserNameAnswerClearsACodeLeftInTheSlot) {
  State().UserName = "Ann";
  Candidates()[0].Context = "OLD";
  EXPECT_EQ("Your name is Ann||10", Ask("WHATIS", "YOURNAME"));
}

TEST_F(BotQuestionsTest, DodgeAnswersDrawOnceAndTakeNoBonus) {
  static const struct {
    const char* Label;
    const char* Opening;
    int K;
    const char* UserGender;
    const char* Expected;
  } kCases[] = {
      {"first, with code", "", 1, "", "You ask a lot of questions, why?|QUE|0"},
      {"re-word code", "", 5, "", "Would you like to re-word that question?|REWORD|0"},
      {"clue, male", "", 14, "M", "I haven't a clue mate||0"},
      {"clue, female", "", 14, "F", "I haven't a clue||0"},
      {"last", "", 17, "", "Find out for yourself.||0"},
      {"dodged opening", "AREYOU", 16, "", "I don't know.||0"},
      {"dodged opening", "WHYCAN", 15, "", "<Frowns>||0"},
  };
  for (const auto& c : kCases) {
    ScriptedRandom draws;
    testing::TestEngine fresh(draws, clock);
    fresh.InitEngine("Velk", "");
    fresh.State().UserGender = c.UserGender;
    draws.QueuePick(c.K, 17);
    AnswerBotQuestion(fresh, c.Opening, "CLEVER");
    EXPECT_EQ(c.Expected, DumpCandidates(fresh.Candidates())) << c.Label;
    EXPECT_EQ(1, draws.DrawsTaken()) << c.Label;
  }
}

TEST_F(BotQuestionsTest, BonusAddsToACarriedScoreAndClamps) {
  Candidates()[0].Score = 32760;
  EXPECT_EQ("A buddy||32767", Ask("WHOELSE", ""));
}

TEST_F(BotQuestionsTest, FullListTakesNothingAndNoBonus) {
  for (int i = 0; i < kCandidateSlots; ++i) engine.AddCandidate("x");
  AnswerBotQuestion(engine, "WHOELSE", "");
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
  EXPECT_EQ(0, Candidates()[kCandidateSlots - 1].Score);
}

TEST_F(BotQuestionsTest, MoodDodgeDrawsTheMoodAfterTheEntry) {
  random.QueuePicks({{4, 17}, {3, 10}});
  EXPECT_EQ("I'm cheerful now.|EM|0", Ask("", ""));
  EXPECT_EQ(0u, random.Remaining());
}

// Fields are zero-padded to two digits (the year to four) and never cut;
// a negative field keeps its sign inside the width.
TEST_F(BotQuestionsTest, DateAndTimeFieldsAtTheirLimits) {
  static const struct {
    LocalDateTime At;
    const char* Expected;
  } kCases[] = {
      {{987, 1, 2, 0, 0, 0}, "Today is 01-02-0987||0; 00:00:00||10"},
      {{0, 10, 31, 9, 10, 59}, "Today is 10-31-0000||0; 09:10:59||10"},
      {{12345, 100, 99, 23, 59, 60}, "Today is 100-99-12345||0; 23:59:60||10"},
      {{-7, -1, 5, -12, 7, 0}, "Today is -1-05--007||0; -12:07:00||10"},
  };
  for (const auto& c : kCases) {
    clock.DateTime = c.At;
    testing::TestEngine fresh(random, clock);
    fresh.InitEngine("Velk", "");
    AnswerBotQuestion(fresh, "WHATIS", "THEDATETHETIME");
    EXPECT_EQ(c.Expected, DumpCandidates(fresh.Candidates())) << c.Expected;
  }
}

TEST_F(BotQuestionsTest, SumsCarryTheSignPosition) {
  EXPECT_EQ("The answer is  7.||40", Ask("WHATDOES", "2+5"));
  EXPECT_EQ("The answer is  7.||40; The answer is -5.||40", Ask("WHATIS", "-5"));
}

}  // namespace
}  // namespace velk::testing
