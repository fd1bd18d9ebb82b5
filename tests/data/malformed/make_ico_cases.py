#!/usr/bin/python3
"""Writes the damaged .ico files in this folder. Each must be refused cleanly:
no crash, no allocation beyond what the file can justify, no image."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def header(count, kind=1):
    return struct.pack("<HHH", 0, kind, count)


def entry(width, height, bit_count, size, offset, colors=0):
    return struct.pack("<BBBBHHII", width, height, colors, 0, 1, bit_count, size, offset)


def info(width, height2, bit_count, size=40):
    return struct.pack("<IiiHHIIiiII", size, width, height2, 1, bit_count, 0, 0, 0, 0, 0, 0)


def color16_file():
    """A complete 16x16 4-bit icon: 22 + 40 + 64 + 128 + 64 bytes."""
    data = info(16, 32, 4) + bytes(64) + bytes(range(128)) + bytes(64)
    return header(1) + entry(16, 16, 4, len(data), 22, 16) + data


CASES = {
    # Cut in the middle of the colour rows.
    "ico_truncated.ico": color16_file()[:200],
    # The file header alone is incomplete.
    "ico_header_truncated.ico": header(1)[:4],
    # The directory entry points far beyond the end of the file.
    "ico_entry_past_end.ico": header(1) + entry(16, 16, 4, 296, 5000, 16) + bytes(80),
    # 65535 directory entries announced in a file of 100 bytes.
    "ico_65535_entries.ico": (header(65535) + entry(16, 16, 4, 296, 22, 16) * 6)[:100],
    # Width and height of about a billion pixels each.
    "ico_absurd_size.ico": header(1) + entry(0, 0, 32, 40, 22) + info(0x40000000, 0x7FFFFFFE, 32),
    # 16000 x 16000 at 32 bits (1 GB) announced in a 62-byte file.
    "ico_huge_image.ico": header(1) + entry(0, 0, 32, 40, 22) + info(16000, 32000, 32),
    # Bit counts that no icon image may have, in directory and header alike.
    "ico_bit_count_2.ico": header(1) + entry(16, 16, 2, 168, 22) + info(16, 32, 2) + bytes(128),
    "ico_bit_count_16.ico": header(1) + entry(16, 16, 16, 616, 22) + info(16, 32, 16) + bytes(576),
    # A bitmap header that claims to be 4 GB long.
    "ico_header_size_huge.ico": header(1) + entry(16, 16, 4, 296, 22) + info(16, 32, 4, 0xFFFFFFF0) + bytes(256),
    # The image would start inside the directory.
    "ico_offset_inside_directory.ico": header(1) + entry(16, 16, 4, 296, 10, 16) + color16_file()[22:],
}

for name, data in CASES.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
