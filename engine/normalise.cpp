#include "engine/normalise.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/limits.h"

namespace velk {
namespace {

struct Contraction {
  std::string_view From;
  std::string_view To;
};

// Applied once per pass each, in this order: "CAN'T" and "WON'T" must come
// before the general "N'T", which glues " NOT" to its stem.
// clang-format off
constexpr std::array<Contraction, 29> kContractionTable{{
    {"CAN'T",   "CAN NOT"},
    {"WON'T",   "WILL NOT"},
    {"N'T",     " NOT"},
    {"WHAT'S",  "WHAT IS"},
    {"I'M",     "I AM"},
    {"YOU'RE",  "YOU ARE"},
    {"HE'S",    "HE IS"},
    {"SHE'S",   "SHE IS"},
    {"IT'S",    "IT IS"},
    {"WE'RE",   "WE ARE"},
    {"THEY'RE", "THEY ARE"},
    {"I'VE",    "I HAVE"},
    {"YOU'VE",  "YOU HAVE"},
    {"WE'VE",   "WE HAVE"},
    {"THEY'VE", "THEY HAVE"},
    {"I'D",     "I WOULD"},
    {"YOU'D",   "YOU WOULD"},
    {"HE'D",    "HE WOULD"},
    {"SHE'D",   "SHE WOULD"},
    {"IT'D",    "IT WOULD"},
    {"WE'D",    "WE WOULD"},
    {"THEY'D",  "THEY WOULD"},
    {"'LL",     " WILL"},
    {"LET'S",   "LET US"},
    {"THAT'S",  "THAT IS"},
    {"NAME'S",  "NAME IS"},
    {"DUNNO",   "DO NOT KNOW"},
    {"U'RE",    "YOU ARE"},
    {"WHO'S",   "WHO IS"},
}};

// Expansion goes on while one of these occurs. "DUNNO" and "U'RE" are not
// among them: they are expanded only alongside a real contraction.
constexpr std::array<std::string_view, 10> kContractionMarkers{
    "I'M", "N'T", "YOU'RE", "E'S", "WE'RE", "THEY'RE", "'VE", "'D", "'LL", "'S"};
// clang-format on

// Everything the expansion searches for: the rows' texts first, then the
// markers.
constexpr std::size_t kPatternCount = kContractionTable.size() + kContractionMarkers.size();
constexpr std::array<std::string_view, kPatternCount> kPatterns = [] {
  std::array<std::string_view, kPatternCount> patterns;
  for (std::size_t p = 0; p < kContractionTable.size(); ++p)
    patterns[p] = kContractionTable[p].From;
  for (std::size_t m = 0; m < kContractionMarkers.size(); ++m) {
    patterns[kContractionTable.size() + m] = kContractionMarkers[m];
  }
  return patterns;
}();

constexpr std::size_t kLongestPattern = [] {
  std::size_t longest = 0;
  for (const std::string_view pattern : kPatterns) longest = std::max(longest, pattern.size());
  return longest;
}();

// Every searched text but "DUNNO" holds exactly one apostrophe: where it
// stands, and which texts have a given character right after it.
struct QuoteTables {
  std::array<std::size_t, kPatternCount> QuoteAt{};  // npos for "DUNNO"
  std::array<std::uint64_t, 128> ByFollower{};       // bit p: text p has c after it
  std::size_t Dunno = 0;                             // the one text without
};
static_assert(kPatternCount <= 64);
constexpr QuoteTables kQuotes = [] {
  QuoteTables tables;
  for (std::size_t p = 0; p < kPatternCount; ++p) {
    tables.QuoteAt[p] = kPatterns[p].find('\'');
    if (tables.QuoteAt[p] == std::string_view::npos) {
      tables.Dunno = p;
    } else {
      tables.ByFollower[static_cast<unsigned char>(kPatterns[p][tables.QuoteAt[p] + 1])] |=
          std::uint64_t{1} << p;
    }
  }
  return tables;
}();

// None of the emoticons overlaps itself (no proper prefix is also a suffix),
// so removing them until none is left has one result whatever the order of
// the removals, and the one-pass removal below reaches it.
constexpr std::array<std::string_view, 5> kEmoticons{":-)", ";-)", ":-O", ":-(", ":-]"};

// A line is searched for emoticons only if it holds their characters.
constexpr bool EmoticonsNeedColonOrSemicolonAndDash() {
  for (const std::string_view emoticon : kEmoticons) {
    const bool starter = emoticon.find_first_of(":;") != std::string_view::npos;
    if (!starter || emoticon.find('-') == std::string_view::npos) return false;
  }
  return true;
}
static_assert(EmoticonsNeedColonOrSemicolonAndDash());

// What the collapsing pass needs to know of a character, and what it notes
// for the later steps, which a line without their characters can skip.
enum CharClass : std::uint8_t {
  kCollapsible = 1,  // blank . ! ?
  kSemicolon = 2,    // starts "N;T" repairs and two emoticons
  kColon = 4,        // starts three emoticons
  kDash = 8,         // in every emoticon
  kApostrophe = 16,  // in every contraction marker
};

// Per byte: its upper case, its classes, and what it collapses with: itself
// for a collapsible character, for any other a value no byte has.
struct CharInfo {
  unsigned char Upper;
  std::uint8_t Classes;
  std::int16_t CollapsesWith;
};
constexpr std::array<CharInfo, 256> kCharInfo = [] {
  std::array<CharInfo, 256> info{};
  for (int b = 0; b < 256; ++b) {
    const bool lower = b >= 'a' && b <= 'z';
    info[b] = {static_cast<unsigned char>(lower ? b - 'a' + 'A' : b), 0, -1};
  }
  for (const char c : std::string_view(" .!?")) {
    info[static_cast<unsigned char>(c)].Classes = kCollapsible;
    info[static_cast<unsigned char>(c)].CollapsesWith = c;
  }
  info[';'].Classes = kSemicolon;
  info[':'].Classes = kColon;
  info['-'].Classes = kDash;
  info['\''].Classes = kApostrophe;
  return info;
}();

// Upper case, and runs of blanks, dots, exclamation and question marks made
// one. Each collapse only removes a character next to an equal one, so the
// four can be done together in one pass with the same result as one after
// another, and the kept character before a removed one is always its own
// predecessor in the line. Returns the classes of all characters seen.
std::uint8_t UpperCaseCollapsed(std::string_view line, std::string& out) {
  out.resize(line.size());
  char* kept = out.data();
  int collapsing = -1;  // what the previous character collapses with
  std::uint8_t seen = 0;
  for (const char c : line) {
    const CharInfo& info = kCharInfo[static_cast<unsigned char>(c)];
    seen |= info.Classes;
    *kept = static_cast<char>(info.Upper);
    kept += info.Upper != collapsing;
    collapsing = info.CollapsesWith;
  }
  out.resize(static_cast<std::size_t>(kept - out.data()));
  return seen;
}

// "N;T" is a semicolon typed for the apostrophe. A repair never makes a new
// "N;T", so one left-to-right pass repairs them all.
void RepairSemicolons(std::string& text) {
  for (std::size_t pos = text.find("N;T"); pos != std::string::npos;
       pos = text.find("N;T", pos + 3)) {
    text[pos + 1] = '\'';
  }
}

// Removes `emoticon` until none is left, including the ones that a removal
// brings together (":-:-))").
void RemoveAll(std::string& text, std::string_view emoticon) {
  if (text.find(emoticon) == std::string::npos) return;
  std::size_t kept = 0;
  for (const char c : text) {
    text[kept++] = c;
    if (kept >= emoticon.size() &&
        std::string_view(text).substr(kept - emoticon.size(), emoticon.size()) == emoticon) {
      kept -= emoticon.size();
    }
  }
  text.resize(kept);
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern) {
  if (text.size() - at < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (text[at + i] != pattern[i]) return false;
  }
  return true;
}

// Contraction expansion, pass by pass, without rescanning the whole text for
// every row of every pass. No searched text contains a blank, so every match
// lies inside one blank-free segment; only segments that hold an apostrophe or
// "DUNNO" can ever match, and an expansion changes only its own segment. The
// leftmost match of each searched text is kept and brought up to date after
// each expansion by looking at the changed segment alone (and at later
// segments when the kept match itself was consumed).
class Expander {
 public:
  explicit Expander(std::string& text) : text_(text) {}

  void Run() {
    FindSegmentsAndFirstHits();
    if (segments_.empty()) return;
    for (int pass = 0; pass < kMaxContractionPasses && AnyMarker(); ++pass) {
      bool changed = false;
      for (std::size_t row = 0; row < kContractionTable.size(); ++row) {
        if (hits_[row].Segment == kNone) continue;
        Expand(row);
        changed = true;
      }
      if (!changed) break;
    }
    Rebuild();
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Kept small: a line of 32767 bytes can hold over 8000 segments.
  struct Segment {
    std::uint32_t Begin;  // position in the original text
    std::uint32_t End;
    std::int32_t Edited = -1;  // index into edited_ once expanded
  };
  struct Hit {
    std::size_t Segment = kNone;
    std::size_t Offset = 0;
  };

  static std::string_view Pattern(std::size_t p) { return kPatterns[p]; }

  bool AnyMarker() const {
    return std::any_of(hits_.begin() + kContractionTable.size(), hits_.end(),
                       [](const Hit& hit) { return hit.Segment != kNone; });
  }

  // One walk over the text finds the segments that hold an apostrophe or
  // "DUNNO" and the leftmost match of every searched text. Every searched
  // text but "DUNNO" holds exactly one apostrophe, so the character after an
  // apostrophe names the few texts that can match there; a text once found is
  // not looked for again.
  void FindSegmentsAndFirstHits() {
    const std::string_view text = text_;
    if (text.find('\'') == std::string_view::npos) return;  // no marker at all

    const auto& byFollower = kQuotes.ByFollower;
    const auto& quoteAt = kQuotes.QuoteAt;
    const std::size_t dunno = kQuotes.Dunno;
    std::uint64_t found = 0;  // bit p: text p found

    std::size_t begin = 0;
    bool holdsMatch = false;
    const auto closeSegment = [&](std::size_t end) {
      if (holdsMatch) {
        segments_.push_back(
            {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end), -1});
      }
      begin = end + 1;
      holdsMatch = false;
    };
    // A match lies inside the segment being walked, which gets the next index.
    const auto record = [&](std::size_t p, std::size_t at) {
      hits_[p] = {segments_.size(), at - begin};
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char c = text[at];
      if (c == ' ') {
        closeSegment(at);
      } else if (c == 'D' && MatchesAt(text, at, "DUNNO")) {
        holdsMatch = true;
        if (hits_[dunno].Segment == kNone) record(dunno, at);
      } else if (c == '\'') {
        holdsMatch = true;
        if (at + 1 == text.size()) continue;
        const auto follower = static_cast<unsigned char>(text[at + 1]);
        if (follower >= byFollower.size()) continue;
        for (std::uint64_t left = byFollower[follower] & ~found; left != 0; left &= left - 1) {
          const auto p = static_cast<std::size_t>(std::countr_zero(left));
          if (at >= quoteAt[p] && MatchesAt(text, at - quoteAt[p], Pattern(p))) {
            record(p, at - quoteAt[p]);
            found |= std::uint64_t{1} << p;
          }
        }
      }
    }
    closeSegment(text.size());
  }

  // The leftmost match of `pattern` at or after the given segment and offset.
  Hit FindFrom(std::string_view pattern, std::size_t segment, std::size_t offset) const {
    for (; segment < segments_.size(); ++segment, offset = 0) {
      const std::size_t found = Text(segment).find(pattern, offset);
      if (found != std::string::npos) return {segment, found};
    }
    return {};
  }

  // Replaces the leftmost match of the row's text and brings every kept match
  // up to date.
  void Expand(std::size_t row) {
    const Contraction& rule = kContractionTable[row];
    const std::size_t segment = hits_[row].Segment;
    const std::size_t at = hits_[row].Offset;
    std::string& text = EditableText(segment);
    text.replace(at, rule.From.size(), rule.To);

    // The characters around the replaced text, as far as any searched text
    // reaches: a text whose first or last character is not among them cannot
    // have a new match here, which spares most of the searches below.
    std::array<std::uint64_t, 4> near{};
    {
      const std::size_t begin = at + 1 > kLongestPattern ? at + 1 - kLongestPattern : 0;
      const std::size_t end = std::min(text.size(), at + rule.To.size() + kLongestPattern - 1);
      for (std::size_t i = begin; i < end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        near[c / 64] |= std::uint64_t{1} << (c % 64);
      }
    }
    const auto isNear = [&near](char c) {
      const auto u = static_cast<unsigned char>(c);
      return (near[u / 64] >> (u % 64)) & 1u;
    };

    for (std::size_t p = 0; p < kPatternCount; ++p) {
      const std::string_view pattern = Pattern(p);
      Hit& hit = hits_[p];
      // A new match must overlap the replaced text; nothing before it changed.
      const std::size_t windowBegin = at + 1 > pattern.size() ? at + 1 - pattern.size() : 0;
      if (hit.Segment != kNone && hit.Segment < segment) continue;
      if (hit.Segment == segment) {
        if (hit.Offset + pattern.size() <= at) continue;  // still intact and leftmost
        hit = FindFrom(pattern, segment, std::min(hit.Offset, windowBegin));
        continue;
      }
      // Until now no match in this segment: only the changed part can hold one.
      if (!isNear(pattern.front()) || !isNear(pattern.back())) continue;
      const std::size_t windowEnd = std::min(text.size(), at + rule.To.size() + pattern.size() - 1);
      if (windowEnd <= windowBegin) continue;
      const std::size_t found =
          std::string_view(text).substr(windowBegin, windowEnd - windowBegin).find(pattern);
      if (found != std::string_view::npos) hit = {segment, windowBegin + found};
    }
  }

  // The segment as expanded so far.
  std::string_view Text(std::size_t s) const {
    const Segment& segment = segments_[s];
    if (segment.Edited >= 0) return edited_[static_cast<std::size_t>(segment.Edited)];
    return std::string_view(text_).substr(segment.Begin, segment.End - segment.Begin);
  }

  std::string& EditableText(std::size_t s) {
    Segment& segment = segments_[s];
    if (segment.Edited < 0) {
      edited_.emplace_back(Text(s));
      segment.Edited = static_cast<std::int32_t>(edited_.size() - 1);
    }
    return edited_[static_cast<std::size_t>(segment.Edited)];
  }

  void Rebuild() {
    if (edited_.empty()) return;
    std::string out;
    std::size_t copied = 0;
    for (const Segment& segment : segments_) {
      if (segment.Edited < 0) continue;
      out.append(text_, copied, segment.Begin - copied);
      out += edited_[static_cast<std::size_t>(segment.Edited)];
      copied = segment.End;
    }
    out.append(text_, copied);
    text_ = std::move(out);
  }

  std::string& text_;
  std::vector<Segment> segments_;
  std::vector<std::string> edited_;
  std::array<Hit, kPatternCount> hits_{};
};

}  // namespace

std::string NormaliseInput(std::string_view line) {
  std::string text;
  NormaliseInput(line, text);
  return text;
}

void NormaliseInput(std::string_view line, std::string& text) {
  const std::uint8_t seen = UpperCaseCollapsed(line, text);
  if (seen & kSemicolon) RepairSemicolons(text);
  if ((seen & (kSemicolon | kColon)) && (seen & kDash)) {
    for (const std::string_view emoticon : kEmoticons) RemoveAll(text, emoticon);
  }
  // A repaired "N;T" holds an apostrophe too.
  if (seen & (kApostrophe | kSemicolon)) Expander(text).Run();
}

}  // namespace velk
