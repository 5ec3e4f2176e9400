"""Choosing the one winning candidate, with idle-prompt fallback, and the bookkeeping after it."""

from .engine import SLOTS, clamp16, upper, trim


def _last_slot(engine) -> int:
    # the passes run up to and including slot CandidateCount, never past slot 300
    return min(engine.CandidateCount, SLOTS - 1)


def select_reply(engine, line: str) -> str:
    from .idle import pick_idle_prompt
    from .memory import recall_statement
    reply, score, ctx = engine.CandidateReply, engine.CandidateScore, engine.CandidateContext
    while True:
        # the one-second halving of ReplyHistory never happens: the clock stands still
        winning = ''
        best = 0
        for i in range(_last_slot(engine) + 1):
            if reply[i] == '':
                continue
            if reply[i] in engine.ReplyHistory:
                score[i] = clamp16(score[i] - 20)
            if reply[i] in engine.InputHistory:
                reply[i] = ''
                ctx[i] = ''
            if trim(ctx[i]) != '' and score[i] >= best:
                winning = reply[i] + " "
                engine.LastContext = ctx[i]
                best = score[i]
        if winning == '':
            for i in range(_last_slot(engine) + 1):
                if reply[i] != '' and score[i] >= best:
                    winning = reply[i]
                    engine.LastContext = ctx[i]
                    best = score[i]
        if winning != '':
            break
        if engine.CandidateCount >= SLOTS:
            text, code = pick_idle_prompt(engine)
            winning = text
            engine.LastContext = code
            break
        text, _code = pick_idle_prompt(engine)
        reply[engine.CandidateCount] = text
        engine.CandidateCount += 1
        recall_statement(engine, '')

    engine.InputHistory = engine.InputHistory + "<>" + upper(line)
    for i in range(_last_slot(engine) + 1):
        if reply[i] != '':
            reply[i] = ''
            ctx[i] = ''
            score[i] = 0
    if len(engine.ReplyHistory) > 1900:
        engine.ReplyHistory = engine.ReplyHistory[-1500:]
    engine.ReplyHistory = engine.ReplyHistory + "<>" + winning
    if len(engine.InputHistory) > 1900:
        engine.InputHistory = engine.InputHistory[-1500:]
    return winning
