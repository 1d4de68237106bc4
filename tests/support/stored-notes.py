#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The notes' texts in a Brivane preferences file, one a line, in stored order
# (newest first), read as the program stores them: a base64 JSON blob.
#   stored-notes.py <preferences.json>
import base64
import json
import sys

prefs = json.load(open(sys.argv[1]))
for note in json.loads(base64.b64decode(prefs["brivane_notes"]["base64"])):
    print(note["text"])
