"""Compares two transcripts of the toolkit table (run_cases writes them) case
by case, byte for byte.

    compare_transcripts.py [--shown N] NATIVE OTHER

NATIVE and OTHER are transcript files or build folders (their
tests/sameness/toolkit_transcript.txt), e.g. build/default build/wasm.
Prints the number of differing cases, by sub-command, and the first few with
what differs. Fails on any difference.
"""

import argparse
import os
import sys

TRANSCRIPT = os.path.join("tests", "sameness", "toolkit_transcript.txt")
SUB_COMMANDS = ["report", "solve", "solve-depth", "solve-width", "table", "batch", "jump", "profile", "click"]


class Case:
    def __init__(self, header, status, stdout, stderr):
        self.header, self.status, self.stdout, self.stderr = header, status, stdout, stderr

    @property
    def sub_command(self):
        words = self.header.split(b": ", 1)[-1].split(b" ")
        name = words[1].decode() if len(words) > 1 else ""
        return name if name in SUB_COMMANDS else "five boxes"


def read_transcript(path):
    with open(path, "rb") as stream:
        data = stream.read()
    cases, at = [], 0

    def line():
        nonlocal at
        end = data.index(b"\n", at)
        text, at = data[at:end], end + 1
        return text

    def block(name):
        nonlocal at
        size = int(line().removeprefix(name + b" "))
        bytes_, at = data[at:at + size], at + size + 1
        return bytes_

    while at < len(data):
        header = line()
        status = line()
        cases.append(Case(header, status, block(b"stdout"), block(b"stderr")))
    return cases


def shown(line, start):
    text = line[start:start + 160].decode("utf-8", "backslashreplace")
    return ("…" if start else "") + text + ("…" if start + 160 < len(line) else "")


def first_difference(name, native, other):
    """The first line of a stream that differs, from a little before its first differing byte."""
    native_lines, other_lines = native.split(b"\n"), other.split(b"\n")
    for k in range(max(len(native_lines), len(other_lines))):
        a = native_lines[k] if k < len(native_lines) else b"(no line)"
        b = other_lines[k] if k < len(other_lines) else b"(no line)"
        if a != b:
            at = next((j for j in range(min(len(a), len(b))) if a[j] != b[j]), min(len(a), len(b)))
            start = max(0, at - 80)
            return f"  {name} line {k + 1}:\n    native {shown(a, start)}\n    this   {shown(b, start)}"
    return f"  {name} differs"


def transcript_path(path):
    return os.path.join(path, TRANSCRIPT) if os.path.isdir(path) else path


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("--shown", type=int, default=5)
    parser.add_argument("native")
    parser.add_argument("other")
    options = parser.parse_args()
    native_path, other_path = transcript_path(options.native), transcript_path(options.other)
    if not os.path.exists(native_path):
        sys.exit(f"missing {native_path}: the native build's transcript comes first:\n"
                 "  cmake --preset default && cmake --build --preset default && "
                 "ctest --preset default -R toolkit_transcript\n"
                 "(or point CHANNELFLOW_NATIVE_BUILD at another native build folder)")
    native, other = read_transcript(native_path), read_transcript(other_path)
    if len(native) != len(other) or any(a.header != b.header for a, b in zip(native, other)):
        sys.exit(f"the transcripts hold different command lines ({len(native)} and {len(other)} cases): "
                 "were they written from the same toolkit table?")

    differing = [(a, b) for a, b in zip(native, other)
                 if (a.status, a.stdout, a.stderr) != (b.status, b.stdout, b.stderr)]
    for a, b in differing[:options.shown]:
        print(a.header.decode("utf-8", "replace"))
        for name, x, y in (("status", a.status, b.status), ("stdout", a.stdout, b.stdout),
                           ("stderr", a.stderr, b.stderr)):
            if x != y:
                print(first_difference(name, x, y))
    by_command = {}
    for a, _ in differing:
        by_command[a.sub_command] = by_command.get(a.sub_command, 0) + 1
    breakdown = ", ".join(f"{name} {count}" for name, count in sorted(by_command.items()))
    print(f"{len(differing)} of {len(native)} cases differ from the native build"
          + (f" ({breakdown})" if breakdown else ""))
    sys.exit(1 if differing else 0)


if __name__ == "__main__":
    main()
