"""Draws bitmap 108 of the print job's cancel dialog: a desk printer seen from the front and a
little above, a blank sheet waiting in its feeder and a printed sheet coming out, on a pale
panel, 64 x 64 pixels in 24-bit colour. Run: python3 tools/art/printer_bitmap.py"""
import os
from bitmaps import canvas, rect, frame, line, disc, write_bmp24

OUT = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'res', 'printer.bmp')
W, H = 64, 64

PANEL, PANEL_EDGE = (226, 232, 240), (176, 186, 200)
PAPER, PAPER_SHADE, INK = (255, 255, 255), (200, 204, 212), (40, 40, 48)
BODY, BODY_LIGHT, BODY_DARK, EDGE = (150, 154, 162), (204, 208, 214), (96, 100, 108), (44, 46, 52)
SLOT, LED, LED_RIM = (24, 24, 28), (40, 220, 60), (10, 90, 20)


def sheet(img, x, y, w, h, lines):
    rect(img, x, y, w, h, PAPER)
    frame(img, x, y, w, h, PAPER_SHADE)
    for i, width in enumerate(lines):
        rect(img, x + 3, y + 3 + 3 * i, width, 1, INK)


img = canvas(W, H, PANEL)
frame(img, 0, 0, W, H, PANEL_EDGE)

# the blank sheet in the feeder behind the printer
sheet(img, 18, 5, 28, 22, [])
# the body: a lighter top face, the front, the paper slot, buttons and the power light
rect(img, 6, 24, 52, 8, BODY_LIGHT)
rect(img, 6, 32, 52, 18, BODY)
rect(img, 6, 49, 52, 3, BODY_DARK)
frame(img, 5, 23, 54, 30, EDGE)
line(img, 6, 31, 57, 31, BODY_DARK)
rect(img, 14, 36, 36, 3, SLOT)
for x in (10, 15):
    rect(img, x, 43, 4, 3, BODY_DARK)
disc(img, 51.5, 44.5, 2.2, LED_RIM)
disc(img, 51.5, 44.5, 1.4, LED)
# the printed sheet coming out of the slot, its lines of text showing
sheet(img, 17, 38, 30, 23, [20, 24, 16, 22, 12, 18])

write_bmp24(OUT, img)
print('wrote', os.path.normpath(OUT))
