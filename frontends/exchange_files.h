// The two small files through which two copies of the program talk.
#ifndef VELK_FRONTENDS_EXCHANGE_FILES_H_
#define VELK_FRONTENDS_EXCHANGE_FILES_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velk {

class ExchangeDirectory;

// At most this much of a partner file's first line is read.
inline constexpr std::size_t kMaxExchangeLineBytes = 32767;

// What reading a partner's file gave.
struct PartnerRead {
  // The first line (without its line end), at most kMaxExchangeLineBytes of
  // it; nothing when the file is missing, empty or refused.
  std::optional<std::string> Line;
  // Why the file was refused ("VelkB.ini: is not a regular file"); empty
  // when it was read, or is merely missing or empty.
  std::string Refused;
};

// The file steps of the exchange inside its folder, so that tests can make
// them fail. Names are plain file names within the folder.
class ExchangeFiles {
 public:
  virtual ~ExchangeFiles() = default;

  // False when there is no folder to work in: nothing can be read or
  // delivered.
  virtual bool Reachable() const = 0;

  virtual PartnerRead Read(const std::string& name) = 0;

  // Replaces the file's content as one step: a reader sees the old content or
  // the new, never half of it. Returns why it failed, empty when done.
  virtual std::string Replace(const std::string& name, std::string_view content) = 0;

  // Empty while the folder is where it was; otherwise one line saying that
  // its path now names something else.
  virtual std::string Moved() const { return {}; }
};

// The real files, relative to an opened exchange folder, which must outlive
// this. No step follows a link or waits: a FIFO or device planted under an
// exchange name is refused, never opened for good.
class PosixExchangeFiles final : public ExchangeFiles {
 public:
  explicit PosixExchangeFiles(const ExchangeDirectory& directory) : directory_(directory) {}
  bool Reachable() const override;
  PartnerRead Read(const std::string& name) override;
  std::string Replace(const std::string& name, std::string_view content) override;
  std::string Moved() const override;

 private:
  const ExchangeDirectory& directory_;
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

// A line from a partner, fit for a terminal or a label: control characters
// become caret notation ("^[" for ESC, "^?" for DEL), C1 controls and bytes
// that are not UTF-8 become "\xNN"; everything else, UTF-8 included, stays.
std::string VisibleText(std::string_view text);

}  // namespace velk

#endif  // VELK_FRONTENDS_EXCHANGE_FILES_H_
