// Feeds arbitrary bytes to one engine as a conversation: the first four bytes
// choose the seed, the rest is cut into lines at line feeds. Every line must
// get a non-empty reply unless it ended the conversation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "engine/reply_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t seed = 0;
  for (std::size_t i = 0; i < 4 && i < size; ++i) seed = seed << 8 | data[i];
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  rest.remove_prefix(size < 4 ? size : 4);

  velk::Conversation conversation;
  velk::Mt19937Random random;
  velk::FixedClock clock;
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
