#include "frontends/conversation_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace velk {

bool FileLineSink::Append(const std::vector<std::string>& lines) {
  std::string block;
  for (const std::string& line : lines) {
    block += line;
    block += "\r\n";
  }
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // O_APPEND puts each write at the end as one piece; a short write (a full
  // disk) is continued rather than reported as success.
  std::size_t written = 0;
  bool ok = true;
  while (written < block.size()) {
    const ssize_t n = ::write(fd, block.data() + written, block.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0 && ok;
}

void LogChatStart(LineSink& log, std::string_view greeting) {
  log.Append({std::string(kLogHeader), std::string(kLogBotPrefix) + std::string(greeting)});
}

void LogChatExchange(LineSink& log, std::string_view userLine, std::string_view reply) {
  log.Append({std::string(kLogUserPrefix) + std::string(userLine),
              std::string(kLogBotPrefix) + std::string(reply)});
}

}  // namespace velk
