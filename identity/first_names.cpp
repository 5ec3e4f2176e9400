#include "identity/first_names.h"

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>

#include "engine/text.h"

namespace velk {
namespace {

// Each group is kept in alphabetical order so that a lookup is three binary
// searches; the checks below hold the lists to that.
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

// Sex of every name, 'M', 'F' or 'E' (either), in one hash table built at
// first use: every word of every reply is looked up.
const std::unordered_map<std::string_view, char>& SexByName() {
  static const std::unordered_map<std::string_view, char> table = [] {
    std::unordered_map<std::string_view, char> names;
    names.reserve(kMale.size() + kFemale.size() + kEither.size());
    for (std::string_view name : kMale) names.emplace(name, 'M');
    for (std::string_view name : kFemale) names.emplace(name, 'F');
    for (std::string_view name : kEither) names.emplace(name, 'E');
    return names;
  }();
  return table;
}

}  // namespace

constinit const FirstNameGroups FirstNameTable{kMale, kFemale, kEither};

bool LookupFirstName(ConversationState& state, std::string& word) {
  state.NameGender.clear();

  // The compared form: blanks trimmed, marks dropped wherever they stand,
  // upper case. Built in a small buffer: anything longer than the longest
  // name cannot match, so no lookup allocates.
  std::array<char, kLongestName> buffer{};
  std::size_t length = 0;
  for (char c : Trim(word)) {
    if (c == '.' || c == '?' || c == ',') continue;
    if (length == buffer.size()) return false;
    buffer[length++] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  const std::string_view key(buffer.data(), length);

  if (length == 0) return false;
  const auto found = SexByName().find(key);
  if (found == SexByName().end()) return false;
  if (found->second != 'E') state.NameGender.assign(1, found->second);

  // Re-cased as passed: blanks and marks stay where they were.
  for (std::size_t i = 0; i < word.size(); ++i) {
    char& c = word[i];
    if (i == 0) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return true;
}

}  // namespace velk
