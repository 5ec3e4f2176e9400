// Velk as a library: a bot is one conversation with the persona.
//
//   velk::Bot bot({.Seed = 7});
//   std::cout << bot.Greet() << '\n';
//   for (std::string line; std::getline(std::cin, line);) {
//     const std::string reply = bot.Reply(line);
//     if (bot.Ended()) break;
//     std::cout << reply << '\n';
//   }
//
// A conversation can be kept and taken up again, in this process or another:
//
//   std::string saved = bot.Save();
//   velk::Bot later = velk::Bot::Restore(saved);  // answers as `bot` would
#ifndef VELK_BOT_H_
#define VELK_BOT_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
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

// Why saved bytes could not be restored.
class RestoreError : public std::runtime_error {
 public:
  enum class Reason {
    kNotSaved,      // the bytes are not a saved conversation
    kTruncated,     // they end before the conversation does
    kCorrupted,     // they were changed after saving
    kNewerVersion,  // saved by a newer program in a format this one cannot read
  };
  RestoreError(Reason reason, const std::string& what)
      : std::runtime_error(what), reason_(reason) {}
  Reason Why() const noexcept { return reason_; }

 private:
  Reason reason_;
};

// One conversation. Bots share nothing: any number may live in one process,
// each used by one thread at a time. A bot that has been moved from may only
// be assigned to or destroyed.
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

  // The whole conversation as bytes: everything the bot carries from one
  // line to the next, in a versioned format (docs/saved-conversation.md).
  // A few kilobytes; the same bytes on every machine.
  std::string Save() const;

  // A bot that goes on exactly as the saved one would have, reply for reply,
  // with the local clock. Throws RestoreError for bytes that are not a saved
  // conversation, are truncated or corrupted, or come from a newer format;
  // nothing is half restored.
  static Bot Restore(std::string_view saved);

 private:
  friend struct BotInternals;  // the program's own tools and tests
  struct Core;
  explicit Bot(std::unique_ptr<Core> core);
  std::unique_ptr<Core> core_;
};

}  // namespace velk

#endif  // VELK_BOT_H_
