#include "engine/text.h"

namespace velk {

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view CutAtUtf8Boundary(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t cut = limit;
  const auto isContinuation = [&](std::size_t pos) {
    return (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
  };
  for (int step = 0; step < 3 && cut > 0 && isContinuation(cut); ++step) --cut;
  return text.substr(0, cut);
}

}  // namespace velk
