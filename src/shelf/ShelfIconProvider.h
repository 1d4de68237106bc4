// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QQuickImageProvider>

// Serves "image://shelficon/<MIME type>": the desktop icon theme's icon for
// the type, its generic one, or a plain page where the theme has neither.
class ShelfIconProvider : public QQuickImageProvider
{
public:
    ShelfIconProvider();
    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
    static QPixmap icon(const QString &mimeType, int side);

    static constexpr int defaultSize = 32;
};
