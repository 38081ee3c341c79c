#!/usr/bin/python3
"""Draws the demo's pictures into a MAME folder, in every layout the picture
pane reads, so `make run` shows it at work:

    demo_pictures.py MAME_FOLDER

- snap/<game>/0000.png (MAME's own %g/%i layout) and snap/<game>.png;
- snap.zip holding <game>.png for more games;
- titles/<game>.png, flyers/<game>.jpg, cabinets/<game>.png, marquees/<game>.png;
- icons/<game>.ico and icons.zip.

Clones have no pictures of their own: they show their parent's. Made with
Debian's python3-pil (tools/install-deps.sh); reproducible for given input,
and written at prepare time rather than kept in the source tree.
"""

import io
import os
import sys
import zipfile

from PIL import Image, ImageDraw

# Games of the demo catalogue (db/demo_rows.sql) and of the stand-in
# emulator's demo list (tools/demo/gamelist.xml): name, shown title,
# vertical screen, colour.
GAMES = [
    ("puckman", "PUCK MAN", True, (255, 220, 0)),
    ("mspacman", "MS. PAC-MAN", True, (255, 120, 180)),
    ("galaga", "GALAGA", True, (80, 140, 255)),
    ("galaxian", "GALAXIAN", True, (60, 200, 255)),
    ("digdug", "DIG DUG", True, (240, 120, 40)),
    ("dkong", "DONKEY KONG", True, (230, 40, 40)),
    ("1942", "1942", True, (120, 200, 120)),
    ("asteroid", "ASTEROIDS", False, (220, 220, 220)),
    ("defender", "DEFENDER", False, (160, 80, 255)),
    ("frogger", "FROGGER", True, (40, 200, 60)),
    ("sf2", "STREET FIGHTER II", False, (255, 160, 40)),
    ("outrun", "OUT RUN", False, (40, 180, 255)),
    ("drinxu", "DRINXU", False, (200, 100, 50)),
    ("kritja", "KRITJA", True, (100, 200, 150)),
    ("bakrus", "BAKRUS", False, (150, 150, 250)),
]
# These are in snap.zip only; the others are loose files.
IN_ARCHIVE = {"galaxian", "digdug", "asteroid", "outrun", "bakrus"}
# These use the name.png layout; the others MAME's name/0000.png.
FLAT = {"mspacman", "1942", "kritja"}


def screen(title, vertical, colour, size=None):
    w, h = size or ((224, 288) if vertical else (320, 240))
    image = Image.new("RGB", (w, h), (8, 8, 24))
    draw = ImageDraw.Draw(image)
    for i in range(12):  # a starfield of the game's colour
        x, y = (i * 97) % w, (i * 53 + 17) % h
        draw.rectangle([x, y, x + 2, y + 2], fill=colour)
    draw.rectangle([w // 6, h // 3, w - w // 6, h // 3 + h // 8], outline=colour, width=3)
    draw.text((w // 6 + 8, h // 3 + 8), title, fill=(255, 255, 255))
    draw.ellipse([w // 2 - 20, h * 2 // 3 - 20, w // 2 + 20, h * 2 // 3 + 20], fill=colour)
    return image


def png(image):
    out = io.BytesIO()
    image.save(out, "PNG", optimize=True)
    return out.getvalue()


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def fixed_zip(path, members):
    # A fixed date keeps the archive the same from run to run.
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in members:
            z.writestr(zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    archive = []
    icons = []
    for name, title, vertical, colour in GAMES:
        shot = png(screen(title, vertical, colour))
        if name in IN_ARCHIVE:
            archive.append((name + ".png", shot))
        elif name in FLAT:
            write(os.path.join(root, "snap", name + ".png"), shot)
        else:
            write(os.path.join(root, "snap", name, "0000.png"), shot)
        write(os.path.join(root, "titles", name + ".png"), png(screen(title + " (C)", vertical, (255, 255, 255))))
        flyer = io.BytesIO()
        screen(title, True, colour, (300, 420)).save(flyer, "JPEG", quality=85)
        write(os.path.join(root, "flyers", name + ".jpg"), flyer.getvalue())
        write(os.path.join(root, "cabinets", name + ".png"), png(screen(title, True, (90, 90, 90), (200, 400))))
        write(os.path.join(root, "marquees", name + ".png"), png(screen(title, False, colour, (400, 100))))
        icon = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
        draw = ImageDraw.Draw(icon)
        draw.ellipse([2, 2, 29, 29], fill=colour + (255,), outline=(0, 0, 0, 255))
        draw.text((9, 9), title[0], fill=(0, 0, 0, 255))
        out = io.BytesIO()
        icon.save(out, "ICO", sizes=[(16, 16), (32, 32)])
        icons.append((name + ".ico", out.getvalue()))
    fixed_zip(os.path.join(root, "snap.zip"), archive)
    # Half the icons loose, half in the archive.
    for name, data in icons[::2]:
        write(os.path.join(root, "icons", name), data)
    fixed_zip(os.path.join(root, "icons.zip"), icons[1::2])


if __name__ == "__main__":
    main()
