// The window module's entry point: the two windows' start-up, loaded with the
// toolkit.
#include <QApplication>
#include <iostream>
#include <memory>

#include "frontends/chat_presenter.h"
#include "frontends/qt/chat_window.h"
#include "frontends/qt/exchange_window.h"
#include "frontends/start_up.h"
#include "frontends/window_module.h"
#include "velk/bot.h"

namespace velk {
namespace {

std::optional<std::uint32_t> SeedOf(const WindowRequest& request) {
  if (request.HasSeed == 0) return std::nullopt;
  return request.Seed;
}

int RunChatWindow(const WindowRequest& request) {
  Bot bot({.Seed = SeedOf(request)});
  const std::unique_ptr<LineSink> log = OpenLog(request.NoLog != 0);
  ChatPresenter presenter(bot, *log);
  // Exit and the EXIT sentence leave the event loop at once; nothing more is
  // shown or logged.
  Form1 form(presenter, [] { QCoreApplication::exit(0); });
  form.show();
  return QApplication::exec();
}

int RunExchangeWindow(const WindowRequest& request) {
  ExchangeCopy copy(SeedOf(request), request.NoLog != 0, std::cerr);
  Form3 form(copy.Session, [] { QCoreApplication::exit(0); });
  form.show();
  const int status = QApplication::exec();
  copy.Session.End();
  return status;
}

}  // namespace
}  // namespace velk

extern "C" __attribute__((visibility("default"))) int velk_run_window_v1(
    const velk::WindowRequest* request, int* argc, char** argv) {
  QApplication app(*argc, argv);
  app.setWindowIcon(velk::PersonaIcon());
  if (request->Kind == velk::kExchangeWindowKind) return velk::RunExchangeWindow(*request);
  return velk::RunChatWindow(*request);
}
