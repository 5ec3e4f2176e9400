#include "velk/bot.h"

#include "library/bot_core.h"
#include "library/saved_conversation.h"

namespace velk {

Bot::Core::Core(const BotOptions& options, std::unique_ptr<Clock> clockIn)
    : clock(std::move(clockIn)),
      seed(options.Seed),
      engine(conversation, random, *clock, options.Seed) {
  engine.InitEngine(options.Persona, "");
}

// The engine's caches start empty and are rebuilt from the conversation.
Bot::Core::Core(SavedConversation&& saved, std::unique_ptr<Clock> clockIn)
    : conversation(std::move(saved.Talk)),
      random(saved.Random),
      clock(std::move(clockIn)),
      seed(saved.Seed),
      engine(conversation, random, *clock, saved.Seed),
      ended(saved.Ended) {}

Bot::Bot(const BotOptions& options)
    : core_(std::make_unique<Core>(options, std::make_unique<SystemClock>())) {}

Bot::Bot(std::unique_ptr<Core> core) : core_(std::move(core)) {}

Bot::~Bot() = default;
Bot::Bot(Bot&& other) noexcept = default;
Bot& Bot::operator=(Bot&& other) noexcept = default;

std::string Bot::Greet() { return Reply("-getgreet-"); }

std::string Bot::Reply(std::string_view line) {
  if (core_->ended) return {};
  std::string reply = core_->engine.GetReply(line);
  core_->ended = core_->engine.EndRequested();
  return reply;
}

bool Bot::Ended() const { return core_->ended; }

std::string Bot::Save() const {
  return SaveConversation(core_->conversation, core_->random, core_->seed, core_->ended);
}

Bot Bot::Restore(std::string_view saved) {
  return BotInternals::RestoreWithClock(saved, std::make_unique<SystemClock>());
}

Bot BotInternals::WithClock(const BotOptions& options, std::unique_ptr<Clock> clock) {
  return Bot(std::make_unique<Bot::Core>(options, std::move(clock)));
}

Bot BotInternals::RestoreWithClock(std::string_view saved, std::unique_ptr<Clock> clock) {
  return Bot(
      std::make_unique<Bot::Core>(std::move(*ReadSavedConversation(saved)), std::move(clock)));
}

}  // namespace velk
