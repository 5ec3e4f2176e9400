#include "engine/statement_memory.h"

#include <string>

#include "tests/test_support.h"

namespace velk {
namespace {

using ::velk::testing::DumpCandidates;

class StatementMemoryTest : public ::velk::testing::EngineTest {
 protected:
  // Stores a swapped sentence of the given type, counting its words.
  void Store(const std::string& type, const std::string& swapped) {
    int words = 0;
    for (std::size_t pos = swapped.find(' '); pos != std::string::npos;
         pos = swapped.find(' ', pos + 1)) {
      ++words;
    }
    StoreStatement(State(), words, type, swapped);
  }

  // The candidates one recall adds, each as "reply|context|score".
  std::string Recall(const std::string& word) {
    Candidates().ResetCount();
    RecallStatement(engine, recall, word);
    return DumpCandidates(Candidates());
  }

  // The three statements of one conversation: cats, rain, a dog.
  void StoreThreeStatements() {
    Store("S", "YOU LIKE CATS ");
    Store("S", "YOU HATE RAIN ");
    Store("S", "YOU OWN A DOG ");
  }
};

TEST_F(StatementMemoryTest, StoresByTypeAndLength) {
  static const struct {
    const char* Label;
    int WordCount;
    const char* Type;
    const char* Expected;
  } kCases[] = {
      {"statement", 4, "S", "\rS:YOU LIKE BIG CATS "},
      {"exclamation", 4, "E", "\rE:YOU LIKE BIG CATS "},
      {"exclaimed statement stored twice", 4, "SE",
       "\rSE:YOU LIKE BIG CATS \rSE:YOU LIKE BIG CATS "},
      {"statement question stored once", 4, "SQ", "\rSQ:YOU LIKE BIG CATS "},
      {"plain question", 4, "Q", ""},
      {"three words", 3, "S", "\rS:YOU LIKE BIG CATS "},
      {"two words", 2, "S", ""},
      {"one word", 1, "SE", ""},
  };
  for (const auto& c : kCases) {
    State().StatementMemory.clear();
    StoreStatement(State(), c.WordCount, c.Type, "YOU LIKE BIG CATS ");
    EXPECT_EQ(c.Expected, State().StatementMemory) << c.Label;
  }
}

TEST_F(StatementMemoryTest, RecallsTheLatestReadableMatch) {
  StoreThreeStatements();
  static const struct {
    const char* Label;
    const char* Word;
    const char* Expected;
  } kCases[] = {
      {"first statement", "CATS", "YOU LIKE CATS ||0"},
      {"second statement", "RAIN", "YOU HATE RAIN ||0"},
      {"newest line is not read yet", "DOG", "||0"},
      {"unknown word adds an empty candidate", "FISH", "||0"},
      {"substring inside a word", "AIN", "YOU HATE RAIN ||0"},
      {"last of several matches", "YOU", "YOU HATE RAIN ||0"},
      {"type letters match too", "S", "YOU HATE RAIN ||0"},
      {"case-sensitive", "cats", "||0"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.Expected, Recall(c.Word)) << c.Label;

  Store("S", "YOU WALK THE DOG ");
  EXPECT_EQ("YOU OWN A DOG ||0", Recall("DOG")) << "visible once a later line is stored";
}

TEST_F(StatementMemoryTest, NeverRecallsAStoredQuestion) {
  Store("S", "YOU LIKE ROBOTS ");
  Store("SQ", "AM I A ROBOT ");
  Store("S", "YOU HATE RAIN ");
  EXPECT_EQ("YOU LIKE ROBOTS ||0", Recall("ROBOT")) << "the question line is skipped";
  EXPECT_EQ("||0", Recall("AM I")) << "matches only the question";
}

TEST_F(StatementMemoryTest, RandomPickNeedsThreeSlots) {
  EXPECT_EQ("", Recall("")) << "empty memory";
  Store("S", "YOU LIKE CATS ");
  Store("S", "YOU HATE RAIN ");
  EXPECT_EQ("", Recall("")) << "two slots: the lone carriage return and one line";
  EXPECT_EQ(0, random.DrawsTaken());

  Store("S", "YOU OWN A DOG ");
  random.QueuePick(2, 3);
  EXPECT_EQ("YOU HATE RAIN ||0", Recall(""));
  random.QueuePick(1, 3);
  EXPECT_EQ("YOU LIKE CATS ||0", Recall(""));
}

TEST_F(StatementMemoryTest, RandomPickDrawsAgainPastTheTableAndStopsAtAQuestion) {
  Store("S", "YOU LIKE CATS ");
  Store("SQ", "AM I A ROBOT ");
  Store("S", "YOU OWN A DOG ");
  random.QueuePicks({{3, 3}, {3, 3}, {1, 3}});
  EXPECT_EQ("YOU LIKE CATS ||0", Recall("")) << "k = count draws again";
  random.QueuePick(2, 3);
  EXPECT_EQ("||0", Recall("")) << "landing on the question gives an empty candidate";
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(StatementMemoryTest, FullListStillDrawsButWritesNothing) {
  StoreThreeStatements();
  for (int i = 0; i < kCandidateSlots; ++i) engine.AddCandidate("filler");
  ASSERT_TRUE(Candidates().Full());
  random.QueuePick(1, 3);
  RecallStatement(engine, recall, "");
  RecallStatement(engine, recall, "CATS");
  EXPECT_EQ(0u, random.Remaining());
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
  EXPECT_EQ("filler", Candidates()[kCandidateSlots - 1].Reply);
}

// Line i holds the word Word(i), found in no other line.
std::string Word(int i) {
  std::string digits = std::to_string(i);
  return "W" + std::string(3 - digits.size(), '0') + digits;
}
std::string Line(int i) { return "YOU SAID " + Word(i) + " "; }

TEST_F(StatementMemoryTest, MoreThanThirtyOneLinesKeepsTheLatestThirty) {
  const int kStored = 40;
  for (int i = 1; i <= kStored; ++i) Store("S", Line(i));

  // Lines 10 to 39 are readable: the 30 before the newest.
  static const struct {
    const char* Label;
    int LineNo;
    bool Found;
  } kCases[] = {
      {"dropped", 9, false},       {"oldest readable", 10, true}, {"middle", 25, true},
      {"before newest", 39, true}, {"newest", 40, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.Found ? Line(c.LineNo) + "||0" : "||0", Recall(Word(c.LineNo))) << c.Label;
  }

  random.QueuePicks({{31, 31}, {1, 31}});
  EXPECT_EQ(Line(10) + "||0", Recall("")) << "slot 31 lies past the table";
  random.QueuePick(30, 31);
  EXPECT_EQ(Line(39) + "||0", Recall(""));
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(StatementMemoryTest, MemoryStaysBoundedInItsOwnFormat) {
  std::string untrimmed;
  for (int i = 1; i <= 200; ++i) {
    Store("S", Line(i));
    untrimmed += "\rS:" + Line(i);
  }
  std::string expected;
  for (int i = 170; i <= 200; ++i) expected += "\rS:" + Line(i);
  EXPECT_EQ(expected, State().StatementMemory);

  // Recall over the whole memory reads the same lines as over the kept part.
  State().StatementMemory = untrimmed;
  EXPECT_EQ("||0", Recall(Word(169)));
  EXPECT_EQ(Line(170) + "||0", Recall(Word(170)));
  random.QueuePick(1, 31);
  EXPECT_EQ(Line(170) + "||0", Recall(""));
}

TEST_F(StatementMemoryTest, ExactlyThirtyOneLinesAreAllKept) {
  std::string expected;
  for (int i = 1; i <= 31; ++i) {
    Store("S", Line(i));
    expected += "\rS:" + Line(i);
  }
  EXPECT_EQ(expected, State().StatementMemory);
  EXPECT_EQ(Line(1) + "||0", Recall(Word(1)));
}

}  // namespace
}  // namespace velk
