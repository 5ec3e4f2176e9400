// The bytes of a saved conversation; the format is described, for readers in
// any language, in docs/saved-conversation.md.
#ifndef VELK_LIBRARY_SAVED_CONVERSATION_H_
#define VELK_LIBRARY_SAVED_CONVERSATION_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/random_source.h"
#include "conversation/conversation_state.h"

namespace velk {

// The format this program writes; it reads this one and every older one.
inline constexpr std::uint16_t kSavedFormatVersion = 1;

// Everything a bot carries from one line to the next.
struct SavedConversation {
  Conversation Talk;
  Mt19937Random::Position Random{};
  std::optional<std::uint32_t> Seed;  // the fixed seed of every InitEngine
  bool Ended = false;
};

std::string SaveConversation(const Conversation& talk, const Mt19937Random& random,
                             std::optional<std::uint32_t> seed, bool ended);

// Throws RestoreError (from velk/bot.h); the bytes are checked whole, so a
// conversation is returned complete or not at all.
std::unique_ptr<SavedConversation> ReadSavedConversation(std::string_view bytes);

}  // namespace velk

#endif  // VELK_LIBRARY_SAVED_CONVERSATION_H_
