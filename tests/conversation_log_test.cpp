#include "frontends/conversation_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

TEST_F(ConversationLogTest, LinesAreWrittenAsGivenSaveForControlCharacters) {
  FileLineSink sink(log_);
  LogChatExchange(sink, "", "");
  LogChatExchange(sink, "Zo\xC3\xAB \xE2\x82\xAC 5", "a\tb ");
  // Whatever the user typed or the engine echoed, each record is one line.
  LogChatExchange(sink, std::string("cr\rlf\nesc\x1B[Dnul\0del\x7F", 20), "\r\n");
  EXPECT_EQ(ReadBytes(log_),
            "USER:>\r\nVELK:>\r\nUSER:>Zo\xC3\xAB \xE2\x82\xAC 5\r\nVELK:>a b \r\n"
            "USER:>cr lf esc [Dnul del \r\nVELK:>  \r\n");
}

TEST_F(ConversationLogTest, ANewLogIsPrivate) {
  ASSERT_TRUE(FileLineSink(log_).Append({"USER:>hello"}));
  EXPECT_EQ(fs::status(log_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

// Nothing but a regular file is written; anything else is refused at once,
// with one notice however often it is tried.
TEST_F(ConversationLogTest, RefusesWhatIsNotARegularFile) {
  const fs::path other = dir_ / "other.txt";
  static const struct {
    const char* Label;
    std::function<void(const std::string& log, const fs::path& other)> Make;
    const char* Problem;
  } kCases[] = {
      {"FIFO", [](auto& log, auto&) { ::mkfifo(log.c_str(), 0600); }, "not a regular file"},
      {"FIFO with a reader",
       [](auto& log, auto&) {
         ::mkfifo(log.c_str(), 0600);
         ::open(log.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // left open
       },
       "not a regular file"},
      {"link to a file",
       [](auto& log, auto& target) {
         std::ofstream(target) << "kept\n";
         fs::create_symlink(target, log);
       },
       "it is a link, which is not followed"},
      {"dangling link", [](auto& log, auto& target) { fs::create_symlink(target, log); },
       "it is a link, which is not followed"},
  };
  for (const auto& c : kCases) {
    c.Make(log_, other);
    std::vector<std::string> notices;
    FileLineSink sink(log_, [&](const std::string& problem) { notices.push_back(problem); });
    EXPECT_FALSE(sink.Append({"USER:>one"})) << c.Label;
    EXPECT_FALSE(sink.Append({"USER:>two"})) << c.Label;
    EXPECT_EQ(notices, std::vector<std::string>{c.Problem}) << c.Label;
    EXPECT_FALSE(fs::exists(other) && ReadBytes(other.string()) != "kept\n") << c.Label;
    fs::remove(log_);
    fs::remove(other);
  }
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

// A disk that fills up half way through a group: the group is reported lost
// and leaves nothing behind, so the file holds whole records only and the
// next group starts on a line of its own. The file size limit makes the
// kernel cut the write short as a full disk does.
TEST_F(ConversationLogTest, AGroupCutShortByAFullDiskLeavesNoPartOfItself) {
  const std::string record(100, 'r');
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    FileLineSink sink(log_);
    int written = 0;
    while (sink.Append({"USER:>" + record, "VELK:>" + record})) ++written;
    // The fifth group of 216 bytes crossed the limit part way; a shorter
    // one still fits where it was cut off.
    ::_exit(written == 4 && sink.Append({"USER:>x"}) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::string expected;
  for (int i = 0; i < 4; ++i) expected += "USER:>" + record + "\r\nVELK:>" + record + "\r\n";
  EXPECT_EQ(ReadBytes(log_), expected + "USER:>x\r\n");
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
