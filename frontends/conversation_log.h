// The conversation log, velk.log: appended, never read.
#ifndef VELK_FRONTENDS_CONVERSATION_LOG_H_
#define VELK_FRONTENDS_CONVERSATION_LOG_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// Where log lines go. Each call is one complete write of a group of lines.
class LineSink {
 public:
  virtual ~LineSink() = default;
  // Appends the lines, each ended by CR LF; false when they could not be
  // written (they are then lost).
  virtual bool Append(const std::vector<std::string>& lines) = 0;
};

// A text file opened for appending, written and closed again for every group,
// so nothing is held open between exchanges. Every line is one record: its
// control characters (line breaks, tabs, escapes, NUL) are written as blanks,
// so each record is one line of the file ending in CR LF. A group is written
// with one append, so two programs writing the same file never break each
// other's lines, and it goes in whole or not at all: what a full disk lets
// through of it is cut off again.
//
// Only a regular file is written. A FIFO or device at the path, or a link
// (which could point anywhere), is refused without waiting; a new file is
// readable by its owner only.
class FileLineSink final : public LineSink {
 public:
  // `onFirstFailure`, if given, is told once why, the first time a group is
  // lost (for one notice rather than one per line).
  explicit FileLineSink(std::string path,
                        std::function<void(const std::string& problem)> onFirstFailure = {})
      : path_(std::move(path)), onFirstFailure_(std::move(onFirstFailure)) {}
  bool Append(const std::vector<std::string>& lines) override;

 private:
  std::string path_;
  std::function<void(const std::string& problem)> onFirstFailure_;
  bool failedBefore_ = false;
};

// A sink that drops everything (logging switched off).
class NullLineSink final : public LineSink {
 public:
  bool Append(const std::vector<std::string>&) override { return true; }
};

// The log's line kinds.
inline constexpr std::string_view kLogFileName = "velk.log";
inline constexpr std::string_view kLogHeader = "Velk Tavro Log file.  ";
inline constexpr std::string_view kLogBotPrefix = "VELK:>";
inline constexpr std::string_view kLogUserPrefix = "USER:>";
inline constexpr std::string_view kLogReceivedPrefix = "VELKA:>";
inline constexpr std::string_view kLogSentPrefix = "VELKB:>";

// `text` after `prefix` as one record, without its line end: control
// characters (line breaks, tabs, escapes, NUL) become blanks, so that a
// record is always one line.
std::string LogRecord(std::string_view prefix, std::string_view text);

// The chat's two writing points: the header and greeting at start, and one
// exchange after every line. Failures are ignored: the chat goes on.
void LogChatStart(LineSink& log, std::string_view greeting);
void LogChatExchange(LineSink& log, std::string_view userLine, std::string_view reply);

}  // namespace velk

#endif  // VELK_FRONTENDS_CONVERSATION_LOG_H_
