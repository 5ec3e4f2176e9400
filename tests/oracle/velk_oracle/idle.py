"""The persona's own remarks and questions when nothing else wins."""

from .engine import trim

_FIXED = {
    7: ("What's the weather like today?", "WEATHER"),
    8: ("Go on...", ""),
    9: ("<Sighs>", ""),
    10: ("What kind of music are you into?", "MUSTYPE"),
    11: ("What's your favourite food?", "FAVFOOD"),
    12: ("What are you doing next summer?", "TRAV"),
    13: ("<Laughs>", ""),
    14: ("Can you explain yourself better?", ""),
    16: ("What's wrong with you?", ""),
    17: ("I think that you're wierd", ""),
    18: ("What are you talking about?", ""),
    19: ("Do you want to talk to me?", ""),
    20: ("and?", ""),
    21: ("Why should I care?", ""),
    22: ("<Yawns>", ""),
    23: ("<Stretches>", ""),
    24: ("<Blushes>", ""),
    25: ("eh?", ""),
}


def pick_idle_prompt(engine):
    """Returns (text, context); a context is also written into the next free slot."""
    while True:
        n = engine.pick(40)
        if 1 <= n <= 5:
            return "I'm bored. Can't we talk about anything else?", ""
        if n in _FIXED:
            text, code = _FIXED[n]
            if code:
                engine.set_next_context(code)
            return text, code
        text, code = '', ''
        if engine.UserGender == '':
            text = "I'm sorry, I can't see you to work out if you're male or female, which are you?"
            code = "GETGENDER"
        if engine.UserAge == 0:
            text = "Just how old are you anyway, " + engine.UserName + "?"
            code = "GETAGE"
        if trim(engine.UserName) == '':
            text = "Did you tell me your name?"
            code = "TELLNAME"
        if text != '':
            engine.set_next_context(code)
            return text, code
