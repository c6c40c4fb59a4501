#!/usr/bin/python3
"""Checks bitmap files with Pillow, a reader Korrin did not write.

usage: check_bitmaps.py WIDTH HEIGHT LEAST_PERCENT FILE...

Each file must be a BMP of WIDTH x HEIGHT pixels with 24 bits a pixel (RGB
stored as BGR, no alpha, no palette), and at least LEAST_PERCENT of its
pixels must differ from the background, the colour of its top-left pixel.
Prints one line a file, "NAME: ok" or "NAME: " and what is wrong, then one
line on whether every two of the pictures differ. The share measured goes to
standard error. Exits 0 when everything is right, 1 otherwise.
"""

import os
import sys

from PIL import Image


def problems_of(path, width, height, least_percent):
    try:
        image = Image.open(path)
        # How the pixels are stored is known only until they are loaded.
        rawmode = image.tile[0][3][0] if image.tile else None
        image.load()
    except Exception as error:  # any failure to read is the finding
        return ["cannot be read: %s" % error], None
    found = []
    if image.format != "BMP":
        found.append("is %s, not BMP" % image.format)
    if image.size != (width, height):
        found.append("is %d x %d pixels" % image.size)
    if image.mode != "RGB" or rawmode != "BGR":
        found.append("is mode %s stored as %s, not 24-bit RGB" % (image.mode, rawmode))
    pixels = image.convert("RGB").tobytes()
    background = pixels[0:3]
    count = len(pixels) // 3
    off = sum(1 for i in range(0, len(pixels), 3) if pixels[i:i + 3] != background)
    percent = 100.0 * off / count if count else 0.0
    sys.stderr.write("%s: %.1f %% off the background\n" % (os.path.basename(path), percent))
    if percent < least_percent:
        found.append("only %.1f %% of its pixels differ from the background" % percent)
    return found, pixels


def main(arguments):
    if len(arguments) < 4:
        sys.stderr.write(__doc__)
        return 2
    width, height, least_percent = int(arguments[0]), int(arguments[1]), float(arguments[2])
    everything_right = True
    seen = {}
    same = []
    for path in arguments[3:]:
        name = os.path.basename(path)
        found, pixels = problems_of(path, width, height, least_percent)
        print("%s: %s" % (name, "; ".join(found) if found else "ok"))
        everything_right = everything_right and not found
        if pixels is not None:
            if pixels in seen:
                same.append("%s and %s" % (seen[pixels], name))
            else:
                seen[pixels] = name
    if same:
        print("the same picture: " + ", ".join(same))
        everything_right = False
    else:
        print("all %d pictures differ" % len(arguments[3:]))
    return 0 if everything_right else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
