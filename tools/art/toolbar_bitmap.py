"""Draws bitmap 113, the toolbar strip: 17 images of 16 x 16 pixels, 16 colours, on the
light grey of a button face. Run: python3 tools/art/toolbar_bitmap.py

Images in strip order: 0 cut, 1 copy, 2 new (blank page), 3 open (opening folder with arrow),
4 save (folder with arrow), 5 print label (printer), 6 receive version (chip marked VERS),
7 receive configuration (page, red arrow in), 8 transmit configuration (page, red arrow out),
9 event log (list of lines), 10 whole label (tall page), 11 label width (square page),
12 controller configuration (blue wrench), 13 paste, 14 help, 15 zoom in, 16 zoom out."""
import os
from bitmaps import canvas, rect, frame, pixmap, text, write_bmp4

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'res', 'toolbar.bmp')

BLACK, MAROON, GREEN, OLIVE = (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0)
NAVY, TEAL, GREY, DARK = (0, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128)
RED, LIME, YELLOW, BLUE = (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255)
CYAN, WHITE = (0, 255, 255), (255, 255, 255)

# The button face: every image is drawn on it so the toolbar can use the strip as it is.
FACE = GREY

KEY = {
    'k': BLACK, 'm': MAROON, 'd': GREEN, 'o': OLIVE, 'n': NAVY, 't': TEAL, 'l': GREY,
    'g': DARK, 'r': RED, 'G': LIME, 'y': YELLOW, 'b': BLUE, 'c': CYAN, 'w': WHITE,
}

# 3 x 5 capitals for the chip's marking; the E is narrower so that VERS fits on 16 pixels.
SMALL = {
    'V': ['#.#', '#.#', '#.#', '#.#', '.#.'],
    'E': ['##', '#.', '##', '#.', '##'],
    'R': ['##.', '#.#', '##.', '#.#', '#.#'],
    'S': ['.##', '#..', '.#.', '..#', '##.'],
}


def blank():
    return canvas(16, 16, FACE)


def outline(img, mask, colour, diagonal=False):
    """Outlines a shape given as a set of (x, y): its outer neighbours take the colour."""
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    for (x, y) in mask:
        for dx, dy in steps:
            p = (x + dx, y + dy)
            if p not in mask and 0 <= p[0] < 16 and 0 <= p[1] < 16:
                img[p[1]][p[0]] = colour


def page(img, x, y, w, h, ear=3, fill=WHITE):
    """A sheet with a black outline and its top right corner folded over."""
    rect(img, x, y, w, h, fill)
    frame(img, x, y, w, h, BLACK)
    if ear:
        fold = x + w - 1 - ear
        for i in range(ear):
            rect(img, fold + i + 1, y + i, x + w - fold - i - 1, 1, FACE)
            img[y + i][fold + i] = BLACK
            img[y + i][fold] = BLACK
        rect(img, fold, y + ear, ear + 1, 1, BLACK)


def lines(img, x, y, widths, colour, gap=2):
    for i, w in enumerate(widths):
        rect(img, x, y + gap * i, w, 1, colour)


def cut():
    img = blank()
    pixmap(img, 0, 0, [
        '................',
        '...k.......k....',
        '...k.......k....',
        '...kk.....kk....',
        '....k.....k.....',
        '....kk...kk.....',
        '.....k...k......',
        '.....kk.kk......',
        '......kkk.......',
        '.......k........',
        '......n.n.......',
        '..nnnn...nnnn...',
        '.n...n...n...n..',
        '.n...n...n...n..',
        '.n...n...n...n..',
        '..nnn.....nnn...',
    ], KEY)
    return img


def copy():
    img = blank()
    page(img, 1, 1, 9, 11, ear=2)
    lines(img, 3, 5, [3, 3, 3], NAVY)
    page(img, 6, 5, 9, 11, ear=2)
    lines(img, 8, 8, [4, 5, 5, 5], NAVY)
    return img


def new():
    img = blank()
    page(img, 2, 1, 11, 14)
    return img


def open_folder():
    img = blank()
    pixmap(img, 0, 0, [
        '.........kkk....',
        '........k...k...',
        '.............k..',
        '...........kkkkk',
        '............kkk.',
        '.kkk.........k..',
        'kyyykkkkkkk.....',
        'kywywywywyk.....',
        'kwywywywywk.....',
        'kywywykkkkkkkkkk',
        'kwywykyyyyyyyyyk',
        'kywkyyyyyyyyyyk.',
        'kwkyyyyyyyyyyk..',
        'kkyyyyyyyyyyk...',
        'kkkkkkkkkkkk....',
        '................',
    ], KEY)
    return img


def save_folder():
    img = blank()
    pixmap(img, 0, 0, [
        '.........kkkk...',
        '.........kbbk...',
        '.........kbbk...',
        '.......kkkbbkkk.',
        '........kbbbbk..',
        '.kkkk....kbbk...',
        'kwyyyk....kk....',
        'kwwwwwkkkkkkkkk.',
        'kwyyyyyyyyyyyok.',
        'kwyyyyyyyyyyyok.',
        'kwyyyyyyyyyyyok.',
        'kwyyyyyyyyyyyok.',
        'kwyyyyyyyyyyyok.',
        'kooooooooooooook',
        'kkkkkkkkkkkkkkkk',
        '................',
    ], KEY)
    return img


def printer():
    img = blank()
    pixmap(img, 0, 0, [
        '................',
        '....kkkkkkkk....',
        '....kwwwwwwk....',
        '....kwkkkkwk....',
        '....kwwwwwwk....',
        '..kkkkkkkkkkkk..',
        '.kwwwwwwwwwwwwk.',
        '.kwllllllllGGgk.',
        '.kwllllllllllgk.',
        '.kggggggggggggk.',
        '.kkkwwwwwwwwkkk.',
        '...kwkkkkkkwk...',
        '...kwwwwwwwwk...',
        '...kwkkkkkwwk...',
        '...kwwwwwwwwk...',
        '...kkkkkkkkkk...',
    ], KEY)
    return img


def chip():
    img = blank()
    for x in range(1, 16, 2):
        rect(img, x, 1, 1, 2, DARK)
        rect(img, x, 13, 1, 2, DARK)
    rect(img, 0, 3, 16, 10, BLACK)
    text(img, 1, 5, 'VERS', SMALL, WHITE)
    return img


def arrow_left(img, x, y):
    pixmap(img, x, y, [
        '....k......',
        '...kk......',
        '..krkkkkkkk',
        '.krrrrrrrrk',
        'krrrrrrrrrk',
        '.krrrrrrrrk',
        '..krkkkkkkk',
        '...kk......',
        '....k......',
    ], KEY)


def arrow_right(img, x, y):
    pixmap(img, x, y, [
        '......k....',
        '......kk...',
        'kkkkkkkrk..',
        'krrrrrrrrk.',
        'krrrrrrrrrk',
        'krrrrrrrrk.',
        'kkkkkkkrk..',
        '......kk...',
        '......k....',
    ], KEY)


def receive():
    img = blank()
    page(img, 0, 0, 11, 15)
    lines(img, 2, 3, [4, 7, 6], BLACK)
    arrow_left(img, 5, 7)
    return img


def transmit():
    img = blank()
    page(img, 0, 0, 11, 15)
    lines(img, 2, 3, [4, 7, 6], BLACK)
    arrow_right(img, 5, 7)
    return img


def event_list():
    img = blank()
    rect(img, 1, 1, 14, 14, WHITE)
    frame(img, 1, 1, 14, 14, BLACK)
    rect(img, 2, 2, 12, 2, NAVY)
    for i, (w, c) in enumerate([(8, RED), (6, GREEN), (9, GREEN), (7, RED), (8, GREEN)]):
        rect(img, 3, 5 + 2 * i, 1, 1, c)
        rect(img, 5, 5 + 2 * i, w - 1, 1, BLACK)
    return img


def label_page(img, x, y, w, h):
    rect(img, x + 1, y + 1, w, h, DARK)
    rect(img, x, y, w, h, WHITE)
    frame(img, x, y, w, h, BLACK)


def whole_label():
    img = blank()
    label_page(img, 3, 0, 9, 15)
    lines(img, 5, 3, [5, 3, 5, 4, 5], DARK)
    return img


def label_width():
    img = blank()
    label_page(img, 1, 2, 13, 12)
    lines(img, 3, 5, [9, 6, 8], DARK, gap=2)
    return img


def wrench():
    img = blank()
    pixmap(img, 0, 0, [
        '................',
        '.......kk....kk.',
        '......kcbk..kbbk',
        '......kbbk..kbbk',
        '......kbbbkkbbnk',
        '......kbbbbbbbnk',
        '.....kcbbbbbbnk.',
        '....kcbbbbnnkk..',
        '...kcbbbnkk.....',
        '..kcbbbnk.......',
        '.kcbbbnk........',
        'kcbbbnk.........',
        'kbbbnk..........',
        'kbbnk...........',
        '.kkk............',
        '................',
    ], KEY)
    return img


def paste():
    img = blank()
    rect(img, 1, 2, 11, 13, OLIVE)
    frame(img, 1, 2, 11, 13, BLACK)
    rect(img, 4, 1, 5, 3, DARK)
    frame(img, 4, 1, 5, 3, BLACK)
    rect(img, 3, 3, 7, 1, BLACK)
    page(img, 7, 6, 9, 10, ear=2)
    lines(img, 9, 9, [4, 5, 5], NAVY)
    return img


def help_mark():
    img = blank()
    pixmap(img, 0, 0, [
        '................',
        '.....kkkkkk.....',
        '....kbcccbbk....',
        '...kbckkkkbbk...',
        '...kbbk..kbbk...',
        '....kk..kbbbk...',
        '.......kbbbk....',
        '......kbbbk.....',
        '......kbbk......',
        '......kbbk......',
        '.......kk.......',
        '................',
        '.......kk.......',
        '......kbbk......',
        '......kbbk......',
        '.......kk.......',
    ], KEY)
    return img


def magnifier(plus):
    img = blank()
    lens = set()
    for y in range(16):
        for x in range(16):
            if (x - 6) ** 2 + (y - 6) ** 2 <= 4.4 ** 2:
                lens.add((x, y))
    for (x, y) in lens:
        img[y][x] = CYAN if x + y < 11 else WHITE
    outline(img, lens, BLACK)
    for i in range(5):
        rect(img, 10 + i, 10 + i, 2, 2, BLACK)
    rect(img, 4, 6, 5, 1, NAVY)
    if plus:
        rect(img, 6, 4, 1, 5, NAVY)
    return img


def strip():
    images = [cut(), copy(), new(), open_folder(), save_folder(), printer(), chip(), receive(),
              transmit(), event_list(), whole_label(), label_width(), wrench(), paste(),
              help_mark(), magnifier(True), magnifier(False)]
    img = canvas(16 * len(images), 16, FACE)
    for n, icon in enumerate(images):
        for y in range(16):
            img[y][16 * n:16 * n + 16] = icon[y]
    return img


write_bmp4(OUT, strip())
print('wrote', os.path.normpath(OUT))
