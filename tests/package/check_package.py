#!/usr/bin/env python3
"""Checks the release zip as a user on Windows receives it, from outside: no Wine involved.

Usage: check_package.py ZIP EXE EPOCH
ZIP is the zip cpack made (its checksum file beside it), EXE the build's Orvane.exe, the one the
tests ran, EPOCH the source date the build took its time stamps from. Prints the zip, its
checksum file and the exe's version when every check passes.
"""
import hashlib
import pathlib
import re
import struct
import sys
import time
import unittest
import zipfile

RT_VERSION = 16
RESOURCE_DIRECTORY, LOAD_CONFIG_DIRECTORY = 2, 10
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD


def pe_header(image):
    """Offset of a PE32+ image's file header ("PE\\0\\0")."""
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0' or struct.unpack_from('<H', image, pe + 24)[0] != 0x20B:
        raise ValueError('not a PE32+ image')
    return pe


def pe_checksum(image, field):
    """The image checksum the loader verifies: 16-bit words added with carry, the checksum field
    itself left out, plus the file's length."""
    data = image[:field] + b'\0\0\0\0' + image[field + 4:]
    total = sum(struct.unpack_from(f'<{len(data) // 2}H', data)) + (data[-1] if len(data) % 2 else 0)
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def data_directory(image, index):
    """The address and size a PE32+ image's data directory entry index holds."""
    return struct.unpack_from('<II', image, pe_header(image) + 24 + 112 + 8 * index)


def file_offset(image, rva):
    """Where the byte at a relative virtual address of a PE32+ image lies in its file."""
    pe = pe_header(image)
    section_count, optional_size = struct.unpack_from('<H', image, pe + 6)[0], struct.unpack_from('<H', image, pe + 20)[0]
    for i in range(section_count):
        virtual_size, address, raw_size, raw_offset = struct.unpack_from('<8xIIII', image, pe + 24 + optional_size + 40 * i)
        if address <= rva < address + max(virtual_size, raw_size):
            return rva - address + raw_offset
    raise ValueError(f'address {rva:#x} lies in no section')


def file_version(image):
    """FILEVERSION of a PE32+ image's version record (VS_FIXEDFILEINFO), found through its resource
    directory."""
    root = file_offset(image, data_directory(image, RESOURCE_DIRECTORY)[0])

    def child(directory, wanted=None):
        """Where the first entry of a resource directory (with the id wanted, if given) points."""
        named, ids = struct.unpack_from('<HH', image, directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', image, directory + 16 + 8 * i)
            if wanted is None or name == wanted:
                return root + (target & 0x7FFFFFFF)
        raise ValueError('the exe has no version record')

    data_entry = child(child(child(root, RT_VERSION)))  # type, then name, then language
    record = file_offset(image, struct.unpack_from('<I', image, data_entry)[0])
    # VS_VERSIONINFO: three WORDs, the key L"VS_VERSION_INFO", padding to 32 bits, the fixed info.
    fixed = record + ((6 + len('VS_VERSION_INFO\0') * 2 + 3) & ~3)
    signature, _, most, least = struct.unpack_from('<4I', image, fixed)
    if signature != VS_FIXEDFILEINFO_SIGNATURE:
        raise ValueError('the version record has no VS_FIXEDFILEINFO')
    return f'{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}'


class ReleaseZip(unittest.TestCase):
    zip_path = exe_path = epoch = None

    @classmethod
    def setUpClass(cls):
        with zipfile.ZipFile(cls.zip_path) as archive:
            cls.entries = archive.infolist()
            # cpack puts the files in one folder named as the zip; the user unzips that folder.
            cls.files = {name.split('/', 1)[-1]: archive.read(name) for name in archive.namelist()
                         if not name.endswith('/')}
        cls.version = re.fullmatch(r'Orvane-(.+)-win64\.zip', cls.zip_path.name).group(1)
        cls.readme = cls.files.get('README.txt', b'').decode('cp1252')

    def test_holds_the_exe_the_read_me_and_the_licence(self):
        self.assertEqual(set(self.files), {'Orvane.exe', 'README.txt', 'LICENSE'})

    def test_exe_is_the_one_the_tests_ran(self):
        self.assertTrue(self.files['Orvane.exe'] == self.exe_path.read_bytes(),
                        f'the zipped Orvane.exe differs from {self.exe_path}')

    def test_entries_come_in_name_order_dated_from_the_source_with_fixed_attributes(self):
        names = [entry.filename for entry in self.entries]
        self.assertEqual(names, sorted(names))
        # A zip holds no time before 1980, and seconds only to two.
        date = time.gmtime(max(self.epoch, 315532800) // 2 * 2)[:6]
        for entry in self.entries:
            mode = 0o100755 if entry.filename.endswith('.exe') else 0o100644
            self.assertEqual((entry.date_time, entry.create_system, entry.external_attr >> 16, entry.extra),
                             (date, 3, mode, b''), entry.filename)

    def test_exe_is_stamped_with_the_source_date_and_its_checksum_holds(self):
        image = self.files['Orvane.exe']
        pe = pe_header(image)
        self.assertEqual(struct.unpack_from('<I', image, pe + 8)[0], self.epoch & 0xFFFFFFFF)
        checksum = pe + 24 + 64
        self.assertEqual(struct.unpack_from('<I', image, checksum)[0], pe_checksum(image, checksum))

    def test_exe_looks_for_its_imports_in_the_system_folder_only(self):
        # A DLL of an import's name beside the exe (in a Downloads folder, say) is not loaded on
        # Windows 10 1607 and later: the load configuration's DependentLoadFlags, which the
        # loader reads when the structure's Size, the same as its directory entry's, covers it.
        image = self.files['Orvane.exe']
        address, size = data_directory(image, LOAD_CONFIG_DIRECTORY)
        self.assertNotEqual(address, 0, 'Orvane.exe has no load configuration')
        structure = file_offset(image, address)
        self.assertEqual(struct.unpack_from('<I', image, structure)[0], size)
        self.assertGreaterEqual(size, 0x50)
        self.assertEqual(struct.unpack_from('<H', image, structure + 0x4E)[0], LOAD_LIBRARY_SEARCH_SYSTEM32)

    def test_exe_names_no_folder_of_the_build(self):
        image = self.files['Orvane.exe']
        for folder in {pathlib.Path(__file__).resolve().parents[2], self.exe_path.resolve().parents[1]}:
            for path in {folder.as_posix(), str(folder)}:
                for encoded in (path.encode(), path.encode('utf-16-le')):
                    self.assertFalse(encoded in image, f'Orvane.exe holds {path}')

    def test_texts_end_every_line_in_cr_lf(self):
        for name in ('README.txt', 'LICENSE'):
            text = self.files[name]
            self.assertIsNone(re.search(rb'\r(?!\n)|(?<!\r)\n', text), f'{name} has a bare CR or LF')
            self.assertTrue(text.endswith(b'\r\n'), f'{name} does not end its last line')

    def test_version_in_the_name_is_the_exe_version(self):
        self.assertEqual(file_version(self.files['Orvane.exe']), self.version)

    def test_checksum_file_matches_the_zip(self):
        # sha256sum -c: "<64 hex digits> <blank or *><name>", the name relative to the file's folder.
        line = pathlib.Path(f'{self.zip_path}.sha256').read_text()
        match = re.fullmatch(r'([0-9a-f]{64}) [ *](.+)\n', line)
        self.assertIsNotNone(match, f'not in sha256sum format: {line!r}')
        self.assertEqual(match.group(2), self.zip_path.name)
        self.assertEqual(match.group(1), hashlib.sha256(self.zip_path.read_bytes()).hexdigest())

    def test_read_me_is_plain_text_for_a_user(self):
        for mark in ('`', '**', '](', '<!--', '##', 'tools/', 'cmake', 'ctest'):
            self.assertFalse(mark in self.readme, f'README.txt holds {mark!r}')

    def test_read_me_names_version_home_and_how_to_check_the_download(self):
        self.assertRegex(self.readme, r'Home: https?://\S+\r\nBuilt from commit ([0-9a-f]{40}|unknown)\r\n')
        for words in (f'Orvane {self.version}', f'certutil -hashfile {self.zip_path.name} SHA256',
                      'Get-FileHash', f'sha256sum -c {self.zip_path.name}.sha256'):
            self.assertTrue(words in self.readme, f'README.txt lacks {words!r}')


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    ReleaseZip.zip_path, ReleaseZip.exe_path = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    ReleaseZip.epoch = int(sys.argv[3])
    result = unittest.main(argv=sys.argv[:1], exit=False, testRunner=unittest.TextTestRunner(sys.stdout)).result
    if not result.wasSuccessful():
        sys.exit(1)
    print(f'Package:  {ReleaseZip.zip_path} ({ReleaseZip.zip_path.stat().st_size} bytes)')
    print(f'Checksum: {ReleaseZip.zip_path}.sha256')
    print(f'Orvane.exe version: {file_version(ReleaseZip.exe_path.read_bytes())}')
