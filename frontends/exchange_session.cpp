#include "frontends/exchange_session.h"

namespace velk {

ExchangeSession::ExchangeSession(Bot& bot, ExchangeFiles& files, LineSink& log,
                                 std::string directory)
    : bot_(bot), files_(files), log_(log), directory_(std::move(directory)) {}

void ExchangeSession::Load(bool firstCopy) {
  OwnFile = firstCopy ? kExchangeFileA : kExchangeFileB;
  PartnerFile = firstCopy ? kExchangeFileB : kExchangeFileA;
}

void ExchangeSession::Tick() {
  if (waiting_) return;
  Sent.clear();
  Received.clear();
  PrevInput = LastInput;
  waiting_ = true;
  Pass();
}

void ExchangeSession::Poll() {
  if (waiting_) Pass();
}

void ExchangeSession::Pass() {
  // Without a usable directory every file step fails, as on a machine whose
  // exchange folder is missing.
  const bool reachable = !directory_.empty();
  if (!reachable || !files_.Empty(directory_ + OwnFile)) errorPending_ = true;
  std::optional<std::string> line;
  if (reachable) line = files_.ReadFirstLine(directory_ + PartnerFile);
  if (line) {
    LastInput = ReadField(*line);
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
  LastOutput = bot_.Reply(LastInput);
  if (bot_.Ended()) return;
  Sent = LastOutput;
  if (directory_.empty() || !files_.Replace(directory_ + OwnFile, QuoteField(LastOutput))) {
    errorPending_ = true;
  }
  if (OwnFile == kExchangeFileA) {
    log_.Append(
        {std::string(kLogReceivedPrefix) + LastInput, std::string(kLogSentPrefix) + LastOutput});
  }
  if (OnExchange) OnExchange(LastInput, LastOutput);
}

}  // namespace velk
