#!/usr/bin/env python3
"""Builds the release again, elsewhere and later, and compares it byte for byte with the first.

Usage: check_rebuild.py CMAKE CPACK BUILD EXE ZIP RELINK_TARGET RELINKED_EXE
Links RELINK_TARGET (Orvane.exe from the same objects, in another folder) now, and has cpack make
the zip again in BUILD/package-rebuild under another umask: the exe must equal EXE, the zip and its
checksum file ZIP and ZIP.sha256.
"""
import os
import pathlib
import shutil
import subprocess
import sys
import unittest


class Rebuild(unittest.TestCase):
    cmake = cpack = build = exe = zip_path = relink_target = relinked = None

    def test_exe_linked_again_elsewhere_is_the_same(self):
        self.relinked.unlink(missing_ok=True)
        subprocess.run([self.cmake, '--build', self.build, '--target', self.relink_target], check=True,
                       stdout=subprocess.DEVNULL)
        self.assertTrue(self.relinked.read_bytes() == self.exe.read_bytes(),
                        f'{self.relinked} differs from {self.exe}')

    def test_zip_made_again_elsewhere_is_the_same(self):
        folder = self.build / 'package-rebuild'
        shutil.rmtree(folder, ignore_errors=True)
        umask = {} if os.name == 'nt' else {'umask': 0o077}
        subprocess.run([self.cpack, '--config', self.build / 'CPackConfig.cmake', '-B', folder], check=True,
                       cwd=self.build, stdout=subprocess.DEVNULL, **umask)
        for suffix in ('', '.sha256'):
            again = folder / (self.zip_path.name + suffix)
            first = pathlib.Path(f'{self.zip_path}{suffix}')
            self.assertTrue(again.read_bytes() == first.read_bytes(), f'{again} differs from {first}')


if __name__ == '__main__':
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    Rebuild.cmake, Rebuild.cpack = sys.argv[1:3]
    Rebuild.build, Rebuild.exe, Rebuild.zip_path = (pathlib.Path(arg) for arg in sys.argv[3:6])
    Rebuild.relink_target, Rebuild.relinked = sys.argv[6], pathlib.Path(sys.argv[7])
    result = unittest.main(argv=sys.argv[:1], exit=False, testRunner=unittest.TextTestRunner(sys.stdout)).result
    sys.exit(0 if result.wasSuccessful() else 1)
