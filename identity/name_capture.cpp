#include "identity/name_capture.h"

#include <string>

#include "base/text.h"
#include "identity/first_names.h"

namespace velk {
namespace {

// Positions count from 1, as the rules below are written; 0 means absent.
// They are kept in std::size_t so that no text length can make them wrap.
std::size_t PositionOf(std::string_view text, std::string_view key) {
  const std::size_t at = text.find(key);
  return at == std::string_view::npos ? 0 : at + 1;
}

// The text from position `start` to its end; empty when `start` lies beyond
// the text, which the offsets past a key near the end can reach.
std::string_view From(std::string_view text, std::size_t start) {
  if (start < 1 || start > text.size()) return {};
  return text.substr(start - 1);
}

// The text up to and including its first blank; empty when it has none, so
// that a last word without a blank behind it is never a candidate.
std::string_view FirstWord(std::string_view text) {
  const std::size_t blank = text.find(' ');
  return blank == std::string_view::npos ? std::string_view{} : text.substr(0, blank + 1);
}

// Trimmed, with one blank put back so that FirstWord finds a last word too.
std::string Respaced(std::string_view text) { return std::string(Trim(text)) + ' '; }

bool IsNot(std::string_view candidate) { return Trim(candidate) == "NOT"; }

// Stores the name trimmed, first letter upper case and the rest lower case,
// with the gender the successful lookup left behind.
void Capture(ConversationState& state, std::string_view candidate) {
  const std::string_view name = Trim(candidate);
  state.UserGender = state.NameGender;
  state.UserName =
      name.empty() ? std::string() : ToUpper(name.substr(0, 1)) + ToLower(name.substr(1));
}

// Looks the candidate up and captures it, as the lookup re-cased it, when it
// is a name.
bool Offer(ConversationState& state, std::string_view candidate) {
  std::string word(candidate);
  if (!LookupFirstName(state, word)) return false;
  Capture(state, word);
  return true;
}

}  // namespace

NameResult CaptureName(ConversationState& state, std::string_view text) {
  const auto has = [text](std::string_view key) { return Contains(text, key); };
  const auto at = [text](std::string_view key) { return PositionOf(text, key); };

  if (Trim(text).empty()) return NameRefused;

  // NAME ... IS: the name is read from two characters after the first "S"
  // of the whole text, which is the one of "IS" only when no word before it
  // holds an "S".
  if (has("NAME") && at("IS ") > at("NAME")) {
    const std::string_view candidate = FirstWord(From(text, at("S") + 2));
    if (IsNot(candidate)) return NameRefused;
    if (Offer(state, candidate)) return NameCaptured;
  }
  // CALL YOU JOHN.
  if (has("YOU") && has("CALL ")) {
    if (Offer(state, FirstWord(From(text, at("YOU") + 4)))) return NameCaptured;
  }
  // CALLED JOHN.
  if (has("CALLED")) {
    if (Offer(state, FirstWord(From(text, at("CALLED") + 7)))) return NameCaptured;
  }
  // IT IS JOHN: read after the first "IS" of the text, even one inside
  // another word such as "THIS".
  if (has("IT IS")) {
    const std::string rest = Respaced(From(text, at("IS") + 3));
    const std::string_view candidate = FirstWord(rest);
    if (IsNot(candidate)) return NameRefused;
    if (Offer(state, candidate)) return NameCaptured;
  }
  // YOU ARE JOHN: read after the first "ARE" of the text.
  if (has("YOU ARE")) {
    const std::string rest = Respaced(From(text, at("ARE") + 4));
    const std::string_view candidate = FirstWord(rest);
    if (IsNot(candidate)) return NameRefused;
    if (Offer(state, candidate)) return NameCaptured;
  }
  // JOHN IS YOUR NAME: the head ends with the "I" of "IS".
  if (has("IS YOUR") && has("NAME")) {
    const std::string_view head = Trim(text.substr(0, at("IS YOUR")));
    if (Offer(state, FirstWord(head))) return NameCaptured;
  }

  if (has("NOT SAYING") || has("WILL NOT SAY") || has("DOES NOT") || has("DO NOT WANT")) {
    state.UserName = "BETTY";
    state.UserGender = "F";
    return NameRefused;
  }
  if (has("GUESS")) {
    state.UserName = "BOB";
    state.UserGender = "M";
    return NameGuess;
  }
  if (has("MINE")) return NameMine;

  // The whole answer is a name ("JOHN"). The text itself is captured; the
  // re-cased copy only decides.
  std::string whole(Trim(text));
  if (LookupFirstName(state, whole)) {
    Capture(state, Trim(text));
    return NameCaptured;
  }

  // Substrings, so "CLASS" counts as rude.
  if (has("ARSE") || has("ASS") || has("SHIT") || has("DUMB")) return NameRude;
  return NameUnknown;
}

}  // namespace velk
