#include "frontends/exchange_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace velk {
namespace {

TEST(ExchangeFieldTest, QuotesAndReadsBack) {
  static const struct {
    const char* Text;
    const char* Written;
  } kCases[] = {
      {"Hello.", "\"Hello.\"\r\n"},
      {"", "\"\"\r\n"},
      {"a, b", "\"a, b\"\r\n"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"\r\n"},
  };
  for (const auto& c : kCases) {
    const std::string written = QuoteField(c.Text);
    EXPECT_EQ(c.Written, written) << c.Text;
    EXPECT_EQ(c.Text, ReadField(written.substr(0, written.size() - 2))) << c.Text;
  }
}

TEST(ExchangeFieldTest, ReadsTheFirstFieldOfALine) {
  static const struct {
    const char* Line;
    const char* Field;
  } kCases[] = {
      {"\"quoted\" trailing", "quoted"},
      {"plain, second", "plain"},
      {"  \"after blanks\"", "after blanks"},
      {"\"never closed", "never closed"},
      {"\"cut \"short\" here", "cut "},  // a single quote inside ends the field
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Field, ReadField(c.Line)) << c.Line;
}

class ExchangeFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velk-files-XXXXXX";
    dir = ::mkdtemp(pattern);
    dir += "/";
  }
  void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir + name, std::ios::binary) << content;
  }

  std::string dir;
  PosixExchangeFiles files;
};

TEST_F(ExchangeFilesTest, MissingAndEmptyFilesGiveNothing) {
  EXPECT_FALSE(files.ReadFirstLine(dir + "missing").has_value());
  Write("empty", "");
  EXPECT_FALSE(files.ReadFirstLine(dir + "empty").has_value());
  Write("blank", "\r\n");
  EXPECT_EQ("", files.ReadFirstLine(dir + "blank"));
}

TEST_F(ExchangeFilesTest, ReplaceThenEmpty) {
  ASSERT_TRUE(files.Replace(dir + "own", QuoteField("Hi")));
  EXPECT_EQ("\"Hi\"", files.ReadFirstLine(dir + "own"));
  ASSERT_TRUE(files.Empty(dir + "own"));
  EXPECT_FALSE(files.ReadFirstLine(dir + "own").has_value());
}

TEST_F(ExchangeFilesTest, ReadsAtMostTheFirstLineLimitOfAHugeOrBinaryFile) {
  Write("huge", "\"" + std::string(10 * 1024 * 1024, 'x'));
  const auto line = files.ReadFirstLine(dir + "huge");
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ(kMaxExchangeLineBytes, line->size());

  Write("binary", std::string("\"a\0b\xff\"\nrest", 11));
  EXPECT_EQ(std::string("\"a\0b\xff\"", 6), files.ReadFirstLine(dir + "binary"));
}

TEST_F(ExchangeFilesTest, FailuresAreReportedNotThrown) {
  ASSERT_EQ(0, ::mkdir((dir + "a-directory").c_str(), 0700));
  EXPECT_FALSE(files.ReadFirstLine(dir + "a-directory").has_value());
  EXPECT_FALSE(files.Empty(dir + "a-directory"));
  EXPECT_FALSE(files.Replace(dir + "a-directory", "x"));
  EXPECT_FALSE(files.Replace(dir + "no-such-folder/file", "x"));
  EXPECT_FALSE(files.Empty("/dev/full/x"));
}

}  // namespace
}  // namespace velk
