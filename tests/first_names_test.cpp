#include "identity/first_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

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

// Every entry is found, in lower case, with its group's gender: catches an
// entry that the hashed table lost, or gave the wrong sex.
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

// The lookup's rules read plainly: the gender the table gives `word`, or
// "none". Held against the hashed table below.
std::string ReferenceGender(std::string_view word) {
  std::string key;
  for (char c : Trim(word)) {
    if (c != '.' && c != '?' && c != ',')
      key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  const auto has = [&key](std::span<const std::string_view> names) {
    return std::find(names.begin(), names.end(), key) != names.end();
  };
  if (has(FirstNameTable.Male)) return "M";
  if (has(FirstNameTable.Female)) return "F";
  if (has(FirstNameTable.Either)) return "";
  return "none";
}

// Every name and many near misses, in several spellings, agree with the plain
// reading: verdict, gender and the word afterwards.
TEST(FirstNamesLookup, AgreesWithAPlainSearch) {
  std::vector<std::string> words;
  std::vector<std::string_view> names;
  for (auto group : {FirstNameTable.Male, FirstNameTable.Female, FirstNameTable.Either}) {
    names.insert(names.end(), group.begin(), group.end());
  }
  for (std::string_view name : names) {
    const std::string upper(name), lower = ToLower(name);
    words.insert(words.end(), {upper, lower, lower + ".", " " + upper + "? ", "." + lower + ","});
    std::string spread;
    for (char c : name) spread += std::string(1, c) + ",";
    words.push_back(spread);
    // Near misses: one letter short, one too many, one changed, one made a
    // blank or another byte, and long words that end in the name.
    words.push_back(upper.substr(1));
    words.push_back(upper.substr(0, upper.size() - 1));
    words.push_back(upper + "S");
    words.push_back("A" + lower);
    for (std::size_t i = 0; i < upper.size(); ++i) {
      for (char c = 'A'; c <= 'Z'; ++c) {
        std::string changed = upper;
        changed[i] = c;
        words.push_back(changed);
      }
      for (char c : {' ', '\t', '-', '\'', '@', '[', '`', '{', '\xc3'}) {
        std::string changed = upper;
        changed[i] = c;
        words.push_back(changed);
      }
    }
    for (std::size_t extra = 1; extra <= 14; ++extra) {
      words.push_back(std::string(extra, 'Q') + upper);
      words.push_back(std::string(extra, 'A') + lower);
    }
  }
  // Every word of one to three letters.
  for (char a = 'A'; a <= 'Z'; ++a) {
    words.emplace_back(1, a);
    for (char b = 'A'; b <= 'Z'; ++b) {
      words.push_back(std::string{a, b});
      for (char c = 'A'; c <= 'Z'; ++c) words.push_back(std::string{a, b, c});
    }
  }

  for (const std::string& word : words) {
    const std::string expected = ReferenceGender(word);
    ConversationState state;
    state.NameGender = "X";
    std::string looked = word;
    const bool found = LookupFirstName(state, looked);
    ASSERT_EQ(expected != "none", found) << "'" << word << "'";
    ASSERT_EQ(found ? expected : "", state.NameGender) << "'" << word << "'";
    if (!found) {
      ASSERT_EQ(word, looked);
    }
  }
}

// The overload for a word inside a longer text re-cases only that word.
TEST(FirstNamesLookup, WordInsideATextRecasedInPlace) {
  ConversationState state;
  std::string text = "to john. then";
  EXPECT_TRUE(LookupFirstName(state, std::span<char>(text.data() + 3, 5)));
  EXPECT_EQ("to John. then", text);
  EXPECT_EQ("M", state.NameGender);
  EXPECT_FALSE(LookupFirstName(state, std::span<char>(text.data(), 2)));
  EXPECT_EQ("", state.NameGender);
  EXPECT_FALSE(LookupFirstName(state, std::span<char>(text.data() + 3, 0)));
}

}  // namespace
}  // namespace velk
