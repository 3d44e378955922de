#!/usr/bin/env python3
"""Writes packed DIBs of every layout a clipboard may hold, each with the picture it
shows as raw RGB rows (top row first) beside it: NAME.dib and NAME.rgb."""
import os
import struct
import subprocess
import sys

W, H = 5, 4


def colour(x, y):
    return (40 * x + 10, 50 * y + 20, (x * 7 + y * 13) * 9 % 256)


def header(size, width, height, bits, compression, image_bytes, colours=0, masks=None):
    h = struct.pack('<IiiHHIIiiII', size, width, height, 1, bits, compression, image_bytes, 2835, 2835,
                    colours, 0)
    extra = b''
    if masks and size >= 56:
        extra = struct.pack('<IIII', *masks)
    elif masks and size >= 52:
        extra = struct.pack('<III', *masks[:3])
    h += extra
    return h + b'\0' * (size - len(h))


def stride(bits):
    return (bits * W + 31) // 32 * 4


def pack_rows(rows, top_down):
    return b''.join(rows if top_down else reversed(rows))


def write(out, name, dib, pixels):
    with open(os.path.join(out, name + '.dib'), 'wb') as f:
        f.write(dib)
    with open(os.path.join(out, name + '.rgb'), 'wb') as f:
        f.write(bytes(c for row in pixels for p in row for c in p))


def pattern():
    return [[colour(x, y) for x in range(W)] for y in range(H)]


def masked(masks, top_down, size):
    """32-bit pixels through arbitrary byte masks."""
    rows = []
    for y in range(H):
        row = b''
        for x in range(W):
            r, g, b = colour(x, y)
            v = 0
            for value, mask in ((r, masks[0]), (g, masks[1]), (b, masks[2]), (255, masks[3])):
                if mask:
                    shift = (mask & -mask).bit_length() - 1
                    v |= value << shift
            row += struct.pack('<I', v)
        rows.append(row)
    body = pack_rows(rows, top_down)
    hdr = header(size, W, -H if top_down else H, 32, 3, len(body), masks=masks)
    if size == 40:
        hdr += struct.pack('<III', *masks[:3])  # masks follow a plain info header
    return hdr + body


def rgb565(top_down):
    rows, shown = [], []
    for y in range(H):
        row, seen = b'', []
        for x in range(W):
            r, g, b = colour(x, y)
            r5, g6, b5 = r >> 3, g >> 2, b >> 3
            row += struct.pack('<H', r5 << 11 | g6 << 5 | b5)
            seen.append((round(r5 * 255 / 31), round(g6 * 255 / 63), round(b5 * 255 / 31)))
        rows.append(row + b'\0' * (stride(16) - len(row)))
        shown.append(seen)
    body = pack_rows(rows, top_down)
    return header(108, W, -H if top_down else H, 16, 3, len(body), masks=(0xF800, 0x07E0, 0x001F, 0)) + body, shown


def indexed(bits, palette, index):
    rows = []
    per_byte = 8 // bits
    for y in range(H):
        row = bytearray(stride(bits))
        for x in range(W):
            i = index(x, y)
            byte, slot = divmod(x, per_byte)
            row[byte] |= i << (8 - bits * (slot + 1))
        rows.append(bytes(row))
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    body = pack_rows(rows, False)
    dib = header(40, W, H, bits, 0, len(body), colours=len(palette)) + table + body
    return dib, [[palette[index(x, y)] for x in range(W)] for y in range(H)]


def plain24():
    rows = []
    for y in range(H):
        row = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in (colour(x, y) for x in range(W)))
        rows.append(row + b'\0' * (stride(24) - len(row)))
    body = pack_rows(rows, False)
    return header(40, W, H, 24, 0, len(body)) + body


def main(out):
    os.makedirs(out, exist_ok=True)
    write(out, 'info24', plain24(), pattern())
    rgba = (0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000)
    write(out, 'v5_rgba_masks_top_down', masked(rgba, True, 124), pattern())
    write(out, 'v4_rgba_masks', masked(rgba, False, 108), pattern())
    write(out, 'info_masks_after_header', masked((0x0000FF00, 0x00FF0000, 0xFF000000, 0), False, 40), pattern())
    dib, shown = rgb565(True)
    write(out, 'v4_565_top_down', dib, shown)
    two = [(200, 30, 40), (10, 220, 90)]
    dib, shown = indexed(1, two, lambda x, y: (x + y) % 2)
    write(out, 'pal1', dib, shown)
    six = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (250, 250, 10), (12, 34, 56), (128, 64, 200)]
    dib, shown = indexed(4, six, lambda x, y: (x + 2 * y) % 6)
    write(out, 'pal4', dib, shown)
    # The 8-bit palette DIB comes from ImageMagick: twenty colours need eight bits.
    ppm = os.path.join(out, 'pattern.ppm')
    with open(ppm, 'wb') as f:
        f.write(b'P6 %d %d 255\n' % (W, H) + bytes(c for row in pattern() for p in row for c in p))
    bmp = os.path.join(out, 'pal8.bmp')
    subprocess.run(['convert', ppm, '-type', 'Palette', '-compress', 'none', 'BMP3:' + bmp], check=True)
    data = open(bmp, 'rb').read()
    if struct.unpack_from('<H', data, 28)[0] != 8:
        sys.exit('ImageMagick did not write an 8-bit palette')
    write(out, 'pal8', data[14:], pattern())


if __name__ == '__main__':
    main(sys.argv[1])
