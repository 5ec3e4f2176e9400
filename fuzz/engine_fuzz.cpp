// Feeds arbitrary bytes to one engine as a conversation: the first four bytes
// choose the seed (the first of them also how fast the clock runs), the rest
// is cut into lines at line feeds. Every line must get a non-empty reply unless it ended
// the conversation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "engine/reply_engine.h"

namespace {

// A clock that moves on by a fixed step at every reading, so that the limits
// of a second (selection's fallback cycles) are reached, and midnight is
// passed now and then.
class SteppingClock final : public velk::Clock {
 public:
  explicit SteppingClock(float step) : step_(step) {}
  float SecondsSinceMidnight() override {
    const float now = seconds_;
    seconds_ += step_;
    if (seconds_ >= 86400.0f) seconds_ -= 86400.0f;
    return now;
  }
  velk::LocalDateTime Now() override {
    const int second = static_cast<int>(seconds_);
    return {2026, 12, 8, second / 3600, second / 60 % 60, second % 60};
  }

 private:
  float seconds_ = 86390.0f;  // ten seconds before midnight
  float step_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t seed = 0;
  for (std::size_t i = 0; i < 4 && i < size; ++i) seed = seed << 8 | data[i];
  // 0 stands still; 1 to 255 give 1/64 s to 4 s a reading.
  const float step = static_cast<float>(seed >> 24) / 64.0f;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  rest.remove_prefix(size < 4 ? size : 4);

  velk::Conversation conversation;
  velk::Mt19937Random random;
  SteppingClock clock(step);
  velk::ReplyEngine engine(conversation, random, clock, seed);
  engine.InitEngine("Velk", "");
  if (engine.GetReply("-getgreet-").empty()) std::abort();
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    const std::string reply = engine.GetReply(line);
    if (engine.EndRequested()) break;
    if (reply.empty()) std::abort();
  }
  return 0;
}
