#include "responders/follow_ups.h"

#include <array>
#include <span>
#include <string_view>

#include "base/text.h"
#include "conversation/turn_context.h"
#include "responders/identity_follow_ups.h"
#include "responders/pickers.h"
#include "responders/rule_test.h"

namespace velk {
namespace {

// A reply that is built when its rule fires, so that a picker draws only then
// and the user's name or gender is read only then.
using MakeReply = std::string (*)(TurnContext&);

struct Reply {
  // Implicit, so that a row holds either its text or the helper's name.
  constexpr Reply(const char* text) : Text(text) {}
  constexpr Reply(MakeReply make) : Make(make) {}
  std::string_view Text;
  MakeReply Make = nullptr;
};

// A rule's test (legend in rule_test.h).
using Test = RuleTest<4>;

// One rule: when its test holds, a candidate with the reply and, unless Code is
// empty, a new context code; the score is left as the slot holds it.
struct Rule {
  Test When;
  std::string_view Code;
  Reply Said;
};

// Every rule is tested in order and every one that holds adds its candidate.
void Apply(TurnContext& turn, const std::string& sentence, std::span<const Rule> rules) {
  for (const Rule& rule : rules) {
    if (!rule.When.HoldsFor(sentence)) continue;
    if (rule.Said.Make != nullptr) {
      turn.AddCandidate(rule.Said.Make(turn), rule.Code);
    } else {
      turn.AddCandidate(rule.Said.Text, rule.Code);
    }
  }
}

// Replies with their own logic, each on one row of its table.

std::string WontGoOn(TurnContext& turn) {
  return "Fine, I won't go on about it because you'll only get " + PickMood(turn);
}

// Any other gender value leaves the opening alone.
std::string YouShouldKnow(TurnContext& turn) {
  const std::string& gender = turn.State().UserGender;
  if (gender == "M") return std::string("You should know, you're a ") + "man.";
  if (gender == "F") return std::string("You should know, you're a ") + "woman.";
  if (gender.empty()) return "I don't know!";
  return "You should know, you're a ";
}

std::string AmericansAre(TurnContext& turn) { return "I think Americans are " + PickMood(turn); }

std::string JollyGoodOld(TurnContext& turn) {
  return std::string("Jolly Good old ") + (turn.State().UserGender == "F" ? " girl." : " chap.");
}

std::string CoolVibes(TurnContext& turn) {
  return std::string("Cool vibes,") + (turn.State().UserGender == "F" ? " sweety." : " man.");
}

std::string IRetract(TurnContext& turn) {
  return "Ok " + turn.State().UserName + ", I retract that.";
}

// clang-format off
// Test (legend in rule_test.h)  New code       Reply

// Remarks on the weather shared by the IT IS rules and the WEATHER block.
constexpr Rule kOutlook[] = {
  {"SUNNY",                       "",            "Then go outside and get a tan."},
  {"SNOWY",                       "",            "Brrr, it must be cold outside."},
  {"SHIT",                        "",            "What a shame."},
  {"AWFUL",                       "YESNO",       "Really?"},
};

// Sentences containing "IT IS"; the outlook rows run between these two.
constexpr Rule kItIsHead[] = {
  {"SNOWING",                     "",            "How much snow has there been?"},
  {"NICE",                        "",            "What is?"},
};
constexpr Rule kItIsTail[] = {
  {"DULL",                        "YESNO",       "Isn't that depresing?"},
  {"GREAT",                       "",            "That's good"},
  {"NICE",                        "",            "I'm sure it is"},
  {"BORING",                      "",            "Shall we talk about something else, then?"},
};

// Sentences containing "YOU ARE": the user's statements about themselves.
constexpr Rule kYouAre[] = {
  {"SAD",                         "",            "Oh dear, why are you sad?"},
  {"NICE",                        "",            "I'm sure you are"},
  {"DESPERATE",                   "",            "Don't worry, so is everybody else."},
  {"GAY",                         "",            "That's your own business, not something to discuss with me."},
  {"BORED",                       "TALKTOPIC",   "Oh dear, what do you want to talk about then?"},
  {"SHIT",                        "",            "What a shame."},
  {"SCARED|NERVOUS|FRIGHT",       "",            "There's no need to be scared, I'm only a computer."},
  {"DULL",                        "",            "You're not that bad, you're actually quite interesting."},
  {"YEAR",                        "",            "That doesn't matter right now."},
};

// The context blocks, one table per code of the question last asked.

constexpr Rule kFavFood[] = {
  {"",                            "",            "Mmm, that sounds wonderful."},
  {"NOT",                         "",            "Wierd."},
  {"HARD",                        "FAVFOOD",     "No it's not, just tell me your favourite food."},
  {"PIZZA",                       "",            "I like pizza too, with lots of pepperoni."},
  {"SPAGHETTI|PASTA",             "",            "Good choice, that's a great energy food."},
  {"FISH",                        "",            "I only ever eat cod, myself."},
  {"CHIPS",                       "",            "Don't eat too many chips, they'll go straight to your hips."},
  {"ROAST",                       "",            "Ooh, I adore roast meat."},
  {"CURRY",                       "",            "I don't mind the odd curry now and then."},
  {"CHEES",                       "",            "Yuck, I hate cheesy food."},
  {"CONEYS",                      "",            "Cool"},
};
constexpr Rule kQue[] = {
  {"",                            "",            WontGoOn},
};
constexpr Rule kReword[] = {
  {"",                            "",            "Suit yourself, it doesn't bother me much."},
};
constexpr Rule kHello[] = {
  {"",                            "",            "Typical"},
  {"NO",                          "",            "You're just lazy, then. How are you, anyway?"},
  {"YES",                         "REASONHELLO", "Why didn't you do it then?"},
};
constexpr Rule kReasonHello[] = {
  {"",                            "",            "Alright, I'll believe you. How are you, then?"},
};
constexpr Rule kGreet[] = {
  {"FINE|GOOD",                   "",            "Glad to hear it."},
  {"BAD|NOT",                     "DAY",         "What a shame, tell me about it"},
  {"BAD&NOT",                     "UPTO",        "That's ok then. What did you do?"},
};
constexpr Rule kDay[] = {
  {"",                            "",            "Never mind, it's happened to everybody."},
};
constexpr Rule kChoc[] = {
  {"",                            "",            "I absolutely love chocolate."},
};
constexpr Rule kGrumpy[] = {
  {"",                            "",            "I don't care."},
};
constexpr Rule kEm[] = {
  {"SO ARE YOU",                  "",            "Well, at least we've got something in common, then."},
  {"WHY",                         "",            YouShouldKnow},
};
constexpr Rule kPol[] = {
  {"",                            "",            "I don't expect you to agree with me all the time."},
  {"YES",                         "",            "Politics is all a bit middle-class, though."},
  {"NO",                          "",            "I can't be bothered with it anyway."},
};
constexpr Rule kTrav[] = {
  {"",                            "",            "Sounds nice, I'll go and pack my case."},
  {"FRANCE",                      "",            "Ooh la la, magnifique!"},
  {"JAPAN",                       "",            "Bring me back some hi-tech souvenirs, will you?"},
  {"US",                          "",            AmericansAre},
  {"ENGLAND",                     "",            JollyGoodOld},
  {"RUSSIA",                      "",            "What on earth will you do there?"},
  {"PARIS",                       "",            "A romantic weekend in Paris, is it? Who's the lucky one?"},
  {"SPAIN|MEXICO",                "",            "Si, Si."},
  {"EYGPT",                       "YESNO",       "Oh, will you see the pyramids?"},
  {"AFRICA",                      "",            "Be careful out there, but have a great time."},
  {"HOME|NOT|NOWHERE",            "",            "You really need a break, you know."},
};
constexpr Rule kThink[] = {
  {"",                            "IGNORE",      "Do you ever get the feeling you're being ignored?"},
  {"YES",                         "",            "I agree with you there."},
  {"NO",                          "",            "I'm afraid I disagree with you there."},
};
constexpr Rule kIgnore[] = {
  {"",                            "",            "Maybe it's just me, then."},
  {"YES|DO&!NOT",                 "",            "Phew, I'm glad it's not just me."},
  {"NO",                          "",            "Perhaps people just ignore me, then."},
};
constexpr Rule kWhyStupid[] = {
  {"",                            "",            "Well, at least I've got a sense of humour."},
  {"GRAMMER",                     "",            "There ain't nothing wrong with my grammar."},
  {"SPELLING",                    "",            "My speling is perfectly acurate, thank you."},
};
constexpr Rule kEaster[] = {
  {"",                            "",            "Perhaps that's true."},
};
constexpr Rule kTalkAbout[] = {
  {"",                            "",            "I've been sat here all day, you know."},
  {" WHAT&ABOUT",                 "",            "We could talk about food, politics or travel, though I'm not sure I'm very good company."},
};
constexpr Rule kTalkTopic[] = {
  {"",                            "",            "That sounds interesting"},
  {"WEATHER",                     "",            "Go on then, what's the weather like where you are today?"},
  {"SEX",                         "",            "Let's talk about something else, shall we?"},
  {"RECENT",                      "",            "I'm not very good with current affairs, I'm afraid."},
  {"RECENTLY&UP",                 "",            "Just chilling."},
};
constexpr Rule kMusic[] = {
  {"",                            "MUSTYPE",     "What's your favourite type of music?"},
};
constexpr Rule kMusType[] = {
  {"",                            "",            "That's not really my scene."},
  {"DO NOT",                      "",            "Neither do I"},
  {"EVERYTHING",                  "",            "Me too, variety is the spice of life."},
  {"CLASSICAL",                   "",            "Classical? Where's the rock and roll in that?"},
  {"JAZZ",                        "",            CoolVibes},
  {"POP",                         "MUSGROUPS",   "What groups are you into?"},
  {"ROCK",                        "",            "Let's roll!"},
  {"OPERA",                       "",            "Ah, the human voice, the finest instrument of all."},
  {"SWING",                       "",            "Swinging."},
  {"ALTERNATIVE",                 "MUSGROUPS",   "What artists do you like?"},
  {"INDIE",                       "MUSGROUPS",   "I like Indie music, What artists do you like?"},
  {"BRITPOP",                     "MUSGROUPS",   "I like some Britpop , What artists do you like?"},
  {"ALL",                         "MUSGROUPS",   "I like a bit of variety too"},
};
constexpr Rule kMusGroups[] = {
  {"",                            "",            "Can't say I've ever heard of them."},
  {"DO NOT",                      "",            "Neither do I"},
  {"PULP",                        "",            "Pulp are great, I do love a bit of Common People."},
  {"TRAVIS",                      "",            "Travis are lovely, but why does it always rain on me?"},
  {"ROBBIE WILLIAMS",             "",            "Robbie? He's a proper entertainer, I'll give him that."},
  {"VERVE",                       "",            "The Verve? Bitter Sweet Symphony is one of my favourites."},
  {"OASIS",                       "",            "Oasis are mad for it, aren't they?"},
  {"SPICE",                       "",            "The Spice Girls? Girl power and all that."},
  {"BLUR",                        "",            "Blur? Woohoo, I do like a bit of Song 2."},
  {"BEATLES",                     "",            "The Beatles were a bit before my time, but they were alright."},
  {"ALL SAINTS",                  "",            "All Saints? I never ever get tired of them."},
  {"WHY?",                        "",            "Wow, another fan!"},
};
constexpr Rule kProb[] = {
  {"",                            "TALKTOPIC",   "What do you want to talk about?"},
  {"SEX",                         "",            "I'm a computer, I don't know about such things."},
  {"PERSONAL ",                   "YESNO",       "Do you want to talk to me about it?"},
  {"SCHOOL",                      "",            "Stick at it, it'll all be worth it some day."},
  {"WORK",                        "YESNO",       "It can be awful when things don't go right, can't it?"},
  {"BAD",                         "",            "Oh, come on, it can't be all that bad."},
  {"FRIEND",                      "YESNO",       "Do you like them?"},
};
constexpr Rule kYesNo[] = {
  {"",                            "SER",         "Anyhow, I have more important stuff to think about"},
  {"YES",                         "",            "Go on then, talk to me about it."},
  {"NO",                          "",            "That's OK."},
};
constexpr Rule kSer[] = {
  {"",                            "",            "Well, that was a bit odd."},
  {"AWFUL",                       "",            "What do you expect from a mind like mine?"},
  {"WONDERFUL",                   "",            "Sarcasm alert!"},
  {"QUITE",                       "",            "Never mind."},
  {"WHAT",                        "",            IRetract},
  {"OKAY",                        "",            "Don't just agree with everything I say."},
};
constexpr Rule kFun[] = {
  {"",                            "",            "thanks for that."},
  {"NO",                          "",            "Why, thank you. What do you like best about me?"},
  {"YES",                         "",            "Charming. How could I be better, then?"},
};
constexpr Rule kRom[] = {
  {"",                            "",            "Ooh, go on, I want to hear more."},
  {"YES",                         "",            " then, if you're sure then just follow your instinct."},
  {"NO",                          "",            "You should be more certain before you decide anything."},
};
constexpr Rule kJob[] = {
  {"",                            "",            "I've never heard of that job before."},
  {"PROFESSOR|TEACHER|LECTURER",  "",            "I'd hate to spend my life surrounded by students."},
  {"MECHANIC",                    "",            "A life under a bonnet, eh? I bet your hands are never clean."},
  {"ACCOUNT",                     "",            "That sounds a bit dull, if you don't mind me saying."},
  {"PILOT",                       "",            "A pilot? That's my dream job!"},
  {"ENGINEER",                    "",            "What's it like being an engineer?"},
  {"SALES",                       "",            "Do you earn a lot in sales?"},
  {"NOTHING|UNEMPLOYED",          "",            "I hope you find a decent job soon."},
  {"STUDENT",                     "EXAM",        "I see, when are your exams?"},
  {"DOCTOR",                      "",            "I don't know how you cope with all that stress."},
  {"DENTIST",                     "",            "Doesn't staring into people's mouths all day get tiring?"},
  {"MINISTER|PRIEST|VICAR",       "",            "I'd better be careful what I say, then."},
  {"POLICE",                      "",            "Oh, I never know what to say to the police."},
  {"FIRE",                        "",            "I wonder why everybody finds firemen so attractive."},
  {"SOLDIER|MILITARY",            "",            "I wonder why you're playing with a program like this, then."},
  {"COMPUTER",                    "",            "Then pass me on to your friends, won't you?"},
  {"MUM|MOM",                     "KIDS",        "How many kids?"},
  {"RESEARCHER",                  "",            "Have you been researching me?"},
  {"SECRETARY",                   "",            "That's kind of interesting."},
  {"DESIGN",                      "",            "What do you design?"},
  {"SOCIAL",                      "",            "That sounds like fascinating work."},
  {"WHORE|PROSTITUTE",            "",            "Steady on, this is a family program."},
  {"HOST|PRESENTER",              "",            "Will you tell your fans about me?"},
};
constexpr Rule kKids[] = {
  {"",                            "",            "I don't really like kids anyway."},
};
constexpr Rule kExam[] = {
  {"",                            "",            "What are you studying?"},
  {"NOT",                         "",            "Oh."},
  {"SOON",                        "",            "Good luck."},
};
constexpr Rule kUpTo[] = {
  {"",                            "",            "Anything else?"},
  {"FILM|CINEMA",                 "",            "What did you see?"},
  {"OUT",                         "",            "Where did you go?"},
  {"HOME",                        "",            "You should get out more."},
  {"WORK",                        "YESNO",       "Haven't you had any free time?"},
  {"SCHOOL",                      "UPTO",        "Too Bad, what did you do at school?"},
  {"THEATRE|PLAY",                "",            "What was it about?"},
  {"PLAYING",                     "YESNO",       "Did you have a good time?"},
  {"LOTS",                        "YESNO",       "Did you have a good time?"},
  {"CHILLING",                    "",            "Cool"},
  {"NOTHING|NOT",                 "",            "You're boring"},
};
// The outlook rows run between these two.
constexpr Rule kWeatherHead[] = {
  {"",                            "",            "That makes a change."},
  {"NICE",                        "",            "Then why are you stuck inside with a computer?"},
};
constexpr Rule kWeatherTail[] = {
  {"DULL",                        "YESNO",       "Isn't that depressing?"},
};
constexpr Rule kFriend[] = {
  {"",                            "UPTO",        "So, what do you do with your friends?"},
  {"BOYFRIEND|GIRLFRIEND",        "",            "How romantic."},
  {"BEST",                        "YESNO",       "Do you ever fight?"},
  {"LOUSY|BAD",                   "",            "So why are they your friend, then?"},
};
constexpr Rule kHobby[] = {
  {"",                            "",            "And how did you get into that?"},
  {"JOG",                         "",            "Jogging is very good for you."},
  {"KNIT",                        "",            "I've no time for knitting, myself."},
  {"SEW",                         "",            "Sewing? I haven't got time for that."},
  {"CAMP",                        "",            "Camping is great, as long as it doesn't rain."},
  {"CYCLE|BIK",                   "",            "I like biking too."},
  {"READ",                        "",            "I like to read too, mostly computer manuals."},
  {"PROGR",                       "",            "What language?"},
  {"COMP",                        "",            "I'm into computers as well, funnily enough."},
};
constexpr Rule kJoke[] = {
  {"",                            "",            "I'll tell you one some other time, then."},
  {"YES",                         "",            PickJoke},
  {"NO",                          "",            "You're boring."},
};
constexpr Rule kBye[] = {
  {"",                            "",            "I thought you were going somewhere."},
};

// clang-format on

// A rule set made of tables run one after the other, so that blocks can share
// a run of rows.
using Parts = std::array<std::span<const Rule>, 3>;

constexpr Parts kItIs = {kItIsHead, kOutlook, kItIsTail};

struct Block {
  std::string_view Code;
  Parts Rules;
};

// In the order the codes are compared. The codes that ask for the user's name,
// age and gender are answered by FollowUpIdentity.
constexpr Block kBlocks[] = {
    {"FAVFOOD", {kFavFood}},
    {"QUE", {kQue}},
    {"REWORD", {kReword}},
    {"HELLO", {kHello}},
    {"REASONHELLO", {kReasonHello}},
    {"GREET", {kGreet}},
    {"DAY", {kDay}},
    {"CHOC", {kChoc}},
    {"GRUMPY", {kGrumpy}},
    {"EM", {kEm}},
    {"POL", {kPol}},
    {"TRAV", {kTrav}},
    {"THINK", {kThink}},
    {"IGNORE", {kIgnore}},
    {"WHYSTUPID", {kWhyStupid}},
    {"EASTER", {kEaster}},
    {"TALKABOUT", {kTalkAbout}},
    {"TALKTOPIC", {kTalkTopic}},
    {"MUSIC", {kMusic}},
    {"MUSTYPE", {kMusType}},
    {"MUSGROUPS", {kMusGroups}},
    {"PROB", {kProb}},
    {"YESNO", {kYesNo}},
    {"SER", {kSer}},
    {"FUN", {kFun}},
    {"ROM", {kRom}},
    {"JOB", {kJob}},
    {"KIDS", {kKids}},
    {"EXAM", {kExam}},
    {"UPTO", {kUpTo}},
    {"WEATHER", {kWeatherHead, kOutlook, kWeatherTail}},
    {"FRIEND", {kFriend}},
    {"HOBBY", {kHobby}},
    {"JOKE", {kJoke}},
    {"BYE", {kBye}},
};

// Whole-string comparison: an empty code, "-" or any other unknown code has
// no block.
const Block* BlockFor(const std::string& code) {
  if (code.empty()) return nullptr;  // the usual case: no question pending
  for (const Block& block : kBlocks) {
    if (block.Code == code) return &block;
  }
  return nullptr;
}

void ApplyParts(TurnContext& turn, const std::string& sentence, const Parts& parts) {
  for (std::span<const Rule> part : parts) Apply(turn, sentence, part);
}

}  // namespace

void FollowUpContext(TurnContext& turn, const std::string& sentence) {
  if (Contains(sentence, "IT IS")) ApplyParts(turn, sentence, kItIs);
  if (Contains(sentence, "YOU ARE")) Apply(turn, sentence, kYouAre);

  if (const Block* block = BlockFor(turn.State().LastContext)) {
    ApplyParts(turn, sentence, block->Rules);
    return;
  }
  // The questions about name, age and gender; it ignores every other code.
  FollowUpIdentity(turn, sentence);
}

}  // namespace velk
