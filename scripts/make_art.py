#!/usr/bin/python3
"""Draws Glimmer's program icon and its two built-in pictures.

Writes resources/glimmer.ico (16, 24, 32, 48, 64, 128 and 256 pixels, every
entry 32-bit with alpha; the 256-pixel entry PNG-compressed, the others as
DIBs with an AND mask) and resources/picture1.jpg / picture2.jpg.
Run it again after changing the drawing; the outputs are checked in.
"""
import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")
SS = 4  # supersampling factor


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def gradient(size, top, bottom):
    w, h = size
    g = Image.new("RGBA", size)
    px = g.load()
    for y in range(h):
        c = lerp(top, bottom, y / max(1, h - 1))
        for x in range(w):
            px[x, y] = c
    return g


def sparkle(draw, cx, cy, r, colour, thin=0.18):
    """A four-pointed star: two slim diamonds crossed."""
    t = r * thin
    draw.polygon([(cx, cy - r), (cx + t, cy - t), (cx + r, cy), (cx + t, cy + t),
                  (cx, cy + r), (cx - t, cy + t), (cx - r, cy), (cx - t, cy - t)], fill=colour)


def icon_art(px):
    """The icon at px pixels (drawn larger, then reduced)."""
    n = px * SS
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    pad = max(1, round(n * (0.03 if px >= 32 else 0.0)))
    radius = round(n * 0.2)
    tile = gradient((n, n), (40, 64, 170, 255), (120, 60, 190, 255))
    mask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle([pad, pad, n - 1 - pad, n - 1 - pad], radius, fill=255)
    img.paste(tile, (0, 0), mask)

    d = ImageDraw.Draw(img)
    simple = px <= 24
    if not simple:
        # A warm sun behind two hills: a picture inside the tile.
        sun_r = n * 0.12
        d.ellipse([n * 0.25 - sun_r, n * 0.42 - sun_r, n * 0.25 + sun_r, n * 0.42 + sun_r],
                  fill=(255, 196, 90, 255))
        hills = Image.new("RGBA", (n, n), (0, 0, 0, 0))
        hd = ImageDraw.Draw(hills)
        hd.polygon([(pad, n * 0.78), (n * 0.38, n * 0.50), (n * 0.70, n * 0.80), (pad, n)], fill=(38, 170, 160, 255))
        hd.polygon([(n * 0.30, n), (n * 0.66, n * 0.58), (n - pad, n * 0.74), (n - pad, n)], fill=(28, 130, 150, 255))
        img.paste(Image.alpha_composite(Image.new("RGBA", (n, n)), hills), (0, 0),
                  Image.composite(hills.getchannel("A"), Image.new("L", (n, n), 0), mask))
    # The glimmer: a bright sparkle with a soft glow.
    cx, cy = (n * 0.66, n * 0.34) if not simple else (n * 0.5, n * 0.5)
    r = n * (0.26 if not simple else 0.40)
    glow = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    gd.ellipse([cx - r * 0.55, cy - r * 0.55, cx + r * 0.55, cy + r * 0.55], fill=(255, 255, 220, 150))
    glow = glow.filter(ImageFilter.GaussianBlur(n * 0.05))
    glow.putalpha(Image.composite(glow.getchannel("A"), Image.new("L", (n, n), 0), mask))
    img = Image.alpha_composite(img, glow)
    d = ImageDraw.Draw(img)
    sparkle(d, cx, cy, r, (255, 252, 235, 255), 0.20 if not simple else 0.26)
    if not simple:
        sparkle(d, n * 0.84, n * 0.18, n * 0.07, (255, 240, 200, 255), 0.25)
    return img.resize((px, px), Image.LANCZOS)


def dib_entry(img):
    """32-bit DIB with the double height of an icon and a 1-bit AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    px = img.load()
    for y in range(h - 1, -1, -1):
        rows.append(b"".join(struct.pack("BBBB", *(px[x, y][2], px[x, y][1], px[x, y][0], px[x, y][3]))
                             for x in range(w)))
    stride = ((w + 31) // 32) * 4
    mask_rows = []
    for y in range(h - 1, -1, -1):
        bits = bytearray(stride)
        for x in range(w):
            if px[x, y][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(bits))
    return header + b"".join(rows) + b"".join(mask_rows)


def png_entry(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def write_ico(path, sizes):
    entries = []
    for s in sizes:
        art = icon_art(s)
        entries.append((s, png_entry(art) if s >= 256 else dib_entry(art)))
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    blobs = b""
    for s, data in entries:
        dim = 0 if s >= 256 else s
        # Every entry says 32 bits per pixel in the directory.
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs += data
    with open(path, "wb") as f:
        f.write(head + directory + blobs)


def landscape(w, h, sky_top, sky_bottom, layers, sparkles, seed):
    n = (w * 2, h * 2)
    img = gradient(n, sky_top, sky_bottom)
    d = ImageDraw.Draw(img)
    W, H = n
    for i, (base, amp, colour) in enumerate(layers):
        pts = [(0, H)]
        for x in range(0, W + 8, 8):
            y = H * base - amp * H * (0.5 * math.sin((x / W) * 6.3 * (1 + i * 0.4) + seed + i)
                                       + 0.3 * math.sin((x / W) * 17.0 + seed * 2 + i * 1.7))
            pts.append((x, y))
        pts.append((W, H))
        d.polygon(pts, fill=colour)
    glow = Image.new("RGBA", n, (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    for (fx, fy, fr) in sparkles:
        gd.ellipse([W * fx - W * fr, H * fy - W * fr, W * fx + W * fr, H * fy + W * fr], fill=(255, 250, 220, 120))
    glow = glow.filter(ImageFilter.GaussianBlur(W * 0.02))
    img = Image.alpha_composite(img, glow)
    d = ImageDraw.Draw(img)
    for (fx, fy, fr) in sparkles:
        sparkle(d, W * fx, H * fy, W * fr * 1.6, (255, 252, 238, 255))
    return img.resize((w, h), Image.LANCZOS).convert("RGB")


def main():
    os.makedirs(OUT, exist_ok=True)
    write_ico(os.path.join(OUT, "glimmer.ico"), [16, 24, 32, 48, 64, 128, 256])
    landscape(480, 270, (34, 52, 140, 255), (236, 150, 120, 255),
              [(0.70, 0.10, (70, 60, 130, 255)), (0.80, 0.08, (38, 120, 140, 255)), (0.92, 0.05, (22, 80, 100, 255))],
              [(0.72, 0.22, 0.03), (0.86, 0.12, 0.012), (0.60, 0.12, 0.008)], 1.0).save(
        os.path.join(OUT, "picture1.jpg"), quality=90)
    landscape(480, 270, (12, 20, 60, 255), (60, 90, 160, 255),
              [(0.75, 0.12, (30, 40, 80, 255)), (0.88, 0.06, (16, 26, 54, 255))],
              [(0.25, 0.25, 0.02), (0.50, 0.15, 0.012), (0.80, 0.30, 0.016)], 2.5).save(
        os.path.join(OUT, "picture2.jpg"), quality=90)
    return 0


if __name__ == "__main__":
    sys.exit(main())
