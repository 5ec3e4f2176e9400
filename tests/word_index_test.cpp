#include "base/word_index.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velk {
namespace {

// clang-format off
constexpr std::array<std::string_view, 12> kWords = {
    "A",   "AN",   "AND",  "-GETGREET-", "DAD'S", "COMPREHENSIVE",
    "I",   "IT",   "ITS",  "AN",         "",      "YOU",
};
// clang-format on
constexpr WordIndex kIndex(kWords);

// Every word is found at its first row, as a walk down the list finds it.
TEST(WordIndexTest, AgreesWithTheListForEveryWord) {
  for (std::size_t row = 0; row < kWords.size(); ++row) {
    std::size_t first = 0;
    while (kWords[first] != kWords[row]) ++first;
    EXPECT_EQ(first, kIndex.Find(kWords[row])) << '"' << kWords[row] << '"';
  }
  EXPECT_EQ(1u, kIndex.Find("AN")) << "a repeated word is found at its first row";
  static_assert(kIndex.Find("COMPREHENSIVE") == 5, "usable when compiling");
}

// Words next to the listed ones: longer, shorter, changed, other case.
TEST(WordIndexTest, NearMissesAreNotFound) {
  for (const std::string_view listed : kWords) {
    const std::string word(listed);
    std::vector<std::string> misses = {word + "S", word + ' ', ' ' + word, word + '\0',
                                       std::string(1, '\0') + word};
    if (!word.empty()) {
      misses.push_back(word.substr(1));
      misses.push_back(word.substr(0, word.size() - 1));
      std::string lower = word;
      lower[0] = static_cast<char>(lower[0] | 0x20);
      misses.push_back(lower);
      std::string changed = word;
      ++changed.back();
      misses.push_back(changed);
    }
    for (const std::string& miss : misses) {
      std::size_t row = 0;
      while (row < kWords.size() && kWords[row] != miss) ++row;
      EXPECT_EQ(row == kWords.size() ? kIndex.kNotFound : row, kIndex.Find(miss))
          << '"' << miss << '"';
    }
  }
}

}  // namespace
}  // namespace velk
