"""Giving the chosen reply its casually typed final form."""

from .engine import upper, lower, trim


def _first_pos(t: str, sub: str) -> int:
    return t.find(sub) + 1          # 1-based, 0 when absent


def style_reply(engine, reply: str) -> str:
    from .names import lookup_first_name
    # 1
    t = " " + lower(trim(reply))
    # 2
    question = (1 <= _first_pos(t, "what") <= 9 or 1 <= _first_pos(t, "can't") <= 9
                or 1 <= _first_pos(t, "where") <= 9
                or (" how" in t and "interesting" not in t) or "who " in t)
    # 3
    if question:
        last5 = t[-5:]
        if not ("!" in last5 or "." in last5 or "?" in t):
            t = t + "?"
    else:
        if not ("!" in t or "." in t or "?" in t):
            t = t + "."
    # 4
    x = engine.pick(20)
    if ">" not in t and "?" not in t and x > 16:
        k = engine.pick(11)
        if k == 1:
            t = "Well, " + t
        elif k == 2:
            t = "Hmmm, " + t
        elif k == 3:
            if trim(engine.UserName) != '':
                t = engine.UserName + ", " + t
        elif k == 4:
            t = "So, " + t
        elif k == 5:
            t = t + "..."
        elif k == 6:
            t = t + "  :-)"
        elif k == 7:
            t = t + "  ;-)"
        elif k == 8:
            t = t + "  :-o"
        elif k == 9:
            t = t + "  :-("
        elif k == 10:
            t = t + "  :-]"
        elif k == 11:
            t = "ok, " + t
    # 5
    t = lower(t) + " "
    # 6
    o = [upper(t[0])]
    for i in range(2, len(t)):
        c = t[i - 1]
        p = t[i - 2]
        n = t[i]
        pp = t[i - 3] if i > 2 else ''
        piece = c
        if c == "i" and p == " " and n == " ":
            piece = "I"
        if p == "." and c != " ":
            piece = " " + upper(c)
        if i > 2 and p == " " and pp == ".":
            piece = upper(c)
        if c == " " and n in (";", "!", ",", "?", "."):
            piece = ""
        o.append(piece)
    o = ''.join(o)
    # 7, 8, 9
    r = ''
    for word in o.split(" "):
        word = trim(word)
        _found, word = lookup_first_name(engine, word)
        r += " " + word
    # 10
    chars = list(r)
    length = len(chars)
    for d in range(length):
        ch = chars[d]
        if ch == upper(ch):
            if engine.draw() * 20 > 17:
                chars[d] = lower(ch)
        if chars[d] == "'":
            if engine.draw() * 20 > 18:
                chars[d] = ";"
        if chars[d] in ("p", "P"):
            if engine.draw() * 20 > 18:
                chars[d] = "o"
        if chars[d] in ("a", "A"):
            if engine.draw() * 20 > 18:
                chars[d] = "s"
        if chars[d] == "?":
            if engine.draw() * 50 > 48:
                chars[d] = "/"
        if d + 1 < length and upper(chars[d] + chars[d + 1]) == "IE":
            if engine.draw() * 20 > 18:
                chars[d] = "E"
                chars[d + 1] = "I"
        if chars[d] == " ":
            if engine.draw() * 100 > 98:
                del chars[d]
                chars.append(" ")
    # 11
    return trim(''.join(chars))
