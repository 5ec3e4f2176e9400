#include "frontends/reveal.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

// Every caption a reveal shows until it is complete, each in brackets, so
// that an empty caption and a trailing blank stay visible.
std::string Captions(Reveal& reveal) {
  std::string shown;
  for (int ticks = 0; ticks < 1000; ++ticks) {
    const std::optional<std::string> caption = reveal.Tick();
    if (!caption) return shown;
    shown += "[" + *caption + "]";
  }
  return shown + "...never done";
}

TEST(RevealTest, CaptionsTickByTick) {
  // clang-format off
  static const struct {
    const char* Label;
    const char* Text;
    bool NearlyShown;  // the greeting's start: all but the last character in
    const char* Expected;
  } kCases[] = {
      // After Enter: an empty label first; a blank comes with the character before it.
      {"reply",                "Hi there Bob", false, "[][H][Hi ][Hi t][Hi th][Hi the][Hi ther][Hi there ]"
                                                      "[Hi there B][Hi there Bo][Hi there Bob]"},
      {"empty reply",          "",             false, "[]"},
      {"two blanks",           "a  b",         false, "[][a ][a  ][a  b]"},
      {"trailing blank",       "ok ",          false, "[][o][ok ]"},
      {"leading blank",        " x",           false, "[ ][ x]"},
      {"one character",        "x",            false, "[][x]"},
      // Characters, not bytes: a UTF-8 character is never shown in half.
      {"two-byte character",   "£5 ok",        false, "[][£][£5 ][£5 o][£5 ok]"},
      {"three-byte character", "€!",           false, "[][€][€!]"},

      // The greeting: all but the last character, then the whole.
      {"greeting",             "Hello there.", true,  "[Hello there][Hello there.]"},
      {"greeting, last blank", "Hi there ",    true,  "[Hi there ]"},
      {"greeting, last ë",     "Noël",         true,  "[Noë][Noël]"},
      {"one-letter greeting",  "x",            true,  "[][x]"},
      // The count would start at -1; it is read as nothing shown.
      {"empty greeting",       "",             true,  "[]"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    Reveal reveal;
    if (c.NearlyShown) {
      reveal.StartNearlyShown(c.Text);
    } else {
      reveal.Start(c.Text);
    }
    EXPECT_EQ(Captions(reveal), c.Expected) << c.Label;
    EXPECT_TRUE(reveal.Done()) << c.Label;
    EXPECT_EQ(reveal.Tick(), std::nullopt) << c.Label << ": a finished reveal stays finished";
  }
}

TEST(RevealTest, StartReplacesAnUnfinishedReveal) {
  Reveal reveal;
  reveal.Start("first reply");
  for (int i = 0; i < 4; ++i) reveal.Tick();
  ASSERT_FALSE(reveal.Done());

  reveal.Start("Next");
  EXPECT_EQ(reveal.Text(), "Next");
  EXPECT_EQ(Captions(reveal), "[][N][Ne][Nex][Next]");
}

TEST(RevealTest, StartAgainAfterTheEnd) {
  Reveal reveal;
  reveal.Start("ab");
  Captions(reveal);
  reveal.Start("ab");
  EXPECT_FALSE(reveal.Done());
  EXPECT_EQ(Captions(reveal), "[][a][ab]");
}

}  // namespace
}  // namespace velk
