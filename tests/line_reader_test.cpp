#include "frontends/line_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/bytes_input.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::Repeat;

using testing::BytesInput;

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t bufferBytes) {
  const BytesInput input(bytes);
  LineReader reader(input.Fd(), bufferBytes);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line) == LineStatus::kLine) lines.push_back(line);
  return lines;
}

TEST(LineReaderTest, SplitsAtLineFeedsAndKeepsTheEnginesShareOfLongLines) {
  const std::string longest = Repeat("a", 32767);
  // 32,766 bytes and a two-byte character across the cut: the cut moves back.
  const std::string straddling = Repeat("b", 32766) + "\xC3\xA9";
  static const struct {
    const char* Label;
    std::string Input;
    std::vector<std::string> Lines;
  } kCases[] = {
      {"empty input", "", {}},
      {"line ends", "a\r\nb\n\nc", {"a", "b", "", "c"}},
      {"only a final CR goes", "a\rb\r\r\n\r", {"a\rb\r", ""}},
      {"NUL and invalid UTF-8 kept", std::string("n\0l\xFF\n", 5), {std::string("n\0l\xFF", 4)}},
      {"longest kept whole", longest + "\r\nz\n", {longest, "z"}},
      {"longer cut, rest dropped", longest + "xyz\r\nz\n", {longest, "z"}},
      {"CR beyond the limit", longest + "x\r\n", {longest}},
      {"cut on a character boundary", straddling + "tail\n", {Repeat("b", 32766)}},
      {"line of 128 KiB", Repeat("c", 1 << 17) + "\nz", {Repeat("c", 32767), "z"}},
  };
  for (const auto& c : kCases) {
    for (const std::size_t buffer : {std::size_t{3}, std::size_t{4096}, std::size_t{65536}}) {
      EXPECT_EQ(ReadAll(c.Input, buffer), c.Lines) << c.Label << ", buffer " << buffer;
    }
  }
}

TEST(LineReaderTest, TellsALastLineWithoutLineFeed) {
  const BytesInput input("a\nb");
  LineReader reader(input.Fd());
  std::string line;
  ASSERT_EQ(reader.Next(line), LineStatus::kLine);
  EXPECT_FALSE(reader.LastLineUnterminated());
  ASSERT_EQ(reader.Next(line), LineStatus::kLine);
  EXPECT_TRUE(reader.LastLineUnterminated());
  EXPECT_EQ(reader.Next(line), LineStatus::kEnd);
}

TEST(LineReaderTest, ReportsAReadError) {
  const int fd = ::open(".", O_RDONLY | O_DIRECTORY);
  LineReader reader(fd);
  std::string line;
  EXPECT_EQ(reader.Next(line), LineStatus::kError);
  EXPECT_EQ(reader.Error(), EISDIR);
  ::close(fd);
}

// Output waits while the next line is already there.
TEST(LineReaderTest, InputWaitingOnAPipe) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  LineReader reader(ends[0]);
  EXPECT_FALSE(reader.InputWaiting());
  ASSERT_EQ(::write(ends[1], "a\nb", 3), 3);
  EXPECT_TRUE(reader.InputWaiting());
  std::string line;
  ASSERT_EQ(reader.Next(line), LineStatus::kLine);
  // "b" has no line feed yet, and nothing more is on the way.
  EXPECT_FALSE(reader.InputWaiting());
  ASSERT_EQ(::write(ends[1], "\n", 1), 1);
  EXPECT_TRUE(reader.InputWaiting());
  ASSERT_EQ(reader.Next(line), LineStatus::kLine);
  EXPECT_EQ(line, "b");
  ::close(ends[1]);
  EXPECT_TRUE(reader.InputWaiting());
  EXPECT_EQ(reader.Next(line), LineStatus::kEnd);
  ::close(ends[0]);
}

}  // namespace
}  // namespace velk
