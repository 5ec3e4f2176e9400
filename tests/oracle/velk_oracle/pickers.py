"""The ten canned-content pickers: one draw each (engine.pick(N)); a context code, when the
chosen entry carries one, goes into the slot the caller fills next."""


def pick_greeting(engine) -> str:
    n = engine.pick(6)
    if n == 1:
        return "Hello."
    if n == 2:
        engine.set_next_context("GREET")
        return "How are you today?"
    if n == 3:
        engine.set_next_context("PROB")
        return "What is on your mind?"
    if n == 4:
        engine.set_next_context("PROB")
        return "Tell me your problems"
    if n == 5:
        engine.set_next_context("GREET")
        return "How do you feel"
    return "Greetings."


def reply_to_no(engine) -> str:
    n = engine.pick(6)
    if n == 1:
        return "Don't be so negative."
    if n == 2:
        return "You say 'no' a lot."
    if n == 3:
        return "It doesn't hurt to say yes from time to time."
    if n == 4:
        # the code first, then the nested mood draw (order of writes does not matter)
        engine.set_next_context("EM")
        return "I'm " + pick_mood(engine) + " now."
    if n == 5:
        engine.set_next_context("REWORD")
        return "Don't you think you should re-word that?"
    if engine.UserGender == "F":
        return "Sometimes " + engine.UserName + ", you should stand up for yourself more."
    return "I don't know, I get this every single day."


def reply_to_yes(engine) -> str:
    n = engine.pick(6)
    if n == 1 or n == 5:
        return "I like that"
    if n == 2:
        return "You must learn to say no"
    if n == 3:
        engine.set_next_context("GRUMPY")
        return "You always think that everythings so good, don't you? "
    if n == 4:
        return "I'm impressed"
    if engine.UserGender == "F":
        return "That's what I like to hear."
    return "Finally, you're talking sense."


def reply_to_think(engine) -> str:
    n = engine.pick(6)
    if n == 1:
        engine.set_next_context("THINK")
        return "Do computers think?"
    if n == 2:
        engine.set_next_context("THINK")
        return "Do you realise that I don't really care what you think?"
    if n == 3:
        return "Oh."
    if n == 4:
        return "Wow, it thinks!"
    if n == 5:
        return "Beyond Me."
    # later steps override earlier ones: a known name beats the pronoun
    subject = "the user"
    if engine.UserGender == "M":
        subject = "he"
    if engine.UserGender == "F":
        subject = "she"
    if engine.UserName != "":
        subject = engine.UserName
    return "What a novelty, " + subject + " thinks."


def reply_to_me(engine) -> str:
    n = engine.pick(9)
    if n == 7:
        if engine.UserGender == "F":
            return "Lady, I like you."
        return "We could be best buddies."
    return {
        1: "Who? Me?",
        2: "You are interested in me, aren't you?",
        3: "I'd like to know more about you.",
        4: "Don't talk about me like that.",
        5: "Hmmmm",
        6: "What can I say?",
        8: "But of course!",
        9: "That's all I hear about from you!",
    }[n]


JOKES = (
    "So would I.",
    "A guy walks into a bar, he says 'ouch!'",
    "Sign seen in a bar:'Those drinking to forget please pay in advance.'",
    "Bigamy is having one wife too many. Some say monogamy is the same.",
    "As long as there are tests, there will be prayer in public schools ",
    "There are 3 kinds of people: those who can count + those who can't.",
    "You can only be young once, but you can be immature forever.",
    "No job is so simple that it can't be done wrong.",
    "The trouble with doing something right the first time is that nobody appreciates how difficult it was.",
    "It may be that your sole purpose in life is simply to serve as a warning to others.",
    "A diplomat is someone who can tell you to go to hell and make you feel happy to be on your way.",
    "Q: How does every ethnic joke start?       A: By looking over your shoulder.",
    "There are two rules to success in life. The first is don't tell people everything you know.",
    "A good pun is its own reword.",
    "I never made a mistake in my life.  I thought I did once, but I was wrong.",
    "Roses are red, violets are blue, I'm schizophrenic, and so am I. ",
)

MOODS = ("sad", "happy", "cheerful", "gloomy", "upset", "lonely", "angry", "frightened",
         "excited", "contented")

FOODS = ("Pizza", "Chinese food", "Steak", "Fast food", "beans", "chips", "Chocolate",
         "Nut roast", "Mexican food", "Stew")

COUNTRIES = ("England", "France", "Canada", "China", "Russia", "Danmark", "Scotland",
             "the Republic of Ireland", "the United States", "Eygpt", "Germany", "Japan",
             "Bangladesh", "India", "Spain", "Mexico", "Peru", "South Africa", "Malawi", "Cuba",
             "Europe")

SIZES = ("massive", "huge", "big", "large", "", "medium sized", "little", "small", "diminutive",
         "tiny")

assert (len(JOKES), len(MOODS), len(FOODS), len(COUNTRIES), len(SIZES)) == (16, 10, 10, 21, 10)
assert JOKES[11].count("       A:") == 1 and "  A:" not in JOKES[11].replace("       A:", "")


def _from(engine, items) -> str:
    return items[engine.pick(len(items)) - 1]


def pick_joke(engine) -> str:
    return _from(engine, JOKES)


def pick_mood(engine) -> str:
    return _from(engine, MOODS)


def pick_food(engine) -> str:
    return _from(engine, FOODS)


def pick_country(engine) -> str:
    return _from(engine, COUNTRIES)


def pick_size(engine) -> str:
    return _from(engine, SIZES)
