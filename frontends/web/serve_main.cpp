// velk serve: the chat as a web page and an HTTP API, conversations kept in
// SQLite. Started by `velk serve`, or directly.
#include <httplib.h>
#include <signal.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frontends/standard_descriptors.h"
#include "frontends/web/chat_service.h"
#include "frontends/web/conversation_pool.h"
#include "frontends/web/conversation_store.h"
#include "frontends/web/http_api.h"
#include "frontends/web/serve_options.h"
#include "velk/version.h"

namespace {

// Connections served at once: an open keep-alive connection holds a worker
// until it has been idle for kKeepAliveSeconds, and stopping waits for that
// too, so the wait is kept short.
constexpr int kWorkers = 128;
constexpr int kKeepAliveRequests = 10000;
constexpr int kKeepAliveSeconds = 2;
constexpr auto kCheckpointEvery = std::chrono::milliseconds(100);
constexpr int kSweepEveryRounds = 50;

void Say(const std::string& line) {
  // One write per line, so that lines from several threads never mix.
  const std::string whole = "velk serve: " + line + "\n";
  std::cerr.write(whole.data(), static_cast<std::streamsize>(whole.size())).flush();
}

std::string Conversations(std::int64_t count) {
  return std::to_string(count) + (count == 1 ? " conversation" : " conversations");
}

std::string Address(const velk::ServeOptions& options, int port) {
  const bool v6 = options.Host.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + options.Host + "]" : options.Host) + ":" + std::to_string(port);
}

}  // namespace

int main(int argc, char** argv) {
  velk::OpenClosedStandardDescriptors();
  const velk::ServeOptions options = velk::ParseServeOptions({argv + 1, argv + argc});
  if (!options.Error.empty()) {
    std::cerr << "velk serve: " << options.Error
              << "\nTry 'velk serve --help' for more information.\n";
    return 2;
  }
  if (options.Help) {
    std::cout << velk::ServeUsageText();
    return 0;
  }

  // The signals are taken by one thread of their own, so blocked everywhere
  // before any other thread starts.
  sigset_t stopping;
  sigemptyset(&stopping);
  sigaddset(&stopping, SIGINT);
  sigaddset(&stopping, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
  // A client that goes away mid-reply must not end the service.
  signal(SIGPIPE, SIG_IGN);

  std::unique_ptr<velk::ConversationStore> store;
  try {
    store = std::make_unique<velk::ConversationStore>(options.DbPath);
  } catch (const velk::StoreError& error) {
    Say("cannot use the database " + options.DbPath + ": " + error.what());
    return 1;
  }
  velk::ConversationPool pool(options.MaxHeld, std::chrono::seconds(options.IdleSeconds));
  velk::ChatService service(*store, pool);

  httplib::Server server;
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
  server.set_keep_alive_max_count(kKeepAliveRequests);
  server.set_keep_alive_timeout(kKeepAliveSeconds);
  // A response's head and body go out as written, not held back waiting for
  // the client's acknowledgement of the head (40 ms a request otherwise).
  server.set_tcp_nodelay(true);
  velk::ServeChat(server, service, Say);

  // The library listens with a backlog of 5, which a burst of new
  // connections overflows; the socket is listened on again with the
  // system's own bound once bound. SO_REUSEPORT, the library's default, is
  // left off, so that a second service on the same port is refused.
  int listening = -1;
  server.set_socket_options([&listening](int socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    listening = socket;
  });
  const int port = options.Port == 0
                       ? server.bind_to_any_port(options.Host)
                       : (server.bind_to_port(options.Host, options.Port) ? options.Port : -1);
  if (port < 0) {
    Say("cannot listen on " + Address(options, options.Port) + ": " +
        (errno != 0 ? std::strerror(errno) : "address not available"));
    return 1;
  }

  if (listening >= 0) ::listen(listening, SOMAXCONN);

  // Stops the server on the first signal.
  std::mutex mutex;
  std::condition_variable wake;
  bool done = false;
  int signalSeen = 0;
  std::thread signals([&] {
    int number = 0;
    sigwait(&stopping, &number);
    std::unique_lock lock(mutex);
    signalSeen = number;
    // Stopping a server that has not begun to listen does nothing, so a
    // signal right after start waits for it to begin (or to give up).
    while (!done && !server.is_running()) {
      lock.unlock();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      lock.lock();
    }
    lock.unlock();
    server.stop();
  });
  // Upkeep off the requests' path: the database's log copied back often, so
  // that it stays short, and idle conversations let go of now and then.
  std::thread upkeep([&] {
    std::unique_lock lock(mutex);
    for (int round = 1; !wake.wait_for(lock, kCheckpointEvery, [&] { return done; }); ++round) {
      lock.unlock();
      store->Checkpoint();
      if (round % kSweepEveryRounds == 0) pool.DropIdle();
      lock.lock();
    }
  });

  Say("listening on " + Address(options, port) + ", " + Conversations(store->Count()) + " in " +
      options.DbPath + " (velk " VELK_VERSION ")");
  // Returns once stopped, after the requests in flight are answered.
  const bool listened = server.listen_after_bind();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  wake.notify_all();
  upkeep.join();
  int seen = 0;
  {
    std::lock_guard lock(mutex);
    seen = signalSeen;
  }
  // Stopped without a signal: the signal thread still waits for one.
  if (seen == 0) pthread_kill(signals.native_handle(), SIGTERM);
  signals.join();
  Say(std::string("stopped") + (seen != 0 ? std::string(" on ") + strsignal(seen) : "") + ", " +
      Conversations(store->Count()) + " kept");
  return listened || seen != 0 ? 0 : 1;
}
