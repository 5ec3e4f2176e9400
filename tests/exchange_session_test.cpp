#include "frontends/exchange_session.h"

#include <gtest/gtest.h>

#include <map>

#include "library/bot_core.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::RecordingSink;

// The exchange folder in memory; any step can be made to fail.
class MemoryFiles final : public ExchangeFiles {
 public:
  bool Empty(const std::string& path) override {
    if (refuse) return false;
    files[path].clear();
    return true;
  }
  std::optional<std::string> ReadFirstLine(const std::string& path) override {
    const auto found = files.find(path);
    if (refuse || found == files.end() || found->second.empty()) return std::nullopt;
    return found->second.substr(0, found->second.find_first_of("\r\n"));
  }
  bool Replace(const std::string& path, std::string_view content) override {
    if (refuse) return false;
    files[path] = content;
    return true;
  }
  std::map<std::string, std::string> files;
  bool refuse = false;
};

// One copy of the program: its bot (with a fixed seed: these tests are about
// the files, not the replies), its log and its session over a shared folder.
struct Copy {
  Copy(MemoryFiles& files, bool first)
      : bot(testing::SeededBot(7, ExchangePersona(first))), session(bot, files, log, "/x/") {
    session.Load(first);
  }
  Bot bot;
  RecordingSink log;
  ExchangeSession session;
};

TEST(ExchangeSessionTest, LoadNamesTheFilesAndThePersona) {
  MemoryFiles files;
  Copy first(files, true), second(files, false);
  EXPECT_EQ("VelkA.ini", first.session.OwnFile);
  EXPECT_EQ("VelkB.ini", first.session.PartnerFile);
  EXPECT_EQ("Tavro", BotInternals::State(first.bot).BotName);
  EXPECT_EQ("VelkB.ini", second.session.OwnFile);
  EXPECT_EQ("VelkA.ini", second.session.PartnerFile);
  EXPECT_EQ("Velk", BotInternals::State(second.bot).BotName);
}

TEST(ExchangeSessionTest, FirstTickWithoutAPartnerGreetsWritesAndLogs) {
  MemoryFiles files;
  Copy first(files, true);
  first.session.Tick();
  EXPECT_FALSE(first.session.Waiting());
  EXPECT_EQ("-GETGREET-", first.session.Received);
  EXPECT_EQ(first.session.LastOutput, first.session.Sent);
  EXPECT_EQ(QuoteField(first.session.LastOutput), files.files["/x/VelkA.ini"]);
  EXPECT_EQ((std::vector<std::string>{"VELKA:>-GETGREET-", "VELKB:>" + first.session.LastOutput}),
            first.log.Lines);
}

TEST(ExchangeSessionTest, SecondCopyAnswersAndNeverLogs) {
  MemoryFiles files;
  Copy first(files, true), second(files, false);
  first.session.Tick();
  second.session.Tick();
  EXPECT_EQ(first.session.LastOutput, second.session.Received);
  EXPECT_EQ(QuoteField(second.session.LastOutput), files.files["/x/VelkB.ini"]);
  EXPECT_TRUE(second.log.Lines.empty());

  // The first copy's next tick empties its own file and answers.
  first.session.Tick();
  EXPECT_EQ(second.session.LastOutput, first.session.Received);
  EXPECT_EQ(4u, first.log.Lines.size());
}

TEST(ExchangeSessionTest, AWaitingCopyKeepsItsOwnFileEmptyAndSkipsTicks) {
  MemoryFiles files;
  Copy first(files, true);
  first.session.Tick();  // greets; nobody answers
  first.session.Tick();
  EXPECT_TRUE(first.session.Waiting());
  EXPECT_EQ("", files.files["/x/VelkA.ini"]);
  EXPECT_EQ("", first.session.Received);
  first.session.Poll();
  first.session.Tick();  // skipped: the last tick still waits
  EXPECT_TRUE(first.session.Waiting());
}

TEST(ExchangeSessionTest, TheSameLineTwiceIsNotAnswered) {
  MemoryFiles files;
  Copy first(files, true);
  files.files["/x/VelkB.ini"] = QuoteField("Hello.");
  first.session.Tick();
  EXPECT_EQ("Hello.", first.session.Received);
  first.session.Tick();
  first.session.Poll();
  EXPECT_TRUE(first.session.Waiting());
  files.files["/x/VelkB.ini"] = QuoteField("Hello again.");
  first.session.Poll();
  EXPECT_FALSE(first.session.Waiting());
  EXPECT_EQ("Hello again.", first.session.Received);
}

TEST(ExchangeSessionTest, RenamingTheOwnFileStopsTheLogFromTheNextTick) {
  MemoryFiles files;
  Copy first(files, true);
  first.session.Tick();
  first.session.OwnFile = "Other.ini";
  files.files["/x/VelkB.ini"] = QuoteField("Hi.");
  first.session.Tick();
  EXPECT_EQ(2u, first.log.Lines.size());
  EXPECT_EQ(QuoteField(first.session.LastOutput), files.files["/x/Other.ini"]);
}

TEST(ExchangeSessionTest, QuotesInARepliesSurviveTheTrip) {
  MemoryFiles files;
  Copy first(files, true);
  files.files["/x/VelkB.ini"] = QuoteField("She said \"no\", then left.");
  first.session.Tick();
  EXPECT_EQ("She said \"no\", then left.", first.session.Received);
}

TEST(ExchangeSessionTest, ARefusedFolderKeepsGreetingWithoutDelivering) {
  MemoryFiles files;
  files.refuse = true;
  Copy first(files, true);
  first.session.Tick();
  EXPECT_EQ("-GETGREET-", first.session.Received);
  EXPECT_TRUE(files.files.empty());
  first.session.Tick();  // the greeting request again equals the last line: wait
  EXPECT_TRUE(first.session.Waiting());

  Bot bot = testing::SeededBot(7, ExchangePersona(true));
  RecordingSink log;
  ExchangeSession nowhere(bot, files, log, "");
  nowhere.Load(true);
  nowhere.Tick();
  EXPECT_EQ("-GETGREET-", nowhere.Received);
}

}  // namespace
}  // namespace velk
