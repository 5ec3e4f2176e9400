// Feeds arbitrary bytes to Bot::Restore. Bytes must be refused with a
// RestoreError or give a bot that answers lines and saves back to the very
// same bytes. When the first byte is odd, the rest gets a correct length and
// checksum first, so that the fuzzer reaches the fields behind them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/crc32.h"
#include "library/bot_core.h"
#include "velk/bot.h"

namespace {

// Writes the length at bytes 10..13 and appends the checksum.
std::string Sealed(std::string bytes) {
  if (bytes.size() < 14) return bytes;
  const auto total = static_cast<std::uint32_t>(bytes.size() + 4);
  for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<char>(total >> (8 * i));
  const std::uint32_t crc = velk::Crc32(bytes);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(crc >> (8 * i));
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) bytes = Sealed(std::move(bytes));
  try {
    velk::Bot bot =
        velk::BotInternals::RestoreWithClock(bytes, std::make_unique<velk::FixedClock>());
    if (bot.Save() != bytes) {
      fprintf(stderr, "SAVE MISMATCH\n");
      std::abort();
    }
    for (const char* line : {"hello", "my name is Ann", "", "what is two plus two?"}) {
      if (bot.Reply(line).empty() && !bot.Ended()) {
        fprintf(stderr, "EMPTY on %s\n", line);
        std::abort();
      }
    }
  } catch (const velk::RestoreError&) {
  }
  return 0;
}
