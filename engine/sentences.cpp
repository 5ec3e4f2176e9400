#include "engine/sentences.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/point_of_view.h"
#include "engine/text.h"
#include "language/synonyms.h"

namespace velk {
namespace {

// Like find_first_of, without a search of `marks` for every character.
bool HasAnyOf(std::string_view word, std::string_view marks) {
  return std::any_of(word.begin(), word.end(), [marks](char c) {
    return std::any_of(marks.begin(), marks.end(), [c](char mark) { return c == mark; });
  });
}

bool EndsSentence(char c) {
  return c == ',' || c == '.' || c == '!' || c == '?' || c == ':' || c == ';';
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
void StripMarks(std::string& word, std::string& sentenceType) {
  if (!HasAnyOf(word, ",.!?<>")) return;  // the loop never runs

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

std::vector<std::string> SplitSentences(std::string_view text) {
  std::vector<std::string> sentences;
  std::size_t start = 0;
  // The text from `start` to `last` inclusive; empty when a " - " cut has put
  // `start` beyond it.
  const auto store = [&](std::size_t last) {
    sentences.emplace_back(start <= last ? text.substr(start, last - start + 1)
                                         : std::string_view{});
  };
  for (std::size_t i = 0; i < text.size() && sentences.size() < kSentenceSlots; ++i) {
    if (i + 1 == text.size()) {
      store(i);  // the last sentence keeps its closing mark
    } else if (text[i] == ' ' && i + 2 < text.size() && text[i + 1] == '-' && text[i + 2] == ' ') {
      store(i);
      start = i + 3;
    } else if (EndsSentence(text[i])) {
      store(i);
      start = i + 1;
    }
  }
  return sentences;
}

void PrepareSentence(std::string_view sentence, PreparedSentence& out, bool& pronounFlag) {
  WordTable& words = out.Words;
  for (std::string& word : words) word.clear();
  out.SentenceType.clear();

  // Word splitting: slots 1 to 29 take one word each; slot 30 takes the next
  // word and whatever follows it is dropped.
  const std::string current = ToUpper(Trim(sentence));
  std::string_view rest = current;
  std::string spaced;
  int slot = 1;
  for (; slot < kLastWordSlot; ++slot) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) break;
    words[slot] = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    spaced += ' ';
    spaced += words[slot];
  }
  words[slot] = rest.substr(0, rest.find(' '));
  spaced += ' ';
  spaced += words[slot];
  const SwapFlags flags{Contains(spaced, "I "), Contains(spaced, "YOU ")};

  // Each word is typed, stripped, canonicalised and swapped before the next
  // is looked at: the swap reads the earlier slots finished and the next raw.
  // Slot 30 is never treated.
  for (int w = 1; w < kLastWordSlot; ++w) {
    std::string& word = words[w];
    if (word.empty() && words[w + 1].empty()) break;
    // (assign rather than = "S": GCC 12 at -O3 warns falsely on the latter)
    if (!HasAnyOf(word, "!?.")) out.SentenceType.assign(1, 'S');
    StripMarks(word, out.SentenceType);
    word = CanonicaliseWord(Trim(word));
    SwapPerspective(words, w, flags, pronounFlag);
  }
}

void TakeOpeningWords(const WordTable& words, int wordCount, std::string& openingWords,
                      std::string& restWords, int& takenWords) {
  const int last = std::min(wordCount, kLastWordSlot);
  for (int k = 0; k <= last; ++k) {
    const std::string& word = words[k];
    if (takenWords < 2) {
      if (!word.empty()) {
        openingWords += word;
        ++takenWords;
      }
    } else {
      restWords += word;
    }
  }
}

}  // namespace velk
