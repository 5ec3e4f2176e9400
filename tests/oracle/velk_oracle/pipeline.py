"""GetReply: normalisation, sentence and word splitting, swap, word pass and responder cascade."""

from .engine import MAX_LINE, upper, trim
from .synonyms import canonicalise_word
from .swap import swap_word

MAX_SENTENCES = 11
MAX_WORD_SLOT = 30
MAX_PASSES = 64

CONTRACTION_MARKERS = ("I'M", "N'T", "YOU'RE", "E'S", "WE'RE", "THEY'RE", "'VE", "'D", "'LL", "'S")
CONTRACTIONS = [
    ("CAN'T", "CAN NOT"), ("WON'T", "WILL NOT"), ("N'T", " NOT"), ("WHAT'S", "WHAT IS"),
    ("I'M", "I AM"), ("YOU'RE", "YOU ARE"), ("HE'S", "HE IS"), ("SHE'S", "SHE IS"),
    ("IT'S", "IT IS"), ("WE'RE", "WE ARE"), ("THEY'RE", "THEY ARE"), ("I'VE", "I HAVE"),
    ("YOU'VE", "YOU HAVE"), ("WE'VE", "WE HAVE"), ("THEY'VE", "THEY HAVE"), ("I'D", "I WOULD"),
    ("YOU'D", "YOU WOULD"), ("HE'D", "HE WOULD"), ("SHE'D", "SHE WOULD"), ("IT'D", "IT WOULD"),
    ("WE'D", "WE WOULD"), ("THEY'D", "THEY WOULD"), ("'LL", " WILL"), ("LET'S", "LET US"),
    ("THAT'S", "THAT IS"), ("NAME'S", "NAME IS"), ("DUNNO", "DO NOT KNOW"), ("U'RE", "YOU ARE"),
    ("WHO'S", "WHO IS"),
]
assert len(CONTRACTIONS) == 29


def replace_first(text: str, x: str, y: str) -> str:
    return text.replace(x, y, 1)


def replace_all_repeatedly(text: str, x: str, y: str) -> str:
    while x in text:
        text = replace_first(text, x, y)
    return text


def normalise(line: str) -> str:
    t = upper(line)
    for x, y in (("  ", " "), ("..", "."), ("!!", "!"), ("??", "?")):
        t = replace_all_repeatedly(t, x, y)
    t = replace_all_repeatedly(t, "N;T", "N'T")
    for emo in (":-)", ";-)", ":-O", ":-(", ":-]"):
        t = replace_all_repeatedly(t, emo, "")
    for _ in range(MAX_PASSES):
        if not any(m in t for m in CONTRACTION_MARKERS):
            break
        before = t
        for x, y in CONTRACTIONS:
            if x in t:
                t = replace_first(t, x, y)
        if t == before:
            break
    return t


def split_sentences(t: str) -> list:
    sentences = []
    start = 1
    length = len(t)

    def store(end):
        if len(sentences) < MAX_SENTENCES:
            sentences.append(t[start - 1:end])

    for i in range(1, length + 1):
        if i == length:
            store(i)
            continue
        if t[i - 1:i + 2] == " - ":
            store(i)
            start = i + 3
        for mark in (",", ".", "!", "?", ":", ";"):
            if t[i - 1] == mark:
                store(i)
                start = i + 1
    return sentences


def split_words(sentence: str):
    """Returns (word slots 0..30, spaced text)."""
    words = [''] * (MAX_WORD_SLOT + 1)
    current = upper(trim(sentence))
    spaced = ''
    index = 0
    last_taken = False
    while True:
        index += 1
        if " " not in current:
            break
        k = current.index(" ")
        word, current = current[:k], current[k + 1:]
        words[index] = word
        spaced = spaced + " " + word
        if index == MAX_WORD_SLOT:
            # slot 30 took the next word; the rest of the sentence is dropped
            last_taken = True
            break
    if not last_taken:
        words[index] = current
        spaced = spaced + " " + current
    return words, upper(spaced)


def _strip_marks(word: str, stype: str):
    if not any(m in word for m in "!?."):
        stype = "S"
    while any(m in word for m in "<>,.!?"):
        for mark, letter in ((";", "C"), (":", "C"), (",", "C"), (".", "S"), ("!", "E"),
                             ("?", "Q"), ("<", "S"), (">", "S"), ("/", ""), ("\\", "")):
            if mark in word:
                stype += letter
                word = replace_first(word, mark, "")
    return word, stype


def get_reply(engine, line: str) -> str:
    from .questions import answer_bot_question
    from .keywords import answer_keywords
    from .followups import follow_up_context
    from .content_words import is_content_word
    from .memory import store_statement, recall_statement
    from .selection import select_reply
    from .styling import style_reply

    if len(line) > MAX_LINE:
        cut = MAX_LINE
        for _ in range(3):
            if 0x80 <= ord(line[cut]) <= 0xBF:
                cut -= 1
            else:
                break
        line = line[:cut]

    # 1
    if trim(engine.BotName) == '':
        engine.init_engine("Velk", "")
    # 2
    engine.CandidateCount = 0
    # 3, 4
    text = normalise(line)
    # 5
    sentences = split_sentences(text)
    state = {'pronoun': False}
    opening, rest, taken = '', '', 0
    for sentence in sentences:
        words, spaced = split_words(sentence)
        i_flag = "I " in spaced
        you_flag = "YOU " in spaced
        stype = ''
        for w in range(1, MAX_WORD_SLOT):
            if words[w] == '' and words[w + 1] == '':
                break
            words[w], stype = _strip_marks(words[w], stype)
            words[w] = canonicalise_word(trim(words[w]))
            swap_word(words, w, i_flag, you_flag, state)
        # word pass
        engine.SwappedSentence = ''
        word_count = 0
        for k in range(MAX_WORD_SLOT + 1):
            word = words[k]
            if word == '':
                continue
            engine.SwappedSentence = engine.SwappedSentence + word + " "
            if is_content_word(engine, word):
                recall_statement(engine, word)
            word_count += 1
        store_statement(engine, word_count, stype)
        for k in range(0, min(word_count, MAX_WORD_SLOT) + 1):
            if taken < 2:
                if words[k] != '':
                    opening += words[k]
                    taken += 1
            else:
                rest += words[k]
        # cascade
        answer_bot_question(engine, opening, rest)
        if "Q" in stype:
            answer_bot_question(engine, "", "")
        answer_keywords(engine, engine.SwappedSentence)
        if engine.end_requested:
            return ""
        follow_up_context(engine, engine.SwappedSentence)
        engine.SwappedSentence = ''

    winning = select_reply(engine, line)
    return style_reply(engine, winning)
