#include "engine/statement_memory.h"

#include "engine/reply_engine.h"

namespace velk {

void StoreStatement(ConversationState& state, int wordCount, std::string_view sentenceType,
                    std::string_view swappedSentence) {
  (void)state;
  (void)wordCount;
  (void)sentenceType;
  (void)swappedSentence;
}

void RecallStatement(ReplyEngine& engine, const std::string& word) {
  (void)engine;
  (void)word;
}

}  // namespace velk
