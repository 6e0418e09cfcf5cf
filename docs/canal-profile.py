"""Draws docs/canal-profile.svg, the README's worked canal line: its
longitudinal profile (纵断面图) from the answer of channelflow-cli line (JSON)
on standard input -- the bed, the design, enlarged and minimum levels, the
bank and structure tops, each structure named between its stations -- and
under it the data bands as Chinese drawings have them (桩号, 渠底高程,
设计水位, 加大水位, 堤顶高程). Lengths at one scale, heights at another.

    channelflow-cli line --file docs/canal.csv --level 1268.5 --format json | python3 docs/canal-profile.py > docs/canal-profile.svg
"""

import json
import sys

SCALE, EXAGGERATION = 0.3, 200.0  # px per metre along; heights that many times more
LEFT, TOP, BAND = 90, 40, 46
COLOURS = {"wse_s": "#1f5fbf", "wse_j": "#bf3f1f", "wse_min": "#3f7f3f"}
NAMES = {"wse_s": "设计水位", "wse_j": "加大水位", "wse_min": "最小水位"}
BANDS = [("stake", "桩号"), ("bed", "渠底高程"), ("wse_s", "设计水位"), ("wse_j", "加大水位"), ("top", "堤顶高程")]


def main():
    answer = json.load(sys.stdin)
    rows = answer["drawing"]["profile"]
    structures = answer["structures"]["structures"]
    s0 = rows[0]["station"]
    levels = [r[k] for r in rows for k in ("bed", "wse_s", "wse_j", "wse_min", "top") if r[k] is not None]
    low, high = int(min(levels)) - 1, int(max(levels)) + 2
    width = LEFT + (rows[-1]["station"] - s0) * SCALE + 40
    plot = (high - low) * SCALE * EXAGGERATION
    height = TOP + plot + 20 + BAND * len(BANDS) + 10

    def x(station):
        return LEFT + (station - s0) * SCALE

    def y(z):
        return TOP + (high - z) * SCALE * EXAGGERATION

    def line(key, style):
        points = [(x(r["station"]), y(r[key])) for r in rows if r[key] is not None]
        coords = " ".join(f"{a:.1f},{b:.1f}" for a, b in points)
        return f'<polyline points="{coords}" fill="none" {style}/>'

    def text(at, label, extra=""):
        return f'<text x="{at[0]:.1f}" y="{at[1]:.1f}" {extra}>{label}</text>'

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width:.0f}" height="{height:.0f}" '
           'font-family="sans-serif" font-size="11">',
           '<rect width="100%" height="100%" fill="white"/>']
    # The elevation ruler.
    for z in range(low, high + 1):
        out.append(f'<line x1="{LEFT - 4}" y1="{y(z):.1f}" x2="{LEFT}" y2="{y(z):.1f}" stroke="#555"/>')
        out.append(text((LEFT - 6, y(z) + 4), z, 'text-anchor="end"'))
    out.append(f'<line x1="{LEFT}" y1="{y(low):.1f}" x2="{LEFT}" y2="{y(high):.1f}" stroke="#555"/>')
    # The structures, each between its stations and named over them.
    for s in structures:
        a, b = x(s["station_in"]), x(s["station_out"])
        out.append(f'<rect x="{a:.1f}" y="{TOP:.1f}" width="{max(b - a, 1.5):.1f}" height="{plot:.1f}" '
                   'fill="#f0e6d2" stroke="#c8b48c"/>')
        out.append(text(((a + b) / 2, TOP - 6), s["name"], 'text-anchor="middle" font-size="10"'))
    out.append(line("top", 'stroke="#555" stroke-width="1.5"'))
    out.append(line("bed", 'stroke="#8a6d3b" stroke-width="2.5"'))
    for key, colour in COLOURS.items():
        dash = ' stroke-dasharray="7 3"' if key == "wse_j" else ' stroke-dasharray="2 3"' if key == "wse_min" else ""
        out.append(line(key, f'stroke="{colour}" stroke-width="1.5"{dash}'))
    for n, (key, colour) in enumerate(COLOURS.items()):
        out.append(text((width - 120, TOP + 14 + 14 * n), NAMES[key], f'fill="{colour}"'))
    # The bands: a row each, a value per node, upright.
    base = TOP + plot + 20
    for n, (key, title) in enumerate(BANDS):
        top = base + n * BAND
        out.append(f'<rect x="4" y="{top:.1f}" width="{width - 8:.1f}" height="{BAND}" fill="none" stroke="#999"/>')
        out.append(text((8, top + BAND / 2 + 4), title))
        last = -1e9
        for r in rows:
            value = r[key]
            at = x(r["station"])
            if value is None or at - last < 11:
                continue
            last = at
            label = value if key == "stake" else f"{value:.3f}"
            out.append(text((at + 4, top + BAND - 4), label, f'font-size="9" transform="rotate(-90 {at + 4:.1f} {top + BAND - 4:.1f})"'))
    out.append("</svg>")
    print("\n".join(out))


if __name__ == "__main__":
    main()
