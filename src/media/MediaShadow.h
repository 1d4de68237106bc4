// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// A soft drop shadow under a rounded shape, drawn as a blurred image that is
// built once per size (no shader involved). The item is the shape grown by
// `blur` on every side; place it under the shape with negative margins.
class MediaShadow : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    // Corner radius of the shape casting the shadow.
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY cornerRadiusChanged)
    // How far the shadow spreads beyond the shape.
    Q_PROPERTY(double blur READ blur WRITE setBlur NOTIFY blurChanged)
public:
    explicit MediaShadow(QQuickItem *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    double blur() const { return m_blur; }
    void setBlur(double blur);

    // The shadow image for a shape inset by blur inside a frame of size
    // pixels (device pixels).
    static QImage render(QSize pixels, double cornerRadius, double blur, const QColor &color);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void colorChanged();
    void cornerRadiusChanged();
    void blurChanged();

private:
    void invalidate();

    QColor m_color = QColor::fromRgbF(0, 0, 0, 0.4f);
    double m_cornerRadius = 0;
    double m_blur = 10;
    QImage m_cache;
};
