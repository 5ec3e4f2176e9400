"""Whether a word carries meaning of its own (worth recalling statements for)."""

from .engine import upper

COMMON = set("""A ABOUT ALL AN AND ARE AS AT BE BEEN BUT BY CAN DID DO FOR -GETGREET- HAS HAVE HE HELLO HI
HOW I IF IN IS IT KNOW LESS LIKE ME MORE MY NAME NO NOT OF ON OR PLEASE SHE SO TALK TELL THANK THAT THE
THEM THEN THEY THIS TO WANT WAS WHAT WHY WITH WOULD YEAH YES YOU YOUR""".split())
assert len(COMMON) == 63

OPERATORS = ("+", "-", "*", "/")


def number_as_text(value: float) -> str:
    if value == 0:
        return "0"          # also negative zero
    return '%.15g' % value


def is_content_word(engine, word: str) -> bool:
    from .numbers import leading_number
    result = True
    if upper(word) == upper(engine.UserName) or upper(word) == upper(engine.BotName):
        result = False
    if word == number_as_text(leading_number(word)):
        result = False
    if word in OPERATORS:
        result = False
    if word in COMMON:
        result = False
    return result
