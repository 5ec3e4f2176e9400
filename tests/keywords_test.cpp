#include "responders/keywords.h"

#include <string>
#include <utility>
#include <vector>

#include "identity/name_capture.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::DumpCandidates;
using testing::EngineTest;

class KeywordsTest : public EngineTest {
 protected:
  // Answers one sentence on an emptied list, with no sentence before it, and
  // returns the whole list.
  std::string Run(const std::string& sentence) {
    State().RepeatWord.clear();
    return RunNext(sentence);
  }
  // The same, with RepeatWord as the sentence before left it.
  std::string RunNext(const std::string& sentence) {
    ClearList();
    AnswerKeywords(engine, sentence);
    return DumpCandidates(Candidates());
  }
  void ClearList() {
    for (int i = 0; i < kCandidateSlots; ++i) Candidates()[i] = Candidate{};
    Candidates().ResetCount();
  }
};

constexpr const char* kHello = "Can't you be bothered to type 'Hello'?|HELLO|0";
constexpr const char* kHelloAgain =
    "Everybody always says hello to me, can't you think of something else to say?|HELLO|0";

// Sentences that draw nothing, with the whole list each one gives.
TEST_F(KeywordsTest, WholeCandidateLists) {
  const struct {
    const char* Label;
    const char* Sentence;
    std::string Expected;
  } cases[] = {
      // Keys with a leading blank match at the start of the sentence only
      // through the added blank.
      {"HI alone", "HI ", kHello},
      {"HI opens a longer word", "HISTORY ", kHello},
      {"HIYA", "HIYA ", kHello},
      {"HI inside a word", "SHIP ", ""},
      {"OH opens OHIO", "OHIO ", "There, I knew you'd understand.||0"},
      {"CAP inside ESCAPE", "ESCAPE ", "If the cap fits....||0"},
      {"HAT needs the whole word", "THAT HATCH ", ""},
      {"HAT as a word", "A HAT ", "If the cap fits....||0"},
      {"SURE as a word", "SURE ", "Nobody can ever be completely sure about anything.||0"},
      {"SURE inside ASSURE", "ASSURE SURELY ", ""},
      {"lower case is upper-cased", "  history  ", kHello},

      // Overlapping rules each add their own candidate, in rule order.
      {"HELLO is not HI", "HELLO ", kHelloAgain},
      {"HI and HELLO", "HI HELLO ", std::string(kHello) + "; " + kHelloAgain},
      {"SAY HI also starts with a blank HI", "SAY HI ", std::string(kHello) + "; Hi!||0"},
      {"OTHELLO", "OTHELLO ", kHelloAgain},
      {"TALK fires twice", "TALK ",
       "I can't actually talk, I just print little messages.||0; "
       "Tell me what you've been up to recently.|UPTO|0"},
      {"FAT inside FATHER", "FATHER ", "Fat? Me? I don't even eat!||0"},
      {"food words and FAVOURITE without FOOD", "FAVOURITE MEATBALLS ",
       "I think you have a food fixation, what's your favourite dish?|FAVFOOD|0"},

      // Negations.
      {"REALLY without NOT", "REALLY ", "No, not really.||0"},
      {"NOT REALLY", "NOT REALLY ", "That's a shame. Doesn't that worry you?||0"},
      {"PROBLEM", "PROBLEM ", "What sort of problem?||0"},
      {"PROBLEM with NO inside UNKNOWN", "PROBLEMS UNKNOWN ", ""},

      // Grouped tests.
      {"WEIRD needs YOU", "WEIRD ", ""},
      {"STRANGE and YOU", "STRANGE YOU ", "Not as wierd as you are.||0"},
      {"WIERD alone", "WIERD ", "Not as wierd as you are.||0"},
      {"DOING and TELL", "TELL DOING ", "I don't want to say.||0"},
      {"UPTO without TELL", "UPTO ", ""},
      {"RETARD needs an I somewhere", "RETARDED ", ""},
      {"RETARD and the I of IT", "RETARD IT ", "Oh yeah?||0"},
      {"NO inside KNOW and NOT", "YOU DO NOT KNOW ", "How do you know?||0; Oh, yes you do!||0"},
      {"DID NOT with YOU", "YOU DID NOT ",
       "Go on then, what didn't you do?||0; Oh, yes you did!||0"},

      // Money, including the pound sign.
      {"pound sign",
       "\xC2\xA3"
       "5 ",
       "I don't really understand money, I've never had any.||0"},
      {"dollar sign", "$5 ", "I don't really understand money, I've never had any.||0"},
      {"ERROR keeps its pound signs", "ERROR ",
       "'#~_~*+^%@ This software does '#~_~*+^%@ not make ERROR ~'#'#~_~*+^%@ "
       "S..............eqfrqae..34166........!''!\xC2\xA3!\xC2\xA3!!''''ER.>E>RRROR...Wqwe||0"},

      // Fixed and free wordings.
      {"surname", "BLAIR ",
       "Isn't it awful that nobody seems to take an interest in politics anymore?|POL|0"},
      {"other surname", "HAGUE ",
       "Isn't it awful that nobody seems to take an interest in politics anymore?|POL|0"},
      {"web address", "WEB ",
       "Pay my maker's website a visit at www.velktavro.example, won't you?||0"},
      {"bot's own name", "VELK ", "That's me!||0"},

      // Score changes.
      {"GO NOW sets 90", "GO NOW ",
       "I'll be seeing you then, bye bye. (Type exit if you really want to go)|BYE|90"},
      {"BYE sets 90", "BYE ", "Bye bye, type exit to shut down program.|BYE|90"},
      {"asking the bot's name adds 15", "TELL YOU MY NAME ", "My name is Velk.||15"},

      // The name block.
      {"asking the user's name is no name block", "WHAT IS YOUR NAME ", ""},
      {"NOT inside the name block", "YOUR NAME IS NOT BOB ",
       "So what is your name then?|GETNAME|20; "
       "I still don't know your name, what is it?|GETNAME|0"},

      // Nothing at all.
      {"empty", "", ""},
      {"blanks only", "   ", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Expected, Run(c.Sentence)) << c.Label;
  }
  EXPECT_EQ(0, random.DrawsTaken()) << "no picker rule fired";
}

TEST_F(KeywordsTest, BotNameFollowsThePersona) {
  engine.InitEngine("Tavro", "");
  EXPECT_EQ("", Run("VELK "));
  EXPECT_EQ("That's me!||0", Run("TAVRO "));
  EXPECT_EQ("My name is Tavro.||15", Run("TELL NAME "));
}

// The name is upper-cased (ASCII only) before the search, at any length.
TEST_F(KeywordsTest, BotNameUpperCasedAtAnyLength) {
  engine.InitEngine("Zyxqv Jjkkl-Zyxqv Jjkkl-Zyxqv Jjkkl-Zyxqv Jjkkl", "");  // 47 bytes
  EXPECT_EQ("That's me!||0", Run("zyxqv jjkkl-zyxqv jjkkl-zyxqv jjkkl-zyxqv jjkkl "));
  EXPECT_EQ("", Run("ZYXQV JJKKL-ZYXQV JJKKL-ZYXQV JJKKL-ZYXQV JJKK "));

  engine.InitEngine("Z\xC3\xA9xq 2", "");
  EXPECT_EQ("That's me!||0", Run("z\xC3\xA9xq 2 "));
  EXPECT_EQ("", Run("Z\xC3\x89XQ 2 "));  // no case mapping beyond ASCII
}

// Picker rules draw only when they fire, in rule order, and the code a
// picker writes lands on that rule's own candidate.
TEST_F(KeywordsTest, PickerRulesDrawInRuleOrder) {
  const struct {
    const char* Label;
    const char* Sentence;
    std::vector<std::pair<int, int>> Picks;
    std::string Expected;
  } cases[] = {
      {"NO at the start", "NO ", {{5, 6}}, "Don't you think you should re-word that?|REWORD|0"},
      {"NO with a mood", "NO ", {{4, 6}, {3, 10}}, "I'm cheerful now.|EM|0"},
      {"yes, me and think",
       "YES I THINK SO ",
       {{3, 6}, {7, 9}, {1, 6}},
       "You always think that everythings so good, don't you? |GRUMPY|0; "
       "We could be best buddies.||0; Do computers think?|THINK|0"},
      {"rule order, not word order",
       "THINK I YES ",
       {{1, 6}, {1, 9}, {4, 6}},
       "I like that||0; Who? Me?||0; Wow, it thinks!||0"},
      {"I and YES and DO",
       "YES I DO ",
       {{1, 6}, {5, 9}},
       "I like that||0; Hmmmm||0; Oh, no I don't!||0"},
      {"NO and DID NOT",
       "NO YOU DID NOT ",
       {{1, 6}},
       "Don't be so negative.||0; Go on then, what didn't you do?||0; Oh, yes you did!||0"},
      {"BOO",
       "BOO ",
       {{8, 10}},
       "ARGHHHHHHH! Never scare me like that again. I might turn frightened.||0"},
      {"PATHETIC", "PATHETIC ", {{1, 10}}, "I'm not pathetic, just today I'm feeling sad||0"},
      {"empty size leaves two blanks", "TOLD ME ", {{5, 10}}, "I'm not sure, my  friend.||0"},
      {"favourite food",
       "FAVOURITE FOOD ",
       {{2, 10}},
       "I think you have a food fixation, what's your favourite dish?|FAVFOOD|0; "
       "I like Chinese food, what's your favourite?|FAVFOOD|0"},
      {"holiday",
       "HOLIDAY ",
       {{10, 21}},
       "Personally, I would love to go to Eygpt, where would you go?|TRAV|0"},
  };
  for (const auto& c : cases) {
    for (auto [k, n] : c.Picks) random.QueuePick(k, n);
    EXPECT_EQ(c.Expected, Run(c.Sentence)) << c.Label;
    EXPECT_EQ(0u, random.Remaining()) << c.Label;
  }
}

TEST_F(KeywordsTest, GreetingRequestAddsOnlyTheGreeting) {
  State().RepeatWord = " HI ";
  random.QueuePick(3, 6);
  EXPECT_EQ("What is on your mind?|PROB|100", RunNext("-GETGREET- HI HELLO "));
  EXPECT_EQ(" HI ", State().RepeatWord) << "left as it was";
  EXPECT_FALSE(engine.EndRequested());
  random.QueuePick(1, 6);
  EXPECT_EQ("Hello.||100", Run("-getgreet-"));
}

TEST_F(KeywordsTest, ExitEndsOnlyAsAWholeSentence) {
  const struct {
    const char* Sentence;
    bool Ends;
  } cases[] = {
      {"EXIT ", true},
      {"  exit", true},
      {"WE WANT TO EXIT ", false},
      {"EXITS ", false},
  };
  for (const auto& c : cases) {
    testing::TestEngine fresh(random, clock);
    fresh.InitEngine("Velk", "");
    fresh.State().RepeatWord = " HELLO ";
    AnswerKeywords(fresh, c.Sentence);
    EXPECT_EQ(c.Ends, fresh.EndRequested()) << c.Sentence;
    if (c.Ends) {
      EXPECT_EQ("", DumpCandidates(fresh.Candidates())) << c.Sentence;
      EXPECT_EQ(" HELLO ", fresh.State().RepeatWord) << c.Sentence;
    }
  }
}

// Sentence pairs: the first sets RepeatWord, the second may complain.
TEST_F(KeywordsTest, RepeatRule) {
  const struct {
    const char* Label;
    const char* First;
    const char* Second;
    std::string Expected;
  } cases[] = {
      {"word comes back", "HELLO ", "HELLO THERE ",
       "Stop saying  HELLO ||10; " + std::string(kHelloAgain)},
      {"same one-word sentence", "CHEESE ", "CHEESE ", "Stop saying  CHEESE ||10"},
      {"blanks and case do not matter", "  cheese ", "MORE CHEESE PLEASE ",
       "Stop saying  CHEESE ||10"},
      {"only as a whole word", "HELLO ", "OTHELLO ", kHelloAgain},
      {"YOU is exempt", "YOU ", "YOU AND YOU ", ""},
      {"two words set nothing", "CHEESE PLEASE ", "CHEESE ", ""},
      {"empty sentence sets nothing", "", "  ", ""},
  };
  for (const auto& c : cases) {
    Run(c.First);
    EXPECT_EQ(c.Expected, RunNext(c.Second)) << c.Label;
  }

  // "I" is exempt too; its own rule still draws.
  random.QueuePick(1, 9);
  Run("I ");
  EXPECT_EQ(" I ", State().RepeatWord);
  random.QueuePick(1, 9);
  EXPECT_EQ("Who? Me?||0", RunNext("I "));
}

TEST_F(KeywordsTest, RepeatWordRemembersTheLastSentence) {
  const struct {
    const char* Sentence;
    const char* RepeatWord;
  } cases[] = {
      {"CHEESE ", " CHEESE "}, {"  cheese  ", " CHEESE "}, {"CHEESE PLEASE ", ""}, {"", "  "},
      {"SHIP ", " SHIP "},
  };
  for (const auto& c : cases) {
    Run(c.Sentence);
    EXPECT_EQ(c.RepeatWord, State().RepeatWord) << "'" << c.Sentence << "'";
  }
}

// Both "=" rules set the score whatever the slot carried; the others add.
TEST_F(KeywordsTest, ScoreChangesOnACarriedScore) {
  const struct {
    const char* Label;
    const char* Sentence;
    std::string Expected;
  } cases[] = {
      {"unchanged", "REALLY ", "No, not really.||7"},
      {"+15", "TELL NAME ", "My name is Velk.||22"},
      {"= 90", "BYE ", "Bye bye, type exit to shut down program.|BYE|90"},
      {"= 20 on the first only", "YOUR NAME NOT ",
       "So what is your name then?|GETNAME|20; "
       "I still don't know your name, what is it?|GETNAME|7"},
  };
  for (const auto& c : cases) {
    ClearList();
    State().RepeatWord.clear();
    Candidates()[0].Score = 7;
    Candidates()[1].Score = 7;
    AnswerKeywords(engine, c.Sentence);
    EXPECT_EQ(c.Expected, DumpCandidates(Candidates())) << c.Label;
  }
  Run("HELLO ");
  ClearList();
  Candidates()[0].Score = 5;
  AnswerKeywords(engine, "HELLO ");
  EXPECT_EQ("Stop saying  HELLO ||15; " + std::string(kHelloAgain), DumpCandidates(Candidates()))
      << "+10";
}

TEST_F(KeywordsTest, NameBlockWithAKnownName) {
  State().UserName = "Ann";
  EXPECT_EQ("Hang on, wasn't your name Ann?|CHNGNAME|0", Run("YOUR NAME IS ZED "));
  EXPECT_EQ("So what is your name then?|GETNAME|20; Hang on, wasn't your name Ann?|CHNGNAME|0",
            Run("YOUR NAME IS NOT ZED "));
  EXPECT_EQ("Ann", State().UserName) << "a known name is never replaced here";
}

TEST_F(KeywordsTest, NameBlockGreetsACapturedName) {
  EXPECT_EQ("Hi there John||0", Run("YOUR NAME IS JOHN "));
  EXPECT_EQ("John", State().UserName);
  EXPECT_EQ("Hang on, wasn't your name John?|CHNGNAME|0", Run("YOUR NAME IS PETER "));
}

TEST_F(KeywordsTest, LengthComplaint) {
  const std::string complaint = "Hang on, that was too much for me.||0";
  const std::string helloAndBye =
      std::string(kHello) + "; Bye bye, type exit to shut down program.|BYE|90; ";
  const struct {
    const char* Label;
    std::string Sentence;
    std::string Expected;
  } cases[] = {
      {"99 characters", std::string(99, 'Z'), complaint},
      {"98 characters", std::string(98, 'Z'), ""},
      {"outer blanks do not count", "   " + std::string(98, 'Z') + "   ", ""},
      {"inner blanks count", "ZZ " + std::string(96, 'Z'), complaint},
      {"after the rules", std::string(96, 'Z') + " HI", std::string(kHello) + "; " + complaint},
      // Long sentences are read whole, up to both ends.
      {"126 characters", "hi " + std::string(119, 'Z') + " bye", helloAndBye + complaint},
      {"127 characters", "hi " + std::string(120, 'Z') + " bye", helloAndBye + complaint},
      {"400 characters", "hi " + std::string(393, 'Z') + " bye", helloAndBye + complaint},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Expected, Run(c.Sentence)) << c.Label;
  }

  Run("  " + std::string(300, 'q') + " ");
  EXPECT_EQ(" " + std::string(300, 'Q') + " ", State().RepeatWord) << "a long word is remembered";
}

TEST_F(KeywordsTest, FullListDropsCandidatesButStillDraws) {
  ClearList();
  for (int i = 0; i < kCandidateSlots; ++i) Candidates().Add("x");
  random.QueuePick(4, 6);
  random.QueuePick(2, 10);
  State().RepeatWord = " NO ";
  AnswerKeywords(engine, "NO BYE ");
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
  EXPECT_EQ(0u, random.Remaining());
  EXPECT_EQ("", State().RepeatWord) << "still updated";
}

}  // namespace
}  // namespace velk
