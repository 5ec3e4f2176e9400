"""Conversation state, candidate list and the entry points of the reply engine."""

from .rng import Rng

SLOTS = 301
MAX_LINE = 32767


def clamp16(v: int) -> int:
    return max(-32768, min(32767, v))


def upper(s: str) -> str:
    # ASCII-only mapping: every other byte stays as it is
    return ''.join(chr(ord(c) - 32) if 'a' <= c <= 'z' else c for c in s)


def lower(s: str) -> str:
    return ''.join(chr(ord(c) + 32) if 'A' <= c <= 'Z' else c for c in s)


def trim(s: str) -> str:
    return s.strip(' ')


class Engine:
    def __init__(self, seed: int, today=(2026, 12, 8, 14, 5, 9)):
        self.seed = seed
        self.today = today
        self.rng = Rng(seed)
        self.StatementMemory = ''
        self.InputHistory = ''
        self.RepeatWord = ''
        self.UserName = ''
        self.BotName = ''
        self.UserAge = 0
        self.UserGender = ''
        self.NameGender = ''
        self.ReplyHistory = ''
        self.LastContext = ''
        self.SwappedSentence = ''
        self.CandidateReply = [''] * SLOTS
        self.CandidateScore = [0] * SLOTS
        self.CandidateContext = [''] * SLOTS
        self.CandidateCount = 0
        self.end_requested = False

    # random choices
    def draw(self) -> float:
        return self.rng.draw()

    def pick(self, n: int) -> int:
        return int(self.draw() * n) + 1

    # candidate list
    def add_candidate(self, reply: str, context=None, score=None) -> None:
        i = self.CandidateCount
        if i >= SLOTS:
            return
        self.CandidateReply[i] = reply
        if context is not None:
            self.CandidateContext[i] = context
        if score is not None:
            op, n = score
            if op == '+':
                self.CandidateScore[i] = clamp16(self.CandidateScore[i] + n)
            else:
                self.CandidateScore[i] = clamp16(n)
        self.CandidateCount = i + 1

    def set_next_context(self, code: str) -> None:
        if self.CandidateCount < SLOTS:
            self.CandidateContext[self.CandidateCount] = code

    def set_next_reply(self, text: str) -> None:
        if self.CandidateCount < SLOTS:
            self.CandidateReply[self.CandidateCount] = text

    def init_engine(self, bot_name: str, user_name: str) -> None:
        # a fixed seed replaces the clock on every call
        self.rng.seed(self.seed)
        self.UserName = user_name
        self.BotName = bot_name
        if self.BotName == '':
            self.BotName = 'Velk'

    def get_reply(self, line: str) -> str:
        from .pipeline import get_reply
        return get_reply(self, line)
