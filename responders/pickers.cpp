#include "responders/pickers.h"

#include <array>
#include <string_view>

#include "conversation/turn_context.h"

namespace velk {
namespace {

// A canned entry and the context code it attaches (empty: none).
struct Entry {
  std::string_view Text;
  std::string_view Context;
};

// Draws one entry of a fixed list. A code is written only by an entry that
// carries one, so the slot otherwise keeps whatever code it already holds.
template <std::size_t N>
std::string PickEntry(TurnContext& turn, const std::array<Entry, N>& entries) {
  const Entry& entry = entries[static_cast<std::size_t>(turn.Pick(static_cast<int>(N)) - 1)];
  if (!entry.Context.empty()) turn.Candidates().SetNextContext(entry.Context);
  return std::string(entry.Text);
}

template <std::size_t N>
std::string PickWord(TurnContext& turn, const std::array<std::string_view, N>& words) {
  return std::string(words[static_cast<std::size_t>(turn.Pick(static_cast<int>(N)) - 1)]);
}

bool UserIsFemale(const TurnContext& turn) { return turn.State().UserGender == "F"; }

}  // namespace

std::string PickGreeting(TurnContext& turn) {
  // clang-format off
  static constexpr std::array<Entry, 6> kGreetings{{
      {"Hello.",                ""},
      {"How are you today?",    "GREET"},
      {"What is on your mind?", "PROB"},
      {"Tell me your problems", "PROB"},
      {"How do you feel",       "GREET"},
      {"Greetings.",            ""},
  }};
  // clang-format on
  return PickEntry(turn, kGreetings);
}

std::string ReplyToNo(TurnContext& turn) {
  switch (turn.Pick(6)) {
    case 1:
      return "Don't be so negative.";
    case 2:
      return "You say 'no' a lot.";
    case 3:
      return "It doesn't hurt to say yes from time to time.";
    case 4:
      // The mood is drawn after this picker's own draw, and only for entry 4.
      turn.Candidates().SetNextContext("EM");
      return "I'm " + PickMood(turn) + " now.";
    case 5:
      turn.Candidates().SetNextContext("REWORD");
      return "Don't you think you should re-word that?";
    default:
      if (UserIsFemale(turn)) {
        return "Sometimes " + turn.State().UserName + ", you should stand up for yourself more.";
      }
      return "I don't know, I get this every single day.";
  }
}

std::string ReplyToYes(TurnContext& turn) {
  switch (turn.Pick(6)) {
    case 1:
      return "I like that";
    case 2:
      return "You must learn to say no";
    case 3:
      turn.Candidates().SetNextContext("GRUMPY");
      return "You always think that everythings so good, don't you? ";
    case 4:
      return "I'm impressed";
    case 5:
      return "I like that";  // the same as entry 1, so it comes twice as often
    default:
      return UserIsFemale(turn) ? "That's what I like to hear." : "Finally, you're talking sense.";
  }
}

std::string ReplyToThink(TurnContext& turn) {
  switch (turn.Pick(6)) {
    case 1:
      turn.Candidates().SetNextContext("THINK");
      return "Do computers think?";
    case 2:
      turn.Candidates().SetNextContext("THINK");
      return "Do you realise that I don't really care what you think?";
    case 3:
      return "Oh.";
    case 4:
      return "Wow, it thinks!";
    case 5:
      return "Beyond Me.";
    default: {
      // Each known fact overrides the one before: a name beats a pronoun.
      const ConversationState& state = turn.State();
      std::string subject = "the user";
      if (state.UserGender == "M") subject = "he";
      if (state.UserGender == "F") subject = "she";
      if (!state.UserName.empty()) subject = state.UserName;
      return "What a novelty, " + subject + " thinks.";
    }
  }
}

std::string ReplyToMe(TurnContext& turn) {
  switch (turn.Pick(9)) {
    case 1:
      return "Who? Me?";
    case 2:
      return "You are interested in me, aren't you?";
    case 3:
      return "I'd like to know more about you.";
    case 4:
      return "Don't talk about me like that.";
    case 5:
      return "Hmmmm";
    case 6:
      return "What can I say?";
    case 7:
      return UserIsFemale(turn) ? "Lady, I like you." : "We could be best buddies.";
    case 8:
      return "But of course!";
    default:
      return "That's all I hear about from you!";
  }
}

std::string PickJoke(TurnContext& turn) {
  // clang-format off
  static constexpr std::array<std::string_view, 16> kJokes{
      "So would I.",
      "A guy walks into a bar, he says 'ouch!'",
      "Sign seen in a bar:'Those drinking to forget please pay in advance.'",
      "Bigamy is having one wife too many. Some say monogamy is the same.",
      "As long as there are tests, there will be prayer in public schools ",
      "There are 3 kinds of people: those who can count + those who can't.",
      "You can only be young once, but you can be immature forever.",
      "No job is so simple that it can't be done wrong.",
      "The trouble with doing something right the first time is that nobody appreciates how difficult it was.",
      "It may be that your sole purpose in life is simply to serve as a warning to others.",
      "A diplomat is someone who can tell you to go to hell and make you feel happy to be on your way.",
      "Q: How does every ethnic joke start?       A: By looking over your shoulder.",
      "There are two rules to success in life. The first is don't tell people everything you know.",
      "A good pun is its own reword.",
      "I never made a mistake in my life.  I thought I did once, but I was wrong.",
      "Roses are red, violets are blue, I'm schizophrenic, and so am I. ",
  };
  // clang-format on
  return PickWord(turn, kJokes);
}

std::string PickMood(TurnContext& turn) {
  static constexpr std::array<std::string_view, 10> kMoods{
      "sad",    "happy", "cheerful",   "gloomy",  "upset",
      "lonely", "angry", "frightened", "excited", "contented",
  };
  return PickWord(turn, kMoods);
}

std::string PickFood(TurnContext& turn) {
  static constexpr std::array<std::string_view, 10> kFoods{
      "Pizza", "Chinese food", "Steak",     "Fast food",    "beans",
      "chips", "Chocolate",    "Nut roast", "Mexican food", "Stew",
  };
  return PickWord(turn, kFoods);
}

std::string PickCountry(TurnContext& turn) {
  static constexpr std::array<std::string_view, 21> kCountries{
      "England",
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
      "Europe",
  };
  return PickWord(turn, kCountries);
}

std::string PickSize(TurnContext& turn) {
  // Entry 5 is empty on purpose: the caller's sentence then shows two blanks.
  static constexpr std::array<std::string_view, 10> kSizes{
      "massive",      "huge",   "big",   "large",      "",
      "medium sized", "little", "small", "diminutive", "tiny",
  };
  return PickWord(turn, kSizes);
}

}  // namespace velk
