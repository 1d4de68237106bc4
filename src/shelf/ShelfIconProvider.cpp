// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShelfIconProvider.h"

#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap plainPage(int side)
{
    // A sheet with a folded corner, in the card's faint white.
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = side * 0.7;
    const qreal h = side * 0.86;
    const qreal x = (side - w) / 2;
    const qreal y = (side - h) / 2;
    const qreal fold = side * 0.22;
    QPainterPath sheet;
    sheet.moveTo(x, y);
    sheet.lineTo(x + w - fold, y);
    sheet.lineTo(x + w, y + fold);
    sheet.lineTo(x + w, y + h);
    sheet.lineTo(x, y + h);
    sheet.closeSubpath();
    painter.fillPath(sheet, QColor(255, 255, 255, 150));
    QPainterPath corner;
    corner.moveTo(x + w - fold, y);
    corner.lineTo(x + w - fold, y + fold);
    corner.lineTo(x + w, y + fold);
    corner.closeSubpath();
    painter.fillPath(corner, QColor(255, 255, 255, 90));
    return pixmap;
}

} // namespace

ShelfIconProvider::ShelfIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Pixmap)
{
}

QPixmap ShelfIconProvider::requestPixmap(const QString &id, QSize *size, const QSize &requestedSize)
{
    const int side = requestedSize.width() > 0 ? requestedSize.width() : defaultSize;
    if (size)
        *size = QSize(side, side);
    return icon(id, side);
}

QPixmap ShelfIconProvider::icon(const QString &mimeType, int side)
{
    // The name is one the store chose; an unknown one is the default type,
    // whose icons are the generic ones.
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    for (const QString &name : { type.iconName(), type.genericIconName() }) {
        if (name.isEmpty())
            continue;
        const QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            return icon.pixmap(side, side);
    }
    return plainPage(side);
}
