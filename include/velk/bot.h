// Velk as a library: a bot is one conversation with the persona.
//
//   velk::Bot bot({.Seed = 7});
//   std::cout << bot.Greet() << '\n';
//   for (std::string line; !bot.Ended() && std::getline(std::cin, line);) {
//     std::cout << bot.Reply(line) << '\n';
//   }
#ifndef VELK_BOT_H_
#define VELK_BOT_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velk {

struct BotOptions {
  // A fixed seed gives the same replies to the same lines on every machine;
  // without one the generator is seeded from the clock.
  std::optional<std::uint32_t> Seed;
  // The persona's name; an empty one means "Velk".
  std::string Persona = "Velk";
};

// One conversation. Bots share nothing: any number may live in one process,
// each used by one thread at a time.
class Bot {
 public:
  explicit Bot(const BotOptions& options = {});
  ~Bot();
  Bot(Bot&& other) noexcept;
  Bot& operator=(Bot&& other) noexcept;

  // The opening greeting: the reply to the greeting request "-getgreet-".
  std::string Greet();

  // The reply to one line of any length or content; a line longer than 32767
  // bytes counts as its first 32767. A line holding the sentence EXIT ends
  // the conversation: its reply, and every reply after it, is empty.
  std::string Reply(std::string_view line);

  // True once the conversation has ended (see Reply).
  bool Ended() const;

 private:
  friend struct BotInternals;  // the program's own tools and tests
  struct Core;
  explicit Bot(std::unique_ptr<Core> core);
  std::unique_ptr<Core> core_;
};

}  // namespace velk

#endif  // VELK_BOT_H_
