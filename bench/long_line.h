// The longest line the engine takes, made of one piece repeated.
#ifndef VELK_BENCH_LONG_LINE_H_
#define VELK_BENCH_LONG_LINE_H_

#include <string>
#include <string_view>

#include "base/limits.h"

namespace velk {

// `piece` repeated up to exactly kMaxLineBytes bytes.
inline std::string LongLine(std::string_view piece) {
  std::string line;
  while (line.size() < kMaxLineBytes) line += piece;
  line.resize(kMaxLineBytes);
  return line;
}

}  // namespace velk

#endif  // VELK_BENCH_LONG_LINE_H_
