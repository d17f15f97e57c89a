#!/usr/bin/env python3
"""Rewrites a zip so that its bytes follow from its files, their names and the source date alone.

Usage: reproducible-zip.py ZIP EPOCH

The entries come in the order of their names, each dated EPOCH (seconds since 1970, as UTC; a zip
holds no time before 1980, so an earlier one becomes 1980-01-01), with fixed attributes: folders
and .exe files may be executed, other files only read. No extra fields: those the archiver writes
carry the owner's user and group ids and the inode's change time, which no file time can set.
"""
import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01 00:00:00 UTC
UNIX = 3  # "made by" system whose attributes unzip reads
MSDOS_FOLDER = 0x10


def attributes(name):
    if name.endswith('/'):
        return 0o040755 << 16 | MSDOS_FOLDER
    return (0o100755 if name.lower().endswith('.exe') else 0o100644) << 16


def main(path, epoch):
    stamp = time.gmtime(max(int(epoch), ZIP_EPOCH))[:6]
    with zipfile.ZipFile(path) as source:
        entries = sorted((info.filename, source.read(info)) for info in source.infolist())
    rewritten = path + '.rewritten'
    with zipfile.ZipFile(rewritten, 'w') as target:
        for name, data in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = UNIX
            info.external_attr = attributes(name)
            info.compress_type = zipfile.ZIP_DEFLATED
            target.writestr(info, data, compresslevel=9)
    os.replace(rewritten, path)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
