#include "engine/point_of_view.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"

namespace velk {
namespace {

// Every word the rules compare with has at most eight characters, none of
// them NUL, so a word is packed into one number and each comparison is one
// step. Only a leading NUL could make two words pack alike ("\0ME" and "ME"),
// so such a word, like a longer one, gets kNoRuleWord, which no rule word
// packs to. The empty word packs to 0.
constexpr std::uint64_t kNoRuleWord = ~std::uint64_t{0};

constexpr std::uint64_t Pack(std::string_view word) {
  if (word.size() > 8 || (!word.empty() && word.front() == '\0')) return kNoRuleWord;
  std::uint64_t code = 0;
  for (const char c : word) code = code << 8 | static_cast<unsigned char>(c);
  return code;
}

// A rule word, packed when compiled; one that cannot be packed does not
// compile.
consteval std::uint64_t W(std::string_view word) {
  if (word.empty() || word.size() > 8 || word.find('\0') != std::string_view::npos) {
    throw "not a rule word";
  }
  return Pack(word);
}

// Writes back a word that a rule changed.
void Unpack(std::uint64_t code, std::string& word) {
  char text[8];
  std::size_t length = 0;
  for (int shift = 56; shift >= 0; shift -= 8) {
    const char c = static_cast<char>(code >> shift);
    if (c != '\0') text[length++] = c;
  }
  word.assign(text, length);
}

bool IsSubjectPronoun(std::uint64_t word) {
  return word == W("YOU") || word == W("I") || word == W("HE") || word == W("SHE") ||
         word == W("IT") || word == W("WE") || word == W("THEY");
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

// The repairs packed; 0 is the empty cell.
struct PackedRepair {
  std::uint64_t TwoBack, Previous, Current, NewPrevious, NewCurrent;
};
constexpr std::array<PackedRepair, kRepairs.size()> kPackedRepairs = [] {
  std::array<PackedRepair, kRepairs.size()> packed{};
  for (std::size_t i = 0; i < kRepairs.size(); ++i) {
    const Repair& r = kRepairs[i];
    packed[i] = {Pack(r.TwoBack), Pack(r.Previous), Pack(r.Current), Pack(r.NewPrevious),
                 Pack(r.NewCurrent)};
  }
  return packed;
}();

// Every word of the repairs packs, and the matched cells are never empty.
constexpr bool RepairsPack() {
  for (const Repair& r : kRepairs) {
    for (const std::string_view word :
         {r.TwoBack, r.Previous, r.Current, r.NewPrevious, r.NewCurrent}) {
      if (word.size() > 8 || word.find('\0') != std::string_view::npos) return false;
    }
    if (r.Previous.empty() || r.Current.empty()) return false;
  }
  return true;
}
static_assert(RepairsPack());

// Most words are no repair's current word or have no repair's previous word
// before them. A bit per rule word, chosen by a hash of its code, rules them
// out before the table is walked; a repair changes words only where one
// matches, so if none matches at first none matches later.
constexpr std::uint64_t Bit(std::uint64_t code) {
  return std::uint64_t{1} << (code * 0x9E3779B97F4A7C15u >> 58);
}
constexpr std::uint64_t kRepairPreviousBits = [] {
  std::uint64_t bits = 0;
  for (const PackedRepair& r : kPackedRepairs) bits |= Bit(r.Previous);
  return bits;
}();
constexpr std::uint64_t kRepairCurrentBits = [] {
  std::uint64_t bits = 0;
  for (const PackedRepair& r : kPackedRepairs) bits |= Bit(r.Current);
  return bits;
}();

}  // namespace

void SwapPerspective(WordTable& words, int w, SwapFlags flags, bool& pronounFlag) {
  std::string& wordText = words[w];
  std::string& previousText = words[w - 1];
  const std::string& next = words[w + 1];
  const std::uint64_t originalWord = Pack(wordText);
  const std::uint64_t originalPrevious = Pack(previousText);
  const std::uint64_t twoBack = w > 1 ? Pack(words[w - 2]) : 0;
  std::uint64_t word = originalWord;
  std::uint64_t previous = originalPrevious;

  // Possessives and reflexives.
  if (word == W("YOUR")) {
    word = W("MY");
  } else if (word == W("YOURSELF")) {
    word = W("MYSELF");
  } else if (word == W("MYSELF")) {
    word = W("YOURSELF");
  } else if (word == W("MY")) {
    word = W("YOUR");
  }

  // Possessive pronouns; after "A" or "THE", "MINE" is the noun.
  if (word == W("YOURS")) {
    word = W("MINE");
  } else if (word == W("MINE") && previous != W("A") && previous != W("THE")) {
    word = W("YOURS");
  }

  // "to be", present: "ARE" next to any "YOU" (even "YOUR" or a raw "YOU?").
  if (word == W("ARE") && (Contains(next, "YOU") || Contains(previousText, "YOU"))) {
    word = W("AM");
  } else if (word == W("AM")) {
    word = W("ARE");
  }

  // "to be", past.
  if (word == W("WAS") && flags.I) {
    word = W("WERE");
  } else if (word == W("WERE") && flags.You) {
    word = W("WAS");
  }

  // A pronoun two words back makes every later "YOU" of the line an object.
  if (w > 1 && IsSubjectPronoun(twoBack)) pronounFlag = true;

  // Personal pronouns.
  if (word == W("ME") || word == W("I")) {
    word = W("YOU");
  } else if (word == W("YOU") && previous != W("THANK")) {
    const bool object =
        EndsWith(previousText, "ED") || previous == W("FOR") || previous == W("TO") || pronounFlag;
    word = object ? W("ME") : W("I");
  }

  // Repairs, in order, each on the words as the earlier ones left them. The
  // first slot has no word two back.
  if ((kRepairPreviousBits & Bit(previous)) && (kRepairCurrentBits & Bit(word))) {
    for (const PackedRepair& repair : kPackedRepairs) {
      if (previous != repair.Previous || word != repair.Current) continue;
      if (repair.TwoBack != 0 && (w < 2 || twoBack != repair.TwoBack)) continue;
      if (repair.NewCurrent != 0) word = repair.NewCurrent;
      if (repair.NewPrevious != 0) previous = repair.NewPrevious;
    }
  }

  if (word != originalWord) Unpack(word, wordText);
  if (previous != originalPrevious) Unpack(previous, previousText);
}

}  // namespace velk
