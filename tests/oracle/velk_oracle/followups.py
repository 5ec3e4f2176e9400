"""Reading the user's next sentence in the light of the last reply's context code."""

import os

# The exact reply texts, kept beside the package so the test reads nothing outside the repository.
_WORDINGS_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "wordings.tsv")


def _load_wordings(path: str) -> dict:
    # Tab-separated: group, table, key, text.
    table = {}
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            line = raw.decode("latin-1")
            if line.endswith("\r"):
                line = line[:-1]
            if line == "":
                continue
            cols = line.split("\t", 3)
            if len(cols) < 4:
                continue
            table[(cols[0], cols[1], cols[2])] = cols[3]
    return table


WORDINGS = _load_wordings(_WORDINGS_PATH)


def wording(group: str, table: str, key: str) -> str:
    return WORDINGS[(group, table, key)]


def _f(table: str, key: str) -> str:
    return wording("followups", table, key)


HOBBY_READ_KEY = _f("key", "HOBBY")
MUSGROUPS_SOLO_KEY = _f("key", "MUSGROUPS")

IDENTITY_CODES = ("GETNAME", "GETNAME2", "GETNAME3", "NOSAYNAME", "TELLNAME",
                  "GETAGE", "GETGENDER", "CHNGNAME")


def _pickers():
    from . import pickers
    return pickers


def _mood(engine) -> str:
    return _pickers().pick_mood(engine)


def _joke(engine) -> str:
    return _pickers().pick_joke(engine)


# A rule: (test(s, engine) -> bool, reply: str | callable(engine) -> str, code | None).
# A callable reply is evaluated only when its rule fires, so picker draws happen only then.

def _has(k):
    return lambda s, e: k in s


def _any(*ks):
    return lambda s, e: any(k in s for k in ks)


def _all(*ks):
    return lambda s, e: all(k in s for k in ks)


def _always(s, e):
    return True


def _gender_text(e, f_text, other_text):
    return f_text if e.UserGender == "F" else other_text


def _em_why(e):
    g = e.UserGender
    if g == "M":
        return "You should know, you're a " + "man."
    if g == "F":
        return "You should know, you're a " + "woman."
    if g == "":
        return "I don't know!"
    return "You should know, you're a "


IT_IS_RULES = [
    (_has("SNOWING"), _f("IT IS", "SNOWING"), None),
    (_has("NICE"), "What is?", None),
    (_has("SUNNY"), _f("IT IS", "SUNNY"), None),
    (_has("SNOWY"), _f("IT IS", "SNOWY"), None),
    (_has("SHIT"), "What a shame.", None),
    (_has("AWFUL"), "Really?", "YESNO"),
    (_has("DULL"), "Isn't that depresing?", "YESNO"),
    (_has("GREAT"), "That's good", None),
    (_has("NICE"), "I'm sure it is", None),
    (_has("BORING"), _f("IT IS", "BORING"), None),
]

YOU_ARE_RULES = [
    (_has("SAD"), _f("YOU ARE", "SAD"), None),
    (_has("NICE"), "I'm sure you are", None),
    (_has("DESPERATE"), _f("YOU ARE", "DESPERATE"), None),
    (_has("GAY"), _f("YOU ARE", "GAY"), None),
    (_has("BORED"), "Oh dear, what do you want to talk about then?", "TALKTOPIC"),
    (_has("SHIT"), "What a shame.", None),
    (_any("SCARED", "NERVOUS", "FRIGHT"), _f("YOU ARE", "SCARED | NERVOUS | FRIGHT"), None),
    (_has("DULL"), _f("YOU ARE", "DULL"), None),
    (_has("YEAR"), _f("YOU ARE", "YEAR"), None),
]

_MUSGROUP_KEYS = ["PULP", "TRAVIS", MUSGROUPS_SOLO_KEY, "VERVE", "OASIS", "SPICE", "BLUR",
                  "BEATLES", "ALL SAINTS"]

BLOCKS = {
    "FAVFOOD": [
        (_always, _f("FAVFOOD", "always"), None),
        (_has("NOT"), "Wierd.", None),
        (_has("HARD"), "No it's not, just tell me your favourite food.", "FAVFOOD"),
        (_has("PIZZA"), _f("FAVFOOD", "PIZZA"), None),
        (_any("SPAGHETTI", "PASTA"), _f("FAVFOOD", "SPAGHETTI | PASTA"), None),
        (_has("FISH"), _f("FAVFOOD", "FISH"), None),
        (_has("CHIPS"), _f("FAVFOOD", "CHIPS"), None),
        (_has("ROAST"), _f("FAVFOOD", "ROAST"), None),
        (_has("CURRY"), _f("FAVFOOD", "CURRY"), None),
        (_has("CHEES"), _f("FAVFOOD", "CHEES"), None),
        (_has("CONEYS"), "Cool", None),
    ],
    "QUE": [
        (_always, lambda e: "Fine, I won't go on about it because you'll only get " + _mood(e), None),
    ],
    "REWORD": [
        (_always, _f("REWORD", "always"), None),
    ],
    "HELLO": [
        (_always, "Typical", None),
        (_has("NO"), _f("HELLO", "NO"), None),
        (_has("YES"), "Why didn't you do it then?", "REASONHELLO"),
    ],
    "REASONHELLO": [
        (_always, _f("REASONHELLO", "always"), None),
    ],
    "GREET": [
        (_any("FINE", "GOOD"), _f("GREET", "FINE | GOOD"), None),
        (_any("BAD", "NOT"), "What a shame, tell me about it", "DAY"),
        (_all("BAD", "NOT"), "That's ok then. What did you do?", "UPTO"),
    ],
    "DAY": [
        (_always, _f("DAY", "always"), None),
    ],
    "CHOC": [
        (_always, _f("CHOC", "always"), None),
    ],
    "GRUMPY": [
        (_always, "I don't care.", None),
    ],
    "EM": [
        (_has("SO ARE YOU"), _f("EM", "SO ARE YOU"), None),
        (_has("WHY"), _em_why, None),
    ],
    "POL": [
        (_always, _f("POL", "always"), None),
        (_has("YES"), _f("POL", "YES"), None),
        (_has("NO"), _f("POL", "NO"), None),
    ],
    "TRAV": [
        (_always, _f("TRAV", "always"), None),
        (_has("FRANCE"), _f("TRAV", "FRANCE"), None),
        (_has("JAPAN"), _f("TRAV", "JAPAN"), None),
        (_has("US"), lambda e: "I think Americans are " + _mood(e), None),
        (_has("ENGLAND"),
         lambda e: _gender_text(e, "Jolly Good old " + " girl.", "Jolly Good old " + " chap."), None),
        (_has("RUSSIA"), _f("TRAV", "RUSSIA"), None),
        (_has("PARIS"), _f("TRAV", "PARIS"), None),
        (_any("SPAIN", "MEXICO"), "Si, Si.", None),
        (_has("EYGPT"), "Oh, will you see the pyramids?", "YESNO"),
        (_has("AFRICA"), _f("TRAV", "AFRICA"), None),
        (_any("HOME", "NOT", "NOWHERE"), _f("TRAV", "HOME | NOT | NOWHERE"), None),
    ],
    "THINK": [
        (_always, "Do you ever get the feeling you're being ignored?", "IGNORE"),
        (_has("YES"), _f("THINK", "YES"), None),
        (_has("NO"), _f("THINK", "NO"), None),
    ],
    "IGNORE": [
        (_always, _f("IGNORE", "always"), None),
        (lambda s, e: "YES" in s or ("DO" in s and "NOT" not in s),
         _f("IGNORE", "YES | (DO & not NOT)"), None),
        (_has("NO"), _f("IGNORE", "NO"), None),
    ],
    "WHYSTUPID": [
        (_always, _f("WHYSTUPID", "always"), None),
        (_has("GRAMMER"), _f("WHYSTUPID", "GRAMMER"), None),
        (_has("SPELLING"), _f("WHYSTUPID", "SPELLING"), None),
    ],
    "EASTER": [
        (_always, _f("EASTER", "always"), None),
    ],
    "TALKABOUT": [
        (_always, _f("TALKABOUT", "always"), None),
        (_all(" WHAT", "ABOUT"), _f("TALKABOUT", '" WHAT" & ABOUT'), None),
    ],
    "TALKTOPIC": [
        (_always, "That sounds interesting", None),
        (_has("WEATHER"), _f("TALKTOPIC", "WEATHER"), None),
        (_has("SEX"), _f("TALKTOPIC", "SEX"), None),
        (_has("RECENT"), _f("TALKTOPIC", "RECENT"), None),
        (_all("RECENTLY", "UP"), "Just chilling.", None),
    ],
    "MUSIC": [
        (_always, "What's your favourite type of music?", "MUSTYPE"),
    ],
    "MUSTYPE": [
        (_always, _f("MUSTYPE", "always"), None),
        (_has("DO NOT"), "Neither do I", None),
        (_has("EVERYTHING"), _f("MUSTYPE", "EVERYTHING"), None),
        (_has("CLASSICAL"), _f("MUSTYPE", "CLASSICAL"), None),
        (_has("JAZZ"), lambda e: _gender_text(e, "Cool vibes," + " sweety.", "Cool vibes," + " man."), None),
        (_has("POP"), "What groups are you into?", "MUSGROUPS"),
        (_has("ROCK"), "Let's roll!", None),
        (_has("OPERA"), _f("MUSTYPE", "OPERA"), None),
        (_has("SWING"), "Swinging.", None),
        (_has("ALTERNATIVE"), "What artists do you like?", "MUSGROUPS"),
        (_has("INDIE"), "I like Indie music, What artists do you like?", "MUSGROUPS"),
        (_has("BRITPOP"), "I like some Britpop , What artists do you like?", "MUSGROUPS"),
        (_has("ALL"), "I like a bit of variety too", "MUSGROUPS"),
    ],
    "MUSGROUPS": (
        [
            (_always, _f("MUSGROUPS", "always"), None),
            (_has("DO NOT"), "Neither do I", None),
        ]
        + [(_has(k), _f("MUSGROUPS", k), None) for k in _MUSGROUP_KEYS]
        + [
            (_has("WHY?"), "Wow, another fan!", None),
        ]
    ),
    "PROB": [
        (_always, "What do you want to talk about?", "TALKTOPIC"),
        (_has("SEX"), _f("PROB", "SEX"), None),
        (_has("PERSONAL "), "Do you want to talk to me about it?", "YESNO"),
        (_has("SCHOOL"), _f("PROB", "SCHOOL"), None),
        (_has("WORK"), "It can be awful when things don't go right, can't it?", "YESNO"),
        (_has("BAD"), _f("PROB", "BAD"), None),
        (_has("FRIEND"), "Do you like them?", "YESNO"),
    ],
    "YESNO": [
        (_always, "Anyhow, I have more important stuff to think about", "SER"),
        (_has("YES"), _f("YESNO", "YES"), None),
        (_has("NO"), "That's OK.", None),
    ],
    "SER": [
        (_always, _f("SER", "always"), None),
        (_has("AWFUL"), _f("SER", "AWFUL"), None),
        (_has("WONDERFUL"), "Sarcasm alert!", None),
        (_has("QUITE"), "Never mind.", None),
        (_has("WHAT"), lambda e: "Ok " + e.UserName + ", I retract that.", None),
        (_has("OKAY"), _f("SER", "OKAY"), None),
    ],
    "FUN": [
        (_always, "thanks for that.", None),
        (_has("NO"), _f("FUN", "NO"), None),
        (_has("YES"), _f("FUN", "YES"), None),
    ],
    "ROM": [
        (_always, _f("ROM", "always"), None),
        (_has("YES"), " then, if you're sure then just follow your instinct.", None),
        (_has("NO"), _f("ROM", "NO"), None),
    ],
    "JOB": [
        (_always, _f("JOB", "always"), None),
        (_any("PROFESSOR", "TEACHER", "LECTURER"), _f("JOB", "PROFESSOR | TEACHER | LECTURER"), None),
        (_has("MECHANIC"), _f("JOB", "MECHANIC"), None),
        (_has("ACCOUNT"), _f("JOB", "ACCOUNT"), None),
        (_has("PILOT"), _f("JOB", "PILOT"), None),
        (_has("ENGINEER"), _f("JOB", "ENGINEER"), None),
        (_has("SALES"), _f("JOB", "SALES"), None),
        (_any("NOTHING", "UNEMPLOYED"), _f("JOB", "NOTHING | UNEMPLOYED"), None),
        (_has("STUDENT"), "I see, when are your exams?", "EXAM"),
        (_has("DOCTOR"), _f("JOB", "DOCTOR"), None),
        (_has("DENTIST"), _f("JOB", "DENTIST"), None),
        (_any("MINISTER", "PRIEST", "VICAR"), _f("JOB", "MINISTER | PRIEST | VICAR"), None),
        (_has("POLICE"), _f("JOB", "POLICE"), None),
        (_has("FIRE"), _f("JOB", "FIRE"), None),
        (_any("SOLDIER", "MILITARY"), _f("JOB", "SOLDIER | MILITARY"), None),
        (_has("COMPUTER"), _f("JOB", "COMPUTER"), None),
        (_any("MUM", "MOM"), "How many kids?", "KIDS"),
        (_has("RESEARCHER"), _f("JOB", "RESEARCHER"), None),
        (_has("SECRETARY"), _f("JOB", "SECRETARY"), None),
        (_has("DESIGN"), _f("JOB", "DESIGN"), None),
        (_has("SOCIAL"), _f("JOB", "SOCIAL"), None),
        (_any("WHORE", "PROSTITUTE"), _f("JOB", "WHORE | PROSTITUTE"), None),
        (_any("HOST", "PRESENTER"), _f("JOB", "HOST | PRESENTER"), None),
    ],
    "KIDS": [
        (_always, _f("KIDS", "always"), None),
    ],
    "EXAM": [
        (_always, _f("EXAM", "always"), None),
        (_has("NOT"), "Oh.", None),
        (_has("SOON"), "Good luck.", None),
    ],
    "UPTO": [
        (_always, "Anything else?", None),
        (_any("FILM", "CINEMA"), _f("UPTO", "FILM | CINEMA"), None),
        (_has("OUT"), _f("UPTO", "OUT"), None),
        (_has("HOME"), _f("UPTO", "HOME"), None),
        (_has("WORK"), "Haven't you had any free time?", "YESNO"),
        (_has("SCHOOL"), "Too Bad, what did you do at school?", "UPTO"),
        (_any("THEATRE", "PLAY"), _f("UPTO", "THEATRE | PLAY"), None),
        (_has("PLAYING"), "Did you have a good time?", "YESNO"),
        (_has("LOTS"), "Did you have a good time?", "YESNO"),
        (_has("CHILLING"), "Cool", None),
        (_any("NOTHING", "NOT"), "You're boring", None),
    ],
    "WEATHER": [
        (_always, _f("WEATHER", "always"), None),
        (_has("NICE"), _f("WEATHER", "NICE"), None),
        (_has("SUNNY"), _f("WEATHER", "SUNNY"), None),
        (_has("SNOWY"), _f("WEATHER", "SNOWY"), None),
        (_has("SHIT"), "What a shame.", None),
        (_has("AWFUL"), "Really?", "YESNO"),
        (_has("DULL"), "Isn't that depressing?", "YESNO"),
    ],
    "FRIEND": [
        (_always, "So, what do you do with your friends?", "UPTO"),
        (_any("BOYFRIEND", "GIRLFRIEND"), "How romantic.", None),
        (_has("BEST"), "Do you ever fight?", "YESNO"),
        (_any("LOUSY", "BAD"), _f("FRIEND", "LOUSY | BAD"), None),
    ],
    "HOBBY": [
        (_always, _f("HOBBY", "always"), None),
        (_has("JOG"), _f("HOBBY", "JOG"), None),
        (_has("KNIT"), _f("HOBBY", "KNIT"), None),
        (_has("SEW"), _f("HOBBY", "SEW"), None),
        (_has("CAMP"), _f("HOBBY", "CAMP"), None),
        (_any("CYCLE", "BIK"), _f("HOBBY", "CYCLE | BIK"), None),
        (_has(HOBBY_READ_KEY), _f("HOBBY", HOBBY_READ_KEY), None),
        (_has("PROGR"), "What language?", None),
        (_has("COMP"), _f("HOBBY", "COMP"), None),
    ],
    "JOKE": [
        (_always, _f("JOKE", "always"), None),
        (_has("YES"), _joke, None),
        (_has("NO"), "You're boring.", None),
    ],
    "BYE": [
        (_always, _f("BYE", "always"), None),
    ],
}


def _run(engine, rules, sentence: str) -> None:
    # Every rule whose test holds adds its candidate; no rule stops a later one.
    for test, reply, code in rules:
        if test(sentence, engine):
            text = reply(engine) if callable(reply) else reply
            # No code: the slot's code is left as it is; no score change.
            engine.add_candidate(text, code, None)


def follow_up_context(engine, sentence: str) -> None:
    if "IT IS" in sentence:
        _run(engine, IT_IS_RULES, sentence)
    if "YOU ARE" in sentence:
        _run(engine, YOU_ARE_RULES, sentence)
    code = engine.LastContext
    if code in IDENTITY_CODES:
        from . import identity
        identity.follow_up_identity(engine, sentence)
        return
    rules = BLOCKS.get(code)
    if rules is not None:
        _run(engine, rules, sentence)
