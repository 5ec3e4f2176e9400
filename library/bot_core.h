// Inside a Bot: the engine with everything it carries between lines.
#ifndef VELK_LIBRARY_BOT_CORE_H_
#define VELK_LIBRARY_BOT_CORE_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "conversation/conversation_state.h"
#include "engine/reply_engine.h"
#include "library/saved_conversation.h"
#include "velk/bot.h"

namespace velk {

struct Bot::Core {
  // A new conversation: initialises the engine with the persona (seeding
  // the generator).
  Core(const BotOptions& options, std::unique_ptr<Clock> clock);
  // A saved conversation, going on where it was saved.
  Core(SavedConversation&& saved, std::unique_ptr<Clock> clock);

  Conversation conversation;
  Mt19937Random random;
  std::unique_ptr<Clock> clock;
  std::optional<std::uint32_t> seed;
  ReplyEngine engine;
  bool ended = false;
};

// What the program's own tools and tests may do beyond the public interface.
struct BotInternals {
  // A bot over another clock: a still one makes replays repeatable to the
  // second.
  static Bot WithClock(const BotOptions& options, std::unique_ptr<Clock> clock);
  static Bot RestoreWithClock(std::string_view saved, std::unique_ptr<Clock> clock);
  // What the bot's engine remembers, for tests.
  static const ConversationState& State(const Bot& bot) { return bot.core_->conversation.State; }
};

}  // namespace velk

#endif  // VELK_LIBRARY_BOT_CORE_H_
