// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>
#include <atomic>
#include <memory>

// A small animated level meter: barCount rounded bars whose heights follow a
// few sine waves. It advances only while it is actually on screen and
// active, so a hidden or collapsed card costs nothing.
//
// A tick does not mark the item dirty: it asks the window for a frame and the
// bars pick up the new phase while the scene graph prepares that frame. So a
// tick costs neither a sync of the item tree nor the per-frame hover pass Qt
// Quick makes over dirty scenes, and only the meter's own area is redrawn.
class WaveView : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(int barCount READ barCount WRITE setBarCount NOTIFY barCountChanged)
    // Whether the meter should move at all (the player is playing).
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    // Radians; grows by PhaseStep every tick.
    Q_PROPERTY(double phase READ phase NOTIFY phaseChanged)
    // Milliseconds between ticks; the strip's small meter ticks slower.
    Q_PROPERTY(int tickInterval READ tickInterval WRITE setTickInterval NOTIFY tickIntervalChanged)
    // Whether the tick timer is running right now.
    Q_PROPERTY(bool ticking READ isTicking NOTIFY tickingChanged)
public:
    static constexpr int TickMs = 50;
    static constexpr double PhaseStep = 0.15;
    static constexpr double BarWidth = 3;
    static constexpr double BarSpacing = 2;
    static constexpr double MinBarHeight = 3;
    // Bar heights are drawn in steps of this many pixels.
    static constexpr double HeightStep = 0.25;
    // A sheet cell: a bar and a clear column, so neighbours never bleed.
    static constexpr int CellWidth = 4;

    explicit WaveView(QQuickItem *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    int barCount() const { return m_barCount; }
    void setBarCount(int count);
    bool isActive() const { return m_active; }
    void setActive(bool active);
    double phase() const { return m_phase->load(); }
    bool isTicking() const { return m_timer.isActive(); }
    int tickInterval() const { return m_tickInterval; }
    void setTickInterval(int ms);

    // Height of bar i as a fraction of the meter's height, 0.15 to 0.83.
    static double barHeight(int index, double phase);
    // The fill opacity of a bar of that height.
    static double barOpacity(double height) { return 0.4 + 0.6 * height; }
    // Every bar height there is for a meter this tall, one cell each, side by
    // side: cell k holds a bar of MinBarHeight + k * HeightStep pixels.
    static QImage barSheet(const QColor &color, double frameHeight, qreal devicePixelRatio = 1);
    // The sheet cell drawn for a bar of that height fraction.
    static int cellFor(double height, double frameHeight);

public Q_SLOTS:
    // One tick of the animation.
    void advance();

Q_SIGNALS:
    void colorChanged();
    void barCountChanged();
    void activeChanged();
    void phaseChanged();
    void tickingChanged();
    void tickIntervalChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void updateTicking();

    QColor m_color = Qt::red;
    int m_barCount = 20;
    bool m_active = true;
    bool m_sheetStale = true;
    // Shared with the scene graph, which may read it on its own thread.
    std::shared_ptr<std::atomic<double>> m_phase = std::make_shared<std::atomic<double>>(0.0);
    QBasicTimer m_timer;
    int m_tickInterval = TickMs;
    QPointer<QQuickWindow> m_window;
    QMetaObject::Connection m_windowVisibility;
};
