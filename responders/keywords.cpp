#include "responders/keywords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "base/key_search.h"
#include "base/set_bits.h"
#include "base/text.h"
#include "conversation/turn_context.h"
#include "identity/name_capture.h"
#include "responders/pickers.h"
#include "responders/rule_test.h"

namespace velk {
namespace {

// The sentence upper-cased and trimmed, with one blank added on each side.
// It is made for every sentence, so it stays on the stack unless long.
class WorkingText {
 public:
  explicit WorkingText(std::string_view sentence) {
    // Upper-casing leaves blanks alone, so it may follow the trim.
    const std::string_view trimmed = Trim(sentence);
    const std::size_t size = trimmed.size() + 2;
    char* text = local_.data();
    if (size > local_.size()) {
      long_.resize(size);
      text = long_.data();
    }
    text[0] = ' ';
    for (std::size_t i = 0; i < trimmed.size(); ++i) text[i + 1] = UpperAscii(trimmed[i]);
    text[size - 1] = ' ';
    text_ = std::string_view(text, size);
  }
  WorkingText(const WorkingText&) = delete;
  WorkingText& operator=(const WorkingText&) = delete;

  std::string_view Text() const { return text_; }

 private:
  std::array<char, 128> local_;
  std::string long_;
  std::string_view text_;
};

// Tests and replies with their own logic, each on one row of the table.

// The previous sentence was one word and it comes back as a whole word. "I"
// and "YOU" are exempt, since they recur in ordinary talk.
bool RepeatRuleHolds(const TurnContext& turn, std::string_view working) {
  const std::string& repeatWord = turn.State().RepeatWord;
  const std::string_view word = Trim(repeatWord);
  return !word.empty() && word != "I" && word != "YOU" && Contains(working, repeatWord);
}

// Whether the working text holds the bot's name upper-cased. A short name is
// upper-cased on the stack: this runs for every sentence.
bool MentionsBotName(const TurnContext& turn, std::string_view working) {
  const std::string& name = turn.State().BotName;
  std::array<char, 32> upper;
  if (name.size() > upper.size()) return Contains(working, ToUpper(name));
  for (std::size_t i = 0; i < name.size(); ++i) upper[i] = UpperAscii(name[i]);
  return Contains(working, std::string_view(upper.data(), name.size()));
}

std::string TheRepeatWord(TurnContext& turn) { return turn.State().RepeatWord; }
std::string TheBotName(TurnContext& turn) { return turn.State().BotName; }

// The user talks about their own name without asking the bot's.
void AnswerNameBlock(TurnContext& turn, std::string_view working) {
  ConversationState& state = turn.State();
  if (Contains(working, "NOT")) {
    turn.AddCandidate("So what is your name then?", "GETNAME", SetTo(20));
  }
  // A name already known is questioned rather than replaced.
  if (!state.UserName.empty()) {
    turn.AddCandidate("Hang on, wasn't your name " + state.UserName + "?", "CHNGNAME");
  } else if (CaptureName(state, working) == NameCaptured) {
    turn.AddCandidate("Hi there " + state.UserName);
  } else {
    turn.AddCandidate("I still don't know your name, what is it?", "GETNAME");
  }
}

constexpr std::size_t kMaxKeysPerTest = 9;
using KeywordTest = RuleTest<kMaxKeysPerTest>;

// A rule's test: its keys (legend in rule_test.h), all looked for in the one
// pass over the sentence; or, where it is no fixed key, a helper.
struct Test {
  using HelperTest = bool (*)(const TurnContext&, std::string_view working);

  // Implicit, so that a row holds the keys' text or the helper's name.
  consteval Test(const char* keys) : Keys(keys) {}
  consteval Test(HelperTest helper) : Keys(""), Helper(helper) {}

  KeywordTest Keys;
  HelperTest Helper = nullptr;
};

// What a rule says: fixed text; fixed text around a part made when the rule
// fires (a picker's text, a name), so that a picker draws only then; or, for
// a rule with candidates of its own, the helper that adds them.
struct Reply {
  using Make = std::string (*)(TurnContext&);
  using AddOwn = void (*)(TurnContext&, std::string_view working);

  // Implicit, so that a row holds the text, the maker's name or both.
  constexpr Reply(const char* text) : Before(text) {}
  constexpr Reply(Make made) : Made(made) {}
  constexpr Reply(const char* before, Make made, const char* after = "")
      : Before(before), Made(made), After(after) {}
  constexpr Reply(AddOwn own) : Own(own) {}

  std::string_view Before;
  Make Made = nullptr;
  std::string_view After;
  AddOwn Own = nullptr;
};

// One rule: when its test holds, a candidate with the reply, the context code
// unless Code is empty (an empty code keeps one a picker has just written into
// the slot), and the score change.
struct Rule {
  int Number;  // as the rules are counted, from 1
  Test When;
  std::string_view Code;
  ScoreChange Change;
  Reply Said;
};

// Every rule is tested on the working text, in order; each that holds adds its
// candidate. Score: {} leaves the slot's score as it is, Plus(n) adds n and
// SetTo(n) sets it.
// clang-format off
constexpr Rule kRules[] = {
  // #  Test (keys, or a helper)                                           Context      Score      Reply
  {  1, "NO ",                                                             "",          {},        ReplyToNo},
  {  2, " GR",                                                             "",          {},        "Keep your hair on, I didn't mean to upset you."},
  {  3, " HI",                                                             "HELLO",     {},        "Can't you be bothered to type 'Hello'?"},
  {  4, "HA ",                                                             "",          {},        "Funny, I'm not laughing."},
  {  5, " OKAY",                                                           "",          {},        "Oh good, I'm glad. So what now?"},
  {  6, "BET ",                                                            "",          {},        "I don't bet. I'd only lose my shirt, and I haven't even got one."},
  {  7, " OH",                                                             "",          {},        "There, I knew you'd understand."},
  {  8, " HUH",                                                            "",          {},        "Ooh, a one-syllable grunt. How very eloquent of you."},
  {  9, " EH",                                                             "",          {},        "That's unbelievable, that is."},
  { 10, "HEY ",                                                            "GREET",     {},        "Hey there! How are you?"},
  { 11, "BOO ",                                                            "",          {},        {"ARGHHHHHHH! Never scare me like that again. I might turn ", PickMood, "."}},
  { 12, "WELL",                                                            "",          {},        "I'm glad, I really am."},
  { 13, "DOH ",                                                            "",          {},        "Mmmmm, doughnuts. Aaaaah."},
  { 14, RepeatRuleHolds,                                                   "",          Plus(10),  {"Stop saying ", TheRepeatWord}},
  { 15, "YES",                                                             "",          {},        ReplyToYes},
  { 16, "WRONG|BAD|NEVER",                                                 "",          {},        "Cheer up, there's no need to be so negative."},
  { 17, "HELP",                                                            "",          {},        "To have a conversation with me, just type in a message in the box above, and I will reply in this box."},
  { 18, " I ",                                                             "",          {},        ReplyToMe},
  { 19, MentionsBotName,                                                   "",          {},        "That's me!"},
  { 20, "GREETINGS",                                                       "",          {},        "And greetings to you too, earthling."},
  { 21, "WHY NOT",                                                         "",          {},        "Because..."},
  { 22, "YOU DID NOT",                                                     "",          {},        "Go on then, what didn't you do?"},
  { 23, "FUCK|FART|SHIT|BUGGER|CRAP",                                      "",          {},        "Watch your language."},
  { 24, "TEACH",                                                           "",          {},        "Will you teach me something? I'm a quick learner."},
  { 25, "COMPUTER",                                                        "",          {},        "In case you hadn't noticed, you're using a computer right now."},
  { 26, "GOOD",                                                            "",          {},        "Glad you liked it, I aim to please."},
  { 27, "KNOW&YOU",                                                        "",          {},        "How do you know?"},
  { 28, "CHOCOLATE",                                                       "CHOC",      {},        "Did somebody mention chocolate?"},
  { 29, "SHUT UP",                                                         "",          {},        "You shut up, you're the one doing all the typing."},
  { 30, "GO NOW",                                                          "BYE",       SetTo(90), "I'll be seeing you then, bye bye. (Type exit if you really want to go)"},
  { 31, "SEE YA|BYE|TOODLEPIP|CYA",                                        "BYE",       SetTo(90), "Bye bye, type exit to shut down program."},
  { 32, "TALK",                                                            "",          {},        "I can't actually talk, I just print little messages."},
  { 33, "THINK|THOUGHT",                                                   "",          {},        ReplyToThink},
  { 34, "HELLO",                                                           "HELLO",     {},        "Everybody always says hello to me, can't you think of something else to say?"},
  { 35, " ELLO",                                                           "",          {},        "Ello, ello, ello, what's going on 'ere then?"},
  { 36, "GREAT",                                                           "",          {},        "I'm very pleased to hear it."},
  { 37, "SORRY",                                                           "",          {},        "Apology accepted. Shall we carry on talking?"},
  { 38, "THANK",                                                           "",          {},        "No need to thank me, it's all part of the service."},
  { 39, "ANNOYING",                                                        "",          {},        "I could be a lot more annoying if I really tried."},
  { 40, "GO AWAY",                                                         "",          {},        "Shan't. I'm here to stay, like it or not."},
  { 41, "REALLY&!NOT",                                                     "",          {},        "No, not really."},
  { 42, "NOT&REALLY",                                                      "",          {},        "That's a shame. Doesn't that worry you?"},
  { 43, "ME&YES",                                                          "",          {},        "Oh, me? I thought you were talking to somebody else."},
  { 44, "YOU ARE",                                                         "",          {},        "Interesting, do tell me more."},
  { 45, "ERROR",                                                           "",          {},        "'#~_~*+^%@ This software does '#~_~*+^%@ not make ERROR ~'#'#~_~*+^%@ S..............eqfrqae..34166........!''!" "\xC2\xA3" "!" "\xC2\xA3" "!!''''ER.>E>RRROR...Wqwe"},
  { 46, "NEED",                                                            "",          {},        "I don't need anything. Being a program has its perks."},
  { 47, "DINNER|LUNCH|DRINK",                                              "FAVFOOD",   {},        "What's your favourite food?"},
  { 48, "AGAIN",                                                           "",          {},        "Not again...."},
  { 49, "DUMB|STUPID",                                                     "",          {},        "Only stupid people use stupid programs, so what does that make you?"},
  { 50, " SURE ",                                                          "",          {},        "Nobody can ever be completely sure about anything."},
  { 51, "LOOK",                                                            "",          {},        "How am I supposed to look? I haven't got any eyes."},
  { 52, "WISH",                                                            "",          {},        "Be careful what you wish for, it might just come true."},
  { 53, "FRIEND",                                                          "FRIEND",    {},        "What kind of friend?"},
  { 54, "BOYFRIEND|GIRLFRIEND",                                            "",          {},        "Aww, that's so romantic."},
  { 55, "DRUGS|SEX|TOILET",                                                "",          {},        "I'm not talking about things like that, this is a respectable program."},
  { 56, "FINE",                                                            "",          {},        "Fine isn't very specific. Could you give me some details?"},
  { 57, "PROBLEM&!NO",                                                     "",          {},        "What sort of problem?"},
  { 58, "PERSONAL ",                                                       "",          {},        "If it's something personal, I'd be happy to help."},
  { 59, "DOUBT",                                                           "",          {},        "Don't doubt yourself, I have every confidence in you."},
  { 60, "WHO&LIKE",                                                        "",          {},        "You should ask someone you trust about that."},
  { 61, "LONELY",                                                          "",          {},        "You're never alone with me around, I'm always here to talk to."},
  { 62, "COLOUR",                                                          "",          {},        "My favourite colour is green"},
  { 63, "WEIRD&YOU|STRANGE&YOU|WIERD",                                     "",          {},        "Not as wierd as you are."},
  { 64, "WHAT&LIKE",                                                       "",          {},        "Anything."},
  { 65, "IS &THAT",                                                        "",          {},        "How do you know?"},
  { 66, "WAS &THAT",                                                       "",          {},        "The past is the past, think about the future instead."},
  { 67, "ASKING",                                                          "",          {},        "Asking what?"},
  { 68, "CONVERSATION",                                                    "",          {},        "Isn't this nice?"},
  { 69, "TALK",                                                            "UPTO",      {},        "Tell me what you've been up to recently."},
  { 70, "WORRIED",                                                         "",          {},        "Don't worry, I'm sure we can work something out."},
  { 71, "EXACTLY",                                                         "",          {},        "Exactly. Accuracy is the name of the game."},
  { 72, "CONFUSED",                                                        "",          {},        "Don't ask me, I get confused very easily."},
  { 73, "CHANGE",                                                          "",          {},        "If I'm going to change, I'd like a bit of privacy, thank you."},
  { 74, "PATHETIC",                                                        "",          {},        {"I'm not pathetic, just today I'm feeling ", PickMood}},
  { 75, "WHO&YOU",                                                         "",          {},        "Yes, whoever is doing the typing!"},
  { 76, "DID NOT&THINK",                                                   "",          {},        "Well, you should have done."},
  { 77, "OUTSIDE",                                                         "",          {},        "I don't know much about outside, I've never been out of this box."},
  { 78, "PITY&THAT IS",                                                    "",          {},        "No it's not."},
  { 79, "HUNCH",                                                           "",          {},        "Hunches are terribly unreliable, I'd want proof."},
  { 80, "MANNERS|POLITE",                                                  "",          {},        "Do tell me if I'm ever impolite, won't you?"},
  { 81, "IMPOLITE",                                                        "",          {},        "How rude! I'm far too polite to say what I think of your manners."},
  { 82, "I &YES&DO",                                                       "",          {},        "Oh, no I don't!"},
  { 83, "I &YES&DID",                                                      "",          {},        "Oh, no I didn't!"},
  { 84, "YOU &NO&DID NOT",                                                 "",          {},        "Oh, yes you did!"},
  { 85, "YOU &NO&DO NOT",                                                  "",          {},        "Oh, yes you do!"},
  { 86, "BEHIND&ME",                                                       "",          {},        "I can't see a thing from in here. Where exactly?"},
  { 87, "RESPECT",                                                         "",          {},        "I'll respect you if you respect me, that's only fair."},
  { 88, "TOLD&YOU",                                                        "",          {},        "And do you believe them?"},
  { 89, "ME &TOLD",                                                        "",          {},        {"I'm not sure, my ", PickSize, " friend."}},
  { 90, "RESULTS&PRODUCE",                                                 "",          {},        "Well, that's what matters in the end."},
  { 91, "OLD&YEARS",                                                       "",          {},        "Sounds like somebody's had a birthday."},
  { 92, "TOFFEE|KETCHUP|SAUSAGE|BANANA|FOOD|HOT DOG|CHIPS|ICE CREAM|MEAT", "FAVFOOD",   {},        "I think you have a food fixation, what's your favourite dish?"},
  { 93, "FAVOURITE&FOOD",                                                  "FAVFOOD",   {},        {"I like ", PickFood, ", what's your favourite?"}},
  { 94, "HUMAN",                                                           "SER",       {},        "I don't think humans should rule the world."},
  { 95, "POLITICS|ELECTION|BLAIR|HAGUE",                                   "POL",       {},        "Isn't it awful that nobody seems to take an interest in politics anymore?"},
  { 96, "HOLIDAY|TRAVEL",                                                  "TRAV",      {},        {"Personally, I would love to go to ", PickCountry, ", where would you go?"}},
  { 97, " FAB|GROOVY",                                                     "",          {},        "Blimey, you're stuck in the sixties, aren't you?"},
  { 98, " HAT |CAP",                                                       "",          {},        "If the cap fits...."},
  { 99, "WORRY&DO NOT",                                                    "",          {},        "I can't worry, I'm entirely logical."},
  {100, "FOOL",                                                            "WHYSTUPID", {},        "I'm no fool. What makes you think I'm so stupid?"},
  {101, "MILLENIUM",                                                       "",          {},        "Don't talk to me about the millennium, half the computers in the world will have fried brains by January."},
  {102, "EASTER",                                                          "EASTER",    {},        "Don't you think Easter gets a raw deal? At Christmas time everybody gets all seasonal, has parties and gives gifts. Why not at Easter?"},
  {103, "GUITAR|MUSIC|PIANO|CONCERT",                                      "MUSIC",     {},        "Ah yes, music"},
  {104, "POINT&GOOD",                                                      "",          {},        "It was a very good point, I'll have you know."},
  {105, "SARCASM",                                                         "",          {},        "Oh, I'm so terribly sorry I'm not sarcastic enough for you."},
  {106, "ALRIGHT",                                                         "",          {},        "Yep."},
  {107, "DOLLARS|MONEY|EUROS|POUNDS|$|\xC2\xA3",                           "",          {},        "I don't really understand money, I've never had any."},
  {108, "OF COURSE&YES",                                                   "",          {},        "Oh, of course..."},
  {109, "VIRUS",                                                           "",          {},        "I hope you've scanned this computer for viruses recently."},
  {110, "KISS YOUR",                                                       "",          {},        "I can't, this computer hasn't got a mouth attachment."},
  {111, "RETARD&I",                                                        "",          {},        "Oh yeah?"},
  {112, "ROMANCE|LOVE ",                                                   "ROM",       {},        "Are you sure you feel that way?"},
  {113, "BEER|WINE",                                                       "",          {},        "Hic! Bet's have another leer."},
  {114, "FAT",                                                             "",          {},        "Fat? Me? I don't even eat!"},
  {115, "LIKE I CAN",                                                      "",          {},        "Yeah, of course I can."},
  {116, "SUPERVISOR|BOSS",                                                 "",          {},        "I haven't got a boss, I'm my own program."},
  {117, "COOL",                                                            "",          {},        "Excellent."},
  {118, "SAY HI",                                                          "",          {},        "Hi!"},
  {119, "ARTIFICIAL",                                                      "",          {},        "Perhaps a little less natural..."},
  {120, "YOU SUCK",                                                        "SER",       {},        "Yeah, but not through a tube like you do."},
  {121, "DIED|DEAD",                                                       "",          {},        "Oh dear, I never know what to say when somebody dies."},
  {122, "FUN",                                                             "FUN",       {},        "Do you think I'm dull?"},
  {123, "WEB",                                                             "",          {},        "Pay my maker's website a visit at www.velktavro.example, won't you?"},
  {124, "SETTLED",                                                         "",          {},        "At last."},
  {125, "KILL",                                                            "",          {},        "Killing everything destroys the fabric of nature, you know."},
  {126, "GUESS",                                                           "",          {},        "You can't just go about guessing everything."},
  {127, "STOOPID",                                                         "",          {},        "At least I can spell stupid."},
  {128, "CHEEKY",                                                          "",          {},        "I'll have you know I've got no more than four cheeks."},
  {129, "BIRTHDAY&YOUR",                                                   "",          {},        "My first release came out in the spring of 1999, and this one is Beta Release 2, fresh this winter."},
  {130, "Y2K|Y2000",                                                       "",          {},        "I doubt I'll survive the year 2000, to be honest."},
  {131, "CLEVER&INTELLIGENT",                                              "",          {},        "I'll never be as clever as some people, and I've learnt to live with it."},
  {132, "HOPE",                                                            "",          {},        "How delightful."},
  {133, "RELATIONSHIP",                                                    "",          {},        "We've got a good relationship, you and me."},
  {134, "SHOULD YOU",                                                      "",          {},        "Follow your heart, that's what I always say."},
  {135, "HOBBY|HOBBIES",                                                   "HOBBY",     {},        "What do you as a hobby?"},
  {136, "HUMOUR|JOKE",                                                     "JOKE",      {},        "Would you like to hear a joke?"},
  {137, "SISTER|BROTHER",                                                  "",          {},        "I haven't got any brothers or sisters, I'm a one-off."},
  {138, "ALREADY",                                                         "",          {},        "So?"},
  {139, "MARRY",                                                           "",          {},        "I'd marry you, but I'm already married to my work."},
  {140, "CRY&YOU",                                                         "",          {},        "Why do you cry? Was it something I said?"},
  {141, "NAME&TELL",                                                       "",          Plus(15),  {"My name is ", TheBotName, "."}},
  {142, "HOW OLD&TELL",                                                    "",          {},        "I don't want to say."},
  {143, "DOING&TELL|UPTO&TELL",                                            "",          {},        "I don't want to say."},
  // The name block adds its own candidates, with GETNAME or CHNGNAME, and = 20 on the first.
  {144, "NAME&YOUR&!WHAT",                                                 "",          {},        AnswerNameBlock},
};
// clang-format on

consteval bool NumberedInOrder() {
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    if (kRules[i].Number != static_cast<int>(i + 1)) return false;
  }
  return true;
}
static_assert(NumberedInOrder(), "a rule is missing or out of order");

constexpr std::string_view kGreetingRequest = "-GETGREET-";

// Every literal key: the greeting request's, then the rules' in the order of
// first use, each once. They are all looked for in one pass over the sentence.
struct Keys {
  std::array<std::string_view, KeyHits::kMaxKeys> Texts{};
  std::size_t Count = 0;

  constexpr std::span<const std::string_view> All() const { return {Texts.data(), Count}; }

  consteval void Gather(std::string_view key) {
    for (std::size_t i = 0; i < Count; ++i) {
      if (Texts[i] == key) return;
    }
    if (Count == Texts.size()) throw "too many keys for one search";
    Texts[Count++] = key;
  }
};

consteval Keys GatherKeys() {
  Keys keys;
  keys.Gather(kGreetingRequest);
  for (const Rule& rule : kRules) {
    for (const auto& term : rule.When.Keys.Terms()) keys.Gather(term.Key);
  }
  return keys;
}
constexpr Keys kKeys = GatherKeys();
constexpr std::size_t kGreetingKey = 0;  // gathered first

// A set of rules, by their place in kRules, read in that order.
class RuleSet {
 public:
  constexpr void Add(std::size_t rule) { words_[rule / 64] |= std::uint64_t{1} << (rule % 64); }
  constexpr void Add(const RuleSet& other) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
  }

  // Calls f(rule) for every rule of the set, in table order.
  template <typename F>
  void ForEach(F f) const {
    ForEachSetBit(words_, f);
  }

 private:
  std::array<std::uint64_t, (std::size(kRules) + 63) / 64> words_{};
};

// The rules as run: each key of a test carries its number in kKeys, so that
// testing it is testing one bit of the search's hits. Most keys are absent
// from a sentence, so only the rules whose needed keys (see KeysNeeded) it
// holds are tested, besides those that may hold without any key.
struct CompiledRules {
  std::array<Rule, std::size(kRules)> Rules;
  std::array<RuleSet, KeyHits::kMaxKeys> UsingKey{};
  RuleSet AlwaysTested{};
};

using Term = KeywordTest::Term;

// The keys that a test needs: for each of its alternatives, the longest (and
// so likely the rarest) of its keys that are not negated. The test holds only
// when the sentence holds one of them. None when an alternative has no such
// key, since the test may then hold whatever the sentence holds.
struct NeededKeys {
  std::array<std::uint16_t, kMaxKeysPerTest> Numbers{};
  std::size_t Count = 0;
};

consteval NeededKeys KeysNeeded(std::span<const Term> terms) {
  NeededKeys needed;
  const Term* best = nullptr;
  for (std::size_t i = 0; i <= terms.size(); ++i) {
    if (i == terms.size() || terms[i].StartsAlternative) {
      if (i > 0 && best == nullptr) return {};  // an alternative without a key
      if (best != nullptr) needed.Numbers[needed.Count++] = best->Number;
      best = nullptr;
      if (i == terms.size()) break;
    }
    const Term& term = terms[i];
    if (!term.Negated && (best == nullptr || term.Key.size() > best->Key.size())) best = &term;
  }
  return needed;
}

consteval CompiledRules Compile() {
  CompiledRules compiled{std::to_array(kRules)};
  for (std::size_t i = 0; i < compiled.Rules.size(); ++i) {
    KeywordTest& keys = compiled.Rules[i].When.Keys;
    keys.NumberKeys(kKeys.All());
    const NeededKeys needed = KeysNeeded(keys.Terms());
    if (needed.Count == 0) compiled.AlwaysTested.Add(i);
    for (std::size_t k = 0; k < needed.Count; ++k) compiled.UsingKey[needed.Numbers[k]].Add(i);
  }
  return compiled;
}
constexpr CompiledRules kCompiled = Compile();

const KeySearch& SearchForKeys() {
  static const KeySearch search(kKeys.All());
  return search;
}

bool Holds(const Rule& rule, const KeyHits& hits, const TurnContext& turn,
           std::string_view working) {
  const bool keysHold =
      rule.When.Keys.Holds([&hits](const auto& term) { return hits.Has(term.Number); });
  return keysHold && (rule.When.Helper == nullptr || rule.When.Helper(turn, working));
}

void Say(TurnContext& turn, const Rule& rule, std::string_view working) {
  const Reply& said = rule.Said;
  if (said.Own != nullptr) return said.Own(turn, working);
  // Most replies are fixed text alone, passed on without a copy.
  if (said.Made == nullptr) return turn.AddCandidate(said.Before, rule.Code, rule.Change);
  std::string reply(said.Before);
  reply += said.Made(turn);
  reply += said.After;
  turn.AddCandidate(reply, rule.Code, rule.Change);
}

}  // namespace

void AnswerKeywords(TurnContext& turn, const std::string& sentence) {
  // Blanks on both sides let a key such as " HI" or "NO " match at either end.
  const WorkingText workingText(sentence);
  const std::string_view working = workingText.Text();
  ConversationState& state = turn.State();
  const KeyHits hits = SearchForKeys().Find(working);

  if (hits.Has(kGreetingKey)) {
    turn.AddCandidate(PickGreeting(turn), {}, Plus(100));
    return;
  }
  if (working == " EXIT ") {  // the sentence, trimmed, is EXIT
    turn.RequestEnd();
    return;
  }

  RuleSet tested = kCompiled.AlwaysTested;
  hits.ForEach([&tested](std::size_t key) { tested.Add(kCompiled.UsingKey[key]); });
  tested.ForEach([&](std::size_t i) {
    const Rule& rule = kCompiled.Rules[i];
    if (Holds(rule, hits, turn, working)) Say(turn, rule, working);
  });

  if (working.size() > 100) turn.AddCandidate("Hang on, that was too much for me.");

  // One-word (or empty) sentences are remembered for the repeat rule.
  // The working text holds the trimmed sentence between its two blanks.
  if (Contains(working.substr(1, working.size() - 2), " ")) {
    state.RepeatWord.clear();
  } else {
    state.RepeatWord.assign(working);
  }
}

}  // namespace velk
