"""First-name table, first-name lookup and name capture."""

# ASCII-only case mapping: bytes above 127 (UTF-8 text decoded as latin-1) stay as they are.
_UPPER = str.maketrans("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")
_LOWER = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")


def _upper(s: str) -> str:
    return s.translate(_UPPER)


def _lower(s: str) -> str:
    return s.translate(_LOWER)


def _trim(s: str) -> str:
    # only the space character counts as a blank
    return s.strip(" ")


def _recase(s: str) -> str:
    return _upper(s[:1]) + _lower(s[1:])


MALE_NAMES = (
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
)

FEMALE_NAMES = (
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
)

EITHER_NAMES = (
    "AL", "ALEX", "CAMERON", "CHRIS", "FATTY", "GEORGE", "HILARY", "LOU", "MITCH", "MO", "PAT",
    "SAM", "SAMMY",
)

_GENDER = {}
for _n in MALE_NAMES:
    _GENDER[_n] = "M"
for _n in FEMALE_NAMES:
    _GENDER[_n] = "F"
for _n in EITHER_NAMES:
    _GENDER[_n] = ""
assert (len(MALE_NAMES), len(FEMALE_NAMES), len(EITHER_NAMES), len(_GENDER)) == (229, 231, 13, 473)


def lookup_first_name(engine, word: str) -> tuple[bool, str]:
    """(found, word re-cased when found else unchanged); always sets engine.NameGender."""
    work = _trim(_upper(word))
    for mark in (".", "?", ","):
        work = work.replace(mark, "")
    if work in _GENDER:
        engine.NameGender = _GENDER[work]
        # re-case the text as passed: untrimmed, marks kept
        return True, _recase(word)
    engine.NameGender = ""
    return False, word


# NameResult codes
NAME_UNKNOWN = 0
NAME_CAPTURED = 1
NAME_REFUSED = 2
NAME_MINE = 3
NAME_GUESS = 4
NAME_RUDE = 5


def _pos(text: str, key: str) -> int:
    """1-based position of the first occurrence, 0 when absent."""
    return text.find(key) + 1


def _mid(text: str, start: int) -> str:
    """Text from 1-based position start to the end (empty past the end)."""
    return text[start - 1:]


def _first_word(r: str) -> str:
    """Up to and including the first space; empty when there is none."""
    i = r.find(" ")
    return r[:i + 1] if i >= 0 else ""


def _capture(engine, candidate: str) -> int:
    name = _trim(candidate)
    engine.UserName = name
    engine.UserGender = engine.NameGender
    engine.UserName = _recase(name)
    return NAME_CAPTURED


def _try(engine, candidate: str):
    found, recased = lookup_first_name(engine, candidate)
    if found:
        return _capture(engine, recased)
    return None


def capture_name(engine, text: str) -> int:
    # 0: nothing there at all
    if _trim(text) == "":
        return NAME_REFUSED

    # 1: NAME ... IS
    p_name = _pos(text, "NAME")
    if p_name > 0 and _pos(text, "IS ") > p_name:
        r = _mid(text, _pos(text, "S") + 2)
        cand = _first_word(r)
        if _trim(cand) == "NOT":
            return NAME_REFUSED
        res = _try(engine, cand)
        if res is not None:
            return res

    # 2: YOU ... CALL (no NOT test)
    if _pos(text, "YOU") > 0 and _pos(text, "CALL ") > 0:
        r = _mid(text, _pos(text, "YOU") + 4)
        res = _try(engine, _first_word(r))
        if res is not None:
            return res

    # 3: CALLED (no NOT test)
    if _pos(text, "CALLED") > 0:
        r = _mid(text, _pos(text, "CALLED") + 7)
        res = _try(engine, _first_word(r))
        if res is not None:
            return res

    # 4: IT IS (the first "IS" may sit earlier, e.g. inside THIS)
    if _pos(text, "IT IS") > 0:
        r = _trim(_mid(text, _pos(text, "IS") + 3)) + " "
        cand = _first_word(r)
        if _trim(cand) == "NOT":
            return NAME_REFUSED
        res = _try(engine, cand)
        if res is not None:
            return res

    # 5: YOU ARE (the first "ARE" may sit earlier)
    if _pos(text, "YOU ARE") > 0:
        r = _trim(_mid(text, _pos(text, "ARE") + 4)) + " "
        cand = _first_word(r)
        if _trim(cand) == "NOT":
            return NAME_REFUSED
        res = _try(engine, cand)
        if res is not None:
            return res

    # 6: ... IS YOUR NAME
    p_isyour = _pos(text, "IS YOUR")
    if p_isyour > 0 and _pos(text, "NAME") > 0:
        h = _trim(text[:p_isyour])
        res = _try(engine, _first_word(h))
        if res is not None:
            return res

    # 7: refusal phrases
    if any(k in text for k in ("NOT SAYING", "WILL NOT SAY", "DOES NOT", "DO NOT WANT")):
        engine.UserName = "BETTY"
        engine.UserGender = "F"
        return NAME_REFUSED

    # 8
    if "GUESS" in text:
        engine.UserName = "BOB"
        engine.UserGender = "M"
        return NAME_GUESS

    # 9
    if "MINE" in text:
        return NAME_MINE

    # 10: the whole answer is a name; the trimmed text itself is captured
    whole = _trim(text)
    found, _ = lookup_first_name(engine, whole)
    if found:
        return _capture(engine, whole)

    # 11
    if any(k in text for k in ("ARSE", "ASS", "SHIT", "DUMB")):
        return NAME_RUDE
    return NAME_UNKNOWN
