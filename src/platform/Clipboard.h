// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

// The system clipboard as plain text. Stores take this interface so that
// tests can hand them a fake.
class ClipboardAccess
{
public:
    virtual ~ClipboardAccess() = default;
    // The clipboard's text; none when it holds no text (an image, files,
    // nothing at all).
    virtual std::optional<QString> text() = 0;
    // Replaces the clipboard's contents with `text` as plain text.
    virtual void setText(const QString &text) = 0;
};

// The desktop's clipboard (not the X11 primary selection).
class SystemClipboard final : public ClipboardAccess
{
public:
    std::optional<QString> text() override;
    void setText(const QString &text) override;
};
