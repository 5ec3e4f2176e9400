#include "engine/point_of_view.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/normalise.h"

namespace velk {
namespace {

// The swapped sentences of a line, each word followed by one blank, with one
// pronoun flag for the whole line.
std::string SwapLine(std::string_view line) {
  std::string out;
  bool pronounFlag = false;
  PreparedSentence prepared;
  for (const std::string& sentence : SplitSentences(NormaliseInput(line))) {
    PrepareSentence(sentence, prepared, pronounFlag);
    out += '[';
    for (const std::string& word : prepared.Words) {
      if (!word.empty()) out += word + ' ';
    }
    out += ']';
  }
  return out;
}

TEST(SwapPerspectiveTest, Sentences) {
  static const struct {
    const char* Label;
    const char* Line;
    const char* Expected;
  } kCases[] = {
      {"subject I", "I AM HUNGRY", "[YOU ARE HUNGRY ]"},
      {"subject YOU, repaired verb", "YOU ARE CLEVER", "[I AM CLEVER ]"},
      {"ARE before a raw YOU?", "ARE YOU THERE?", "[AM I THERE ]"},
      {"object after a pronoun two back", "I LIKE YOU", "[YOU LIKE ME ]"},
      {"object ME", "DO YOU LIKE ME", "[DO I LIKE YOU ]"},
      {"THANK YOU", "THANK YOU", "[THANK YOU ]"},
      {"YOU after -ED", "I TOLD YOU", "[YOU TOLD ME ]"},
      {"YOU after -ED, no flag", "WE ASKED YOU", "[WE ASKED ME ]"},
      {"YOU after FOR", "IT IS FOR YOU", "[IT IS FOR ME ]"},
      {"YOU after TO", "TALK TO YOU", "[TALK TO ME ]"},
      {"WAS with the I flag", "I WAS THERE", "[YOU WERE THERE ]"},
      {"WERE with the YOU flag", "YOU WERE THERE", "[I WAS THERE ]"},
      {"I flag from a word ending in I", "HI WAS", "[HI WERE ]"},
      {"no flag from the last word", "WAS I", "[WAS YOU ]"},
      {"MY", "MY DOG", "[YOUR DOG ]"},
      {"YOUR", "YOUR DOG", "[MY DOG ]"},
      {"MINE", "IT IS MINE", "[IT IS YOURS ]"},
      {"YOURS", "IT IS YOURS", "[IT IS MINE ]"},
      {"A MINE", "A MINE", "[A MINE ]"},
      {"THE MINE", "THE MINE", "[THE MINE ]"},
      {"a gold mine", "A GOLD MINE", "[A GOLD YOURS ]"},
      {"reflexives", "TELL ME ABOUT YOURSELF", "[TELL YOU ABOUT MYSELF ]"},
      {"MYSELF", "I HURT MYSELF", "[YOU HURT YOURSELF ]"},
      {"ABOUT YOU", "ABOUT YOU", "[ABOUT ME ]"},
      {"ME ARE repaired", "I THINK YOU ARE NICE", "[YOU THINK I AM GOOD ]"},
      {"DO NOT ME repaired", "THEY DO NOT YOU", "[THEY DO NOT I ]"},
      // The flag set in the first sentence turns the second one's YOU into ME.
      {"flag lives for the line", "I LIKE IT. DO YOU?", "[YOU LIKE IT ][DO ME ]"},
      {"without the flag", "DO YOU?", "[DO I ]"},
      {"swapped word is not swapped back", "I I", "[YOU YOU ]"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, SwapLine(c.Line)) << c.Label;
}

// One call on slot 3: slots 1 and 2 as already swapped, slot 3 stripped and
// canonicalised, slot 4 raw.
TEST(SwapPerspectiveTest, OneWord) {
  static const struct {
    const char* Label;
    const char* TwoBack;
    const char* Previous;
    const char* Word;
    const char* Next;
    SwapFlags Flags;
    bool PronounFlag;
    const char* Expected;  // slots 2 and 3 afterwards
    bool ExpectedFlag;
  } kCases[] = {
      {"ARE before raw YOU", "", "", "ARE", "YOU?", {}, false, " AM", false},
      {"ARE after YOUR", "", "YOUR", "ARE", "", {}, false, "YOUR AM", false},
      {"AM when ARE stays", "", "", "AM", "", {}, false, " ARE", false},
      {"WAS without the I flag", "", "", "WAS", "", {false, true}, false, " WAS", false},
      // The second test is skipped only when the first one changed the word.
      {"WERE with both flags", "", "", "WERE", "", {true, true}, false, " WAS", false},
      {"pronoun two back sets the flag", "SHE", "", "CAT", "", {}, false, " CAT", true},
      {"flag never cleared", "", "", "YOU", "", {}, true, " ME", true},
      {"THANK even with the flag", "", "THANK", "YOU", "", {}, true, "THANK YOU", true},
      {"ME WAS", "", "ME", "WAS", "", {}, false, "I WAS", false},
      {"ME CAN", "", "ME", "CAN", "", {}, false, "I CAN", false},
      {"ME HAVE", "", "ME", "HAVE", "", {}, false, "I HAVE", false},
      {"ME AM from ARE", "", "ME", "ARE", "", {}, false, "I AM", false},
      {"AM ME", "", "AM", "YOU", "", {}, true, "AM I", true},
      {"TELLS I", "", "TELLS", "YOU", "", {}, false, "TELLS ME", false},
      {"FROM I", "", "FROM", "YOU", "", {}, false, "FROM ME", false},
      {"IGNORE I", "", "IGNORE", "YOU", "", {}, false, "IGNORE ME", false},
      {"ME THINK", "", "ME", "THINK", "", {}, false, "I THINK", false},
      {"NOT ME without DO", "", "NOT", "YOU", "", {}, true, "NOT ME", true},
      {"DO NOT ME", "DO", "NOT", "YOU", "", {}, true, "NOT I", true},
  };
  for (const auto& c : kCases) {
    WordTable words;
    words[1] = c.TwoBack;
    words[2] = c.Previous;
    words[3] = c.Word;
    words[4] = c.Next;
    bool pronounFlag = c.PronounFlag;
    SwapPerspective(words, 3, c.Flags, pronounFlag);
    EXPECT_EQ(c.Expected, words[2] + ' ' + words[3]) << c.Label;
    EXPECT_EQ(c.ExpectedFlag, pronounFlag) << c.Label;
    EXPECT_EQ(c.Next, words[4]) << c.Label;
  }
}

// The first word has nothing two slots back, and slot 0 is the empty slot
// before it.
TEST(SwapPerspectiveTest, FirstSlot) {
  WordTable words;
  words[1] = "ME";
  bool pronounFlag = false;
  SwapPerspective(words, 1, {}, pronounFlag);
  EXPECT_EQ("YOU", words[1]);
  EXPECT_EQ("", words[0]);
  EXPECT_FALSE(pronounFlag);
}

}  // namespace
}  // namespace velk
