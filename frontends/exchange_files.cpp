#include "frontends/exchange_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "frontends/exchange_directory.h"

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

// The boxes naming the files are editable; a name that would lead out of the
// folder is refused rather than followed.
bool PlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::string Why(const std::string& name, const char* why) { return name + ": " + why; }

// The length of the well-formed UTF-8 character at the front of `text`, or 0
// when there is none there or it is a C1 control.
std::size_t Utf8Length(std::string_view text) {
  const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    if (lead == 0xC2) low = 0xA0;  // U+0080..U+009F are the C1 controls
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (at(i) < 0x80 || at(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

bool PosixExchangeFiles::Reachable() const { return directory_.Usable(); }

PartnerRead PosixExchangeFiles::Read(const std::string& name) {
  if (!directory_.Usable()) return {};
  if (!PlainName(name)) return {{}, Why(name, "not a plain file name in the exchange folder")};
  // Without O_NONBLOCK a FIFO would hold the open until a writer came.
  const int fd = ::openat(directory_.Fd(), name.c_str(),
                          O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    return {{}, Why(name, errno == ELOOP ? "is a symbolic link" : std::strerror(errno))};
  }
  struct stat info {};
  const char* refused = nullptr;
  if (::fstat(fd, &info) != 0) {
    refused = std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    refused = "is not a regular file";
  } else if (info.st_uid != ::geteuid()) {
    refused = "is owned by another user";
  }
  if (refused != nullptr) {
    ::close(fd);
    return {{}, Why(name, refused)};
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
  if (got == 0) return {};
  buffer.resize(got);
  std::size_t end = buffer.find_first_of("\r\n");
  if (end == std::string::npos) end = std::min(buffer.size(), kMaxExchangeLineBytes);
  buffer.resize(end);
  return {std::move(buffer), {}};
}

std::string PosixExchangeFiles::Replace(const std::string& name, std::string_view content) {
  if (!directory_.Usable()) return "no exchange folder";
  if (!PlainName(name)) return Why(name, "not a plain file name in the exchange folder");
  const int dir = directory_.Fd();
  const std::string temporary = name + ".new";
  constexpr int kCreate = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  int fd = ::openat(dir, temporary.c_str(), kCreate, 0600);
  if (fd < 0 && errno == EEXIST) {
    // Left over from an interrupted write, or planted: whatever it is, it is
    // not opened, only removed.
    ::unlinkat(dir, temporary.c_str(), 0);
    fd = ::openat(dir, temporary.c_str(), kCreate, 0600);
  }
  if (fd < 0) return Why(temporary, std::strerror(errno));
  const bool written = WriteAll(fd, content);
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    ::unlinkat(dir, temporary.c_str(), 0);
    return Why(temporary, std::strerror(written ? errno : writeError));
  }
  if (::renameat(dir, temporary.c_str(), dir, name.c_str()) != 0) {
    const int error = errno;
    ::unlinkat(dir, temporary.c_str(), 0);
    return Why(name, std::strerror(error));
  }
  return {};
}

std::string PosixExchangeFiles::Moved() const { return directory_.Moved(); }

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

std::string VisibleText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text.front());
    std::size_t length = 1;
    if (byte < 0x20 || byte == 0x7F) {
      shown += '^';
      shown += static_cast<char>(byte ^ 0x40);
    } else if (byte < 0x80) {
      shown += static_cast<char>(byte);
    } else if ((length = Utf8Length(text)) > 0) {
      shown.append(text.substr(0, length));
    } else {
      length = 1;
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
    text.remove_prefix(length);
  }
  return shown;
}

}  // namespace velk
