"""Draws bitmap 102: the ZRT94VK lift controller seen from above, a circuit board in its housing
with the processor, program memory, serial connector, display and LEDs, two rows of relays and
the terminal strip, 217 x 99 pixels in 24-bit colour. Run: python3 tools/art/controller_bitmap.py"""
import os
from bitmaps import canvas, rect, frame, line, disc, text, text_width, write_bmp24

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'res', 'controller.bmp')
W, H = 217, 99

# housing
CASE, CASE_LIGHT, CASE_DARK, CASE_EDGE = (196, 196, 188), (236, 236, 230), (128, 128, 120), \
    (70, 70, 66)
# board
BOARD, BOARD_DARK, TRACE, PAD = (18, 98, 52), (10, 62, 32), (34, 128, 68), (206, 176, 90)
SILK = (240, 240, 236)
# parts
CHIP, CHIP_EDGE, PIN = (34, 34, 38), (78, 78, 84), (196, 196, 188)
RELAY, RELAY_TOP, RELAY_EDGE, RELAY_PRINT = (30, 62, 150), (52, 92, 196), (12, 22, 64), \
    (200, 210, 236)
TERMINAL, TERMINAL_DARK, SCREW, SCREW_DARK = (48, 150, 78), (22, 86, 42), (206, 206, 200), \
    (96, 96, 92)
SEG_ON, SEG_OFF, WINDOW = (255, 48, 32), (70, 14, 12), (24, 8, 8)
GOLD, BLACK = (214, 178, 70), (0, 0, 0)

# 5 x 7 capitals and figures for the board's lettering
FONT = {
    'Z': ['#####', '....#', '...#.', '..#..', '.#...', '#....', '#####'],
    'R': ['####.', '#...#', '#...#', '####.', '#.#..', '#..#.', '#...#'],
    'T': ['#####', '..#..', '..#..', '..#..', '..#..', '..#..', '..#..'],
    '9': ['.###.', '#...#', '#...#', '.####', '....#', '...#.', '.##..'],
    '4': ['...#.', '..##.', '.#.#.', '#..#.', '#####', '...#.', '...#.'],
    'V': ['#...#', '#...#', '#...#', '.#.#.', '.#.#.', '.#.#.', '..#..'],
    'K': ['#...#', '#..#.', '#.#..', '##...', '#.#..', '#..#.', '#...#'],
}

# Seven-segment digits: segments a..g lit for each figure.
SEGMENTS = {'0': 'abcdef', '1': 'bc', '2': 'abdeg', '3': 'abcdg', '4': 'bcfg', '5': 'acdfg',
            '6': 'acdefg', '7': 'abc', '8': 'abcdefg', '9': 'abcdfg'}


def scaled(font, k):
    return {c: [''.join(ch * k for ch in row) for row in rows for _ in range(k)]
            for c, rows in font.items()}


def bevel(img, x, y, w, h, light, dark):
    rect(img, x, y, w, 1, light)
    rect(img, x, y, 1, h, light)
    rect(img, x, y + h - 1, w, 1, dark)
    rect(img, x + w - 1, y, 1, h, dark)


def housing(img):
    rect(img, 0, 0, W, H, CASE)
    frame(img, 0, 0, W, H, CASE_EDGE)
    bevel(img, 1, 1, W - 2, H - 2, CASE_LIGHT, CASE_DARK)
    # the board sits recessed: the inner rim is shaded the other way round
    bevel(img, 5, 5, W - 10, H - 10, CASE_DARK, CASE_LIGHT)
    for x, y in [(2, 2), (W - 5, 2), (2, H - 5), (W - 5, H - 5)]:
        rect(img, x, y, 3, 3, CASE_DARK)
        img[y][x] = CASE_EDGE


def board(img):
    rect(img, 6, 6, W - 12, H - 12, BOARD)
    rect(img, 6, 6, W - 12, 1, BOARD_DARK)
    rect(img, 6, 6, 1, H - 12, BOARD_DARK)
    for cx, cy in [(11.5, 11.5), (W - 12.5, 11.5), (11.5, H - 12.5), (W - 12.5, H - 12.5)]:
        disc(img, cx, cy, 3.2, PAD)
        disc(img, cx, cy, 1.6, BOARD_DARK)


def traces(img):
    # buses from the processor to the memory, from the memory to the relay connector and the
    # relays, and from the processor and the relays down to the terminal strip
    for i in range(6):
        y = 34 + 4 * i
        line(img, 47, y, 54, y, TRACE)
    for i in range(9):
        y = 40 + 3 * i
        line(img, 69, y, 88, y, TRACE)
    for i in range(3):
        y = 29 + 2 * i
        line(img, 69, y, 99, y, TRACE)
    for y in (42, 46, 58, 62):
        line(img, 96, y, 99, y, TRACE)
    for i in range(9):
        x = 103 + 12 * i
        line(img, x, 70, x, 76, TRACE)
        line(img, x + 3, 70, x + 3, 76, TRACE)
    for i in range(5):
        x = 36 + 3 * i
        line(img, x, 60, x, 76, TRACE)
    for x, y in [(54, 34), (54, 42), (54, 50), (99, 29), (99, 31), (99, 33)]:
        img[y][x] = PAD


def lettering(img):
    big = scaled(FONT, 2)
    x0 = 18
    text(img, x0, 9, 'ZRT94VK', big, SILK, spacing=2)
    width = text_width('ZRT94VK', big, spacing=2)
    rect(img, x0, 25, width, 1, SILK)


def serial_connector(img):
    """A 9-way D connector on the left edge, reaching over the housing rim."""
    x, y, h = 1, 34, 30
    rect(img, x, y, 12, h, (150, 150, 156))
    bevel(img, x, y, 12, h, (220, 220, 226), (86, 86, 92))
    for j in range(h - 8):
        inset = 1 if j < 2 or j > h - 11 else 0
        rect(img, x + 3 + inset, y + 4 + j, 6 - 2 * inset - (j * 2 // (h - 8)), 1, (34, 34, 38))
    for i in range(5):
        img[y + 6 + 4 * i][x + 4] = GOLD
    for i in range(4):
        img[y + 8 + 4 * i][x + 6] = GOLD
    for yy in (y + 1, y + h - 3):
        disc(img, x + 6, yy + 0.5, 1.2, (96, 96, 100))


def processor(img):
    x, y, s = 20, 32, 26
    for i in range(2, s - 2, 2):
        rect(img, x + i, y - 2, 1, 2, PIN)
        rect(img, x + i, y + s, 1, 2, PIN)
        rect(img, x - 2, y + i, 2, 1, PIN)
        rect(img, x + s, y + i, 2, 1, PIN)
    rect(img, x + 1, y + 1, s, s, BOARD_DARK)
    rect(img, x, y, s, s, CHIP)
    bevel(img, x, y, s, s, CHIP_EDGE, (18, 18, 20))
    disc(img, x + 4, y + 4, 1.5, CHIP_EDGE)
    for j, w in enumerate([14, 10, 12]):
        rect(img, x + 6, y + 11 + 3 * j, w, 1, (120, 120, 126))


def memory(img):
    """Program memory: a long DIP with its label stuck over the window."""
    x, y, w, h = 56, 28, 11, 42
    for j in range(2, h - 1, 3):
        rect(img, x - 2, y + j, 2, 1, PIN)
        rect(img, x + w, y + j, 2, 1, PIN)
    rect(img, x + 1, y + 1, w, h, BOARD_DARK)
    rect(img, x, y, w, h, CHIP)
    bevel(img, x, y, w, h, CHIP_EDGE, (18, 18, 20))
    disc(img, x + w / 2 - 0.5, y, 2, (14, 14, 16))
    rect(img, x - 1, y - 2, w + 2, 2, BOARD)
    rect(img, x + 2, y + 14, w - 4, 12, (236, 232, 214))
    for j in range(3):
        rect(img, x + 3, y + 16 + 3 * j, w - 6, 1, (90, 90, 150))


def crystal_and_capacitors(img):
    rect(img, 22, 67, 11, 5, (188, 188, 184))
    frame(img, 22, 67, 11, 5, (110, 110, 106))
    for cx, cy in [(80, 46), (80, 56), (48, 68)]:
        disc(img, cx, cy, 4.2, (28, 40, 96))
        disc(img, cx, cy, 3.2, (180, 180, 186))
        line(img, cx - 2, cy, cx + 2, cy, (110, 110, 116))
        line(img, cx, cy - 2, cx, cy + 2, (110, 110, 116))
        rect(img, cx - 4, cy - 1, 1, 3, (200, 200, 214))
    for i in range(3):
        x = 72 + 4 * i
        rect(img, x, 30, 2, 6, (214, 190, 130))
        img[31][x] = (160, 60, 40)
        img[33][x + 1] = (40, 40, 40)


def ribbon_header(img):
    x, y, w, h = 88, 38, 8, 28
    rect(img, x, y, w, h, (44, 44, 46))
    frame(img, x, y, w, h, (16, 16, 16))
    rect(img, x + 2, y + 2, w - 4, h - 4, (20, 20, 20))
    rect(img, x, y + h // 2 - 2, 1, 4, BOARD)
    for j in range(y + 3, y + h - 3, 2):
        img[j][x + 3] = GOLD
        img[j][x + 4] = GOLD


def seven_segment(img, x, y, digit):
    segs = SEGMENTS[digit]
    parts = {'a': (1, 0, 5, 2), 'b': (6, 1, 2, 6), 'c': (6, 8, 2, 6), 'd': (1, 13, 5, 2),
             'e': (0, 8, 2, 6), 'f': (0, 1, 2, 6), 'g': (1, 7, 5, 1)}
    for s, (dx, dy, w, h) in parts.items():
        rect(img, x + dx, y + dy, w, h, SEG_ON if s in segs else SEG_OFF)


def display(img):
    x, y = 108, 9
    rect(img, x - 2, y - 2, 36, 21, (40, 40, 44))
    rect(img, x, y, 32, 17, WINDOW)
    for i, d in enumerate('014'):
        seven_segment(img, x + 3 + 10 * i, y + 1, d)
    rect(img, x + 1, y, 30, 1, (90, 40, 40))


def leds(img):
    colours = [(60, 230, 60), (60, 230, 60), (255, 60, 40), (255, 200, 40), (60, 230, 60),
               (255, 60, 40)]
    for i, c in enumerate(colours):
        cx, cy = 155 + 8 * i, 14
        disc(img, cx, cy, 3.2, tuple(v // 3 for v in c))
        disc(img, cx, cy, 2.2, c)
        img[cy - 1][cx - 1] = (255, 255, 240)
        rect(img, cx - 1, cy + 5, 3, 1, SILK)


def relay(img, x, y):
    w, h = 11, 19
    rect(img, x + 1, y + 1, w, h, BOARD_DARK)
    rect(img, x, y, w, h, RELAY)
    frame(img, x, y, w, h, RELAY_EDGE)
    rect(img, x + 1, y + 1, w - 2, 1, RELAY_TOP)
    rect(img, x + 1, y + 1, 1, h - 2, RELAY_TOP)
    rect(img, x + 3, y + 5, 5, 1, RELAY_PRINT)
    rect(img, x + 3, y + 7, 4, 1, RELAY_PRINT)
    rect(img, x + 3, y + 13, 5, 2, RELAY_PRINT)


def relays(img):
    for row in range(2):
        for i in range(9):
            relay(img, 100 + 12 * i, 28 + 22 * row)


def terminal_strip(img):
    """Three blocks of screw terminals along the lower edge: screw heads above, wire entries
    below."""
    x, y, step = 17, 77, 8
    for count in (6, 8, 8):
        rect(img, x - 1, y - 1, count * step + 1, 15, TERMINAL_DARK)
        for i in range(count):
            rect(img, x, y, step - 1, 13, TERMINAL)
            rect(img, x, y, step - 1, 1, (110, 200, 130))
            disc(img, x + 3, y + 4, 2.6, SCREW)
            line(img, x + 1, y + 4, x + 5, y + 4, SCREW_DARK)
            rect(img, x + 1, y + 9, 5, 3, (14, 40, 20))
            x += step
        rect(img, x - count * step, y - 3, 1, 2, SILK)
        x += 3


def picture():
    img = canvas(W, H, CASE)
    housing(img)
    board(img)
    traces(img)
    lettering(img)
    serial_connector(img)
    processor(img)
    memory(img)
    crystal_and_capacitors(img)
    ribbon_header(img)
    display(img)
    leds(img)
    relays(img)
    terminal_strip(img)
    return img


write_bmp24(OUT, picture())
print('wrote', os.path.normpath(OUT))
