// The conversations held in memory, at most a bound of them, each taken by one
// request at a time. What is not held waits in the database.
#ifndef VELK_FRONTENDS_WEB_CONVERSATION_POOL_H_
#define VELK_FRONTENDS_WEB_CONVERSATION_POOL_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "velk/bot.h"

namespace velk {

// One conversation as held: empty until loaded from the database.
struct HeldConversation {
  std::optional<Bot> Chat;  // absent for an ended conversation
  bool Loaded = false;
  bool Ended = false;
  std::int64_t Records = 0;
};

class ConversationPool {
  struct Entry;

 public:
  using Clock = std::chrono::steady_clock;

  ConversationPool(std::size_t maxHeld, Clock::duration idleLimit)
      : maxHeld_(maxHeld), idleLimit_(idleLimit) {}

  // Sole use of one conversation: other requests for it wait until it is
  // released. Lines to different conversations never wait for each other.
  class Turn {
   public:
    Turn(Turn&& other) noexcept;
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    Turn& operator=(Turn&&) = delete;
    ~Turn();
    HeldConversation& operator*() const;
    HeldConversation* operator->() const { return &**this; }

   private:
    friend class ConversationPool;
    Turn(ConversationPool* pool, std::string id, std::shared_ptr<Entry> entry);
    ConversationPool* pool_;
    std::string id_;
    std::shared_ptr<Entry> entry_;
  };

  // Waits for the conversation's turn. Whatever is held when the turn ends
  // stays for the next request, unless it is not Loaded.
  Turn Take(const std::string& id);

  // Lets go of the conversations idle beyond the limit.
  void DropIdle();

  std::size_t Held();

 private:
  void Release(const std::string& id, const std::shared_ptr<Entry>& entry);
  void DropOldest(Clock::time_point now);

  const std::size_t maxHeld_;
  const Clock::duration idleLimit_;
  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<Entry>> entries_;
  std::list<std::string> idle_;  // released conversations, least recently used first
};

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_CONVERSATION_POOL_H_
