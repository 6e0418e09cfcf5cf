"""Writes the click table: input lines for `channelflow-cli click` and the
line the oracle expects for each.

    click_table.py INPUT EXPECTED [--lines N] [--seed S]

The lines are drawn from a fixed seed, so every run writes the same table.
Besides typical channels they visit the edges of each step: the text form's
switch to E notation, overflow and underflow, long texts, what the lenient and
the strict reading make of odd texts, and every error a click can raise.
"""

import argparse
import math
import random
import sys
import time

import click_oracle as oracle


def decimal_text(rng, low, high, decimals=None):
    """A uniform number in [low, high] with 1-8 decimals, as typed."""
    if decimals is None:
        decimals = rng.randint(1, 8)
    units = rng.randint(round(low * 10**decimals), round(high * 10**decimals))
    whole, fraction = divmod(units, 10**decimals)
    return f"{whole}.{fraction:0{decimals}d}"


def log_text(rng, low_exponent, high_exponent, style=None):
    """A number 10^u for uniform u, written with 1-8 significant digits in
    plain or E notation."""
    digits = rng.randint(1, 8)
    u = rng.uniform(low_exponent, high_exponent)
    mantissa_exponent = math.floor(u)
    mantissa = min(round(10 ** (u - mantissa_exponent + digits - 1)), 10**digits - 1)
    text_digits = str(mantissa)
    style = style or rng.choice(["plain", "e", "E"])
    point = mantissa_exponent - digits + 1  # value = mantissa * 10^point
    if style == "plain" and -30 < point < 30:
        if point >= 0:
            return text_digits + "0" * point
        body = text_digits.rjust(-point + 1, "0")
        return body[:point] + "." + body[point:]
    mark = "e" if style == "e" else "E"
    head = text_digits[0] + ("." + text_digits[1:] if digits > 1 else "")
    return f"{head}{mark}{mantissa_exponent}" if rng.random() < 0.5 else f"{head}{mark}{mantissa_exponent:+03d}"


def realistic(rng):
    B = decimal_text(rng, 0.1, 100)
    h = decimal_text(rng, 0.01, 20)
    m = "0" if rng.random() < 0.1 else decimal_text(rng, 0, 5)
    i = log_text(rng, -6, -1, style="plain")
    if rng.random() < 0.05:
        i = "-" + i
    n = decimal_text(rng, 0.008, 0.1)
    return [B, h, m, i, n]


def odd_forms(rng):
    """Typical values in the other forms a user types."""
    texts = realistic(rng)
    k = rng.randrange(5)
    value = texts[k]
    texts[k] = rng.choice([
        lambda: "+" + value,
        lambda: value.rstrip("0").rstrip(".") if "." in value else value,
        lambda: value.lstrip("0") if value.startswith("0.") else "00" + value,
        lambda: repr(float(value)),
        lambda: f"{float(value):e}",
        lambda: f"{float(value):.3E}",
        lambda: value + "0" * rng.randint(1, 12),
        lambda: value.split(".")[0] + ".",
    ])()
    return texts


def long_digits(rng):
    """Texts of many digits, mostly in n, some at the exact binary value of a
    double plus or minus a sliver (the hard cases of correct reading)."""
    texts = realistic(rng)
    k = 4 if rng.random() < 0.7 else rng.randrange(4)
    value = float(texts[k])
    kind = rng.randrange(4)
    if kind == 0:
        texts[k] = texts[k] + "".join(rng.choice("0123456789") for _ in range(rng.randint(10, 60)))
    elif kind == 1:
        texts[k] = texts[k] + "".join(rng.choice("0123456789") for _ in range(rng.randint(200, 800)))
    else:
        exact = oracle.Fraction(value)
        if kind == 3:
            # halfway to the next double, then just above or below it
            exact = (exact + oracle.Fraction(math.nextafter(value, math.inf))) / 2
        digits = 60 + rng.randint(0, 60)
        scaled = exact * 10**digits
        units = scaled.numerator // scaled.denominator + rng.choice([-1, 0, 0, 1])
        whole, fraction = divmod(units, 10**digits)
        texts[k] = f"{whole}.{fraction:0{digits}d}"
    return texts


def n_for_target(rng, texts, target, quantity):
    """Chooses n so that v (quantity 0) or Q (quantity 1) lands near `target`."""
    with_unit_n = oracle.click(texts[:4] + ["1"])
    if with_unit_n.startswith("error"):
        return None
    value = float(with_unit_n.split("\t")[quantity])
    if value == 0:
        return None
    return repr(value / target)


def notation_switch(rng):
    """v or Q within a few units of the 15th digit of 1E-05 or 1E+15, or at
    the 15-digit rounding boundary just below them."""
    base = rng.choice([1e-5, 1e15, 9.999999999999995e-6, 9.999999999999995e14, 1e-6, 1e14])
    target = base * (1 + rng.randint(-20, 20) * 1e-16)
    texts = realistic(rng)
    if rng.random() < 0.3:
        texts[0] = log_text(rng, 3, 8)
        texts[1] = log_text(rng, 2, 6)
    n = n_for_target(rng, texts, target, rng.randrange(2))
    if n is None:
        return texts
    texts[4] = n
    return texts


def near_overflow(rng):
    kind = rng.randrange(5)
    if kind == 0:  # the area or the perimeter beyond the range
        return [log_text(rng, 150, 309), log_text(rng, 140, 170), decimal_text(rng, 0, 5), log_text(rng, -6, -1), decimal_text(rng, 0.008, 0.1)]
    if kind == 1:  # R * i or C beyond the range
        return [log_text(rng, 280, 308), log_text(rng, 250, 308), decimal_text(rng, 0, 5), log_text(rng, -10, 40), log_text(rng, -320, -2)]
    if kind == 2:  # Q just below or above the largest double
        texts = [log_text(rng, 100, 200), log_text(rng, 100, 150), decimal_text(rng, 0, 5), log_text(rng, -6, -1), "1"]
        n = n_for_target(rng, texts, 1.7976931348623157e308 * (1 + rng.randint(-40, 5) * 1e-16), 1)
        texts[4] = n or texts[4]
        return texts
    if kind == 3:  # a box text at the edge of the double range
        edge = rng.choice(["1.7976931348623157e308", "1.7976931348623158e308", "1.797693134862315807e308",
                           "1.7976931348623158079e308", "1.79769313486231580793728971405301e+308",
                           "1.79769313486231580793728971405303e+308", "1e309", "-1e309", "2e308",
                           "179769313486231580793728971405302" + "0" * 276, "1e99999999999", "9" * 400])
        texts = realistic(rng)
        texts[rng.randrange(5)] = edge
        return texts
    texts = realistic(rng)  # a tiny n: C overflows or not
    texts[4] = log_text(rng, -320, -300)
    return texts


def near_underflow(rng):
    kind = rng.randrange(4)
    if kind == 0:  # subnormal depth: subnormal area and radius
        return [log_text(rng, -10, 5), log_text(rng, -330, -300), decimal_text(rng, 0, 5), log_text(rng, -30, 0), decimal_text(rng, 0.008, 0.1)]
    if kind == 1:  # tiny width and depth
        return [log_text(rng, -170, -150), log_text(rng, -170, -150), decimal_text(rng, 0, 5), log_text(rng, -200, 0), log_text(rng, -5, 300)]
    if kind == 2:  # v and Q near the smallest doubles
        texts = [log_text(rng, -5, 2), log_text(rng, -20, -5), decimal_text(rng, 0, 5), log_text(rng, -300, -250), log_text(rng, 1, 30)]
        return texts
    edge = rng.choice(["4.9e-324", "5e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
                       "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649918180817996189898282347722858865463328355177969898199387398005390939063150356595155702263922908583924491051844359318028499365361525003193704576782492193656236698636584807570015857692699037063119282795585513329278343384093519780155312465972635795746227664652728272200563740064854999770965994704540208281662262378573934507363390079677619305775067401763246736009689513405355374585166611342237666786041621596804619144672918403005300575308490487653917113865916462395249126236538818796362393732804238910186723484976682350898633885879256283027559956575244555072551893136908362547791869486679949683240497058210285131854513962138377228261454376934125320985913276672363281255", "1e-400", "-1e-400",
                       "2.2250738585072014e-308", "2.2250738585072011e-308", "1e-99999999999", "0." + "0" * 400 + "1"])
    texts = realistic(rng)
    texts[rng.randrange(5)] = edge
    return texts


BLANK_CHOICES = [" ", " ", "  ", "\t", "\n", "\r", " \t "]


def lenient_oddity(rng):
    """What the lenient reading of B, h, m and i makes of untidy texts."""
    texts = realistic(rng)
    k = rng.choice([0, 1, 2, 3])
    value = texts[k]
    cut = rng.randint(0, len(value))
    texts[k] = rng.choice([
        lambda: value[:cut] + rng.choice(BLANK_CHOICES) + value[cut:],
        lambda: rng.choice(BLANK_CHOICES) + value + rng.choice(BLANK_CHOICES),
        lambda: value + rng.choice(["m", " m", "米", "abc", "e", "e+", "e-", "E+x", ".5", ",5", "..", "e3", " e 2", "e-2m", "\\", "%"]),
        lambda: rng.choice(["", " ", "abc", "m", ".", "-", "+", "e5", ".e1", "--1", "+-1", "0x10", "inf", "nan", "１", "２.５", "1_000", "1,5", "1 5", "1 e 3", "- 2", "+ .5", "1e+ 2", "\\t2", "2\\n", "\\\\1"]),
        lambda: "-" + value,
        lambda: "0" * rng.randint(1, 30) + value,
        lambda: value[:cut],
    ])()
    return texts


def strict_oddity(rng):
    """What the strict reading of n accepts and refuses."""
    texts = realistic(rng)
    value = texts[4]
    cut = rng.randint(1, len(value) - 1)
    texts[4] = rng.choice([
        lambda: rng.choice(BLANK_CHOICES) + value + rng.choice(BLANK_CHOICES),
        lambda: value[:cut] + " " + value[cut:],
        lambda: value + rng.choice(["m", "e", "e+", "e-", "E", ".", ".5", "x", ",", "\\"]),
        lambda: rng.choice(["", " ", "\t", "abc", "n=0.025", ".", "-", "+", "e", "1e", "1e+", "1e-", "0x1A", "inf", "nan",
                            "1.5.2", "１", "0,025", "0", "-0", "0.0", "+0e9", "1e-400", "1e400", "-1e400", "+.025", "025.",
                            "2.5E-2", "2.5e-0002", ".025", "-.025", "- 0.025", "0.025 0", "++0.025", "0.025e", "2.5e-2.0"]),
        lambda: "-" + value,
        lambda: "+" + value,
    ])()
    return texts


def every_error(rng):
    texts = realistic(rng)
    kind = rng.randrange(5)
    if kind == 0:  # negative hydraulic radius, whatever n holds
        texts[0] = "-" + texts[0]
        texts[2] = "0"
        texts[4] = rng.choice([texts[4], "", "abc", "0"])
    elif kind == 1:  # zero perimeter: n is never read
        texts[0] = rng.choice(["", "0", "abc", "-0", "0e5", "1e-400"])
        texts[1] = rng.choice(["", "0", "m", "-0"])
        texts[4] = rng.choice(["", "abc", "0", texts[4]])
    elif kind == 2:  # zero n
        texts[4] = rng.choice(["0", "0.000", "-0", "0e-3", "1e-330"])
    elif kind == 3:  # no depth: zero results
        texts[1] = rng.choice(["0", "", "-0"])
    else:  # a negative radius from a wide negative side slope
        texts[2] = "-" + decimal_text(rng, 0, 5)
    return texts


def raw_line(rng):
    """Lines whose fields are not all five box texts, a CR before the line
    feed, and backslashes that are not escapes."""
    texts = [oracle.escape(t) for t in realistic(rng)]
    kind = rng.randrange(6)
    if kind == 0:
        return "\t".join(texts) + "\r"
    if kind == 1:
        texts[rng.randrange(5)] += rng.choice(["\\x", "\\", "\\0", "\\\\t"])
        return "\t".join(texts)
    if kind == 2:
        return "\t".join(texts) + "\r\r"
    if kind == 3 and rng.random() < 0.02:
        return "\t".join(texts[: rng.randrange(5)])
    if kind == 4 and rng.random() < 0.02:
        return "\t".join(texts) + "\t" + rng.choice(["", "x"])
    return "\t".join(texts)


# (maker, share of the lines)
MAKERS = [
    (realistic, 0.58),
    (odd_forms, 0.05),
    (long_digits, 0.05),
    (notation_switch, 0.06),
    (near_overflow, 0.05),
    (near_underflow, 0.05),
    (lenient_oddity, 0.06),
    (strict_oddity, 0.04),
    (every_error, 0.04),
    (raw_line, 0.02),
]


def fixed_lines():
    """Hand-picked clicks, always first in the table."""
    rows = [
        ["2", "1", "1", "0.001", "0.025"],
        ["3", "1.5", "0", "0.0005", "0.02"],
        ["2", "1", "1", "-0.001", "0.025"],
        ["", "", "", "", ""],
        ["2m", "1 m", "1", "0.001", "0.025"],
        ["2", "1", "1", "0.001", "n=0.025"],
        ["-1", "1", "0", "0.001", "abc"],
        ["18", "1.6", "1", "0.0008", "0.013"],
    ]
    return ["\t".join(oracle.escape(t) for t in row) for row in rows] + ["", "2\t1\t1\t0.001", "\r"]


def generate(count, seed):
    rng = random.Random(seed)
    lines = fixed_lines()
    makers = [maker for maker, _ in MAKERS]
    weights = [share for _, share in MAKERS]
    while len(lines) < count:
        maker = rng.choices(makers, weights)[0]
        made = maker(rng)
        lines.append(made if isinstance(made, str) else "\t".join(oracle.escape(t) for t in made))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("input")
    parser.add_argument("expected")
    parser.add_argument("--lines", type=int, default=120000)
    parser.add_argument("--seed", type=int, default=20240609)
    args = parser.parse_args()
    started = time.monotonic()
    lines = generate(args.lines, args.seed)
    with open(args.input, "w", encoding="utf-8", newline="") as inputs, \
            open(args.expected, "w", encoding="utf-8", newline="") as expected:
        for line in lines:
            inputs.write(line + "\n")
            expected.write(oracle.click_line(line) + "\n")
    print(f"click table: {len(lines)} lines in {time.monotonic() - started:.1f} s", file=sys.stderr)


if __name__ == "__main__":
    main()
