// What the chat window does, without the window: the greeting on load, the
// reply to every Enter, the typewriter reveal and the log.
#ifndef VELK_FRONTENDS_CHAT_PRESENTER_H_
#define VELK_FRONTENDS_CHAT_PRESENTER_H_

#include <optional>
#include <string>
#include <vector>

#include "frontends/conversation_log.h"
#include "frontends/reveal.h"
#include "velk/bot.h"

namespace velk {

// The chat window's logic. The window forwards its events here and shows what
// comes back; it keeps no state of its own. The bot and the log must outlive
// the presenter.
//
//   ChatPresenter chat(bot, log);
//   chat.Load();                        // greeting, header in the log
//   if (chat.Enter("hello") == ChatPresenter::Outcome::kEndProgram) quit();
//   if (auto caption = chat.Tick()) label->setText(*caption);   // every 30 ms
class ChatPresenter {
 public:
  enum class Outcome { kGoOn, kEndProgram };

  ChatPresenter(Bot& bot, LineSink& log) : bot_(bot), log_(log) {}
  ChatPresenter(const ChatPresenter&) = delete;
  ChatPresenter& operator=(const ChatPresenter&) = delete;

  // Window load: the bot's greeting, revealed from all but its last
  // character, and the log's header and greeting lines (a failed write stops
  // nothing; see LogFailing).
  void Load();

  // Enter in the input box with its whole text (empty included): restarts the
  // reveal with the reply and logs the exchange (a failed write stops nothing).
  // kEndProgram when the line asked to end the program; nothing is logged then
  // and the caller must end at once.
  Outcome Enter(const std::string& text);

  // One timer tick: the label's new caption, or nothing when the reveal is
  // complete and the label stays as it is.
  std::optional<std::string> Tick();

  // Ends the reveal at once: the label's new caption, the whole reply.
  const std::string& FinishReveal();
  // True once the whole reply has been shown (by the ticks or FinishReveal).
  bool Revealed() const { return reveal_.Done(); }

  // True while the last write of the log failed; the next exchange tries
  // again. The chat goes on either way, but the window says so.
  bool LogFailing() const { return log_.Failing; }

  // What the label shows now: the part of the reply revealed so far.
  const std::string& Caption() const { return caption_; }
  // The reply being revealed, whole (the window measures it beforehand).
  const std::string& RevealText() const { return reveal_.Text(); }

 private:
  // The log, remembering whether its last write went through.
  class WatchedLog final : public LineSink {
   public:
    explicit WatchedLog(LineSink& log) : log_(log) {}
    bool Append(const std::vector<std::string>& lines) override {
      Failing = !log_.Append(lines);
      return !Failing;
    }
    bool Failing = false;

   private:
    LineSink& log_;
  };

  Bot& bot_;
  WatchedLog log_;
  Reveal reveal_;
  std::string caption_;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_CHAT_PRESENTER_H_
