#include "identity/first_names.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "engine/text.h"

namespace velk {
namespace {

TEST(FirstNamesTable, GroupSizesAndBoundaries) {
  ASSERT_EQ(229u, FirstNameTable.Male.size());
  ASSERT_EQ(231u, FirstNameTable.Female.size());
  ASSERT_EQ(13u, FirstNameTable.Either.size());

  EXPECT_EQ("AARON", FirstNameTable.Male.front());
  EXPECT_EQ("ZACK", FirstNameTable.Male.back());
  EXPECT_EQ("ADEL", FirstNameTable.Female.front());
  EXPECT_EQ("ZOE", FirstNameTable.Female.back());
  EXPECT_EQ("AL", FirstNameTable.Either.front());
  EXPECT_EQ("SAMMY", FirstNameTable.Either.back());
}

// Every entry is found, in lower case, with its group's gender: catches a
// misplaced or misspelt entry that would break the ordered search.
TEST(FirstNamesTable, EveryEntryFoundWithItsGroupsGender) {
  const struct {
    const char* Label;
    std::span<const std::string_view> Names;
    const char* Gender;
  } groups[] = {
      {"male", FirstNameTable.Male, "M"},
      {"female", FirstNameTable.Female, "F"},
      {"either", FirstNameTable.Either, ""},
  };
  for (const auto& group : groups) {
    for (std::string_view name : group.Names) {
      ConversationState state;
      state.NameGender = "X";
      std::string word = ToLower(name);
      EXPECT_TRUE(LookupFirstName(state, word)) << group.Label << " " << name;
      EXPECT_EQ(group.Gender, state.NameGender) << group.Label << " " << name;
      EXPECT_EQ(std::string(name.substr(0, 1)) + ToLower(name.substr(1)), word)
          << group.Label << " " << name;
    }
  }
}

TEST(FirstNamesLookup, VerdictGenderAndRecasing) {
  const struct {
    const char* Label;
    const char* Word;
    bool Found;
    const char* Gender;
    const char* After;
  } cases[] = {
      {"male upper", "JOHN", true, "M", "John"},
      {"female mixed case", "Mary", true, "F", "Mary"},
      {"either sex has no gender", "sam", true, "", "Sam"},
      {"first male", "aaron", true, "M", "Aaron"},
      {"last female", "ZOE", true, "F", "Zoe"},
      {"last either", "SAMMY", true, "", "Sammy"},
      {"comma kept", "JOHN,", true, "M", "John,"},
      {"question mark kept", "JOHN?", true, "M", "John?"},
      {"full stop kept", "john.", true, "M", "John."},
      {"marks inside the word", "J.O.H.N", true, "M", "J.o.h.n"},
      {"blanks kept, first byte a blank", " JOHN ", true, "M", " john "},
      {"longest name spread by marks", "B.A.R.T.H.O.L.O.M.E.W.", true, "M",
       "B.a.r.t.h.o.l.o.m.e.w."},

      {"empty", "", false, "", ""},
      {"blanks only", "   ", false, "", "   "},
      {"marks only", ".?,", false, "", ".?,"},
      {"two words", "MARY ANN", false, "", "MARY ANN"},
      {"prefix of a name", "JOH", false, "", "JOH"},
      {"name plus a letter", "JOHNX", false, "", "JOHNX"},
      {"longer than any name", "BARTHOLOMEWS", false, "", "BARTHOLOMEWS"},
      {"other marks count", "JOHN!", false, "", "JOHN!"},
      {"tab is not trimmed", "JOHN\t", false, "", "JOHN\t"},
      {"lower case kept on failure", "velko", false, "", "velko"},
  };
  for (const auto& c : cases) {
    ConversationState state;
    state.NameGender = "X";  // every call must overwrite it
    std::string word = c.Word;
    EXPECT_EQ(c.Found, LookupFirstName(state, word)) << c.Label;
    EXPECT_EQ(c.Gender, state.NameGender) << c.Label;
    EXPECT_EQ(c.After, word) << c.Label;
  }
}

TEST(FirstNamesLookup, FailureClearsGenderOfAnEarlierHit) {
  ConversationState state;
  std::string hit = "BETTY";
  ASSERT_TRUE(LookupFirstName(state, hit));
  ASSERT_EQ("F", state.NameGender);
  std::string miss = "TABLE";
  EXPECT_FALSE(LookupFirstName(state, miss));
  EXPECT_EQ("", state.NameGender);
}

}  // namespace
}  // namespace velk
