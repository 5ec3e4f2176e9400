#include "frontends/exchange_session.h"

#include <algorithm>
#include <utility>

namespace velk {

const char* ExchangePersona(ExchangeRole role) {
  return role == ExchangeRole::kA ? "Tavro" : role == ExchangeRole::kB ? "Velk" : "";
}

const char* ExchangeRoleName(ExchangeRole role) {
  return role == ExchangeRole::kA ? "A" : role == ExchangeRole::kB ? "B" : "";
}

ExchangeSession::ExchangeSession(ExchangeFiles& files, LineSink& log, BotMaker makeBot,
                                 std::chrono::milliseconds tick,
                                 std::function<Clock::time_point()> now)
    : files_(files), log_(log), makeBot_(std::move(makeBot)), tick_(tick), now_(std::move(now)) {}

void ExchangeSession::Load(ExchangeRole role, std::function<ExchangeRole()> retake) {
  retake_ = std::move(retake);
  if (role != ExchangeRole::kNone) TakePart(role);
}

void ExchangeSession::TakePart(ExchangeRole role) {
  role_ = role;
  OwnFile = role == ExchangeRole::kA ? kExchangeFileA : kExchangeFileB;
  PartnerFile = role == ExchangeRole::kA ? kExchangeFileB : kExchangeFileA;
  bot_.emplace(makeBot_(ExchangePersona(role)));
}

void ExchangeSession::Go() {
  if (!goAt_) goAt_ = now_();
}

void ExchangeSession::Tick() {
  if (Ended()) return;
  Go();  // a tick without Go counts as one
  if (role_ == ExchangeRole::kNone) {
    const ExchangeRole role = retake_ ? retake_() : ExchangeRole::kNone;
    if (role == ExchangeRole::kNone) return;
    TakePart(role);
  }
  // Without a folder nothing can be read or delivered; the status says so.
  if (!files_.Reachable()) return;
  if (const std::string moved = files_.Moved(); !moved.empty()) Notice(moved);
  if (!ticked_) {
    ticked_ = true;
    if (!files_.Replace(OwnFile, "").empty()) errorPending_ = true;
  }
  if (waiting_) {
    Pass();
    return;
  }
  Sent.clear();
  Received.clear();
  PrevInput = LastInput;
  waiting_ = true;
  lastTickAt_ = now_();
  Pass();
}

void ExchangeSession::Poll() {
  if (waiting_) Pass();
}

void ExchangeSession::Pass() {
  // A reply the folder refused is offered again on every pass until it goes
  // out, or the partner would wait for it for ever.
  if (!undelivered_.empty()) Deliver();
  const PartnerRead read = files_.Read(PartnerFile);
  if (!read.Refused.empty()) Notice(read.Refused);
  if (read.Line) {
    LastInput = ReadField(*read.Line);
    if (LastInput != PrevInput) heardAt_ = now_();
  } else {
    errorPending_ = true;
  }
  if (LastInput.empty() && errorPending_) {
    LastInput = "-GETGREET-";
    errorPending_ = false;
  }
  if (LastInput != PrevInput) Exchange();
}

void ExchangeSession::Exchange() {
  waiting_ = false;
  Received = LastInput;
  LastOutput = bot_->Reply(LastInput);
  if (bot_->Ended()) return;
  Sent = LastOutput;
  Deliver();
}

void ExchangeSession::Deliver() {
  // The own file is replaced, never emptied first: the last reply stays
  // readable until this one takes its place.
  undelivered_ = files_.Replace(OwnFile, QuoteField(LastOutput));
  if (!undelivered_.empty()) {
    // Not logged either: the log holds what was sent.
    errorPending_ = true;
    Notice(undelivered_ + "; the reply is not delivered yet");
    return;
  }
  if (OwnFile == kExchangeFileA) {
    log_.Append(
        {std::string(kLogReceivedPrefix) + LastInput, std::string(kLogSentPrefix) + LastOutput});
  }
  if (OnExchange) OnExchange(LastInput, LastOutput);
}

void ExchangeSession::End() {
  if (ticked_ && files_.Reachable()) files_.Replace(OwnFile, "");
}

void ExchangeSession::Notice(const std::string& line) {
  if (told_.insert(line).second && OnNotice) OnNotice(line);
}

ExchangeStatus ExchangeSession::Status() const {
  using State = ExchangeStatus::State;
  const Clock::time_point now = now_();
  const auto seconds = [now](Clock::time_point since) {
    return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now - since).count()) +
           " s";
  };
  if (!files_.Reachable()) {
    return {State::kUndeliverable, "Nothing is delivered: the exchange folder was refused."};
  }
  if (role_ == ExchangeRole::kNone) {
    return {State::kStandby,
            "Two copies are talking here already; this one waits for a free part."};
  }
  if (!goAt_) return {State::kIdle, "Press Go to start."};
  if (!ticked_) {
    const auto left = std::chrono::ceil<std::chrono::seconds>(*goAt_ + tick_ - now);
    return {State::kStarting,
            "Starting: the first turn comes in " + std::to_string(left.count()) + " s."};
  }
  if (!undelivered_.empty()) return {State::kUndeliverable, "Not delivered: " + undelivered_};
  if (!waiting_) {
    const auto left = std::chrono::ceil<std::chrono::seconds>(lastTickAt_ + tick_ - now);
    return {State::kReplied, std::string(heardAt_ ? "Answered the partner" : "Greeted") +
                                 "; the next turn comes in " +
                                 std::to_string(std::max<long>(0, left.count())) + " s."};
  }
  const Clock::time_point quietSince = heardAt_ ? *heardAt_ : *goAt_;
  if (now - quietSince >= kSilentAfterTicks * tick_) {
    return {State::kSilent, "Partner silent for " + seconds(quietSince) + "; still waiting."};
  }
  if (!heardAt_) return {State::kFirstWait, "Waiting for the partner's first line."};
  return {State::kWaiting,
          "Waiting for the partner; its last line came " + seconds(*heardAt_) + " ago."};
}

}  // namespace velk
