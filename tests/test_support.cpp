#include "tests/test_support.h"

#include <memory>

#include "library/bot_core.h"

namespace velk::testing {

double ScriptedRandom::Draw() {
  ++taken_;
  if (draws_.empty()) {
    ADD_FAILURE() << "draw " << taken_ << " was not expected";
    return 0.0;
  }
  const double draw = draws_.front();
  draws_.pop_front();
  return draw;
}

std::string DumpCandidates(const CandidateList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    if (!out.empty()) out += "; ";
    out += list[i].Reply + "|" + list[i].Context + "|" + std::to_string(list[i].Score);
  }
  return out;
}

Bot SeededBot(std::uint32_t seed, const std::string& persona) {
  return BotInternals::WithClock({.Seed = seed, .Persona = persona},
                                 std::make_unique<FixedClock>());
}

}  // namespace velk::testing
