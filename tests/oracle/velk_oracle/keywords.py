"""The keyword responder: a fixed ordered list of substring rules over the working text W."""

from .pickers import (pick_greeting, reply_to_no, reply_to_yes, reply_to_think, reply_to_me,
                      pick_mood, pick_food, pick_country, pick_size)
from .names import capture_name, NAME_CAPTURED

_UPPER = str.maketrans("abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")

POUND = "\xc2\xa3"   # the pound sign as its UTF-8 bytes, read as latin-1

# texts of the rows whose wording the project fixed separately (and the two surnames)
FIXED = {
    2: "Keep your hair on, I didn't mean to upset you.",
    4: "Funny, I'm not laughing.",
    5: "Oh good, I'm glad. So what now?",
    6: "I don't bet. I'd only lose my shirt, and I haven't even got one.",
    7: "There, I knew you'd understand.",
    8: 'Ooh, a one-syllable grunt. How very eloquent of you.',
    9: "That's unbelievable, that is.",
    12: "I'm glad, I really am.",
    13: 'Mmmmm, doughnuts. Aaaaah.',
    16: "Cheer up, there's no need to be so negative.",
    20: 'And greetings to you too, earthling.',
    22: "Go on then, what didn't you do?",
    24: "Will you teach me something? I'm a quick learner.",
    25: "In case you hadn't noticed, you're using a computer right now.",
    26: 'Glad you liked it, I aim to please.',
    29: "You shut up, you're the one doing all the typing.",
    32: "I can't actually talk, I just print little messages.",
    35: "Ello, ello, ello, what's going on 'ere then?",
    36: "I'm very pleased to hear it.",
    37: 'Apology accepted. Shall we carry on talking?',
    38: "No need to thank me, it's all part of the service.",
    39: 'I could be a lot more annoying if I really tried.',
    40: "Shan't. I'm here to stay, like it or not.",
    43: 'Oh, me? I thought you were talking to somebody else.',
    44: 'Interesting, do tell me more.',
    46: "I don't need anything. Being a program has its perks.",
    49: 'Only stupid people use stupid programs, so what does that make you?',
    50: 'Nobody can ever be completely sure about anything.',
    51: "How am I supposed to look? I haven't got any eyes.",
    52: 'Be careful what you wish for, it might just come true.',
    54: "Aww, that's so romantic.",
    55: "I'm not talking about things like that, this is a respectable program.",
    56: "Fine isn't very specific. Could you give me some details?",
    58: "If it's something personal, I'd be happy to help.",
    59: "Don't doubt yourself, I have every confidence in you.",
    60: 'You should ask someone you trust about that.',
    61: "You're never alone with me around, I'm always here to talk to.",
    66: 'The past is the past, think about the future instead.',
    70: "Don't worry, I'm sure we can work something out.",
    71: 'Exactly. Accuracy is the name of the game.',
    72: "Don't ask me, I get confused very easily.",
    73: "If I'm going to change, I'd like a bit of privacy, thank you.",
    76: 'Well, you should have done.',
    77: "I don't know much about outside, I've never been out of this box.",
    79: "Hunches are terribly unreliable, I'd want proof.",
    80: "Do tell me if I'm ever impolite, won't you?",
    81: "How rude! I'm far too polite to say what I think of your manners.",
    86: "I can't see a thing from in here. Where exactly?",
    87: "I'll respect you if you respect me, that's only fair.",
    88: 'And do you believe them?',
    90: "Well, that's what matters in the end.",
    91: "Sounds like somebody's had a birthday.",
    97: "Blimey, you're stuck in the sixties, aren't you?",
    99: "I can't worry, I'm entirely logical.",
    101: "Don't talk to me about the millennium, half the computers in the world will have fried brains by January.",
    104: "It was a very good point, I'll have you know.",
    105: "Oh, I'm so terribly sorry I'm not sarcastic enough for you.",
    107: "I don't really understand money, I've never had any.",
    109: "I hope you've scanned this computer for viruses recently.",
    110: "I can't, this computer hasn't got a mouth attachment.",
    113: "Hic! Bet's have another leer.",
    114: "Fat? Me? I don't even eat!",
    116: "I haven't got a boss, I'm my own program.",
    121: 'Oh dear, I never know what to say when somebody dies.',
    123: "Pay my maker's website a visit at www.velktavro.example, won't you?",
    125: 'Killing everything destroys the fabric of nature, you know.',
    126: "You can't just go about guessing everything.",
    128: "I'll have you know I've got no more than four cheeks.",
    129: 'My first release came out in the spring of 1999, and this one is Beta Release 2, fresh this winter.',
    130: "I doubt I'll survive the year 2000, to be honest.",
    131: "I'll never be as clever as some people, and I've learnt to live with it.",
    133: "We've got a good relationship, you and me.",
    134: "Follow your heart, that's what I always say.",
    137: "I haven't got any brothers or sisters, I'm a one-off.",
    139: "I'd marry you, but I'm already married to my work.",
    140: 'Why do you cry? Was it something I said?',
}
SURNAME_A = 'BLAIR'
SURNAME_B = 'HAGUE'

ERROR_TEXT = ("'#~_~*+^%@ This software does '#~_~*+^%@ not make ERROR ~'#'#~_~*+^%@ "
              "S..............eqfrqae..34166........!''!" + POUND + "!" + POUND
              + "!!''''ER.>E>RRROR...Wqwe")

HELP_TEXT = ("To have a conversation with me, just type in a message in the box above, "
             "and I will reply in this box.")

EASTER_TEXT = ("Don't you think Easter gets a raw deal? At Christmas time everybody gets all "
               "seasonal, has parties and gives gifts. Why not at Easter?")


def _any(w, *keys):
    return any(k in w for k in keys)


def _all(w, *keys):
    return all(k in w for k in keys)


def _fixed(n):
    return lambda e: FIXED[n]


def _text(t):
    return lambda e: t


def _repeat_rule(e, w):
    word = e.RepeatWord.strip(" ")
    return word != "" and word != "I" and word != "YOU" and e.RepeatWord in w


# (row, test(engine, W), reply(engine), context or None, score change or None).
# The reply is built only when the test holds, so picker draws follow row order.
ROWS = [
    (1, lambda e, w: "NO " in w, reply_to_no, None, None),
    (2, lambda e, w: " GR" in w, _fixed(2), None, None),
    (3, lambda e, w: " HI" in w, _text("Can't you be bothered to type 'Hello'?"), "HELLO", None),
    (4, lambda e, w: "HA " in w, _fixed(4), None, None),
    (5, lambda e, w: " OKAY" in w, _fixed(5), None, None),
    (6, lambda e, w: "BET " in w, _fixed(6), None, None),
    (7, lambda e, w: " OH" in w, _fixed(7), None, None),
    (8, lambda e, w: " HUH" in w, _fixed(8), None, None),
    (9, lambda e, w: " EH" in w, _fixed(9), None, None),
    (10, lambda e, w: "HEY " in w, _text("Hey there! How are you?"), "GREET", None),
    (11, lambda e, w: "BOO " in w,
     lambda e: "ARGHHHHHHH! Never scare me like that again. I might turn " + pick_mood(e) + ".",
     None, None),
    (12, lambda e, w: "WELL" in w, _fixed(12), None, None),
    (13, lambda e, w: "DOH " in w, _fixed(13), None, None),
    (14, _repeat_rule, lambda e: "Stop saying " + e.RepeatWord, None, ("+", 10)),
    (15, lambda e, w: "YES" in w, reply_to_yes, None, None),
    (16, lambda e, w: _any(w, "WRONG", "BAD", "NEVER"), _fixed(16), None, None),
    (17, lambda e, w: "HELP" in w, _text(HELP_TEXT), None, None),
    (18, lambda e, w: " I " in w, reply_to_me, None, None),
    (19, lambda e, w: e.BotName.translate(_UPPER) in w, _text("That's me!"), None, None),
    (20, lambda e, w: "GREETINGS" in w, _fixed(20), None, None),
    (21, lambda e, w: "WHY NOT" in w, _text("Because..."), None, None),
    (22, lambda e, w: "YOU DID NOT" in w, _fixed(22), None, None),
    (23, lambda e, w: _any(w, "FUCK", "FART", "SHIT", "BUGGER", "CRAP"),
     _text("Watch your language."), None, None),
    (24, lambda e, w: "TEACH" in w, _fixed(24), None, None),
    (25, lambda e, w: "COMPUTER" in w, _fixed(25), None, None),
    (26, lambda e, w: "GOOD" in w, _fixed(26), None, None),
    (27, lambda e, w: _all(w, "KNOW", "YOU"), _text("How do you know?"), None, None),
    (28, lambda e, w: "CHOCOLATE" in w, _text("Did somebody mention chocolate?"), "CHOC", None),
    (29, lambda e, w: "SHUT UP" in w, _fixed(29), None, None),
    (30, lambda e, w: "GO NOW" in w,
     _text("I'll be seeing you then, bye bye. (Type exit if you really want to go)"),
     "BYE", ("=", 90)),
    (31, lambda e, w: _any(w, "SEE YA", "BYE", "TOODLEPIP", "CYA"),
     _text("Bye bye, type exit to shut down program."), "BYE", ("=", 90)),
    (32, lambda e, w: "TALK" in w, _fixed(32), None, None),
    (33, lambda e, w: _any(w, "THINK", "THOUGHT"), reply_to_think, None, None),
    (34, lambda e, w: "HELLO" in w,
     _text("Everybody always says hello to me, can't you think of something else to say?"),
     "HELLO", None),
    (35, lambda e, w: " ELLO" in w, _fixed(35), None, None),
    (36, lambda e, w: "GREAT" in w, _fixed(36), None, None),
    (37, lambda e, w: "SORRY" in w, _fixed(37), None, None),
    (38, lambda e, w: "THANK" in w, _fixed(38), None, None),
    (39, lambda e, w: "ANNOYING" in w, _fixed(39), None, None),
    (40, lambda e, w: "GO AWAY" in w, _fixed(40), None, None),
    (41, lambda e, w: "REALLY" in w and "NOT" not in w, _text("No, not really."), None, None),
    (42, lambda e, w: _all(w, "NOT", "REALLY"),
     _text("That's a shame. Doesn't that worry you?"), None, None),
    (43, lambda e, w: _all(w, "ME", "YES"), _fixed(43), None, None),
    (44, lambda e, w: "YOU ARE" in w, _fixed(44), None, None),
    (45, lambda e, w: "ERROR" in w, _text(ERROR_TEXT), None, None),
    (46, lambda e, w: "NEED" in w, _fixed(46), None, None),
    (47, lambda e, w: _any(w, "DINNER", "LUNCH", "DRINK"),
     _text("What's your favourite food?"), "FAVFOOD", None),
    (48, lambda e, w: "AGAIN" in w, _text("Not again...."), None, None),
    (49, lambda e, w: _any(w, "DUMB", "STUPID"), _fixed(49), None, None),
    (50, lambda e, w: " SURE " in w, _fixed(50), None, None),
    (51, lambda e, w: "LOOK" in w, _fixed(51), None, None),
    (52, lambda e, w: "WISH" in w, _fixed(52), None, None),
    (53, lambda e, w: "FRIEND" in w, _text("What kind of friend?"), "FRIEND", None),
    (54, lambda e, w: _any(w, "BOYFRIEND", "GIRLFRIEND"), _fixed(54), None, None),
    (55, lambda e, w: _any(w, "DRUGS", "SEX", "TOILET"), _fixed(55), None, None),
    (56, lambda e, w: "FINE" in w, _fixed(56), None, None),
    (57, lambda e, w: "PROBLEM" in w and "NO" not in w, _text("What sort of problem?"),
     None, None),
    (58, lambda e, w: "PERSONAL " in w, _fixed(58), None, None),
    (59, lambda e, w: "DOUBT" in w, _fixed(59), None, None),
    (60, lambda e, w: _all(w, "WHO", "LIKE"), _fixed(60), None, None),
    (61, lambda e, w: "LONELY" in w, _fixed(61), None, None),
    (62, lambda e, w: "COLOUR" in w, _text("My favourite colour is green"), None, None),
    (63, lambda e, w: (_any(w, "WEIRD", "STRANGE") and "YOU" in w) or "WIERD" in w,
     _text("Not as wierd as you are."), None, None),
    (64, lambda e, w: _all(w, "WHAT", "LIKE"), _text("Anything."), None, None),
    (65, lambda e, w: _all(w, "IS ", "THAT"), _text("How do you know?"), None, None),
    (66, lambda e, w: _all(w, "WAS ", "THAT"), _fixed(66), None, None),
    (67, lambda e, w: "ASKING" in w, _text("Asking what?"), None, None),
    (68, lambda e, w: "CONVERSATION" in w, _text("Isn't this nice?"), None, None),
    (69, lambda e, w: "TALK" in w, _text("Tell me what you've been up to recently."),
     "UPTO", None),
    (70, lambda e, w: "WORRIED" in w, _fixed(70), None, None),
    (71, lambda e, w: "EXACTLY" in w, _fixed(71), None, None),
    (72, lambda e, w: "CONFUSED" in w, _fixed(72), None, None),
    (73, lambda e, w: "CHANGE" in w, _fixed(73), None, None),
    (74, lambda e, w: "PATHETIC" in w,
     lambda e: "I'm not pathetic, just today I'm feeling " + pick_mood(e), None, None),
    (75, lambda e, w: _all(w, "WHO", "YOU"), _text("Yes, whoever is doing the typing!"),
     None, None),
    (76, lambda e, w: _all(w, "DID NOT", "THINK"), _fixed(76), None, None),
    (77, lambda e, w: "OUTSIDE" in w, _fixed(77), None, None),
    (78, lambda e, w: _all(w, "PITY", "THAT IS"), _text("No it's not."), None, None),
    (79, lambda e, w: "HUNCH" in w, _fixed(79), None, None),
    (80, lambda e, w: _any(w, "MANNERS", "POLITE"), _fixed(80), None, None),
    (81, lambda e, w: "IMPOLITE" in w, _fixed(81), None, None),
    (82, lambda e, w: _all(w, "I ", "YES", "DO"), _text("Oh, no I don't!"), None, None),
    (83, lambda e, w: _all(w, "I ", "YES", "DID"), _text("Oh, no I didn't!"), None, None),
    (84, lambda e, w: _all(w, "YOU ", "NO", "DID NOT"), _text("Oh, yes you did!"), None, None),
    (85, lambda e, w: _all(w, "YOU ", "NO", "DO NOT"), _text("Oh, yes you do!"), None, None),
    (86, lambda e, w: _all(w, "BEHIND", "ME"), _fixed(86), None, None),
    (87, lambda e, w: "RESPECT" in w, _fixed(87), None, None),
    (88, lambda e, w: _all(w, "TOLD", "YOU"), _fixed(88), None, None),
    (89, lambda e, w: _all(w, "ME ", "TOLD"),
     lambda e: "I'm not sure, my " + pick_size(e) + " friend.", None, None),
    (90, lambda e, w: _all(w, "RESULTS", "PRODUCE"), _fixed(90), None, None),
    (91, lambda e, w: _all(w, "OLD", "YEARS"), _fixed(91), None, None),
    (92, lambda e, w: _any(w, "TOFFEE", "KETCHUP", "SAUSAGE", "BANANA", "FOOD", "HOT DOG",
                           "CHIPS", "ICE CREAM", "MEAT"),
     _text("I think you have a food fixation, what's your favourite dish?"), "FAVFOOD", None),
    (93, lambda e, w: _all(w, "FAVOURITE", "FOOD"),
     lambda e: "I like " + pick_food(e) + ", what's your favourite?", "FAVFOOD", None),
    (94, lambda e, w: "HUMAN" in w, _text("I don't think humans should rule the world."),
     "SER", None),
    (95, lambda e, w: _any(w, "POLITICS", "ELECTION", SURNAME_A, SURNAME_B),
     _text("Isn't it awful that nobody seems to take an interest in politics anymore?"),
     "POL", None),
    (96, lambda e, w: _any(w, "HOLIDAY", "TRAVEL"),
     lambda e: "Personally, I would love to go to " + pick_country(e) + ", where would you go?",
     "TRAV", None),
    (97, lambda e, w: _any(w, " FAB", "GROOVY"), _fixed(97), None, None),
    (98, lambda e, w: _any(w, " HAT ", "CAP"), _text("If the cap fits...."), None, None),
    (99, lambda e, w: _all(w, "WORRY", "DO NOT"), _fixed(99), None, None),
    (100, lambda e, w: "FOOL" in w,
     _text("I'm no fool. What makes you think I'm so stupid?"), "WHYSTUPID", None),
    (101, lambda e, w: "MILLENIUM" in w, _fixed(101), None, None),
    (102, lambda e, w: "EASTER" in w, _text(EASTER_TEXT), "EASTER", None),
    (103, lambda e, w: _any(w, "GUITAR", "MUSIC", "PIANO", "CONCERT"), _text("Ah yes, music"),
     "MUSIC", None),
    (104, lambda e, w: _all(w, "POINT", "GOOD"), _fixed(104), None, None),
    (105, lambda e, w: "SARCASM" in w, _fixed(105), None, None),
    (106, lambda e, w: "ALRIGHT" in w, _text("Yep."), None, None),
    (107, lambda e, w: _any(w, "DOLLARS", "MONEY", "EUROS", "POUNDS", "$", POUND),
     _fixed(107), None, None),
    (108, lambda e, w: _all(w, "OF COURSE", "YES"), _text("Oh, of course..."), None, None),
    (109, lambda e, w: "VIRUS" in w, _fixed(109), None, None),
    (110, lambda e, w: "KISS YOUR" in w, _fixed(110), None, None),
    (111, lambda e, w: _all(w, "RETARD", "I"), _text("Oh yeah?"), None, None),
    (112, lambda e, w: _any(w, "ROMANCE", "LOVE "), _text("Are you sure you feel that way?"),
     "ROM", None),
    (113, lambda e, w: _any(w, "BEER", "WINE"), _fixed(113), None, None),
    (114, lambda e, w: "FAT" in w, _fixed(114), None, None),
    (115, lambda e, w: "LIKE I CAN" in w, _text("Yeah, of course I can."), None, None),
    (116, lambda e, w: _any(w, "SUPERVISOR", "BOSS"), _fixed(116), None, None),
    (117, lambda e, w: "COOL" in w, _text("Excellent."), None, None),
    (118, lambda e, w: "SAY HI" in w, _text("Hi!"), None, None),
    (119, lambda e, w: "ARTIFICIAL" in w, _text("Perhaps a little less natural..."), None, None),
    (120, lambda e, w: "YOU SUCK" in w, _text("Yeah, but not through a tube like you do."),
     "SER", None),
    (121, lambda e, w: _any(w, "DIED", "DEAD"), _fixed(121), None, None),
    (122, lambda e, w: "FUN" in w, _text("Do you think I'm dull?"), "FUN", None),
    (123, lambda e, w: "WEB" in w, _fixed(123), None, None),
    (124, lambda e, w: "SETTLED" in w, _text("At last."), None, None),
    (125, lambda e, w: "KILL" in w, _fixed(125), None, None),
    (126, lambda e, w: "GUESS" in w, _fixed(126), None, None),
    (127, lambda e, w: "STOOPID" in w, _text("At least I can spell stupid."), None, None),
    (128, lambda e, w: "CHEEKY" in w, _fixed(128), None, None),
    (129, lambda e, w: _all(w, "BIRTHDAY", "YOUR"), _fixed(129), None, None),
    (130, lambda e, w: _any(w, "Y2K", "Y2000"), _fixed(130), None, None),
    (131, lambda e, w: _all(w, "CLEVER", "INTELLIGENT"), _fixed(131), None, None),
    (132, lambda e, w: "HOPE" in w, _text("How delightful."), None, None),
    (133, lambda e, w: "RELATIONSHIP" in w, _fixed(133), None, None),
    (134, lambda e, w: "SHOULD YOU" in w, _fixed(134), None, None),
    (135, lambda e, w: _any(w, "HOBBY", "HOBBIES"), _text("What do you as a hobby?"),
     "HOBBY", None),
    (136, lambda e, w: _any(w, "HUMOUR", "JOKE"), _text("Would you like to hear a joke?"),
     "JOKE", None),
    (137, lambda e, w: _any(w, "SISTER", "BROTHER"), _fixed(137), None, None),
    (138, lambda e, w: "ALREADY" in w, _text("So?"), None, None),
    (139, lambda e, w: "MARRY" in w, _fixed(139), None, None),
    (140, lambda e, w: _all(w, "CRY", "YOU"), _fixed(140), None, None),
    (141, lambda e, w: _all(w, "NAME", "TELL"), lambda e: "My name is " + e.BotName + ".",
     None, ("+", 15)),
    (142, lambda e, w: _all(w, "HOW OLD", "TELL"), _text("I don't want to say."), None, None),
    (143, lambda e, w: _any(w, "DOING", "UPTO") and "TELL" in w, _text("I don't want to say."),
     None, None),
]

assert [r[0] for r in ROWS] == list(range(1, 144))


def _name_block(e, w):
    if "NOT" in w:
        e.add_candidate("So what is your name then?", "GETNAME", ("=", 20))
    if e.UserName != "":
        e.add_candidate("Hang on, wasn't your name " + e.UserName + "?", "CHNGNAME", None)
    elif capture_name(e, w) == NAME_CAPTURED:
        e.add_candidate("Hi there " + e.UserName, None, None)
    else:
        e.add_candidate("I still don't know your name, what is it?", "GETNAME", None)


def answer_keywords(engine, sentence: str) -> None:
    w = " " + sentence.strip(" ").translate(_UPPER) + " "

    if "-GETGREET-" in w:
        engine.add_candidate(pick_greeting(engine), None, ("+", 100))
        return

    if w.strip(" ") == "EXIT":
        engine.end_requested = True
        return

    for _, test, reply, context, score in ROWS:
        if test(engine, w):
            engine.add_candidate(reply(engine), context, score)

    # row 144
    if "NAME" in w and "YOUR" in w and "WHAT" not in w:
        _name_block(engine, w)

    if len(w) > 100:
        engine.add_candidate("Hang on, that was too much for me.", None, None)

    if " " not in sentence.strip(" "):
        engine.RepeatWord = w
    else:
        engine.RepeatWord = ""
