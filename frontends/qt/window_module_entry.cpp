// The window module's entry point: the two windows' start-up, loaded with the
// toolkit.
#include <QApplication>
#include <memory>

#include "frontends/chat_presenter.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"
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
  // Held like every copy, so that an exchange started meanwhile knows it is
  // not alone.
  const InstanceLock lock(FindExchangeDirectory().Path);
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
  const ExchangeDirectory directory = ExchangeFolder();
  const InstanceLock lock(directory.Path);
  Bot bot({.Seed = SeedOf(request), .Persona = ExchangePersona(lock.First())});
  PosixExchangeFiles files;
  const std::unique_ptr<LineSink> log = OpenLog(request.NoLog != 0);
  ExchangeSession session(bot, files, *log, directory.Path);
  Form3 form(
      session, lock.First(), [] { QCoreApplication::exit(0); },
      static_cast<int>(ExchangeTick().count()));
  form.show();
  return QApplication::exec();
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
