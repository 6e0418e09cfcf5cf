"""Runs `channelflow-cli click` over the click table and compares each output
line with the oracle's.

    compare_click.py INPUT EXPECTED -- [EMULATOR...] CHANNELFLOW_CLI

Prints the number of differing lines and the first few with their input, and
fails unless every line agrees and the exit status is the one the table calls
for (2 when it holds lines without five fields, else 0).
"""

import subprocess
import sys

SHOWN = 10


def main():
    if len(sys.argv) < 5 or sys.argv[3] != "--":
        sys.exit(__doc__)
    input_path, expected_path, command = sys.argv[1], sys.argv[2], sys.argv[4:]
    with open(input_path, "rb") as stream:
        inputs = stream.read().split(b"\n")[:-1]
    with open(expected_path, "rb") as stream:
        expected = stream.read().split(b"\n")[:-1]
    with open(input_path, "rb") as stream:
        run = subprocess.run(command + ["click"], stdin=stream, capture_output=True, check=False)
    actual = run.stdout.split(b"\n")
    if actual and actual[-1] == b"":
        actual.pop()

    differing = [k for k in range(max(len(expected), len(actual)))
                 if k >= len(expected) or k >= len(actual) or expected[k] != actual[k]]
    for k in differing[:SHOWN]:
        given = inputs[k] if k < len(inputs) else b"(no input line)"
        got = actual[k] if k < len(actual) else b"(no output line)"
        want = expected[k] if k < len(expected) else b"(no expected line)"
        print(f"line {k + 1}: {given!r}\n  expected {want!r}\n  got      {got!r}")
    bad_lines = sum(1 for line in expected if line == b"error fields")
    status = 2 if bad_lines else 0
    print(f"{len(differing)} of {len(expected)} lines differ from the oracle "
          f"({len(actual)} lines written, exit status {run.returncode}, expected {status})")
    if run.returncode != status:
        print(run.stderr.decode("utf-8", "replace")[-2000:])
    sys.exit(0 if not differing and run.returncode == status else 1)


if __name__ == "__main__":
    main()
