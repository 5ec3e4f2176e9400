// The reply engine: one line in, one reply out, with the conversation carried
// between lines.
#ifndef VELK_ENGINE_REPLY_ENGINE_H_
#define VELK_ENGINE_REPLY_ENGINE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/random_source.h"
#include "conversation/conversation_state.h"
#include "conversation/turn_context.h"
#include "engine/recall_table.h"

namespace velk {

// Answers lines of one conversation. The conversation, the random source and
// the clock must outlive the engine; the engine keeps nothing of the
// conversation that is not in them but caches it can rebuild. Not re-entrant:
// one call at a time, from one thread.
//
//   Conversation conversation;
//   Mt19937Random random;
//   SystemClock clock;
//   ReplyEngine engine(conversation, random, clock);
//   engine.InitEngine("Velk", "");
//   std::string greeting = engine.GetReply("-getgreet-");
class ReplyEngine {
 public:
  // With a fixed seed, every InitEngine seeds the generator with it; without
  // one, from the clock.
  ReplyEngine(Conversation& conversation, RandomSource& random, Clock& clock,
              std::optional<std::uint32_t> fixedSeed = std::nullopt);
  ~ReplyEngine();
  ReplyEngine(const ReplyEngine&) = delete;
  ReplyEngine& operator=(const ReplyEngine&) = delete;

  // Seeds the generator and sets the two names; an empty bot name becomes
  // "Velk". Nothing else is reset.
  void InitEngine(std::string_view botName, std::string_view userName);

  // The reply to one line of any length or content. Always returns, and
  // always with a reply unless the line ended the conversation (see
  // EndRequested), when the reply is empty.
  std::string GetReply(std::string_view line);

  // True once the user has asked to end the program (the sentence EXIT). The
  // engine never ends the process; the front end reads this after GetReply.
  bool EndRequested() const { return turn_.EndRequested(); }

  // Heap bytes held between calls, for the memory benchmark.
  std::size_t CacheHeapBytes() const { return recall_.HeapBytes(); }

 private:
  struct CallState;

  void AnswerSentence(std::string_view sentence, CallState& call);

  TurnContext turn_;
  RandomSource& random_;
  Clock& clock_;
  const std::optional<std::uint32_t> fixedSeed_;
  RecallTable recall_;               // the lines recall reads, kept between calls
  std::unique_ptr<CallState> call_;  // reused by every GetReply call
};

}  // namespace velk

#endif  // VELK_ENGINE_REPLY_ENGINE_H_
