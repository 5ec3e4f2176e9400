"""Follow-ups for the questions that ask the user's name, age and gender; these change state."""

from . import numbers

_ASK_AGAIN = "I didn't quite catch that, what's your name?"
_NEED_NAME = "I really do need to know your name, what is it?"
_OF_COURSE = "Of course! What is YOUR name?"
_GUESS = "I guess your name is Bob."


def _names():
    from . import names
    return names


def _capture(engine, sentence: str) -> int:
    return _names().capture_name(engine, sentence)


def _hi(engine) -> str:
    # Built after capture, so it carries the name just stored.
    return "Hi there " + engine.UserName


def _set(n):
    return ("=", n)


def _getname(engine, r: int) -> None:
    if r == 0:
        engine.add_candidate(_ASK_AGAIN, "GETNAME2", _set(30))
    elif r == 1:
        engine.add_candidate(_hi(engine))
    elif r == 2:
        engine.add_candidate(_NEED_NAME, "NOSAYNAME", _set(30))
    elif r == 3:
        engine.add_candidate(_OF_COURSE, "GETNAME", _set(30))
    elif r == 4:
        engine.add_candidate(_GUESS)
    elif r == 5:
        engine.add_candidate("Quit with the stupidness and tell me your name", "GETNAME", _set(30))


def _getname2(engine, r: int) -> None:
    if r == 0:
        engine.add_candidate("Sorry, I don't know that name, tell me an easier name.", "GETNAME3", _set(30))
    elif r == 1:
        engine.add_candidate(_hi(engine))
    elif r == 2:
        engine.add_candidate(_NEED_NAME, "NOSAYNAME", _set(30))
    elif r == 3:
        engine.add_candidate(_OF_COURSE, "GETNAME", _set(30))
    elif r == 4:
        engine.add_candidate(_GUESS, None, _set(30))
    elif r == 5:
        engine.add_candidate("I don't like language like that, so just tell me your proper name.", None, _set(30))


def _getname3(engine, r: int) -> None:
    if r == 0:
        engine.add_candidate("I give up, I'll just call you Clive")
        engine.UserName = "Clive"
        engine.UserGender = "M"
    elif r == 1:
        engine.add_candidate(_hi(engine))
    elif r == 2:
        engine.add_candidate("Just tell me your name!", "NOSAYNAME", _set(10))
    elif r == 3:
        engine.add_candidate(_OF_COURSE, "GETNAME3", _set(30))
    elif r == 4:
        engine.add_candidate(_GUESS)
    elif r == 5:
        engine.add_candidate("Ok, I'll just call you 'Arse'.")
        engine.UserName = "Arse"


def _nosayname(engine, r: int) -> None:
    if r == 0:
        engine.add_candidate(_ASK_AGAIN, "GETNAME", _set(30))
    elif r == 1:
        engine.add_candidate(_hi(engine))
    elif r == 2:
        engine.add_candidate("Forget it then, I'll just call you Betty")
        engine.UserName = "Betty"
        engine.UserGender = "F"
    elif r == 3:
        # Answered as the GETNAME block does.
        engine.add_candidate(_OF_COURSE, "GETNAME", _set(30))
    elif r == 4:
        engine.add_candidate(_GUESS)
    elif r == 5:
        engine.add_candidate("Ok then, I'll call you 'Babe'", None, _set(30))
        engine.UserName = "Babe"


_LADDER = {
    "GETNAME": _getname,
    "GETNAME2": _getname2,
    "GETNAME3": _getname3,
    "NOSAYNAME": _nosayname,
}


def _tellname(engine, s: str) -> None:
    engine.add_candidate("Please tell me your name.", "GETNAME", _set(10))
    if _capture(engine, s) == 1:
        engine.add_candidate(_hi(engine), "A_RANDOM_TOPIC_TO_AVOID_BEING_MISSED", _set(20))
    if "YOU DID " in s or "YES" in s:
        engine.add_candidate("I seem to have forgotten it, what is your name?", "GETNAME", _set(10))
    if "NO" in s:
        engine.add_candidate("Oh, What's your name then?", "GETNAME", _set(10))


def _chngname(engine, s: str) -> None:
    if engine.UserName == "":
        engine.add_candidate("Never mind, I'll just call you Betty.")
        engine.UserName = "Betty"
        engine.UserGender = "F"
    if "YES" in s:
        engine.add_candidate("So what's your name now?", "GETNAME")
    if "NO" in s:
        engine.add_candidate("Sorry, my mistake. Let's get this clear: What is your name?", "GETNAME")


def _getgender(engine, s: str) -> None:
    engine.add_candidate("Just type either 'Male' or 'Female'", "GETGENDER")
    if "SIR" in s or "MALE" in s or "MR" in s:
        engine.add_candidate("Thanks very much, I'll try not to forget that.")
        engine.UserGender = "M"
    if "MADAM" in s or "FEMALE" in s or "MRS" in s:
        engine.add_candidate("Lovely, that helps me a lot.")
        engine.UserGender = "F"
    if "NEITHER" in s:
        engine.add_candidate("Don't be silly, I just need to know whether to call you 'he' or 'she', "
                             "so enter either 'male' or 'female'.")


def _read_age(text: str) -> int:
    # A number that does not fit 16 bits counts as unreadable.
    r = numbers.round_to_int16(numbers.leading_number(text))
    return 0 if r is None else r


_ABOUT_30 = "Ok then, I'll just say you're about 30"


def _getage(engine, s: str) -> None:
    engine.add_candidate("Sorry, I didn't quite catch that, how old are you?", "GETAGE")
    engine.UserAge = _read_age(s)
    if engine.UserAge == 0:
        engine.UserAge = numbers.parse_number_words(s)
    if "YOU ARE" in s and engine.UserAge == 0:
        t = s[s.find("YOU ARE") + 7:].strip(" ")
        engine.UserAge = _read_age(t)
    if "YEAR" in s and engine.UserAge == 0:
        b = s[:s.find("YEAR")].strip(" ")
        p = b.rfind(" ")
        w = b[p + 1:] if p >= 0 else b
        engine.UserAge = _read_age(w)
        if engine.UserAge == 0:
            engine.UserAge = numbers.parse_number_words(w)
    if "SAY" in s and "NOT" in s:
        engine.add_candidate(_ABOUT_30, "-", ("+", 40))
        engine.UserAge = 30
    elif "KNOW" in s:
        engine.add_candidate(_ABOUT_30)
        engine.UserAge = 30
    elif engine.UserAge == 0:
        engine.add_candidate("Could you please tell me how old you are, so I know who I'm talking to?", "GETAGE")
    else:
        a = engine.UserAge
        if 11 <= a <= 19:
            engine.add_candidate("Cool, do you think I'm boring?", "FUN")
        elif 20 <= a <= 50:
            engine.add_candidate("Excellent, so what do you do for a living?", "JOB")
        elif a > 50:
            engine.add_candidate("Great, somebody who I might just get a decent conversation out of.")
        if a < 5 or a > 120:
            engine.add_candidate("Don't be silly, I only want to know how old you are, you can always lie "
                                 "if you want to. Please tell me your age", "GETAGE")


def follow_up_identity(engine, sentence: str) -> bool:
    """Runs the block for LastContext when it is one of the eight identity codes; True when one ran."""
    code = engine.LastContext
    if code in _LADDER:
        r = _capture(engine, sentence)
        _LADDER[code](engine, r)
        return True
    if code == "TELLNAME":
        _tellname(engine, sentence)
        return True
    if code == "CHNGNAME":
        _chngname(engine, sentence)
        return True
    if code == "GETGENDER":
        _getgender(engine, sentence)
        return True
    if code == "GETAGE":
        _getage(engine, sentence)
        return True
    return False
