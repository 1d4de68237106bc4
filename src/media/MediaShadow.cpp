// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaShadow.h"

#include <QPainter>
#include <QQuickWindow>
#include <algorithm>
#include <cmath>

namespace {

// One box-blur pass of the given radius along rows (or columns) of a
// premultiplied image; three passes come close to a Gaussian.
void boxBlur(QImage &image, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int width = image.width();
    const int height = image.height();
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int window = 2 * radius + 1;
    std::vector<QRgb> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        auto pixel = [&](int i) -> QRgb & {
            return horizontal ? reinterpret_cast<QRgb *>(image.scanLine(l))[i]
                              : reinterpret_cast<QRgb *>(image.scanLine(i))[l];
        };
        for (int i = 0; i < length; ++i)
            line[static_cast<size_t>(i)] = pixel(i);
        int sum[4] = { 0, 0, 0, 0 };
        auto add = [&](int i, int sign) {
            if (i < 0 || i >= length)
                return;
            const QRgb p = line[static_cast<size_t>(i)];
            sum[0] += sign * qAlpha(p);
            sum[1] += sign * qRed(p);
            sum[2] += sign * qGreen(p);
            sum[3] += sign * qBlue(p);
        };
        for (int i = -radius; i < radius; ++i)
            add(i, 1);
        for (int i = 0; i < length; ++i) {
            add(i + radius, 1);
            pixel(i) = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            add(i - radius, -1);
        }
    }
}

} // namespace

MediaShadow::MediaShadow(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    connect(this, &QQuickItem::widthChanged, this, &MediaShadow::invalidate);
    connect(this, &QQuickItem::heightChanged, this, &MediaShadow::invalidate);
}

void MediaShadow::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    invalidate();
    Q_EMIT colorChanged();
}

void MediaShadow::setCornerRadius(double radius)
{
    if (qFuzzyCompare(m_cornerRadius, radius))
        return;
    m_cornerRadius = radius;
    invalidate();
    Q_EMIT cornerRadiusChanged();
}

void MediaShadow::setBlur(double blur)
{
    if (qFuzzyCompare(m_blur, blur))
        return;
    m_blur = blur;
    invalidate();
    Q_EMIT blurChanged();
}

void MediaShadow::invalidate()
{
    m_cache = QImage();
    update();
}

QImage MediaShadow::render(QSize pixels, double cornerRadius, double blur, const QColor &color)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    const QRectF shape = QRectF(QPointF(0, 0), QSizeF(pixels)).adjusted(blur, blur, -blur, -blur);
    if (!shape.isEmpty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawRoundedRect(shape, cornerRadius, cornerRadius);
    }
    // Three boxes of this radius spread about as far as blur reaches.
    const int radius = std::max(0, static_cast<int>(std::lround(blur / 3)));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(image, radius, true);
        boxBlur(image, radius, false);
    }
    return image;
}

void MediaShadow::paint(QPainter *painter)
{
    const qreal dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize pixels = (QSizeF(width(), height()) * dpr).toSize();
    if (pixels.isEmpty())
        return;
    if (m_cache.size() != pixels) {
        m_cache = render(pixels, m_cornerRadius * dpr, m_blur * dpr, m_color);
        m_cache.setDevicePixelRatio(dpr);
    }
    painter->drawImage(QPointF(0, 0), m_cache);
}
