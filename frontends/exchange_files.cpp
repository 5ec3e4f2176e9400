#include "frontends/exchange_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace velk {
namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool PosixExchangeFiles::Empty(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  return ::close(fd) == 0;
}

std::optional<std::string> PosixExchangeFiles::ReadFirstLine(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // Read no more than the longest line we keep, plus one byte to see its end.
  std::string buffer(kMaxExchangeLineBytes + 1, '\0');
  std::size_t got = 0;
  while (got < buffer.size()) {
    const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (got == 0) return std::nullopt;
  buffer.resize(got);
  std::size_t end = buffer.find_first_of("\r\n");
  if (end == std::string::npos) end = std::min(buffer.size(), kMaxExchangeLineBytes);
  buffer.resize(end);
  return buffer;
}

bool PosixExchangeFiles::Replace(const std::string& path, std::string_view content) {
  const std::string temporary = path + ".new";
  const int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, content);
  if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::string QuoteField(std::string_view text) {
  std::string field = "\"";
  for (char c : text) {
    field += c;
    if (c == '"') field += '"';
  }
  field += "\"\r\n";
  return field;
}

std::string ReadField(std::string_view line) {
  std::size_t pos = line.find_first_not_of(" \t");
  if (pos == std::string_view::npos) return {};
  std::string field;
  if (line[pos] != '"') {
    const std::size_t comma = line.find(',', pos);
    field =
        line.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
    return field;
  }
  for (++pos; pos < line.size(); ++pos) {
    if (line[pos] == '"') {
      if (pos + 1 < line.size() && line[pos + 1] == '"') {
        ++pos;
      } else {
        break;
      }
    }
    field += line[pos];
  }
  return field;
}

}  // namespace velk
