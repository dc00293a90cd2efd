"""The Windows XP import check itself: it fails a program planted with one
fault of each kind, names each, and passes the shipped files."""
import os
import subprocess
import sys
import unittest

TOOL, BIN, PLANTED = sys.argv[1:4]
del sys.argv[1:4]
SHIPPED = ["out_tarnwell.dll", "tarnwell_host.exe", os.path.join("boards", "full", "k8055d.dll")]


def run(*paths):
    return subprocess.run([sys.executable, TOOL, *paths], capture_output=True, text=True)


class CheckXpImports(unittest.TestCase):
    def test_fails_the_planted_program_naming_each_fault(self):
        result = run(PLANTED)
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        self.assertIn("GetTickCount64", result.stdout)  # the import is listed
        faults = [line.strip() for line in result.stdout.splitlines() if "FAIL:" in line]
        self.assertEqual(sorted(faults), sorted([
            "FAIL: subsystem version 6.0 is above Windows XP's 5.1",
            "FAIL: dwmapi.dll is not a system DLL of Windows XP",
            "FAIL: KERNEL32.dll!GetTickCount64 came with Windows Vista",
        ]))

    def test_passes_the_shipped_files(self):
        result = run(*[os.path.join(BIN, name) for name in SHIPPED])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(result.stdout.count("  passes\n"), 3, result.stdout)

    def test_one_failing_file_fails_the_run(self):
        result = run(os.path.join(BIN, SHIPPED[0]), PLANTED)
        self.assertEqual(result.returncode, 1, result.stdout)

    def test_a_file_that_is_not_pe_is_an_error(self):
        result = run(TOOL)
        self.assertEqual(result.returncode, 2)
        self.assertIn("cannot be read as a 32-bit PE file", result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=1)
