// The two small files through which two copies of the program talk.
#ifndef VELK_FRONTENDS_EXCHANGE_FILES_H_
#define VELK_FRONTENDS_EXCHANGE_FILES_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velk {

// At most this much of a partner file's first line is read.
inline constexpr std::size_t kMaxExchangeLineBytes = 32767;

// The file operations of the exchange, so that tests can make them fail.
class ExchangeFiles {
 public:
  virtual ~ExchangeFiles() = default;

  // Creates the file or empties it. False on failure.
  virtual bool Empty(const std::string& path) = 0;

  // The first line of the file (without its line end), at most
  // kMaxExchangeLineBytes of it; nothing when the file is missing, unreadable
  // or empty.
  virtual std::optional<std::string> ReadFirstLine(const std::string& path) = 0;

  // Replaces the file's content as one step: a reader sees the old content or
  // the new, never half of it. False on failure.
  virtual bool Replace(const std::string& path, std::string_view content) = 0;
};

// The real files, through POSIX calls.
class PosixExchangeFiles final : public ExchangeFiles {
 public:
  bool Empty(const std::string& path) override;
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  bool Replace(const std::string& path, std::string_view content) override;
};

// One field as the exchange writes it: the text between double quotes, each
// quote inside doubled, then CR LF. A text without quotes is written exactly
// as a plain quoted field.
std::string QuoteField(std::string_view text);

// Reads the first field of a line: a quoted field up to its closing quote (a
// doubled quote inside stands for one; an unclosed quote runs to the end of
// the line), otherwise the text up to the first comma. Leading blanks and tabs
// are skipped.
std::string ReadField(std::string_view line);

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_FILES_H_
