#!/usr/bin/env python3
"""Runs the examples of the documentation with cram and compares their output with what the
documentation shows:

    tests/docs/run_examples.py [--update] BUILD_DIR FILE...

A FILE ending in .md is a Markdown document: its examples are the fenced blocks opened by a line
```console, each a shell session of `$ command` lines (`> ` lines continue a command) followed by
the command's output, as cram reads a test. Every other FILE is a cram test (.t) as it is. The
commands run in bash (tests/docs/example_shell.sh), in a fresh folder that looks like the top of
the checkout (every top-level entry of the source linked, build/ the BUILD_DIR under test) with
BUILD_DIR first on PATH; each file's examples run in order in a folder of their own. Output that
changes from run to run is matched by cram's patterns: a line ending in (re) is a regular
expression, one ending in (glob) a pattern with * and ?; a command that ends with a status other
than 0 is followed by [STATUS].

--update runs cram with --interactive --yes: every shown output that differs is replaced by the
actual one (in a .md, within its blocks only; nothing else of the file changes). Read the diff
before committing it.

Exit status: 0 every example shows what it printed; 1 some example differs (cram prints the diff,
with the file's own line numbers); 2 usage, or cram could not run."""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
SHELL = Path(__file__).resolve().parent / "example_shell.sh"
INDENT = "  "
OPENING = re.compile(r"^```console\s*$")
CLOSING = re.compile(r"^```\s*$")
ESCAPED = re.compile(r"^(.*) \(esc\)$")


def blocks_as_test(lines):
    """The cram test of a Markdown document, line for line: the lines of its console blocks
    indented as cram's test lines, every other line without leading spaces, so that cram reads
    none of them as a command or an expected output. Line numbers stay those of the document."""
    test, inside = [], False
    for line in lines:
        if inside and CLOSING.match(line):
            inside = False
        elif inside:
            test.append(INDENT + line)
            continue
        elif OPENING.match(line):
            inside = True
        test.append(line.lstrip(" "))
    return test


def block_contents(lines, indented):
    """The lines of each console block in order (without the indentation when indented)."""
    blocks, current = [], None
    for line in lines:
        if current is not None and CLOSING.match(line):
            blocks.append(current)
            current = None
        elif current is not None:
            current.append(unescaped(line[len(INDENT):]) if indented else line)
        elif OPENING.match(line):
            current = []
    return blocks


def unescaped(line):
    """cram writes output with bytes outside printable ASCII as escapes marked (esc); text that is
    printable UTF-8 is written back as it reads (cram compares the two as equal)."""
    match = ESCAPED.match(line)
    if not match:
        return line
    raw = match.group(1).encode("ascii").decode("unicode_escape").encode("latin-1")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        return line
    return line if any(ord(c) < 32 or ord(c) == 127 for c in text) else text


def with_blocks(lines, blocks):
    """The document with the contents of its console blocks replaced by blocks, in order."""
    result, inside, index = [], False, 0
    for line in lines:
        if inside and CLOSING.match(line):
            inside = False
        elif inside:
            continue
        elif OPENING.match(line):
            inside = True
            result.append(line)
            result.extend(blocks[index])
            index += 1
            continue
        result.append(line)
    return result


def markdown(path):
    return path.suffix == ".md"


def read_lines(path):
    return path.read_text(encoding="utf-8").split("\n")


def main():
    args = sys.argv[1:]
    if args and args[0] in ("-h", "--help"):
        print(__doc__)
        return 0
    update = bool(args) and args[0] == "--update"
    if update:
        args.pop(0)
    if len(args) < 2:
        print("usage: tests/docs/run_examples.py [--update] BUILD_DIR FILE... (--help: more)",
              file=sys.stderr)
        return 2
    build_dir = Path(args[0]).resolve()
    documents = [Path(name).resolve() for name in args[1:]]
    cram = shutil.which("cram3") or shutil.which("cram")
    if cram is None:
        print("run_examples.py: cram is not installed (Debian python3-cram; build.sh installs it)",
              file=sys.stderr)
        return 2

    # Each file is tested as a copy in the build folder (a Markdown document as its cram test),
    # under its own name so that cram's diff names it; the copy and cram's .err file stay there
    # to be looked at, and the source tree stays clean.
    work = build_dir / "doc_examples"
    tests = []
    for document in documents:
        copy = work / document.stem / document.name
        copy.parent.mkdir(parents=True, exist_ok=True)
        lines = read_lines(document)
        copy.write_text("\n".join(blocks_as_test(lines) if markdown(document) else lines),
                        encoding="utf-8")
        tests.append(copy)

    env = dict(os.environ, VARNEL_SOURCE_DIR=str(SOURCE_DIR), VARNEL_BUILD_DIR=str(build_dir))
    command = [cram, "--shell=" + str(SHELL)]
    if update:
        command += ["--interactive", "--yes"]
    # One cram run per file, from the file's folder: patch refuses the absolute names that cram
    # would otherwise write into the diffs of --update.
    status = 0
    for test in tests:
        run = subprocess.run(command + [test.name], cwd=test.parent, env=env)
        # With --update, 1 means a file was brought up to date.
        status = max(status, 0 if update and run.returncode == 1 else run.returncode)

    if update:
        for document, test in zip(documents, tests):
            original = read_lines(document)
            if not markdown(document):
                if read_lines(test) != original:
                    shutil.copyfile(test, document)
                    print(f"run_examples.py: updated {document}")
                continue
            blocks = block_contents(read_lines(test), indented=True)
            if len(blocks) != len(block_contents(original, indented=False)):
                print(f"run_examples.py: {document}: the blocks changed shape; not updated",
                      file=sys.stderr)
                return 1
            updated = with_blocks(original, blocks)
            if updated != original:
                document.write_text("\n".join(updated), encoding="utf-8")
                print(f"run_examples.py: updated {document}")
    return status


if __name__ == "__main__":
    sys.exit(main())
