#include "engine/normalise.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/limits.h"

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

// None of the emoticons overlaps itself (no proper prefix is also a suffix),
// so removing them until none is left has one result whatever the order of
// the removals, and the one-pass removal below reaches it.
constexpr std::array<std::string_view, 5> kEmoticons{":-)", ";-)", ":-O", ":-(", ":-]"};

// Upper case, and runs of blanks, dots, exclamation and question marks made
// one. Each collapse only removes a character next to an equal one, so the
// four can be done together in one pass with the same result as one after
// another, and the kept character before a removed one is always its own
// predecessor in the line.
std::string UpperCaseCollapsed(std::string_view line) {
  std::string out(line.size(), '\0');
  char* kept = out.data();
  char previous = '\0';  // never collapsible
  for (char c : line) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool collapsible = c == ' ' || c == '.' || c == '!' || c == '?';
    *kept = c;
    kept += !(collapsible && c == previous);
    previous = c;
  }
  out.resize(static_cast<std::size_t>(kept - out.data()));
  return out;
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
  static constexpr std::size_t kPatternCount =
      kContractionTable.size() + kContractionMarkers.size();

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

  // The rows' texts first, then the markers.
  static std::string_view Pattern(std::size_t p) {
    return p < kContractionTable.size() ? kContractionTable[p].From
                                        : kContractionMarkers[p - kContractionTable.size()];
  }

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

    // Bit p of byFollower[c]: text p, not found yet, has c after its apostrophe.
    static_assert(kPatternCount <= 64);
    std::array<std::uint64_t, 128> byFollower{};
    std::array<std::size_t, kPatternCount> quoteAt{};
    std::size_t dunno = kNone;
    for (std::size_t p = 0; p < kPatternCount; ++p) {
      quoteAt[p] = Pattern(p).find('\'');
      if (quoteAt[p] == std::string_view::npos) {
        dunno = p;
      } else {
        byFollower[static_cast<unsigned char>(Pattern(p)[quoteAt[p] + 1])] |= std::uint64_t{1} << p;
      }
    }

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
        for (std::uint64_t left = byFollower[follower]; left != 0; left &= left - 1) {
          const auto p = static_cast<std::size_t>(std::countr_zero(left));
          if (at >= quoteAt[p] && MatchesAt(text, at - quoteAt[p], Pattern(p))) {
            record(p, at - quoteAt[p]);
            byFollower[follower] &= ~(std::uint64_t{1} << p);
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
  std::string text = UpperCaseCollapsed(line);
  RepairSemicolons(text);
  for (const std::string_view emoticon : kEmoticons) RemoveAll(text, emoticon);
  Expander(text).Run();
  return text;
}

}  // namespace velk
