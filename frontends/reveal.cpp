#include "frontends/reveal.h"

namespace velk {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void Reveal::Start(std::string text) {
  text_ = std::move(text);
  count_ = 0;
}

void Reveal::StartNearlyShown(std::string text) {
  text_ = std::move(text);
  count_ = CharacterCount() - 1;
}

int Reveal::CharacterCount() const {
  int count = 0;
  for (char c : text_) count += IsContinuationByte(c) ? 0 : 1;
  return count;
}

std::size_t Reveal::PrefixBytes(int n) const {
  std::size_t pos = 0;
  for (int seen = 0; pos < text_.size(); ++pos) {
    if (!IsContinuationByte(text_[pos])) {
      if (seen == n) break;
      ++seen;
    }
  }
  return pos;
}

std::optional<std::string> Reveal::Tick() {
  const int n = count_ < 0 ? 0 : count_;
  if (n > CharacterCount()) return std::nullopt;
  const std::size_t shown = PrefixBytes(n);
  if (shown < text_.size() && text_[shown] == ' ') {
    count_ = n + 2;
    return text_.substr(0, shown + 1);
  }
  count_ = n + 1;
  return text_.substr(0, shown);
}

}  // namespace velk
