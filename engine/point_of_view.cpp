#include "engine/point_of_view.h"

#include <array>
#include <string_view>

#include "engine/text.h"

namespace velk {
namespace {

bool IsSubjectPronoun(std::string_view word) {
  return word == "YOU" || word == "I" || word == "HE" || word == "SHE" || word == "IT" ||
         word == "WE" || word == "THEY";
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Where the pronoun step chose "ME" for a subject or "I" for an object, the
// words as they now stand put it right. An empty cell matches anything (or,
// in a result, leaves the slot as it is).
struct Repair {
  std::string_view TwoBack;      // slot w - 2
  std::string_view Previous;     // slot w - 1
  std::string_view Current;      // slot w
  std::string_view NewPrevious;  // slot w - 1 := this
  std::string_view NewCurrent;   // slot w := this
};
// clang-format off
constexpr std::array<Repair, 18> kRepairs{{
    {"",   "I",      "ARE",     "",  "AM"},
    {"",   "ME",     "WAS",     "I", ""},
    {"",   "ABOUT",  "I",       "",  "ME"},
    {"",   "ME",     "CAN",     "I", ""},
    {"",   "ME",     "REALISE", "I", ""},
    {"",   "ME",     "ARE",     "I", "AM"},
    {"",   "ME",     "HAVE",    "I", ""},
    {"",   "TELLS",  "I",       "",  "ME"},
    {"",   "TELL",   "I",       "",  "ME"},
    {"",   "AM",     "ME",      "",  "I"},
    {"",   "ME",     "AM",      "I", ""},
    {"",   "FROM",   "I",       "",  "ME"},
    {"",   "ME",     "WILL",    "I", ""},
    {"",   "IGNORE", "I",       "",  "ME"},
    {"DO", "NOT",    "ME",      "",  "I"},
    {"",   "ME",     "WOULD",   "I", ""},
    {"",   "ME",     "SHOULD",  "I", ""},
    {"",   "ME",     "THINK",   "I", ""},
}};
// clang-format on

void ApplyRepair(const Repair& repair, WordTable& words, int w) {
  std::string& previous = words[w - 1];
  std::string& current = words[w];
  if (previous != repair.Previous || current != repair.Current) return;
  // The first slot has no word two back.
  if (!repair.TwoBack.empty() && (w < 2 || words[w - 2] != repair.TwoBack)) return;
  if (!repair.NewCurrent.empty()) current = repair.NewCurrent;
  if (!repair.NewPrevious.empty()) previous = repair.NewPrevious;
}

}  // namespace

void SwapPerspective(WordTable& words, int w, SwapFlags flags, bool& pronounFlag) {
  std::string& word = words[w];
  std::string& previous = words[w - 1];
  const std::string& next = words[w + 1];

  // Possessives and reflexives.
  if (word == "YOUR") {
    word = "MY";
  } else if (word == "YOURSELF") {
    word = "MYSELF";
  } else if (word == "MYSELF") {
    word = "YOURSELF";
  } else if (word == "MY") {
    word = "YOUR";
  }

  // Possessive pronouns; after "A" or "THE", "MINE" is the noun.
  if (word == "YOURS") {
    word = "MINE";
  } else if (word == "MINE" && previous != "A" && previous != "THE") {
    word = "YOURS";
  }

  // "to be", present: "ARE" next to any "YOU" (even "YOUR" or a raw "YOU?").
  if (word == "ARE" && (Contains(next, "YOU") || Contains(previous, "YOU"))) {
    word = "AM";
  } else if (word == "AM") {
    word = "ARE";
  }

  // "to be", past.
  if (word == "WAS" && flags.I) {
    word = "WERE";
  } else if (word == "WERE" && flags.You) {
    word = "WAS";
  }

  // A pronoun two words back makes every later "YOU" of the line an object.
  if (w > 1 && IsSubjectPronoun(words[w - 2])) pronounFlag = true;

  // Personal pronouns.
  if (word == "ME" || word == "I") {
    word = "YOU";
  } else if (word == "YOU" && previous != "THANK") {
    const bool object =
        EndsWith(previous, "ED") || previous == "FOR" || previous == "TO" || pronounFlag;
    word = object ? "ME" : "I";
  }

  // Repairs, in order, each on the words as the earlier ones left them.
  for (const Repair& repair : kRepairs) ApplyRepair(repair, words, w);
}

}  // namespace velk
