"""Small writers for the program's pictures: Windows BMP (4-bit and 24-bit) and ICO files.

A picture is a list of rows (top first) of (r, g, b) tuples, or None for a transparent icon
pixel. Kept free of third-party modules so the pictures can be redrawn on any machine."""
import struct

# The 16 colours of the standard VGA palette, in palette order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def rect(img, x, y, w, h, colour):
    for yy in range(max(0, y), min(len(img), y + h)):
        for xx in range(max(0, x), min(len(img[0]), x + w)):
            img[yy][xx] = colour


def frame(img, x, y, w, h, colour):
    rect(img, x, y, w, 1, colour)
    rect(img, x, y + h - 1, w, 1, colour)
    rect(img, x, y, 1, h, colour)
    rect(img, x + w - 1, y, 1, h, colour)


def line(img, x0, y0, x1, y1, colour):
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        if 0 <= y0 < len(img) and 0 <= x0 < len(img[0]):
            img[y0][x0] = colour
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def nearest16(c):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(VGA16[i], c)))


def _rows4(img):
    out = b''
    for row in reversed(img):
        idx = [nearest16(c) for c in row]
        if len(idx) % 2:
            idx.append(0)
        data = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        out += data + b'\0' * (-len(data) % 4)
    return out


def write_bmp4(path, img):
    """A 16-colour bitmap with the VGA palette."""
    h, w = len(img), len(img[0])
    pixels = _rows4(img)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA16)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + palette + pixels)


def write_bmp24(path, img):
    h, w = len(img), len(img[0])
    pixels = b''
    for row in reversed(img):
        data = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in row)
        pixels += data + b'\0' * (-len(data) % 4)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    with open(path, 'wb') as f:
        f.write(head + info + pixels)


def _icon_image(img):
    """One icon image: 32-bit colour with alpha plus the 1-bit AND mask."""
    h, w = len(img), len(img[0])
    info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''
    mask = b''
    for row in reversed(img):
        bits = 0
        mrow = b''
        for x, c in enumerate(row):
            if c is None:
                xor += b'\0\0\0\0'
                bits |= 0x80 >> (x % 8)
            else:
                r, g, b = c
                xor += struct.pack('<BBBB', b, g, r, 255)
            if x % 8 == 7:
                mrow += bytes([bits])
                bits = 0
        mask += mrow + b'\0' * (-len(mrow) % 4)
    return info + xor + mask


def write_ico(path, images):
    head = struct.pack('<HHH', 0, 1, len(images))
    blobs = [_icon_image(img) for img in images]
    offset = 6 + 16 * len(images)
    entries = b''
    for img, blob in zip(images, blobs):
        w, h = len(img[0]), len(img)
        entries += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(head + entries + b''.join(blobs))


def pixmap(img, x, y, rows, key):
    """Pastes character art: each character names a colour in key; others are left as they are."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if key.get(ch) is not None and 0 <= y + j < len(img) and 0 <= x + i < len(img[0]):
                img[y + j][x + i] = key[ch]


def disc(img, cx, cy, r, colour):
    """A filled circle; centre and radius may be fractional."""
    for yy in range(int(cy - r) - 1, int(cy + r) + 2):
        for xx in range(int(cx - r) - 1, int(cx + r) + 2):
            if (xx - cx) ** 2 + (yy - cy) ** 2 <= r * r and 0 <= yy < len(img) \
                    and 0 <= xx < len(img[0]):
                img[yy][xx] = colour


def text(img, x, y, s, font, colour, spacing=1):
    """Draws s with a font of character art (a dict of lists of rows, '#' = ink)."""
    for ch in s:
        glyph = font[ch]
        for j, row in enumerate(glyph):
            for i, c in enumerate(row):
                if c == '#' and 0 <= y + j < len(img) and 0 <= x + i < len(img[0]):
                    img[y + j][x + i] = colour
        x += len(glyph[0]) + spacing
    return x


def text_width(s, font, spacing=1):
    return sum(len(font[ch][0]) for ch in s) + spacing * (len(s) - 1)
