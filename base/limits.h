// Fixed sizes of the engine's tables and texts. Nothing is ever read or written
// outside them; what does not fit is dropped.
#ifndef VELK_BASE_LIMITS_H_
#define VELK_BASE_LIMITS_H_

#include <cstddef>

namespace velk {

// Sentences of one input line: slots 0 to 10. Text after the 11th is dropped.
inline constexpr int kSentenceSlots = 11;

// Word slots of one sentence: 0 to 30. Words are placed from slot 1; slot 30
// takes the rest's next word and anything after it is dropped.
inline constexpr int kLastWordSlot = 30;
inline constexpr int kWordSlots = kLastWordSlot + 1;

// Candidates of one call: slots 0 to 300, so 301 in all.
inline constexpr int kCandidateSlots = 301;

// Both histories are cut to their last kHistoryKeep characters once they grow
// beyond kHistoryTrimAbove.
inline constexpr std::size_t kHistoryTrimAbove = 1900;
inline constexpr std::size_t kHistoryKeep = 1500;

// A longer line is treated as its first kMaxLineBytes bytes.
inline constexpr std::size_t kMaxLineBytes = 32767;

// Contraction expansion gives up after this many passes.
inline constexpr int kMaxContractionPasses = 64;

// Statement recall reads slot 0 plus the 30 stored lines before the newest.
inline constexpr int kRecallSlots = 31;

}  // namespace velk

#endif  // VELK_BASE_LIMITS_H_
