"""Draws icon 110: a lift controller board (green circuit board with a processor, relays and a
terminal strip, and the lift's up/down arrows). Run: python3 tools/art/program_icon.py"""
import os
from bitmaps import canvas, rect, frame, write_ico

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'res', 'program.ico')

GREEN, DARK_GREEN = (0, 128, 0), (0, 80, 0)
BLACK, GRAY, WHITE = (0, 0, 0), (160, 160, 160), (255, 255, 255)
YELLOW, BLUE, RED = (255, 220, 0), (0, 0, 200), (220, 0, 0)


def board(size):
    s = size / 32.0
    p = lambda v: int(round(v * s))
    img = canvas(size, size, None)
    rect(img, p(1), p(3), p(30), p(26), GREEN)
    frame(img, p(1), p(3), p(30), p(26), DARK_GREEN)
    # terminal strip along the bottom edge
    for i in range(7):
        rect(img, p(3 + 4 * i), p(24), max(1, p(3)), max(1, p(3)), GRAY)
    # processor
    rect(img, p(4), p(7), p(11), p(11), BLACK)
    for i in range(5):
        rect(img, p(5 + 2 * i), p(6), max(1, p(1)), max(1, p(1)), GRAY)
        rect(img, p(5 + 2 * i), p(18), max(1, p(1)), max(1, p(1)), GRAY)
    # two relays
    rect(img, p(18), p(6), p(5), p(7), BLUE)
    rect(img, p(24), p(6), p(5), p(7), BLUE)
    # up and down arrows of the lift
    cx = p(23.5)
    for i in range(p(4)):
        rect(img, cx - i, p(14) + i, 2 * i + 1, 1, YELLOW)
        rect(img, cx - i, p(22) - i, 2 * i + 1, 1, RED)
    return img


write_ico(OUT, [board(32), board(16)])
print('wrote', os.path.normpath(OUT))
