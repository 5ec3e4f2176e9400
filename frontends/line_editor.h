// Line editing on a terminal, by libedit: a prompt, the usual editing keys,
// and Up and Down through the lines typed in this run.
#ifndef VELK_FRONTENDS_LINE_EDITOR_H_
#define VELK_FRONTENDS_LINE_EDITOR_H_

#include <cstdio>
#include <string>

#include "frontends/line_reader.h"

struct editline;
struct history;

namespace velk {

// Reads from a terminal only: libedit reads a byte at a time, too slow for
// piped input, and would not edit there anyway.
class LineEditor final : public LineInput {
 public:
  // `in` and `out` are terminals; the editor prompts with `prompt`.
  LineEditor(std::FILE* in, std::FILE* out, std::FILE* errors, const char* prompt);
  ~LineEditor() override;
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  LineStatus Next(std::string& line) override;
  // The editor waits for keys at its prompt, so output never waits for it.
  bool InputWaiting() override { return false; }
  // The editor keeps the settings it found when it was made, and puts the
  // terminal into its own mode for every line.
  bool SetsTerminalModes() const override { return true; }

 private:
  editline* editor_;
  history* history_;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_LINE_EDITOR_H_
