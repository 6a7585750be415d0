#!/usr/bin/env python3
"""Marks a 64-bit little-endian ELF file for immediate binding (DT_FLAGS |= DF_BIND_NOW), as
the linker's -z now would have: all its symbols are resolved when it is loaded, and its GOT can
then be made read-only. Debian builds libusb without it.

    elf_bind_now.py FILE

The flag goes into an existing DT_FLAGS entry, or into a spare slot after the dynamic
section's end marker; without either the file is left as it is and the script fails.
"""
import struct
import sys

DT_NULL, DT_FLAGS, DF_BIND_NOW = 0, 30, 0x8
SHT_DYNAMIC = 6


def bind_now(path):
    with open(path, "r+b") as f:
        data = bytearray(f.read())
        if data[:4] != b"\x7fELF" or data[4] != 2 or data[5] != 1:
            sys.exit("%s: not a 64-bit little-endian ELF file" % path)
        shoff, = struct.unpack_from("<Q", data, 0x28)
        shentsize, shnum = struct.unpack_from("<HH", data, 0x3A)
        for i in range(shnum):
            sh = shoff + i * shentsize
            sh_type, = struct.unpack_from("<I", data, sh + 4)
            if sh_type != SHT_DYNAMIC:
                continue
            offset, size = struct.unpack_from("<QQ", data, sh + 0x18)
            slots = [offset + 16 * n for n in range(size // 16)]
            for n, slot in enumerate(slots):
                tag, value = struct.unpack_from("<qQ", data, slot)
                if tag == DT_FLAGS:
                    struct.pack_into("<qQ", data, slot, DT_FLAGS, value | DF_BIND_NOW)
                    break
                if tag == DT_NULL:
                    if n + 1 >= len(slots):
                        sys.exit("%s: no spare slot in the dynamic section" % path)
                    struct.pack_into("<qQ", data, slot, DT_FLAGS, DF_BIND_NOW)
                    struct.pack_into("<qQ", data, slots[n + 1], DT_NULL, 0)
                    break
            f.seek(0)
            f.write(data)
            return
        sys.exit("%s: no dynamic section" % path)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    bind_now(sys.argv[1])
