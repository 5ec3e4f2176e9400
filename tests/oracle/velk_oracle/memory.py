"""Remembering the user's statements and saying them back later."""

CR = '\r'


def store_statement(engine, word_count: int, sentence_type: str) -> None:
    line = CR + sentence_type + ":" + engine.SwappedSentence
    if word_count > 2 and "E" in sentence_type:
        engine.StatementMemory += line
    if word_count > 2 and "S" in sentence_type:
        engine.StatementMemory += line


def _recall_table(memory: str) -> list:
    table = []
    copy = memory
    while CR in copy:
        k = copy.index(CR)
        table.append(copy[:k + 1])
        copy = copy[k + 1:]
    if len(table) > 31:
        # lone carriage return, then the 30 most recent lines before the newest
        table = [table[0]] + table[-30:]
    return table


def _type_part(line: str) -> str:
    k = line.find(":")
    return line[:k + 1] if k >= 0 else line


def _said_text(line: str) -> str:
    k = line.find(":")
    said = line[k + 1:] if k >= 0 else ''
    if said.endswith(CR):
        said = said[:-1]
    return said


def recall_statement(engine, word: str) -> None:
    table = _recall_table(engine.StatementMemory)
    count = len(table)
    if word != '':
        answer = ''
        for line in table:
            if word in line and "Q" not in _type_part(line):
                answer = _said_text(line)
        engine.add_candidate(answer)
        return
    if count < 3:
        return
    while True:
        k = int(engine.draw() * count) + 1
        line = table[k] if k < count else ''
        if "Q" in _type_part(line):
            answer = ''
            break
        if line == '':
            continue
        answer = _said_text(line)
        break
    engine.add_candidate(answer)
