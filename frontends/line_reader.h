// Lines of standard input for the console chat, read in bounded pieces.
#ifndef VELK_FRONTENDS_LINE_READER_H_
#define VELK_FRONTENDS_LINE_READER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

enum class LineStatus {
  kLine,   // a line was read
  kEnd,    // end of input, nothing more
  kError,  // reading failed; Error() tells why
};

// Where the console chat takes its lines from. A line ends at a line feed
// (or at the end of input); a carriage return just before the line feed is
// removed, any other byte belongs to the line.
class LineInput {
 public:
  virtual ~LineInput() = default;
  // The next line, at most kKeptLineBytes long (see KeptLine).
  virtual LineStatus Next(std::string& line) = 0;
  // True when the next line is already there to read, so that reading it
  // will not wait: until then, output can wait too.
  virtual bool InputWaiting() = 0;
  // True when the last line ended at the end of input, not at a line feed
  // (on a terminal: Ctrl-D after typing).
  virtual bool LastLineUnterminated() const { return false; }
  // True when reading sets the terminal's modes itself, from whatever they
  // are; false when it needs the terminal's own line editing and echo.
  virtual bool SetsTerminalModes() const { return false; }
  // The errno of the failed read after kError.
  int Error() const { return error_; }

 protected:
  int error_ = 0;
};

// What is kept of a line: the engine's limit. A longer line keeps its first
// kKeptLineBytes bytes, moved back onto a UTF-8 character boundary exactly
// as the engine cuts it, so the engine and the log see the same text.
std::string_view KeptLine(std::string_view line);
// Bytes read of a line before the rest is dropped: one more than is kept,
// since the cut looks at the byte after it.
std::size_t ReadLineLimit();

// Reads lines from a file descriptor through a fixed buffer, so that memory
// stays small for lines of any length: the rest of a long line is read and
// dropped. Reading a terminal this way gives the terminal's own line editing.
class LineReader final : public LineInput {
 public:
  explicit LineReader(int fd, std::size_t bufferBytes = 64 * 1024);
  LineStatus Next(std::string& line) override;
  bool InputWaiting() override;
  bool LastLineUnterminated() const override { return unterminated_; }

 private:
  // One read() into the empty buffer: false at the end of input or on error.
  bool Fill();

  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // unread bytes are [begin_, end_)
  std::size_t end_ = 0;
  bool ended_ = false;
  bool unterminated_ = false;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_LINE_READER_H_
