#include "frontends/line_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/limits.h"
#include "base/text.h"

namespace velk {

std::string_view KeptLine(std::string_view line) { return CutAtUtf8Boundary(line, kMaxLineBytes); }

std::size_t ReadLineLimit() { return kMaxLineBytes + 1; }

LineReader::LineReader(int fd, std::size_t bufferBytes) : fd_(fd), buffer_(bufferBytes) {}

bool LineReader::Fill() {
  begin_ = end_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n > 0) {
      end_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      ended_ = true;
      return false;
    }
    if (errno != EINTR) {
      error_ = errno;
      return false;
    }
  }
}

LineStatus LineReader::Next(std::string& line) {
  line.clear();
  const std::size_t limit = ReadLineLimit();
  bool any = false;      // a byte of this line was read
  bool dropped = false;  // and some were dropped
  for (;;) {
    if (begin_ == end_) {
      if (ended_ || !Fill()) {
        if (error_ != 0) return LineStatus::kError;
        if (!any) return LineStatus::kEnd;
        unterminated_ = true;
        break;
      }
    }
    const char* start = buffer_.data() + begin_;
    const std::size_t size = end_ - begin_;
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', size));
    const std::size_t piece = feed ? static_cast<std::size_t>(feed - start) : size;
    const std::size_t room = limit - line.size();
    line.append(start, piece < room ? piece : room);
    dropped = dropped || piece > room;
    any = true;
    begin_ += piece;
    if (feed) {
      ++begin_;
      unterminated_ = false;
      break;
    }
  }
  // A dropped tail held the line's real end, so the kept bytes end no line.
  if (!dropped && !line.empty() && line.back() == '\r') line.pop_back();
  line.resize(KeptLine(line).size());
  return LineStatus::kLine;
}

bool LineReader::InputWaiting() {
  if (ended_ || std::memchr(buffer_.data() + begin_, '\n', end_ - begin_) != nullptr) return true;
  pollfd ready{fd_, POLLIN, 0};
  return ::poll(&ready, 1, 0) > 0;
}

}  // namespace velk
