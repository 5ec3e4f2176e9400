#include "styling/style_reply.h"

#include <string>

#include "engine/reply_engine.h"
#include "engine/text.h"
#include "identity/first_names.h"

namespace velk {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `key` first occurs at a 1-based position from 1 to 9.
bool FirstFoundEarly(std::string_view text, std::string_view key) { return text.find(key) < 9; }

// `text` carries its leading blank, so " how" also finds a reply that opens
// with "how".
bool LooksLikeQuestion(std::string_view text) {
  return FirstFoundEarly(text, "what") || FirstFoundEarly(text, "can't") ||
         FirstFoundEarly(text, "where") ||
         (Contains(text, " how") && !Contains(text, "interesting")) || Contains(text, "who ");
}

void AddClosingMark(std::string& text) {
  if (LooksLikeQuestion(text)) {
    const std::string_view tail =
        std::string_view(text).substr(text.size() < 5 ? 0 : text.size() - 5);
    if (!Contains(tail, "!") && !Contains(tail, ".") && !Contains(text, "?")) text += '?';
  } else if (text.find_first_of("!.?") == std::string::npos) {
    text += '.';
  }
}

// One reply in five gets a spoken opener or a trailing emoticon, but never a
// question or a stage direction ("<frowns>").
void AddOpenerOrEmoticon(ReplyEngine& engine, std::string& text) {
  const int x = engine.Pick(20);
  if (Contains(text, ">") || Contains(text, "?") || x <= 16) return;
  // clang-format off
  switch (engine.Pick(11)) {
    case 1:  text = "Well, " + text;  break;
    case 2:  text = "Hmmm, " + text;  break;
    case 3:
      if (!Trim(engine.State().UserName).empty()) text = engine.State().UserName + ", " + text;
      break;
    case 4:  text = "So, " + text;    break;
    case 5:  text += "...";           break;
    case 6:  text += "  :-)";         break;
    case 7:  text += "  ;-)";         break;
    case 8:  text += "  :-o";         break;
    case 9:  text += "  :-(";         break;
    case 10: text += "  :-]";         break;
    case 11: text = "ok, " + text;    break;
  }
  // clang-format on
}

bool DropsBlankBefore(char c) { return c == ';' || c == '!' || c == ',' || c == '?' || c == '.'; }

// Capitals for a lone "i" and for sentence starts, a blank after every full
// stop, and no blank before punctuation. `text` ends with a blank that is
// read but not copied.
std::string Respace(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  out += Upper(text[0]);
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    const char c = text[i], p = text[i - 1], n = text[i + 1];
    if (c == ' ' && DropsBlankBefore(n)) continue;
    if (p == '.' && c != ' ') {
      out += ' ';
      out += Upper(c);
    } else if (c == 'i' && p == ' ' && n == ' ') {
      out += 'I';
    } else if (i > 1 && p == ' ' && text[i - 2] == '.') {
      out += Upper(c);
    } else {
      out += c;
    }
  }
  return out;
}

// Every word is given to the first-name table, which re-cases the names it
// knows; words are rejoined with a blank before each.
std::string CapitaliseNames(ConversationState& state, std::string_view text) {
  std::string out;
  out.reserve(text.size() + 1);
  std::string word;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(' ', start);
    word.assign(Trim(text.substr(start, end == std::string_view::npos ? end : end - start)));
    LookupFirstName(state, word);
    out += ' ';
    out += word;
    if (end == std::string_view::npos) return out;
    start = end + 1;
  }
}

// Random slips of a careless typist. Every change keeps the length, so the
// text is read front to back once: `pending` is the text still to be tested,
// followed by the blanks that removed blanks have added at the end.
std::string AddTypingErrors(ReplyEngine& engine, std::string pending) {
  const std::size_t length = pending.size();
  std::string out;
  out.reserve(length);
  std::size_t next = 0;  // front of `pending`; past its end only added blanks remain
  const auto front = [&]() -> char { return next < length ? pending[next] : ' '; };
  const auto setFront = [&](char c) {
    if (next < length) pending[next] = c;
  };
  const auto second = [&]() -> char { return next + 1 < length ? pending[next + 1] : ' '; };

  while (out.size() < length) {
    char c = front();
    if (c == Upper(c) && engine.Draw() * 20 > 17) setFront(c = Lower(c));
    if (c == '\'' && engine.Draw() * 20 > 18) setFront(c = ';');
    if ((c == 'p' || c == 'P') && engine.Draw() * 20 > 18) setFront(c = 'o');
    if ((c == 'a' || c == 'A') && engine.Draw() * 20 > 18) setFront(c = 's');
    if (c == '?' && engine.Draw() * 50 > 48) setFront(c = '/');
    if (Upper(c) == 'I' && Upper(second()) == 'E' && engine.Draw() * 20 > 18) {
      setFront(c = 'E');
      pending[next + 1] = 'I';
    }
    if (c == ' ' && engine.Draw() * 100 > 98) {
      // The blank goes to the end; the character that takes its place is not
      // tested again.
      ++next;
      out += front();
    } else {
      out += c;
    }
    ++next;
  }
  return out;
}

}  // namespace

std::string StyleReply(ReplyEngine& engine, std::string_view reply) {
  std::string text = " " + ToLower(Trim(reply));
  AddClosingMark(text);
  AddOpenerOrEmoticon(engine, text);
  text = ToLower(text) + " ";
  const std::string spaced = Respace(text);
  const std::string named = CapitaliseNames(engine.State(), spaced);
  return std::string(Trim(AddTypingErrors(engine, named)));
}

}  // namespace velk
