#!/usr/bin/env python3
"""Renders the user guide, a Markdown file, as one HTML page to read in a
browser: its tables and code as the Markdown shows them, its pictures in
place (the page links them by the same relative paths), and a small style
sheet inside the page. The same Markdown gives the same bytes.

    render_guide.py GUIDE.md GUIDE.html
"""
import html
import re
import sys

try:
    import markdown
except ImportError:
    sys.exit("render_guide.py: Python has no module markdown: install python3-markdown (tools/install-deps.sh)")

STYLE = """
body { font-family: "Segoe UI", Tahoma, Arial, sans-serif; font-size: 16px; line-height: 1.5;
       color: #202020; background: #fff; max-width: 52em; margin: 0 auto; padding: 1em 1.5em 3em; }
h1, h2, h3 { line-height: 1.25; margin: 1.6em 0 0.5em; }
h1 { font-size: 1.8em; border-bottom: 2px solid #ccc; padding-bottom: 0.2em; }
h2 { font-size: 1.4em; border-bottom: 1px solid #ddd; padding-bottom: 0.15em; }
h3 { font-size: 1.15em; }
code, pre { font-family: Consolas, "Courier New", monospace; font-size: 0.92em; }
code { background: #f2f2f2; padding: 0.05em 0.25em; border-radius: 3px; white-space: nowrap; }
pre { background: #f6f6f6; border: 1px solid #ddd; border-radius: 3px; padding: 0.6em 0.8em; overflow-x: auto; }
pre code { background: none; padding: 0; white-space: pre; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border: 1px solid #ccc; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
th { background: #eee; }
img { max-width: 100%; border: 1px solid #ccc; }
""".strip()

PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title}</title>
<style>
{style}
</style>
</head>
<body>
{body}
</body>
</html>
"""


def main(source, target):
    with open(source, encoding="utf-8") as file:
        text = file.read()
    heading = re.search(r"^# (.+)$", text, re.MULTILINE)
    if not heading:
        sys.exit(f"render_guide.py: {source} has no title (a first-level heading)")
    body = markdown.markdown(text, extensions=["tables", "fenced_code"], output_format="html")
    page = PAGE.format(title=html.escape(heading.group(1)), style=STYLE, body=body)
    with open(target, "w", encoding="utf-8", newline="\n") as file:
        file.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    main(*sys.argv[1:])
