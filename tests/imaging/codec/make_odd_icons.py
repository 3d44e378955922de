# Writes icon and cursor files of every DIB depth with known pixels (8 x 8 each):
# a pixel is transparent in the AND mask when x < 2. The expected colours are
# worked out the same way by the test.
import struct
import sys

W = H = 8


def pix(bits, x, y):
    if bits == 1:
        return (x + y) & 1
    if bits == 4:
        return (x + y * 8) % 16
    if bits == 8:
        return (x * 8 + y) % 256
    if bits == 24:
        return (x * 30, y * 30, 100)
    return (x * 30, 100, y * 30, 0)  # 32 bits, alpha bytes all 0


def palette(bits):
    if bits == 1:
        return [(0, 0, 0), (255, 255, 255)]
    if bits == 4:
        return [(i * 16, 255 - i * 16, i * 8) for i in range(16)]
    if bits == 8:
        return [(i, 255 - i, (i * 3) & 255) for i in range(256)]
    return []


def image(bits, clr_used=0):
    stride = ((W * bits + 31) // 32) * 4
    out = bytearray(struct.pack('<IiiHHIIiiII', 40, W, 2 * H, 1, bits, 0, 0, 0, 0, clr_used, 0))
    for r, g, b in palette(bits):
        out += bytes([b, g, r, 0])
    for y in range(H - 1, -1, -1):
        row = bytearray(stride)
        for x in range(W):
            v = pix(bits, x, y)
            if bits == 1:
                row[x >> 3] |= (v & 1) << (7 - (x & 7))
            elif bits == 4:
                row[x >> 1] |= (v << 4) if x % 2 == 0 else v
            elif bits == 8:
                row[x] = v
            elif bits == 24:
                row[x * 3:x * 3 + 3] = bytes([v[2], v[1], v[0]])
            else:
                row[x * 4:x * 4 + 4] = bytes([v[2], v[1], v[0], v[3]])
        out += row
    for y in range(H):
        row = bytearray(4)
        for x in range(2):
            row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def container(kind, images, dirs):
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for img, d in zip(images, dirs):
        out += struct.pack('<BBBBHHII', d[0], d[1], d[2], 0, d[3], d[4], len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    return bytes(out)


folder = sys.argv[1]
depths = [1, 4, 8, 24, 32]
# The 8-bit image claims far more palette entries than its depth can index.
imgs = [image(b, 0xFFFFFFFF if b == 8 else 0) for b in depths]
with open(folder + '/odd.ico', 'wb') as f:
    f.write(container(1, imgs, [(W, H, (1 << b) if b < 8 else 0, 1, b) for b in depths]))
# A cursor: height byte 0, hotspot (5, 7).
with open(folder + '/odd.cur', 'wb') as f:
    f.write(container(2, [image(32)], [(W, 0, 0, 5, 7)]))
