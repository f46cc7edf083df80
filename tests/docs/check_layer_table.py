#!/usr/bin/env python3
"""The layer table of docs/architecture.md is what the build links, and the layering holds.

Usage: check_layer_table.py LINK_TABLE ARCHITECTURE_MD [--forbid TARGET=DEP[,DEP...]]...

LINK_TABLE is written by the configure step (tembrin_write_link_table): each line a target, a
tab and the libraries it links directly. The document's table (the one whose header starts
with "| target |") must list every one of these targets, with exactly its libraries in
backticks in its last column. Each --forbid names libraries that TARGET must not reach, directly
or through the libraries it links.
"""
import argparse
import re
import sys

BACKTICKED = re.compile(r"`([^`]+)`")


def read_links(path):
    links = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line:
                continue
            target, _, libraries = line.partition("\t")
            links[target] = set(libraries.split())
    return links


def read_documented(path):
    documented = {}
    in_table = False
    with open(path, encoding="utf-8") as document:
        for line in document:
            if line.startswith("| target |"):
                in_table = True
                continue
            if not in_table:
                continue
            if not line.startswith("|"):
                break
            cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
            if set(cells[0]) <= set("-: "):
                continue  # the header's rule
            names = BACKTICKED.findall(cells[0])
            if len(names) != 1:
                raise SystemExit(f"a row names no single target: {line.strip()}")
            documented[names[0]] = set(BACKTICKED.findall(cells[-1]))
    return documented


def reachable(links, target):
    seen, stack = set(), [target]
    while stack:
        for library in links.get(stack.pop(), ()):
            if library not in seen:
                seen.add(library)
                stack.append(library)
    return seen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("link_table")
    parser.add_argument("architecture")
    parser.add_argument("--forbid", action="append", default=[])
    args = parser.parse_args()

    links = read_links(args.link_table)
    documented = read_documented(args.architecture)
    problems = []
    if not links or not documented:
        problems.append("no targets read: the link table or the document's table is missing")
    for target in sorted(links.keys() - documented.keys()):
        problems.append(f"{target} is not in the document's table")
    for target in sorted(documented.keys() - links.keys()):
        problems.append(f"{target} is in the document's table but not in the build")
    for target in sorted(links.keys() & documented.keys()):
        if links[target] != documented[target]:
            problems.append(f"{target} links {' '.join(sorted(links[target])) or 'nothing'}; "
                            f"the document says {' '.join(sorted(documented[target])) or 'nothing'}")
    for rule in args.forbid:
        target, _, forbidden = rule.partition("=")
        if target not in links:
            problems.append(f"--forbid names {target}, which the build does not have")
            continue
        for library in sorted(reachable(links, target) & set(forbidden.split(","))):
            problems.append(f"{target} reaches {library}")
    for problem in problems:
        print(problem)
    print(f"{len(links)} targets checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
