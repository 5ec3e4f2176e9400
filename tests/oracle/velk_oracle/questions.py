"""Answers to questions recognised by their first two words (opening) and the words after them (rest)."""

from . import numbers
from .followups import wording

WEB_ADDRESS = wording("questions", "key", "web")

DODGE_OPENINGS = ("AREYOU", "HAVEYOU", "HOWMANY", "ISTHAT", "ISTHERE", "SHOULDI", "WHYCAN")

# Sentinel returned by a rule list to stop at once without the end bonus.
_STOP = object()


def _upper(s: str) -> str:
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in s)


def _pickers():
    from . import pickers
    return pickers


def _dodge(engine) -> None:
    k = engine.pick(17)
    if k == 1:
        engine.add_candidate("You ask a lot of questions, why?", "QUE")
    elif k == 2:
        engine.add_candidate("I hope you realise that I can't answer every question.")
    elif k == 3:
        engine.add_candidate("Enough questions, I want to know more about you.")
    elif k == 4:
        engine.add_candidate("I'm " + _pickers().pick_mood(engine) + " now.", "EM")
    elif k == 5:
        engine.add_candidate("Would you like to re-word that question?", "REWORD")
    elif k == 6:
        engine.add_candidate("That's obvious.")
    elif k == 7:
        engine.add_candidate("I think you already know.")
    elif k == 8:
        engine.add_candidate("I couldn't be bothered to find out.")
    elif k == 9:
        engine.add_candidate("How should I know?")
    elif k == 10:
        engine.add_candidate("I don't know stuff like that!")
    elif k == 11:
        engine.add_candidate("I'll need time to consider that.")
    elif k == 12:
        engine.add_candidate("It's hard to say, give me more information.")
    elif k == 13:
        engine.add_candidate("I can't tell you right now.")
    elif k == 14:
        engine.add_candidate("I haven't a clue" + (" mate" if engine.UserGender == "M" else ""))
    elif k == 15:
        engine.add_candidate("<Frowns>")
    elif k == 16:
        engine.add_candidate("I don't know.")
    elif k == 17:
        engine.add_candidate("Find out for yourself.")


# Rule: (inside, test(rest, engine), action(engine, rest)).
# An action adds its candidate(s) itself; it may return _STOP.
# An inside rule is tried only when the nearest rule above it that is not inside fired.

def _has(k):
    return lambda r, e: k in r


def _any(*ks):
    return lambda r, e: any(k in r for k in ks)


def _all(*ks):
    return lambda r, e: all(k in r for k in ks)


def _always(r, e):
    return True


def _add(text, code=None, score=None):
    return lambda e, r: e.add_candidate(text, code, score)


def _R(test, action):
    return (False, test, action)


def _I(test, action):
    return (True, test, action)


def _today(engine):
    return getattr(engine, "today", (2026, 12, 8, 14, 5, 9))


def _date_text(e, r):
    y, m, d = _today(e)[:3]
    e.add_candidate("Today is " + "%02d-%02d-%04d" % (m, d, y))


def _time_text(e, r):
    h, mi, s = _today(e)[3:6]
    e.add_candidate("%02d:%02d:%02d" % (h, mi, s))


def _sum_rule(e, r):
    v = numbers.evaluate_arithmetic(r)
    if v != 0:
        e.add_candidate("The answer is " + numbers.number_text(v) + ".", None, ("+", 30))


def _my_name(e, r):
    if e.UserName == "":
        e.add_candidate("My name is " + e.BotName + ". " + "Tell me your name.", "GETNAME")
    else:
        e.add_candidate("My name is " + e.BotName + ". ")


def _your_name(e, r):
    if e.UserName != "":
        e.add_candidate("Your name is " + e.UserName, "")
    else:
        e.add_candidate("I don't know, what is your name?", "GETNAME")


def _how_old_you(e, r):
    if e.UserAge != 0:
        e.add_candidate("You are" + numbers.number_text(e.UserAge))
    else:
        e.add_candidate("I don't know, you haven't told me yet. How old are you?", "GETAGE")


def _who_are_you(e, r):
    if e.UserName.strip(" ") != "":
        e.add_candidate("You are " + e.UserName + ", that's something to be proud of.")
    else:
        e.add_candidate("To be honest, I don't know. What is your name?", "GETNAME")


def _doi_default(e, r):
    e.set_next_reply("I do.")
    e.set_next_context("")


def _colour_default(e, r):
    e.set_next_reply("I find talking abuot colours difficult.")


def _dodge_stop(e, r):
    _dodge(e)
    return _STOP


RULES = {
    "AMI": [
        _R(_has("MALE"), _add("I suppose")),
        _R(_has("VIRGIN"), _add("Of course I am!")),
        _R(_has("FEMALE"), _add("No.")),
        _R(_has("HAPPY"), _add("As happy as I'll ever be.")),
        _R(_has("GAY"), _add("No, but I have a friend who is.")),
        _R(_has("SHIT"), _add("I like to think not")),
        _R(_has("SAD"), _add("No.")),
        _R(_has("MUSICAL"), _add("Not really.")),
        _R(_has("CLEVER"), _add("Extremely clever")),
        _R(_has("STUPID"), _add("Extremely stoopid")),
        _R(_has("BORED"), _add("No! Not at all!", None, ("=", 20))),
    ],
    "CANI": [
        _R(_has("EAT"), _add("No")),
        _R(_has("DRINK"), _add("No")),
        _R(_has("THINK"), _add("Sort of.")),
        _R(_has("TRAVEL"), _add("Not really.")),
        _R(_has("TELL"), _add("What do you want to know?.")),
    ],
    "CANNOT": [
        _R(_all("ELSE", "SAY"), _add("No, can you?", None, ("+", 30))),
        _R(_has("BOTHERED"), _add("Why bother when it's so much easier to do it like I do.", None, ("+", 30))),
    ],
    "CANYOU": [
        _R(_has("GO"), _add("Yes")),
        _R(_has("TALK"), _add("Typing's better.")),
    ],
    "DOESIT": [
        _R(_has("REALLY"), _add("No, not really.")),
        _R(_has("WORK"), _add("Probably not.")),
    ],
    "DIDI": [
        _R(_has("UNDERSTAND"), _add("In my own way - yes.")),
        _R(_all("TELL", "NAME"), lambda e, r: e.add_candidate("My Name is " + e.BotName)),
    ],
    "HAVEI": [
        _R(_has("CHILDREN"), _add("Of course I don't have kids!")),
        _R(_has("NOTICED"), _add("I am not very observant.")),
        _R(_has("HEARD"), _add("No.")),
        _R(_has("VIRUS"), _add("No I do not have any viruses, were you thinking of giving me one?")),
    ],
    "HOWAM": [
        _R(_has("I"), _add("I'm fine thanks.")),
    ],
    "HOWDOES": [
        _R(_has("FEEL"), _add("It's difficult to describe.")),
    ],
    "WHOAM": [
        _R(_has("I"), lambda e, r: e.add_candidate("I'm " + e.BotName + "!")),
    ],
    "WHOELSE": [
        _R(_always, _add("A buddy")),
    ],
    "WHOMADE": [
        _R(_has("ME"), _add("I was programmed by Ned Parrow.")),
        _R(_has("YOU"), _add("I have no idea.")),
    ],
    "WHOIS": [
        _R(_any("MAKER", "CREATOR"), _add("Ned Parrow created me.")),
        _R(lambda r, e: _upper(e.BotName) in r, _add("ME")),
    ],
    "WHYIS": [
        _R(_all("MY", "NAME"), _add("I was probably named that way.")),
    ],
    "YOUARE": [
        _R(_has("SORRY"), _add("Do keep up.")),
    ],
    "NOWWHAT": [
        _R(_always, _add("Now we can talk.", "TALKABOUT")),
    ],
    "WHEREAM": [
        _R(_has("I"), _add("Right here!")),
        _R(_has("GOING"), _add("I'm not sure yet.")),
    ],
    "WHEREDO": [
        _R(_has("LIVE"), _add("Right here!")),
    ],
    "DOI": [
        _R(_always, _doi_default),
        _R(_any("ENJOY", "LIKE"), _add("Sometimes.")),
        _I(_has("DESIGN"), _add("I love it.")),
        _I(_has("PHYSICS"), _add("It can be boring sometimes.")),
        _I(_has("YOU"), _add("Of course.")),
        _I(_has("TV"), _add("Not really.")),
        _R(_has("KNOW"), _add("I don't believe I do.")),
        _I(_all("SPEED", "LIGHT"), _add("300 million km per second, I think.")),
        _R(_has("SMELL"), _add("I don't think so.")),
        _R(_has("SURF"), _add("No, but you can find my website at " + WEB_ADDRESS)),
        _R(_has("SMOKE"), _add("I wouldn't be stupid enough.")),
        _R(_has("DRINK"), _add("I can't eat or drink, silly!")),
        _R(_any("HOW", "WHAT", "WHEN", "WHY"), _dodge_stop),
        _R(_has("SLEEP"), _add("Only when I'm tired")),
        _R(_has("EAT"), _add("Yes, If I'm hungry.")),
        _R(_has("REALISE"), _add("No, I never realised that before.")),
        _I(_all("NOT", "CARE"), _add("That's too bad.")),
        _R(_has("MIND"), _add("Not really")),
    ],
    "HOWOLD": [
        _R(_has("I"), _add("I'd rather not say, thanks.", None, ("+", 20))),
        _R(_has("YOU"), _how_old_you),
    ],
    "WHATCOLOUR": [
        _R(_has("SKY"), _add("The sky is blue.")),
        _R(_always, _colour_default),
        _R(_has("RED"), _add("Red")),
        _R(_has("GREEN"), _add("green")),
        _R(_has("BLUE"), _add("blue")),
        _R(_has("YELLOW"), _add("yellow")),
        _R(_has("PINK"), _add("pink")),
        _R(_has("BROWN"), _add("brown")),
        _R(_has("BLACK"), _add("black")),
        _R(_has("WHITE"), _add("white")),
        _R(_has("ORANGE"), _add("orange")),
    ],
    "WHATDID": [
        _R(_has("SAY"), _add("I'm not sure, I wasn't really paying much attention.")),
    ],
    "WHATDO": [
        _R(_all("WANT", "TALK"), _add("I'm not sure, how about food?")),
    ],
    "WHATDOES": [
        _R(_always, _sum_rule),
    ],
    "WHATGENDER": [
        _R(_always, lambda e, r: e.add_candidate(
            "You are " + ("male." if e.UserGender == "M" else "female."))),
    ],
    "WHATHAVE": [
        _R(lambda r, e: "I" in r and ("DOING" in r or "UPTO" in r), _add("Not much.", "-", ("+", 10))),
    ],
    "WHATIS": [
        _R(_any("DAY", "DATE"), _date_text),
        _R(_has("THETIME"), _time_text),
        _R(_any("MYFULLNAME", "MYNAME"), _my_name),
        _R(_has("YOURNAME"), _your_name),
        _R(_always, _sum_rule),
        _R(_has("IQ"), _add("I have no idea, maybe I should find out.")),
        _R(_has("CPU"), _add("It is the brain of the computer.")),
        _R(_has("RAM"), _add("It is the memory of the computer.")),
        _R(_has("MP3"), _add("It is a type of music.")),
        _R(_has("MPG"), _add("It is a type of movie.")),
        _R(_has("WEATHER"), _add("I don't know! I've been stuck here for ages.")),
        _R(_any("HARDDRIVE", "HARDDISK"), _add("It is the storage space of the computer.")),
    ],
    "WHEREIS": [
        _R(_has("BIRMINGHAM"), _add("In the centre of the UK")),
        _R(_has("YORK"), _add("In the north of the UK")),
        _R(_has("ENGLAND"), _add("In Europe.")),
        _R(_any("UNITEDKINGDOM", "UK"), _add("In Europe.")),
    ],
    "WHOARE": [
        _R(_has("PARENTS"), _add("I am an orphan. ")),
        _R(_always, _who_are_you),
    ],
}


def answer_bot_question(engine, opening: str, rest: str) -> None:
    if opening == "":
        _dodge(engine)
        return
    entry = engine.CandidateCount
    if opening in DODGE_OPENINGS:
        _dodge(engine)
        return
    rules = RULES.get(opening)
    if rules is None:
        return
    outer_fired = False
    for inside, test, action in rules:
        if inside and not outer_fired:
            continue
        fired = test(rest, engine)
        if not inside:
            outer_fired = fired
        if fired:
            if action(engine, rest) is _STOP:
                return
    if engine.CandidateCount != entry:
        _bonus(engine, engine.CandidateCount - 1, 10)


def _bonus(engine, slot: int, n: int) -> None:
    # Scores are 16-bit; every change is clamped.
    v = engine.CandidateScore[slot] + n
    engine.CandidateScore[slot] = max(-32768, min(32767, v))
