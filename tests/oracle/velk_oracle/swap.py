"""Turning one word slot round from the user's point of view to the bot's."""

_SUBJECTS = ("YOU", "I", "HE", "SHE", "IT", "WE", "THEY")

# (slot w-1, slot w, which slot changes, new text) for the one-slot-back repairs
_REPAIRS = [
    ("I", "ARE", 0, "AM"),
    ("ME", "WAS", -1, "I"),
    ("ABOUT", "I", 0, "ME"),
    ("ME", "CAN", -1, "I"),
    ("ME", "REALISE", -1, "I"),
    ("ME", "ARE", None, None),      # both slots change
    ("ME", "HAVE", -1, "I"),
    ("TELLS", "I", 0, "ME"),
    ("TELL", "I", 0, "ME"),
    ("AM", "ME", 0, "I"),
    ("ME", "AM", -1, "I"),
    ("FROM", "I", 0, "ME"),
    ("ME", "WILL", -1, "I"),
    ("IGNORE", "I", 0, "ME"),
    ("DO NOT", "ME", 0, "I"),       # needs slot w-2 too
    ("ME", "WOULD", -1, "I"),
    ("ME", "SHOULD", -1, "I"),
    ("ME", "THINK", -1, "I"),
]


def swap_word(words: list, w: int, i_flag: bool, you_flag: bool, state: dict) -> None:
    """words: slots 0..30; slot w already trimmed and canonicalised. state['pronoun'] lasts the call."""
    word = words[w]
    prev = words[w - 1]
    nxt = words[w + 1] if w + 1 <= 30 else ''

    # 1 possessives and reflexives
    if word == "YOUR":
        word = "MY"
    elif word == "YOURSELF":
        word = "MYSELF"
    else:
        if word == "MYSELF":
            word = "YOURSELF"
        if word == "MY":
            word = "YOUR"
    # 2 possessive pronouns
    if word == "YOURS":
        word = "MINE"
    elif word == "MINE":
        if prev not in ("A", "THE"):
            word = "YOURS"
    # 3 present of "to be"
    if word == "ARE" and ("YOU" in nxt or "YOU" in prev):
        word = "AM"
    elif word == "AM":
        word = "ARE"
    # 4 past of "to be"
    if word == "WAS" and i_flag:
        word = "WERE"
    elif word == "WERE" and you_flag:
        word = "WAS"
    # 5 pronoun flag
    if w > 1 and words[w - 2] in _SUBJECTS:
        state['pronoun'] = True
    # 6 personal pronouns
    if word in ("ME", "I"):
        word = "YOU"
    elif word == "YOU" and prev != "THANK":
        if prev.endswith("ED") or prev == "FOR" or prev == "TO" or state['pronoun']:
            word = "ME"
        else:
            word = "I"
    words[w] = word
    # 7 repairs, each on the slots as they now stand
    for before, cur, which, new in _REPAIRS:
        if before == "DO NOT":
            if w > 1 and words[w - 2] == "DO" and words[w - 1] == "NOT" and words[w] == cur:
                words[w] = new
            continue
        if words[w - 1] == before and words[w] == cur:
            if which is None:
                words[w] = "AM"
                words[w - 1] = "I"
            elif which == 0:
                words[w] = new
            else:
                words[w - 1] = new
