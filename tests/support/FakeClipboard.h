// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Clipboard.h"

// A clipboard the test controls: none models an image or an empty clipboard.
class FakeClipboard final : public ClipboardAccess
{
public:
    std::optional<QString> text() override { return content; }
    void setText(const QString &text) override
    {
        content = text;
        ++writes;
    }

    std::optional<QString> content;
    int writes = 0;
};
