// Remembering the user's statements and saying them back.
#ifndef VELK_ENGINE_STATEMENT_MEMORY_H_
#define VELK_ENGINE_STATEMENT_MEMORY_H_

#include <string>
#include <string_view>

#include "engine/conversation_state.h"

namespace velk {

class ReplyEngine;

// Appends the sentence to StatementMemory once for an "E" and once for an "S"
// in its type; never for sentences of fewer than three words.
void StoreStatement(ConversationState& state, int wordCount, std::string_view sentenceType,
                    std::string_view swappedSentence);

// Adds at most one candidate: the last remembered statement containing `word`,
// or for an empty word a random one.
void RecallStatement(ReplyEngine& engine, const std::string& word);

}  // namespace velk

#endif  // VELK_ENGINE_STATEMENT_MEMORY_H_
