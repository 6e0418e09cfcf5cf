"""Writes the command lines the documentation shows, as run_cases takes them:
every `$ ... channelflow-cli ...` line of the README (its printf input as
stdin, the pipes after it left out: the whole output is compared) and every
example of the help pages (the question table's examples).

    documented_examples.py SOURCE_DIR CASES
"""

import re
import shlex
import sys


def escape_field(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def readme_lines(path):
    text = open(path, encoding="utf-8").read()
    # A command continued over lines with a backslash.
    text = re.sub(r"\\\n\s*", " ", text)
    for line in text.splitlines():
        if not line.startswith("$ ") or "channelflow-cli" not in line:
            continue
        yield line[2:]


def case_of(command):
    """stdin and arguments of one shell line, or None when it is not one the table can run."""
    stdin = ""
    parts = [part.strip() for part in command.split("|")]
    words = None
    for part in parts:
        tokens = shlex.split(part.split(";")[0])
        if not tokens:
            continue
        if tokens[0] == "printf":
            stdin = tokens[1].encode().decode("unicode_escape").encode("latin-1").decode("utf-8")
        elif tokens[0].endswith("channelflow-cli"):
            words = tokens[1:]
            break
    if words is None or any(w.startswith(("<", ">")) or "river.csv" in w for w in words):
        return None
    return stdin, words


def help_examples(path):
    source = open(path, encoding="utf-8").read()
    for block in re.findall(r"k\w+Examples\{(.*?)\};", source, re.S):
        # Adjacent literals are one string, as the compiler joins them.
        block = re.sub(r'"\s*\n\s*"', "", block)
        for example in re.findall(r'"([^"]*)"', block):
            yield example


def main():
    root, out = sys.argv[1], sys.argv[2]
    commands = list(readme_lines(f"{root}/README.md"))
    commands += ["channelflow-cli " + example for example in help_examples(f"{root}/calc/toolkit/question.cpp")]
    seen = set()
    with open(out, "w", encoding="utf-8") as f:
        for command in commands:
            case = case_of(command)
            if case is None or repr(case) in seen:
                continue
            seen.add(repr(case))
            stdin, words = case
            f.write("\t".join(escape_field(field) for field in [stdin] + words) + "\n")


if __name__ == "__main__":
    main()
