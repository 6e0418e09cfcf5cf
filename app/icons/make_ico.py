#!/usr/bin/env python3
"""Writes channelflow.ico for the Windows program from the PNG icons.

Icon group 1 holds three images: 32x32 in 2 colours, 32x32 in 16 colours and
16x16 in 16 colours, each a palette bitmap with a transparency mask. Needs
ImageMagick's `convert` to read the PNGs. Run it again after changing them:
    app/icons/make_ico.py
"""
import os
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))

# A small palette that keeps the picture's own colours.
PALETTE16 = [
    (0, 0, 0), (255, 255, 255), (30, 111, 217), (32, 32, 32),
    (128, 128, 128), (192, 192, 192), (96, 96, 96), (224, 224, 224),
    (15, 55, 108), (143, 183, 236), (64, 64, 64), (160, 160, 160),
    (0, 0, 128), (0, 128, 128), (0, 0, 255), (0, 255, 255),
]
PALETTE2 = [(0, 0, 0), (255, 255, 255)]


def rgba(png, size):
    raw = subprocess.run(["convert", os.path.join(HERE, png), "-resize", f"{size}x{size}", "-depth", "8", "rgba:-"],
                         check=True, stdout=subprocess.PIPE).stdout
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def nearest(palette, colour):
    r, g, b = colour
    return min(range(len(palette)),
               key=lambda k: (palette[k][0] - r) ** 2 + (palette[k][1] - g) ** 2 + (palette[k][2] - b) ** 2)


def two_colour_index(colour):
    r, g, b = colour
    return 0 if 0.299 * r + 0.587 * g + 0.114 * b < 160 else 1


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def image(pixels, size, bits, palette, index_of):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor, mask = b"", b""
    for y in reversed(range(size)):  # bottom-up rows
        row = pixels[y * size:(y + 1) * size]
        indices = [index_of(p[:3]) if p[3] >= 128 else 0 for p in row]
        value = 0
        for i in indices:
            value = (value << bits) | i
        width = row_bytes(size * bits)
        xor += (value << (width * 8 - size * bits)).to_bytes(width, "big")
        transparent = 0
        for p in row:
            transparent = (transparent << 1) | (1 if p[3] < 128 else 0)
        mwidth = row_bytes(size)
        mask += (transparent << (mwidth * 8 - size)).to_bytes(mwidth, "big")
    return header + colours + xor + mask


def main():
    big, small = rgba("channelflow-32.png", 32), rgba("channelflow-16.png", 16)
    images = [
        (32, 2, image(big, 32, 1, PALETTE2, two_colour_index)),
        (32, 16, image(big, 32, 4, PALETTE16, lambda c: nearest(PALETTE16, c))),
        (16, 16, image(small, 16, 4, PALETTE16, lambda c: nearest(PALETTE16, c))),
    ]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, data in images:
        bits = 1 if colours == 2 else 4
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(os.path.join(HERE, "channelflow.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
