#!/usr/bin/env python3
"""Writes synthetic firmware images and OTP areas for the flash units.

The build embeds the default image (product QUEL, revision "C8"); tests and the
simulator make variants of it: other revisions, other products, a flash that
differs from the image in one byte, a blank or unknown OTP area.

    make_firmware.py image --bin OUT [--dfu OUT] [--type 0x1e] [--name Quel]
                           [--rev C8] [--size 733656] [--seed 1] [--flip OFFSET]
                           [--name-hex HEX] [--rev-hex HEX]  (the field's bytes, whatever they are)
    make_firmware.py otp --out OUT [--type 0x1e | --blank]
"""
import argparse
import struct
import sys
import zlib

IMAGE_SIZE = 733656
BLOCK_OFFSET = 428
FLASH_BASE = 0x08000000

START_MARKER = bytes.fromhex("12472301")
END_MARKER = bytes.fromhex("13472301")
OTP_MARKER = bytes.fromhex("11472301")

DETAILS = [
    ("Build time", "2026-11-20 14:03:12"),
    ("RMI rev", "4.2.1"),
    ("GIT rev", "9f3c2a71"),
]


def text_field(text):
    raw = text if isinstance(text, bytes) else text.encode("latin-1")
    if len(raw) > 31:
        raise ValueError("text field longer than 31 characters: %r" % text)
    return raw + bytes(32 - len(raw))


def info_block(type_code, name, rev):
    block = START_MARKER + bytes([type_code, 0xFF, 0xFF, 0xFF])
    block += text_field(name) + text_field(rev)
    for key, value in DETAILS:
        block += text_field(key) + text_field(value)
    return block + END_MARKER


def filler(size, seed):
    # A plain LCG: deterministic, and with 0x47 mapped away no marker can appear by chance.
    out = bytearray(size)
    state = (seed * 2654435761 + 12345) & 0xFFFFFFFF
    for i in range(size):
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        b = (state >> 16) & 0xFF
        out[i] = 0x48 if b == 0x47 else b
    return out


def make_image(type_code, name, rev, size, seed):
    image = filler(size, seed)
    # Initial stack pointer and reset vector (thumb bit set) of a Cortex-M image linked at 0x08000000.
    image[0:8] = struct.pack("<II", 0x20020000, FLASH_BASE + 0x1C5)
    block = info_block(type_code, name, rev)
    image[BLOCK_OFFSET:BLOCK_OFFSET + len(block)] = block
    return bytes(image)


def dfuse(image, address=FLASH_BASE, vendor=0x0483, product=0xDF11):
    element = struct.pack("<II", address, len(image)) + image
    target = b"Target" + struct.pack("<BI", 0, 1) + b"ST...".ljust(255, b"\0")
    target += struct.pack("<II", len(element), 1) + element
    prefix = b"DfuSe" + struct.pack("<BIB", 1, 11 + len(target), 1)
    body = prefix + target
    body += struct.pack("<HHHH", 0xFFFF, product, vendor, 0x011A) + b"UFD" + bytes([16])
    crc = zlib.crc32(body) ^ 0xFFFFFFFF
    return body + struct.pack("<I", crc)


def make_otp(type_code):
    area = bytearray(b"\xff" * 512)
    if type_code is not None:
        record = OTP_MARKER + bytes([type_code, 0xFF, 0xFF, 0xFF]) + bytes(range(1, 9))
        area[0:16] = record
    return bytes(area)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="what", required=True)
    img = sub.add_parser("image")
    img.add_argument("--bin", required=True)
    img.add_argument("--dfu")
    img.add_argument("--type", default="0x1e")
    img.add_argument("--name", default="Quel")
    img.add_argument("--rev", default="C8")
    img.add_argument("--name-hex", type=bytes.fromhex)
    img.add_argument("--rev-hex", type=bytes.fromhex)
    img.add_argument("--size", type=int, default=IMAGE_SIZE)
    img.add_argument("--seed", type=int, default=1)
    img.add_argument("--flip", type=int, action="append", default=[],
                     help="invert the byte at this offset (a flash that differs from the image)")
    otp = sub.add_parser("otp")
    otp.add_argument("--out", required=True)
    group = otp.add_mutually_exclusive_group(required=True)
    group.add_argument("--type")
    group.add_argument("--blank", action="store_true")
    args = parser.parse_args(argv)

    if args.what == "image":
        name = args.name if args.name_hex is None else args.name_hex
        rev = args.rev if args.rev_hex is None else args.rev_hex
        image = bytearray(make_image(int(args.type, 0), name, rev, args.size, args.seed))
        for offset in args.flip:
            image[offset] ^= 0xFF
        with open(args.bin, "wb") as f:
            f.write(image)
        if args.dfu:
            with open(args.dfu, "wb") as f:
                f.write(dfuse(bytes(image)))
    else:
        with open(args.out, "wb") as f:
            f.write(make_otp(None if args.blank else int(args.type, 0)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
