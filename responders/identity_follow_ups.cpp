#include "responders/identity_follow_ups.h"

#include <cstdint>
#include <optional>

#include "base/text.h"
#include "conversation/turn_context.h"
#include "language/number_words.h"
#include "language/numeric_text.h"

namespace velk {
namespace {

// One cell of the name ladder: the candidate a block adds for one capture
// result, and the name it makes up when it gives up asking.
struct LadderAnswer {
  std::string_view Reply;
  std::string_view Context;
  ScoreChange Score;
  const char* NewName = nullptr;  // nullptr: UserName unchanged
  const char* NewGender = nullptr;
  bool AppendsName = false;  // the reply ends with the name just captured
};

constexpr ScoreChange kKeep{};
constexpr LadderAnswer kGreeting{"Hi there ", "", kKeep, nullptr, nullptr, true};
constexpr std::string_view kMine = "Of course! What is YOUR name?";
constexpr std::string_view kBob = "I guess your name is Bob.";

// The escalation ladder, by capture result and then by the block that asked:
// an answer with no name moves GETNAME on to GETNAME2 and GETNAME3, where the
// bot names the user itself; a refusal leads to NOSAYNAME, whose nameless
// answer starts over at GETNAME.
enum LadderColumn { kGetName, kGetName2, kGetName3, kNoSayName, kLadderColumns };

// clang-format off
constexpr LadderAnswer kNameLadder[6][kLadderColumns] = {
  // Reply, in the order GETNAME, GETNAME2, GETNAME3, NOSAYNAME                Context      Score      Name     Gender
  { // NameUnknown
    {"I didn't quite catch that, what's your name?",                        "GETNAME2",  SetTo(30)},
    {"Sorry, I don't know that name, tell me an easier name.",              "GETNAME3",  SetTo(30)},
    {"I give up, I'll just call you Clive",                                 "",          kKeep,     "Clive", "M"},
    {"I didn't quite catch that, what's your name?",                        "GETNAME",   SetTo(30)},
  },
  { // NameCaptured
    kGreeting,
    kGreeting,
    kGreeting,
    kGreeting,
  },
  { // NameRefused
    {"I really do need to know your name, what is it?",                     "NOSAYNAME", SetTo(30)},
    {"I really do need to know your name, what is it?",                     "NOSAYNAME", SetTo(30)},
    {"Just tell me your name!",                                             "NOSAYNAME", SetTo(10)},
    {"Forget it then, I'll just call you Betty",                            "",          kKeep,     "Betty", "F"},
  },
  { // NameMine: asked back, so ask again; NOSAYNAME starts over as GETNAME does
    {kMine,                                                                 "GETNAME",   SetTo(30)},
    {kMine,                                                                 "GETNAME",   SetTo(30)},
    {kMine,                                                                 "GETNAME3",  SetTo(30)},
    {kMine,                                                                 "GETNAME",   SetTo(30)},
  },
  { // NameGuess
    {kBob,                                                                  "",          kKeep},
    {kBob,                                                                  "",          SetTo(30)},
    {kBob,                                                                  "",          kKeep},
    {kBob,                                                                  "",          kKeep},
  },
  { // NameRude
    {"Quit with the stupidness and tell me your name",                      "GETNAME",   SetTo(30)},
    {"I don't like language like that, so just tell me your proper name.",  "",          SetTo(30)},
    {"Ok, I'll just call you 'Arse'.",                                      "",          kKeep,     "Arse"},
    {"Ok then, I'll call you 'Babe'",                                       "",          SetTo(30), "Babe"},
  },
};
// clang-format on

std::optional<LadderColumn> ColumnOf(std::string_view code) {
  if (code == "GETNAME") return kGetName;
  if (code == "GETNAME2") return kGetName2;
  if (code == "GETNAME3") return kGetName3;
  if (code == "NOSAYNAME") return kNoSayName;
  return std::nullopt;
}

// TELLNAME: the bot asked whether it had been told the user's name.
void AnswerTellName(TurnContext& turn, const std::string& s) {
  const auto has = [&](std::string_view key) { return Contains(s, key); };
  // Capture runs after the first candidate, once, whatever it finds.
  // clang-format off
                                      turn.AddCandidate("Please tell me your name.",                       "GETNAME", SetTo(10));
  if (CaptureName(turn.State(), s) == NameCaptured)
                                      turn.AddCandidate("Hi there " + turn.State().UserName,             "A_RANDOM_TOPIC_TO_AVOID_BEING_MISSED", SetTo(20));
  if (has("YOU DID ") || has("YES"))  turn.AddCandidate("I seem to have forgotten it, what is your name?", "GETNAME", SetTo(10));
  if (has("NO"))                      turn.AddCandidate("Oh, What's your name then?",                      "GETNAME", SetTo(10));
  // clang-format on
}

// CHNGNAME: the bot asked whether the user wants to change their name.
void AnswerChangeName(TurnContext& turn, const std::string& s) {
  ConversationState& state = turn.State();
  if (state.UserName.empty()) {
    turn.AddCandidate("Never mind, I'll just call you Betty.");
    state.UserName = "Betty";
    state.UserGender = "F";
  }
  // clang-format off
  if (Contains(s, "YES"))  turn.AddCandidate("So what's your name now?",                                    "GETNAME");
  if (Contains(s, "NO"))   turn.AddCandidate("Sorry, my mistake. Let's get this clear: What is your name?", "GETNAME");
  // clang-format on
}

// GETGENDER. "FEMALE" contains "MALE" and "MRS" contains "MR", so those
// answers fire both rules; the female rule comes second and so has the last
// word on UserGender.
void AnswerGender(TurnContext& turn, const std::string& s) {
  const auto has = [&](std::string_view key) { return Contains(s, key); };
  std::string& gender = turn.State().UserGender;
  turn.AddCandidate("Just type either 'Male' or 'Female'", "GETGENDER");
  if (has("SIR") || has("MALE") || has("MR")) {
    turn.AddCandidate("Thanks very much, I'll try not to forget that.");
    gender = "M";
  }
  if (has("MADAM") || has("FEMALE") || has("MRS")) {
    turn.AddCandidate("Lovely, that helps me a lot.");
    gender = "F";
  }
  if (has("NEITHER")) {
    turn.AddCandidate(
        "Don't be silly, I just need to know whether to call you 'he' or 'she', so enter either "
        "'male' or 'female'.");
  }
}

// A number read from the front of `text`; one that does not fit 16 bits is
// as unreadable as none.
std::int16_t ReadNumber(std::string_view text) {
  return RoundToInt16(LeadingNumber(text)).value_or(0);
}

// The age in an answer, tried in turn until one reading gives a number:
// digits at the start ("25 "), number words anywhere ("YOU ARE TWENTY FIVE "),
// digits after "YOU ARE" ("YOU ARE 16 "), and the word before "YEAR" ("YOUR
// AGE IS 33 YEARS ").
std::int16_t ReadAge(std::string_view s) {
  std::int16_t age = ReadNumber(s);
  if (age == 0) age = ParseNumberWords(s);
  const std::size_t youAre = s.find("YOU ARE");
  if (youAre != std::string_view::npos && age == 0) {
    age = ReadNumber(Trim(s.substr(youAre + 7)));
  }
  const std::size_t year = s.find("YEAR");
  if (year != std::string_view::npos && age == 0) {
    const std::string_view before = Trim(s.substr(0, year));
    const std::size_t blank = before.rfind(' ');
    const std::string_view word =
        blank == std::string_view::npos ? before : before.substr(blank + 1);
    age = ReadNumber(word);
    if (age == 0) age = ParseNumberWords(word);
  }
  return age;
}

// GETAGE: stores whatever age the answer gives, even one it then calls silly.
void AnswerAge(TurnContext& turn, const std::string& s) {
  const auto has = [&](std::string_view key) { return Contains(s, key); };
  std::int16_t& age = turn.State().UserAge;
  constexpr std::string_view kAbout30 = "Ok then, I'll just say you're about 30";
  turn.AddCandidate("Sorry, I didn't quite catch that, how old are you?", "GETAGE");
  age = ReadAge(s);
  // clang-format off
  if (has("SAY") && has("NOT")) { turn.AddCandidate(kAbout30, "-", Plus(40)); age = 30; }
  else if (has("KNOW"))         { turn.AddCandidate(kAbout30);                age = 30; }
  else if (age == 0)              turn.AddCandidate("Could you please tell me how old you are, so I know who I'm talking to?", "GETAGE");
  else {
    if (age >= 11 && age <= 19)   turn.AddCandidate("Cool, do you think I'm boring?", "FUN");
    if (age >= 20 && age <= 50)   turn.AddCandidate("Excellent, so what do you do for a living?", "JOB");
    if (age > 50)                 turn.AddCandidate("Great, somebody who I might just get a decent conversation out of.");
    if (age < 5 || age > 120)     turn.AddCandidate("Don't be silly, I only want to know how old you are, you can always lie if you want to. Please tell me your age", "GETAGE");
  }
  // clang-format on
}

}  // namespace

void AnswerNameResult(TurnContext& turn, std::string_view code, NameResult result) {
  const std::optional<LadderColumn> column = ColumnOf(code);
  if (!column || result < NameUnknown || result > NameRude) return;
  const LadderAnswer& answer = kNameLadder[result][*column];
  ConversationState& state = turn.State();
  if (answer.NewName != nullptr) state.UserName = answer.NewName;
  if (answer.NewGender != nullptr) state.UserGender = answer.NewGender;
  std::string reply(answer.Reply);
  if (answer.AppendsName) reply += state.UserName;
  turn.AddCandidate(reply, answer.Context, answer.Score);
}

bool FollowUpIdentity(TurnContext& turn, const std::string& sentence) {
  // A copy: the blocks below must not see the code change under them.
  const std::string code = turn.State().LastContext;
  if (ColumnOf(code)) {
    AnswerNameResult(turn, code, CaptureName(turn.State(), sentence));
  } else if (code == "TELLNAME") {
    AnswerTellName(turn, sentence);
  } else if (code == "CHNGNAME") {
    AnswerChangeName(turn, sentence);
  } else if (code == "GETAGE") {
    AnswerAge(turn, sentence);
  } else if (code == "GETGENDER") {
    AnswerGender(turn, sentence);
  } else {
    return false;
  }
  return true;
}

}  // namespace velk
