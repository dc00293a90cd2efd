"""The release's text tools: render_guide.py makes one HTML page of the
guide with its tables, code and pictures, the same bytes every time;
text_line_ends.py gives text files CR LF and leaves other files alone, and
its check fails a text file with another line end."""
import os
import subprocess
import sys
import tempfile
import unittest

TOOLS = sys.argv[1]
del sys.argv[1]
GUIDE = """# The guide

| file | what |
|---|---|
| `a.dll` | the module |

```
tarnwell_host try --settings 1
```

![The try window](docs/try.png)
"""


def tool(name, *arguments):
    return subprocess.run([sys.executable, os.path.join(TOOLS, name), *arguments], capture_output=True, text=True)


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(content)


def read(path):
    with open(path, "rb") as file:
        return file.read()


class RenderGuide(unittest.TestCase):
    def test_one_page_with_tables_code_and_pictures_in_place_the_same_every_time(self):
        with tempfile.TemporaryDirectory() as folder:
            source = os.path.join(folder, "GUIDE.md")
            write(source, GUIDE.encode())
            pages = []
            for name in ("first.html", "second.html"):
                self.assertEqual(tool("render_guide.py", source, os.path.join(folder, name)).returncode, 0)
                pages.append(read(os.path.join(folder, name)))
            self.assertEqual(pages[0], pages[1])
            page = pages[0].decode()
            self.assertIn("<title>The guide</title>", page)
            self.assertIn("<style>", page)
            self.assertIn("<td><code>a.dll</code></td>", page)
            self.assertIn("<pre><code>tarnwell_host try --settings 1\n</code></pre>", page)
            self.assertIn('<img alt="The try window" src="docs/try.png"', page)

    def test_a_guide_without_a_title_is_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            source = os.path.join(folder, "GUIDE.md")
            write(source, b"no heading\n")
            result = tool("render_guide.py", source, os.path.join(folder, "GUIDE.html"))
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("no title", result.stderr)
            self.assertFalse(os.path.exists(os.path.join(folder, "GUIDE.html")))


class TextLineEnds(unittest.TestCase):
    def test_text_files_get_cr_lf_other_files_stay_as_they_are(self):
        with tempfile.TemporaryDirectory() as folder:
            files = {
                "GUIDE.md": (b"# Guide\n\nline\n", b"# Guide\r\n\r\nline\r\n"),
                "examples/a.csv": (b"0,1,1\r\n10,1,0\n", b"0,1,1\r\n10,1,0\r\n"),
                "start.cmd": (b"@echo off\r\nexit\r", b"@echo off\r\nexit\r\n"),
                "docs/a.png": (b"\x89PNG\r\n\x1a\n\0\0\n", b"\x89PNG\r\n\x1a\n\0\0\n"),
                "latin1.txt": (b"caf\xe9\n", b"caf\xe9\n"),  # not UTF-8: not taken for text
            }
            for name, (before, _) in files.items():
                write(os.path.join(folder, name), before)
            self.assertNotEqual(tool("text_line_ends.py", "--check", folder).returncode, 0)
            self.assertEqual(tool("text_line_ends.py", folder).returncode, 0)
            for name, (_, after) in files.items():
                self.assertEqual(read(os.path.join(folder, name)), after, name)
            result = tool("text_line_ends.py", "--check", folder)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn("3 text files", result.stdout)

    def test_the_check_names_a_file_with_a_unix_line_end(self):
        with tempfile.TemporaryDirectory() as folder:
            write(os.path.join(folder, "SHA256SUMS"), b"abc  a.dll\r\ndef  b.dll\n")
            result = tool("text_line_ends.py", "--check", folder)
            self.assertEqual(result.returncode, 1)
            self.assertIn("SHA256SUMS: a line end other than CR LF", result.stderr)


if __name__ == "__main__":
    unittest.main()
