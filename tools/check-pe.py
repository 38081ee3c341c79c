#!/usr/bin/env python3
"""Checks the PE files of a release zip: every .exe and .dll must be built
for the expected machine (0x14c i386, 0x8664 x86-64). With --large-address
the programs (.exe) must also carry the large-address-aware flag.
usage: check-pe.py ZIP MACHINE [--large-address]"""
import struct
import sys
import zipfile

IMAGE_FILE_LARGE_ADDRESS_AWARE = 0x20


def pe_header(data):
    if data[:2] != b"MZ":
        raise ValueError("no MZ header")
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    machine, = struct.unpack_from("<H", data, offset + 4)
    characteristics, = struct.unpack_from("<H", data, offset + 22)
    return machine, characteristics


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    expected = int(argv[2], 16)
    large = "--large-address" in argv[3:]
    failures = checked = 0
    with zipfile.ZipFile(argv[1]) as archive:
        for name in archive.namelist():
            if not name.lower().endswith((".exe", ".dll")):
                continue
            checked += 1
            try:
                machine, flags = pe_header(archive.read(name))
            except ValueError as error:
                print(f"{name}: {error}")
                failures += 1
                continue
            if machine != expected:
                print(f"{name}: machine 0x{machine:x}, expected 0x{expected:x}")
                failures += 1
            elif large and name.lower().endswith(".exe") and not flags & IMAGE_FILE_LARGE_ADDRESS_AWARE:
                print(f"{name}: not large-address-aware")
                failures += 1
            else:
                print(f"{name}: machine 0x{machine:x}")
    if checked == 0:
        print("no PE files in the archive")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
