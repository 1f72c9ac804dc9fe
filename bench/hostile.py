#!/usr/bin/env python3
"""Writes input made to hurt a planner, the same for the same seed and size.

    hostile.py SHAPE SIZE_MB SEED > file
    hostile.py state > file        the driver state the dumpinfo shape plans against

Shapes:
  junk      characters that form no token, misspelt and upper-case words,
            lines that begin with '#', one very long word: warnings everywhere
  blocks    many small link blocks that come back to the same links, each
            link keeping two segments and eight table-lookup entries
  entries   link blocks of 100000 table-lookup statements each, every address
            new, some given twice and some naming no member
  dumpinfo  one block on a link of 4095 segments that asks for its report
            again and again; SIZE_MB is the size of what zlconf prints, not
            of the input, which stays small
"""
import random
import sys

SEGMENTS = 4095
# One line of a segment's report is some 70 bytes.
REPORT_BYTES = SEGMENTS * 70


def junk(rng, out):
    r = rng.random()
    if r < 0.3:
        out.append(" ".join(rng.choice(["segmnet", "standyb", "tl!", "@@", "$x", "ce0%", "spead"])
                            for _ in range(rng.randrange(4, 16))))
    elif r < 0.55:
        out.append(" ".join(rng.choice(["ZL", "SEG", "CE0", "End", "TRUNK", "Speed"])
                            for _ in range(rng.randrange(4, 16))))
    elif r < 0.8:
        out.append("# " + " ".join(rng.choice(["note", "seg", "ce1", "end"]) for _ in range(8)))
    elif r < 0.995:
        out.append("".join(rng.choice("@$%&*!?~`|") for _ in range(rng.randrange(1, 120))))
    else:
        out.append("x" * rng.randrange(10000, 200000) + "@")


def blocks(rng, out):
    link = rng.randrange(9)
    mode = rng.choice(["rr", "xor", "fo", "so", "dym"])
    role = rng.choice(["standby", "trunk"])
    address = f"02:00:00:00:0{link}:0{rng.randrange(8)}"
    out.append(f"zl zl{link} {mode}\n  seg ce0 ;\n  seg ce1 {role} ;\n"
               f"  tl {address} {rng.choice(['ce0', 'ce1'])}\nend")


def entries(rng, out, block):
    out.append(f"zl zl{block % 9} seg ce0 ; seg ce1 ;")
    for n in range(100000):
        address = ":".join(f"{b:02x}" for b in (2, block % 256, (n >> 16) & 255, (n >> 8) & 255,
                                                n & 255, rng.randrange(256)))
        member = "ce2" if n % 997 == 0 else rng.choice(["ce0", "ce1"])
        out.append(f"  tl {address} {member}")
        if n % 1009 == 0:
            out.append(f"  tl {address} {member}")
    out.append("end")


def main():
    if sys.argv[1:] == ["state"]:
        print("link zl0\n  mode 0x00000110")
        for n in range(SEGMENTS):
            print(f"  segment s{n:04x} state 0x00010110")
        return
    shape, size_mb, seed = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    limit = int(size_mb * 1024 * 1024)
    if shape == "dumpinfo":
        sys.stdout.write("zl zl0\n" + "di\n" * max(1, limit // REPORT_BYTES) + "end\n")
        return
    written = 0
    block = 0
    while written < limit:
        out = []
        if shape == "junk":
            for _ in range(256):
                junk(rng, out)
        elif shape == "blocks":
            for _ in range(256):
                blocks(rng, out)
        elif shape == "entries":
            entries(rng, out, block)
            block += 1
        else:
            sys.exit(f"unknown shape {shape}")
        text = "\n".join(out) + "\n"
        sys.stdout.write(text)
        written += len(text)


if __name__ == "__main__":
    main()
