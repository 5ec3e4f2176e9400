#include "frontends/chat_presenter.h"

namespace velk {

void ChatPresenter::Load() {
  reveal_.StartNearlyShown(bot_.Greet());
  // A log that cannot be written must not keep the chat from opening: the
  // start is treated like every exchange after it.
  LogChatStart(log_, reveal_.Text());
}

ChatPresenter::Outcome ChatPresenter::Enter(const std::string& text) {
  std::string reply = bot_.Reply(text);
  // The EXIT sentence ends the program inside the reply, before the log.
  if (bot_.Ended()) return Outcome::kEndProgram;
  reveal_.Start(std::move(reply));
  LogChatExchange(log_, text, reveal_.Text());
  return Outcome::kGoOn;
}

std::optional<std::string> ChatPresenter::Tick() {
  std::optional<std::string> caption = reveal_.Tick();
  if (caption) caption_ = *caption;
  return caption;
}

const std::string& ChatPresenter::FinishReveal() {
  reveal_.Finish();
  caption_ = reveal_.Text();
  return caption_;
}

}  // namespace velk
