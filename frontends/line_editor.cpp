#include "frontends/line_editor.h"

#include <histedit.h>

#include <cerrno>
#include <string_view>

namespace velk {
namespace {

const char* promptText = "";
const char* Prompt(EditLine*) { return promptText; }

// Keys beyond libedit's emacs defaults, as shells bind them.
constexpr const char* kBindings[][2] = {
    {"^W", "ed-delete-prev-word"},  // libedit's default cuts a marked region
    {"^U", "vi-kill-line-prev"},    // to the start of the line
    {"\\e[H", "ed-move-to-beg"},   {"\\e[F", "ed-move-to-end"},   // Home, End
    {"\\eOH", "ed-move-to-beg"},   {"\\eOF", "ed-move-to-end"},   // the same,
    {"\\e[1~", "ed-move-to-beg"},  {"\\e[4~", "ed-move-to-end"},  // as other
    {"\\e[7~", "ed-move-to-beg"},  {"\\e[8~", "ed-move-to-end"},  // terminals send them
};

}  // namespace

LineEditor::LineEditor(std::FILE* in, std::FILE* out, std::FILE* errors, const char* prompt)
    : editor_(el_init("velk", in, out, errors)), history_(history_init()) {
  promptText = prompt;
  HistEvent event;
  history(history_, &event, H_SETSIZE, 1000);
  el_set(editor_, EL_HIST, history, history_);
  el_set(editor_, EL_EDITOR, "emacs");
  el_set(editor_, EL_PROMPT, &Prompt);
  for (const auto& binding : kBindings) {
    el_set(editor_, EL_BIND, binding[0], binding[1], static_cast<const char*>(nullptr));
  }
}

LineEditor::~LineEditor() {
  el_end(editor_);
  history_end(history_);
}

LineStatus LineEditor::Next(std::string& line) {
  int count = 0;
  const char* text = el_gets(editor_, &count);
  if (text == nullptr || count <= 0) {
    if (count < 0) {
      error_ = errno;
      return LineStatus::kError;
    }
    return LineStatus::kEnd;
  }
  std::string_view typed(text, static_cast<std::size_t>(count));
  if (typed.ends_with('\n')) typed.remove_suffix(1);
  if (typed.ends_with('\r')) typed.remove_suffix(1);
  line.assign(KeptLine(typed));
  if (!line.empty()) {
    HistEvent event;
    history(history_, &event, H_ENTER, line.c_str());
  }
  return LineStatus::kLine;
}

}  // namespace velk
