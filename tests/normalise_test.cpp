#include "engine/normalise.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace velk
