#include "engine/recall_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/text.h"

namespace velk {
namespace {

// The table as read straight from the memory: slot 0 up to the first carriage
// return, then the latest kRecallSlots - 1 lines before the newest.
std::vector<std::string> PlainTable(const std::string& memory) {
  std::vector<std::string> lines;
  const std::size_t first = memory.find('\r');
  if (first == std::string::npos) return lines;
  lines.push_back(memory.substr(0, first + 1));
  std::vector<std::string> later;
  for (std::size_t start = first + 1, end = memory.find('\r', start); end != std::string::npos;
       start = end + 1, end = memory.find('\r', start)) {
    later.push_back(memory.substr(start, end + 1 - start));
  }
  const std::size_t keep = std::min<std::size_t>(later.size(), kRecallSlots - 1);
  lines.insert(lines.end(), later.end() - static_cast<std::ptrdiff_t>(keep), later.end());
  return lines;
}

// Whether a line's type letters, up to its first ":", hold a "Q".
bool PlainQuestion(const std::string& line) {
  const std::size_t colon = line.find(':');
  return colon != std::string::npos && line.substr(0, colon).find('Q') != std::string::npos;
}

void ExpectMatchesPlainReading(const RecallTable& table, const std::string& memory,
                               const std::vector<std::string>& keys) {
  const std::vector<std::string> plain = PlainTable(memory);
  ASSERT_EQ(static_cast<int>(plain.size()), table.Count());
  for (int slot = 0; slot < table.Count(); ++slot) {
    EXPECT_EQ(plain[static_cast<std::size_t>(slot)], table.Line(slot)) << slot;
    EXPECT_EQ(PlainQuestion(plain[static_cast<std::size_t>(slot)]), table.IsQuestion(slot));
  }
  for (const std::string& key : keys) {
    int expected = -1;
    for (int slot = 0; slot < table.Count(); ++slot) {
      const std::string& line = plain[static_cast<std::size_t>(slot)];
      if (Contains(line, key) && !PlainQuestion(line)) expected = slot;
    }
    EXPECT_EQ(expected, table.LastStatementWith(key)) << key;
  }
}

TEST(RecallTableTest, FollowsTheMemoryThroughEveryKindOfChange) {
  // Lines are appended, old ones dropped after the first line (as storing
  // does), and now and then the memory is replaced outright.
  const std::vector<std::string> words = {"CATS", "DOG", "RAIN", "YOU", "LIKE",  "A",
                                          "Q",    "S:",  "\r",   "OWN", "RAINY", "ATS "};
  std::mt19937 random(7);
  const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  RecallTable table;
  std::string memory;
  for (int step = 0; step < 3000; ++step) {
    const std::size_t what = pick(100);
    if (what == 0) {
      memory.clear();
    } else if (what == 1) {
      memory = "OLD TEXT\rS:YOU LIKE CATS \rQ:DO YOU ";  // not opened by a carriage return
    } else {
      memory += '\r';
      memory += pick(4) == 0 ? "Q" : pick(2) == 0 ? "S" : "SE";
      memory += ':';
      for (std::size_t w = pick(6); w > 0; --w) memory += words[pick(6)] + " ";
      if (pick(8) == 0) {
        // Keep the first line and only the latest lines, dropping a few.
        std::size_t first = memory.find('\r');
        std::size_t from = memory.find('\r', first + 1);
        for (std::size_t drop = pick(3); drop > 0 && from != std::string::npos; --drop) {
          from = memory.find('\r', from + 1);
        }
        if (from != std::string::npos) memory.erase(first + 1, from - first);
      }
    }
    table.Sync(memory);
    ExpectMatchesPlainReading(table, memory, words);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "at step " << step;
      return;
    }
  }
}

TEST(RecallTableTest, SaidTextLeavesOutTheTypeAndTheCarriageReturn) {
  RecallTable table;
  table.Sync("\rS:YOU LIKE CATS \rQ:DO YOU \rNEWEST");
  ASSERT_EQ(3, table.Count());
  EXPECT_EQ("", table.SaidText(0));
  EXPECT_EQ("YOU LIKE CATS ", table.SaidText(1));
  EXPECT_TRUE(table.IsQuestion(2));
  EXPECT_EQ(1, table.LastStatementWith("YOU"));  // the question is never recalled
  EXPECT_EQ(-1, table.LastStatementWith("NEWEST"));
}

}  // namespace
}  // namespace velk
