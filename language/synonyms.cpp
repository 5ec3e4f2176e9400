#include "language/synonyms.h"

#include <algorithm>
#include <array>

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

constexpr bool KeyBefore(const Synonym& a, const Synonym& b) { return a.Key < b.Key; }

// The same rows sorted by key, for a binary search per word.
constexpr std::array<Synonym, kSynonymTable.size()> kSortedSynonyms = [] {
  std::array<Synonym, kSynonymTable.size()> sorted = kSynonymTable;
  std::sort(sorted.begin(), sorted.end(), KeyBefore);
  return sorted;
}();

constexpr const Synonym* FindSynonym(std::string_view word) {
  const auto* it = std::lower_bound(kSortedSynonyms.begin(), kSortedSynonyms.end(),
                                    Synonym{word, {}}, KeyBefore);
  return it != kSortedSynonyms.end() && it->Key == word ? it : nullptr;
}

// One lookup must be final: distinct keys, and no canonical word is a key.
constexpr bool TableIsFinal() {
  for (std::size_t i = 1; i < kSortedSynonyms.size(); ++i) {
    if (kSortedSynonyms[i - 1].Key == kSortedSynonyms[i].Key) return false;
  }
  for (const Synonym& row : kSynonymTable) {
    if (FindSynonym(row.Canonical) != nullptr) return false;
  }
  return true;
}
static_assert(TableIsFinal());

}  // namespace

std::string CanonicaliseWord(std::string_view word) {
  const Synonym* row = FindSynonym(word);
  return std::string(row != nullptr ? row->Canonical : word);
}

}  // namespace velk
