#include "engine/sentences.h"

namespace velk {

std::vector<std::string> SplitSentences(std::string_view text) {
  if (text.empty()) return {};
  return {std::string(text)};
}

void PrepareSentence(std::string_view sentence, PreparedSentence& out, bool& pronounFlag) {
  (void)sentence;
  (void)pronounFlag;
  out = PreparedSentence{};
}

}  // namespace velk
