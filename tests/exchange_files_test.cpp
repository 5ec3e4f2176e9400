#include "frontends/exchange_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "frontends/exchange_directory.h"

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

TEST(ExchangeFieldTest, ControlCharactersAreShownHarmlessly) {
  static const struct {
    const char* Text;
    const char* Shown;
  } kCases[] = {
      {"plain text", "plain text"},
      {"\x1b[2Jcleared", "^[[2Jcleared"},
      {"tab\there\r\nbell\x07 del\x7f", "tab^Ihere^M^Jbell^G del^?"},
      {"pounds \xc2\xa3 and \xe2\x82\xac stay", "pounds \xc2\xa3 and \xe2\x82\xac stay"},
      {"C1 \xc2\x9b"
       "2J",
       "C1 \\xC2\\x9B2J"},
      {"cut \xe2\x82", "cut \\xE2\\x82"},
      {"overlong \xc0\xaf", "overlong \\xC0\\xAF"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Shown, VisibleText(c.Text)) << c.Shown;
  EXPECT_EQ("^@", VisibleText(std::string_view("\0", 1)));
}

class ExchangeFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velk-files-XXXXXX";
    dir = ::mkdtemp(pattern);
    folder = ExchangeDirectory::Open(dir.c_str(), nullptr, ::getuid());
    ASSERT_TRUE(folder.Usable()) << folder.Error();
    dir += "/";
  }
  void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(dir + name, std::ios::binary) << content;
  }
  std::string ReadBack(const std::string& name) {
    std::ifstream in(dir + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir;
  ExchangeDirectory folder;
  PosixExchangeFiles files{folder};
};

TEST_F(ExchangeFilesTest, MissingAndEmptyFilesGiveNothing) {
  EXPECT_FALSE(files.Read("missing").Line.has_value());
  Write("empty", "");
  EXPECT_FALSE(files.Read("empty").Line.has_value());
  Write("blank", "\r\n");
  EXPECT_EQ("", files.Read("blank").Line);
  EXPECT_EQ("", files.Read("missing").Refused + files.Read("empty").Refused);
}

TEST_F(ExchangeFilesTest, ReplaceThenEmpty) {
  ASSERT_EQ("", files.Replace("own", QuoteField("Hi")));
  EXPECT_EQ("\"Hi\"", files.Read("own").Line);
  ASSERT_EQ("", files.Replace("own", ""));
  EXPECT_FALSE(files.Read("own").Line.has_value());
  struct stat info {};
  ASSERT_EQ(0, ::stat((dir + "own").c_str(), &info));
  EXPECT_EQ(0600u, info.st_mode & 0777u);
}

TEST_F(ExchangeFilesTest, ReadsAtMostTheFirstLineLimitOfAHugeOrBinaryFile) {
  Write("huge", "\"" + std::string(10 * 1024 * 1024, 'x'));
  const auto line = files.Read("huge").Line;
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ(kMaxExchangeLineBytes, line->size());

  Write("binary", std::string("\"a\0b\xff\"\nrest", 11));
  EXPECT_EQ(std::string("\"a\0b\xff\"", 6), files.Read("binary").Line);
}

TEST_F(ExchangeFilesTest, FailuresAreReportedNotThrown) {
  ASSERT_EQ(0, ::mkdir((dir + "a-directory").c_str(), 0700));
  EXPECT_EQ("a-directory: is not a regular file", files.Read("a-directory").Refused);
  EXPECT_EQ("a-directory: Is a directory", files.Replace("a-directory", "x"));
  EXPECT_FALSE(std::ifstream(dir + "a-directory.new").good());

  ExchangeDirectory none;
  PosixExchangeFiles nowhere(none);
  EXPECT_FALSE(nowhere.Reachable());
  EXPECT_FALSE(nowhere.Read("VelkB.ini").Line.has_value());
  EXPECT_EQ("no exchange folder", nowhere.Replace("VelkA.ini", "x"));
}

// Whatever sits under an exchange name, the steps neither follow it out of
// the folder nor wait on it; the partner's file must be a plain file of ours.
TEST_F(ExchangeFilesTest, PlantedFilesAreRefusedWithoutAHang) {
  ASSERT_EQ(0, ::mkfifo((dir + "VelkB.ini").c_str(), 0600));
  ASSERT_EQ(0, ::mkfifo((dir + "VelkA.ini.new").c_str(), 0600));
  Write("outside", "\"from elsewhere\"\r\n");
  ASSERT_EQ(0, ::symlink((dir + "outside").c_str(), (dir + "Linked.ini").c_str()));
  Write("Foreign.ini", "\"planted\"\r\n");
  ASSERT_EQ(0, ::chown((dir + "Foreign.ini").c_str(), 65534, 65534));

  static const struct {
    const char* Name;
    const char* Refused;
  } kCases[] = {
      {"VelkB.ini", "VelkB.ini: is not a regular file"},
      {"Linked.ini", "Linked.ini: is a symbolic link"},
      {"Foreign.ini", "Foreign.ini: is owned by another user"},
      {"../outside", "../outside: not a plain file name in the exchange folder"},
      {"..", "..: not a plain file name in the exchange folder"},
  };
  for (const auto& c : kCases) {
    const PartnerRead read = files.Read(c.Name);
    EXPECT_FALSE(read.Line.has_value()) << c.Name;
    EXPECT_EQ(c.Refused, read.Refused) << c.Name;
  }

  // The own file's temporary name held a FIFO: it is removed, not opened.
  ASSERT_EQ("", files.Replace("VelkA.ini", QuoteField("Hi")));
  EXPECT_EQ("\"Hi\"\r\n", ReadBack("VelkA.ini"));
  // A link under the own name is replaced, and its target left alone.
  ASSERT_EQ("", files.Replace("Linked.ini", QuoteField("mine")));
  EXPECT_EQ("\"from elsewhere\"\r\n", ReadBack("outside"));
  EXPECT_EQ("sub/x: not a plain file name in the exchange folder", files.Replace("sub/x", "x"));
}

}  // namespace
}  // namespace velk
