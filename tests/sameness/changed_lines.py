"""Lists the lines that differ between two transcripts of the toolkit table,
case by case, to review a change that moves last digits on purpose.

    changed_lines.py [--shown N] BEFORE AFTER

Counts the differing cases and lines by sub-command and by what the case
gives (a surveyed section, a water level, a range), then prints the first N
cases' lines that differ, before and after.
"""

import argparse
import difflib
import sys

from compare_transcripts import read_transcript


def kind(header, stdout):
    words = header.decode(errors="replace")
    survey = "points" in words or b"points" in stdout  # a batch's rows show their section
    level = "--wse" in words
    ranged = " table " in words or words.split(": ", 1)[-1].startswith("channelflow-cli table")
    return ("survey" if survey else "formula") + (" level" if level else "") + (" range" if ranged else "")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--shown", type=int, default=5)
    parser.add_argument("before")
    parser.add_argument("after")
    args = parser.parse_args()
    before, after = read_transcript(args.before), read_transcript(args.after)
    if len(before) != len(after):
        print(f"{len(before)} cases before, {len(after)} after")
        return 1
    cases, lines, shown = {}, {}, 0
    for old, new in zip(before, after):
        if old.header != new.header:
            print(f"the cases differ: {old.header!r} and {new.header!r}")
            return 1
        if (old.status, old.stdout, old.stderr) == (new.status, new.stdout, new.stderr):
            continue
        a = (old.stdout + old.stderr).decode(errors="replace").splitlines()
        b = (new.stdout + new.stderr).decode(errors="replace").splitlines()
        changed = [line for line in difflib.ndiff(a, b) if line[:1] in ("-", "+")]
        key = (new.sub_command, kind(new.header, new.stdout))
        cases[key] = cases.get(key, 0) + 1
        lines[key] = lines.get(key, 0) + sum(1 for line in changed if line[:1] == "+")
        if shown < args.shown:
            shown += 1
            print(new.header.decode(errors="replace"))
            for line in changed:
                print("  " + line)
    print(f"{sum(cases.values())} of {len(after)} cases differ, {sum(lines.values())} lines:")
    for key in sorted(cases):
        print(f"  {key[0]:12} {key[1]:22} {cases[key]:6} cases {lines[key]:7} lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
