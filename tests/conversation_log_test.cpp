#include "frontends/conversation_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frontends/chat_presenter.h"
#include "tests/test_support.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

// A real bot with a fixed seed; two made alike answer alike.
Bot SeededBot() { return testing::SeededBot(4711); }

class ConversationLogTest : public ::testing::Test {
 protected:
  ConversationLogTest() {
    std::string pattern = (fs::path(::testing::TempDir()) / "velk_log_XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    log_ = (dir_ / "velk.log").string();
  }
  ~ConversationLogTest() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  fs::path dir_;
  std::string log_;
};

TEST_F(ConversationLogTest, LoadAndTwoExchangesGiveTheseBytes) {
  Bot twin = SeededBot();
  const std::string greeting = twin.Greet();
  const std::string first = twin.Reply("hello");
  const std::string second = twin.Reply("My name is Bob");

  Bot live = SeededBot();
  FileLineSink sink(log_);
  ChatPresenter chat(live, sink);
  chat.Load();
  chat.Enter("hello");
  chat.Enter("My name is Bob");

  // clang-format off
  const std::string expected = std::string("Velk Tavro Log file.  \r\n") +
                               "VELK:>" + greeting + "\r\n" +
                               "USER:>hello\r\n" +
                               "VELK:>" + first + "\r\n" +
                               "USER:>My name is Bob\r\n" +
                               "VELK:>" + second + "\r\n";
  // clang-format on
  EXPECT_EQ(ReadBytes(log_), expected);
}

TEST_F(ConversationLogTest, EachStartAddsAHeaderToTheSameFile) {
  std::vector<std::string> greetings;
  for (int run = 0; run < 2; ++run) {
    Bot live = SeededBot();
    FileLineSink sink(log_);
    ChatPresenter chat(live, sink);
    chat.Load();
    greetings.push_back(chat.RevealText());
  }
  EXPECT_EQ(ReadBytes(log_), "Velk Tavro Log file.  \r\nVELK:>" + greetings[0] +
                                 "\r\nVelk Tavro Log file.  \r\nVELK:>" + greetings[1] + "\r\n");
}

TEST_F(ConversationLogTest, LinesAreWrittenAsGiven) {
  FileLineSink sink(log_);
  LogChatExchange(sink, "", "");
  LogChatExchange(sink, "Zo\xC3\xAB \xE2\x82\xAC 5", "a\tb ");
  EXPECT_EQ(ReadBytes(log_),
            "USER:>\r\nVELK:>\r\nUSER:>Zo\xC3\xAB \xE2\x82\xAC 5\r\nVELK:>a\tb \r\n");
}

TEST_F(ConversationLogTest, UnwritablePlaceLosesTheLinesOnly) {
  static const struct {
    const char* Label;
    const char* Path;     // inside the test's directory
    const char* Blocker;  // a directory made where the file would be, if any
  } kCases[] = {
      {"missing directory", "no such dir/velk.log", nullptr},
      {"name taken by a directory", "velk.log", "velk.log"},
  };
  for (const auto& c : kCases) {
    if (c.Blocker != nullptr) fs::create_directory(dir_ / c.Blocker);
    FileLineSink sink((dir_ / c.Path).string());
    EXPECT_FALSE(sink.Append({"USER:>hello", "VELK:>hi"})) << c.Label;

    // The chat opens and answers as usual.
    Bot twin = SeededBot();
    twin.Greet();
    Bot live = SeededBot();
    ChatPresenter chat(live, sink);
    EXPECT_NO_THROW(chat.Load()) << c.Label;
    EXPECT_EQ(chat.Enter("hello"), ChatPresenter::Outcome::kGoOn) << c.Label;
    EXPECT_EQ(chat.RevealText(), twin.Reply("hello")) << c.Label;
    if (c.Blocker != nullptr) fs::remove(dir_ / c.Blocker);
  }
}

// A write that the disk refuses half way is reported, not taken for success.
TEST_F(ConversationLogTest, FullDiskIsReported) {
  FileLineSink full("/dev/full");
  EXPECT_FALSE(full.Append({"USER:>hello", "VELK:>hi"}));
}

// Whether an append succeeds for an ordinary user. Root may write anywhere,
// so under root the append runs in a child that gives that up first.
bool AppendsAsOrdinaryUser(const std::string& path) {
  if (::geteuid() != 0) return FileLineSink(path).Append({"USER:>line"});
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    ::_exit(dropped && FileLineSink(path).Append({"USER:>line"}) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ConversationLogTest, ReadOnlyDirectoryLosesTheLinesUntilWritable) {
  using fs::perms;
  fs::permissions(dir_, perms::owner_read | perms::owner_exec | perms::group_read |
                            perms::group_exec | perms::others_read | perms::others_exec);
  EXPECT_FALSE(AppendsAsOrdinaryUser(log_));
  EXPECT_FALSE(fs::exists(log_));

  fs::permissions(dir_, perms::all);
  EXPECT_TRUE(AppendsAsOrdinaryUser(log_));
  EXPECT_EQ(ReadBytes(log_), "USER:>line\r\n");
}

// Two programs appending to one log: every exchange stays whole, its user
// line directly followed by its reply.
TEST_F(ConversationLogTest, TwoProcessesNeverBreakEachOthersLines) {
  constexpr int kExchanges = 10000;
  // Long enough lines that a split write would show.
  const std::string padding(120, '.');
  std::vector<pid_t> children;
  for (const char writer : {'A', 'B'}) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      FileLineSink sink(log_);
      for (int i = 0; i < kExchanges; ++i) {
        const std::string tag = std::string(1, writer) + std::to_string(i);
        sink.Append({"USER:>" + tag + padding, "VELK:>" + tag + padding});
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const std::string bytes = ReadBytes(log_);
  ASSERT_TRUE(bytes.ends_with("\r\n"));
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 4u * kExchanges);
  int next[2] = {0, 0};
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::string& user = lines[i];
    ASSERT_TRUE(user.starts_with("USER:>")) << "line " << i << ": " << user;
    const std::string tagged = user.substr(6);
    ASSERT_EQ(lines[i + 1], "VELK:>" + tagged) << "line " << i + 1;
    // Each writer's exchanges arrive whole and in its own order.
    const int writer = tagged[0] - 'A';
    ASSERT_TRUE(writer == 0 || writer == 1) << user;
    ASSERT_EQ(tagged, std::string(1, tagged[0]) + std::to_string(next[writer]) + padding);
    ++next[writer];
  }
  EXPECT_EQ(next[0], kExchanges);
  EXPECT_EQ(next[1], kExchanges);
}

}  // namespace
}  // namespace velk
