// Whole conversations through GetReply, every draw forced. Each expected reply
// was worked out by hand from the rules (which responders add which
// candidates, which one wins, which draws happen in which order, how styling
// changes the winner) before the code was run; the comment above each line
// gives that reasoning in short.
//
// Styling: every reply below is drawn without an opener (x = 1 of 20) and
// with no typing error, so the styled text R before trimming is two blanks
// (the leading blank of the working text, and the empty first word it leaves)
// followed by the expected reply.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "frontends/console_chat.h"
#include "frontends/conversation_log.h"
#include "library/bot_core.h"
#include "tests/bytes_input.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::RecordingSink;

using testing::EngineTest;

// How many draws the typing-error pass takes over R when none of them fires:
// one for every test whose character condition holds at a position.
int TypingDraws(const std::string& r) {
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  int draws = 0;
  for (std::size_t d = 0; d < r.size(); ++d) {
    const char c = r[d];
    if (c == upper(c)) ++draws;                                                  // to lower case
    if (c == '\'') ++draws;                                                      // ' to ;
    if (upper(c) == 'P') ++draws;                                                // p to o
    if (upper(c) == 'A') ++draws;                                                // a to s
    if (c == '?') ++draws;                                                       // ? to /
    if (upper(c) == 'I' && d + 1 < r.size() && upper(r[d + 1]) == 'E') ++draws;  // ie to ei
    if (c == ' ') ++draws;                                                       // blank moved
  }
  return draws;
}

struct Turn {
  std::string Line;
  // Draws before styling, in order, as (k, n): entry k of n.
  std::vector<std::pair<int, int>> Picks;
  // The expected reply; empty when the line ends the conversation, which
  // styles nothing and so draws nothing more.
  std::string Reply;
  // An opener put before the reply (1 to 4 or 11), or 0 for none.
  int Opener = 0;
};

class ConversationTest : public EngineTest {
 protected:
  // Plays the turns in order; stops at the first turn that goes wrong, since
  // every later turn depends on the state it left.
  void Play(const std::vector<Turn>& turns) {
    for (const Turn& turn : turns) {
      for (auto [k, n] : turn.Picks) random.QueuePick(k, n);
      if (!turn.Reply.empty()) {
        // An opener starts the text with a capital instead of a blank, so the
        // styled text then has one leading blank, not two.
        std::string styled = "  " + turn.Reply;
        if (turn.Opener == 0) {
          random.QueuePick(1, 20);
        } else {
          random.QueuePicks({{20, 20}, {turn.Opener, 11}});
          styled = " " + turn.Reply;
        }
        for (int i = TypingDraws(styled); i > 0; --i) random.Queue(0.0);
      }
      ASSERT_EQ(turn.Reply, engine.GetReply(turn.Line)) << "line: " << turn.Line;
      ASSERT_EQ(0u, random.Remaining()) << "draws left over after: " << turn.Line;
    }
  }
};

// The greeting request adds one greeting (+100); its context code decides how
// the next line is read.
TEST_F(ConversationTest, GreetingWithGreetCodeTakesTheAnswerAsHowTheUserIs) {
  Play({
      // PickGreeting 2: "How are you today?" with GREET wins the first pass.
      // " how" makes it a question; it already ends in "?".
      {"-getgreet-", {{2, 6}}, "how are you today?"},
      // "YOU ARE FINE ": recall of FINE adds "" (empty memory); keyword rows
      // "YOU ARE" (Interesting...) and "FINE" (Fine isn't...); the GREET block
      // adds "Glad to hear it." last. No codes: the later slot wins.
      {"I am fine", {}, "glad to hear it."},
      // LastContext is empty now: no GREET block, so the FINE row's reply is
      // the last candidate. Rule c capitalises the word after ". ".
      {"I am fine", {}, "fine isn't very specific. Could you give me some details?"},
  });
}

TEST_F(ConversationTest, GreetingWithoutCodeLeavesTheNextLineToTheKeywords) {
  Play({
      // PickGreeting 1: "Hello." without a code wins the second pass.
      {"-getgreet-", {{1, 6}}, "hello."},
      {"I am fine", {}, "fine isn't very specific. Could you give me some details?"},
  });
}

TEST_F(ConversationTest, GreetingWithProblemCodeLeadsToATopic) {
  Play({
      // PickGreeting 3: "What is on your mind?" with PROB.
      {"-getgreet-", {{3, 6}}, "what is on your mind?"},
      // "NOTHING MUCH ": two content words recall "" each (two words: not
      // stored); no keyword row ("NO " is not in NOTHING); the PROB block adds
      // "What do you want to talk about?" with TALKTOPIC, which wins.
      {"nothing much", {}, "what do you want to talk about?"},
      // TALKTOPIC: "That sounds interesting", then the WEATHER rule; neither
      // has a code, the later wins. "what" first stands at 14: no question.
      {"the weather", {}, "go on then, what's the weather like where you are today?"},
  });
}

// The name, then the idle prompt and the age read back.
TEST_F(ConversationTest, NameIsCapturedAndUsedFromThenOn) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // "YOUR NAME IS JOHN ": JOHN recalls "" (empty memory); the name rule
      // (NAME, YOUR, no WHAT, no NOT) captures John/M and adds "Hi there John";
      // no follow-up block (no code). Styling closes it with "." and the name
      // lookup gives "john." back its capital.
      {"my name is John", {}, "hi there John."},
      // Only the empty recall: the first fallback cycle draws idle outcome 40,
      // a question about the user: gender is known (M), the age is not, the
      // name is, so the age question with GETAGE; the fallback recall finds
      // one stored line (below three): no draw. The next cycle takes it.
      {"hmm", {{40, 40}}, "just how old are you anyway, John?"},
      // GETAGE: "Sorry, I didn't..." (GETAGE), age 25, then the 20 to 50 reply
      // with JOB; both coded, the later wins.
      {"25", {}, "excellent, so what do you do for a living?"},
      // "HOW OLD ARE YOU " (type SQ): HOWOLD with rest AREYOU adds "You are 25"
      // (no "I" in the rest) with the end bonus 10; the question's dodge draw
      // gives 6 "That's obvious." (0); the JOB block's unconditional reply (0).
      // No codes: the highest score wins.
      {"how old am I?", {{6, 17}}, "you are 25."},
  });
  EXPECT_EQ("John", State().UserName);
  EXPECT_EQ("M", State().UserGender);
  EXPECT_EQ(25, State().UserAge);
}

TEST_F(ConversationTest, AgeAskedByTheBotIsStoredAndReadBack) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // HOWOLD with rest AREYOU and no age: the GETAGE question (+10); the
      // dodge 6 has no code, so the coded question wins.
      {"how old am I?", {{6, 17}}, "I don't know, you haven't told me yet. How old are you?"},
      // "YOU ARE 16 ": step 4 reads 16; 11 to 19 gives the FUN reply, which
      // follows the GETAGE request and wins. The YOU ARE rules add nothing
      // (YEAR is not there); the "YOU ARE" row's reply has no code. "i'm" is
      // no lone i and keeps its small letter.
      {"I am 16", {}, "cool, do you think i'm boring?"},
      // OLD finds the stored question, but questions are never recalled. FUN
      // adds only "thanks for that." (no YES, no NO); "You are 16" (+10) has
      // no code either and the highest score wins; dodge 6 again.
      {"how old am I?", {{6, 17}}, "you are 16."},
  });
  EXPECT_EQ(16, State().UserAge);
}

TEST_F(ConversationTest, NameLadderEndsWithClive) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // WHATIS with rest YOURNAME, no name: "I don't know, what is your name?"
      // (GETNAME, +10 end bonus) beats the dodge 6. The lone "i" gets its
      // capital; "what" stands at 16, so no "?" is needed: it has one.
      {"what is my name?", {{6, 17}}, "I don't know, what is your name?"},
      // GETNAME, no name found: GETNAME2 with score 30.
      {"xyzzy", {}, "I didn't quite catch that, what's your name?"},
      // GETNAME2, no name: GETNAME3.
      {"plugh", {}, "sorry, I don't know that name, tell me an easier name."},
      // GETNAME3, no name: the bot names the user Clive (M); "clive." is a
      // known first name and gets its capital, "i'll" is not a lone i.
      {"frotz", {}, "I give up, i'll just call you Clive."},
      // The idle question now asks for the age, with the name just given.
      {"hmm", {{6, 40}}, "just how old are you anyway, Clive?"},
  });
  EXPECT_EQ("Clive", State().UserName);
  EXPECT_EQ("M", State().UserGender);
}

TEST_F(ConversationTest, RefusedNameEndsAsBetty) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      {"what is my name?", {{6, 17}}, "I don't know, what is your name?"},
      // "YOU ARE NOT SAYING ": name capture's YOU ARE rule meets NOT: refused,
      // nothing stored; GETNAME asks again with NOSAYNAME (30), beating the
      // "YOU ARE" row's uncoded reply.
      {"I am not saying", {}, "I really do need to know your name, what is it?"},
      // NOSAYNAME: the refusal phrase sets BETTY/F, and the block names her.
      {"not saying", {}, "forget it then, i'll just call you Betty."},
      // Idle 8 "Go on..." with the opener drawn (20 of 20, then 3 of 11): the
      // user's name, a comma and the two blanks before the working text.
      {"hmm", {{8, 40}}, "Betty,  go on. . .", 3},
  });
  EXPECT_EQ("F", State().UserGender);
}

TEST_F(ConversationTest, NameGivenToTheIdleQuestionLeadsToWork) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // Nothing known: every question outcome asks for the name (TELLNAME).
      {"hmm", {{26, 40}}, "did you tell me your name?"},
      // "YOU ARE SAM ": TELLNAME adds "Please tell me your name." (GETNAME,
      // 10), then captures Sam (either sex) through the YOU ARE rule: "Hi
      // there Sam" with its placeholder code and 20 wins.
      {"I am Sam", {}, "hi there Sam."},
      // The gender is still unknown, but the age question replaces it.
      {"hmm", {{15, 40}}, "just how old are you anyway, Sam?"},
      {"I am 30", {}, "excellent, so what do you do for a living?"},
      // JOB: the unconditional reply has no code; STUDENT asks with EXAM.
      {"I am a student", {}, "I see, when are your exams?"},
  });
  EXPECT_EQ("Sam", State().UserName);
  EXPECT_EQ("", State().UserGender);
  EXPECT_EQ(30, State().UserAge);
}

TEST_F(ConversationTest, MusicRunsAlongItsCodes) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // The MUSIC row's coded reply beats the empty recall of MUSIC.
      {"I like music", {}, "ah yes, music."},
      // MUSIC: its one reply asks with MUSTYPE.
      {"I do", {}, "what's your favourite type of music?"},
      // MUSTYPE: POP and BRITPOP both fire with MUSGROUPS; the later wins.
      // Styling drops the blank before the comma and the lone i is capital.
      {"britpop", {}, "I like some britpop, what artists do you like?"},
      // AND became "+"; MUSGROUPS: the OASIS rule comes before the BLUR rule,
      // so Blur's remark is the later of the uncoded candidates. No capital
      // after "?": only a full stop starts a sentence.
      {"blur and oasis", {}, "blur? woohoo, I do like a bit of song 2."},
  });
}

TEST_F(ConversationTest, TravelRunsAlongItsCodes) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // No sentence: idle prompt 12 asks with TRAV and wins the next cycle's
      // first pass; recall has no memory to pick from.
      {"", {{12, 40}}, "what are you doing next summer?"},
      // TRAV: the "always" reply, then the EYGPT rule's question with YESNO,
      // which wins; no keyword row and an empty recall of EYGPT.
      {"eygpt", {}, "oh, will you see the pyramids?"},
      // Row 15 draws ReplyToYes 4, "I'm impressed", without a code; YESNO
      // adds its "always" reply with SER, which wins, and the YES reply.
      {"yes", {{4, 6}}, "anyhow, I have more important stuff to think about."},
      // SER: the "always" reply and the WHAT rule's retraction with the empty
      // name, both uncoded: the later wins; styling drops the blank before
      // the comma.
      {"what", {}, "ok, I retract that."},
  });
  EXPECT_EQ("", State().LastContext);
}

TEST_F(ConversationTest, SumWinsWhenNoCodedCandidateCompetes) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // "WHAT IS TWO + TWO " (PLUS became "+"): TWO recalls "" twice; WHATIS
      // with rest TWO+TWO gives 4: "The answer is  4." +30, +10 end bonus;
      // dodge 6 "That's obvious." has no code and scores 0.
      {"what is two plus two?", {{6, 17}}, "the answer is  4."},
      // Only the dodge: 9 "How should I know?".
      {"why?", {{9, 17}}, "how should I know?"},
  });
}

TEST_F(ConversationTest, CodedDodgeBeatsTheSum) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // Dodge 4, "I'm " + mood + " now." with EM: drawn after the dodge's own
      // draw; the code wins over the sum's 40.
      {"what is two plus two?", {{4, 17}, {3, 10}}, "i'm cheerful now."},
      // EM block, WHY, no gender: "I don't know!" follows the dodge 6 and wins.
      {"why?", {{6, 17}}, "I don't know!"},
  });
}

TEST_F(ConversationTest, StatementIsRecalledByALaterWord) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      // Stored as "S:YOU LIKE CATS "; no keyword row; idle 8 "Go on...", whose
      // dots the character pass spreads out. One stored line: no recall draw.
      {"I like cats", {{8, 40}}, "go on. . ."},
      // Two stored lines, the recall table still below three: no draw.
      {"I hate rain", {{9, 40}}, "<sighs>."},
      // Three lines, a table of three slots: the fallback recall draws slot 3
      // (the empty one past the last line) and draws again, slot 2: "YOU HATE
      // RAIN " follows "<Yawns>" and wins the second pass.
      {"I own a dog", {{22, 40}, {3, 3}, {2, 3}}, "you hate rain."},
      // CATS recalls "YOU LIKE CATS " (the dog line is the newest and outside
      // the table); no keyword row, no follow-up: it is the only candidate.
      {"what about cats", {}, "you like cats."},
  });
}

TEST_F(ConversationTest, ExitEndsWithoutAReply) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      {"I am fine", {}, "fine isn't very specific. Could you give me some details?"},
  });
  EXPECT_FALSE(engine.EndRequested());
  // No draw at all: the end comes before selection and styling.
  Play({{"exit", {}, ""}});
  EXPECT_TRUE(engine.EndRequested());
}

TEST_F(ConversationTest, ExitAsALaterSentenceEndsToo) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      {"hello. exit", {}, ""},
  });
  EXPECT_TRUE(engine.EndRequested());
}

TEST_F(ConversationTest, RepeatedLinePenalisesTheLastReplyAndDropsEchoes) {
  Play({
      {"-getgreet-", {{1, 6}}, "hello."},
      {"I like cats", {{8, 40}}, "go on. . ."},
      {"I hate rain", {{9, 40}}, "<sighs>."},
      // "I LIKE CATS TOO ": CATS recalls "YOU LIKE CATS " (slot 0), TOO ""; the
      // " I " row draws ReplyToMe 5 "Hmmmm", the later slot, which wins.
      {"you like cats too", {{5, 9}}, "hmmmm."},
      // Again: "Hmmmm" (drawn again) is in ReplyHistory and drops to -20;
      // "YOU LIKE CATS " occurs in the earlier line "YOU LIKE CATS TOO" and is
      // dropped. Nothing wins: idle 14 "Can you explain yourself better?", and
      // the fallback recall over four slots draws 1, "YOU LIKE CATS " again,
      // which the next cycle drops too; the idle prompt wins.
      {"you like cats too", {{5, 9}, {14, 40}, {1, 4}}, "can you explain yourself better?"},
  });
}

std::vector<std::string> ConsoleLines(Bot& bot, const std::string& input) {
  testing::BytesInput bytes(input);
  LineReader in(bytes.Fd());
  std::ostringstream out, errors;
  RecordingSink log;
  EXPECT_EQ(0, RunConsoleChat(bot, in, out, errors, log, ConsoleStyle{}));
  std::vector<std::string> lines;
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) lines.push_back(line);
  return lines;
}

TEST(ConsoleConversationTest, NameAfterTheGreeting) {
  Bot bot = testing::SeededBot(5);
  const auto lines = ConsoleLines(bot, "my name is John\n");
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("hi there John.", lines[1]);
  EXPECT_EQ("John", BotInternals::State(bot).UserName);
}

TEST(ConsoleConversationTest, SumThenAgeReadBack) {
  Bot bot = testing::SeededBot(10);
  const auto lines = ConsoleLines(bot, "what is two plus two?\nhow old am I?\n25\nhow old am I?\n");
  ASSERT_EQ(5u, lines.size());
  EXPECT_EQ("the answer is  4.", lines[1]);
  EXPECT_EQ("you are 25.", lines[4]);
  EXPECT_EQ(25, BotInternals::State(bot).UserAge);
}

}  // namespace
}  // namespace velk
