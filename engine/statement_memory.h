// Remembering the user's statements and saying them back.
#ifndef VELK_ENGINE_STATEMENT_MEMORY_H_
#define VELK_ENGINE_STATEMENT_MEMORY_H_

#include <string>
#include <string_view>

#include "conversation/conversation_state.h"

namespace velk {

class RecallTable;
class TurnContext;

// Appends the sentence to StatementMemory once for an "E" and once for an "S"
// in its type; never for sentences of fewer than three words.
void StoreStatement(ConversationState& state, int wordCount, std::string_view sentenceType,
                    std::string_view swappedSentence);

// Adds at most one candidate: the last remembered statement containing `word`,
// or for an empty word a random one. `table` is the engine's table of the
// lines recall reads, brought up to date with StatementMemory first.
void RecallStatement(TurnContext& turn, RecallTable& table, const std::string& word);

}  // namespace velk

#endif  // VELK_ENGINE_STATEMENT_MEMORY_H_
