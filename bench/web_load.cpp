// Load on velk serve: many conversations at once over keep-alive connections,
// with the rate of replies and the latency of every one.
#include <arpa/inet.h>
#include <fcntl.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <latch>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace velk {
namespace {

using Clock = std::chrono::steady_clock;
using Json = nlohmann::json;

constexpr auto kWarmUp = std::chrono::seconds(1);
constexpr int kDefaultConversations = 50;
constexpr int kMostDefaultConnections = 16;

struct Options {
  std::string Url;
  std::string Server;
  std::string LinesFile = VELK_SOURCE_DIR "/bench/lines.txt";
  std::size_t LineCount = 0;  // 0: the whole file
  int Conversations = kDefaultConversations;
  int Connections = 0;  // 0: min(conversations, 16)
  int Seconds = 10;
  std::uint32_t SeedBase = 1;
  bool JsonLine = false;
  bool Help = false;
};

std::string UsageText() {
  return "usage: velk_web_load (--url URL | --server PATH) [--conversations N]\n"
         "         [--connections C] [--seconds S] [--seed-base B] [--lines-file FILE]\n"
         "         [--lines L] [--json]\n"
         "Drives velk serve with many conversations at once and reports replies per second\n"
         "and the latency of replies.\n"
         "  --url URL            a running server, http://HOST:PORT; HOST must be this machine\n"
         "                       (127.0.0.0/8, localhost or [::1])\n"
         "  --server PATH        start PATH on 127.0.0.1 with a new database in a temporary\n"
         "                       folder, and stop it with SIGTERM at the end\n"
         "  --conversations N    conversations to create, with seeds B, B+1, ... (default 50)\n"
         "  --connections C      client threads, each with one keep-alive connection and its\n"
         "                       share of the conversations (at most N; default min(N, 16))\n"
         "  --seconds S          seconds measured, after 1 s of warm-up (default 10)\n"
         "  --seed-base B        seed of the first conversation (default 1)\n"
         "  --lines-file FILE    the lines to say, one a line (default bench/lines.txt)\n"
         "  --lines L            say only the first L lines of the file (default all)\n"
         "  --json               also print the figures as one line of JSON\n"
         "  --help               show this text\n"
         "Each connection sends a line as soon as the reply to its previous line came (a closed\n"
         "loop), so C requests are in flight at any time: the latencies are those of a server\n"
         "under that much concurrency, not under a fixed arrival rate. Each thread takes its\n"
         "conversations in turn, each conversation its own place in the lines. A conversation\n"
         "that ends is replaced by a new one. Latencies are of every line sent in the measured\n"
         "seconds that was answered; percentiles are from all of them. Exit status: 0, 1 if any\n"
         "request failed or the server did not stop cleanly, 2 if the run could not start.\n";
}

template <typename Number>
std::optional<Number> ParseNumber(const std::string& text, Number least, Number most) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value < least || value > most) {
    return std::nullopt;
  }
  return value;
}

// Fills `options` from the arguments; returns an error message, or "" if they were fine.
std::string ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
      continue;
    }
    if (arg == "--json") {
      options.JsonLine = true;
      continue;
    }
    static const std::set<std::string> kWithValue = {
        "--url",           "--server",      "--lines-file", "--lines",
        "--conversations", "--connections", "--seconds",    "--seed-base"};
    if (!kWithValue.contains(arg)) return "unknown argument '" + arg + "'";
    if (i + 1 == argc) return arg + " needs a value";
    const std::string value = argv[++i];
    const auto number = [&](auto& field, auto least, auto most) {
      const auto parsed = ParseNumber(value, least, most);
      if (parsed) field = *parsed;
      return parsed ? std::string()
                    : arg + " " + value + ": not a number from " + std::to_string(least) + " to " +
                          std::to_string(most);
    };
    std::string error;
    if (arg == "--url") {
      options.Url = value;
    } else if (arg == "--server") {
      options.Server = value;
    } else if (arg == "--lines-file") {
      options.LinesFile = value;
    } else if (arg == "--lines") {
      error = number(options.LineCount, std::size_t{1}, std::size_t{1} << 30);
    } else if (arg == "--conversations") {
      error = number(options.Conversations, 1, 1000000);
    } else if (arg == "--connections") {
      error = number(options.Connections, 1, 1024);
    } else if (arg == "--seconds") {
      error = number(options.Seconds, 1, 3600);
    } else {
      error = number(options.SeedBase, std::uint32_t{0}, UINT32_MAX);
    }
    if (!error.empty()) return error;
  }
  if (options.Help) return "";
  if (options.Url.empty() == options.Server.empty()) return "give either --url or --server";
  return "";
}

struct Target {
  std::string Host;
  int Port = 80;
};

// The load is meant for a server under test on this machine: a mistyped URL
// must not send it anywhere else.
bool IsLoopback(const std::string& host) {
  if (host == "localhost" || host == "::1") return true;
  in_addr address{};
  return inet_pton(AF_INET, host.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

// Reads http://HOST[:PORT][/]; returns an error message, or "" if it is fine.
std::string ParseUrl(const std::string& url, Target& target) {
  constexpr std::string_view kScheme = "http://";
  if (!url.starts_with(kScheme)) return url + ": only http:// URLs are served";
  std::string rest = url.substr(kScheme.size());
  if (rest.ends_with('/')) rest.pop_back();
  if (rest.find('/') != std::string::npos) return url + ": a path is not supported";
  std::string port;
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    if (close == std::string::npos) return url + ": no ] after the address";
    target.Host = rest.substr(1, close - 1);
    if (close + 1 < rest.size()) {
      if (rest[close + 1] != ':') return url + ": no port after the address";
      port = rest.substr(close + 2);
    }
  } else {
    const std::size_t colon = rest.find(':');
    target.Host = rest.substr(0, colon);
    if (colon != std::string::npos) port = rest.substr(colon + 1);
  }
  if (!port.empty()) {
    const auto parsed = ParseNumber(port, 1, 65535);
    if (!parsed) return url + ": the port must be a number from 1 to 65535";
    target.Port = *parsed;
  }
  if (!IsLoopback(target.Host)) return url + ": the server must be on this machine";
  return "";
}

std::vector<std::string> ReadLines(const std::string& path, std::size_t count) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; (count == 0 || lines.size() < count) && std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The server as a child process, its standard output and error read through
// one pipe: the "listening on" line gives its port, and the rest is drained so
// that the server never blocks on a full pipe. The last lines are kept to show
// when something went wrong.
class ServerProcess {
 public:
  ~ServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (drain_.joinable()) drain_.join();
    if (output_ >= 0) close(output_);
  }

  // Starts `path` on a free port of 127.0.0.1 with the database `db`, and
  // waits for it to say where it listens; `gone` is set when it ends. Returns
  // an error message, or "".
  std::string Start(const std::string& path, const std::string& db, std::atomic<bool>& gone) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return "cannot make a pipe";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    const char* argv[] = {path.c_str(), "--listen", "127.0.0.1:0", "--db", db.c_str(), nullptr};
    const int spawned =
        posix_spawnp(&pid_, path.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
    if (spawned != 0) {
      pid_ = -1;
      return path + ": " + std::strerror(spawned);
    }

    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (port_ == 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      pollfd ready{output_, POLLIN, 0};
      if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) < 1) {
        return "the server did not say where it listens within 15 s";
      }
      char buffer[4096];
      const ssize_t n = read(output_, buffer, sizeof buffer);
      if (n <= 0) {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return "the server ended before it listened (" + Describe(status) + ")";
      }
      Take(buffer, static_cast<std::size_t>(n));
    }
    drain_ = std::thread([this, &gone] {
      char buffer[4096];
      for (ssize_t n; (n = read(output_, buffer, sizeof buffer)) > 0;) {
        Take(buffer, static_cast<std::size_t>(n));
      }
      gone = true;
    });
    return "";
  }

  int Port() const { return port_; }

  // SIGTERM, then up to 10 s for it to end before SIGKILL. Returns how it
  // ended, and whether that was cleanly (status 0, or SIGTERM's own end).
  std::pair<std::string, bool> Stop() {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      if (drain_.joinable()) drain_.join();
      return {Describe(status) + " before the run was over", false};
    }
    kill(pid_, SIGTERM);
    const auto asked = Clock::now();
    bool killed = false;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() - asked > std::chrono::seconds(10)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        killed = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const double millis = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
    pid_ = -1;
    if (drain_.joinable()) drain_.join();
    char after[64];
    std::snprintf(after, sizeof after, ", %.0f ms after SIGTERM", millis);
    if (killed) return {"did not end within 10 s of SIGTERM; killed", false};
    const bool clean = (WIFEXITED(status) && WEXITSTATUS(status) == 0) ||
                       (WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    return {Describe(status) + after, clean};
  }

  std::vector<std::string> LastLines() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return {last_.begin(), last_.end()};
  }

 private:
  static std::string Describe(int status) {
    if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
  }

  void Take(const char* data, std::size_t size) {
    constexpr std::string_view kListening = "listening on http://127.0.0.1:";
    const std::lock_guard<std::mutex> lock(mutex_);
    partial_.append(data, size);
    for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
      std::string line = partial_.substr(0, end);
      partial_.erase(0, end + 1);
      if (const std::size_t at = line.find(kListening); port_ == 0 && at != std::string::npos) {
        const std::string digits = line.substr(at + kListening.size());
        int port = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), port);
        port_ = port;
      }
      last_.push_back(std::move(line));
      if (last_.size() > 20) last_.pop_front();
    }
  }

  pid_t pid_ = -1;
  int output_ = -1;
  std::atomic<int> port_ = 0;
  std::thread drain_;
  mutable std::mutex mutex_;
  std::string partial_;
  std::deque<std::string> last_;
};

// What one client thread saw.
struct Tally {
  std::vector<double> Millis;  // replies to lines sent in the measured seconds
  std::uint64_t Sent = 0;      // lines sent in the measured seconds
  std::uint64_t Replies = 0;   // replies received in the measured seconds
  std::uint64_t Replaced = 0;
  std::map<std::string, std::uint64_t> Errors;
};

struct Conversation {
  std::string Id;
  std::size_t Next = 0;  // the line it says next
};

// What every client thread reads; the times are set once all conversations exist.
struct Run {
  Target Server;
  std::vector<std::string> Lines;
  std::atomic<std::uint32_t> NextSeed = 0;
  // Set when the server this program started has ended: its requests could
  // then only fail, as fast as they can be made.
  std::atomic<bool> ServerGone = false;
  std::latch Created;
  std::latch Go{1};
  Clock::time_point Measure;
  Clock::time_point End;

  explicit Run(int threads) : Created(threads) {}
};

void ConfigureClient(httplib::Client& client) {
  client.set_keep_alive(true);
  // Without it a request's body waits for the ACK of its headers.
  client.set_tcp_nodelay(true);
  client.set_connection_timeout(std::chrono::seconds(5));
  client.set_read_timeout(std::chrono::seconds(30));
  client.set_write_timeout(std::chrono::seconds(5));
}

// Parses a reply body as a JSON object, or gives null.
Json ParseObject(const std::string& body) {
  Json json = Json::parse(body, nullptr, false);
  return json.is_object() ? json : Json();
}

std::optional<Conversation> Create(httplib::Client& client, std::uint32_t seed, Tally& tally) {
  const httplib::Result result =
      client.Post("/api/conversations", Json{{"seed", seed}}.dump(), "application/json");
  if (!result) {
    ++tally.Errors["create: " + httplib::to_string(result.error())];
    return std::nullopt;
  }
  if (result->status != 201) {
    ++tally.Errors["create: HTTP " + std::to_string(result->status)];
    return std::nullopt;
  }
  const Json json = ParseObject(result->body);
  if (json.is_null() || !json.contains("greeting") || !json.contains("id") ||
      !(json["id"].is_string() || json["id"].is_number_integer())) {
    ++tally.Errors["create: unexpected body"];
    return std::nullopt;
  }
  Conversation conversation;
  conversation.Id = json["id"].is_string() ? json["id"].get<std::string>() : json["id"].dump();
  return conversation;
}

enum class Said { kReply, kEnded, kFailed };

// Reads the answer to a line.
Said Interpret(const httplib::Result& result, Tally& tally) {
  if (!result) {
    ++tally.Errors[httplib::to_string(result.error())];
    return Said::kFailed;
  }
  if (result->status != 200) {
    ++tally.Errors["HTTP " + std::to_string(result->status)];
    return Said::kFailed;
  }
  const Json json = ParseObject(result->body);
  if (json.is_null() || !json.contains("reply") || !json["reply"].is_string() ||
      !json.contains("ended") || !json["ended"].is_boolean()) {
    ++tally.Errors["unexpected body"];
    return Said::kFailed;
  }
  return json["ended"].get<bool>() ? Said::kEnded : Said::kReply;
}

// One client thread: creates its conversations, waits for the others, then
// says their lines in turn until the end.
void Drive(Run& run, const std::vector<std::uint32_t>& seeds, Tally& tally) {
  httplib::Client client(run.Server.Host, run.Server.Port);
  ConfigureClient(client);
  std::vector<Conversation> conversations;
  for (const std::uint32_t seed : seeds) {
    if (std::optional<Conversation> created = Create(client, seed, tally)) {
      // Each conversation starts at its own place in the lines, as people
      // talking at the same time are not all saying the same thing.
      created->Next = static_cast<std::size_t>(seed) * 37 % run.Lines.size();
      conversations.push_back(std::move(*created));
    }
  }
  run.Created.count_down();
  run.Go.wait();

  for (std::size_t turn = 0; !conversations.empty(); ++turn) {
    if (Clock::now() >= run.End || run.ServerGone) break;
    const std::size_t index = turn % conversations.size();
    Conversation& conversation = conversations[index];
    const std::string path = "/api/conversations/" + conversation.Id + "/lines";
    const std::string body = Json{{"line", run.Lines[conversation.Next]}}.dump();
    conversation.Next = (conversation.Next + 1) % run.Lines.size();
    // The time of the request alone: building it and reading its JSON are the client's own work.
    const Clock::time_point sent = Clock::now();
    const httplib::Result result = client.Post(path, body, "application/json");
    const Clock::time_point received = Clock::now();
    const Said said = Interpret(result, tally);
    const bool measured = sent >= run.Measure && sent < run.End;
    tally.Sent += measured;
    if (said == Said::kFailed) continue;
    if (measured) {
      tally.Millis.push_back(std::chrono::duration<double, std::milli>(received - sent).count());
    }
    tally.Replies += received >= run.Measure && received < run.End;
    if (said == Said::kEnded) {
      const std::size_t next = conversation.Next;
      if (std::optional<Conversation> created = Create(client, run.NextSeed++, tally)) {
        conversation = std::move(*created);
        conversation.Next = next;
        ++tally.Replaced;
      } else {
        conversations.erase(conversations.begin() + static_cast<std::ptrdiff_t>(index));
      }
    }
  }
}

// The nearest-rank percentile of sorted samples.
double Percentile(const std::vector<double>& sorted, double percent) {
  if (sorted.empty()) return 0;
  const auto rank = static_cast<std::size_t>(std::ceil(percent / 100 * sorted.size()));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

// A temporary folder for the server's database, removed with all it holds.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-web-load-XXXXXX");
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

int Main(int argc, char** argv) {
  Options options;
  if (const std::string error = ParseArguments(argc, argv, options); !error.empty()) {
    std::fprintf(stderr, "velk_web_load: %s\nTry 'velk_web_load --help'.\n", error.c_str());
    return 2;
  }
  if (options.Help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  // A server that closes a connection while a request is written must give
  // an error, not end this program.
  signal(SIGPIPE, SIG_IGN);

  const int connections =
      std::min(options.Conversations,
               options.Connections > 0 ? options.Connections : kMostDefaultConnections);
  Run run(connections);
  run.Lines = ReadLines(options.LinesFile, options.LineCount);
  if (run.Lines.empty()) {
    std::fprintf(stderr, "velk_web_load: no lines in %s\n", options.LinesFile.c_str());
    return 2;
  }
  run.NextSeed = options.SeedBase + static_cast<std::uint32_t>(options.Conversations);

  // The folder outlives the server, which is stopped before it goes.
  std::optional<TemporaryFolder> folder;
  std::optional<ServerProcess> server;
  if (!options.Server.empty()) {
    if (folder.emplace().Path().empty()) {
      std::fprintf(stderr, "velk_web_load: cannot make a temporary folder\n");
      return 2;
    }
    server.emplace();
    const std::string error =
        server->Start(options.Server, folder->Path() / "velk.db", run.ServerGone);
    if (!error.empty()) {
      std::fprintf(stderr, "velk_web_load: %s\n", error.c_str());
      for (const std::string& line : server->LastLines()) {
        std::fprintf(stderr, "  server: %s\n", line.c_str());
      }
      return 2;
    }
    run.Server = {"127.0.0.1", server->Port()};
  } else if (const std::string error = ParseUrl(options.Url, run.Server); !error.empty()) {
    std::fprintf(stderr, "velk_web_load: %s\n", error.c_str());
    return 2;
  }

  std::vector<std::vector<std::uint32_t>> seeds(static_cast<std::size_t>(connections));
  for (int i = 0; i < options.Conversations; ++i) {
    seeds[static_cast<std::size_t>(i % connections)].push_back(options.SeedBase +
                                                               static_cast<std::uint32_t>(i));
  }
  std::vector<Tally> tallies(static_cast<std::size_t>(connections));
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < tallies.size(); ++t) {
    threads.emplace_back(Drive, std::ref(run), std::cref(seeds[t]), std::ref(tallies[t]));
  }
  run.Created.wait();
  run.Measure = Clock::now() + kWarmUp;
  run.End = run.Measure + std::chrono::seconds(options.Seconds);
  run.Go.count_down();
  for (std::thread& thread : threads) thread.join();

  std::vector<double> millis;
  std::uint64_t sent = 0;
  std::uint64_t replies = 0;
  std::uint64_t replaced = 0;
  std::map<std::string, std::uint64_t> errors;
  std::uint64_t errorCount = 0;
  for (const Tally& tally : tallies) {
    millis.insert(millis.end(), tally.Millis.begin(), tally.Millis.end());
    sent += tally.Sent;
    replies += tally.Replies;
    replaced += tally.Replaced;
    for (const auto& [kind, count] : tally.Errors) {
      errors[kind] += count;
      errorCount += count;
    }
  }
  std::sort(millis.begin(), millis.end());
  const double perSecond = static_cast<double>(replies) / options.Seconds;
  const double p50 = Percentile(millis, 50);
  const double p90 = Percentile(millis, 90);
  const double p99 = Percentile(millis, 99);
  const double most = millis.empty() ? 0 : millis.back();

  std::string errorText = std::to_string(errorCount);
  if (!errors.empty()) {
    std::string kinds;
    for (const auto& [kind, count] : errors) {
      kinds += (kinds.empty() ? "" : ", ") + kind + " x" + std::to_string(count);
    }
    errorText += " (" + kinds + ")";
  }
  std::printf("conversations  %d (%llu ended and were replaced)\n", options.Conversations,
              static_cast<unsigned long long>(replaced));
  std::printf("connections    %d\n", connections);
  std::printf("seconds        %d after %lld s of warm-up\n", options.Seconds,
              static_cast<long long>(kWarmUp.count()));
  std::printf("requests       %llu\n", static_cast<unsigned long long>(sent));
  std::printf("replies/s      %.1f\n", perSecond);
  std::printf("latency ms     p50 %.3f  p90 %.3f  p99 %.3f  max %.3f\n", p50, p90, p99, most);
  std::printf("errors         %s\n", errorText.c_str());

  bool stoppedCleanly = true;
  if (server) {
    const auto [how, clean] = server->Stop();
    stoppedCleanly = clean;
    std::printf("server         %s\n", how.c_str());
    if (!clean || errorCount > 0) {
      std::fflush(stdout);
      for (const std::string& line : server->LastLines()) {
        std::fprintf(stderr, "  server: %s\n", line.c_str());
      }
    }
  }
  if (options.JsonLine) {
    const Json json = {{"conversations", options.Conversations},
                       {"connections", connections},
                       {"seconds", options.Seconds},
                       {"requests", sent},
                       {"replies_per_second", perSecond},
                       {"p50_ms", p50},
                       {"p90_ms", p90},
                       {"p99_ms", p99},
                       {"max_ms", most},
                       {"errors", errorCount},
                       {"replaced", replaced}};
    std::printf("%s\n", json.dump().c_str());
  }
  return errorCount == 0 && stoppedCleanly ? 0 : 1;
}

}  // namespace
}  // namespace velk

int main(int argc, char** argv) { return velk::Main(argc, argv); }
