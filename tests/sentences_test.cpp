#include "engine/sentences.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "engine/normalise.h"
#include "tests/test_support.h"

namespace velk {
namespace {

using testing::Repeat;

// Each sentence of a line as "[type:swapped sentence]", the swapped sentence
// being the non-empty word slots each followed by one blank, with one pronoun
// flag for the whole line as in a reply.
std::string PrepareLine(std::string_view line) {
  std::string out;
  bool pronounFlag = false;
  PreparedSentence prepared;
  for (const std::string& sentence : SplitSentences(NormaliseInput(line))) {
    PrepareSentence(sentence, prepared, pronounFlag);
    out += '[' + prepared.SentenceType + ':';
    for (const std::string& word : prepared.Words) {
      if (!word.empty()) out += word + ' ';
    }
    out += ']';
  }
  return out;
}

struct LineCase {
  const char* Label;
  std::string Line;
  std::string Expected;
};

void ExpectPrepared(const std::vector<LineCase>& cases) {
  for (const LineCase& c : cases) EXPECT_EQ(c.Expected, PrepareLine(c.Line)) << c.Label;
}

TEST(SplitSentencesTest, CutsAfterEachMark) {
  static const struct {
    const char* Label;
    const char* Text;
    std::vector<std::string> Expected;
  } kCases[] = {
      {"mark stays with its sentence", "HELLO, HOW ARE YOU?", {"HELLO,", " HOW ARE YOU?"}},
      {"dash between blanks", "HI - THERE", {"HI ", "THERE"}},
      {"dash inside a word", "WELL-KNOWN", {"WELL-KNOWN"}},
      {"mark at the end gives no extra sentence", "YES.", {"YES."}},
      {"two marks in a row", "WHY?!", {"WHY?", "!"}},
      {"every mark cuts", "A:B;C.D!E", {"A:", "B;", "C.", "D!", "E"}},
      {"dash at the end gives an empty sentence", "HI - ", {"HI ", ""}},
      {"dash after dash", "A - - B", {"A ", "", "B"}},
      {"one character", "A", {"A"}},
      {"blanks only", " ", {" "}},
      {"empty text", "", {}},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, SplitSentences(c.Text)) << c.Label;
}

TEST(SplitSentencesTest, KeepsElevenSentences) {
  const std::string eleven = Repeat("A,", 10) + "B";
  const std::vector<std::string> all = SplitSentences(eleven);
  ASSERT_EQ(11u, all.size());
  EXPECT_EQ("B", all.back());

  const std::vector<std::string> cut = SplitSentences(Repeat("A,", 11) + "B");
  ASSERT_EQ(11u, cut.size());
  EXPECT_EQ("A,", cut.back());
}

TEST(PrepareSentenceTest, TypesStripsAndSwaps) {
  ExpectPrepared({
      {"statement", "I AM HAPPY.", "[SS:YOU ARE PLEASED ]"},
      {"exclamation", "WOW!", "[E:WOW ]"},
      {"statement then exclamation", "I LOVE IT!", "[SE:YOU LOVE IT ]"},
      {"question", "ARE YOU OK?", "[SQ:AM I OKAY ]"},
      {"clause", "HELLO,", "[SC:HELLO ]"},
      {"mark alone", "WHY?!", "[Q:WHY ][E:]"},
      {"slash kept without a loop mark", "AND/OR", "[S:AND/OR ]"},
      {"slash removed with a loop mark", "A/B, C", "[SC:AB ][S:C ]"},
      {"semicolon kept without a loop mark", "WAIT; THEN", "[S:WAIT; ][S:THEN ]"},
      {"letters in the loop's order", "<A>?", "[QSS:A ]"},
      {"one of each mark per round", "<<A/?", "[QSS:A ]"},
      {"only the first slash of a round", "A//B<", "[SS:A/B ]"},
      {"a word without marks restarts the type", "HI. THERE<", "[S:HI ][SS:THERE ]"},
      {"contractions first", "I DUNNO, I'M TIRED", "[SC:YOU DO NOT KNOW ][S:YOU ARE EXHAUSTED ]"},
      {"marker no row removes", "THE CAT'S HAT", "[S:THE CAT'S HAT ]"},
      {"dropped filler", "I JUST WANT", "[S:YOU WANT ]"},
      {"text speak", "U R", "[S:I AM ]"},
      {"blanks only", "   ", "[:]"},
      {"empty line", "", ""},
  });
}

TEST(PrepareSentenceTest, EmptySlots) {
  ExpectPrepared({
      // An emoticon leaves two blanks, so an empty slot between the words.
      {"one empty slot is passed over", "A :-) I", "[S:A YOU ]"},
      // Two empty slots in a row end the treatment: the last word stays raw.
      {"two empty slots stop the words", "A :-) :-) I<", "[S:A I< ]"},
  });
}

TEST(PrepareSentenceTest, ThirtyWordSlots) {
  const std::string a28 = Repeat("A ", 28);
  ExpectPrepared({
      // Slot 29 is the last one treated.
      {"29 words", "WERE " + Repeat("A ", 27) + "<I>", "[SSS:WERE " + Repeat("A ", 27) + "YOU ]"},
      // Slot 30 is never treated.
      {"30 words", "WERE " + a28 + "<I>", "[S:WERE " + a28 + "<I> ]"},
      // The rest is dropped, also from the text that sets the YOU flag: WERE
      // would become WAS.
      {"32 words", "WERE " + a28 + "<I> YOU THERE", "[S:WERE " + a28 + "<I> ]"},
  });
}

TEST(PrepareSentenceTest, ReusedTableIsCleared) {
  bool pronounFlag = false;
  PreparedSentence prepared;
  PrepareSentence("ONE TWO THREE.", prepared, pronounFlag);
  PrepareSentence("FOUR", prepared, pronounFlag);
  EXPECT_EQ("S", prepared.SentenceType);
  EXPECT_EQ("FOUR", prepared.Words[1]);
  EXPECT_EQ("", prepared.Words[2]);
  EXPECT_EQ("", prepared.Words[3]);
}

// Word splitting, type letters and stripping read plainly, for words that
// canonicalisation and the swap leave alone.
PreparedSentence PlainPrepare(std::string_view sentence) {
  PreparedSentence out;
  std::string current(Trim(sentence));
  for (char& c : current) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  int index = 1;
  for (; index < kLastWordSlot && current.find(' ') != std::string::npos; ++index) {
    out.Words[index] = current.substr(0, current.find(' '));
    current.erase(0, current.find(' ') + 1);
  }
  out.Words[index] = current.substr(0, current.find(' '));  // slot 30 drops the rest

  static constexpr struct {
    char Mark;
    const char* Letter;
  } kRemoved[] = {{';', "C"}, {':', "C"}, {',', "C"}, {'.', "S"}, {'!', "E"},
                  {'?', "Q"}, {'<', "S"}, {'>', "S"}, {'/', ""},  {'\\', ""}};
  for (int w = 1; w < kLastWordSlot; ++w) {
    std::string& word = out.Words[w];
    if (word.empty() && out.Words[w + 1].empty()) break;
    if (word.find_first_of("!?.") == std::string::npos) out.SentenceType = "S";
    while (word.find_first_of("<>,.!?") != std::string::npos) {
      for (const auto& removed : kRemoved) {
        const std::size_t at = word.find(removed.Mark);
        if (at == std::string::npos) continue;
        out.SentenceType += removed.Letter;
        word.erase(at, 1);
      }
    }
  }
  return out;
}

TEST(PrepareSentenceTest, StripsAsThePlainReadingOnRandomSentences) {
  // Words of letters that no synonym or swap rule knows, and every mark,
  // mostly short, with doubled blanks for empty slots and now and then more
  // words than there are slots.
  static constexpr std::string_view kChars = "QZXqz;:,.!?<>/\\...<<>>??,,";
  std::mt19937 random(99);
  bool pronounFlag = false;
  PreparedSentence prepared;
  for (int round = 0; round < 20000; ++round) {
    std::string sentence;
    const std::size_t words = random() % 10 == 0 ? 25 + random() % 10 : random() % 6;
    for (std::size_t w = 0; w < words; ++w) {
      for (std::size_t n = random() % 7; n > 0; --n) sentence += kChars[random() % kChars.size()];
      sentence += random() % 5 == 0 ? "  " : " ";
    }
    PrepareSentence(sentence, prepared, pronounFlag);
    const PreparedSentence plain = PlainPrepare(sentence);
    ASSERT_EQ(plain.SentenceType, prepared.SentenceType) << "sentence [" << sentence << "]";
    ASSERT_EQ(plain.Words, prepared.Words) << "sentence [" << sentence << "]";
  }
}

// The first two non-empty words of the input, and every later word, as the
// questions about the bot receive them after each sentence.
std::vector<std::string> OpeningWordsAfterEachSentence(std::string_view line) {
  std::vector<std::string> out;
  bool pronounFlag = false;
  std::string opening;
  std::string rest;
  int taken = 0;
  PreparedSentence prepared;
  for (const std::string& sentence : SplitSentences(NormaliseInput(line))) {
    PrepareSentence(sentence, prepared, pronounFlag);
    int wordCount = 0;
    for (const std::string& word : prepared.Words) wordCount += word.empty() ? 0 : 1;
    TakeOpeningWords(prepared.Words, wordCount, opening, rest, taken);
    out.push_back(opening + '|' + rest);
  }
  return out;
}

TEST(TakeOpeningWordsTest, KeptOverTheWholeLine) {
  static const struct {
    const char* Label;
    const char* Line;
    std::vector<std::string> Expected;
  } kCases[] = {
      {"two sentences", "HI. CAN YOU SING?", {"HI|", "HICAN|ISING"}},
      {"one sentence", "CAN I GO HOME", {"CANYOU|GOHOME"}},
      // Only slots up to the word count are read: a dropped word shifts the
      // last word out of reach.
      {"gap of an empty slot", "I JUST WANT TEA", {"YOUWANT|"}},
      {"sentence without words", "  . HI", {"|", "HI|"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.Expected, OpeningWordsAfterEachSentence(c.Line)) << c.Label;
  }
}

}  // namespace
}  // namespace velk
