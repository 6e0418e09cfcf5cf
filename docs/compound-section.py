"""Draws docs/compound-section.svg, the README's compound channel: its
surveyed points, each segment coloured by its n, the water surface and the
lines that divide its parts, heights ten times exaggerated.

    python3 docs/compound-section.py > docs/compound-section.svg
"""

POINTS = [(0, 103.5, 0.06), (25, 102.5, None), (30, 102, 0.035), (40, 100.5, None), (44, 100, None),
          (52, 100, None), (56, 100.5, None), (60, 102, 0.06), (90, 102.5, None), (100, 103.5, None)]
SURFACE = 102.6
COLOURS = {0.06: "#3f7f3f", 0.035: "#8a6d3b"}
SCALE, EXAGGERATION, MARGIN, TOP = 7.0, 10.0, 30, 104.0


def xy(x, z):
    return MARGIN + x * SCALE, MARGIN + (TOP - z) * SCALE * EXAGGERATION


def line(a, b, style):
    return f'<line x1="{a[0]:.1f}" y1="{a[1]:.1f}" x2="{b[0]:.1f}" y2="{b[1]:.1f}" {style}/>'


def text(at, label, colour):
    return f'<text x="{at[0]:.1f}" y="{at[1]:.1f}" fill="{colour}">{label}</text>'


def main():
    n, segments = None, []
    for (x0, z0, n0), (x1, z1, _) in zip(POINTS, POINTS[1:]):
        n = n0 if n0 is not None else n
        segments.append((x0, z0, x1, z1, n))
    # Where the surface meets the banks, each end's segment cut there.
    (x0, z0, x1, z1, _), (x2, z2, x3, z3, _) = segments[0], segments[-1]
    left = x0 + (x1 - x0) * (SURFACE - z0) / (z1 - z0)
    right = x2 + (x3 - x2) * (SURFACE - z2) / (z3 - z2)
    wet = [xy(left, SURFACE)] + [xy(x, z) for x, z, _ in POINTS if z < SURFACE] + [xy(right, SURFACE)]
    width, height = 2 * MARGIN + 100 * SCALE, 2 * MARGIN + (TOP - 99.5) * SCALE * EXAGGERATION
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width:.0f}" height="{height:.0f}" '
           'font-family="sans-serif" font-size="12">',
           f'<polygon points="{" ".join(f"{x:.1f},{y:.1f}" for x, y in wet)}" fill="#cfe3f7"/>',
           line(xy(left, SURFACE), xy(right, SURFACE), 'stroke="#1f5fbf" stroke-width="2"')]
    out += [line(xy(x, 102), xy(x, SURFACE), 'stroke="#555" stroke-dasharray="4 3"') for x in (30, 60)]
    out += [line(xy(a, b), xy(c, d), f'stroke="{COLOURS[n]}" stroke-width="3"') for a, b, c, d, n in segments]
    out += [text(xy(x, 99.8), f"n {n}", COLOURS[n]) for n, x in ((0.06, 8), (0.035, 38), (0.06, 70))]
    out += [text(xy(62, SURFACE + 0.12), f"wse {SURFACE} m", "#1f5fbf"), "</svg>"]
    print("\n".join(out))


if __name__ == "__main__":
    main()
