// The program as people run it on a file: the thousand lines piped through
// `velk --console`, a child process, start-up included.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

extern char** environ;

namespace velk {
namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes all of `text` to `fd`, then closes it.
void WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(fd);
}

// Runs the program with `input` on its standard input, both ends pipes, and
// returns the number of lines it wrote, or -1 if it could not run or failed.
long RunConsole(const std::string& input) {
  int in[2];
  int out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return -1;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return -1;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  const char* argv[] = {VELK_BENCH_PROGRAM, "--console", "--no-log", "--seed", "1", nullptr};
  pid_t child = 0;
  const int spawned =
      posix_spawn(&child, VELK_BENCH_PROGRAM, &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (spawned != 0) {
    close(in[1]);
    close(out[0]);
    return -1;
  }

  std::thread writer(WriteAll, in[1], std::cref(input));
  long lines = 0;
  char buffer[1 << 16];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
    lines += std::count(buffer, buffer + n, '\n');
  }
  close(out[0]);
  writer.join();
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? lines : -1;
}

void BM_ConsolePipe(benchmark::State& state) {
  const std::string input = ReadFile(VELK_BENCH_LINES);
  const long lines = std::count(input.begin(), input.end(), '\n');
  for (auto _ : state) {
    // The greeting, then one reply a line.
    if (RunConsole(input) != lines + 1) {
      state.SkipWithError("velk --console did not answer every line");
      return;
    }
  }
  state.counters["replies_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations() * lines), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConsolePipe)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
