#include "frontends/exchange_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "library/bot_core.h"
#include "tests/recording_sink.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using std::chrono::milliseconds;
using testing::RecordingSink;
using Clock = ExchangeSession::Clock;

// The exchange folder in memory; any step can be made to fail.
class MemoryFiles final : public ExchangeFiles {
 public:
  bool Reachable() const override { return reachable; }
  PartnerRead Read(const std::string& name) override {
    if (const auto why = refusals.find(name); why != refusals.end()) return {{}, why->second};
    const auto found = files.find(name);
    if (refuse || found == files.end() || found->second.empty()) return {};
    return {found->second.substr(0, found->second.find_first_of("\r\n")), {}};
  }
  std::string Replace(const std::string& name, std::string_view content) override {
    if (refuse) return name + ": No space left on device";
    files[name] = content;
    return {};
  }
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> refusals;  // name -> why it is refused
  bool refuse = false;
  bool reachable = true;
};

// A clock the test moves by hand.
struct ManualClock {
  std::function<Clock::time_point()> Now() {
    return [this] { return Clock::time_point(at); };
  }
  Clock::duration at{};
};

// One copy of the program: its log and its session over a shared folder,
// with bots of a fixed seed (these tests are about the files, not the
// replies).
struct Copy {
  Copy(MemoryFiles& files, ExchangeRole role, std::uint32_t seed = 7,
       std::function<Clock::time_point()> now = Clock::now, milliseconds tick = milliseconds(3000))
      : session(
            files, log,
            [seed](const std::string& persona) { return testing::SeededBot(seed, persona); }, tick,
            std::move(now)) {
    session.Load(role);
    session.OnNotice = [this](const std::string& line) { notices.push_back(line); };
  }
  RecordingSink log;
  ExchangeSession session;
  std::vector<std::string> notices;
};

TEST(ExchangeSessionTest, LoadNamesTheFilesAndThePersona) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA), second(files, ExchangeRole::kB);
  EXPECT_EQ("VelkA.ini", first.session.OwnFile);
  EXPECT_EQ("VelkB.ini", first.session.PartnerFile);
  EXPECT_EQ("Tavro", BotInternals::State(*first.session.PartBot()).BotName);
  EXPECT_EQ("VelkB.ini", second.session.OwnFile);
  EXPECT_EQ("VelkA.ini", second.session.PartnerFile);
  EXPECT_EQ("Velk", BotInternals::State(*second.session.PartBot()).BotName);
}

TEST(ExchangeSessionTest, FirstTickWithoutAPartnerGreetsWritesAndLogs) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  first.session.Tick();
  EXPECT_FALSE(first.session.Waiting());
  EXPECT_EQ("-GETGREET-", first.session.Received);
  EXPECT_EQ(first.session.LastOutput, first.session.Sent);
  EXPECT_EQ(QuoteField(first.session.LastOutput), files.files["VelkA.ini"]);
  EXPECT_EQ((std::vector<std::string>{"VELKA:>-GETGREET-", "VELKB:>" + first.session.LastOutput}),
            first.log.Lines);
}

TEST(ExchangeSessionTest, SecondCopyAnswersAndNeverLogs) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA), second(files, ExchangeRole::kB);
  first.session.Tick();
  second.session.Tick();
  EXPECT_EQ(first.session.LastOutput, second.session.Received);
  EXPECT_EQ(QuoteField(second.session.LastOutput), files.files["VelkB.ini"]);
  EXPECT_TRUE(second.log.Lines.empty());

  first.session.Tick();
  EXPECT_EQ(second.session.LastOutput, first.session.Received);
  EXPECT_EQ(4u, first.log.Lines.size());
}

// The stall of a late partner: a reply stays readable while its writer
// waits, however many of its ticks pass, and a tick inside a wait polls.
TEST(ExchangeSessionTest, AWaitingCopyKeepsItsReplyAndPollsOnEveryTick) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  files.files["VelkA.ini"] = QuoteField("left by an earlier run");
  first.session.Tick();  // empties the own file, then greets
  const std::string greeting = QuoteField(first.session.LastOutput);
  for (int tick = 0; tick < 3; ++tick) first.session.Tick();
  EXPECT_TRUE(first.session.Waiting());
  EXPECT_EQ(greeting, files.files["VelkA.ini"]);
  EXPECT_EQ("", first.session.Received);

  files.files["VelkB.ini"] = QuoteField("Hello.");
  first.session.Tick();  // no Poll(): the tick itself must look
  EXPECT_FALSE(first.session.Waiting());
  EXPECT_EQ("Hello.", first.session.Received);

  first.session.End();
  EXPECT_EQ("", files.files["VelkA.ini"]);
}

TEST(ExchangeSessionTest, TheSameLineTwiceIsNotAnswered) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  files.files["VelkB.ini"] = QuoteField("Hello.");
  first.session.Tick();
  EXPECT_EQ("Hello.", first.session.Received);
  first.session.Tick();
  first.session.Poll();
  EXPECT_TRUE(first.session.Waiting());
  files.files["VelkB.ini"] = QuoteField("Hello again.");
  first.session.Poll();
  EXPECT_FALSE(first.session.Waiting());
  EXPECT_EQ("Hello again.", first.session.Received);
}

TEST(ExchangeSessionTest, RenamingTheOwnFileStopsTheLogFromTheNextTick) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  first.session.Tick();
  first.session.OwnFile = "Other.ini";
  files.files["VelkB.ini"] = QuoteField("Hi.");
  first.session.Tick();
  EXPECT_EQ(2u, first.log.Lines.size());
  EXPECT_EQ(QuoteField(first.session.LastOutput), files.files["Other.ini"]);
}

TEST(ExchangeSessionTest, QuotesInARepliesSurviveTheTrip) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  files.files["VelkB.ini"] = QuoteField("She said \"no\", then left.");
  first.session.Tick();
  EXPECT_EQ("She said \"no\", then left.", first.session.Received);
}

// A reply the folder refuses is neither logged nor shown as delivered; it
// goes out, and is logged, once the folder takes it.
TEST(ExchangeSessionTest, AnUndeliveredReplyIsOfferedAgainUntilItGoesOut) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  files.refuse = true;
  first.session.Tick();
  first.session.Tick();
  first.session.Poll();
  EXPECT_TRUE(first.log.Lines.empty());
  EXPECT_EQ(ExchangeStatus::State::kUndeliverable, first.session.Status().Now);
  EXPECT_EQ((std::vector<std::string>{"VelkA.ini: No space left on device; the reply is not "
                                      "delivered yet"}),
            first.notices);

  files.refuse = false;
  first.session.Poll();
  EXPECT_EQ(QuoteField(first.session.LastOutput), files.files["VelkA.ini"]);
  EXPECT_EQ(2u, first.log.Lines.size());
}

TEST(ExchangeSessionTest, ARefusedPartnerFileIsToldOnceAndNotRead) {
  MemoryFiles files;
  Copy first(files, ExchangeRole::kA);
  files.refusals["VelkB.ini"] = "VelkB.ini: is not a regular file";
  for (int tick = 0; tick < 3; ++tick) first.session.Tick();
  EXPECT_EQ("-GETGREET-", first.session.LastInput);
  EXPECT_EQ((std::vector<std::string>{"VelkB.ini: is not a regular file"}), first.notices);
}

// A third copy stands by: it writes and logs nothing until a part is free,
// then plays it.
TEST(ExchangeSessionTest, AThirdCopyStandsByUntilAPartIsFree) {
  MemoryFiles files;
  RecordingSink log;
  ExchangeRole free = ExchangeRole::kNone;
  ExchangeSession third(files, log,
                        [](const std::string& persona) { return testing::SeededBot(3, persona); });
  third.Load(ExchangeRole::kNone, [&free] { return free; });
  EXPECT_EQ(ExchangeStatus::State::kStandby, third.Status().Now);
  EXPECT_EQ(nullptr, third.PartBot());
  files.files["VelkA.ini"] = QuoteField("Hi.");
  third.Tick();
  EXPECT_EQ(ExchangeRole::kNone, third.Role());
  EXPECT_EQ(1u, files.files.size());

  free = ExchangeRole::kB;
  third.Tick();
  EXPECT_EQ(ExchangeRole::kB, third.Role());
  EXPECT_EQ("Velk", BotInternals::State(*third.PartBot()).BotName);
  EXPECT_EQ("Hi.", third.Received);
  EXPECT_EQ(QuoteField(third.LastOutput), files.files["VelkB.ini"]);
}

TEST(ExchangeSessionTest, StatusSaysWhatTheCopyWaitsForAndSince) {
  MemoryFiles files;
  ManualClock clock;
  Copy first(files, ExchangeRole::kA, 7, clock.Now());
  const auto status = [&first] { return first.session.Status().Text; };
  EXPECT_EQ("Press Go to start.", status());
  first.session.Go();
  clock.at += milliseconds(500);
  EXPECT_EQ("Starting: the first turn comes in 3 s.", status());
  clock.at += milliseconds(2500);
  first.session.Tick();
  EXPECT_EQ("Greeted; the next turn comes in 3 s.", status());
  clock.at += milliseconds(3000);
  first.session.Tick();
  EXPECT_EQ("Waiting for the partner's first line.", status());

  files.files["VelkB.ini"] = QuoteField("Hello.");
  first.session.Poll();
  clock.at += milliseconds(1000);
  EXPECT_EQ("Answered the partner; the next turn comes in 2 s.", status());
  clock.at += milliseconds(2000);
  first.session.Tick();
  EXPECT_EQ("Waiting for the partner; its last line came 3 s ago.", status());
  clock.at += milliseconds(11000);
  EXPECT_EQ("Waiting for the partner; its last line came 14 s ago.", status());
  clock.at += milliseconds(1000);  // five ticks
  EXPECT_EQ("Partner silent for 15 s; still waiting.", status());
  EXPECT_TRUE(first.session.Waiting());
}

// Two copies driven as their timers drive them, on a clock the test moves:
// whatever the start offset, tick phase and tick length, they keep talking,
// the first copy greets and logs, and every line received is one the
// partner sent.
TEST(ExchangeSessionTest, TwoCopiesKeepTalkingWhateverTheirOffsetsAndPhases) {
  std::mt19937 random(2024);
  for (int trial = 0; trial < 60; ++trial) {
    const milliseconds tick(std::uniform_int_distribution<int>{30, 3000}(random));
    // The second copy starts up to five ticks later and ticks up to 5% slower
    // or faster: clocks drift, and tick lengths may differ.
    const milliseconds offset(std::uniform_int_distribution<long>{0, 5 * tick.count()}(random));
    const milliseconds otherTick(tick.count() + std::uniform_int_distribution<long>{
                                                    -tick.count() / 20, tick.count() / 20}(random));
    ManualClock clock;
    MemoryFiles files;
    struct Driven {
      Copy* Of;
      milliseconds Tick;
      milliseconds NextTick;
      milliseconds NextPoll;
      std::vector<std::string> Sent;
      std::vector<std::string> Received;
    };
    Copy a(files, ExchangeRole::kA, 7, clock.Now(), tick);
    Copy b(files, ExchangeRole::kB, 8, clock.Now(), otherTick);
    Driven copies[] = {{&a, tick, tick, {}, {}, {}},
                       {&b, otherTick, offset + otherTick, {}, {}, {}}};
    for (Driven& d : copies) {
      d.Of->session.OnExchange = [&d](const std::string& received, const std::string& sent) {
        d.Received.push_back(received);
        d.Sent.push_back(sent);
      };
    }
    const milliseconds end = offset + 40 * std::max(tick, otherTick);
    const milliseconds poll(kExchangePollMs);
    for (;;) {
      // The next event: a copy's tick, or its poll while it waits.
      Driven* next = nullptr;
      milliseconds when = end;
      bool isTick = false;
      for (Driven& d : copies) {
        if (d.NextTick < when) next = &d, when = d.NextTick, isTick = true;
        if (d.Of->session.Waiting() && d.NextPoll < when)
          next = &d, when = d.NextPoll, isTick = false;
      }
      if (next == nullptr) break;
      clock.at = when;
      const bool wasWaiting = next->Of->session.Waiting();
      if (isTick) {
        next->Of->session.Tick();
        next->NextTick += next->Tick;
      } else {
        next->Of->session.Poll();
      }
      if (next->Of->session.Waiting() && (!wasWaiting || !isTick)) next->NextPoll = when + poll;
    }

    const std::string label = "tick " + std::to_string(tick.count()) + " ms, offset " +
                              std::to_string(offset.count()) + " ms, other tick " +
                              std::to_string(otherTick.count()) + " ms";
    ASSERT_GE(copies[0].Sent.size(), 20u) << label;
    ASSERT_GE(copies[1].Sent.size(), 20u) << label;
    EXPECT_EQ("VELKA:>-GETGREET-", a.log.Lines.front()) << label;
    EXPECT_EQ(2 * copies[0].Sent.size(), a.log.Lines.size()) << label;
    EXPECT_TRUE(b.log.Lines.empty()) << label;
    for (int i = 0; i < 2; ++i) {
      const auto& sentByPartner = copies[1 - i].Sent;
      for (const std::string& line : copies[i].Received) {
        if (line == "-GETGREET-") continue;
        EXPECT_NE(std::find(sentByPartner.begin(), sentByPartner.end(), line), sentByPartner.end())
            << label << ": " << line;
      }
    }
  }
}

}  // namespace
}  // namespace velk
