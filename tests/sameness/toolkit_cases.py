"""Writes the toolkit table: command lines of channelflow-cli that every build
runs in process (run_cases) and whose transcripts must agree byte for byte.

    toolkit_cases.py CASES [--seed S]

One line per case: its standard input, then its arguments, separated by tabs,
each with \\t, \\n, \\r and \\\\ for a tab, a line feed, a carriage return and a
backslash. The lines are drawn from a fixed seed, so every run writes the
same file. They cover every sub-command, every section (surveyed ones too),
both unit systems, one n and a bed and walls, every output format, channels as
engineers meet them, canals designed by GB 50288-2018, and the inputs and
questions that must be refused.
"""

import argparse
import math
import random

G = {"si": 9.80665, "us": 32.174}
MANNING = {"si": 1.0, "us": 1.486}
LENGTH = {"si": 1.0, "us": 3.28084}  # feet in a metre, to keep US channels the same size
FORMATS = [None, None, "text", "csv", "json"]
BAD_NUMBERS = ["abc", "inf", "nan", "-inf", "0x10", "1e400", "1e-400", "", " ", "1,5", "2.5m", "--5", "1e", "..5",
               "１", "1 5", "+2", "-0", "1e-320", "4.9e-324", "1.7976931348623157e308", "\t3\t"]


def number(rng, low, high, log=False):
    """A value in [low, high], uniform or log-uniform, with a typed-looking
    count of significant digits."""
    x = math.exp(rng.uniform(math.log(low), math.log(high))) if log else rng.uniform(low, high)
    return f"{x:.{rng.choice([1, 2, 3, 3, 4, 4, 5, 6, 8, 12, 17])}g}"


# Shapes as the sub-commands take them: the geometry below is only good enough
# to pick discharges and depths that make sensible questions.

def segment(diameter, h):
    h = min(max(h, 1e-9), diameter)
    theta = 2 * math.acos(1 - 2 * h / diameter)
    return diameter**2 / 8 * (theta - math.sin(theta)), diameter * theta / 2, diameter * math.sin(theta / 2)


def geometry(shape, h):
    """Area, wetted perimeter and top width at depth h."""
    kind = shape["section"]
    if kind == "trapezoid":
        m1, m2 = shape["m1"], shape["m2"]
        return (h * (shape["B"] + (m1 + m2) / 2 * h), shape["B"] + h * (math.hypot(1, m1) + math.hypot(1, m2)),
                shape["B"] + (m1 + m2) * h)
    if kind == "circle":
        return segment(shape["D"], h)
    if kind == "u":
        r, m = shape["r"], shape["m"]
        A, P, T = segment(2 * r, min(h, r))
        if h > r:
            rise = h - r
            A += rise * (2 * r + m * rise)
            P += 2 * rise * math.hypot(1, m)
            T = 2 * r + 2 * m * rise
        return A, P, T
    T = 2 * math.sqrt(2 * shape["p"] * h)
    return 2 / 3 * T * h, T + 8 * h * h / (3 * T), T


def discharge(shape, h, i, n, units):
    A, P, _ = geometry(shape, h)
    return MANNING[units] / n * A * (A / P) ** (2 / 3) * math.sqrt(abs(i))


def depth_where(f, top):
    """The depth in (0, top) where f changes sign from negative, by bisection."""
    lo, hi = 1e-9, top
    for _ in range(80):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if f(mid) < 0 else (lo, mid)
    return (lo + hi) / 2


def top_depth(shape):
    return shape["D"] if shape["section"] == "circle" else 50 * LENGTH[shape["units"]]


def critical_depth(shape, Q):
    g = G[shape["units"]]

    def excess(h):
        A, _, T = geometry(shape, h)
        return g * A**3 - Q * Q * T

    return depth_where(excess, top_depth(shape) * (0.999 if shape["section"] == "circle" else 1))


def normal_depth(shape, Q, i, n):
    return depth_where(lambda h: discharge(shape, h, i, n, shape["units"]) - Q,
                       top_depth(shape) * (0.93 if shape["section"] == "circle" else 1))


def random_shape(rng, units, section=None):
    scale = LENGTH[units]
    section = section or rng.choice(["trapezoid", "trapezoid", "circle", "u", "parabola"])
    shape = {"section": section, "units": units}
    if section == "trapezoid":
        shape["B"] = 0.0 if rng.random() < 0.08 else rng.uniform(0.2, 30) * scale
        m = rng.choice([0.0, 0.5, 1.0, 1.5, 2.0, rng.uniform(0, 4)])
        shape["m1"], shape["m2"] = (m, m) if rng.random() < 0.7 else (rng.uniform(0, 3), rng.uniform(0, 3))
        if shape["B"] == 0 and shape["m1"] + shape["m2"] == 0:
            shape["m1"] = 1.0
        shape["two_slopes"] = shape["m1"] != shape["m2"] or rng.random() < 0.15
    elif section == "circle":
        shape["D"] = rng.uniform(0.15, 4) * scale
    elif section == "u":
        shape["r"] = rng.uniform(0.1, 2.5) * scale
        shape["m"] = rng.choice([0.0, 0.0, rng.uniform(0, 1.5)])
    else:
        shape["p"] = rng.uniform(0.1, 8) * scale
    return shape


def size_of(shape):
    return {"trapezoid": "B", "circle": "D", "u": "r", "parabola": "p"}[shape["section"]]


def shape_options(rng, shape, leave_out_size=False):
    """The channel's options as a user would spell them, size first or not."""
    words = []
    kind = shape["section"]
    if kind != "trapezoid" or rng.random() < 0.3:
        words += ["--section", kind]
    if shape["units"] == "us" or rng.random() < 0.2:
        words += ["--units", shape["units"]]
    if not leave_out_size:
        words += [f"--{size_of(shape)}", text_of(rng, shape[size_of(shape)])]
    if kind == "trapezoid":
        if shape["two_slopes"]:
            words += ["--m1", text_of(rng, shape["m1"]), "--m2", text_of(rng, shape["m2"])]
        else:
            words += ["--m", text_of(rng, shape["m1"])]
    elif kind == "u" and (shape["m"] or rng.random() < 0.5):
        words += ["--m", text_of(rng, shape["m"])]
    return words


def text_of(rng, x):
    if x == 0:
        return "0"
    return f"{x:.{rng.choice([2, 3, 4, 4, 5, 6, 8, 15])}g}"


def roughness(rng, shape, composite=None):
    """--n, or a bed and walls where the section has them (a circle's or a
    parabola's perimeter is one curve: those are refused)."""
    if composite is None:
        walls = shape["section"] in ("trapezoid", "u")
        composite = rng.random() < (0.3 if walls else 0.02)
    if composite:
        return ["--n-bed", number(rng, 0.010, 0.040), "--n-wall", number(rng, 0.010, 0.060)], 0.025
    n = rng.uniform(0.009, 0.06)
    return ["--n", text_of(rng, n)], n


def with_format(rng, words, formats=FORMATS):
    form = rng.choice(formats)
    if form is not None:
        at = rng.randint(0, len(words) // 2) * 2
        words = words[:at] + ["--format", form] + words[at:]
    return words


def spell(rng, words):
    """Pairs of --NAME VALUE, some written --NAME=VALUE, in a shuffled order."""
    pairs = [words[k:k + 2] for k in range(0, len(words), 2)]
    if rng.random() < 0.5:
        rng.shuffle(pairs)
    out = []
    for name, value in pairs:
        if rng.random() < 0.1 and value and not value.startswith("--"):
            out.append(f"{name}={value}")
        else:
            out += [name, value]
    return out


def slope(rng):
    return rng.choice([1e-5, 1e-4, 5e-4, 1e-3, 2e-3, 1e-2, 0.03]) * rng.uniform(0.5, 2)


# The sub-commands, each a function of the generator giving (stdin, args).

def report(rng):
    units = rng.choice(["si", "si", "us"])
    if units == "si" and rng.random() < 0.25:  # the first edition's five options
        words = ["--B", number(rng, 0, 40), "--h", number(rng, 0.01, 8), "--m", number(rng, 0, 4),
                 "--i", text_of(rng, slope(rng)), "--n", number(rng, 0.009, 0.06)]
        return "", ["report"] + spell(rng, with_format(rng, words))
    shape = random_shape(rng, units)
    top = top_depth(shape) if shape["section"] == "circle" else 6 * LENGTH[units]
    h = rng.uniform(0.02, 1.0) * top
    n_words, _ = roughness(rng, shape)
    words = shape_options(rng, shape) + ["--h", text_of(rng, h), "--i", text_of(rng, slope(rng))] + n_words
    return "", ["report"] + spell(rng, with_format(rng, words))


def solve(rng, command="solve"):
    units = rng.choice(["si", "si", "us"])
    shape = random_shape(rng, units)
    composite = shape["section"] in ("trapezoid", "u") and rng.random() < 0.2
    n_words, n = roughness(rng, shape, composite)
    i = slope(rng)
    top = top_depth(shape) if shape["section"] == "circle" else 5 * LENGTH[units]
    h = rng.uniform(0.05, 0.9) * top
    Q = discharge(shape, h, i, n, units) * rng.choice([1, 1, rng.uniform(0.7, 1.3)])
    unknown = {"solve": rng.choice(["Q", "h", "size", "i", "n"]), "solve-depth": "h", "solve-width": "size"}[command]
    if unknown == "n" and composite:
        n_words, n = roughness(rng, shape, False)
    words = shape_options(rng, shape, leave_out_size=unknown == "size")
    for name, value in (("Q", Q), ("h", h), ("i", i)):
        if unknown != name:
            words += [f"--{name}", text_of(rng, value)]
    if unknown != "n":
        words += n_words
    return "", [command] + spell(rng, with_format(rng, words))


def first_edition_solver(rng):
    n, i, m = rng.uniform(0.01, 0.05), slope(rng), rng.choice([0.0, 1.0, 1.5, rng.uniform(0, 3)])
    shape = {"section": "trapezoid", "units": "si", "B": rng.uniform(0.3, 20), "m1": m, "m2": m}
    h = rng.uniform(0.1, 5)
    Q = discharge(shape, h, i, n, "si") * rng.uniform(0.8, 1.25)
    common = ["--m", text_of(rng, m), "--i", text_of(rng, i), "--n", text_of(rng, n), "--Q", text_of(rng, Q)]
    if rng.random() < 0.5:
        return "", ["solve-depth"] + spell(rng, with_format(rng, common + ["--B", text_of(rng, shape["B"])]))
    return "", ["solve-width"] + spell(rng, with_format(rng, common + ["--h", text_of(rng, h)]))


def table(rng):
    units = rng.choice(["si", "si", "us"])
    shape = random_shape(rng, units)
    n_words, _ = roughness(rng, shape)
    top = top_depth(shape) if shape["section"] == "circle" else 4 * LENGTH[units]
    start = rng.uniform(0.01, 0.5) * top
    rows = rng.randint(1, 12)
    step = (rng.uniform(start, 1.1 * top) - start) / max(rows - 1, 1) or 0.1
    if rng.random() < 0.5:
        step = float(f"{step:.2g}")
    end = start + step * (rows - 1)
    h = f"{text_of(rng, start)}:{text_of(rng, end)}:{text_of(rng, step)}"
    words = shape_options(rng, shape) + ["--i", text_of(rng, slope(rng)), "--h", h] + n_words
    return "", ["table"] + spell(rng, with_format(rng, words))


def jump(rng):
    units = rng.choice(["si", "si", "us"])
    shape = random_shape(rng, units)
    top = top_depth(shape) if shape["section"] == "circle" else 3 * LENGTH[units]
    hc = rng.uniform(0.05, 0.8) * top
    A, _, T = geometry(shape, hc)
    Q = math.sqrt(G[units] * A**3 / T) if T > 0 else 1.0
    h1 = hc * rng.choice([rng.uniform(0.15, 0.95), rng.uniform(0.15, 0.95), rng.uniform(1.05, 2.5)])
    words = shape_options(rng, shape) + ["--Q", text_of(rng, Q), "--h1", text_of(rng, h1)]
    return "", ["jump"] + spell(rng, with_format(rng, words))


def profile(rng):
    units = rng.choice(["si", "si", "us"])
    shape = random_shape(rng, units)
    n_words, n = roughness(rng, shape)
    top = top_depth(shape) if shape["section"] == "circle" else 4 * LENGTH[units]
    Q = discharge(shape, rng.uniform(0.1, 0.7) * top, 1e-3, n, units)
    i = rng.choice([slope(rng), slope(rng), 0.0, -slope(rng)])
    hc = critical_depth(shape, Q)
    hn = normal_depth(shape, Q, i, n) if i > 0 else None
    depths = sorted(d for d in (hc, hn) if d is not None)
    zone = rng.randint(0, len(depths))  # above both, between, below both
    low = depths[zone - 1] if zone > 0 else 0.2 * depths[0]
    high = depths[zone] if zone < len(depths) else 1.8 * depths[-1]
    if shape["section"] == "circle":
        high = min(high, 0.95 * shape["D"])
    h0 = rng.uniform(low, high) if high > low else low * 1.01
    words = shape_options(rng, shape) + ["--Q", text_of(rng, Q), "--i", text_of(rng, i)] + n_words
    words += ["--h0", text_of(rng, h0)]
    if rng.random() < 0.5:
        # Profiles above every depth fall toward the nearer one (M1, S1), as
        # does the steep one between them (S2); the others rise.
        falls = i > 0 and (zone == len(depths) or (zone == 1 and hn < hc))
        toward = low if falls != (rng.random() < 0.08) else high
        words += ["--to-h", text_of(rng, h0 + (toward - h0) * rng.uniform(0.2, 0.9))]
    else:
        words += ["--length", number(rng, 5, 3000, log=True)]
    if rng.random() < 0.9:
        words += ["--steps", str(rng.randint(1, 12))]
    return "", ["profile"] + spell(rng, with_format(rng, words))


def csv_field(rng, text):
    if any(c in text for c in ',"\r\n') or rng.random() < 0.05:
        return '"' + text.replace('"', '""') + '"'
    return text


def csv_text(rng, rows):
    end = rng.choice(["\n", "\n", "\r\n", "\r"])
    text = "\ufeff" if rng.random() < 0.1 else ""
    text += end.join(",".join(csv_field(rng, cell) for cell in row) for row in rows)
    return text + (end if rng.random() < 0.9 else "")


def batch_first_edition(rng):
    names = ["B", "h", "m", "i", "n"]
    rng.shuffle(names)
    extra = rng.choice([[], [], ["id"], ["note", "id"]])
    header = names + extra
    rng.shuffle(header)
    rows = [header]
    for k in range(rng.randint(0, 8)):
        values = {"B": number(rng, 0, 30), "h": number(rng, 0.01, 6), "m": number(rng, 0, 3),
                  "i": text_of(rng, slope(rng)), "n": number(rng, 0.009, 0.06), "id": str(k + 1),
                  "note": rng.choice(["", "渠道 A", 'say "hi"', "a,b", "line\nbreak"])}
        if rng.random() < 0.15:
            values[rng.choice(names)] = rng.choice(BAD_NUMBERS + ["0", "-0.001"])
        row = [values[name] for name in header]
        if rng.random() < 0.04:
            row = row[:-1] if rng.random() < 0.5 else row + ["7"]
        rows.append(row)
    return csv_text(rng, rows), ["batch"] + with_format(rng, [], [None, "csv", "json"])


def batch_sections(rng):
    header = ["section", "units", "B", "m", "m1", "m2", "D", "r", "p", "n", "n-bed", "n-wall", "h", "i"]
    header = [name for name in header if name in ("h", "i") or rng.random() < 0.8] + rng.choice([[], ["id"]])
    if not any(name in header for name in ("section", "units", "m1", "m2", "n-bed", "n-wall")):
        header.append("section")
    rng.shuffle(header)
    rows = [header]
    for k in range(rng.randint(1, 8)):
        units = rng.choice(["si", "us"])
        shape = random_shape(rng, units)
        top = top_depth(shape) if shape["section"] == "circle" else 4 * LENGTH[units]
        cells = {"section": shape["section"], "units": units, "id": str(k),
                 "h": text_of(rng, rng.uniform(0.03, 1.05) * top), "i": text_of(rng, slope(rng))}
        cells[size_of(shape)] = text_of(rng, shape[size_of(shape)])
        if shape["section"] == "trapezoid":
            if shape["two_slopes"]:
                cells["m1"], cells["m2"] = text_of(rng, shape["m1"]), text_of(rng, shape["m2"])
            else:
                cells["m"] = text_of(rng, shape["m1"])
        elif shape["section"] == "u":
            cells["m"] = text_of(rng, shape["m"])
        if rng.random() < 0.3:
            cells["n-bed"], cells["n-wall"] = number(rng, 0.01, 0.04), number(rng, 0.01, 0.06)
        else:
            cells["n"] = number(rng, 0.009, 0.06)
        if rng.random() < 0.1:
            cells[rng.choice(["h", "i", "n", "section", "units"])] = rng.choice(BAD_NUMBERS + ["oval", "metric"])
        rows.append([cells.get(name, "") for name in header])
    return csv_text(rng, rows), ["batch"] + with_format(rng, [], [None, "csv", "json"])


def box_text(rng):
    choice = rng.random()
    if choice < 0.6:
        return number(rng, 0.001, 50, log=True)
    if choice < 0.75:
        return rng.choice(BAD_NUMBERS)
    if choice < 0.85:
        return number(rng, 0.001, 50) + rng.choice(["m", " m", "米", "e", ".", "\t"])
    return rng.choice(["", "-" + number(rng, 0.1, 5), number(rng, 1e-300, 1e300, log=True), "1" * rng.randint(1, 40)])


def five_boxes(rng):
    boxes = [box_text(rng) for _ in range(5)]
    boxes[4] = rng.choice([number(rng, 0.009, 0.06), number(rng, 0.009, 0.06), box_text(rng)])
    if any(b.startswith("--") or b.startswith("-") for b in boxes) or rng.random() < 0.1:
        boxes = ["--"] + boxes
    return "", boxes


def escape_field(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def click(rng):
    lines = []
    for _ in range(rng.randint(0, 10)):
        fields = [escape_field(box_text(rng)) for _ in range(5)]
        if rng.random() < 0.05:
            fields = fields[:rng.randint(0, 4)] if rng.random() < 0.5 else fields + ["x"]
        lines.append("\t".join(fields) + rng.choice(["\n", "\n", "\r\n"]))
    text = "".join(lines)
    if text and rng.random() < 0.1:
        text = text.rstrip("\r\n")  # a last line without its line feed
    return text, ["click"]


LININGS = ["earth-large-good", "earth-large-poor", "earth-medium-good", "earth-medium-average", "earth-medium-poor",
           "earth-small-winding", "earth-small-fixed", "earth-small-poor", "rock-trimmed", "rock-untrimmed",
           "mortared-dressed-stone", "mortared-rubble", "dry-rubble", "dry-cobbles-average", "membrane-earth-cover",
           "asphalt-smooth", "asphalt-precast", "concrete-trowelled", "concrete-timber-forms", "concrete-precast-flumes",
           "shotcrete-wavy"]
SOILS = ["light-loam", "medium-loam", "heavy-loam", "clay", "sandy-loam", "sand", "silt", "fine-sand", "medium-sand",
         "coarse-sand", "medium-gravel", "large-cobbles", "very-large-boulders", "conglomerate", "granite",
         "cemented-cobbles", "sandy-gravel"]


def design(rng):
    """A canal as an engineer sizes one: a design flow from a farm ditch to a
    main canal, n or a bed of Appendix B, Appendix E, a ratio or a width, or a
    U shape checked, with the limits, soils and bank options mixed in."""
    Q = float(number(rng, *[math.exp(rng.uniform(math.log(0.05), math.log(400)))] * 2))
    words = ["--Q", text_of(rng, Q), "--i", text_of(rng, rng.choice([1e-4, 2e-4, 5e-4, 1e-3, 3e-3]) * rng.uniform(0.5, 2))]
    if rng.random() < 0.6:
        words += ["--n", number(rng, 0.011, 0.035)]
    if rng.random() < 0.5 or "--n" not in words:
        lining = rng.choice(LININGS)
        if lining.startswith("earth") and rng.random() < 0.9:  # mostly the row of the flow's class
            size = "large" if Q > 20 else "medium" if Q >= 1 else "small"
            lining = rng.choice([key for key in LININGS if key.startswith("earth-" + size)])
        words += ["--lining", lining]
    if rng.random() < 0.15:
        words += ["--section", "u", "--r", number(rng, 0.2, 1.5)]
        if rng.random() < 0.6:
            words += ["--m", number(rng, 0, 0.3)]
    else:
        words += ["--m", rng.choice(["0", "0.5", "1", "1.25", "1.5", "2", "3", number(rng, 0, 3)])]
        sizing = rng.random()
        if sizing < 0.2:
            words += ["--alpha", rng.choice(["1", "1.01", "1.02", "1.03", "1.04", "1.05", number(rng, 1, 1.2)])]
        elif sizing < 0.35:
            words += ["--beta", number(rng, 0.3, 6)]
        elif sizing < 0.5:
            words += ["--B", number(rng, 0.2, 4) if Q < 20 else number(rng, 3, 40)]
    if rng.random() < 0.4:
        low = rng.uniform(0.2, 0.8)
        words += rng.choice([["--v-min", f"{low:.2g}"], ["--v-max", f"{low + 0.5:.2g}"],
                             ["--v-min", f"{low:.2g}", "--v-max", f"{low + rng.uniform(0.1, 2):.2g}"]])
    if rng.random() < 0.4:
        words += ["--soil", rng.choice(SOILS)]
    if Q >= 300 or rng.random() < 0.15:
        words += ["--enlarge", rng.choice(["0", "5", "12.5", "30"])]
    for option, values in (("--min-ratio", ["0.4", "0.5", "0.3"]), ("--freeboard", ["0.3", "0.5"]),
                           ("--bend-radius", ["8", "30", "200"]), ("--n-pick", ["low", "high"]),
                           ("--scour-pick", ["middle", "high"])):
        if rng.random() < 0.1:
            words += [option, rng.choice(values)]
    if rng.random() < 0.05:
        words += ["--dxf", "-"] + (["--dxf-scale", rng.choice(["20", "100"])] if rng.random() < 0.5 else [])
        return "", ["design"] + spell(rng, words)
    return "", ["design"] + spell(rng, with_format(rng, words))


def design_table(rng):
    return "", [rng.choice(["roughness", "velocity-limits"])] + with_format(rng, [])


SUB_COMMANDS = ["report", "solve", "solve-depth", "solve-width", "table", "batch", "jump", "profile", "click", "design",
                "roughness", "velocity-limits"]


def usage_and_errors(rng, makers):
    """A good line broken the ways users break them."""
    stdin, args = rng.choice(makers)(rng)
    if args[:1] == ["click"] or not args or args[0] not in SUB_COMMANDS:
        return stdin, args + rng.choice([["--help"], ["--version"], ["extra"], []])
    command, words = args[0], args[1:]
    option_at = [k for k, w in enumerate(words) if w.startswith("--") and "=" not in w and k + 1 < len(words)]
    fault = rng.choice(["number", "number", "number", "drop", "twice", "unknown", "no value", "format", "units",
                        "section", "both slopes", "both n", "help", "version", "zero", "negative", "steps", "range"]
                       + (["soil", "lining", "sizing", "pick", "limits"] if command == "design" else []))
    if fault == "number" and option_at:
        words[rng.choice(option_at) + 1] = rng.choice(BAD_NUMBERS)
    elif fault == "drop" and option_at:
        k = rng.choice(option_at)
        del words[k:k + 2]
    elif fault == "twice" and option_at:
        k = rng.choice(option_at)
        words += words[k:k + 2]
    elif fault == "unknown":
        words += [rng.choice(["--X", "--b", "--Bottom", "--n2", "--steps", "--to-h"]), "1"]
    elif fault == "no value" and words:
        words = words + [rng.choice(["--h", "--B", "--Q", "--format"])]
    elif fault == "format":
        words += ["--format", rng.choice(["xml", "CSV", "", "text2"])]
    elif fault == "units":
        words += ["--units", rng.choice(["metric", "SI", "", "imperial"])]
    elif fault == "section":
        words += ["--section", rng.choice(["oval", "Circle", "", "rectangle"])]
    elif fault == "both slopes":
        words += ["--m1", "1", "--m2", "2", "--m", "1"]
    elif fault == "both n":
        words += ["--n", "0.02", "--n-bed", "0.02", "--n-wall", "0.03"]
    elif fault in ("help", "version"):
        words.insert(rng.randint(0, len(words)), "--" + fault)
    elif fault in ("zero", "negative") and option_at:
        k = rng.choice(option_at)
        words[k + 1] = "0" if fault == "zero" else "-" + words[k + 1].lstrip("-")
    elif fault == "steps":
        words += ["--steps", rng.choice(["0", "1.5", "2000000", "-3", "abc"])]
    elif fault == "range":
        words += ["--h", rng.choice(["1:2", "2:1:0.1", "1:2:0", "a:b:c", "0:1e300:1e-300", "1::1"])]
    elif fault in ("soil", "lining"):
        words += ["--" + fault, rng.choice(["loam", "", "Clay", "concrete", "earth-large-good", "medium-loam"])]
    elif fault == "sizing":
        words += rng.choice([["--alpha", "0.9"], ["--beta", "0"], ["--B", "-1"], ["--alpha", "1.02", "--beta", "2"]])
    elif fault == "pick":
        words += [rng.choice(["--n-pick", "--scour-pick"]), rng.choice(["mid", "", "LOW"])]
    elif fault == "limits":
        words += ["--v-min", "1", "--v-max", rng.choice(["1", "0.5", "0"])]
    return stdin, [command] + words


# Surveyed sections: a main channel between floodplains and banks, typed to
# the centimetre, sometimes far above the datum; a rougher n on the
# floodplains, or one n for all (then given as --n).

def random_survey(rng, units):
    scale = LENGTH[units]
    base = rng.choice([0, 0, rng.randint(10, 900)]) * scale
    depth, bottom = rng.uniform(0.4, 4) * scale, rng.choice([0.0, rng.uniform(0.5, 25) * scale])
    walls = [rng.choice([0.0, rng.uniform(0.5, 3)]) for _ in range(2)]
    if bottom == 0 and walls[0] == 0:
        walls[0] = 1.0
    plains = [rng.choice([0.0, rng.uniform(3, 120) * scale]) for _ in range(2)]
    rises = [rng.choice([0.0, rng.uniform(0, 0.02)]) for _ in range(2)]
    banks = [rng.uniform(0.3, 2.5) * scale for _ in range(2)]
    n_main = round(rng.uniform(0.02, 0.04), 4)
    n_plain = n_main if rng.random() < 0.3 else round(rng.uniform(0.03, 0.09), 3)
    steps = [(0, depth + rises[0] * plains[0] + banks[0], n_plain), (banks[0] * 3, depth + rises[0] * plains[0], None),
             (plains[0], depth, n_main), (walls[0] * depth, 0, None)]
    if rng.random() < 0.4:
        steps.append((bottom / 2, rng.uniform(0, 0.1) * depth, None))
    steps += [(bottom / 2 if len(steps) == 5 else bottom, 0, None), (walls[1] * depth, depth, n_plain),
              (plains[1], depth + rises[1] * plains[1], None), (banks[1] * 3, depth + rises[1] * plains[1] + banks[1], None)]
    x, points = 0.0, []
    for dx, z, n in steps:
        x = round(x + dx, 2)
        points.append((f"{x:.2f}", f"{base + z:.2f}", n))
    divided = n_plain != n_main
    text = " ".join(f"{px},{pz}" + (f",{n}" if divided and n else "") for px, pz, n in points)
    lowest = min(float(pz) for _, pz, _ in points)
    bank = min(float(points[0][1]), float(points[-1][1])) - lowest
    n_words = [] if divided else ["--n", str(n_main)]
    return {"text": text, "lowest": lowest, "bank": bank, "n": n_main, "words": n_words, "units": units}


def survey_options(rng, survey):
    words = ["--section", "points", "--points", survey["text"]]
    if survey["units"] == "us" or rng.random() < 0.2:
        words += ["--units", survey["units"]]
    return words


def survey_depth(rng, survey, words, low=0.03, high=0.97):
    """--h, or --wse for the same water."""
    h = rng.uniform(low, high) * survey["bank"]
    if rng.random() < 0.4:
        return words + ["--wse", f"{survey['lowest'] + h:.3f}"]
    return words + ["--h", text_of(rng, h)]


def survey_report(rng):
    survey = random_survey(rng, rng.choice(["si", "si", "us"]))
    words = survey_options(rng, survey) + survey["words"] + ["--i", text_of(rng, slope(rng))]
    return "", ["report"] + spell(rng, with_format(rng, survey_depth(rng, survey, words)))


def survey_solve(rng):
    survey = random_survey(rng, rng.choice(["si", "si", "us"]))
    unknown = rng.choice(["Q", "h", "i", "n"] if survey["words"] else ["Q", "h", "i"])
    words = survey_options(rng, survey)
    if unknown != "n":
        words += survey["words"]
    if unknown != "i":
        words += ["--i", text_of(rng, slope(rng))]
    if unknown != "Q":
        words += ["--Q", number(rng, 0.05, 400, log=True)]
    if unknown != "h":
        words = survey_depth(rng, survey, words)
    return "", [rng.choice(["solve", "solve-depth"]) if unknown == "h" else "solve"] + spell(rng, with_format(rng, words))


def survey_table(rng):
    survey = random_survey(rng, rng.choice(["si", "us"]))
    words = survey_options(rng, survey) + survey["words"] + ["--i", text_of(rng, slope(rng))]
    step = float(f"{survey['bank'] / rng.randint(2, 10):.2g}")
    if rng.random() < 0.5:
        words += ["--h", f"{step:g}:{survey['bank'] * 1.1:.2f}:{step:g}"]
    else:
        words += ["--wse", f"{survey['lowest'] - step:.2f}:{survey['lowest'] + survey['bank'] * 1.1:.2f}:{step:g}"]
    return "", ["table"] + spell(rng, with_format(rng, words))


def survey_jump(rng):
    survey = random_survey(rng, rng.choice(["si", "si", "us"]))
    words = survey_options(rng, survey) + ["--Q", number(rng, 0.5, 300, log=True)]
    return "", ["jump"] + spell(rng, with_format(rng, words + ["--h1", text_of(rng, rng.uniform(0.02, 0.9) * survey["bank"])]))


def survey_profile(rng):
    survey = random_survey(rng, rng.choice(["si", "si", "us"]))
    words = survey_options(rng, survey) + survey["words"]
    words += ["--Q", number(rng, 0.5, 200, log=True), "--i", text_of(rng, rng.choice([slope(rng), slope(rng), 0.0, -slope(rng)]))]
    words += ["--h0", text_of(rng, rng.uniform(0.05, 0.95) * survey["bank"])]
    if rng.random() < 0.5:
        words += ["--to-h", text_of(rng, rng.uniform(0.05, 1.05) * survey["bank"])]
    else:
        words += ["--length", number(rng, 5, 3000, log=True)]
    return "", ["profile"] + spell(rng, with_format(rng, words + ["--steps", str(rng.randint(1, 12))]))


def survey_batch(rng):
    header = ["section", "points", "n", "h", "wse", "i"] + rng.choice([[], ["id"]])
    rows = [header]
    for k in range(rng.randint(1, 6)):
        survey = random_survey(rng, "si")
        h = rng.uniform(0.03, 1.1) * survey["bank"]
        by_level = rng.random() < 0.4
        cells = {"section": "points", "points": survey["text"], "n": survey["words"][1] if survey["words"] else "",
                 "h": "" if by_level else text_of(rng, h), "wse": f"{survey['lowest'] + h:.3f}" if by_level else "",
                 "i": text_of(rng, slope(rng)), "id": str(k)}
        if rng.random() < 0.1:
            cells[rng.choice(["points", "h", "i"])] = rng.choice(BAD_NUMBERS + ["0,5 5", "5,0 0,5 10,5"])
        rows.append([cells[name] for name in header])
    return csv_text(rng, rows), ["batch"] + with_format(rng, [], [None, "csv", "json"])


SURVEY_BAD_POINTS = ["0,5 10,0", "0,5 10,0 5,5", "0,0 10,5 20,5", "0,5 a,0 10,5", "0,5 5 10,5", "0,5 5,0,0 10,5",
                     "0,5 5,5 5,0 5,5 10,5", "0,5 5,1e999 10,5", "", "0,5;5,0;10,5", "0 , 5  5 ,0  10, 5"]


def survey_mistake(rng):
    """A surveyed section asked the ways users get it wrong."""
    words = ["--section", "points", "--points", rng.choice(SURVEY_BAD_POINTS), "--n", "0.03", "--i", "0.001"]
    fault = rng.choice(["points", "above", "below", "both", "size", "n-bed", "no n", "other section"])
    command = "report"
    if fault == "above":
        words = ["--section", "points", "--points", "0,5 5,0 10,4", "--n", "0.03", "--i", "0.001", "--h", "4.5"]
    elif fault == "below":
        words = ["--section", "points", "--points", "0,105 5,100 10,104", "--n", "0.03", "--i", "0.001", "--wse", "99"]
    elif fault == "both":
        words += ["--h", "1", "--wse", "1"]
    elif fault == "size":
        command, words = "solve-width", words + ["--Q", "3", "--h", "1"]
    elif fault == "n-bed":
        words += ["--n-bed", "0.02", "--n-wall", "0.03", "--h", "1"]
    elif fault == "no n":
        words = ["--section", "points", "--points", "0,5 5,0 10,5", "--i", "0.001", "--h", "1"]
    elif fault == "other section":
        words = ["--B", "2", "--m", "1", "--points", "0,5 5,0 10,5", "--n", "0.03", "--i", "0.001", "--h", "1"]
    else:
        words += ["--h", "1"]
    return "", [command] + words


SURVEY_MAKERS = [(survey_report, 300), (survey_solve, 300), (survey_table, 120), (survey_jump, 150),
                 (survey_profile, 200), (survey_batch, 80), (survey_mistake, 150)]

MAKERS = [  # (maker, cases)
    (report, 3000), (solve, 3000), (lambda rng: solve(rng, "solve-depth"), 1200),
    (lambda rng: solve(rng, "solve-width"), 1200), (first_edition_solver, 1200), (table, 1600), (jump, 1800),
    (profile, 2400), (batch_first_edition, 700), (batch_sections, 900), (five_boxes, 1200), (click, 600),
    (design, 1600), (design_table, 12),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cases")
    parser.add_argument("--seed", type=int, default=20240611)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    cases = [(maker(rng)) for maker, count in MAKERS for _ in range(count)]
    makers = [maker for maker, _ in MAKERS]
    cases += [usage_and_errors(rng, makers) for _ in range(2600)]
    cases += [("", [command, "--help"]) for command in SUB_COMMANDS]
    cases += [("", []), ("", ["--help"]), ("", ["--version"]), ("", ["click", "--version"]), ("", ["nonsense"])]
    # Surveyed sections after every earlier case, drawn apart, so that those keep their numbers and lines.
    survey_rng = random.Random(options.seed + 1)
    cases += [maker(survey_rng) for maker, count in SURVEY_MAKERS for _ in range(count)]
    with open(options.cases, "w", encoding="utf-8", newline="\n") as out:
        for stdin, args in cases:
            out.write("\t".join(escape_field(field) for field in [stdin] + args) + "\n")
    print(f"toolkit table: {len(cases)} cases")


if __name__ == "__main__":
    main()
