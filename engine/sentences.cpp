#include "engine/sentences.h"

#include <algorithm>

#include "engine/perspective_swap.h"
#include "engine/text.h"
#include "language/synonyms.h"

namespace velk {
namespace {

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
  std::array<std::size_t, kMarkCount> counts{};
  for (const char c : word) {
    for (std::size_t m = 0; m < kMarkCount; ++m) {
      if (c == kStrippedMarks[m].Mark) ++counts[m];
    }
  }
  std::size_t rounds = 0;
  for (std::size_t m = 0; m < kMarkCount; ++m) {
    if (kStrippedMarks[m].KeepsLoopGoing) rounds = std::max(rounds, counts[m]);
  }
  if (rounds == 0) return;

  for (std::size_t round = 1; round <= rounds; ++round) {
    for (std::size_t m = 0; m < kMarkCount; ++m) {
      if (counts[m] >= round && kStrippedMarks[m].Letter != '\0') {
        sentenceType += kStrippedMarks[m].Letter;
      }
    }
  }
  std::array<std::size_t, kMarkCount> toRemove{};
  for (std::size_t m = 0; m < kMarkCount; ++m) toRemove[m] = std::min(counts[m], rounds);
  std::size_t kept = 0;
  for (const char c : word) {
    bool removed = false;
    for (std::size_t m = 0; m < kMarkCount && !removed; ++m) {
      if (c == kStrippedMarks[m].Mark && toRemove[m] > 0) {
        --toRemove[m];
        removed = true;
      }
    }
    if (!removed) word[kept++] = c;
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
    } else if (text.substr(i, 3) == " - ") {
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
    if (word.find_first_of("!?.") == std::string::npos) out.SentenceType = "S";
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
