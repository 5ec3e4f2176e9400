#include "styling/style_reply.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <span>
#include <string>

#include "base/text.h"
#include "conversation/turn_context.h"
#include "identity/first_names.h"

namespace velk {
namespace {

// Whether `key` first occurs at a 1-based position from 1 to 9: only the
// front of the text is searched.
bool FirstFoundEarly(std::string_view text, std::string_view key) {
  return Contains(text.substr(0, 8 + key.size()), key);
}

// `text` carries its leading blank, so " how" also finds a reply that opens
// with "how". Searching for "how" first only saves time: a blank is common,
// an "h" much less so.
bool LooksLikeQuestion(std::string_view text) {
  return FirstFoundEarly(text, "what") || FirstFoundEarly(text, "can't") ||
         FirstFoundEarly(text, "where") ||
         (Contains(text, "how") && Contains(text, " how") && !Contains(text, "interesting")) ||
         Contains(text, "who ");
}

void AddClosingMark(std::pmr::string& text) {
  if (LooksLikeQuestion(text)) {
    const std::string_view tail =
        std::string_view(text).substr(text.size() < 5 ? 0 : text.size() - 5);
    if (!Contains(tail, "!") && !Contains(tail, ".") && !Contains(text, "?")) text += '?';
  } else if (!Contains(text, "!") && !Contains(text, ".") && !Contains(text, "?")) {
    text += '.';
  }
}

// The text is lower case from here on, openers included.
void Prepend(std::pmr::string& text, std::string_view opener) {
  text.insert(0, opener);
  for (std::size_t i = 0; i < opener.size(); ++i) text[i] = LowerAscii(text[i]);
}

// One reply in five gets a spoken opener or a trailing emoticon, but never a
// question or a stage direction ("<frowns>").
void AddOpenerOrEmoticon(TurnContext& turn, std::pmr::string& text) {
  const int x = turn.Pick(20);
  if (Contains(text, ">") || Contains(text, "?") || x <= 16) return;
  const std::string& name = turn.State().UserName;
  // clang-format off
  switch (turn.Pick(11)) {
    case 1:  Prepend(text, "Well, ");  break;
    case 2:  Prepend(text, "Hmmm, ");  break;
    case 3:
      if (!Trim(name).empty()) {
        Prepend(text, ", ");
        Prepend(text, name);
      }
      break;
    case 4:  Prepend(text, "So, ");    break;
    case 5:  text += "...";            break;
    case 6:  text += "  :-)";          break;
    case 7:  text += "  ;-)";          break;
    case 8:  text += "  :-o";          break;
    case 9:  text += "  :-(";          break;
    case 10: text += "  :-]";          break;
    case 11: Prepend(text, "ok, ");    break;
  }
  // clang-format on
}

bool DropsBlankBefore(char c) { return c == ';' || c == '!' || c == ',' || c == '?' || c == '.'; }

// Capitals for a lone "i" and for sentence starts, a blank after every full
// stop, and no blank before punctuation. `text` ends with a blank that is
// read but not copied. Appends to `out`.
void Respace(std::string_view text, std::string& out) {
  // At most two bytes out for each byte in: sized once, cut to length after.
  const std::size_t start = out.size();
  out.resize(start + 2 * text.size());
  char* const first = out.data() + start;
  char* put = first;
  *put++ = UpperAscii(text[0]);
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    const char c = text[i], p = text[i - 1], n = text[i + 1];
    // Inside a word nothing changes; every rule below needs a blank or a full
    // stop at c or p.
    if (c != ' ' && p != ' ' && p != '.') {
      *put++ = c;
      continue;
    }
    if (c == ' ' && DropsBlankBefore(n)) continue;
    if (p == '.' && c != ' ') {
      *put++ = ' ';
      *put++ = UpperAscii(c);
    } else if (c == 'i' && p == ' ' && n == ' ') {
      *put++ = 'I';
    } else if (i > 1 && p == ' ' && text[i - 2] == '.') {
      *put++ = UpperAscii(c);
    } else {
      *put++ = c;
    }
  }
  out.resize(start + static_cast<std::size_t>(put - first));
}

// Every word, each after a blank, is given to the first-name table, which
// re-cases the names it knows in place; the last word decides NameGender.
void CapitaliseNames(ConversationState& state, std::string& text) {
  char* const last = text.data() + text.size();
  for (char* start = text.data() + 1;; ++start) {
    // Words are short: a plain scan beats a call to memchr.
    char* const end = std::find(start, last, ' ');
    LookupFirstName(state, std::span<char>(start, end));
    if (end == last) return;
    start = end;
  }
}

// Lower-case letters that no slip below can touch: most bytes of a reply.
constexpr std::array<bool, 256> kSafeFromSlips = [] {
  std::array<bool, 256> safe{};
  for (char c = 'b'; c <= 'z'; ++c) safe[static_cast<unsigned char>(c)] = c != 'i' && c != 'p';
  return safe;
}();

// Random slips of a careless typist, made in place. Every change keeps the
// length: a removed blank moves the rest of the text left by one and comes
// back at the end. So reading runs at or ahead of writing, and a byte, once
// read, is never read again: only its slipped form is written. The blanks
// that come back are there from the start: the text is padded with as many
// as it could lose, and one more to look ahead into.
void AddTypingErrors(TurnContext& turn, std::string& text) {
  const std::size_t length = text.size();
  text.append(length + 1, ' ');
  std::size_t next = 0;  // next byte to read
  for (std::size_t out = 0; out < length; ++out, ++next) {
    char c = text[next];
    if (!kSafeFromSlips[static_cast<unsigned char>(c)]) {
      if (c == UpperAscii(c) && turn.Draw() * 20 > 17) c = LowerAscii(c);
      if (c == '\'' && turn.Draw() * 20 > 18) c = ';';
      if ((c == 'p' || c == 'P') && turn.Draw() * 20 > 18) c = 'o';
      if ((c == 'a' || c == 'A') && turn.Draw() * 20 > 18) c = 's';
      if (c == '?' && turn.Draw() * 50 > 48) c = '/';
      if (UpperAscii(c) == 'I' && UpperAscii(text[next + 1]) == 'E' && turn.Draw() * 20 > 18) {
        c = 'E';
        text[next + 1] = 'I';
      }
      if (c == ' ' && turn.Draw() * 100 > 98) {
        // The blank goes to the end; the character that takes its place is
        // not tested again.
        c = text[++next];
      }
    }
    text[out] = c;
  }
  text.resize(length);
}

void TrimBlanks(std::string& text) {
  const std::string_view kept = Trim(text);
  const std::size_t front = static_cast<std::size_t>(kept.data() - text.data());
  text.resize(front + kept.size());
  text.erase(0, front);
}

}  // namespace

std::string StyleReply(TurnContext& turn, std::string_view reply) {
  const std::string_view trimmed = Trim(reply);
  // The unstyled text lives only until it is respaced: kept on the stack
  // unless the reply is unusually long.
  std::array<std::byte, 512> arena;
  std::pmr::monotonic_buffer_resource pool(arena.data(), arena.size());
  std::pmr::string text(&pool);
  text.reserve(trimmed.size() + 16);
  text += ' ';
  text += trimmed;
  for (char& c : text) c = LowerAscii(c);
  AddClosingMark(text);
  AddOpenerOrEmoticon(turn, text);
  text += ' ';

  // Names are checked word by word with a blank before each, the first
  // included.
  std::string styled;
  // Respacing at most doubles the text; the typing errors pad it to twice
  // that and one more.
  styled.reserve(4 * text.size() + 3);
  styled += ' ';
  Respace(text, styled);
  CapitaliseNames(turn.State(), styled);
  AddTypingErrors(turn, styled);
  TrimBlanks(styled);
  return styled;
}

}  // namespace velk
