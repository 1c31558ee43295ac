#!/usr/bin/python3
"""Draws the sign picture and the sign icon.

Writes, beside this script:
  sign_picture.gif  285 x 284, one frame, a 64-colour palette, no transparent colour
  sign_icon.ico     48 x 48, one 24-bit BMP image, opaque
  sign_icon.png     the same 48 x 48 image for the desktop entry

The images are committed; run this script again only to change them. It needs Pillow
(Debian: python3-pil) and the DejaVu fonts (Debian: fonts-dejavu-core).
"""

import pathlib
import struct

from PIL import Image, ImageDraw, ImageFont

HERE = pathlib.Path(__file__).resolve().parent

WIDTH, HEIGHT = 285, 284
SCALE = 4  # drawn larger, then reduced, for smooth edges

WHITE = (255, 255, 255)
GREEN = (28, 140, 64)
ORANGE = (240, 120, 20)

BAND_WIDTH = 51
NAME = "Orvanta"
NAME_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# The labels sit over this part of the picture; it must stay light enough for black text.
LABEL_AREA = (56, 104, 273, 249)  # left, top, right, bottom (inclusive)


def scaled(points):
    return [(x * SCALE, y * SCALE) for x, y in points]


def line(draw, points, width=4, colour=ORANGE):
    draw.line(scaled(points), fill=colour, width=width * SCALE, joint="curve")


def disc(draw, centre, radius, colour=ORANGE):
    x, y = centre
    draw.ellipse(
        [(x - radius) * SCALE, (y - radius) * SCALE, (x + radius) * SCALE, (y + radius) * SCALE],
        fill=colour,
    )


def ring(draw, centre, radius, width=4, colour=ORANGE):
    x, y = centre
    draw.ellipse(
        [(x - radius) * SCALE, (y - radius) * SCALE, (x + radius) * SCALE, (y + radius) * SCALE],
        outline=colour,
        width=width * SCALE,
    )


def curve(draw, start, control, end, width=4, colour=ORANGE):
    """A quadratic Bezier curve."""
    steps = 24
    points = []
    for step in range(steps + 1):
        t = step / steps
        points.append(
            tuple(
                (1 - t) ** 2 * start[i] + 2 * (1 - t) * t * control[i] + t**2 * end[i]
                for i in range(2)
            )
        )
    line(draw, points, width, colour)


def arc(draw, box, start, end, width=4, colour=ORANGE):
    left, top, right, bottom = box
    draw.arc(
        [left * SCALE, top * SCALE, right * SCALE, bottom * SCALE],
        start,
        end,
        fill=colour,
        width=width * SCALE,
    )


def draw_band(image):
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, BAND_WIDTH * SCALE - 1, HEIGHT * SCALE - 1], fill=GREEN)

    # The name is set on its own strip and turned a quarter to the left, so that it reads
    # from bottom to top.
    font = ImageFont.truetype(NAME_FONT, 36 * SCALE)
    left, top, right, bottom = font.getbbox(NAME)
    strip = Image.new("L", (right - left, bottom - top), 0)
    ImageDraw.Draw(strip).text((-left, -top), NAME, font=font, fill=255)
    strip = strip.rotate(90, expand=True)
    x = (BAND_WIDTH * SCALE - strip.width) // 2
    y = (HEIGHT * SCALE - strip.height) // 2
    image.paste(WHITE, (x, y), strip)


def draw_figure(image):
    """An outline figure flexing both arms, in the middle and on the right."""
    draw = ImageDraw.Draw(image)

    # Head and neck.
    ring(draw, (165, 52), 21)
    line(draw, [(165, 73), (165, 86)])

    # Shoulders, and the torso narrowing to the waist.
    line(draw, [(124, 92), (206, 92)])
    line(draw, [(124, 92), (146, 190)])
    line(draw, [(206, 92), (184, 190)])
    arc(draw, (140, 112, 190, 140), 20, 160, width=3)  # chest

    # Arms: upper arms out to the sides, forearms raised, fists clenched above the elbows.
    for side in (-1, 1):
        shoulder_x = 165 + side * 41
        elbow_x = 165 + side * 88
        fist_x = 165 + side * 86
        line(draw, [(shoulder_x, 92), (elbow_x, 100)])
        line(draw, [(elbow_x, 100), (fist_x, 46)])
        # The bulge of the flexed upper arm, from the shoulder to the forearm.
        curve(draw, (shoulder_x, 90), (165 + side * 66, 50), (165 + side * 86, 74), width=3)
        disc(draw, (fist_x, 38), 11)

    # Trunks and legs.
    line(draw, [(144, 190), (186, 190), (188, 214), (142, 214), (144, 190)])
    line(draw, [(150, 214), (132, 270), (116, 272)])
    line(draw, [(180, 214), (198, 270), (214, 272)])

    # Strokes of motion beside the raised fist on the right.
    for dy, length in ((-12, 10), (0, 14), (12, 10)):
        line(draw, [(268, 38 + dy), (268 + length, 38 + dy - 4)], width=3)


def lighten_label_area(image):
    """Tones down whatever lies under the labels so that black text stays readable."""
    left, top, right, bottom = (v * SCALE for v in LABEL_AREA)
    box = (left, top, right + SCALE, bottom + SCALE)
    area = image.crop(box)
    area = Image.blend(area, Image.new("RGB", area.size, WHITE), 0.25)
    image.paste(area, box)


def master():
    image = Image.new("RGB", (WIDTH * SCALE, HEIGHT * SCALE), WHITE)
    draw_figure(image)
    lighten_label_area(image)
    draw_band(image)
    return image


def palette_colours():
    """64 colours: the three plain colours and the blends that smooth their edges."""
    colours = [WHITE, GREEN, ORANGE]

    def blends(a, b, count):
        return [
            tuple(round(a[i] + (b[i] - a[i]) * step / (count + 1)) for i in range(3))
            for step in range(1, count + 1)
        ]

    colours += blends(WHITE, ORANGE, 30)
    colours += blends(GREEN, WHITE, 31)
    assert len(colours) == 64
    return colours


def write_picture(image):
    picture = image.resize((WIDTH, HEIGHT), Image.LANCZOS)

    # Each pixel takes the nearest palette colour, so that the plain colours stay exact.
    colours = palette_colours()
    nearest = {}

    def index_of(rgb):
        if rgb not in nearest:
            nearest[rgb] = min(
                range(len(colours)),
                key=lambda i: sum((rgb[c] - colours[i][c]) ** 2 for c in range(3)),
            )
        return nearest[rgb]

    indexed = Image.new("P", picture.size)
    indexed.putpalette([channel for colour in colours for channel in colour])
    indexed.putdata([index_of(rgb) for rgb in picture.getdata()])
    indexed.save(HERE / "sign_picture.gif", format="GIF", optimize=False)


def write_icon(image):
    icon = image.resize((48, 48), Image.LANCZOS).convert("RGB")
    icon.save(HERE / "sign_icon.png", format="PNG", optimize=True)

    # An ICO with one 24-bit BMP image: the colour rows bottom-up in BGR order, then an
    # all-clear AND mask (the icon is opaque), each row padded to four bytes.
    size = 48
    colour_rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            r, g, b = icon.getpixel((x, y))
            row += bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        colour_rows.append(bytes(row))
    mask_row = b"\0" * (((size + 31) // 32) * 4)
    pixels = b"".join(colour_rows) + mask_row * size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    image_bytes = header + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image_bytes), 6 + 16)
    (HERE / "sign_icon.ico").write_bytes(directory + entry + image_bytes)


def main():
    image = master()
    write_picture(image)
    write_icon(image)


if __name__ == "__main__":
    main()
