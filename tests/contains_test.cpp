#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "base/text.h"

namespace velk {
namespace {

// Contains() takes different roads for short and long texts and keys; all of
// them must agree with a plain search, at every offset and around the block
// edges of the long-text search.
TEST(ContainsTest, AgreesWithAPlainSearchForEveryLength) {
  std::mt19937 random(11);
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  const std::string alphabet = "AAB <>\r";  // few letters, so near misses are common
  for (int round = 0; round < 20000; ++round) {
    std::string text(pick(300), ' ');
    for (char& c : text) c = alphabet[pick(alphabet.size())];
    std::string key;
    if (!text.empty() && pick(2) == 0) {
      const std::size_t at = pick(text.size());
      key = text.substr(at, 1 + pick(std::min<std::size_t>(40, text.size() - at)));
      if (pick(2) == 0) key.back() = key.back() == 'A' ? 'B' : 'A';
    } else {
      key.resize(1 + pick(40));
      for (char& c : key) c = alphabet[pick(alphabet.size())];
    }
    ASSERT_EQ(text.find(key) != std::string::npos, Contains(text, key))
        << "text \"" << text << "\" key \"" << key << "\"";
  }
}

TEST(ContainsTest, FindsKeysAtTheVeryEndsOfLongTexts) {
  const std::string middle(200, '-');
  for (const std::string key : {"AB", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "A-", "-Z"}) {
    EXPECT_TRUE(Contains(key + middle, key)) << key;
    EXPECT_TRUE(Contains(middle + key, key)) << key;
    EXPECT_FALSE(Contains(middle, key)) << key;
  }
  EXPECT_TRUE(Contains(middle, ""));
  EXPECT_FALSE(Contains("", "A"));
}

// Every length around the sixteen-byte blocks, and texts long enough that a
// byte lane of the vector count would overflow if it were not emptied.
TEST(CountCharTest, AgreesWithAPlainCount) {
  std::mt19937 random(5);
  for (const std::size_t length : {0, 1, 15, 16, 17, 33, 255 * 16, 255 * 16 + 17, 9000}) {
    std::string text(length, ' ');
    for (char& c : text) c = random() % 3 == 0 ? '\r' : 'a';
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), CountChar(text, '\r')) << length;
    const std::string every(length, '\r');
    EXPECT_EQ(length, CountChar(every, '\r')) << length;
  }
}

}  // namespace
}  // namespace velk
