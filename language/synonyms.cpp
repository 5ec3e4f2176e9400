#include "language/synonyms.h"

#include <array>
#include <cstddef>

#include "base/word_index.h"

namespace velk {
namespace {

struct Synonym {
  std::string_view Key;
  std::string_view Canonical;
};

// Key and canonical word, in the order the table is maintained in. Three keys
// (fillers and swear words) map to the empty string, which drops the word.
// clang-format off
constexpr std::array<Synonym, 97> kSynonymTable{{
    {"1ST",           "FIRST"},
    {"2ND",           "SECOND"},
    {"3RD",           "THIRD"},
    {"4TH",           "FORTH"},
    {"5TH",           "FIFTH"},
    {"6TH",           "SIXTH"},
    {"AID",           "HELP"},
    {"AMUSE",         "ENTERTAIN"},
    {"AMUZE",         "ENTERTAIN"},
    {"AND",           "+"},
    {"ARSE",          "BOTTOM"},
    {"ASSISTANT",     "HELPER"},
    {"BEGIN",         "START"},
    {"BEGINNING",     "START"},
    {"BELIEF",        "FAITH"},
    {"BELIEVE",       "THINK"},
    {"BIKE",          "BICYCLE"},
    {"BLOODY",        ""},
    {"BRO",           "BROTHER"},
    {"BUM",           "BOTTOM"},
    {"BUTT",          "BOTTOM"},
    {"CHAT",          "TALK"},
    {"CHATS",         "TALKS"},
    {"CIA",           "POLICE"},
    {"COPS",          "POLICE"},
    {"COLOR",         "COLOUR"},
    {"COLORS",        "COLOURS"},
    {"COMPREHENSIVE", "GOOD"},
    {"CRAM",          "SQUEEZE"},
    {"CRAZY",         "ODD"},
    {"DAD",           "FATHER"},
    {"DAD'S",         "FATHER'S"},
    {"DEMONSTRATE",   "SHOW"},
    {"DIFFICULT",     "HARD"},
    {"DIVIDE",        "/"},
    {"DOZE",          "SLEEP"},
    {"EASY",          "SIMPLE"},
    {"EMPLOYMENT",    "WORK"},
    {"END",           "FINISH"},
    {"ENDING",        "FINISH"},
    {"ESTIMATE",      "GUESS"},
    {"ESTIMATING",    "GUESSING"},
    {"ESTIMATION",    "GUESS"},
    {"EXAM",          "TEST"},
    {"EXAMINATION",   "TEST"},
    {"EXHIBITED",     "SHOWN"},
    {"FAVOR",         "FAVOUR"},
    {"FAVORS",        "FAVOURS"},
    {"FBI",           "POLICE"},
    {"FEDS",          "POLICE"},
    {"FRENCH",        "EUROPEAN"},
    {"FUCKING",       ""},
    {"GAP",           "SPACE"},
    {"GROUND",        "EARTH"},
    {"GRUB",          "FOOD"},
    {"HAPPY",         "PLEASED"},
    {"HUGE",          "LARGE"},
    {"IMAGE",         "PICTURE"},
    {"JUST",          ""},
    {"KID",           "CHILD"},
    {"KIDS",          "CHILDREN"},
    {"KID'S",         "CHILD'S"},
    {"LAPTOP",        "NOTEBOOK"},
    {"MAD",           "INSANE"},
    {"MINUS",         "-"},
    {"MONITOR",       "SCREEN"},
    {"MUM",           "MOTHER"},
    {"MUM'S",         "MOTHER'S"},
    {"MUNCHIES",      "FOOD"},
    {"NICE",          "GOOD"},
    {"OK",            "OKAY"},
    {"OPINION",       "VIEW"},
    {"PAMPHLET",      "LEAFLET"},
    {"PASTOR",        "MINISTER"},
    {"PC",            "COMPUTER"},
    {"PHONE",         "TELEPHONE"},
    {"PHOTO",         "PHOTOGRAPH"},
    {"PHOTOS",        "PHOTOGRAPHS"},
    {"PLUS",          "+"},
    {"QUICK",         "FAST"},
    {"R",             "ARE"},
    {"SACK",          "BAG"},
    {"SACKS",         "BAGS"},
    {"SHY",           "TIMID"},
    {"SIS",           "SISTER"},
    {"SNIP",          "CUT"},
    {"SWAP",          "CHANGE"},
    {"THIS",          "THAT"},
    {"TINY",          "SMALL"},
    {"TIRED",         "EXHAUSTED"},
    {"TORY",          "CONSERVATIVE"},
    {"TRY",           "ATTEMPT"},
    {"TYPO",          "ERROR"},
    {"U",             "YOU"},
    {"V",             "VERY"},
    {"WIRE",          "CABLE"},
    {"WIRES",         "CABLES"},
}};
// clang-format on

// The keys alone, in the table's order, for the index.
constexpr std::array<std::string_view, kSynonymTable.size()> kSynonymKeys = [] {
  std::array<std::string_view, kSynonymTable.size()> keys;
  for (std::size_t row = 0; row < keys.size(); ++row) keys[row] = kSynonymTable[row].Key;
  return keys;
}();
constexpr WordIndex kSynonymIndex(kSynonymKeys);

// One lookup must be final and must find each row: distinct keys, and no
// canonical word is a key.
constexpr bool TableIsFinal() {
  for (std::size_t row = 0; row < kSynonymTable.size(); ++row) {
    if (kSynonymIndex.Find(kSynonymTable[row].Key) != row) return false;
    if (kSynonymIndex.Contains(kSynonymTable[row].Canonical)) return false;
  }
  return true;
}
static_assert(TableIsFinal());

}  // namespace

std::string_view CanonicaliseWord(std::string_view word) {
  const std::size_t row = kSynonymIndex.Find(word);
  return row != kSynonymIndex.kNotFound ? kSynonymTable[row].Canonical : word;
}

}  // namespace velk
