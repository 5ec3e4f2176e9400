#include "engine/selection.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace velk {
namespace {

using testing::EngineTest;

constexpr int kGoOn = 8;     // "Go on...", no code
constexpr int kWeather = 7;  // "What's the weather like today?", WEATHER

class SelectionTest : public EngineTest {};

TEST_F(SelectionTest, NoCandidateFallsBackOnAnIdlePrompt) {
  random.QueuePick(kGoOn, 40);
  EXPECT_EQ("Go on...", SelectWinner(engine, recall, ""));
  EXPECT_EQ("", State().LastContext);
  EXPECT_EQ("<>Go on...", State().ReplyHistory);
  EXPECT_EQ("<>", State().InputHistory);
}

TEST_F(SelectionTest, IdlePromptWithACodeWinsInTheFirstPassWithATrailingBlank) {
  random.QueuePick(kWeather, 40);
  EXPECT_EQ("What's the weather like today? ", SelectWinner(engine, recall, "hm"));
  EXPECT_EQ("WEATHER", State().LastContext);
  EXPECT_EQ("<>HM", State().InputHistory);
}

TEST_F(SelectionTest, LaterSlotWinsATie) {
  engine.AddCandidate("first", "A", Plus(10));
  engine.AddCandidate("second", "B", Plus(10));
  EXPECT_EQ("second ", SelectWinner(engine, recall, ""));
  EXPECT_EQ("B", State().LastContext);
}

TEST_F(SelectionTest, AnyCodeBeatsEveryCandidateWithout) {
  engine.AddCandidate("coded", "A");
  engine.AddCandidate("loud", "", Plus(50));
  EXPECT_EQ("coded ", SelectWinner(engine, recall, ""));
}

TEST_F(SelectionTest, CodeOfBlanksOnlyCountsAsNone) {
  engine.AddCandidate("blank code", "   ", Plus(5));
  engine.AddCandidate("plain");
  EXPECT_EQ("blank code", SelectWinner(engine, recall, ""));
  EXPECT_EQ("   ", State().LastContext);
}

TEST_F(SelectionTest, RepeatedReplyLosesTwentyPointsAndItsFirstPassWin) {
  State().ReplyHistory = "<>Seen it";
  engine.AddCandidate("Seen it", "A", Plus(19));
  engine.AddCandidate("fresh");
  EXPECT_EQ("fresh", SelectWinner(engine, recall, ""));
  EXPECT_EQ("", State().LastContext);
}

TEST_F(SelectionTest, RepeatedReplyWithEnoughPointsStillWins) {
  State().ReplyHistory = "<>Seen it";
  engine.AddCandidate("Seen it", "A", Plus(20));
  engine.AddCandidate("fresh");
  EXPECT_EQ("Seen it ", SelectWinner(engine, recall, ""));
}

TEST_F(SelectionTest, ReplyFoundInEarlierInputIsDroppedCaseSensitively) {
  State().InputHistory = "<>GOOD NIGHT ALL";
  engine.AddCandidate("GOOD NIGHT ", "", Plus(5));
  engine.AddCandidate("Good night ");
  EXPECT_EQ("Good night ", SelectWinner(engine, recall, "x"));
}

TEST_F(SelectionTest, FirstPassWinnerIsRecordedWithItsBlank) {
  engine.AddCandidate("Hi", "HELLO");
  SelectWinner(engine, recall, "");
  EXPECT_EQ("<>Hi ", State().ReplyHistory);
}

TEST_F(SelectionTest, ClearingKeepsTheScoreOfASlotEmptiedDuringSelection) {
  State().InputHistory = "<>DROPPED";
  engine.AddCandidate("DROPPED", "X", Plus(7));
  engine.AddCandidate("kept", "", Plus(3));
  EXPECT_EQ("kept", SelectWinner(engine, recall, ""));
  EXPECT_EQ("", Candidates()[0].Reply);
  EXPECT_EQ(7, Candidates()[0].Score);
  EXPECT_EQ(0, Candidates()[1].Score);
  EXPECT_EQ("", Candidates()[1].Reply);

  // The next line's first candidate inherits the carried score.
  Candidates().ResetCount();
  engine.AddCandidate("next");
  EXPECT_EQ(7, Candidates()[0].Score);
}

TEST_F(SelectionTest, HistoriesAreCutToTheirLast1500CharactersBeyond1900) {
  State().ReplyHistory = std::string(1900, 'r');
  State().InputHistory = std::string(1890, 'i');
  engine.AddCandidate("win");
  SelectWinner(engine, recall, "abcdefghij");  // input grows to 1902: cut after the append
  EXPECT_EQ(std::string(1900, 'r') + "<>win", State().ReplyHistory);
  EXPECT_EQ(1500u, State().InputHistory.size());
  EXPECT_EQ("<>ABCDEFGHIJ", State().InputHistory.substr(1488));

  engine.AddCandidate("again");
  SelectWinner(engine, recall, "");
  EXPECT_EQ(1500u + 7u, State().ReplyHistory.size());  // cut before "<>again" went on
  EXPECT_EQ("<>win<>again", State().ReplyHistory.substr(1495));
}

TEST_F(SelectionTest, PenaltiesClampAtTheBottomOfTheScoreRange) {
  State().ReplyHistory = "<>Z";
  State().InputHistory = "<>Z";
  engine.AddCandidate("Z", "", SetTo(-32760));
  engine.AddCandidate("other");
  SelectWinner(engine, recall, "");
  EXPECT_EQ(-32768, Candidates()[0].Score);
}

TEST_F(SelectionTest, ReplyHistoryIsHalvedOnceASecondHasPassed) {
  State().ReplyHistory = "Go on...12345678";
  clock.Step = 0.6f;
  random.QueuePicks({{kGoOn, 40}});
  // The first cycle's prompt loses 20 points as a repeat; a second later the
  // history keeps only "12345678" and the prompt wins the second cycle.
  EXPECT_EQ("Go on...", SelectWinner(engine, recall, ""));
  EXPECT_EQ("12345678<>Go on...", State().ReplyHistory);
}

TEST_F(SelectionTest, FallbackFillsTheListAndThenTheDrawnPromptWinsOutright) {
  // Every "Go on..." is dropped as if the user had typed it, so each cycle
  // fails and adds one more prompt until the list is full.
  State().InputHistory = "<>Go on...";
  for (int i = 0; i < kCandidateSlots; ++i) random.QueuePick(kGoOn, 40);
  random.QueuePick(kWeather, 40);
  EXPECT_EQ("What's the weather like today?", SelectWinner(engine, recall, "line"));
  EXPECT_EQ("WEATHER", State().LastContext);
  EXPECT_EQ(0u, random.Remaining());
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
  EXPECT_EQ("<>Go on...<>LINE", State().InputHistory);
  EXPECT_EQ("<>What's the weather like today?", State().ReplyHistory);
}

TEST_F(SelectionTest, AFullListDropsFurtherCandidates) {
  for (int i = 0; i < kCandidateSlots + 5; ++i) engine.AddCandidate("c" + std::to_string(i));
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
  EXPECT_EQ("c300", Candidates()[300].Reply);
  Candidates().SetNextContext("IGNORED");
  Candidates().SetNextReply("IGNORED");
  EXPECT_EQ("c300", SelectWinner(engine, recall, ""));
}

TEST_F(SelectionTest, ScoreChangesClampToTheSixteenBitRange) {
  engine.AddCandidate("a", "", Plus(40000));
  engine.AddCandidate("b", "", SetTo(-40000));
  EXPECT_EQ(32767, Candidates()[0].Score);
  EXPECT_EQ(-32768, Candidates()[1].Score);
}

}  // namespace
}  // namespace velk
