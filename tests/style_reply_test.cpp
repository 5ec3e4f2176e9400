#include "styling/style_reply.h"

#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "identity/first_names.h"
#include "tests/test_support.h"

namespace velk {
namespace {

// A script of draws: zeros, under which nothing random happens (no opener,
// no typing error), with a few chosen values in between.
struct Script {
  Script& Quiet(int n) {
    Draws.insert(Draws.end(), static_cast<std::size_t>(n), 0.0);
    return *this;
  }
  Script& Then(double r) {
    Draws.push_back(r);
    return *this;
  }
  std::vector<double> Draws;
};

// Draws that make x = 20, so that an opener or emoticon k is drawn next.
constexpr double kOpenerDue = 0.99;

struct Case {
  const char* Label;
  const char* Reply;
  Script Draws;
  const char* Expected;
};

class StyleReplyTest : public ::velk::testing::EngineTest {
 protected:
  // Styles `reply` with exactly the scripted draws: a missing draw fails in
  // ScriptedRandom, a draw left over fails here.
  std::string Style(const std::string& reply, const Script& script, const std::string& label) {
    for (double r : script.Draws) random.Queue(r);
    const std::string styled = StyleReply(engine, reply);
    EXPECT_EQ(0u, random.Remaining()) << label << ": fewer draws than scripted";
    while (random.Remaining() > 0) random.Draw();
    return styled;
  }

  void Run(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(c.Expected, Style(c.Reply, c.Draws, c.Label)) << c.Label;
  }
};

TEST_F(StyleReplyTest, ClosingMarksCapitalsAndSpacing) {
  // The count is every draw made when none of them does anything: x, then
  // the typing-error tests whose character condition holds.
  const std::vector<Case> kCases = {
      {"statement gets a full stop", "I suppose", Script().Quiet(11), "I suppose."},
      {"no capital at the start", "Not really.", Script().Quiet(9), "not really."},
      {"question", "What is it", Script().Quiet(12), "what is it?"},
      {"what at position 6", "Somewhat odd", Script().Quiet(10), "somewhat odd?"},
      {"what at position 11", "I wonder what", Script().Quiet(12), "I wonder what."},
      {"interesting cancels how", "That is interesting, how nice", Script().Quiet(16),
       "that is interesting, how nice."},
      {"blank after a full stop", "ok.then", Script().Quiet(9), "ok. Then"},
      {"dots spread out", "wait...", Script().Quiet(13), "wait. . ."},
      {"blank before comma dropped", "Yes , really", Script().Quiet(10), "yes, really."},
      {"blank before question mark dropped", "really ?", Script().Quiet(8), "really?"},
      {"stage direction", "<Frowns>", Script().Quiet(8), "<frowns>."},
      {"lone i", "so i said", Script().Quiet(12), "so I said."},
      {"sentence start after full stop", "fine. then", Script().Quiet(9), "fine. Then"},
      {"blanks around the reply", "  Fine  ", Script().Quiet(6), "fine."},
      {"empty reply", "", Script().Quiet(6), "."},
  };
  Run(kCases);
}

TEST_F(StyleReplyTest, QuestionTestWindows) {
  const std::vector<Case> kCases = {
      {"what at position 9", "xxxxxxxwhat", Script().Quiet(8), "xxxxxxxwhat?"},
      {"what at position 10", "xxxxxxxxwhat", Script().Quiet(7), "xxxxxxxxwhat."},
      {"can't at position 9", "xxxxxxxcan't", Script().Quiet(10), "xxxxxxxcan't?"},
      {"can't at position 10", "xxxxxxxxcan't", Script().Quiet(9), "xxxxxxxxcan't."},
      {"where at position 9", "xxxxxxxwhere", Script().Quiet(7), "xxxxxxxwhere?"},
      {"where at position 10", "xxxxxxxxwhere", Script().Quiet(6), "xxxxxxxxwhere."},
      {"how at the start", "How", Script().Quiet(7), "how?"},
      {"how inside a word", "Show", Script().Quiet(6), "show."},
      {"who and a blank", "Who cares", Script().Quiet(10), "who cares?"},
      {"who at the end", "Who", Script().Quiet(6), "who."},
      {"question ending in !", "what fun!", Script().Quiet(9), "what fun!"},
      {"! too far from the end", "what! really now", Script().Quiet(14), "what! really now?"},
      {"question holding ?", "what? no", Script().Quiet(10), "what? no"},
      {"statement holding ?", "fine? ok", Script().Quiet(9), "fine? ok"},
  };
  Run(kCases);
}

TEST_F(StyleReplyTest, OpenersAndEmoticons) {
  State().UserName = "John";
  const auto opener = [](int k, int quiet) {
    Script script;
    script.Then(kOpenerDue);
    script.Then(::velk::testing::DrawFor(k, 11));
    return script.Quiet(quiet);
  };
  const std::vector<Case> kCases = {
      {"x 16 draws no k", "Not really.", Script().Then(0.79).Quiet(8), "not really."},
      {"x 17 draws k", "Not really.", Script().Then(0.8).Then(0.0).Quiet(12), "Well,  not really."},
      {"1", "Not really.", opener(1, 12), "Well,  not really."},
      {"2", "Not really.", opener(2, 12), "Hmmm,  not really."},
      {"3 with a name", "Not really.", opener(3, 12), "John,  not really."},
      {"4", "Not really.", opener(4, 12), "So,  not really."},
      {"5", "Not really.", opener(5, 17), "not really. . . ."},
      {"6", "Not really.", opener(6, 15), "not really.  :-)"},
      {"7 loses a blank before ;", "Not really.", opener(7, 13), "not really. ;-)"},
      {"8", "Not really.", opener(8, 14), "not really.  :-o"},
      {"9", "Not really.", opener(9, 15), "not really.  :-("},
      {"10", "Not really.", opener(10, 15), "not really.  :-]"},
      {"11 capitalised as the first character", "Not really.", opener(11, 12), "Ok,  not really."},
      {"never for a question", "What is it", Script().Then(kOpenerDue).Quiet(11), "what is it?"},
      {"never for a stage direction", "<Frowns>", Script().Then(kOpenerDue).Quiet(7), "<frowns>."},
  };
  Run(kCases);
}

TEST_F(StyleReplyTest, NameOpenerNeedsAName) {
  for (const char* name : {"", "   "}) {
    State().UserName = name;
    Script script;
    script.Then(kOpenerDue).Then(::velk::testing::DrawFor(3, 11)).Quiet(8);
    EXPECT_EQ("not really.", Style("Not really.", script, name)) << "name '" << name << "'";
  }
}

TEST_F(StyleReplyTest, TypingErrors) {
  // Each odds test compares the unrounded value: 0.86 * 20 = 17.2 beats 17,
  // though its integer part does not.
  const std::vector<Case> kCases = {
      {"a lowers a capital", "I suppose", Script().Quiet(5).Then(0.86).Quiet(5), "i suppose."},
      {"a at exactly 17", "I suppose", Script().Quiet(5).Then(0.85).Quiet(5), "I suppose."},
      {"b apostrophe", "It's fine", Script().Quiet(6).Then(0.95).Quiet(3), "it;s fine."},
      {"b at exactly 18", "It's fine", Script().Quiet(6).Then(0.9).Quiet(3), "it's fine."},
      {"c p", "pop", Script().Quiet(5).Then(0.95).Quiet(2), "oop."},
      {"c capital P", "ok.pop", Script().Quiet(9).Then(0.95).Quiet(1), "ok. oop"},
      {"a then c on one character", "ok.pop", Script().Quiet(8).Then(0.9).Then(0.0).Quiet(1),
       "ok. pop"},
      {"d a", "a cat", Script().Quiet(5).Then(0.95).Quiet(4), "s cat."},
      {"e question mark", "What", Script().Quiet(7).Then(0.97), "what/"},
      {"e at exactly 48", "What", Script().Quiet(7).Then(0.96), "what?"},
      {"f ie", "niece", Script().Quiet(5).Then(0.95).Quiet(2), "nEIce."},
      {"g removes a blank", "not now", Script().Quiet(6).Then(0.985).Quiet(3), "notnow."},
      {"g at exactly 98", "not now", Script().Quiet(6).Then(0.98).Quiet(1), "not now."},
      {"g: moved-in capital not tested", "ok.pop", Script().Quiet(7).Then(0.985).Quiet(3),
       "ok.Pop"},
      {"g: moved-in blank not tested", "not now", Script().Quiet(2).Then(0.985).Quiet(5),
       "not now."},
      {"g twice: both blanks come back at the end and are tested", "a b c",
       Script().Quiet(7).Then(0.985).Quiet(1).Then(0.985).Quiet(5), "abc."},
  };
  Run(kCases);
}

// The typing slips read plainly: at each position of the text as it stood
// before them, every test in order on the text as the earlier ones left it,
// drawing only when its character condition holds.
template <typename Draw>
std::string PlainSlips(std::string text, Draw draw) {
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  const std::size_t length = text.size();
  for (std::size_t d = 0; d < length; ++d) {
    if (text[d] == upper(text[d]) && draw() * 20 > 17) text[d] = lower(text[d]);
    if (text[d] == '\'' && draw() * 20 > 18) text[d] = ';';
    if (upper(text[d]) == 'P' && draw() * 20 > 18) text[d] = 'o';
    if (upper(text[d]) == 'A' && draw() * 20 > 18) text[d] = 's';
    if (text[d] == '?' && draw() * 50 > 48) text[d] = '/';
    if (d + 1 < length && upper(text[d]) == 'I' && upper(text[d + 1]) == 'E' && draw() * 20 > 18) {
      text[d] = 'E';
      text[d + 1] = 'I';
    }
    if (text[d] == ' ' && draw() * 100 > 98) {
      text.erase(d, 1);
      text += ' ';
    }
  }
  return text;
}

TEST_F(StyleReplyTest, SlipsAsThePlainReadingOnRandomReplies) {
  // Pieces that every slip can touch, names that come back with a capital,
  // and marks that bring capitals and blanks.
  static const std::vector<std::string> kPieces = {"a",  "A",    "p",   "P", "i", "ie",
                                                   "IE", "pie",  "'",   "?", " ", "  ",
                                                   ".",  "john", "May", "b", "7"};
  // Draws at the very edge of each odds test, and ones that beat them all.
  static constexpr double kEdges[] = {17.0 / 20, 18.0 / 20, 48.0 / 50, 98.0 / 100, 0.99};
  std::mt19937 generator(5);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  for (int round = 0; round < 3000; ++round) {
    std::string reply;
    for (std::size_t n = generator() % 12; n > 0; --n)
      reply += kPieces[generator() % kPieces.size()];

    // With every draw 0 there is no opener and no slip. Without an opener the
    // text before the slips opens with two blanks and ends in no blank, so
    // the quiet reply gives it whole.
    for (std::size_t n = 8 * reply.size() + 16; n > 0; --n) random.Queue(0.0);
    const std::string unslipped = "  " + StyleReply(engine, reply);
    while (random.Remaining() > 0) random.Draw();

    std::vector<double> draws;
    for (std::size_t n = 8 * unslipped.size(); n > 0; --n) {
      draws.push_back(generator() % 2 == 0 ? kEdges[generator() % std::size(kEdges)]
                                           : uniform(generator));
    }
    random.Queue(0.0);  // no opener
    for (const double draw : draws) random.Queue(draw);
    const int takenBefore = random.DrawsTaken();
    const std::string styled = StyleReply(engine, reply);
    const int taken = random.DrawsTaken() - takenBefore - 1;
    while (random.Remaining() > 0) random.Draw();

    std::size_t used = 0;
    const std::string plain = PlainSlips(unslipped, [&] { return draws[used++]; });
    ASSERT_EQ(std::string(Trim(plain)), styled) << "reply [" << reply << "]";
    ASSERT_EQ(static_cast<int>(used), taken) << "reply [" << reply << "]";
  }
}

TEST_F(StyleReplyTest, EveryWordIsProcessed) {
  std::string reply, expected;
  for (int i = 0; i < 50; ++i) reply += "i ";
  for (int i = 0; i < 49; ++i) expected += "I ";
  expected += "i.";
  // x, two draws for each of the 51 blanks, one for each "I" and the stop.
  EXPECT_EQ(expected, Style(reply, Script().Quiet(1 + 2 * 51 + 49 + 1), "50 words"));
}

TEST_F(StyleReplyTest, FirstNamesRecased) {
  const std::vector<Case> kCases = {
      {"name", "Hello john", Script().Quiet(9), "hello John."},
      {"may is a name, i before a stop is not", "May i", Script().Quiet(10), "May i."},
  };
  Run(kCases);
}

}  // namespace
}  // namespace velk
