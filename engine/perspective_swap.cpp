#include "engine/perspective_swap.h"

namespace velk {

void SwapPerspective(WordTable& words, int w, SwapFlags flags, bool& pronounFlag) {
  (void)words;
  (void)w;
  (void)flags;
  (void)pronounFlag;
}

}  // namespace velk
