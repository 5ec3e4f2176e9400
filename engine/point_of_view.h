// Turning a word from the user's point of view to the bot's.
#ifndef VELK_ENGINE_POINT_OF_VIEW_H_
#define VELK_ENGINE_POINT_OF_VIEW_H_

#include "engine/sentences.h"

namespace velk {

// Whether the sentence's spaced text contains "I " and "YOU ".
struct SwapFlags {
  bool I = false;
  bool You = false;
};

// Swaps slot w (already stripped and canonicalised), looking at slots w - 2
// and w - 1 (already swapped) and w + 1 (still raw); may rewrite slot w - 1.
// REQUIRES: 1 <= w < kLastWordSlot.
void SwapPerspective(WordTable& words, int w, SwapFlags flags, bool& pronounFlag);

}  // namespace velk

#endif  // VELK_ENGINE_POINT_OF_VIEW_H_
