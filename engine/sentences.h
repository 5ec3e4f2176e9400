// Cutting the working text into sentences, and a sentence into prepared words.
#ifndef VELK_ENGINE_SENTENCES_H_
#define VELK_ENGINE_SENTENCES_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"

namespace velk {

// Cuts at " - " and at each of , . ! ? : ; (the mark stays with its
// sentence). At most kSentenceSlots sentences; an empty text gives none. The
// sentences are views into `text`, in slots 0 to the returned count minus
// one; nothing is copied.
using SentenceViews = std::array<std::string_view, kSentenceSlots>;
int SplitSentences(std::string_view text, SentenceViews& sentences);

// For tests and benchmarks: the same sentences as strings.
std::vector<std::string> SplitSentences(std::string_view text);

// Word slots 0 to 30 of one sentence; words are placed from slot 1.
using WordTable = std::array<std::string, kWordSlots>;

// One sentence after word splitting, stripping, canonicalisation and the
// perspective swap.
struct PreparedSentence {
  WordTable Words;
  std::string SentenceType;  // type letters "S", "C", "E", "Q"
};

// Cuts `sentence` into word slots, collects its type letters, strips the marks
// from its words and canonicalises and swaps each word in turn.
// `pronounFlag` lives for a whole GetReply call: set by the swap, never
// cleared within the call.
void PrepareSentence(std::string_view sentence, PreparedSentence& out, bool& pronounFlag);

// Adds slots 0 to `wordCount` of one sentence's words to the words the
// questions about the bot read, which are kept over a whole GetReply call: the
// first two non-empty words of the input go to `openingWords` (`takenWords`
// counts them), every later word to `restWords`, all joined without blanks.
// Only those slots: a word behind a gap of empty slots is left out.
void TakeOpeningWords(const WordTable& words, int wordCount, std::string& openingWords,
                      std::string& restWords, int& takenWords);

}  // namespace velk

#endif  // VELK_ENGINE_SENTENCES_H_
