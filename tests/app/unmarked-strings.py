#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails on a QML property that shows the user a bare string literal, one
that lupdate cannot see and so no catalogue can translate. Glyph names go
through Symbols.glyph() and button symbols through `symbol:`, neither of
which the user reads."""
import pathlib
import re
import sys

SHOWN = re.compile(
    r"^\s*(text|placeholderText|title|label|name|displayText|Accessible\.name|Accessible\.description"
    r"|ToolTip\.text)\s*:\s*(.+)$")
# Calls whose string arguments are fine: translations and glyph names.
ALLOWED_CALL = re.compile(
    r'\b(qsTr|qsTranslate|qsTrId)\(\s*"(?:[^"\\]|\\.)*"(\s*,\s*"(?:[^"\\]|\\.)*")*|\bSymbols\.glyph\([^()]*\)')
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def readable(literal):
    text = literal.encode().decode("unicode_escape")
    return any(c.isascii() and c.isalpha() for c in text)


def main(root):
    found = []
    for path in sorted(pathlib.Path(root).rglob("*.qml")):
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = SHOWN.match(line)
            if not match:
                continue
            value = ALLOWED_CALL.sub("", match.group(2).split("//")[0])
            if any(readable(literal) for literal in LITERAL.findall(value)):
                found.append(f"{path}:{number}: {line.strip()}")
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} user-visible strings are not marked with qsTr()", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
