"""A small raster canvas and the picture formats the suite ships.

Pure Python (standard library only), so that every picture in data/ can be
remade on any machine: a script builds a Canvas, draws on it and saves it as
baseline JPEG, 24-bit BMP or an ICO holding 32-bit images.

    from imagelib import Canvas
    c = Canvas(64, 32, (0, 0, 0))
    c.rect(2, 2, 10, 10, (255, 0, 0))
    c.text(4, 20, "4x", (255, 255, 255))
    c.save_jpeg("out.jpg")

Coordinates are pixels, (0, 0) top left; colours are (r, g, b) tuples of
0..255, or (r, g, b, a) on a canvas made with alpha=True (for icons).
"""

import math
import struct

# --- the bitmap font: 5x7 glyphs, one row of five bits per byte, top first ---

_FONT = {
    " ": "00000 00000 00000 00000 00000 00000 00000",
    "!": "00100 00100 00100 00100 00100 00000 00100",
    '"': "01010 01010 00000 00000 00000 00000 00000",
    "#": "01010 11111 01010 01010 11111 01010 00000",
    "%": "11001 11010 00010 00100 01000 01011 10011",
    "&": "01100 10010 10100 01000 10101 10010 01101",
    "'": "00100 00100 00000 00000 00000 00000 00000",
    "(": "00010 00100 01000 01000 01000 00100 00010",
    ")": "01000 00100 00010 00010 00010 00100 01000",
    "*": "00000 10101 01110 11111 01110 10101 00000",
    "+": "00000 00100 00100 11111 00100 00100 00000",
    ",": "00000 00000 00000 00000 00110 00100 01000",
    "-": "00000 00000 00000 11111 00000 00000 00000",
    ".": "00000 00000 00000 00000 00000 00110 00110",
    "/": "00001 00010 00010 00100 01000 01000 10000",
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111",
    "3": "11110 00001 00001 01110 00001 00001 11110",
    "4": "00010 00110 01010 10010 11111 00010 00010",
    "5": "11111 10000 11110 00001 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110",
    "7": "11111 00001 00010 00100 01000 01000 01000",
    "8": "01110 10001 10001 01110 10001 10001 01110",
    "9": "01110 10001 10001 01111 00001 00010 01100",
    ":": "00000 00110 00110 00000 00110 00110 00000",
    ";": "00000 00110 00110 00000 00110 00100 01000",
    "<": "00010 00100 01000 10000 01000 00100 00010",
    "=": "00000 00000 11111 00000 11111 00000 00000",
    ">": "01000 00100 00010 00001 00010 00100 01000",
    "?": "01110 10001 00001 00010 00100 00000 00100",
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110",
    "D": "11100 10010 10001 10001 10001 10010 11100",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111",
    "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "J": "00111 00010 00010 00010 00010 10010 01100",
    "K": "10001 10010 10100 11000 10100 10010 10001",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001",
    "N": "10001 10001 11001 10101 10011 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010",
    "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 10001 01010 00100 00100 00100",
    "Z": "11111 00001 00010 00100 01000 10000 11111",
    "[": "01110 01000 01000 01000 01000 01000 01110",
    "\\": "10000 01000 01000 00100 00010 00010 00001",
    "]": "01110 00010 00010 00010 00010 00010 01110",
    "_": "00000 00000 00000 00000 00000 00000 11111",
    "a": "00000 00000 01110 00001 01111 10001 01111",
    "b": "10000 10000 10110 11001 10001 10001 11110",
    "c": "00000 00000 01110 10000 10000 10001 01110",
    "d": "00001 00001 01101 10011 10001 10001 01111",
    "e": "00000 00000 01110 10001 11111 10000 01110",
    "f": "00110 01001 01000 11100 01000 01000 01000",
    "g": "00000 01111 10001 10001 01111 00001 01110",
    "h": "10000 10000 10110 11001 10001 10001 10001",
    "i": "00100 00000 01100 00100 00100 00100 01110",
    "j": "00010 00000 00110 00010 00010 10010 01100",
    "k": "10000 10000 10010 10100 11000 10100 10010",
    "l": "01100 00100 00100 00100 00100 00100 01110",
    "m": "00000 00000 11010 10101 10101 10001 10001",
    "n": "00000 00000 10110 11001 10001 10001 10001",
    "o": "00000 00000 01110 10001 10001 10001 01110",
    "p": "00000 00000 11110 10001 11110 10000 10000",
    "q": "00000 00000 01101 10011 01111 00001 00001",
    "r": "00000 00000 10110 11001 10000 10000 10000",
    "s": "00000 00000 01110 10000 01110 00001 11110",
    "t": "01000 01000 11100 01000 01000 01001 00110",
    "u": "00000 00000 10001 10001 10001 10011 01101",
    "v": "00000 00000 10001 10001 10001 01010 00100",
    "w": "00000 00000 10001 10001 10101 10101 01010",
    "x": "00000 00000 10001 01010 00100 01010 10001",
    "y": "00000 00000 10001 10001 01111 00001 01110",
    "z": "00000 00000 11111 00010 00100 01000 11111",
}

GLYPH_W, GLYPH_H = 5, 7


def _glyph(ch):
    rows = _FONT.get(ch) or _FONT.get(ch.upper()) or _FONT["?"]
    return [[bit == "1" for bit in row] for row in rows.split()]


class Canvas:
    def __init__(self, width, height, background=(0, 0, 0), alpha=False):
        self.width, self.height, self.alpha = width, height, alpha
        bg = tuple(background) + ((255,) if alpha and len(background) == 3 else ())
        self.px = [[bg for _ in range(width)] for _ in range(height)]

    # --- drawing ---
    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            if self.alpha and len(colour) == 3:
                colour = tuple(colour) + (255,)
            self.px[y][x] = tuple(colour)

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x, y, w, h, colour):
        """Filled rectangle, clipped to the canvas."""
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                self.set(xx, yy, colour)

    def frame(self, x, y, w, h, colour, thickness=1):
        """Rectangle outline."""
        self.rect(x, y, w, thickness, colour)
        self.rect(x, y + h - thickness, w, thickness, colour)
        self.rect(x, y, thickness, h, colour)
        self.rect(x + w - thickness, y, thickness, h, colour)

    def line(self, x0, y0, x1, y1, colour):
        """Bresenham line, both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def circle(self, cx, cy, r, colour):
        """Filled disc."""
        for yy in range(cy - r, cy + r + 1):
            for xx in range(cx - r, cx + r + 1):
                if (xx - cx) ** 2 + (yy - cy) ** 2 <= r * r:
                    self.set(xx, yy, colour)

    def gradient(self, x, y, w, h, top, bottom):
        """Vertical gradient from colour top to colour bottom."""
        for i in range(h):
            t = i / max(1, h - 1)
            c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x, y + i, w, 1, c)

    def text(self, x, y, s, colour, scale=1):
        """Text in the 5x7 font, one pixel between glyphs, top left at (x, y)."""
        for i, ch in enumerate(s):
            g = _glyph(ch)
            ox = x + i * (GLYPH_W + 1) * scale
            for r, row in enumerate(g):
                for c, on in enumerate(row):
                    if on:
                        self.rect(ox + c * scale, y + r * scale, scale, scale, colour)

    @staticmethod
    def text_width(s, scale=1):
        return max(0, len(s) * (GLYPH_W + 1) * scale - scale)

    def text_centred(self, cx, y, s, colour, scale=1):
        self.text(cx - self.text_width(s, scale) // 2, y, s, colour, scale)

    def rgb_rows(self):
        return [[p[:3] for p in row] for row in self.px]

    # --- formats ---
    def save_bmp(self, path):
        with open(path, "wb") as f:
            f.write(bmp_bytes(self))

    def save_jpeg(self, path, quality=90):
        with open(path, "wb") as f:
            f.write(jpeg_bytes(self, quality))


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP file."""
    row_size = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.rgb_rows()):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def ico_bytes(canvases):
    """An ICO file with one 32-bit image (BGRA plus an AND mask) per canvas."""
    images = []
    for c in canvases:
        xor = bytearray()
        for row in reversed(c.px):
            for p in row:
                a = p[3] if len(p) == 4 else 255
                xor += bytes((p[2], p[1], p[0], a))
        mask_row = ((c.width + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(c.px):
            bits = bytearray(mask_row)
            for x, p in enumerate(row):
                if len(p) == 4 and p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append(info + bytes(xor) + bytes(mask))
    out = bytearray(struct.pack("<HHH", 0, 1, len(canvases)))
    offset = 6 + 16 * len(canvases)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32,
                           len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    return bytes(out)


def save_ico(path, canvases):
    with open(path, "wb") as f:
        f.write(ico_bytes(canvases))


# --- baseline JPEG (JFIF, YCbCr 4:4:4, the standard Huffman tables) ---

_ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15,
    23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]

_LUMA_Q = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40,
    57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24,
    35, 55, 64, 81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,
    112, 100, 103, 99,
]
_CHROMA_Q = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99,
    99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99] + [99] * 32

_DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
_DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
_AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282"
    "090a161718191a25262728292a3435363738393a434445464748494a535455565758595a63"
    "6465666768696a737475767778797a838485868788898a92939495969798999aa2a3a4a5a6"
    "a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6"
    "e7e8e9eaf1f2f3f4f5f6f7f8f9fa"))
_AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a"
    "162434e125f11718191a262728292a35363738393a434445464748494a535455565758595a"
    "636465666768696a737475767778797a82838485868788898a92939495969798999aa2a3a4"
    "a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5"
    "e6e7e8e9eaf2f3f4f5f6f7f8f9fa"))


def _huffman_codes(table):
    counts, symbols = table
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def _scaled_q(base, quality):
    quality = min(100, max(1, quality))
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in base]


_COS = [[math.cos((2 * x + 1) * u * math.pi / 16) * (math.sqrt(0.5) if u == 0 else 1.0)
         for x in range(8)] for u in range(8)]


def _fdct(block):
    """8x8 forward DCT of a list of 64 samples (row-major), separable."""
    tmp = [0.0] * 64
    for y in range(8):
        row = block[y * 8:y * 8 + 8]
        for u in range(8):
            cu = _COS[u]
            tmp[y * 8 + u] = sum(row[x] * cu[x] for x in range(8)) / 2
    out = [0.0] * 64
    for u in range(8):
        col = [tmp[y * 8 + u] for y in range(8)]
        for v in range(8):
            cv = _COS[v]
            out[v * 8 + u] = sum(col[y] * cv[y] for y in range(8)) / 2
    return out


class _BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def write(self, code, length):
        self.acc = (self.acc << length) | code
        self.n += length
        while self.n >= 8:
            self.n -= 8
            byte = (self.acc >> self.n) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)
        self.acc &= (1 << self.n) - 1

    def flush(self):
        if self.n:
            self.write((1 << (8 - self.n)) - 1, 8 - self.n)


def _magnitude(v):
    size = abs(v).bit_length()
    bits = v if v >= 0 else v + (1 << size) - 1
    return size, bits


def jpeg_bytes(canvas, quality=90):
    w, h = canvas.width, canvas.height
    rows = canvas.rgb_rows()
    qy, qc = _scaled_q(_LUMA_Q, quality), _scaled_q(_CHROMA_Q, quality)
    dcl, dcc = _huffman_codes(_DC_LUMA), _huffman_codes(_DC_CHROMA)
    acl, acc = _huffman_codes(_AC_LUMA), _huffman_codes(_AC_CHROMA)

    planes = [[[0.0] * w for _ in range(h)] for _ in range(3)]
    for y in range(h):
        for x in range(w):
            r, g, b = rows[y][x]
            planes[0][y][x] = 0.299 * r + 0.587 * g + 0.114 * b - 128
            planes[1][y][x] = -0.168736 * r - 0.331264 * g + 0.5 * b
            planes[2][y][x] = 0.5 * r - 0.418688 * g - 0.081312 * b

    bits = _BitWriter()
    prev_dc = [0, 0, 0]
    tables = [(qy, dcl, acl), (qc, dcc, acc), (qc, dcc, acc)]
    for by in range(0, h, 8):
        for bx in range(0, w, 8):
            for comp in range(3):
                plane = planes[comp]
                block = [plane[min(h - 1, by + yy)][min(w - 1, bx + xx)]
                         for yy in range(8) for xx in range(8)]
                coeffs = _fdct(block)
                q, dc_codes, ac_codes = tables[comp]
                zz = [int(round(coeffs[_ZIGZAG[i]] / q[_ZIGZAG[i]])) for i in range(64)]
                diff = zz[0] - prev_dc[comp]
                prev_dc[comp] = zz[0]
                size, value = _magnitude(diff)
                bits.write(*dc_codes[size])
                if size:
                    bits.write(value, size)
                run = 0
                for i in range(1, 64):
                    v = zz[i]
                    if v == 0:
                        run += 1
                        continue
                    while run > 15:
                        bits.write(*ac_codes[0xF0])
                        run -= 16
                    size, value = _magnitude(v)
                    bits.write(*ac_codes[(run << 4) | size])
                    bits.write(value, size)
                    run = 0
                if run:
                    bits.write(*ac_codes[0x00])
    bits.flush()

    out = bytearray(b"\xFF\xD8")
    out += b"\xFF\xE0" + struct.pack(">H5sBBBHHBB", 16, b"JFIF\0", 1, 1, 0, 1, 1, 0, 0)
    for table_id, q in ((0, qy), (1, qc)):
        out += b"\xFF\xDB" + struct.pack(">HB", 67, table_id) + bytes(q[_ZIGZAG[i]] for i in range(64))
    out += b"\xFF\xC0" + struct.pack(">HBHHB", 17, 8, h, w, 3)
    out += bytes((1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1))
    for cls_id, table in ((0x00, _DC_LUMA), (0x10, _AC_LUMA), (0x01, _DC_CHROMA), (0x11, _AC_CHROMA)):
        counts, symbols = table
        body = bytes([cls_id]) + bytes(counts) + bytes(symbols)
        out += b"\xFF\xC4" + struct.pack(">H", len(body) + 2) + body
    out += b"\xFF\xDA" + struct.pack(">HB", 12, 3) + bytes((1, 0x00, 2, 0x11, 3, 0x11)) + bytes((0, 63, 0))
    out += bits.out
    out += b"\xFF\xD9"
    return bytes(out)
