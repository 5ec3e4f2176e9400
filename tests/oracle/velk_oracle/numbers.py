"""Numbers: leading numeric value, 16-bit rounding, number text, number words, small sums."""

_SKIP = " \t\n"
_DIGITS = "0123456789"


def leading_number(text: str) -> float:
    """Numeric value at the start of text; blanks, tabs and line feeds are ignored anywhere."""
    # Drop the skippable characters first: they may sit anywhere, even inside the number.
    s = "".join(c for c in text if c not in _SKIP)
    i = 0
    n = len(s)
    buf = ""
    if i < n and s[i] in "+-":
        buf += s[i]
        i += 1
    mant_digits = 0
    while i < n and s[i] in _DIGITS:
        buf += s[i]
        i += 1
        mant_digits += 1
    if i < n and s[i] == ".":
        buf += "."
        i += 1
        while i < n and s[i] in _DIGITS:
            buf += s[i]
            i += 1
            mant_digits += 1
    if mant_digits == 0:
        return 0.0
    # Exponent only counts when at least one digit follows the marker (and its sign).
    if i < n and s[i] in "EeDd":
        j = i + 1
        exp = "e"
        if j < n and s[j] in "+-":
            exp += s[j]
            j += 1
        k = j
        while k < n and s[k] in _DIGITS:
            k += 1
        if k > j:
            exp += s[j:k]
            buf += exp
    return float(buf)  # correctly rounded; overflow gives +-inf


def round_to_int16(x: float) -> int | None:
    """Nearest integer, halves to even; None when it does not fit a signed 16-bit value."""
    if x != x or x in (float("inf"), float("-inf")):
        return None
    r = round(x)  # Python rounds halves to the even neighbour
    if r < -32768 or r > 32767:
        return None
    return int(r)


def number_text(n: int) -> str:
    # A sign position: a blank for non-negative numbers, "-" otherwise.
    return (" " + str(n)) if n >= 0 else str(n)


def _upper(s: str) -> str:
    # ASCII-only case mapping; other bytes untouched.
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in s)


def _trim(s: str) -> str:
    return s.strip(" ")


_ADD_WORDS = {
    "ONE": 1, "TWO": 2, "THREE": 3, "FOUR": 4, "FIVE": 5, "SIX": 6, "SEVEN": 7,
    "EIGHT": 8, "NINE": 9, "TEN": 10, "ELEVEN": 11, "TWELVE": 12,
    "THIRTEEN": 13, "FORTEEN": 14, "FOURTEEN": 14, "FIFTEEN": 15, "SIXTEEN": 16,
    "SEVENTEEN": 17, "EIGHTEEN": 18, "NINETEEN": 19,
    "TWENTY": 20, "THIRTY": 30, "FORTY": 40, "FIFTY": 50, "SIXTY": 60,
    "SEVENTY": 70, "EIGHTY": 80, "NINETY": 90,
}
_SET_WORDS = {
    "ONEHUNDRED": 100, "TWOHUNDRED": 200, "THREEHUNDRED": 300,
    "FOURHUNDRED": 400, "FIVEHUNDRED": 500, "SIXHUNDRED": 600,
}


def _clamp16(v: int) -> int:
    # Unreachable with real input; keeps the sum a 16-bit value regardless.
    return max(-32768, min(32767, v))


def parse_number_words(text: str) -> int:
    """Running sum of the English number words in text (the argument is not changed)."""
    total = 0
    rest = text
    while rest != "":
        rest = _upper(_trim(rest))
        p = rest.find(" ") + 1  # 1-based, 0 when none
        if p > 0:
            if rest[p - 1:p + 3] == " HUN":
                # Join a number word with the HUN... word that follows it.
                rest = rest[:p - 1] + rest[p - 1:].lstrip(" ")
                p = rest.find(" ") + 1
            if p > 0:
                word = rest[:p]
                rest = _trim(rest[p - 1:])
            else:
                word = rest
                rest = ""
        else:
            word = rest
            rest = ""
        word = _trim(word)
        if word in _ADD_WORDS:
            total = _clamp16(total + _ADD_WORDS[word])
        elif word in _SET_WORDS:
            total = _SET_WORDS[word]
    return total


_OPS = ("+", "-", "*", "/")
_MAX_SLOTS = 20


def evaluate_arithmetic(text: str) -> int:
    """Left-to-right sum of the text, rounded after every step; 0 means no sum."""
    slots = [""] * (_MAX_SLOTS + 2)  # index 1..20 used; 21 stays empty
    k = 1
    for c in text:
        if c in _OPS:
            if k <= _MAX_SLOTS and slots[k] != "":
                k += 1
            if k <= _MAX_SLOTS:
                slots[k] = c
            k += 1
        elif k <= _MAX_SLOTS:
            slots[k] += c
        # characters for slots past the twentieth are dropped
    for j in range(1, _MAX_SLOTS):
        v = parse_number_words(slots[j])
        if v != 0:
            slots[j] = str(v)
        slots[j] = _trim(slots[j])
    result = 0
    for j in range(1, _MAX_SLOTS):
        s = slots[j]
        if s in _OPS:
            operand = leading_number(slots[j + 1])
            if s == "+":
                x = result + operand
            elif s == "-":
                x = result - operand
            elif s == "*":
                x = result * operand
            else:
                if operand == 0:
                    return 0
                x = result / operand
            r = round_to_int16(x)
            if r is None:
                return 0
            result = r
        elif j == 1:
            r = round_to_int16(leading_number(s))
            if r is None:
                return 0
            result = r
    return result
