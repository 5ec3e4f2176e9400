"""Driver: python3 -m velk_oracle --seed N < lines  (greeting, then one reply per line)."""

import argparse
import sys

from .engine import Engine


def main() -> int:
    ap = argparse.ArgumentParser(prog="velk_oracle")
    ap.add_argument("--seed", type=int, required=True)
    args = ap.parse_args()
    data = sys.stdin.buffer.read()
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()          # the final line feed ends the last line, it starts no new one
    out = sys.stdout.buffer
    engine = Engine(args.seed)
    engine.init_engine("Velk", "")
    out.write(engine.get_reply("-getgreet-").encode("latin-1") + b"\n")
    for raw in lines:
        if raw.endswith(b"\r"):
            raw = raw[:-1]
        reply = engine.get_reply(raw.decode("latin-1"))
        if engine.end_requested:
            break
        out.write(reply.encode("latin-1") + b"\n")
        out.flush()
    out.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
