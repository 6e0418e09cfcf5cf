"""Draws docs/reach-profile.svg, the README's worked reach: its longitudinal
profile from the answer of channelflow-cli reach (JSON) on standard input —
the bed, the banks, each flow's water surface, energy line and critical
line, and any jump — heights sixty times exaggerated.

    channelflow-cli reach --file docs/reach.csv --format json | python3 docs/reach-profile.py > docs/reach-profile.svg
"""

import json
import sys

SCALE, EXAGGERATION, MARGIN = 0.6, 60.0, 40
COLOURS = ["#1f5fbf", "#bf3f1f", "#3f7f3f"]


def main():
    answer = json.load(sys.stdin)
    geometry = answer["geometry"]
    flows = answer["flows"]
    stations = [row["station"] for row in geometry]
    levels = [row["bed"] for row in geometry] + [row["z_left"] for row in geometry]
    for flow in flows.values():
        levels += [row["EG"] for row in flow["sections"] if row["EG"] is not None]
    low, high = min(levels) - 0.5, max(levels) + 0.5
    width = 2 * MARGIN + (stations[-1] - stations[0]) * SCALE
    height = 2 * MARGIN + (high - low) * SCALE * EXAGGERATION

    def xy(x, z):
        return MARGIN + (x - stations[0]) * SCALE, MARGIN + (high - z) * SCALE * EXAGGERATION

    def path(points, style):
        coords = " ".join(f"{x:.1f},{y:.1f}" for x, y in (xy(x, z) for x, z in points))
        return f'<polyline points="{coords}" fill="none" {style}/>'

    def text(at, label, colour, anchor="start"):
        return f'<text x="{at[0]:.1f}" y="{at[1]:.1f}" fill="{colour}" text-anchor="{anchor}">{label}</text>'

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width:.0f}" height="{height:.0f}" '
           'font-family="sans-serif" font-size="12">',
           path([(r["station"], r["bed"]) for r in geometry], 'stroke="#8a6d3b" stroke-width="3"'),
           path([(r["station"], r["z_left"]) for r in geometry], 'stroke="#555" stroke-dasharray="6 3"'),
           path([(r["station"], r["z_right"]) for r in geometry], 'stroke="#999" stroke-dasharray="2 3"')]
    for colour, (name, flow) in zip(COLOURS, flows.items()):
        rows = [r for r in flow["sections"] if r["wse"] is not None]
        out.append(path([(r["station"], r["wse"]) for r in rows], f'stroke="{colour}" stroke-width="2"'))
        out.append(path([(r["station"], r["EG"]) for r in rows], f'stroke="{colour}" stroke-dasharray="8 4"'))
        out.append(path([(r["station"], r["wse_c"]) for r in flow["sections"]], f'stroke="{colour}" stroke-dasharray="1 3"'))
        last = rows[-1]
        at = xy(last["station"], last["wse"])
        out.append(text((at[0], at[1] + 16), f"Q = {name} m³/s", colour, "end"))
        for jump in flow.get("jumps", []):
            a, b = xy(jump["station"], low), xy(jump["station"], high)
            out.append(f'<line x1="{a[0]:.1f}" y1="{a[1]:.1f}" x2="{b[0]:.1f}" y2="{b[1]:.1f}" stroke="{colour}"/>')
    for row in geometry:
        at = xy(row["station"], low)
        out.append(text((at[0], at[1] + 14), row["name"] or f'{row["station"]:g}', "#333", "middle"))
    first = geometry[0]
    out.append(text(xy(first["station"], first["bed"] - 0.25), f'bed {first["bed"]:g} m', "#8a6d3b"))
    out.append(text((MARGIN, MARGIN - 12), "bed ━ (brown), banks ╍ (grey), water ━, energy line ╌, critical level ┈", "#333"))
    out.append("</svg>")
    print("\n".join(out))


if __name__ == "__main__":
    main()
