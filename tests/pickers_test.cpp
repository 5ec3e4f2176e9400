#include "responders/pickers.h"

#include <map>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace velk {
namespace {

using testing::EngineTest;

using Picker = std::string (*)(TurnContext&);

// What a forced entry gives: the text and the code left in the next slot.
struct Expected {
  const char* Text;
  const char* Context;
};

class PickersTest : public EngineTest {
 protected:
  // Forces entry k of n, runs the picker and returns "text|code of the next slot".
  std::string Forced(Picker picker, int k, int n) {
    random.QueuePick(k, n);
    const std::string text = picker(engine);
    return text + "|" + Candidates()[Candidates().Count()].Context;
  }

  void ExpectEveryEntry(const char* label, Picker picker, const std::vector<Expected>& entries) {
    const int n = static_cast<int>(entries.size());
    for (int k = 1; k <= n; ++k) {
      Candidates()[Candidates().Count()].Context.clear();
      const auto& e = entries[static_cast<std::size_t>(k - 1)];
      EXPECT_EQ(std::string(e.Text) + "|" + e.Context, Forced(picker, k, n))
          << label << " entry " << k;
      EXPECT_EQ(0u, random.Remaining()) << label << " entry " << k;
    }
    // One entry beyond the list must not be reachable: the draw just under 1.
    random.Queue(0.9999999999);
    EXPECT_EQ(entries.back().Text, picker(engine)) << label << " highest draw";
  }
};

TEST_F(PickersTest, EveryEntryWithNoUserKnown) {
  ExpectEveryEntry("PickGreeting", PickGreeting,
                   {{"Hello.", ""},
                    {"How are you today?", "GREET"},
                    {"What is on your mind?", "PROB"},
                    {"Tell me your problems", "PROB"},
                    {"How do you feel", "GREET"},
                    {"Greetings.", ""}});
  ExpectEveryEntry("ReplyToYes", ReplyToYes,
                   {{"I like that", ""},
                    {"You must learn to say no", ""},
                    {"You always think that everythings so good, don't you? ", "GRUMPY"},
                    {"I'm impressed", ""},
                    {"I like that", ""},
                    {"Finally, you're talking sense.", ""}});
  ExpectEveryEntry("ReplyToThink", ReplyToThink,
                   {{"Do computers think?", "THINK"},
                    {"Do you realise that I don't really care what you think?", "THINK"},
                    {"Oh.", ""},
                    {"Wow, it thinks!", ""},
                    {"Beyond Me.", ""},
                    {"What a novelty, the user thinks.", ""}});
  ExpectEveryEntry("ReplyToMe", ReplyToMe,
                   {{"Who? Me?", ""},
                    {"You are interested in me, aren't you?", ""},
                    {"I'd like to know more about you.", ""},
                    {"Don't talk about me like that.", ""},
                    {"Hmmmm", ""},
                    {"What can I say?", ""},
                    {"We could be best buddies.", ""},
                    {"But of course!", ""},
                    {"That's all I hear about from you!", ""}});
}

TEST_F(PickersTest, ReplyToNoEntries) {
  const std::vector<Expected> plain = {{"Don't be so negative.", ""},
                                       {"You say 'no' a lot.", ""},
                                       {"It doesn't hurt to say yes from time to time.", ""}};
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(std::string(plain[k - 1].Text) + "|", Forced(ReplyToNo, k, 6)) << "entry " << k;
  }
  // Entry 4 takes a second draw for the mood, after its own.
  const int before = random.DrawsTaken();
  random.QueuePick(4, 6);
  random.QueuePick(10, 10);
  EXPECT_EQ("I'm contented now.", ReplyToNo(engine));
  EXPECT_EQ("EM", Candidates()[0].Context);
  EXPECT_EQ(before + 2, random.DrawsTaken());

  EXPECT_EQ("Don't you think you should re-word that?|REWORD", Forced(ReplyToNo, 5, 6));
  EXPECT_EQ("I don't know, I get this every single day.|REWORD", Forced(ReplyToNo, 6, 6))
      << "an entry without a code leaves the slot's code alone";
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(PickersTest, WordPickersInOrder) {
  const struct {
    const char* Label;
    Picker Pick;
    std::vector<std::string> Words;
  } cases[] = {
      {"PickMood",
       PickMood,
       {"sad", "happy", "cheerful", "gloomy", "upset", "lonely", "angry", "frightened", "excited",
        "contented"}},
      {"PickFood",
       PickFood,
       {"Pizza", "Chinese food", "Steak", "Fast food", "beans", "chips", "Chocolate", "Nut roast",
        "Mexican food", "Stew"}},
      {"PickCountry",
       PickCountry,
       {"England",
        "France",
        "Canada",
        "China",
        "Russia",
        "Danmark",
        "Scotland",
        "the Republic of Ireland",
        "the United States",
        "Eygpt",
        "Germany",
        "Japan",
        "Bangladesh",
        "India",
        "Spain",
        "Mexico",
        "Peru",
        "South Africa",
        "Malawi",
        "Cuba",
        "Europe"}},
      {"PickSize",
       PickSize,
       {"massive", "huge", "big", "large", "", "medium sized", "little", "small", "diminutive",
        "tiny"}},
  };
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.Words.size());
    for (int k = 1; k <= n; ++k) {
      random.QueuePick(k, n);
      EXPECT_EQ(c.Words[static_cast<std::size_t>(k - 1)], c.Pick(engine)) << c.Label << " " << k;
    }
  }
  EXPECT_EQ("", Candidates()[0].Context) << "word pickers attach no code";
}

TEST_F(PickersTest, JokesKeepTheirBlanks) {
  const struct {
    int Entry;
    const char* Text;
  } cases[] = {
      {1, "So would I."},
      {5, "As long as there are tests, there will be prayer in public schools "},
      {12, "Q: How does every ethnic joke start?       A: By looking over your shoulder."},
      {15, "I never made a mistake in my life.  I thought I did once, but I was wrong."},
      {16, "Roses are red, violets are blue, I'm schizophrenic, and so am I. "},
  };
  for (const auto& c : cases) {
    random.QueuePick(c.Entry, 16);
    EXPECT_EQ(c.Text, PickJoke(engine)) << "joke " << c.Entry;
  }
  // Every entry is a distinct, non-empty text.
  std::map<std::string, int> seen;
  for (int k = 1; k <= 16; ++k) {
    random.QueuePick(k, 16);
    seen[PickJoke(engine)] = k;
  }
  EXPECT_EQ(16u, seen.size());
  EXPECT_EQ(0u, seen.count(""));
}

// The entries that read what is known about the user.
TEST_F(PickersTest, ConditionalEntries) {
  const struct {
    const char* Label;
    const char* Gender;
    const char* Name;
    Picker Pick;
    int Entry;
    int Of;
    const char* Text;
  } cases[] = {
      {"no F, no name", "", "", ReplyToNo, 6, 6, "I don't know, I get this every single day."},
      {"M", "M", "Bob", ReplyToNo, 6, 6, "I don't know, I get this every single day."},
      {"F with name", "F", "Ann", ReplyToNo, 6, 6,
       "Sometimes Ann, you should stand up for yourself more."},
      {"F, empty name spliced", "F", "", ReplyToNo, 6, 6,
       "Sometimes , you should stand up for yourself more."},
      {"lower-case f is not F", "f", "", ReplyToNo, 6, 6,
       "I don't know, I get this every single day."},
      {"yes, M", "M", "", ReplyToYes, 6, 6, "Finally, you're talking sense."},
      {"yes, F", "F", "", ReplyToYes, 6, 6, "That's what I like to hear."},
      {"me, M", "M", "", ReplyToMe, 7, 9, "We could be best buddies."},
      {"me, F", "F", "", ReplyToMe, 7, 9, "Lady, I like you."},
      {"think, nothing known", "", "", ReplyToThink, 6, 6, "What a novelty, the user thinks."},
      {"think, M", "M", "", ReplyToThink, 6, 6, "What a novelty, he thinks."},
      {"think, F", "F", "", ReplyToThink, 6, 6, "What a novelty, she thinks."},
      {"think, name beats M", "M", "Bob", ReplyToThink, 6, 6, "What a novelty, Bob thinks."},
      {"think, name beats F", "F", "Ann", ReplyToThink, 6, 6, "What a novelty, Ann thinks."},
      {"think, name alone", "", "Sam", ReplyToThink, 6, 6, "What a novelty, Sam thinks."},
      {"think, other entry ignores name", "F", "Ann", ReplyToThink, 5, 6, "Beyond Me."},
  };
  for (const auto& c : cases) {
    State().UserGender = c.Gender;
    State().UserName = c.Name;
    random.QueuePick(c.Entry, c.Of);
    EXPECT_EQ(c.Text, c.Pick(engine)) << c.Label;
  }
  EXPECT_EQ(0u, random.Remaining());
}

TEST_F(PickersTest, CodeGoesToTheNextSlotOnly) {
  Candidates().Add("first");
  Candidates().Add("second");
  random.QueuePick(2, 6);
  EXPECT_EQ("How are you today?", PickGreeting(engine));
  EXPECT_EQ("", Candidates()[0].Context);
  EXPECT_EQ("", Candidates()[1].Context);
  EXPECT_EQ("GREET", Candidates()[2].Context);
  EXPECT_EQ("", Candidates()[2].Reply) << "a picker writes no reply";
  EXPECT_EQ(0, Candidates()[2].Score);
  EXPECT_EQ(2, Candidates().Count()) << "a picker adds no candidate";
}

TEST_F(PickersTest, FullListStillDraws) {
  for (int i = 0; i < kCandidateSlots; ++i) Candidates().Add("x");
  ASSERT_TRUE(Candidates().Full());
  random.QueuePick(4, 6);
  random.QueuePick(1, 10);
  EXPECT_EQ("I'm sad now.", ReplyToNo(engine));
  EXPECT_EQ(0u, random.Remaining());
  EXPECT_EQ(kCandidateSlots, Candidates().Count());
}

// With the real generator every entry turns up about equally often, and the
// doubled entry of ReplyToYes about a third of the time.
TEST(PickersDistribution, EntriesAreEvenlySpread) {
  Mt19937Random random(1);
  testing::FakeClock clock;
  testing::TestEngine engine(random, clock, 1u);
  engine.InitEngine("Velk", "");
  constexpr int kCalls = 30000;

  std::map<std::string, int> countries;
  for (int i = 0; i < kCalls; ++i) ++countries[PickCountry(engine)];
  EXPECT_EQ(21u, countries.size());
  for (const auto& [country, count] : countries) {
    EXPECT_NEAR(kCalls / 21.0, count, kCalls / 21.0 * 0.15) << country;
  }

  int likeThat = 0;
  for (int i = 0; i < kCalls; ++i) {
    engine.Candidates().ResetCount();
    if (ReplyToYes(engine) == "I like that") ++likeThat;
  }
  EXPECT_NEAR(kCalls / 3.0, likeThat, kCalls * 0.02);
}

}  // namespace
}  // namespace velk
