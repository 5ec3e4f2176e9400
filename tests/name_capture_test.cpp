#include "identity/name_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace velk {
namespace {

// Each row starts from a state with a name already stored, so that a row
// that must change nothing shows it.
TEST(NameCapture, ResultAndStoredName) {
  const struct {
    const char* Label;
    const char* Text;
    NameResult Result;
    const char* UserName;    // "Old" = unchanged
    const char* UserGender;  // "?" = unchanged
    const char* NameGender;  // "?" = no lookup made
  } cases[] = {
      {"empty", "", NameRefused, "Old", "?", "?"},
      {"blanks only", "   ", NameRefused, "Old", "?", "?"},

      // NAME ... IS
      {"name is", "YOUR NAME IS JOHN ", NameCaptured, "John", "M", "M"},
      {"surname dropped", "YOUR NAME IS JOHN SMITH ", NameCaptured, "John", "M", "M"},
      {"extra leading blank", " YOUR NAME IS JOHN ", NameCaptured, "John", "M", "M"},
      {"name is not", "YOUR NAME IS NOT ", NameRefused, "Old", "?", "?"},
      {"S of FIRST moves the start", "YOUR FIRST NAME IS JOHN ", NameUnknown, "Old", "?", ""},
      {"IS before NAME does not apply", "IS JOHN NAME IS ", NameUnknown, "Old", "?", ""},
      {"last word needs its blank", "YOUR NAME IS JOHN", NameUnknown, "Old", "?", ""},
      {"start beyond the end", "YOUR NAME IS ", NameUnknown, "Old", "?", ""},
      {"mark kept in the name", "YOUR NAME IS JOHN. ", NameCaptured, "John.", "M", "M"},

      // CALL / CALLED
      {"call you", "CALL YOU SAM ", NameCaptured, "Sam", "", ""},
      {"call you has no NOT test", "CALL YOU NOT ", NameUnknown, "Old", "?", ""},
      {"called before you are", "YOU ARE CALLED MARY ", NameCaptured, "Mary", "F", "F"},
      {"called at the very end", "CALLED", NameUnknown, "Old", "?", ""},

      // IT IS
      {"it is", "IT IS JOHN ", NameCaptured, "John", "M", "M"},
      {"IS of THIS read first, hit", "THIS BOB IT IS ", NameCaptured, "Bob", "M", "M"},
      {"IS of THIS read first, miss", "THIS IT IS JOHN ", NameUnknown, "Old", "?", ""},
      {"it is not", "IT IS NOT ", NameRefused, "Old", "?", "?"},
      {"it is at the very end", "IT IS", NameUnknown, "Old", "?", ""},
      {"failed rule passes on", "IT IS FUN YOU ARE TOM ", NameCaptured, "Tom", "M", "M"},

      // YOU ARE
      {"you are", "YOU ARE JOHN ", NameCaptured, "John", "M", "M"},
      {"you are not saying", "YOU ARE NOT SAYING ", NameRefused, "Old", "?", "?"},
      {"ARE of CARE read first", "CARE YOU ARE PAT ", NameUnknown, "Old", "?", ""},

      // ... IS YOUR NAME
      {"is your name", "JOHN IS YOUR NAME ", NameCaptured, "John", "M", "M"},
      {"is your name, no head", "IS YOUR NAME ", NameUnknown, "Old", "?", ""},

      // Refusal, joke answers
      {"not saying", "NOT SAYING ", NameRefused, "BETTY", "F", "?"},
      {"do not want", "DO NOT WANT TO ", NameRefused, "BETTY", "F", "?"},
      {"refusal before guess", "NOT SAYING GUESS ", NameRefused, "BETTY", "F", "?"},
      {"guess", "GUESS ", NameGuess, "BOB", "M", "?"},
      {"guess before mine", "GUESS MINE ", NameGuess, "BOB", "M", "?"},
      {"mine", "WHAT IS MINE ", NameMine, "Old", "?", "?"},

      // Whole answer
      {"whole answer male", "JOHN ", NameCaptured, "John", "M", "M"},
      {"whole answer female", "BETTY ", NameCaptured, "Betty", "F", "F"},
      {"whole answer keeps its mark", "JOHN? ", NameCaptured, "John?", "M", "M"},
      {"two names are no answer", "JOHN PAUL ", NameUnknown, "Old", "?", ""},

      // Rude or nothing
      {"CLASS holds ASS", "FIRST CLASS ", NameRude, "Old", "?", ""},
      {"dumb", "DUMB ", NameRude, "Old", "?", ""},
      {"nothing", "HELLO THERE ", NameUnknown, "Old", "?", ""},
  };
  for (const auto& c : cases) {
    ConversationState state;
    state.UserName = "Old";
    state.UserGender = "?";
    state.NameGender = "?";
    EXPECT_EQ(c.Result, CaptureName(state, c.Text)) << c.Label;
    EXPECT_EQ(c.UserName, state.UserName) << c.Label;
    EXPECT_EQ(c.UserGender, state.UserGender) << c.Label;
    EXPECT_EQ(c.NameGender, state.NameGender) << c.Label;
  }
}

// Every prefix and suffix of texts that put the keys at the very ends, and a
// text far longer than a line: the position arithmetic must stay inside the
// text (run under the sanitizers) and always give a result.
TEST(NameCapture, NoTextReadsOutsideItself) {
  const std::string_view texts[] = {
      "YOUR NAME IS JOHN ", "CALL YOU SAM ",     "YOU ARE CALLED MARY ", "THIS IT IS JOHN ",
      "JOHN IS YOUR NAME ", "CARE YOU ARE PAT ", "S NAME IS ",           "YOU CALL ",
  };
  for (std::string_view text : texts) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      for (std::string_view part : {text.substr(0, cut), text.substr(cut)}) {
        ConversationState state;
        const NameResult result = CaptureName(state, part);
        EXPECT_TRUE(result >= NameUnknown && result <= NameRude) << "'" << part << "'";
      }
    }
  }

  ConversationState state;
  const std::string longText = std::string(40000, 'X') + " YOUR NAME IS JOHN ";
  EXPECT_EQ(NameCaptured, CaptureName(state, longText));
  EXPECT_EQ("John", state.UserName);
}

}  // namespace
}  // namespace velk
