#include "frontends/web/chat_service.h"

#include <sys/random.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "frontends/conversation_log.h"
#include "frontends/line_reader.h"

namespace velk {
namespace {

void RandomBytes(void* buffer, std::size_t size) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    const ssize_t got = ::getrandom(bytes, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "getrandom");
    }
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
}

}  // namespace

std::string NewConversationId() {
  unsigned char bits[16];
  RandomBytes(bits, sizeof bits);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string id;
  for (const unsigned char byte : bits) {
    id += kHex[byte >> 4];
    id += kHex[byte & 15];
  }
  return id;
}

bool IsConversationId(std::string_view text) {
  return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

ChatService::Started ChatService::Start(std::optional<std::uint32_t> seed) {
  if (!seed) {
    std::uint32_t random = 0;
    RandomBytes(&random, sizeof random);
    seed = random;
  }
  Started started{NewConversationId(), {}};
  Bot bot(BotOptions{.Seed = seed});
  started.Greeting = bot.Greet();
  const std::vector<std::string> records = {LogRecord(kLogBotPrefix, started.Greeting)};
  const StoredConversation stored{bot.Save(), false, 1};
  auto turn = pool_.Take(started.Id);
  store_.Create(started.Id, stored, records);
  turn->Chat = std::move(bot);
  turn->Loaded = true;
  turn->Records = stored.Records;
  return started;
}

bool ChatService::Load(const std::string& id, HeldConversation& held) {
  if (held.Loaded) return true;
  std::optional<StoredConversation> stored = store_.Load(id);
  if (!stored) return false;
  // Bytes that no longer restore are a fault of the database, reported as
  // such rather than answered from a fresh conversation.
  if (!stored->Ended) held.Chat = Bot::Restore(stored->Saved);
  held.Ended = stored->Ended;
  held.Records = stored->Records;
  held.Loaded = true;
  return true;
}

ChatService::Answer ChatService::Say(const std::string& id, std::string_view line) {
  auto turn = pool_.Take(id);
  HeldConversation& held = *turn;
  if (!Load(id, held)) return {};
  if (held.Ended) return {Outcome::kEnded, "", true};
  const std::string_view kept = KeptLine(line);
  Bot& bot = *held.Chat;
  Answer answer{Outcome::kAnswered, bot.Reply(kept), bot.Ended()};
  std::vector<std::string> records;
  // As in velk.log: the line that ends the conversation leaves no records.
  if (!answer.Ended) {
    records = {LogRecord(kLogUserPrefix, kept), LogRecord(kLogBotPrefix, answer.Reply)};
  }
  const StoredConversation stored{bot.Save(), answer.Ended,
                                  held.Records + static_cast<std::int64_t>(records.size())};
  try {
    store_.Update(id, stored, records);
  } catch (...) {
    // The bot has moved on but the database has not: forget it, so that the
    // next line starts again from what was kept.
    held = HeldConversation{};
    throw;
  }
  held.Ended = answer.Ended;
  held.Records = stored.Records;
  if (held.Ended) held.Chat.reset();
  return answer;
}

std::optional<StoredTranscript> ChatService::Read(const std::string& id) {
  // Taking the turn orders the reading after any line being answered, which
  // is committed before its turn ends.
  const auto turn = pool_.Take(id);
  return store_.Transcript(id);
}

bool ChatService::Remove(const std::string& id) {
  auto turn = pool_.Take(id);
  *turn = HeldConversation{};
  return store_.Delete(id);
}

}  // namespace velk
