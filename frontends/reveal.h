// The typewriter reveal of a reply, one character per tick.
#ifndef VELK_FRONTENDS_REVEAL_H_
#define VELK_FRONTENDS_REVEAL_H_

#include <optional>
#include <string>
#include <string_view>

namespace velk {

// Reveals RevealText a character at a time; a blank comes with the character
// before it and never costs a tick of its own. Counts characters, not bytes,
// so a UTF-8 character is never shown in half.
class Reveal {
 public:
  // Restarts from nothing shown (after Enter): the first tick shows "".
  void Start(std::string text);
  // Starts all but the last character in (the opening greeting).
  void StartNearlyShown(std::string text);

  // The caption to show after one tick, or nothing once the reveal is done.
  std::optional<std::string> Tick();
  // Shows the whole text at once; the ticks after it change nothing.
  void Finish() { count_ = CharacterCount() + 1; }

  const std::string& Text() const { return text_; }
  bool Done() const { return count_ > CharacterCount(); }

 private:
  int CharacterCount() const;
  // The byte length of the first n characters.
  std::size_t PrefixBytes(int n) const;

  std::string text_;  // RevealText
  int count_ = 0;     // RevealCount: characters the next tick considers shown
};

}  // namespace velk

#endif  // VELK_FRONTENDS_REVEAL_H_
