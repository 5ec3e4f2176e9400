#include "identity/first_names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

#include "base/text.h"

namespace velk {
namespace {

// Each group is kept in alphabetical order, which lets the checks below find
// duplicates and names in two groups.
// clang-format off
constexpr std::array<std::string_view, 229> kMale = {
    "AARON", "ABRAHAM", "ADAM", "ADOLF", "ADRIAN", "ALAN", "ALBERT", "ALEXANDER", "ALEXI", "ALF",
    "ALI", "ALISTAIR", "ALISTARE", "ANDREW", "ANDY", "ANGUS", "ANTHONY", "ANTONY", "ARTHUR",
    "AUSTIN", "BARRY", "BART", "BARTHOLOMEW", "BENJAMIN", "BERNARD", "BERT", "BILL", "BOB", "BRAD",
    "BRADLEY", "BRANDON", "BRENDON", "BRIAN", "BRYAN", "BRYN", "BUCK", "CALEB", "CARL", "CHANDLER",
    "CHARLES", "CHEF", "CHRISTIAN", "CHRISTOPHER", "CLIVE", "CODY", "COLIN", "CONNOR", "CONOR",
    "DAN", "DANIEL", "DAVE", "DAVID", "DEN", "DENIS", "DENNIS", "DEREK", "DESMOND", "DICK", "DINKY",
    "DON", "DONALD", "DOUGLAS", "DUNC", "DUNCAN", "DWAIN", "DWAYNE", "DYLAN", "ED", "EDMUND",
    "EDWARD", "EDWIN", "ERIC", "FERRET", "FORREST", "FRANK", "FRANKIE", "FRAZIER", "FRED", "GARRY",
    "GARY", "GEOFF", "GEOFFREY", "GOPAL", "GORDON", "GRAEME", "GRAHAM", "GRITZ", "HANK", "HAROLD",
    "HARRY", "HENRY", "HEROD", "HOWARD", "HOWERD", "HUGH", "IAIN", "IAN", "IMMANUEL", "IMRAN",
    "ISAAC", "IVOR", "JACK", "JACOB", "JAMES", "JAMIE", "JASON", "JEFF", "JEFFERY", "JEREMY",
    "JESSE", "JESUS", "JIM", "JIMMY", "JOE", "JOHN", "JON", "JONATHON", "JORDAN", "JOSE", "JOSEPH",
    "JOSH", "JOSHUA", "JOSIAH", "JUAN", "JUDAS", "JULIAN", "JUSTIN", "KARL", "KEN", "KENNETH",
    "KENNY", "KEV", "KEVIN", "KUMERAN", "KWESI", "KYLE", "LANCE", "LARRY", "LEE", "LEO", "LOUIS",
    "LUKE", "MAJEKA", "MALCOLM", "MARC", "MARK", "MARTIN", "MATT", "MATTHEW", "MAX", "MICHAEL",
    "MIKE", "MILES", "MOHAMMED", "MUNISH", "NATHAN", "NEIL", "NICHOLAS", "NICK", "NIEL", "NIGEL",
    "NILES", "OLIVER", "OSCAR", "PATRICK", "PAUL", "PEREGRIN", "PETE", "PETER", "PHIL", "PHILIP",
    "PORKY", "RAIHAN", "RALPH", "RAVEEM", "RAY", "RICHARD", "RICKY", "ROB", "ROBBIE", "ROBERT",
    "ROBIN", "ROD", "RODNEY", "ROLF", "RON", "RONALD", "RORY", "ROSS", "RUHAL", "RUPERT", "RYAN",
    "SAMUEL", "SEAMUS", "SEAN", "SEYMOUR", "SHAWN", "SHORTIE", "SIDNEY", "SIMON", "STAN", "STANLEY",
    "STEPHEN", "STEVE", "STEVEN", "SUMIT", "SYDNEY", "TAVRO", "TED", "TERRY", "THEODORE", "THOMAS",
    "TIM", "TIMMY", "TIMOTHY", "TOBY", "TOM", "TONY", "TRAVIS", "TREV", "TREVOR", "TYLER", "VARUN",
    "VELK", "VELKARDO", "WILLIAM", "WINSTON", "ZACHARY", "ZACK",
};

constexpr std::array<std::string_view, 231> kFemale = {
    "ADEL", "AGNES", "AIMEE", "ALEXANDRA", "ALICE", "ALISON", "AMANDA", "AMY", "ANDREA", "ANITA",
    "ANN", "ANNA", "ANNE", "ANTHEA", "ARIEL", "ARIELLE", "ASHLEY", "AUDREY", "BARBARA", "BEATRICE",
    "BECCA", "BECKY", "BERYL", "BETHANY", "BETTY", "BEV", "BEVERLY", "BRANDI", "BRIANNA", "BRIDGET",
    "BRITTANY", "BROOK", "BROOKE", "CAITLYN", "CARO", "CAROL", "CAROLINE", "CATH", "CATHERINE",
    "CATHY", "CECILIA", "CELIA", "CHARLOTTE", "CHERIE", "CHERRY", "CHRISTINE", "CLAIR", "CLARE",
    "COLLEN", "CONSTANCE", "CRYSTAL", "DAISY", "DAPHNE", "DEBBIE", "DEBORAH", "DIANA", "DOMINIQUE",
    "DOREEN", "DORIS", "DOROTHY", "DOT", "EDWINA", "EILEEN", "ELAINE", "ELIZABETH", "EMILY", "EMMA",
    "ERICA", "EVE", "FAITH", "FELICIA", "FELICITY", "FIONA", "FLORA", "FRAN", "FRANCHESCA", "GEMMA",
    "GERTRUDE", "GILL", "GLORIA", "GRACE", "GWEN", "GWENDOLINE", "HALEY", "HANNAH", "HAZEL",
    "HEATHER", "HELEN", "HILDA", "ILA", "IRENE", "JANE", "JANET", "JASMINE", "JEAN", "JEMMA", "JEN",
    "JENNI", "JENNIE", "JENNIFER", "JENNY", "JESSICA", "JILL", "JO", "JOAN", "JOANN", "JOANNA",
    "JOSEPHINE", "JOY", "JOYCE", "JUDITH", "JUDY", "JULIA", "JULIET", "KARINA", "KAROL", "KATE",
    "KATH", "KATHERINE", "KATHY", "KATRINA", "KELLY", "KERSTIN", "KIRSTEEN", "KIRSTEN", "KIRSTY",
    "LAURA", "LAVENDER", "LEAH", "LESLIE", "LINDA", "LINDSEY", "LISA", "LIZ", "LIZZY", "LOUISA",
    "LOUISE", "LUCY", "LYDIA", "LYN", "LYNDA", "LYNNE", "MADGE", "MADISON", "MAGGIE", "MARGARET",
    "MARGE", "MARGERET", "MARGO", "MARIA", "MARIAH", "MARINA", "MARION", "MARJORIE", "MARTHA",
    "MARY", "MATILDA", "MAY", "MEGAN", "MELINA", "MELINDA", "MERLE", "MILDRED", "MOIRA", "MONICA",
    "MORGAN", "MURIEL", "MYRA", "NADIA", "NANCY", "NICHOLA", "NICHOLAA", "NICKY", "NORA", "OLGA",
    "OLIVE", "OPRAH", "PAIGE", "PAM", "PAMELA", "PATRICA", "PENELOPE", "PENNY", "RACH", "RACHAEL",
    "RACHEAL", "RACHEL", "RACHELLE", "REBECCA", "REBEKAH", "ROS", "ROSALIND", "ROSE", "ROSEMARY",
    "RUBY", "RUTH", "SABRINA", "SALLY", "SAMANTHA", "SARA", "SARAH", "SHARON", "SHEILA", "SHIRLEY",
    "SIAN", "SIERRA", "SOPHIA", "SOPHIE", "SUE", "SUSAN", "SUZY", "TAMRA", "TAYLOR", "TESSA",
    "THERESA", "TIFFANY", "TRACY", "TRICIA", "VAL", "VALERIE", "VANESSA", "VICKI", "VICKY",
    "VICTORIA", "VIOLET", "VIRGINIA", "VIV", "VIVIAN", "VIVIENNE", "WENDY", "ZOE",
};

constexpr std::array<std::string_view, 13> kEither = {
    "AL", "ALEX", "CAMERON", "CHRIS", "FATTY", "GEORGE", "HILARY", "LOU", "MITCH", "MO", "PAT",
    "SAM", "SAMMY",
};
// clang-format on

constexpr bool AllLetters(std::span<const std::string_view> names) {
  for (std::string_view name : names) {
    if (name.empty()) return false;
    for (char c : name) {
      if (c < 'A' || c > 'Z') return false;
    }
  }
  return true;
}

constexpr bool Disjoint(std::span<const std::string_view> a, std::span<const std::string_view> b) {
  for (std::string_view name : a) {
    if (std::binary_search(b.begin(), b.end(), name)) return false;
  }
  return true;
}

constexpr std::size_t LongestName() {
  std::size_t longest = 0;
  for (auto group :
       {std::span<const std::string_view>(kMale), std::span<const std::string_view>(kFemale),
        std::span<const std::string_view>(kEither)}) {
    for (std::string_view name : group) longest = std::max(longest, name.size());
  }
  return longest;
}

// std::adjacent_find with >= rejects duplicates as well as disorder.
constexpr bool StrictlySorted(std::span<const std::string_view> names) {
  return std::adjacent_find(names.begin(), names.end(), std::greater_equal<>()) == names.end();
}

static_assert(StrictlySorted(kMale) && StrictlySorted(kFemale) && StrictlySorted(kEither));
static_assert(AllLetters(kMale) && AllLetters(kFemale) && AllLetters(kEither));
static_assert(Disjoint(kMale, kFemale) && Disjoint(kMale, kEither) && Disjoint(kFemale, kEither));

constexpr std::size_t kLongestName = LongestName();

// Every name as one number: five bits a letter, A = 1 to Z = 26, the first
// letter highest. No letter is zero, so names of different lengths never
// share a code. A word of twelve letters or more keeps its twelfth letter from
// the end in bits 55 to 59, above every name's code, so it needs no count to
// be ruled out.
static_assert(5 * kLongestName <= 55);

// A letter of either case as 1 to 26, anything else as 0. Setting bit 5 maps
// exactly the upper-case letters onto the lower-case ones.
constexpr unsigned LetterCode(char c) {
  const unsigned offset = (static_cast<unsigned char>(c) | 0x20u) - 'a';
  return offset < 26 ? offset + 1 : 0;
}

constexpr std::uint64_t NameCode(std::string_view name) {
  std::uint64_t code = 0;
  for (char c : name) code = code << 5 | LetterCode(c);
  return code;
}

// What each byte of a word is to the comparison: a letter code, a mark that is
// skipped, or anything else (0), which no name holds.
constexpr std::uint8_t kMark = 32;
constexpr std::array<std::uint8_t, 256> kByteClass = [] {
  std::array<std::uint8_t, 256> classes{};
  for (std::size_t byte = 0; byte < classes.size(); ++byte) {
    classes[byte] = static_cast<std::uint8_t>(LetterCode(static_cast<char>(byte)));
  }
  classes['.'] = classes['?'] = classes[','] = kMark;
  return classes;
}();

// Every word of every reply is looked up, so the names sit in an
// open-addressed table fixed at compile time: a slot holds a name's code
// shifted left by two with its sex in the two low bits, or 0 when free.
// About half the slots stay free, so a miss ends after a probe or two.
enum Sex : std::uint64_t { kMaleSex = 1, kFemaleSex = 2, kEitherSex = 3 };
constexpr int kSlotBits = 10;
constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
static_assert(kSlots >= 2 * (kMale.size() + kFemale.size() + kEither.size()));

constexpr std::size_t HomeSlot(std::uint64_t code) {
  // Fibonacci hashing: the top bits of the product mix every letter.
  return static_cast<std::size_t>((code * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits));
}

constexpr std::array<std::uint64_t, kSlots> BuildSlots() {
  std::array<std::uint64_t, kSlots> slots{};
  const auto insert = [&slots](std::span<const std::string_view> names, Sex sex) {
    for (std::string_view name : names) {
      std::size_t slot = HomeSlot(NameCode(name));
      while (slots[slot] != 0) slot = (slot + 1) % kSlots;
      slots[slot] = NameCode(name) << 2 | sex;
    }
  };
  insert(kMale, kMaleSex);
  insert(kFemale, kFemaleSex);
  insert(kEither, kEitherSex);
  return slots;
}

constexpr std::array<std::uint64_t, kSlots> kSlotsByCode = BuildSlots();

// The sex of `word` compared as LookupFirstName compares it, 0 for no name.
// A byte that is not a letter, a mark or an outer blank rules the word out at
// once. A word of marks alone has code 0, which stops at the first free slot.
std::uint64_t SexOf(std::string_view word) {
  std::size_t first = 0, last = word.size();
  while (first < last && word[first] == ' ') ++first;
  while (last > first && word[last - 1] == ' ') --last;
  std::uint64_t code = 0;
  for (std::size_t i = first; i < last; ++i) {
    const std::uint8_t byteClass = kByteClass[static_cast<unsigned char>(word[i])];
    if (byteClass == 0) return 0;
    if (byteClass != kMark) code = code << 5 | byteClass;
  }
  for (std::size_t slot = HomeSlot(code);; slot = (slot + 1) % kSlots) {
    const std::uint64_t entry = kSlotsByCode[slot];
    if (entry == 0) return 0;
    if (entry >> 2 == code) return entry & 3u;
  }
}

}  // namespace

constinit const FirstNameGroups FirstNameTable{kMale, kFemale, kEither};

bool LookupFirstName(ConversationState& state, std::span<char> word) {
  const std::uint64_t sex = SexOf(std::string_view(word.data(), word.size()));
  if (sex == kMaleSex) {
    state.NameGender.assign(1, 'M');
  } else if (sex == kFemaleSex) {
    state.NameGender.assign(1, 'F');
  } else {
    state.NameGender.clear();
  }
  if (sex == 0) return false;

  // Re-cased as passed: blanks and marks stay where they were.
  for (std::size_t i = 0; i < word.size(); ++i) {
    word[i] = i == 0 ? UpperAscii(word[i]) : LowerAscii(word[i]);
  }
  return true;
}

bool LookupFirstName(ConversationState& state, std::string& word) {
  return LookupFirstName(state, std::span<char>(word));
}

}  // namespace velk
