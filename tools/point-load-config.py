#!/usr/bin/env python3
"""Points a linked PE32+ image's load configuration directory at its _load_config_used.

Usage: point-load-config.py EXE MAP
EXE is the linked image, changed in place; MAP the link map GNU ld wrote for it (-Map), which
says where _load_config_used lies although the image keeps no symbols. GNU ld (2.40 at least)
links the structure but leaves the data directory entry empty, so the loader never reads it. The
entry gets the structure's address and, as its size, the structure's own Size field, as the
loader wants them to agree; the image's checksum is made anew. An entry that a newer linker filled
is given the same, and one that points elsewhere is refused. The same image and map always give
the same bytes.
"""
import pathlib
import re
import struct
import sys

LOAD_CONFIG_ENTRY = 10  # IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG


def checksum(image, field):
    """The image checksum the loader checks: 16-bit words summed with end-around carry, with the
    checksum field counted as zero, plus the file's length."""
    total = sum(struct.unpack_from(f'<{len(image) // 2}H', image)) - sum(struct.unpack_from('<2H', image, field))
    if len(image) % 2:
        total += image[-1]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def main(exe_path, map_path):
    image = bytearray(exe_path.read_bytes())
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    optional = pe + 24
    if image[pe:pe + 4] != b'PE\0\0' or struct.unpack_from('<H', image, optional)[0] != 0x20B:
        sys.exit(f'{exe_path}: not a PE32+ image')
    image_base = struct.unpack_from('<Q', image, optional + 24)[0]
    found = re.search(r'^\s+0x([0-9a-fA-F]+)\s+_load_config_used\s*$', map_path.read_text(errors='replace'), re.MULTILINE)
    if not found:
        sys.exit(f'{map_path}: no _load_config_used was linked')
    rva = int(found.group(1), 16) - image_base

    section_count, optional_size = struct.unpack_from('<H', image, pe + 6)[0], struct.unpack_from('<H', image, pe + 20)[0]
    for i in range(section_count):
        size, address, raw_size, raw_offset = struct.unpack_from('<8xIIII', image, optional + optional_size + 40 * i)
        if address <= rva < address + min(size, raw_size):
            size_field = struct.unpack_from('<I', image, rva - address + raw_offset)[0]
            break
    else:
        sys.exit(f'{exe_path}: _load_config_used lies in no section')

    entry = optional + 112 + 8 * LOAD_CONFIG_ENTRY
    if struct.unpack_from('<I', image, entry)[0] not in (0, rva):
        sys.exit(f'{exe_path}: the linker pointed the load configuration elsewhere')
    struct.pack_into('<II', image, entry, rva, size_field)
    field = optional + 64
    struct.pack_into('<I', image, field, checksum(image, field))
    exe_path.write_bytes(image)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
