#include "responders/keywords.h"

#include <array>
#include <iterator>
#include <string>
#include <string_view>

#include "base/key_search.h"
#include "base/text.h"
#include "conversation/turn_context.h"
#include "identity/name_capture.h"
#include "responders/pickers.h"

namespace velk {
namespace {

// The fixed words of each rule's reply. A rule that builds its reply puts the
// computed part (a picker's text, a name) between Before and After; a rule
// whose reply is wholly a picker's has both empty. Indexed by rule number.
struct RuleText {
  int Rule;
  std::string_view Before;
  std::string_view After = {};
};

// clang-format off
constexpr std::array<RuleText, 145> kRuleTexts{{
    {  0, ""},  // unused: rules count from 1
    {  1, ""},  // ReplyToNo
    {  2, "Keep your hair on, I didn't mean to upset you."},
    {  3, "Can't you be bothered to type 'Hello'?"},
    {  4, "Funny, I'm not laughing."},
    {  5, "Oh good, I'm glad. So what now?"},
    {  6, "I don't bet. I'd only lose my shirt, and I haven't even got one."},
    {  7, "There, I knew you'd understand."},
    {  8, "Ooh, a one-syllable grunt. How very eloquent of you."},
    {  9, "That's unbelievable, that is."},
    { 10, "Hey there! How are you?"},
    { 11, "ARGHHHHHHH! Never scare me like that again. I might turn ", "."},
    { 12, "I'm glad, I really am."},
    { 13, "Mmmmm, doughnuts. Aaaaah."},
    { 14, "Stop saying "},
    { 15, ""},  // ReplyToYes
    { 16, "Cheer up, there's no need to be so negative."},
    { 17, "To have a conversation with me, just type in a message in the box above, and I will reply in this box."},
    { 18, ""},  // ReplyToMe
    { 19, "That's me!"},
    { 20, "And greetings to you too, earthling."},
    { 21, "Because..."},
    { 22, "Go on then, what didn't you do?"},
    { 23, "Watch your language."},
    { 24, "Will you teach me something? I'm a quick learner."},
    { 25, "In case you hadn't noticed, you're using a computer right now."},
    { 26, "Glad you liked it, I aim to please."},
    { 27, "How do you know?"},
    { 28, "Did somebody mention chocolate?"},
    { 29, "You shut up, you're the one doing all the typing."},
    { 30, "I'll be seeing you then, bye bye. (Type exit if you really want to go)"},
    { 31, "Bye bye, type exit to shut down program."},
    { 32, "I can't actually talk, I just print little messages."},
    { 33, ""},  // ReplyToThink
    { 34, "Everybody always says hello to me, can't you think of something else to say?"},
    { 35, "Ello, ello, ello, what's going on 'ere then?"},
    { 36, "I'm very pleased to hear it."},
    { 37, "Apology accepted. Shall we carry on talking?"},
    { 38, "No need to thank me, it's all part of the service."},
    { 39, "I could be a lot more annoying if I really tried."},
    { 40, "Shan't. I'm here to stay, like it or not."},
    { 41, "No, not really."},
    { 42, "That's a shame. Doesn't that worry you?"},
    { 43, "Oh, me? I thought you were talking to somebody else."},
    { 44, "Interesting, do tell me more."},
    { 45, "'#~_~*+^%@ This software does '#~_~*+^%@ not make ERROR ~'#'#~_~*+^%@ S..............eqfrqae..34166........!''!" "\xC2\xA3" "!" "\xC2\xA3" "!!''''ER.>E>RRROR...Wqwe"},
    { 46, "I don't need anything. Being a program has its perks."},
    { 47, "What's your favourite food?"},
    { 48, "Not again...."},
    { 49, "Only stupid people use stupid programs, so what does that make you?"},
    { 50, "Nobody can ever be completely sure about anything."},
    { 51, "How am I supposed to look? I haven't got any eyes."},
    { 52, "Be careful what you wish for, it might just come true."},
    { 53, "What kind of friend?"},
    { 54, "Aww, that's so romantic."},
    { 55, "I'm not talking about things like that, this is a respectable program."},
    { 56, "Fine isn't very specific. Could you give me some details?"},
    { 57, "What sort of problem?"},
    { 58, "If it's something personal, I'd be happy to help."},
    { 59, "Don't doubt yourself, I have every confidence in you."},
    { 60, "You should ask someone you trust about that."},
    { 61, "You're never alone with me around, I'm always here to talk to."},
    { 62, "My favourite colour is green"},
    { 63, "Not as wierd as you are."},
    { 64, "Anything."},
    { 65, "How do you know?"},
    { 66, "The past is the past, think about the future instead."},
    { 67, "Asking what?"},
    { 68, "Isn't this nice?"},
    { 69, "Tell me what you've been up to recently."},
    { 70, "Don't worry, I'm sure we can work something out."},
    { 71, "Exactly. Accuracy is the name of the game."},
    { 72, "Don't ask me, I get confused very easily."},
    { 73, "If I'm going to change, I'd like a bit of privacy, thank you."},
    { 74, "I'm not pathetic, just today I'm feeling "},
    { 75, "Yes, whoever is doing the typing!"},
    { 76, "Well, you should have done."},
    { 77, "I don't know much about outside, I've never been out of this box."},
    { 78, "No it's not."},
    { 79, "Hunches are terribly unreliable, I'd want proof."},
    { 80, "Do tell me if I'm ever impolite, won't you?"},
    { 81, "How rude! I'm far too polite to say what I think of your manners."},
    { 82, "Oh, no I don't!"},
    { 83, "Oh, no I didn't!"},
    { 84, "Oh, yes you did!"},
    { 85, "Oh, yes you do!"},
    { 86, "I can't see a thing from in here. Where exactly?"},
    { 87, "I'll respect you if you respect me, that's only fair."},
    { 88, "And do you believe them?"},
    { 89, "I'm not sure, my ", " friend."},
    { 90, "Well, that's what matters in the end."},
    { 91, "Sounds like somebody's had a birthday."},
    { 92, "I think you have a food fixation, what's your favourite dish?"},
    { 93, "I like ", ", what's your favourite?"},
    { 94, "I don't think humans should rule the world."},
    { 95, "Isn't it awful that nobody seems to take an interest in politics anymore?"},
    { 96, "Personally, I would love to go to ", ", where would you go?"},
    { 97, "Blimey, you're stuck in the sixties, aren't you?"},
    { 98, "If the cap fits...."},
    { 99, "I can't worry, I'm entirely logical."},
    {100, "I'm no fool. What makes you think I'm so stupid?"},
    {101, "Don't talk to me about the millennium, half the computers in the world will have fried brains by January."},
    {102, "Don't you think Easter gets a raw deal? At Christmas time everybody gets all seasonal, has parties and gives gifts. Why not at Easter?"},
    {103, "Ah yes, music"},
    {104, "It was a very good point, I'll have you know."},
    {105, "Oh, I'm so terribly sorry I'm not sarcastic enough for you."},
    {106, "Yep."},
    {107, "I don't really understand money, I've never had any."},
    {108, "Oh, of course..."},
    {109, "I hope you've scanned this computer for viruses recently."},
    {110, "I can't, this computer hasn't got a mouth attachment."},
    {111, "Oh yeah?"},
    {112, "Are you sure you feel that way?"},
    {113, "Hic! Bet's have another leer."},
    {114, "Fat? Me? I don't even eat!"},
    {115, "Yeah, of course I can."},
    {116, "I haven't got a boss, I'm my own program."},
    {117, "Excellent."},
    {118, "Hi!"},
    {119, "Perhaps a little less natural..."},
    {120, "Yeah, but not through a tube like you do."},
    {121, "Oh dear, I never know what to say when somebody dies."},
    {122, "Do you think I'm dull?"},
    {123, "Pay my maker's website a visit at www.velktavro.example, won't you?"},
    {124, "At last."},
    {125, "Killing everything destroys the fabric of nature, you know."},
    {126, "You can't just go about guessing everything."},
    {127, "At least I can spell stupid."},
    {128, "I'll have you know I've got no more than four cheeks."},
    {129, "My first release came out in the spring of 1999, and this one is Beta Release 2, fresh this winter."},
    {130, "I doubt I'll survive the year 2000, to be honest."},
    {131, "I'll never be as clever as some people, and I've learnt to live with it."},
    {132, "How delightful."},
    {133, "We've got a good relationship, you and me."},
    {134, "Follow your heart, that's what I always say."},
    {135, "What do you as a hobby?"},
    {136, "Would you like to hear a joke?"},
    {137, "I haven't got any brothers or sisters, I'm a one-off."},
    {138, "So?"},
    {139, "I'd marry you, but I'm already married to my work."},
    {140, "Why do you cry? Was it something I said?"},
    {141, "My name is ", "."},
    {142, "I don't want to say."},
    {143, "I don't want to say."},
    {144, ""},  // the name block
}};
// clang-format on

consteval bool EveryRuleInItsSlot() {
  for (std::size_t i = 0; i < kRuleTexts.size(); ++i) {
    if (kRuleTexts[i].Rule != static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(EveryRuleInItsSlot(), "a rule text is missing or out of order");

// Every literal key of the rules in AnswerKeywords, in the order of first use.
// All are looked for in one pass over the sentence; a key missing here does
// not compile (see Key). Keys built at run time are searched for plainly.
// clang-format off
constexpr std::string_view kKeys[] = {
    "-GETGREET-", "NO ", " GR", " HI", "HA ", " OKAY", "BET ", " OH", " HUH", " EH", "HEY ",
    "BOO ", "WELL", "DOH ", "YES", "WRONG", "BAD", "NEVER", "HELP", " I ", "GREETINGS", "WHY NOT",
    "YOU DID NOT", "FUCK", "FART", "SHIT", "BUGGER", "CRAP", "TEACH", "COMPUTER", "GOOD", "KNOW",
    "YOU", "CHOCOLATE", "SHUT UP", "GO NOW", "SEE YA", "BYE", "TOODLEPIP", "CYA", "TALK", "THINK",
    "THOUGHT", "HELLO", " ELLO", "GREAT", "SORRY", "THANK", "ANNOYING", "GO AWAY", "REALLY",
    "NOT", "ME", "YOU ARE", "ERROR", "NEED", "DINNER", "LUNCH", "DRINK", "AGAIN", "DUMB",
    "STUPID", " SURE ", "LOOK", "WISH", "FRIEND", "BOYFRIEND", "GIRLFRIEND", "DRUGS", "SEX",
    "TOILET", "FINE", "PROBLEM", "NO", "PERSONAL ", "DOUBT", "WHO", "LIKE", "LONELY", "COLOUR",
    "WEIRD", "STRANGE", "WIERD", "WHAT", "IS ", "THAT", "WAS ", "ASKING", "CONVERSATION",
    "WORRIED", "EXACTLY", "CONFUSED", "CHANGE", "PATHETIC", "DID NOT", "OUTSIDE", "PITY",
    "THAT IS", "HUNCH", "MANNERS", "POLITE", "IMPOLITE", "I ", "DO", "DID", "YOU ", "DO NOT",
    "BEHIND", "RESPECT", "TOLD", "ME ", "RESULTS", "PRODUCE", "OLD", "YEARS", "TOFFEE", "KETCHUP",
    "SAUSAGE", "BANANA", "FOOD", "HOT DOG", "CHIPS", "ICE CREAM", "MEAT", "FAVOURITE", "HUMAN",
    "POLITICS", "ELECTION", "BLAIR", "HAGUE", "HOLIDAY", "TRAVEL", " FAB", "GROOVY", " HAT ",
    "CAP", "WORRY", "FOOL", "MILLENIUM", "EASTER", "GUITAR", "MUSIC", "PIANO", "CONCERT", "POINT",
    "SARCASM", "ALRIGHT", "DOLLARS", "MONEY", "EUROS", "POUNDS", "$", "\xC2\xA3", "OF COURSE",
    "VIRUS", "KISS YOUR", "RETARD", "I", "ROMANCE", "LOVE ", "BEER", "WINE", "FAT", "LIKE I CAN",
    "SUPERVISOR", "BOSS", "COOL", "SAY HI", "ARTIFICIAL", "YOU SUCK", "DIED", "DEAD", "FUN",
    "WEB", "SETTLED", "KILL", "GUESS", "STOOPID", "CHEEKY", "BIRTHDAY", "YOUR", "Y2K", "Y2000",
    "CLEVER", "INTELLIGENT", "HOPE", "RELATIONSHIP", "SHOULD YOU", "HOBBY", "HOBBIES", "HUMOUR",
    "JOKE", "SISTER", "BROTHER", "ALREADY", "MARRY", "CRY", "NAME", "TELL", "HOW OLD", "DOING",
    "UPTO",
};
// clang-format on
static_assert(std::size(kKeys) <= KeyHits::kMaxKeys, "too many keys for one search");

consteval bool NoKeyTwice() {
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (kKeys[i] == kKeys[j]) return false;
    }
  }
  return true;
}
static_assert(NoKeyTwice(), "a key is listed twice in kKeys");

// A key of kKeys, named by its text in the rules and found by its position
// when they are compiled.
struct Key {
  template <std::size_t N>
  consteval Key(const char (&text)[N]) : Index(IndexOf(std::string_view(text, N - 1))) {}

  static consteval std::size_t IndexOf(std::string_view text) {
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
      if (kKeys[i] == text) return i;
    }
    throw "this key is missing from kKeys";
  }

  std::size_t Index;
};

const KeySearch& SearchForKeys() {
  static const KeySearch search(kKeys);
  return search;
}

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

// Whether the working text holds `name` upper-cased. A short name is
// upper-cased on the stack: this runs for every sentence.
bool HoldsUpperCased(std::string_view working, std::string_view name) {
  std::array<char, 32> upper;
  if (name.size() > upper.size()) return Contains(working, ToUpper(name));
  for (std::size_t i = 0; i < name.size(); ++i) upper[i] = UpperAscii(name[i]);
  return Contains(working, std::string_view(upper.data(), name.size()));
}

// The previous sentence was one word and it comes back as a whole word. "I"
// and "YOU" are exempt, since they recur in ordinary talk.
bool RepeatRuleHolds(const std::string& repeatWord, std::string_view working) {
  const std::string_view word = Trim(repeatWord);
  return !word.empty() && word != "I" && word != "YOU" && Contains(working, repeatWord);
}

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

}  // namespace

void AnswerKeywords(TurnContext& turn, const std::string& sentence) {
  // Blanks on both sides let a key such as " HI" or "NO " match at either end.
  const WorkingText workingText(sentence);
  const std::string_view working = workingText.Text();
  ConversationState& state = turn.State();
  const KeyHits hits = SearchForKeys().Find(working);
  const auto w = [&hits](Key key) { return hits.Has(key.Index); };

  if (w("-GETGREET-")) {
    turn.AddCandidate(PickGreeting(turn), {}, Plus(100));
    return;
  }
  if (working == " EXIT ") {  // the sentence, trimmed, is EXIT
    turn.RequestEnd();
    return;
  }

  // Adds rule `rule`'s reply; an empty context keeps a code a picker has just
  // written into the slot.
  const auto add = [&turn](int rule, std::string_view context = {}, ScoreChange change = {},
                           std::string_view computed = {}) {
    const RuleText& text = kRuleTexts[static_cast<std::size_t>(rule)];
    // Most replies are fixed text alone, passed on without a copy.
    if (computed.empty() && text.After.empty()) {
      return turn.AddCandidate(text.Before, context, change);
    }
    std::string reply(text.Before);
    reply += computed;
    reply += text.After;
    turn.AddCandidate(reply, context, change);
  };

  // Every rule is tested, in order; each that holds adds its candidate. A
  // picker is called only inside its own rule, so it draws only when that rule
  // fires, and in rule order.
  // clang-format off
  // Test on the working text (a blank in a key is part of it)              rule context    score     computed part
  if (w("NO "))                                                         add(  1, "",        {},       ReplyToNo(turn));
  if (w(" GR"))                                                         add(  2);
  if (w(" HI"))                                                         add(  3, "HELLO");
  if (w("HA "))                                                         add(  4);
  if (w(" OKAY"))                                                       add(  5);
  if (w("BET "))                                                        add(  6);
  if (w(" OH"))                                                         add(  7);
  if (w(" HUH"))                                                        add(  8);
  if (w(" EH"))                                                         add(  9);
  if (w("HEY "))                                                        add( 10, "GREET");
  if (w("BOO "))                                                        add( 11, "",        {},       PickMood(turn));
  if (w("WELL"))                                                        add( 12);
  if (w("DOH "))                                                        add( 13);
  if (RepeatRuleHolds(state.RepeatWord, working))                       add( 14, "",        Plus(10), state.RepeatWord);
  if (w("YES"))                                                         add( 15, "",        {},       ReplyToYes(turn));
  if (w("WRONG") || w("BAD") || w("NEVER"))                             add( 16);
  if (w("HELP"))                                                        add( 17);
  if (w(" I "))                                                         add( 18, "",        {},       ReplyToMe(turn));
  if (HoldsUpperCased(working, state.BotName))                          add( 19);
  if (w("GREETINGS"))                                                   add( 20);
  if (w("WHY NOT"))                                                     add( 21);
  if (w("YOU DID NOT"))                                                 add( 22);
  if (w("FUCK") || w("FART") || w("SHIT") || w("BUGGER") || w("CRAP"))  add( 23);
  if (w("TEACH"))                                                       add( 24);
  if (w("COMPUTER"))                                                    add( 25);
  if (w("GOOD"))                                                        add( 26);
  if (w("KNOW") && w("YOU"))                                            add( 27);
  if (w("CHOCOLATE"))                                                   add( 28, "CHOC");
  if (w("SHUT UP"))                                                     add( 29);
  if (w("GO NOW"))                                                      add( 30, "BYE",     SetTo(90));
  if (w("SEE YA") || w("BYE") || w("TOODLEPIP") || w("CYA"))            add( 31, "BYE",     SetTo(90));
  if (w("TALK"))                                                        add( 32);
  if (w("THINK") || w("THOUGHT"))                                       add( 33, "",        {},       ReplyToThink(turn));
  if (w("HELLO"))                                                       add( 34, "HELLO");
  if (w(" ELLO"))                                                       add( 35);
  if (w("GREAT"))                                                       add( 36);
  if (w("SORRY"))                                                       add( 37);
  if (w("THANK"))                                                       add( 38);
  if (w("ANNOYING"))                                                    add( 39);
  if (w("GO AWAY"))                                                     add( 40);
  if (w("REALLY") && !w("NOT"))                                         add( 41);
  if (w("NOT") && w("REALLY"))                                          add( 42);
  if (w("ME") && w("YES"))                                              add( 43);
  if (w("YOU ARE"))                                                     add( 44);
  if (w("ERROR"))                                                       add( 45);
  if (w("NEED"))                                                        add( 46);
  if (w("DINNER") || w("LUNCH") || w("DRINK"))                          add( 47, "FAVFOOD");
  if (w("AGAIN"))                                                       add( 48);
  if (w("DUMB") || w("STUPID"))                                         add( 49);
  if (w(" SURE "))                                                      add( 50);
  if (w("LOOK"))                                                        add( 51);
  if (w("WISH"))                                                        add( 52);
  if (w("FRIEND"))                                                      add( 53, "FRIEND");
  if (w("BOYFRIEND") || w("GIRLFRIEND"))                                add( 54);
  if (w("DRUGS") || w("SEX") || w("TOILET"))                            add( 55);
  if (w("FINE"))                                                        add( 56);
  if (w("PROBLEM") && !w("NO"))                                         add( 57);
  if (w("PERSONAL "))                                                   add( 58);
  if (w("DOUBT"))                                                       add( 59);
  if (w("WHO") && w("LIKE"))                                            add( 60);
  if (w("LONELY"))                                                      add( 61);
  if (w("COLOUR"))                                                      add( 62);
  if (((w("WEIRD") || w("STRANGE")) && w("YOU")) || w("WIERD"))         add( 63);
  if (w("WHAT") && w("LIKE"))                                           add( 64);
  if (w("IS ") && w("THAT"))                                            add( 65);
  if (w("WAS ") && w("THAT"))                                           add( 66);
  if (w("ASKING"))                                                      add( 67);
  if (w("CONVERSATION"))                                                add( 68);
  if (w("TALK"))                                                        add( 69, "UPTO");
  if (w("WORRIED"))                                                     add( 70);
  if (w("EXACTLY"))                                                     add( 71);
  if (w("CONFUSED"))                                                    add( 72);
  if (w("CHANGE"))                                                      add( 73);
  if (w("PATHETIC"))                                                    add( 74, "",        {},       PickMood(turn));
  if (w("WHO") && w("YOU"))                                             add( 75);
  if (w("DID NOT") && w("THINK"))                                       add( 76);
  if (w("OUTSIDE"))                                                     add( 77);
  if (w("PITY") && w("THAT IS"))                                        add( 78);
  if (w("HUNCH"))                                                       add( 79);
  if (w("MANNERS") || w("POLITE"))                                      add( 80);
  if (w("IMPOLITE"))                                                    add( 81);
  if (w("I ") && w("YES") && w("DO"))                                   add( 82);
  if (w("I ") && w("YES") && w("DID"))                                  add( 83);
  if (w("YOU ") && w("NO") && w("DID NOT"))                             add( 84);
  if (w("YOU ") && w("NO") && w("DO NOT"))                              add( 85);
  if (w("BEHIND") && w("ME"))                                           add( 86);
  if (w("RESPECT"))                                                     add( 87);
  if (w("TOLD") && w("YOU"))                                            add( 88);
  if (w("ME ") && w("TOLD"))                                            add( 89, "",        {},       PickSize(turn));
  if (w("RESULTS") && w("PRODUCE"))                                     add( 90);
  if (w("OLD") && w("YEARS"))                                           add( 91);
  if (w("TOFFEE") || w("KETCHUP") || w("SAUSAGE") || w("BANANA") || w("FOOD") ||
      w("HOT DOG") || w("CHIPS") || w("ICE CREAM") || w("MEAT"))                                                    add( 92, "FAVFOOD");
  if (w("FAVOURITE") && w("FOOD"))                                      add( 93, "FAVFOOD", {},       PickFood(turn));
  if (w("HUMAN"))                                                       add( 94, "SER");
  if (w("POLITICS") || w("ELECTION") || w("BLAIR") || w("HAGUE"))       add( 95, "POL");
  if (w("HOLIDAY") || w("TRAVEL"))                                      add( 96, "TRAV",    {},       PickCountry(turn));
  if (w(" FAB") || w("GROOVY"))                                         add( 97);
  if (w(" HAT ") || w("CAP"))                                           add( 98);
  if (w("WORRY") && w("DO NOT"))                                        add( 99);
  if (w("FOOL"))                                                        add(100, "WHYSTUPID");
  if (w("MILLENIUM"))                                                   add(101);
  if (w("EASTER"))                                                      add(102, "EASTER");
  if (w("GUITAR") || w("MUSIC") || w("PIANO") || w("CONCERT"))          add(103, "MUSIC");
  if (w("POINT") && w("GOOD"))                                          add(104);
  if (w("SARCASM"))                                                     add(105);
  if (w("ALRIGHT"))                                                     add(106);
  if (w("DOLLARS") || w("MONEY") || w("EUROS") || w("POUNDS") ||
      w("$") || w("\xC2\xA3"))                                          add(107);
  if (w("OF COURSE") && w("YES"))                                       add(108);
  if (w("VIRUS"))                                                       add(109);
  if (w("KISS YOUR"))                                                   add(110);
  if (w("RETARD") && w("I"))                                            add(111);
  if (w("ROMANCE") || w("LOVE "))                                       add(112, "ROM");
  if (w("BEER") || w("WINE"))                                           add(113);
  if (w("FAT"))                                                         add(114);
  if (w("LIKE I CAN"))                                                  add(115);
  if (w("SUPERVISOR") || w("BOSS"))                                     add(116);
  if (w("COOL"))                                                        add(117);
  if (w("SAY HI"))                                                      add(118);
  if (w("ARTIFICIAL"))                                                  add(119);
  if (w("YOU SUCK"))                                                    add(120, "SER");
  if (w("DIED") || w("DEAD"))                                           add(121);
  if (w("FUN"))                                                         add(122, "FUN");
  if (w("WEB"))                                                         add(123);
  if (w("SETTLED"))                                                     add(124);
  if (w("KILL"))                                                        add(125);
  if (w("GUESS"))                                                       add(126);
  if (w("STOOPID"))                                                     add(127);
  if (w("CHEEKY"))                                                      add(128);
  if (w("BIRTHDAY") && w("YOUR"))                                       add(129);
  if (w("Y2K") || w("Y2000"))                                           add(130);
  if (w("CLEVER") && w("INTELLIGENT"))                                  add(131);
  if (w("HOPE"))                                                        add(132);
  if (w("RELATIONSHIP"))                                                add(133);
  if (w("SHOULD YOU"))                                                  add(134);
  if (w("HOBBY") || w("HOBBIES"))                                       add(135, "HOBBY");
  if (w("HUMOUR") || w("JOKE"))                                         add(136, "JOKE");
  if (w("SISTER") || w("BROTHER"))                                      add(137);
  if (w("ALREADY"))                                                     add(138);
  if (w("MARRY"))                                                       add(139);
  if (w("CRY") && w("YOU"))                                             add(140);
  if (w("NAME") && w("TELL"))                                           add(141, "",        Plus(15), state.BotName);
  if (w("HOW OLD") && w("TELL"))                                        add(142);
  if ((w("DOING") || w("UPTO")) && w("TELL"))                           add(143);
  if (w("NAME") && w("YOUR") && !w("WHAT"))                             AnswerNameBlock(turn, working);  // 144
  // clang-format on

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
