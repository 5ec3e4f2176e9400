#include "frontends/conversation_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velk {
namespace {

// Appends `block` to the open file as a whole; on failure cuts off what went
// in, so that no partial record stays behind, and says why in `problem`.
bool WriteWhole(int fd, const std::string& block, std::string& problem) {
  std::size_t written = 0;
  off_t start = -1;  // where the block went, once known
  while (written < block.size()) {
    const ssize_t n = ::write(fd, block.data() + written, block.size() - written);
    if (n > 0) {
      // O_APPEND leaves the offset at the end of what was just written.
      if (written == 0) start = ::lseek(fd, 0, SEEK_CUR) - n;
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    problem = n < 0 ? std::strerror(errno) : "nothing written";
    if (written > 0 && (start < 0 || ::ftruncate(fd, start) != 0)) {
      problem += "; a partial line remains";
    }
    return false;
  }
  return true;
}

bool AppendToFile(const std::string& path, const std::string& block, std::string& problem) {
  // O_NONBLOCK: opening a FIFO would wait for a reader.
  const int fd =
      ::open(path.c_str(),
             O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
  if (fd < 0) {
    problem = errno == ELOOP   ? "it is a link, which is not followed"
              : errno == ENXIO ? "not a regular file"
                               : std::strerror(errno);
    return false;
  }
  struct stat info {};
  bool ok = false;
  if (::fstat(fd, &info) != 0) {
    problem = std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    problem = "not a regular file";
  } else {
    ok = WriteWhole(fd, block, problem);
  }
  if (::close(fd) != 0 && ok) {
    problem = std::strerror(errno);
    ok = false;
  }
  return ok;
}

}  // namespace

bool FileLineSink::Append(const std::vector<std::string>& lines) {
  std::string block;
  for (const std::string& line : lines) block.append(LogRecord("", line)).append("\r\n");
  std::string problem;
  if (AppendToFile(path_, block, problem)) return true;
  if (!failedBefore_ && onFirstFailure_) onFirstFailure_(problem);
  failedBefore_ = true;
  return false;
}

std::string LogRecord(std::string_view prefix, std::string_view text) {
  std::string record;
  record.reserve(prefix.size() + text.size());
  record.append(prefix).append(text);
  for (char& c : record) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return record;
}

void LogChatStart(LineSink& log, std::string_view greeting) {
  log.Append({std::string(kLogHeader), std::string(kLogBotPrefix) + std::string(greeting)});
}

void LogChatExchange(LineSink& log, std::string_view userLine, std::string_view reply) {
  log.Append({std::string(kLogUserPrefix) + std::string(userLine),
              std::string(kLogBotPrefix) + std::string(reply)});
}

}  // namespace velk
