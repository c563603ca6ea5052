#!/usr/bin/env python3
"""Draws Vantor's two pictures and writes them beside this script:

- vantor.ico: one 32 x 32 image, 32 bits per pixel, with its AND mask;
- notice.bmp: the 221 x 45 banner of the start-up notice, 24 bits per pixel.

The glyph is a note page with a folded corner and a purple "V"; the banner
shows it beside the word "Vantor" drawn from a tiny built-in font. Run it
again after changing a drawing; both outputs are kept in the tree.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

TRANSPARENT = None
OUTLINE = (64, 40, 96)
PAGE = (255, 255, 255)
FOLD = (206, 196, 222)
RULE = (178, 200, 230)
MARK = (119, 25, 170)
BANNER = (255, 255, 255)
BORDER = (196, 184, 214)
WORD = (80, 24, 120)
TAGLINE = (0, 128, 128)

# The 32 x 32 glyph, one character a pixel: . transparent, # outline,
# ' ' page, f fold, - ruled line, V the mark.
GLYPH = [
    "................................",
    "................................",
    "....###################.........",
    "....#                 #f#.......",
    "....#                 #ff#......",
    "....#                 #fff#.....",
    "....#                 #ffff#....",
    "....#                 #######...",
    "....#                       #...",
    "....#   VVVV         VVVV   #...",
    "....#   VVVV         VVVV   #...",
    "....#    VVVV       VVVV    #...",
    "....#----VVVV-------VVVV----#...",
    "....#     VVVV     VVVV     #...",
    "....#     VVVV     VVVV     #...",
    "....#      VVVV   VVVV      #...",
    "....#------VVVV---VVVV------#...",
    "....#       VVVV VVVV       #...",
    "....#       VVVV VVVV       #...",
    "....#        VVVVVVV        #...",
    "....#--------VVVVVVV--------#...",
    "....#         VVVVV         #...",
    "....#         VVVVV         #...",
    "....#          VVV          #...",
    "....#----------VVV----------#...",
    "....#                       #...",
    "....#                       #...",
    "....#-----------------------#...",
    "....#                       #...",
    "....#########################...",
    "................................",
    "................................",
]

GLYPH_COLOURS = {".": TRANSPARENT, "#": OUTLINE, " ": PAGE, "f": FOLD, "-": RULE, "V": MARK}

# A 5 x 7 font holding the letters the banner needs.
FONT = {
    "V": ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
    "f": ["..XX.", ".X...", "XXXX.", ".X...", ".X...", ".X...", ".X..."],
    "n": [".....", ".....", "XXXX.", "X...X", "X...X", "X...X", "X...X"],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "t": [".X...", ".X...", "XXXX.", ".X...", ".X...", ".X..X", "..XX."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def new_canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def draw_glyph(canvas, left, top):
    for y, row in enumerate(GLYPH):
        for x, key in enumerate(row):
            colour = GLYPH_COLOURS[key]
            if colour is not TRANSPARENT:
                canvas[top + y][left + x] = colour


def draw_text(canvas, text, left, top, scale, colour):
    """Draws text and returns the x just past it."""
    x = left
    for character in text:
        rows = FONT[character]
        for row_index, row in enumerate(rows):
            for column, bit in enumerate(row):
                if bit != "X":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        canvas[top + row_index * scale + dy][x + column * scale + dx] = colour
        x += 6 * scale
    return x


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def icon_bytes():
    size = 32
    xor_rows = []
    and_rows = []
    # Both bitmaps are stored bottom-up.
    for row in reversed(GLYPH):
        pixels = bytearray()
        mask_bits = 0
        for key in row:
            colour = GLYPH_COLOURS[key]
            mask_bits <<= 1
            if colour is TRANSPARENT:
                pixels += bytes((0, 0, 0, 0))
                mask_bits |= 1
            else:
                red, green, blue = colour
                pixels += bytes((blue, green, red, 255))
        xor_rows.append(bytes(pixels))
        and_rows.append(mask_bits.to_bytes(4, "big"))
    image = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(image), 0, 0, 0, 0)
    image = header + image
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def banner_canvas():
    width, height = 221, 45
    canvas = new_canvas(width, height, BANNER)
    for x in range(width):
        canvas[0][x] = canvas[height - 1][x] = BORDER
    for y in range(height):
        canvas[y][0] = canvas[y][width - 1] = BORDER
    draw_glyph(canvas, 6, (height - 32) // 2)
    word, word_scale = "Vantor", 3
    tagline, tagline_scale = "for OneNote", 1
    left = 48
    top = 6
    draw_text(canvas, word, left, top, word_scale, WORD)
    tagline_left = left + text_width(word, word_scale) - text_width(tagline, tagline_scale)
    draw_text(canvas, tagline, tagline_left, top + 7 * word_scale + 5, tagline_scale, TAGLINE)
    return canvas


def bitmap_bytes(canvas):
    height = len(canvas)
    width = len(canvas[0])
    stride = (width * 3 + 3) & ~3
    rows = []
    for row in reversed(canvas):
        line = bytearray()
        for red, green, blue in row:
            line += bytes((blue, green, red))
        line += bytes(stride - len(line))
        rows.append(bytes(line))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + pixels


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as output:
        output.write(data)


def main():
    assert len(GLYPH) == 32 and all(len(row) == 32 for row in GLYPH)
    write("vantor.ico", icon_bytes())
    write("notice.bmp", bitmap_bytes(banner_canvas()))


if __name__ == "__main__":
    main()
