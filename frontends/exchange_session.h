// Two copies of the program talking through two files: the logic of the
// bot-to-bot window, without the window.
#ifndef VELK_FRONTENDS_EXCHANGE_SESSION_H_
#define VELK_FRONTENDS_EXCHANGE_SESSION_H_

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "frontends/conversation_log.h"
#include "frontends/exchange_directory.h"
#include "frontends/exchange_files.h"
#include "velk/bot.h"

namespace velk {

inline constexpr const char* kExchangeFileA = "VelkA.ini";
inline constexpr const char* kExchangeFileB = "VelkB.ini";
inline constexpr int kExchangeTickMs = 3000;
// The wait for a new line polls this often instead of spinning in a nested
// event loop.
inline constexpr int kExchangePollMs = 25;
// A partner with no new line for this many ticks of a wait counts as silent
// (the copy goes on waiting).
inline constexpr int kSilentAfterTicks = 5;

// The persona of a part: A plays Tavro, B Velk; "" without a part.
const char* ExchangePersona(ExchangeRole role);
// "A", "B", or "" without a part.
const char* ExchangeRoleName(ExchangeRole role);

// What a copy is doing, in a line for its window or terminal.
struct ExchangeStatus {
  enum class State {
    kIdle,           // loaded, Go not pressed
    kStarting,       // Go pressed, first tick still to come
    kStandby,        // both parts taken by other copies; waiting for one
    kUndeliverable,  // no folder, or the last reply could not be written
    kFirstWait,      // waiting for the partner's first line
    kWaiting,        // waiting for the partner's next line
    kSilent,         // waiting, and the partner has been quiet for a while
    kReplied,        // the last line is answered; the next tick waits again
  };
  State Now = State::kIdle;
  std::string Text;
};

// One copy's side of the exchange. A copy playing A writes "VelkA.ini", reads
// "VelkB.ini", plays Tavro and logs each pair; B the other way round, playing
// Velk. Every tick waits until the partner's file holds a line other than the
// one answered last, answers it and writes the answer to the own file.
//
// A reply stays in the own file until the copy writes its next one, so the
// partner finds it whenever its own ticks come: two copies keep talking
// whatever their start times and tick phases. The own file is emptied only by
// the first tick (a line left by an earlier run is not offered again) and by
// End().
//
// The owner drives it with two timers: Tick() every TickLength() once Go was
// pressed, and Poll() every kExchangePollMs while Waiting(). A tick that comes
// while the last one still waits only polls, so ticks never overlap and a
// tick shorter than the poll interval still polls.
class ExchangeSession {
 public:
  using Clock = std::chrono::steady_clock;
  // Makes the bot of a persona; called when the copy takes its part.
  using BotMaker = std::function<Bot(const std::string& persona)>;

  ExchangeSession(ExchangeFiles& files, LineSink& log, BotMaker makeBot,
                  std::chrono::milliseconds tick = std::chrono::milliseconds(kExchangeTickMs),
                  std::function<Clock::time_point()> now = Clock::now);

  // Window load: takes the part, names the two files and makes the bot. With
  // kNone the copy stands by: every tick asks `retake` again, and the copy
  // joins with the first part it gets.
  void Load(ExchangeRole role, std::function<ExchangeRole()> retake = {});
  ExchangeRole Role() const { return role_; }
  // The bot of the part taken; null while standing by.
  Bot* PartBot() { return bot_ ? &*bot_ : nullptr; }
  std::chrono::milliseconds TickLength() const { return tick_; }

  // Go was pressed: the first tick comes one TickLength() later.
  void Go();
  // Starts a tick: clears the labels, remembers the line answered last and
  // makes the first pass of the wait at once. During a wait: one more pass.
  void Tick();
  // One more pass of the wait, when one is in progress.
  void Poll();
  bool Waiting() const { return waiting_; }
  // True once the partner's line ended the conversation (the sentence EXIT).
  bool Ended() const { return bot_ && bot_->Ended(); }
  // The copy ends: its own file is emptied, so that no later copy answers a
  // line whose writer is gone.
  void End();

  ExchangeStatus Status() const;

  // Text1 and Text2: the own file's name and the partner's; editable.
  std::string OwnFile;
  std::string PartnerFile;
  // Label3 and Label4: the line received and the reply sent this tick.
  std::string Received;
  std::string Sent;

  std::string LastInput;
  std::string PrevInput;
  std::string LastOutput;

  // Called after every delivered exchange with the line received and the
  // reply sent.
  std::function<void(const std::string&, const std::string&)> OnExchange;
  // Called once for each distinct trouble (a refused partner file, a reply
  // that could not be written, a folder moved away), with one line.
  std::function<void(const std::string&)> OnNotice;

 private:
  void TakePart(ExchangeRole role);
  void Pass();
  void Exchange();
  void Deliver();
  void Notice(const std::string& line);

  ExchangeFiles& files_;
  LineSink& log_;
  const BotMaker makeBot_;
  const std::chrono::milliseconds tick_;
  const std::function<Clock::time_point()> now_;
  std::function<ExchangeRole()> retake_;
  std::optional<Bot> bot_;
  ExchangeRole role_ = ExchangeRole::kNone;
  bool waiting_ = false;
  bool errorPending_ = false;
  bool ticked_ = false;
  std::optional<Clock::time_point> goAt_;
  std::optional<Clock::time_point> heardAt_;  // the partner's last new line
  Clock::time_point lastTickAt_;              // the start of the last tick
  std::string undelivered_;                   // why the last reply was not written
  std::set<std::string> told_;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_SESSION_H_
