#!/usr/bin/env python3
"""Seeds fuzz/corpus/NAME/ from the golden script tests.

Usage: fuzz/seed_corpora.py [NAME...]   (default: every target)
Each corpus keeps at most a few hundred small files: paragraphs of the golden
scripts, expressions, lists, and the argument words of single commands
(separated by zero bytes, as fuzz_command.cpp reads them).
"""
import hashlib
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SCRIPTS = sorted((ROOT / "tests" / "scripts").rglob("*.tcl"))
CORPUS = ROOT / "fuzz" / "corpus"
LIMIT = 250
MAX_BYTES = 1500


def paragraphs(paths):
    """Runs of whole commands (braces balanced) of a few hundred bytes."""
    for path in paths:
        chunk, depth = b"", 0
        for line in path.read_bytes().splitlines(keepends=True):
            chunk += line
            depth += line.count(b"{") - line.count(b"}")
            if depth <= 0 and len(chunk) >= 300:
                if len(chunk) <= MAX_BYTES:
                    yield chunk.strip()
                chunk, depth = b"", 0
        if chunk.strip() and len(chunk) <= MAX_BYTES:
            yield chunk.strip()


def braced(text, start):
    """The text of the braced group opening at start, or None."""
    depth = 0
    for i in range(start, len(text)):
        c = text[i:i + 1]
        if c == b"{":
            depth += 1
        elif c == b"}":
            depth -= 1
            if depth == 0:
                return text[start + 1:i]
        elif c == b"\n" and depth == 0:
            return None
    return None


def expressions():
    for path in SCRIPTS:
        text = path.read_bytes()
        for m in re.finditer(rb"expr\s+\{", text):
            inner = braced(text, m.end() - 1)
            if inner:
                yield inner
        for m in re.finditer(rb"expr\s+([^\]\n;{]+)", text):
            yield m.group(1).strip()


def lists():
    for path in SCRIPTS:
        text = path.read_bytes()
        for m in re.finditer(rb"(?:llength|lindex|lsort|lrange|foreach \w+|lsearch)\s+\{", text):
            inner = braced(text, m.end() - 1)
            if inner:
                yield inner
        for m in re.finditer(rb"set \w+ \{", text):
            inner = braced(text, m.end() - 1)
            if inner and len(inner) < 400:
                yield inner


def words(line):
    """Cuts a command line into words, braces grouping."""
    out, i = [], 0
    while i < len(line):
        if line[i:i + 1] in b" \t":
            i += 1
            continue
        if line[i:i + 1] == b"{":
            inner = braced(line, i)
            if inner is None:
                return out
            out.append(inner)
            i += len(inner) + 2
            continue
        j = i
        while j < len(line) and line[j:j + 1] not in b" \t":
            j += 1
        out.append(line[i:j])
        i = j
    return out


def command_arguments(name):
    pattern = re.compile(rb"(?:^|\[)\s*" + re.escape(name.encode()) + rb" ([^\n\]]*)", re.M)
    for path in SCRIPTS:
        for m in pattern.finditer(path.read_bytes()):
            line = m.group(1).split(b";")[0]
            found = words(line)
            if found:
                yield b"\0".join(found)


def write(name, items):
    folder = CORPUS / name
    folder.mkdir(parents=True, exist_ok=True)
    seen = set()
    for item in items:
        if not item or item in seen:
            continue
        seen.add(item)
        if len(seen) > LIMIT:
            break
        digest = hashlib.sha1(item).hexdigest()[:16]
        (folder / digest).write_bytes(item)
    print(f"{name}: {min(len(seen), LIMIT)} files")


def every_other(items, step):
    return [x for i, x in enumerate(items) if i % step == 0]


TARGETS = {
    "eval": lambda: every_other(list(paragraphs(SCRIPTS)), 3),
    "tokenise": lambda: every_other(list(paragraphs(SCRIPTS)), 7),
    "preprocess": lambda: [p for p in paragraphs(SCRIPTS) if b"#" in p],
    "expr": lambda: list(expressions()),
    "list": lambda: list(lists()),
}


def main():
    names = sys.argv[1:] or list(TARGETS) + ["cmd_string", "cmd_lsort", "cmd_lsearch",
                                             "cmd_switch"]
    for name in names:
        if name.startswith("cmd_"):
            write(name, list(command_arguments(name[4:])))
        else:
            write(name, TARGETS[name]())


main()
