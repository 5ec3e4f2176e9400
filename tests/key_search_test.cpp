#include "base/key_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace velk {
namespace {

// The keys of `keys` that `text` holds, by the search, as "KEY1|KEY2|…" in
// key order.
std::string Found(const std::vector<std::string_view>& keys, std::string_view text) {
  const KeyHits hits = KeySearch(keys).Find(text);
  std::string found;
  const char* separator = "";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (!hits.Has(i)) continue;
    found += separator;
    found += keys[i];
    separator = "|";
  }
  return found;
}

// Every key, in every text, answered as the plain search answers.
void ExpectSameAsContains(const std::vector<std::string_view>& keys,
                          const std::vector<std::string>& texts) {
  const KeySearch search(keys);
  for (const std::string& text : texts) {
    const KeyHits hits = search.Find(text);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(Contains(text, keys[i]), hits.Has(i))
          << "key [" << keys[i] << "] in text [" << text << "]";
    }
  }
}

TEST(KeySearchTest, FindsEveryKeyTheTextHolds) {
  // Keys inside one another, sharing a start, or one ending where another
  // begins: each found on its own.
  const std::vector<std::string_view> keys = {"HE", "SHE", "HIS", "HERS", "A", "AA", "AAA"};
  const struct {
    const char* Text;
    const char* Expected;
  } cases[] = {
      {"USHERS", "HE|SHE|HERS"},
      {"SHE", "HE|SHE"},
      {"HIS HERS", "HE|HIS|HERS"},
      {"HHHIS", "HIS"},
      {"SHSHE", "HE|SHE"},  // a failed SH then SHE
      {"HERHERS", "HE|HERS"},
      {"AA", "A|AA"},
      {"BAAAB", "A|AA|AAA"},
      {"ABABA", "A"},
      {"she", ""},  // case counts
      {"", ""},
      {"XYZ", ""},  // bytes no key uses
  };
  for (const auto& c : cases) EXPECT_EQ(c.Expected, Found(keys, c.Text)) << c.Text;

  // A key that ends where the text stops partway through a longer key.
  EXPECT_EQ("OU", Found({"YOUR", "OU"}, "YOU"));
  EXPECT_EQ("YOUR|OU", Found({"YOUR", "OU"}, "YOUR"));
}

TEST(KeySearchTest, BlanksAndEdges) {
  // The rule tables pad the sentence with a blank on each side and put
  // blanks inside keys to find words at either end.
  const std::vector<std::string_view> keys = {" HI", "NO ", " SURE ", "I", " I "};
  EXPECT_EQ(" HI|NO |I| I ", Found(keys, " HI I SAID NO "));
  EXPECT_EQ(" SURE ", Found(keys, " SURE "));
  EXPECT_EQ("", Found(keys, "SURE"));
  EXPECT_EQ("I", Found(keys, "HI"));
  EXPECT_EQ("NO ", Found(keys, "NO "));
}

TEST(KeySearchTest, EmptyKeysDuplicatesAndHighBytes) {
  // An empty key is always held, even by an empty text, as Contains says.
  EXPECT_EQ("|B", Found({"", "B"}, "AB"));
  const KeyHits inEmpty = KeySearch(std::vector<std::string_view>{"", "B"}).Find("");
  EXPECT_TRUE(inEmpty.Has(0));
  EXPECT_FALSE(inEmpty.Has(1));

  // A key listed twice is found under both numbers.
  EXPECT_EQ("CAP|CAP", Found({"CAP", "CAP"}, "ESCAPE"));

  // Bytes above 127 (a pound sign in UTF-8) and a lone half of one.
  const std::vector<std::string_view> keys = {"\xC2\xA3", "$", "\xA3"};
  EXPECT_EQ("\xC2\xA3|\xA3", Found(keys, "5\xC2\xA3"));
  EXPECT_EQ("\xA3", Found(keys, "\xA3\xC2"));
  EXPECT_EQ("$", Found(keys, "$5"));
}

TEST(KeySearchTest, NoKeysAtAll) {
  const KeySearch search(std::vector<std::string_view>{});
  const KeyHits hits = search.Find("ANYTHING");
  for (std::size_t i = 0; i < KeyHits::kMaxKeys; ++i) EXPECT_FALSE(hits.Has(i)) << i;
}

TEST(KeySearchTest, AgreesWithContainsOnRandomTexts) {
  // A small alphabet makes overlaps, repeats and near misses common.
  std::mt19937 random(12345);
  const auto randomText = [&random](std::size_t maxLength) {
    static constexpr char kAlphabet[] = {'A', 'B', 'C', ' ', 'A', 'B', '\xC2'};
    std::string text(random() % (maxLength + 1), ' ');
    for (char& c : text) c = kAlphabet[random() % sizeof kAlphabet];
    return text;
  };
  for (int round = 0; round < 20; ++round) {
    std::vector<std::string> keyTexts;
    for (int i = 0; i < 60; ++i) keyTexts.push_back(randomText(6));
    const std::vector<std::string_view> keys(keyTexts.begin(), keyTexts.end());
    std::vector<std::string> texts;
    for (int i = 0; i < 100; ++i) texts.push_back(randomText(40));
    ExpectSameAsContains(keys, texts);
  }
}

TEST(KeySearchTest, AgreesWithContainsAtTheLimitOfKeys) {
  // As many keys as the hits hold, most of them words, over many sentences.
  std::mt19937 random(777);
  std::vector<std::string> keyTexts;
  for (std::size_t i = 0; i < KeyHits::kMaxKeys; ++i) {
    std::string key;
    const std::size_t length = 1 + random() % 8;
    for (std::size_t j = 0; j < length; ++j) key += static_cast<char>('A' + random() % 6);
    if (i % 5 == 0) key = " " + key;
    if (i % 7 == 0) key += " ";
    keyTexts.push_back(key);
  }
  const std::vector<std::string_view> keys(keyTexts.begin(), keyTexts.end());
  std::vector<std::string> texts = {"", " ", "A", "  "};
  for (int i = 0; i < 300; ++i) {
    std::string text = " ";
    const int words = static_cast<int>(random() % 12);
    for (int w = 0; w < words; ++w) {
      const std::size_t length = 1 + random() % 7;
      for (std::size_t j = 0; j < length; ++j) text += static_cast<char>('A' + random() % 7);
      text += ' ';
    }
    texts.push_back(text);
  }
  ExpectSameAsContains(keys, texts);
}

}  // namespace
}  // namespace velk
