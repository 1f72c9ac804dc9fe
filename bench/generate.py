#!/usr/bin/env python3
"""Writes a large valid zlconf configuration, the same for the same seed and size.

    generate.py SHAPE SIZE_MB SEED > file

Shapes:
  blocks    many small link blocks, each with a few segments, options, a
            table-lookup statement, comments and blank lines
  statements  one link block with a very large number of statements: options,
            segment blocks over a bounded set of interface names, and many
            table-lookup statements
  comments  mostly comments, blank lines and indentation, with a few blocks
  repeated  one block of the blocks shape, written over and over: the same kind
            of work as blocks, on an input whose every branch can be foreseen,
            so that timing both shows what the input's randomness costs
"""
import pathlib
import random
import re
import sys


def name_list(header, name):
    """The strings of the C++ array or string `name` in `header`."""
    found = re.search(name + r"(\[\])? = ([^;]*);", header)
    if found is None:
        sys.exit(f"generate.py: no {name} in src/config/families.h")
    return re.findall(r'"(\w*)"', found.group(2))


FAMILIES_H = (pathlib.Path(__file__).resolve().parent.parent / "src/config/families.h").read_text()
LINKS = [family + unit for family in name_list(FAMILIES_H, "kLinkFamilies")
         for unit in name_list(FAMILIES_H, "kLinkUnits")[0]]
FAMILIES = name_list(FAMILIES_H, "kInterfaceFamilies")
MODES = ["rr", "roundrobin", "xor", "dstroute", "fo", "fallover", "so", "spillover", "dym", "dynamic"]
SEG_OPTIONS = ["standby", "trunk", "sameaddr", "diffaddr", "speed auto", "speed 100bt",
               "speed 10bt", "duplex half", "duplex full", "add"]
WORDS = ["uplink", "rack", "spare", "core", "edge", "storage", "backup", "members", "note",
         "replaced", "cable", "switch", "port", "north", "south"]


def interface(rng, names=None):
    if names is not None:
        return rng.choice(names)
    unit = rng.choice(["0123456789abcdef"[rng.randrange(16)], f"{rng.randrange(100):02d}"])
    return rng.choice(FAMILIES) + unit


def address(rng):
    return ":".join(f"{rng.randrange(256):02x}" for _ in range(6))


def comment(rng, words):
    return "^# " + " ".join(rng.choice(WORDS) for _ in range(words))


def block(rng, out):
    out.append(comment(rng, rng.randrange(2, 8)))
    out.append(f"zl {rng.choice(LINKS)}")
    out.append(f"  {rng.choice(MODES)}")
    names = []
    for _ in range(rng.randrange(2, 4)):
        name = interface(rng)
        names.append(name)
        opts = " ".join(rng.choice(SEG_OPTIONS) for _ in range(rng.randrange(0, 3)))
        out.append(f"  seg {name} {opts} ;" if opts else f"  seg {name} ;")
    out.append(f"  tl {address(rng)} {rng.choice(names)}   ^# {rng.choice(WORDS)}")
    out.append("end")
    out.append("")


def statements(rng, out, names):
    r = rng.random()
    if r < 0.15:
        out.append(f"  {rng.choice(MODES)}")
    elif r < 0.45:
        opts = " ".join(rng.choice(SEG_OPTIONS) for _ in range(rng.randrange(1, 4)))
        out.append(f"  segment {interface(rng, names)}\n    {opts}\n  end")
    else:
        out.append(f"  tl {address(rng)} {interface(rng, names)}")


def comments(rng, out):
    r = rng.random()
    if r < 0.45:
        out.append(" " * rng.randrange(0, 12) + comment(rng, rng.randrange(4, 14)))
    elif r < 0.75:
        out.append(" " * rng.randrange(0, 40))
    elif r < 0.97:
        out.append("\t" * rng.randrange(1, 4) + " " * rng.randrange(0, 30) + "^#" + "-" * rng.randrange(10, 70))
    else:
        block(rng, out)


def main():
    shape, size_mb, seed = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    limit = int(size_mb * 1024 * 1024)
    written = 0
    stream = sys.stdout
    names = [interface(rng) for _ in range(48)]
    one_block = []
    block(random.Random(seed), one_block)  # its own draws: the other shapes stay as they were
    if shape == "statements":
        head = "^# one link with very many statements\nzl zl0\n"
        stream.write(head)
        written += len(head)
    while written < limit:
        out = []
        for _ in range(256):
            if shape == "blocks":
                block(rng, out)
            elif shape == "statements":
                statements(rng, out, names)
            elif shape == "comments":
                comments(rng, out)
            elif shape == "repeated":
                out.extend(one_block)
            else:
                sys.exit(f"unknown shape {shape}")
        text = "\n".join(out) + "\n"
        stream.write(text)
        written += len(text)
    if shape == "statements":
        stream.write("end\n")


if __name__ == "__main__":
    main()
