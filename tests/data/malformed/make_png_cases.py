#!/usr/bin/python3
"""Writes the damaged PNG files in this folder. Each must be refused cleanly:
no crash, no allocation beyond what the file can justify, no image."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunk(kind, body, length=None):
    size = len(body) if length is None else length
    return struct.pack(">I", size) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def ihdr(width, height, depth=8, color_type=2, interlace=0):
    return chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, interlace))


def rgb_file(filter_type=1, width=8, height=8):
    rows = b"".join(bytes([filter_type]) + bytes((x * 3 + y) % 256 for x in range(3 * width)) for y in range(height))
    return SIGNATURE + ihdr(width, height) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


CASES = {
    # Cut in the middle of the image data.
    "png_truncated.png": rgb_file()[:60],
    # An IDAT whose length runs past the end of the file.
    "png_chunk_past_end.png": SIGNATURE + ihdr(8, 8) + chunk(b"IDAT", zlib.compress(bytes(200)), 0x7FFFFFF0),
    # 4294967295 x 4294967295 pixels announced by a tiny file.
    "png_4gb_header.png": SIGNATURE + ihdr(0xFFFFFFFF, 0xFFFFFFFF) + chunk(b"IDAT", zlib.compress(b"x")),
    # 8192 x 8192 pixels, a size icon images may have, from 30 bytes of data.
    "png_more_pixels_than_data.png": SIGNATURE + ihdr(8192, 8192, 8, 6) + chunk(b"IDAT", zlib.compress(bytes(1000))),
    # A scanline filter type of 9.
    "png_bad_filter.png": rgb_file(filter_type=9),
    # The image data is no zlib stream.
    "png_bad_zlib.png": SIGNATURE + ihdr(8, 8) + chunk(b"IDAT", b"\x78\x9c" + bytes(range(40))) + chunk(b"IEND", b""),
    # A width of 0.
    "png_zero_width.png": SIGNATURE + ihdr(0, 8) + chunk(b"IDAT", zlib.compress(bytes(8))),
    # IHDR of the wrong length.
    "png_short_header.png": SIGNATURE + chunk(b"IHDR", struct.pack(">II", 8, 8)) + chunk(b"IDAT", zlib.compress(bytes(8))),
}

for name, data in CASES.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
