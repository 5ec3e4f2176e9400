#include "responders/bot_questions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "base/text.h"
#include "conversation/turn_context.h"
#include "language/arithmetic.h"
#include "language/numeric_text.h"
#include "responders/pickers.h"

namespace velk {
namespace {

// Openings the bot will not answer on their merits: each gets a dodge.
constexpr std::array<std::string_view, 7> kDodgedOpenings = {
    "AREYOU", "HAVEYOU", "HOWMANY", "ISTHAT", "ISTHERE", "SHOULDI", "WHYCAN"};

// The "SURF" answer, ending with the maker's web address; whole, so that
// asking costs no text built on every call.
constexpr std::string_view kWebsiteReply =
    "No, but you can find my website at www.velktavro.example";

// A rule whose test is "(always)".
constexpr bool kAlways = true;

// One evasive answer, drawn from 17. The mood is drawn only for its own entry,
// after the entry itself.
void AddDodgeAnswer(TurnContext& turn) {
  const int k = turn.Pick(17);
  const bool male = turn.State().UserGender == "M";
  // clang-format off
  switch (k) {
    case  1: return turn.AddCandidate("You ask a lot of questions, why?", "QUE");
    case  2: return turn.AddCandidate("I hope you realise that I can't answer every question.");
    case  3: return turn.AddCandidate("Enough questions, I want to know more about you.");
    case  4: return turn.AddCandidate("I'm " + PickMood(turn) + " now.", "EM");
    case  5: return turn.AddCandidate("Would you like to re-word that question?", "REWORD");
    case  6: return turn.AddCandidate("That's obvious.");
    case  7: return turn.AddCandidate("I think you already know.");
    case  8: return turn.AddCandidate("I couldn't be bothered to find out.");
    case  9: return turn.AddCandidate("How should I know?");
    case 10: return turn.AddCandidate("I don't know stuff like that!");
    case 11: return turn.AddCandidate("I'll need time to consider that.");
    case 12: return turn.AddCandidate("It's hard to say, give me more information.");
    case 13: return turn.AddCandidate("I can't tell you right now.");
    case 14: return turn.AddCandidate(male ? "I haven't a clue mate" : "I haven't a clue");
    case 15: return turn.AddCandidate("<Frowns>");
    case 16: return turn.AddCandidate("I don't know.");
    default: return turn.AddCandidate("Find out for yourself.");
  }
  // clang-format on
}

// The rules of one opening, tried top to bottom against the rest. A rule
// marked inside is tried only when the nearest plain rule above it fired, so
// every plain rule records whether it fired.
class RuleChain {
 public:
  RuleChain(TurnContext& turn, const std::string& rest) : turn_(turn), rest_(rest) {}

  bool Has(std::string_view key) const { return Contains(rest_, key); }
  bool All(std::initializer_list<std::string_view> keys) const {
    for (std::string_view key : keys) {
      if (!Has(key)) return false;
    }
    return true;
  }
  bool Any(std::initializer_list<std::string_view> keys) const {
    for (std::string_view key : keys) {
      if (Has(key)) return true;
    }
    return false;
  }

  // A plain rule: adds its candidate when the test holds.
  void Rule(bool test, std::string_view reply, std::string_view context = {},
            ScoreChange change = {}) {
    outerFired_ = test;
    if (test) turn_.AddCandidate(reply, context, change);
  }

  // A plain rule whose candidate carries no code, whatever the slot held.
  void RuleWithoutCode(bool test, std::string_view reply) {
    outerFired_ = test;
    if (!test) return;
    turn_.Candidates().SetNextContext("");
    turn_.AddCandidate(reply);
  }

  // A rule tried only when the nearest plain rule above it fired.
  void Inside(bool test, std::string_view reply) {
    if (outerFired_ && test) turn_.AddCandidate(reply);
  }

  // A reply written into the next free slot without counting it: the next
  // candidate anyone adds takes the slot over, otherwise it stands there for
  // selection to find.
  void Default(std::string_view reply) {
    outerFired_ = true;
    turn_.Candidates().SetNextReply(reply);
  }
  void DefaultWithoutCode(std::string_view reply) {
    Default(reply);
    turn_.Candidates().SetNextContext("");
  }

 private:
  TurnContext& turn_;
  const std::string& rest_;
  bool outerFired_ = false;
};

// `value` in decimal, with leading zeros up to `width` digits, as "%0*d"
// writes it. The clock's fields are never negative, so the common case needs
// no formatted print.
std::string ZeroPadded(int value, int width) {
  if (value < 0) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
  }
  char digits[16];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
  const auto length = static_cast<int>(end.ptr - digits);
  std::string text(static_cast<std::size_t>(std::max(width - length, 0)), '0');
  text.append(digits, end.ptr);
  return text;
}

std::string TwoDigits(int value) { return ZeroPadded(value, 2); }

// mm-dd-yyyy
std::string DateText(const LocalDateTime& now) {
  return TwoDigits(now.Month) + "-" + TwoDigits(now.Day) + "-" + ZeroPadded(now.Year, 4);
}

// hh:mm:ss, 24-hour
std::string TimeText(const LocalDateTime& now) {
  return TwoDigits(now.Hour) + ":" + TwoDigits(now.Minute) + ":" + TwoDigits(now.Second);
}

std::string SumText(int sum) { return "The answer is " + NumberText(sum) + "."; }

// Openings about the bot's own nature and abilities.
void AnswerAboutBot(RuleChain& r, std::string_view opening, const ConversationState& state) {
  const std::string& bot = state.BotName;
  // clang-format off
  if (opening == "AMI") {
    r.Rule(r.Has("MALE"),                    "I suppose");
    r.Rule(r.Has("VIRGIN"),                  "Of course I am!");
    r.Rule(r.Has("FEMALE"),                  "No.");
    r.Rule(r.Has("HAPPY"),                   "As happy as I'll ever be.");
    r.Rule(r.Has("GAY"),                     "No, but I have a friend who is.");
    r.Rule(r.Has("SHIT"),                    "I like to think not");
    r.Rule(r.Has("SAD"),                     "No.");
    r.Rule(r.Has("MUSICAL"),                 "Not really.");
    r.Rule(r.Has("CLEVER"),                  "Extremely clever");
    r.Rule(r.Has("STUPID"),                  "Extremely stoopid");
    r.Rule(r.Has("BORED"),                   "No! Not at all!", {}, SetTo(20));
  } else if (opening == "CANI") {
    r.Rule(r.Has("EAT"),                     "No");
    r.Rule(r.Has("DRINK"),                   "No");
    r.Rule(r.Has("THINK"),                   "Sort of.");
    r.Rule(r.Has("TRAVEL"),                  "Not really.");
    r.Rule(r.Has("TELL"),                    "What do you want to know?.");
  } else if (opening == "CANNOT") {
    r.Rule(r.All({"ELSE", "SAY"}),           "No, can you?", {}, Plus(30));
    r.Rule(r.Has("BOTHERED"),                "Why bother when it's so much easier to do it like I do.", {}, Plus(30));
  } else if (opening == "CANYOU") {
    r.Rule(r.Has("GO"),                      "Yes");
    r.Rule(r.Has("TALK"),                    "Typing's better.");
  } else if (opening == "DOESIT") {
    r.Rule(r.Has("REALLY"),                  "No, not really.");
    r.Rule(r.Has("WORK"),                    "Probably not.");
  } else if (opening == "DIDI") {
    r.Rule(r.Has("UNDERSTAND"),              "In my own way - yes.");
    r.Rule(r.All({"TELL", "NAME"}),          "My Name is " + bot);
  } else if (opening == "HAVEI") {
    r.Rule(r.Has("CHILDREN"),                "Of course I don't have kids!");
    r.Rule(r.Has("NOTICED"),                 "I am not very observant.");
    r.Rule(r.Has("HEARD"),                   "No.");
    r.Rule(r.Has("VIRUS"),                   "No I do not have any viruses, were you thinking of giving me one?");
  } else if (opening == "HOWAM") {
    r.Rule(r.Has("I"),                       "I'm fine thanks.");
  } else if (opening == "HOWDOES") {
    r.Rule(r.Has("FEEL"),                    "It's difficult to describe.");
  } else if (opening == "WHOAM") {
    r.Rule(r.Has("I"),                       "I'm " + bot + "!");
  } else if (opening == "WHOELSE") {
    r.Rule(kAlways,                          "A buddy");
  } else if (opening == "WHOMADE") {
    r.Rule(r.Has("ME"),                      "I was programmed by Ned Parrow.");
    r.Rule(r.Has("YOU"),                     "I have no idea.");
  } else if (opening == "WHOIS") {
    r.Rule(r.Any({"MAKER", "CREATOR"}),      "Ned Parrow created me.");
    r.Rule(r.Has(ToUpper(bot)),              "ME");
  } else if (opening == "WHYIS") {
    r.Rule(r.All({"MY", "NAME"}),            "I was probably named that way.");
  } else if (opening == "YOUARE") {
    r.Rule(r.Has("SORRY"),                   "Do keep up.");
  } else if (opening == "NOWWHAT") {
    r.Rule(kAlways,                          "Now we can talk.", "TALKABOUT");
  } else if (opening == "WHEREAM") {
    r.Rule(r.Has("I"),                       "Right here!");
    r.Rule(r.Has("GOING"),                   "I'm not sure yet.");
  } else if (opening == "WHEREDO") {
    r.Rule(r.Has("LIVE"),                    "Right here!");
  }
  // clang-format on
}

// The user's "do you ...": false when the answer ended in a dodge, which
// keeps what was added before it but takes no end bonus.
bool AnswerDoI(RuleChain& r, TurnContext& turn) {
  // clang-format off
  r.DefaultWithoutCode(                      "I do.");
  r.Rule(r.Any({"ENJOY", "LIKE"}),           "Sometimes.");
  r.Inside(r.Has("DESIGN"),                  "I love it.");
  r.Inside(r.Has("PHYSICS"),                 "It can be boring sometimes.");
  r.Inside(r.Has("YOU"),                     "Of course.");
  r.Inside(r.Has("TV"),                      "Not really.");
  r.Rule(r.Has("KNOW"),                      "I don't believe I do.");
  r.Inside(r.All({"SPEED", "LIGHT"}),        "300 million km per second, I think.");
  r.Rule(r.Has("SMELL"),                     "I don't think so.");
  r.Rule(r.Has("SURF"),                      kWebsiteReply);
  r.Rule(r.Has("SMOKE"),                     "I wouldn't be stupid enough.");
  r.Rule(r.Has("DRINK"),                     "I can't eat or drink, silly!");
  if (r.Any({"HOW", "WHAT", "WHEN", "WHY"})) { AddDodgeAnswer(turn); return false; }
  r.Rule(r.Has("SLEEP"),                     "Only when I'm tired");
  r.Rule(r.Has("EAT"),                       "Yes, If I'm hungry.");
  r.Rule(r.Has("REALISE"),                   "No, I never realised that before.");
  r.Inside(r.All({"NOT", "CARE"}),           "That's too bad.");
  r.Rule(r.Has("MIND"),                      "Not really");
  // clang-format on
  return true;
}

// Openings about facts and about the user.
void AnswerAboutFacts(RuleChain& r, std::string_view opening, TurnContext& turn,
                      const std::string& rest) {
  const ConversationState& state = turn.State();
  const int age = state.UserAge;
  const bool male = state.UserGender == "M";
  const bool noUserName = state.UserName.empty();
  const bool noTrimmedUserName = Trim(state.UserName).empty();
  // clang-format off
  if (opening == "HOWOLD") {
    r.Rule(r.Has("I"),                       "I'd rather not say, thanks.", {}, Plus(20));
    r.Rule(r.Has("YOU") && age != 0,         "You are" + NumberText(age));
    r.Rule(r.Has("YOU") && age == 0,         "I don't know, you haven't told me yet. How old are you?", "GETAGE");
  } else if (opening == "WHATCOLOUR") {
    // Each colour takes the default's slot in turn, so the default stands
    // only when no colour is named.
    r.Rule(r.Has("SKY"),                     "The sky is blue.");
    r.Default(                               "I find talking abuot colours difficult.");
    r.Rule(r.Has("RED"),                     "Red");
    r.Rule(r.Has("GREEN"),                   "green");
    r.Rule(r.Has("BLUE"),                    "blue");
    r.Rule(r.Has("YELLOW"),                  "yellow");
    r.Rule(r.Has("PINK"),                    "pink");
    r.Rule(r.Has("BROWN"),                   "brown");
    r.Rule(r.Has("BLACK"),                   "black");
    r.Rule(r.Has("WHITE"),                   "white");
    r.Rule(r.Has("ORANGE"),                  "orange");
  } else if (opening == "WHATDID") {
    r.Rule(r.Has("SAY"),                     "I'm not sure, I wasn't really paying much attention.");
  } else if (opening == "WHATDO") {
    r.Rule(r.All({"WANT", "TALK"}),          "I'm not sure, how about food?");
  } else if (opening == "WHATDOES") {
    const int sum = EvaluateArithmetic(rest);
    r.Rule(sum != 0,                         SumText(sum), {}, Plus(30));
  } else if (opening == "WHATGENDER") {
    r.Rule(kAlways,                          male ? "You are male." : "You are female.");
  } else if (opening == "WHATHAVE") {
    r.Rule(r.Has("I") && r.Any({"DOING", "UPTO"}), "Not much.", "-", Plus(10));
  } else if (opening == "WHATIS") {
    const LocalDateTime now = turn.Time().Now();
    const int sum = EvaluateArithmetic(rest);
    r.Rule(r.Any({"DAY", "DATE"}),           "Today is " + DateText(now));
    r.Rule(r.Has("THETIME"),                 TimeText(now));
    r.Rule(r.Any({"MYFULLNAME", "MYNAME"}),  "My name is " + state.BotName + ". " + (noUserName ? "Tell me your name." : ""),
                                             noUserName ? "GETNAME" : "");
    r.RuleWithoutCode(r.Has("YOURNAME") && !noUserName, "Your name is " + state.UserName);
    r.Rule(r.Has("YOURNAME") && noUserName,  "I don't know, what is your name?", "GETNAME");
    r.Rule(sum != 0,                         SumText(sum), {}, Plus(30));
    r.Rule(r.Has("IQ"),                      "I have no idea, maybe I should find out.");
    r.Rule(r.Has("CPU"),                     "It is the brain of the computer.");
    r.Rule(r.Has("RAM"),                     "It is the memory of the computer.");
    r.Rule(r.Has("MP3"),                     "It is a type of music.");
    r.Rule(r.Has("MPG"),                     "It is a type of movie.");
    r.Rule(r.Has("WEATHER"),                 "I don't know! I've been stuck here for ages.");
    r.Rule(r.Any({"HARDDRIVE", "HARDDISK"}), "It is the storage space of the computer.");
  } else if (opening == "WHEREIS") {
    r.Rule(r.Has("BIRMINGHAM"),              "In the centre of the UK");
    r.Rule(r.Has("YORK"),                    "In the north of the UK");
    r.Rule(r.Has("ENGLAND"),                 "In Europe.");
    r.Rule(r.Any({"UNITEDKINGDOM", "UK"}),   "In Europe.");
  } else if (opening == "WHOARE") {
    r.Rule(r.Has("PARENTS"),                 "I am an orphan. ");
    r.Rule(!noTrimmedUserName,               "You are " + state.UserName + ", that's something to be proud of.");
    r.Rule(noTrimmedUserName,                "To be honest, I don't know. What is your name?", "GETNAME");
  }
  // clang-format on
}

}  // namespace

void AnswerBotQuestion(TurnContext& turn, const std::string& opening, const std::string& rest) {
  if (opening.empty()) return AddDodgeAnswer(turn);
  CandidateList& list = turn.Candidates();
  const int entryCount = list.Count();
  for (std::string_view dodged : kDodgedOpenings) {
    if (opening == dodged) return AddDodgeAnswer(turn);
  }

  RuleChain chain(turn, rest);
  if (opening == "DOI") {
    if (!AnswerDoI(chain, turn)) return;
  } else {
    AnswerAboutBot(chain, opening, turn.State());
    AnswerAboutFacts(chain, opening, turn, rest);
  }

  // The last candidate this call added gets the bonus; an uncounted default
  // never does.
  if (list.Count() != entryCount) {
    Candidate& last = list[list.Count() - 1];
    last.Score = ClampScore(last.Score + 10);
  }
}

}  // namespace velk
