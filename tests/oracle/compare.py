#!/usr/bin/env python3
"""Differential test: feeds the same lines to the built engine (velk_replay) and to the
independent Python reading in velk_oracle/, seed by seed, and reports the first reply
that differs per seed with the input line that led to it.

    compare.py --replay build/velk_replay --seeds 1-5 LINES_FILE [LINES_FILE ...]

Output line 1 is the greeting; output line k+1 answers input line k. A line that starts
with "### " begins a fresh conversation (both sides are started anew; the line itself is
not sent), so one file can hold many short conversations that each start from nothing.
Exits 1 on any difference, 2 when either side fails to run.
"""

import argparse
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

NL = b"\n"
HERE = os.path.dirname(os.path.abspath(__file__))


def parse_seeds(text):
    seeds = []
    for part in text.split(","):
        first, _, last = part.partition("-")
        seeds.extend(range(int(first), int(last or first) + 1))
    return seeds


def input_lines(data):
    # Split as both drivers do: at line feeds, one trailing carriage return removed.
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return [ln[:-1] if ln.endswith(b"\r") else ln for ln in lines]


def conversations(data):
    """Splits a file at its "### title" lines into (title, lines) pairs."""
    parts, title, current = [], "", []
    for line in data.split(b"\n")[:-1] if data.endswith(b"\n") else data.split(b"\n"):
        if line.startswith(b"### "):
            if current or title:
                parts.append((title, b"".join(ln + b"\n" for ln in current)))
            title, current = line[4:].decode("latin-1").strip(), []
        else:
            current.append(line)
    if current or title:
        parts.append((title, b"".join(ln + b"\n" for ln in current)))
    return parts


# The oracle runs from the source tree, which must stay free of byte-code caches.
ORACLE_ENV = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")


def run(cmd, data, cwd=None, timeout=600):
    proc = subprocess.run(cmd, input=data, capture_output=True, cwd=cwd, timeout=timeout, env=ORACLE_ENV)
    return proc.returncode, proc.stdout, proc.stderr


def show(raw):
    return raw.decode("latin-1").encode("unicode_escape").decode("ascii")


def compare_one(replay, name, data, seed):
    """Returns (ok, report lines)."""
    label = f"{name} seed {seed}"
    rc_e, out_e, err_e = run([replay, str(seed)], data)
    rc_o, out_o, err_o = run([sys.executable, "-m", "velk_oracle", "--seed", str(seed)], data, cwd=HERE)
    if rc_e != 0 or rc_o != 0:
        msg = [f"{label}: FAILED TO RUN (engine exit {rc_e}, oracle exit {rc_o})"]
        for name, err in (("engine", err_e), ("oracle", err_o)):
            if err:
                msg.append(f"  {name} stderr: {show(err.strip().splitlines()[-1])}")
        return None, msg
    if out_e == out_o:
        return True, [f"{label}: identical ({out_e.count(NL)} replies)"]
    eng, ora = out_e.split(b"\n"), out_o.split(b"\n")
    n = next(i for i in range(max(len(eng), len(ora))) if (eng[i:i + 1] or [None]) != (ora[i:i + 1] or [None]))
    lines = input_lines(data)
    said = "-getgreet-" if n == 0 else (show(lines[n - 1]) if n - 1 < len(lines) else "(after the last line)")
    # The replies just before help to see which conversation led there.
    context = [f"    {show(lines[i - 1]) if i else '-getgreet-'}  ->  {show(eng[i])}" for i in range(max(0, n - 3), n)]
    return False, [
        f"{label}: first difference at reply {n} (input line {n})",
        *context,
        f"  input : {said}",
        f"  oracle: {show(ora[n]) if n < len(ora) else '(no reply)'}",
        f"  engine: {show(eng[n]) if n < len(eng) else '(no reply)'}",
    ]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--replay", required=True, help="path to the built velk_replay")
    ap.add_argument("--seeds", default="1-5", help="e.g. 1-5 or 1,7,20-30")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--quiet", action="store_true", help="report differing seeds only")
    ap.add_argument("files", nargs="+")
    args = ap.parse_args()

    work = []
    for path in args.files:
        with open(path, "rb") as f:
            for title, data in conversations(f.read()):
                label = os.path.basename(path) + (f" [{title}]" if title else "")
                work.extend((label, data, seed) for seed in parse_seeds(args.seeds))

    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        results = list(pool.map(lambda w: compare_one(args.replay, *w), work))

    differing = failed = 0
    for ok, msg in results:
        if ok is None:
            failed += 1
        elif not ok:
            differing += 1
        if not (ok and args.quiet):
            print("\n".join(msg))
    print(f"{len(results) - differing - failed} of {len(results)} runs identical"
          f" ({differing} differ, {failed} failed to run)")
    return 2 if failed else (1 if differing else 0)


if __name__ == "__main__":
    sys.exit(main())
