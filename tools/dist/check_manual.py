#!/usr/bin/env python3
"""Checks the HTML manual as it ships: a folder of pages that a browser
opens without anything else.

    tools/dist/check_manual.py MANUAL_FOLDER [PAGE...]

Every page named (the pages the build wrote) is in the folder and nothing
else is; index.html is there; every link and every page's image or style
sheet leads to a file of the folder, and a link's #fragment to an anchor of
the page it leads to; no link leaves the folder; every page can be reached
from index.html. Prints what failed, or a line with the counts. Exit code 1
on any failure."""
import os
import sys
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

CONTENTS = "index.html"


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.anchors = set()
        self.links = []  # (line, target)

    def handle_starttag(self, tag, attrs):
        values = dict(attrs)
        for name in ("id", "name") if tag == "a" else ("id",):
            if values.get(name):
                self.anchors.add(values[name])
        for name in ("href", "src"):
            if values.get(name) is not None:
                self.links.append((self.getpos()[0], values[name]))


def read_pages(folder):
    pages = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".html"):
            page = Page()
            with open(os.path.join(folder, name), encoding="ascii", errors="replace") as f:
                page.feed(f.read())
            pages[name] = page
    return pages


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1]
    expected = sorted(os.path.basename(p) for p in argv[2:])
    failures = []
    present = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if expected and present != expected:
        failures.append(f"the manual holds {present}, the build wrote {expected}")
    if CONTENTS not in present:
        failures.append(f"no {CONTENTS}")
    pages = read_pages(folder) if os.path.isdir(folder) else {}

    links = 0
    reached_from = {name: set() for name in pages}
    for name, page in pages.items():
        for line, target in page.links:
            links += 1
            where = f"{name}:{line}: {target}"
            parts = urlsplit(target)
            if parts.scheme or parts.netloc or target.startswith("/"):
                failures.append(f"{where} leads out of the manual")
                continue
            path = unquote(parts.path)
            file = os.path.normpath(path) if path else name
            if file.startswith("..") or os.sep in file:
                failures.append(f"{where} leads out of the manual's folder")
                continue
            if file not in present:
                failures.append(f"{where}: no such file")
                continue
            if file in pages:
                reached_from[file].add(name)
                if parts.fragment and unquote(parts.fragment) not in pages[file].anchors:
                    failures.append(f"{where}: {file} has no anchor {parts.fragment}")

    # Every page can be reached by following links from the contents.
    reached, todo = set(), [CONTENTS] if CONTENTS in pages else []
    while todo:
        name = todo.pop()
        if name in reached:
            continue
        reached.add(name)
        todo.extend(other for other in pages if name in reached_from[other])
    for name in pages:
        if name not in reached:
            failures.append(f"{name} cannot be reached from {CONTENTS}")

    for failure in failures:
        print(f"FAIL manual: {failure}")
    if failures:
        return 1
    print(f"check-manual: {len(pages)} pages, {links} links, every one resolves within the manual")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
