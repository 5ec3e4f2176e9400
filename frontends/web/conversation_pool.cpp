#include "frontends/web/conversation_pool.h"

namespace velk {

struct ConversationPool::Entry {
  std::mutex TurnMutex;  // held for the whole of a turn
  HeldConversation Held;
  // Guarded by the pool's mutex: turns taken or waited for, and, when there
  // are none, the entry's place among the idle and when it was released.
  int Users = 0;
  std::list<std::string>::iterator IdlePlace;
  Clock::time_point Released;
};

ConversationPool::Turn::Turn(ConversationPool* pool, std::string id, std::shared_ptr<Entry> entry)
    : pool_(pool), id_(std::move(id)), entry_(std::move(entry)) {}

ConversationPool::Turn::Turn(Turn&& other) noexcept
    : pool_(other.pool_), id_(std::move(other.id_)), entry_(std::move(other.entry_)) {}

ConversationPool::Turn::~Turn() {
  if (!entry_) return;
  entry_->TurnMutex.unlock();
  pool_->Release(id_, entry_);
}

HeldConversation& ConversationPool::Turn::operator*() const { return entry_->Held; }

ConversationPool::Turn ConversationPool::Take(const std::string& id) {
  std::shared_ptr<Entry> entry;
  {
    std::lock_guard lock(mutex_);
    auto& slot = entries_[id];
    if (!slot) slot = std::make_shared<Entry>();
    entry = slot;
    // An idle entry in use is no longer a candidate for dropping.
    if (entry->Users++ == 0 && entry->Held.Loaded) idle_.erase(entry->IdlePlace);
  }
  entry->TurnMutex.lock();
  return Turn(this, id, std::move(entry));
}

void ConversationPool::Release(const std::string& id, const std::shared_ptr<Entry>& entry) {
  std::lock_guard lock(mutex_);
  if (--entry->Users > 0) return;
  // The count says nobody holds or waits for the turn, so the held state may
  // be read here.
  if (!entry->Held.Loaded) {
    entries_.erase(id);
    return;
  }
  entry->Released = Clock::now();
  entry->IdlePlace = idle_.insert(idle_.end(), id);
  DropOldest(entry->Released);
}

void ConversationPool::DropOldest(Clock::time_point now) {
  while (!idle_.empty()) {
    const auto found = entries_.find(idle_.front());
    const bool overLimit = entries_.size() > maxHeld_;
    if (!overLimit && now - found->second->Released < idleLimit_) break;
    entries_.erase(found);
    idle_.pop_front();
  }
}

void ConversationPool::DropIdle() {
  std::lock_guard lock(mutex_);
  DropOldest(Clock::now());
}

std::size_t ConversationPool::Held() {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

}  // namespace velk
