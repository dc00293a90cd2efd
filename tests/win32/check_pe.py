"""Checks the built PE files: out_tarnwell.dll's exports, ordinals, version
resource, icon and imports, the test host's icon and manifest, the virtual board's
exports, and that every shipped file carries the release's version.
    check_pe.py BIN VERSION"""
import os
import re
import sys
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

BIN, VERSION = sys.argv[1:3]
del sys.argv[1:3]
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "comctl32.dll", "advapi32.dll", "winmm.dll"}
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
with open(os.path.join(ROOT, "k8055d", "vendor_entries.h")) as entries:
    ROWS = re.findall(r"^  X\((\w+),.*, (\w+)\)", entries.read(), re.MULTILINE)
# Every entry point of the vendor's library, and the 21 the module looks up.
LIBRARY_NAMES = [name for name, use in ROWS]
VENDOR_NAMES = [name for name, use in ROWS if use != "Unused"]


def load(path):
    return pefile.PE(os.path.join(BIN, path))


def string_table(pe):
    tables = [t for info in pe.FileInfo[0] if info.Key == b"StringFileInfo" for t in info.StringTable]
    assert [t.LangID for t in tables] == [b"040904E4"], [t.LangID for t in tables]
    return {k.decode(): v.decode() for k, v in tables[0].entries.items()}


def exports(pe):
    return {e.name.decode(): e.ordinal for e in pe.DIRECTORY_ENTRY_EXPORT.symbols}


class Module(unittest.TestCase):
    pe = load("out_tarnwell.dll")

    def test_is_a_32bit_x86_dll(self):
        self.assertEqual(self.pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        self.assertTrue(self.pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"])
        self.assertEqual(self.pe.OPTIONAL_HEADER.Magic, 0x10B)

    def test_exports_nine_names_at_ordinals_one_to_nine(self):
        order = ["save", "open", "hide", "show", "action", "destroy", "create", "finish", "init"]
        self.assertEqual(exports(self.pe), {name: i + 1 for i, name in enumerate(order)})

    def test_imports_only_system_dlls(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported <= SYSTEM_DLLS, imported)
        self.assertNotIn("k8055d.dll", imported)

    def test_version_resource(self):
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 0))
        self.assertEqual(fixed.FileFlagsMask, 0x3F)
        self.assertEqual(fixed.FileFlags, 0)
        self.assertEqual(fixed.FileOS, 4)
        self.assertEqual(fixed.FileType, 2)
        self.assertEqual(fixed.FileSubtype, 0)
        strings = string_table(self.pe)
        self.assertEqual(set(strings), {
            "CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
            "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments", "Website"})
        self.assertEqual(strings["FileVersion"], "1.0.0.0")
        self.assertEqual(strings["ProductVersion"], "1.0.0.0")
        self.assertEqual(strings["InternalName"], "OUT_TARNWELL")
        self.assertEqual(strings["OriginalFilename"], "OUT_TARNWELL.DLL")
        self.assertEqual(strings["LegalTrademarks"], "")
        self.assertEqual(strings["Comments"], "")
        for key in ("CompanyName", "FileDescription", "LegalCopyright", "ProductName"):
            self.assertTrue(strings[key], key)

    def test_icon_group_mainicon(self):
        groups = [e for e in self.pe.DIRECTORY_ENTRY_RESOURCE.entries
                  if e.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
        self.assertEqual(len(groups), 1)
        self.assertEqual([str(e.name) for e in groups[0].directory.entries], ["MAINICON"])
        icons = [e for e in self.pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == pefile.RESOURCE_TYPE["RT_ICON"]]
        self.assertEqual(len(icons), 1)
        self.assertGreaterEqual(len(icons[0].directory.entries), 1)


class TestHost(unittest.TestCase):
    pe = load("tarnwell_host.exe")

    def resource(self, type_name):
        return [e for e in self.pe.DIRECTORY_ENTRY_RESOURCE.entries if e.id == pefile.RESOURCE_TYPE[type_name]]

    def data(self, entry):
        rva = entry.directory.entries[0].data.struct
        return self.pe.get_data(rva.OffsetToData, rva.Size)

    def test_icon_for_explorer_at_every_scaling(self):
        """Explorer shows a program's first icon group: one image for each
        size it asks for at 100 ... 200 %, 32-bit and uncompressed, as
        Windows XP reads them."""
        groups = self.resource("RT_GROUP_ICON")
        self.assertEqual([str(e.name) for e in groups[0].directory.entries], ["MAINICON"])
        group = self.data(groups[0].directory.entries[0])
        count = int.from_bytes(group[4:6], "little")
        entries = [group[6 + 14 * i:20 + 14 * i] for i in range(count)]
        sizes = sorted(entry[0] or 256 for entry in entries)
        self.assertTrue({16, 20, 24, 32, 40, 48, 64} <= set(sizes), sizes)
        self.assertEqual({int.from_bytes(entry[6:8], "little") for entry in entries}, {32})
        images = {e.id: e for e in self.resource("RT_ICON")[0].directory.entries}
        for entry in entries:
            image = self.data(images[int.from_bytes(entry[12:14], "little")])
            self.assertEqual(int.from_bytes(image[0:4], "little"), 40, "a DIB, not PNG")
            self.assertEqual(int.from_bytes(image[4:8], "little"), entry[0] or 256)


    def test_manifest_declares_what_the_program_is(self):
        """One manifest, id 1 (the process's own), well-formed XML that runs
        the program as the user who starts it, declares it aware of each
        monitor's DPI (system-aware where Windows knows no more), names
        Windows Vista to 11 and asks for the common controls 6."""
        manifests = self.resource("RT_MANIFEST")
        self.assertEqual(len(manifests), 1)
        self.assertEqual([e.id for e in manifests[0].directory.entries], [1])
        root = ElementTree.fromstring(self.data(manifests[0].directory.entries[0]))
        v1, v3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
        self.assertEqual(root.tag, v1 + "assembly")
        self.assertEqual(root.get("manifestVersion"), "1.0")
        level = root.find(f"{v3}trustInfo/{v3}security/{v3}requestedPrivileges/{v3}requestedExecutionLevel")
        self.assertEqual((level.get("level"), level.get("uiAccess")), ("asInvoker", "false"))
        settings = f"{v3}application/{v3}windowsSettings/"
        aware = root.find(settings + "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware")
        self.assertEqual(aware.text.strip(), "true/pm")
        awareness = root.find(settings + "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness")
        self.assertEqual([part.strip() for part in awareness.text.split(",")], ["PerMonitorV2", "PerMonitor"])
        compatibility = "{urn:schemas-microsoft-com:compatibility.v1}"
        systems = root.findall(f"{compatibility}compatibility/{compatibility}application/{compatibility}supportedOS")
        self.assertEqual([system.get("Id") for system in systems], [
            "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
        ])
        controls = [e for e in root.iter(v1 + "assemblyIdentity")
                    if e.get("name") == "Microsoft.Windows.Common-Controls"]
        self.assertEqual(len(controls), 1)
        self.assertEqual({k: controls[0].get(k) for k in ("type", "version", "processorArchitecture", "publicKeyToken")},
                         {"type": "win32", "version": "6.0.0.0", "processorArchitecture": "x86",
                          "publicKeyToken": "6595b64144ccf1df"})
        self.assertIs(root.find(f"{v1}dependency/{v1}dependentAssembly/{v1}assemblyIdentity"), controls[0])


# Every virtual board also exports this, by which it refuses to forward to
# a virtual board.
BOARD_MARKER = "VirtualK8055BoardMarker"


class VirtualBoard(unittest.TestCase):
    def test_full_board_exports_all_25_names_undecorated_and_its_marker(self):
        self.assertEqual((len(LIBRARY_NAMES), len(VENDOR_NAMES)), (25, 21))
        self.assertEqual(set(exports(load("boards/full/k8055d.dll"))), set(LIBRARY_NAMES) | {BOARD_MARKER})

    def test_each_variant_lacks_only_its_name(self):
        for name in VENDOR_NAMES:
            with self.subTest(name=name):
                names = set(exports(load(f"boards/without-{name}/k8055d.dll")))
                self.assertEqual(names, set(LIBRARY_NAMES) - {name} | {BOARD_MARKER})

    def test_imports_only_system_dlls(self):
        pe = load("boards/full/k8055d.dll")
        imported = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported <= SYSTEM_DLLS, imported)


class ReleaseVersion(unittest.TestCase):
    """The version set in CMake reaches every shipped file's version resource."""

    def test_every_shipped_file_carries_the_release_version(self):
        numbers = [int(part) for part in VERSION.split(".")]
        shipped = [("out_tarnwell.dll", 2, "OUT_TARNWELL.DLL"), ("tarnwell_host.exe", 1, "TARNWELL_HOST.EXE"),
                   ("boards/full/k8055d.dll", 2, "K8055D.DLL")]
        for path, file_type, original_name in shipped:
            with self.subTest(path=path):
                pe = load(path)
                fixed = pe.VS_FIXEDFILEINFO[0]
                version = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                           fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF]
                self.assertEqual(version, numbers)
                self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS),
                                 (fixed.FileVersionMS, fixed.FileVersionLS))
                self.assertEqual(fixed.FileType, file_type)
                strings = string_table(pe)
                self.assertEqual(strings["FileVersion"], VERSION)
                self.assertEqual(strings["ProductVersion"], VERSION)
                self.assertEqual(strings["OriginalFilename"], original_name)


if __name__ == "__main__":
    unittest.main(verbosity=1)
