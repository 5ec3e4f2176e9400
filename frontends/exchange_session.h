// Two copies of the program talking through two files: the logic of the
// bot-to-bot window, without the window.
#ifndef VELK_FRONTENDS_EXCHANGE_SESSION_H_
#define VELK_FRONTENDS_EXCHANGE_SESSION_H_

#include <functional>
#include <string>

#include "frontends/conversation_log.h"
#include "frontends/exchange_files.h"
#include "velk/bot.h"

namespace velk {

inline constexpr const char* kExchangeFileA = "VelkA.ini";
inline constexpr const char* kExchangeFileB = "VelkB.ini";
inline constexpr int kExchangeTickMs = 3000;
// The wait for a new line polls this often instead of spinning in a nested
// event loop.
inline constexpr int kExchangePollMs = 25;

// The persona of a copy: the first to start plays Tavro, a later one Velk.
inline const char* ExchangePersona(bool firstCopy) { return firstCopy ? "Tavro" : "Velk"; }

// One copy's side of the exchange. The first copy to start writes
// "VelkA.ini", reads "VelkB.ini" and plays Tavro; a later copy the other way
// round, playing Velk. Every tick waits until the partner's file holds a line
// other than the one answered last, answers it and writes the answer to the
// own file; the copy writing "VelkA.ini" logs each pair.
//
// The owner drives it with two timers: Tick() every kExchangeTickMs once Go
// was pressed, and Poll() every kExchangePollMs while Waiting(). A tick that
// comes while the last one still waits is skipped, so ticks never overlap.
class ExchangeSession {
 public:
  // `directory` ends with "/" (empty: the files cannot be reached, and the
  // copy keeps waiting or greeting without delivering anything).
  // The bot must play ExchangePersona(firstCopy) of the copy it serves.
  ExchangeSession(Bot& bot, ExchangeFiles& files, LineSink& log, std::string directory);

  // Window load: names the two files.
  void Load(bool firstCopy);

  // True once the partner's line ended the conversation (the sentence EXIT).
  bool Ended() const { return bot_.Ended(); }

  // Starts a tick: clears the labels, remembers the line answered last and
  // makes the first pass of the wait at once.
  void Tick();
  // One more pass of the wait, when one is in progress.
  void Poll();
  bool Waiting() const { return waiting_; }

  // Text1 and Text2: the own file's name and the partner's; editable.
  std::string OwnFile;
  std::string PartnerFile;
  // Label3 and Label4: the line received and the reply sent this tick.
  std::string Received;
  std::string Sent;

  std::string LastInput;
  std::string PrevInput;
  std::string LastOutput;

  // Called after every exchange with the line received and the reply sent.
  std::function<void(const std::string&, const std::string&)> OnExchange;

 private:
  void Pass();
  void Exchange();

  Bot& bot_;
  ExchangeFiles& files_;
  LineSink& log_;
  const std::string directory_;
  bool waiting_ = false;
  bool errorPending_ = false;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_SESSION_H_
