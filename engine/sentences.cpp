#include "engine/sentences.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/text.h"
#include "engine/point_of_view.h"
#include "language/synonyms.h"

namespace velk {
namespace {

// What a character means to the splitting and the stripping, one bit each,
// so that one look at a character answers every test on it.
enum CharClass : std::uint8_t {
  kEndsSentence = 1,  // , . ! ? : ;
  kTypeMark = 2,      // ! ? . (a word without one makes the type "S")
  kLoopMark = 4,      // , . ! ? < > (without one the stripping loop never runs)
};

constexpr std::array<std::uint8_t, 256> kCharClasses = [] {
  std::array<std::uint8_t, 256> classes{};
  const auto mark = [&](std::string_view chars, CharClass bit) {
    for (const char c : chars) classes[static_cast<unsigned char>(c)] |= bit;
  };
  mark(",.!?:;", kEndsSentence);
  mark("!?.", kTypeMark);
  mark(",.!?<>", kLoopMark);
  return classes;
}();

std::uint8_t ClassOf(char c) { return kCharClasses[static_cast<unsigned char>(c)]; }

// The word copied into its slot in upper case; returns the classes of all
// its characters together.
std::uint8_t AssignUpper(std::string& slot, std::string_view word) {
  slot.assign(word);
  std::uint8_t classes = 0;
  for (char& c : slot) {
    c = UpperAscii(c);
    classes |= ClassOf(c);
  }
  return classes;
}

// Where the first blank stands, or the text's end; words are short, so a
// plain walk beats a library search.
std::size_t BlankOrEnd(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] != ' ') ++i;
  return i;
}

// The marks the stripping loop removes, in the order it tests them, with the
// type letter each one adds ('\0' for none). Only the marks that keep the loop
// going (every one with a letter apart from ';' and ':') decide how often it
// runs.
struct StrippedMark {
  char Mark;
  char Letter;
  bool KeepsLoopGoing;
};
// clang-format off
constexpr StrippedMark kStrippedMarks[] = {
    {';',  'C', false},
    {':',  'C', false},
    {',',  'C', true},
    {'.',  'S', true},
    {'!',  'E', true},
    {'?',  'Q', true},
    {'<',  'S', true},
    {'>',  'S', true},
    {'/',  '\0', false},
    {'\\', '\0', false},
};
// clang-format on
constexpr std::size_t kMarkCount = std::size(kStrippedMarks);

// The stripping loop removes the first occurrence of each mark present once
// per round, for as many rounds as the most frequent loop mark needs. Done
// literally that is quadratic in a word like "<<<<...", so the rounds are
// counted first: round k adds the letter of every mark occurring at least k
// times, and each mark loses its first min(count, rounds) occurrences.
// REQUIRES: `word` holds one of , . ! ? < > (else the loop never runs).
void StripMarks(std::string& word, std::string& sentenceType) {
  constexpr auto kMarkIndex = [] {
    std::array<std::uint8_t, 256> index{};
    index.fill(kMarkCount);
    for (std::size_t m = 0; m < kMarkCount; ++m) {
      index[static_cast<unsigned char>(kStrippedMarks[m].Mark)] = static_cast<std::uint8_t>(m);
    }
    return index;
  }();
  const auto markOf = [&](char c) { return kMarkIndex[static_cast<unsigned char>(c)]; };

  std::array<std::size_t, kMarkCount + 1> counts{};  // the last one counts other characters
  for (const char c : word) ++counts[markOf(c)];
  std::size_t rounds = 0;
  for (std::size_t m = 0; m < kMarkCount; ++m) {
    if (kStrippedMarks[m].KeepsLoopGoing) rounds = std::max(rounds, counts[m]);
  }

  // The letters of a round change only where a mark runs out, so the rounds
  // go in stretches with the same letters.
  for (std::size_t done = 0; done < rounds;) {
    std::string letters;
    std::size_t stretchEnd = rounds;
    for (std::size_t m = 0; m < kMarkCount; ++m) {
      if (counts[m] <= done) continue;
      if (kStrippedMarks[m].Letter != '\0') letters += kStrippedMarks[m].Letter;
      stretchEnd = std::min(stretchEnd, counts[m]);
    }
    for (; done < stretchEnd; ++done) sentenceType += letters;
  }

  std::array<std::size_t, kMarkCount + 1> toRemove{};
  for (std::size_t m = 0; m < kMarkCount; ++m) toRemove[m] = std::min(counts[m], rounds);
  std::size_t kept = 0;
  for (const char c : word) {
    std::size_t& left = toRemove[markOf(c)];
    if (left > 0) {
      --left;
    } else {
      word[kept++] = c;
    }
  }
  word.resize(kept);
}

}  // namespace

int SplitSentences(std::string_view text, SentenceViews& sentences) {
  int count = 0;
  std::size_t start = 0;
  // The text from `start` to `last` inclusive; empty when a " - " cut has put
  // `start` beyond it.
  const auto store = [&](std::size_t last) {
    sentences[count++] = start <= last ? text.substr(start, last - start + 1) : std::string_view{};
  };
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size && count < kSentenceSlots; ++i) {
    if (i + 1 == size) {
      store(i);  // the last sentence keeps its closing mark
    } else if (text[i] == ' ' && i + 2 < size && text[i + 1] == '-' && text[i + 2] == ' ') {
      store(i);
      start = i + 3;
    } else if (ClassOf(text[i]) & kEndsSentence) {
      store(i);
      start = i + 1;
    }
  }
  return count;
}

std::vector<std::string> SplitSentences(std::string_view text) {
  SentenceViews views;
  const int count = SplitSentences(text, views);
  return std::vector<std::string>(views.begin(), views.begin() + count);
}

void PrepareSentence(std::string_view sentence, PreparedSentence& out, bool& pronounFlag) {
  WordTable& words = out.Words;
  for (std::string& word : words) word.clear();
  out.SentenceType.clear();

  // Word splitting: slots 1 to 29 take one word each; slot 30 takes the next
  // word and whatever follows it is dropped. The swap's flags say whether the
  // words, each after a blank, hold "I " or "YOU ": whether a word followed by
  // another ends in "I" or "YOU".
  std::string_view rest = Trim(sentence);
  std::array<std::uint8_t, kWordSlots> classes{};  // of each slot's characters
  SwapFlags flags;
  int slot = 1;
  for (; slot < kLastWordSlot; ++slot) {
    const std::size_t blank = BlankOrEnd(rest);
    if (blank == rest.size()) break;
    classes[slot] = AssignUpper(words[slot], rest.substr(0, blank));
    rest.remove_prefix(blank + 1);
    const std::string& word = words[slot];
    const std::size_t n = word.size();
    flags.I = flags.I || (n >= 1 && word[n - 1] == 'I');
    flags.You =
        flags.You || (n >= 3 && word[n - 3] == 'Y' && word[n - 2] == 'O' && word[n - 1] == 'U');
  }
  classes[slot] = AssignUpper(words[slot], rest.substr(0, BlankOrEnd(rest)));

  // Each word is typed, stripped, canonicalised and swapped before the next
  // is looked at: the swap reads the earlier slots finished and the next raw.
  // Slot 30 is never treated. The words hold no blank, so there is nothing to
  // trim.
  for (int w = 1; w < kLastWordSlot; ++w) {
    std::string& word = words[w];
    if (word.empty() && words[w + 1].empty()) break;
    if (!(classes[w] & kTypeMark)) {
      out.SentenceType.clear();
      out.SentenceType.push_back('S');
    }
    if (classes[w] & kLoopMark) StripMarks(word, out.SentenceType);
    // A word that is no key comes back as itself.
    const std::string_view canonical = CanonicaliseWord(word);
    if (canonical.data() != word.data()) word.assign(canonical);
    SwapPerspective(words, w, flags, pronounFlag);
  }
}

void TakeOpeningWords(const WordTable& words, int wordCount, std::string& openingWords,
                      std::string& restWords, int& takenWords) {
  const int last = std::min(wordCount, kLastWordSlot);
  for (int k = 0; k <= last; ++k) {
    const std::string& word = words[k];
    if (word.empty()) continue;  // adds nothing and is not counted
    if (takenWords < 2) {
      openingWords += word;
      ++takenWords;
    } else {
      restWords += word;
    }
  }
}

}  // namespace velk
