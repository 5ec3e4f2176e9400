// The window module's entry point: the two windows' start-up, which used to
// sit in the program's main and now loads with the toolkit.
#include <QApplication>
#include <memory>

#include "engine/clock.h"
#include "engine/random_source.h"
#include "engine/reply_engine.h"
#include "frontends/chat_presenter.h"
#include "frontends/chat_window.h"
#include "frontends/exchange_files.h"
#include "frontends/exchange_session.h"
#include "frontends/exchange_window.h"
#include "frontends/start_up.h"
#include "frontends/window_module.h"

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
  Mt19937Random random;
  SystemClock clock;
  ReplyEngine engine(random, clock, SeedOf(request));
  const std::unique_ptr<LineSink> log = OpenLog(request.NoLog != 0);
  ChatPresenter presenter(engine, *log);
  // Exit and the EXIT sentence leave the event loop at once; nothing more is
  // shown or logged.
  Form1 form(presenter, [] { QCoreApplication::exit(0); });
  form.show();
  return QApplication::exec();
}

int RunExchangeWindow(const WindowRequest& request) {
  const ExchangeDirectory directory = ExchangeFolder();
  const InstanceLock lock(directory.Path);
  Mt19937Random random;
  SystemClock clock;
  ReplyEngine engine(random, clock, SeedOf(request));
  PosixExchangeFiles files;
  const std::unique_ptr<LineSink> log = OpenLog(request.NoLog != 0);
  ExchangeSession session(engine, files, *log, directory.Path);
  Form3 form(
      engine, session, lock.First(), [] { QCoreApplication::exit(0); },
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
