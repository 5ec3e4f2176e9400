// The service's conversations, apart from HTTP: made, answered, read and
// deleted, each change committed to the store before it is reported.
#ifndef VELK_FRONTENDS_WEB_CHAT_SERVICE_H_
#define VELK_FRONTENDS_WEB_CHAT_SERVICE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/web/conversation_pool.h"
#include "frontends/web/conversation_store.h"

namespace velk {

// 128 random bits from the operating system as 32 lower-case hex digits.
std::string NewConversationId();
bool IsConversationId(std::string_view text);

class ChatService {
 public:
  ChatService(ConversationStore& store, ConversationPool& pool) : store_(store), pool_(pool) {}

  struct Started {
    std::string Id;
    std::string Greeting;
  };
  // Without a seed the conversation's generator is seeded from the operating
  // system, so that conversations begun in the same instant differ.
  Started Start(std::optional<std::uint32_t> seed);

  enum class Outcome { kAnswered, kUnknown, kEnded };
  struct Answer {
    Outcome Result = Outcome::kUnknown;
    std::string Reply;  // empty once the conversation ends
    bool Ended = false;
  };
  // The line is cut to the engine's limit as the console cuts it. Throws
  // StoreError when the answer could not be kept; the conversation is then
  // as it was before the line.
  Answer Say(const std::string& id, std::string_view line);

  std::optional<StoredTranscript> Read(const std::string& id);

  bool Remove(const std::string& id);

 private:
  // Brings the conversation into memory; false when there is none.
  bool Load(const std::string& id, HeldConversation& held);

  ConversationStore& store_;
  ConversationPool& pool_;
};

}  // namespace velk

#endif  // VELK_FRONTENDS_WEB_CHAT_SERVICE_H_
