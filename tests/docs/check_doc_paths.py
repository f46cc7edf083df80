#!/usr/bin/env python3
"""Every path into the repository that the documents name exists.

Usage: check_doc_paths.py SOURCE_DIR

Scans README.md and docs/*.md for paths that start with one of the repository's top-level
folders (src/, tests/, scripts/, tools/, ...) and reports each one that is not in the tree.
Paths with a placeholder (<name>) or a wildcard stand for many and are not checked.
"""
import pathlib
import re
import sys

ROOTS = ("src", "tests", "scripts", "tools", "bench", "fuzz", "assets", "packaging", "cmake",
         "docs", ".ci")
# A root folder at the start of a word, then path characters; a trailing dot or comma is
# punctuation of the sentence.
PATH = re.compile(r"(?<![\w./<>-])((?:%s)/[\w./<>*+-]*)" % "|".join(re.escape(r) for r in ROOTS))


def named_paths(text):
    for match in PATH.finditer(text):
        path = match.group(1).rstrip(".,:;")
        if "<" in path or ">" in path or "*" in path:
            continue
        yield path


def main():
    source = pathlib.Path(sys.argv[1])
    documents = [source / "README.md"] + sorted((source / "docs").glob("*.md"))
    missing = []
    checked = 0
    for document in documents:
        for number, line in enumerate(document.read_text(encoding="utf-8").splitlines(), 1):
            for path in named_paths(line):
                checked += 1
                if not (source / path).exists():
                    missing.append(f"{document.relative_to(source)}:{number}: {path}")
    for entry in missing:
        print(f"no such path: {entry}")
    if checked == 0:
        print("no paths found: the scan itself is broken")
        return 1
    print(f"{checked} paths checked, {len(missing)} missing")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
