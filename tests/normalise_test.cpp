#include "engine/normalise.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/test_support.h"

namespace velk {
namespace {

using testing::Repeat;

struct Case {
  const char* Label;
  std::string Line;
  std::string Expected;
};

void ExpectNormalised(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(c.Expected, NormaliseInput(c.Line)) << c.Label;
}

TEST(NormaliseInputTest, CollapsesRunsAndRemovesEmoticons) {
  ExpectNormalised({
      {"upper case, ASCII only", "caf\xC3\xA9 ok", "CAF\xC3\xA9 OK"},
      {"exclamation marks", "hello!!!", "HELLO!"},
      {"question marks", "what??", "WHAT?"},
      {"dots", "wait....", "WAIT."},
      {"blanks", "HI     THERE", "HI THERE"},
      {"different marks stay", "WHAT?!?", "WHAT?!?"},
      {"blanks around an emoticon stay", "COOL :-) THANKS", "COOL  THANKS"},
      {"lower-case o of the emoticon", "wow :-o", "WOW "},
      {"other emoticons stay", "OK :-P", "OK :-P"},
      {"removal that makes a new one", "A:-:-))B", "AB"},
      {"earlier emoticon made by a later one stays", "A:-;-))B", "A:-)B"},
      {"later emoticon made by an earlier one goes", "A;-:-))B", "AB"},
      {"empty line", "", ""},
  });
}

TEST(NormaliseInputTest, ExpandsContractions) {
  ExpectNormalised({
      {"semicolon for the apostrophe", "DIDN;T", "DID NOT"},
      {"CAN'T before N'T", "I CAN'T", "I CAN NOT"},
      {"WON'T before N'T", "I WON'T", "I WILL NOT"},
      {"N'T glued to its stem", "DON'T ISN'T", "DO NOT IS NOT"},
      {"two rows in one pass", "I'M SURE YOU'RE RIGHT", "I AM SURE YOU ARE RIGHT"},
      {"'LL", "I'LL GO. WE'LL SEE", "I WILL GO. WE WILL SEE"},
      {"WHO'S", "WHO'S THERE", "WHO IS THERE"},
      {"HE'S inside SHE'S", "SHE'S", "SHE IS"},
      {"marker no row removes", "THE CAT'S HAT", "THE CAT'S HAT"},
      {"DUNNO alone is no marker", "I DUNNO", "I DUNNO"},
      {"DUNNO beside a marker", "I DUNNO, I'M TIRED", "I DO NOT KNOW, I AM TIRED"},
      {"U'RE alone is no marker", "U'RE", "U'RE"},
      {"one per row and pass", "I'M I'M", "I AM I AM"},
      {"stops once no marker is left", "I'M DUNNO DUNNO", "I AM DO NOT KNOW DUNNO"},
      {"an unremoved marker keeps passes going", "JOHN'S I'M DUNNO DUNNO DUNNO",
       "JOHN'S I AM DO NOT KNOW DO NOT KNOW DO NOT KNOW"},
      // Expanding "DUNNO" makes "WE'D" in the first word while the row's
      // leftmost match so far lay further right.
      {"match made by an expansion", "DUNNOE'D WE'D WE'D", "DO NOT KNOWE WOULD WE WOULD WE WOULD"},
  });
}

TEST(NormaliseInputTest, ExpansionStopsAfter64Passes) {
  ExpectNormalised({
      {"64 need 64 passes", Repeat("I'M ", 64), Repeat("I AM ", 64)},
      {"the 65th is left", Repeat("I'M ", 65), Repeat("I AM ", 64) + "I'M "},
      {"several rows per pass", Repeat("DON'T I'M ", 65),
       Repeat("DO NOT I AM ", 64) + "DON'T I'M "},
  });
}

TEST(NormaliseInputTest, LongLines) {
  ExpectNormalised({
      {"all blanks", std::string(32767, ' '), " "},
      {"all dots", std::string(32767, '.'), "."},
      {"all emoticons", Repeat(":-)", 10922), ""},
      {"nested emoticons", Repeat(":-", 5000) + Repeat(")", 5000), ""},
  });
}

// The rules read plainly, one whole-text search at a time.
void ReplaceFirst(std::string& text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
}

void ReplaceUntilNone(std::string& text, std::string_view from, std::string_view to) {
  while (text.find(from) != std::string::npos) ReplaceFirst(text, from, to);
}

std::string PlainNormalise(std::string_view line) {
  std::string text(line);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  ReplaceUntilNone(text, "  ", " ");
  ReplaceUntilNone(text, "..", ".");
  ReplaceUntilNone(text, "!!", "!");
  ReplaceUntilNone(text, "??", "?");
  ReplaceUntilNone(text, "N;T", "N'T");
  for (const char* emoticon : {":-)", ";-)", ":-O", ":-(", ":-]"}) {
    ReplaceUntilNone(text, emoticon, "");
  }
  static constexpr std::array<std::array<std::string_view, 2>, 29> kRows{{
      {"CAN'T", "CAN NOT"},     {"WON'T", "WILL NOT"},   {"N'T", " NOT"},
      {"WHAT'S", "WHAT IS"},    {"I'M", "I AM"},         {"YOU'RE", "YOU ARE"},
      {"HE'S", "HE IS"},        {"SHE'S", "SHE IS"},     {"IT'S", "IT IS"},
      {"WE'RE", "WE ARE"},      {"THEY'RE", "THEY ARE"}, {"I'VE", "I HAVE"},
      {"YOU'VE", "YOU HAVE"},   {"WE'VE", "WE HAVE"},    {"THEY'VE", "THEY HAVE"},
      {"I'D", "I WOULD"},       {"YOU'D", "YOU WOULD"},  {"HE'D", "HE WOULD"},
      {"SHE'D", "SHE WOULD"},   {"IT'D", "IT WOULD"},    {"WE'D", "WE WOULD"},
      {"THEY'D", "THEY WOULD"}, {"'LL", " WILL"},        {"LET'S", "LET US"},
      {"THAT'S", "THAT IS"},    {"NAME'S", "NAME IS"},   {"DUNNO", "DO NOT KNOW"},
      {"U'RE", "YOU ARE"},      {"WHO'S", "WHO IS"},
  }};
  static constexpr std::string_view kMarkers[] = {"I'M",     "N'T", "YOU'RE", "E'S", "WE'RE",
                                                  "THEY'RE", "'VE", "'D",     "'LL", "'S"};
  for (int pass = 0; pass < 64; ++pass) {
    bool marked = false;
    for (const std::string_view marker : kMarkers) {
      marked = marked || text.find(marker) != std::string::npos;
    }
    if (!marked) break;
    const std::string before = text;
    for (const auto& row : kRows) ReplaceFirst(text, row[0], row[1]);
    if (text == before) break;
  }
  return text;
}

TEST(NormaliseInputTest, AgreesWithThePlainReadingOnRandomLines) {
  // Whole contractions, their halves and single letters, emoticons and runs,
  // glued together or spaced, so that matches overlap, straddle pieces and
  // appear only once an expansion has been made beside them.
  static const std::vector<std::string> kPieces = {
      "I'M",  "CAN'T", "WON'T",  "DON'T",    "DIDN;T", "YOU'RE", "SHE'S", "WE'D", "THEY'VE",
      "U'RE", "WHO'S", "NAME'S", "DUNNO",    "dunno",  "i'm",    "I",     "WE",   "YOU",
      "THEY", "SHE",   "HE",     "IT",       "LET",    "THAT",   "WHAT",  "N",    "'T",
      "'S",   "'D",    "'VE",    "'LL",      "'RE",    "'",      "N;T",   ";",    "A",
      "D",    "E",     "K",      "O",        "S",      "T",      "U",     "W",    ":-",
      ")",    ":-)",   ";-)",    ":-o",      "(",      "]",      ".",     "!",    "?",
      "..",   " ",     "  ",     "\xC2\xA3",
  };
  std::mt19937 random(2024);
  for (int round = 0; round < 30000; ++round) {
    std::string line;
    for (std::size_t n = random() % 16; n > 0; --n) {
      line += kPieces[random() % kPieces.size()];
      if (random() % 4 == 0) line += ' ';
    }
    ASSERT_EQ(PlainNormalise(line), NormaliseInput(line)) << "line [" << line << "]";
  }
}

}  // namespace
}  // namespace velk
