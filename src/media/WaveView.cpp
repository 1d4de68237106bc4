// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WaveView.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTexture>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

namespace {

int cellCount(double frameHeight)
{
    return 1 + std::max(0, int(std::ceil((frameHeight - WaveView::MinBarHeight) / WaveView::HeightStep)));
}

// The meter's node: one image of all the bars, put together from a sheet of
// every bar height each frame the phase has moved. One node, not one per
// bar: the software renderer pays for every node of a changed area on
// every frame, and a single one keeps the changed area one rectangle.
class MeterNode : public QSGNode
{
public:
    explicit MeterNode(std::shared_ptr<std::atomic<double>> phase)
        : m_phase(std::move(phase))
    {
        setFlag(UsePreprocess);
    }

    void rebuild(QQuickWindow *window, const QColor &color, int bars, const QSizeF &size)
    {
        while (QSGNode *child = firstChild()) {
            removeChildNode(child);
            delete child;
        }
        m_image = nullptr;
        m_texture.reset();
        m_window = window;
        m_scale = window->effectiveDevicePixelRatio();
        m_sheet = WaveView::barSheet(color, size.height(), m_scale);
        m_frame = size.height();
        m_bars = bars;
        const double total = bars * (WaveView::BarWidth + WaveView::BarSpacing) - WaveView::BarSpacing;
        if (total <= 0)
            return;
        const double left = std::round((size.width() - total) / 2);
        m_canvas
            = QImage(int(std::ceil(total * m_scale)), m_sheet.height(), QImage::Format_ARGB32_Premultiplied);
        m_image = window->createImageNode();
        m_image->setFiltering(QSGTexture::Nearest);
        m_image->setRect(QRectF(left, 0, m_canvas.width() / m_scale, m_canvas.height() / m_scale));
        // Drawn once before it joins the tree: a node without a texture
        // cannot be drawn.
        m_shownPhase = std::nan("");
        preprocess();
        appendChildNode(m_image);
    }

    void preprocess() override
    {
        const double phase = m_phase->load();
        if (phase == m_shownPhase || !m_image)
            return;
        m_shownPhase = phase;
        m_canvas.fill(Qt::transparent);
        {
            QPainter painter(&m_canvas);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            const int width = int(std::round(WaveView::BarWidth * m_scale));
            for (int i = 0; i < m_bars; ++i) {
                const int cell = WaveView::cellFor(WaveView::barHeight(i, phase), m_frame);
                const int x = int(std::round(i * (WaveView::BarWidth + WaveView::BarSpacing) * m_scale));
                painter.drawImage(QPoint(x, 0), m_sheet,
                    QRect(int(std::round(cell * WaveView::CellWidth * m_scale)), 0, width, m_sheet.height()));
            }
        }
        std::unique_ptr<QSGTexture> shown(m_window->createTextureFromImage(m_canvas));
        m_image->setTexture(shown.get());
        m_texture = std::move(shown);
        m_image->setSourceRect(QRectF(QPointF(), m_canvas.size()));
        m_image->markDirty(QSGNode::DirtyMaterial);
    }

private:
    std::shared_ptr<std::atomic<double>> m_phase;
    QQuickWindow *m_window = nullptr;
    QSGImageNode *m_image = nullptr;
    std::unique_ptr<QSGTexture> m_texture;
    QImage m_sheet;
    QImage m_canvas;
    int m_bars = 0;
    double m_frame = 0;
    qreal m_scale = 1;
    double m_shownPhase = 0;
};

} // namespace

WaveView::WaveView(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    setImplicitSize(m_barCount * (BarWidth + BarSpacing) - BarSpacing, 20);
}

void WaveView::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    m_sheetStale = true;
    update();
    Q_EMIT colorChanged();
}

void WaveView::setBarCount(int count)
{
    count = std::max(0, count);
    if (m_barCount == count)
        return;
    m_barCount = count;
    setImplicitWidth(std::max(0.0, m_barCount * (BarWidth + BarSpacing) - BarSpacing));
    m_sheetStale = true;
    update();
    Q_EMIT barCountChanged();
}

void WaveView::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    updateTicking();
    Q_EMIT activeChanged();
}

double WaveView::barHeight(int index, double phase)
{
    const double x = index;
    const double a = 0.4 * std::sin(phase + 0.6 * x);
    const double b = 0.25 * std::sin(1.3 * phase + 0.4 * x);
    const double c = 0.15 * std::cos(0.7 * phase + 0.8 * x);
    return 0.15 + 0.85 * std::max(0.0, a + b + c);
}

int WaveView::cellFor(double height, double frameHeight)
{
    const double pixels = std::max(MinBarHeight, height * frameHeight);
    const int cell = int(std::lround((pixels - MinBarHeight) / HeightStep));
    return std::clamp(cell, 0, cellCount(frameHeight) - 1);
}

QImage WaveView::barSheet(const QColor &color, double frameHeight, qreal devicePixelRatio)
{
    const int cells = cellCount(frameHeight);
    const int rows = std::max(1, int(std::ceil(frameHeight)));
    QImage sheet(int(std::ceil(cells * WaveView::CellWidth * devicePixelRatio)),
        int(std::ceil(rows * devicePixelRatio)), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.scale(devicePixelRatio, devicePixelRatio);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < cells; ++k) {
        const double barH = std::min(frameHeight, MinBarHeight + k * HeightStep);
        QColor fill = color;
        fill.setAlphaF(static_cast<float>(color.alphaF() * barOpacity(std::min(1.0, barH / frameHeight))));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(k * WaveView::CellWidth, (frameHeight - barH) / 2, BarWidth, barH),
            BarWidth / 2, BarWidth / 2);
    }
    return sheet;
}

void WaveView::advance()
{
    m_phase->store(m_phase->load() + PhaseStep);
    if (window())
        window()->update();
    Q_EMIT phaseChanged();
}

QSGNode *WaveView::updatePaintNode(QSGNode *old, UpdatePaintNodeData *)
{
    auto *node = static_cast<MeterNode *>(old);
    if (width() <= 0 || height() <= 0 || m_barCount == 0) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = new MeterNode(m_phase);
        m_sheetStale = true;
    }
    if (m_sheetStale) {
        node->rebuild(window(), m_color, m_barCount, size());
        m_sheetStale = false;
    }
    return node;
}

void WaveView::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        m_sheetStale = true;
        update();
    }
}

void WaveView::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange) {
        QObject::disconnect(m_windowVisibility);
        m_window = value.window;
        if (m_window)
            m_windowVisibility = connect(m_window, &QWindow::visibleChanged, this, &WaveView::updateTicking);
        // A new window has its own scene graph, so its sheet is made anew.
        m_sheetStale = true;
        updateTicking();
    } else if (change == ItemVisibleHasChanged) {
        updateTicking();
    } else if (change == ItemDevicePixelRatioHasChanged) {
        m_sheetStale = true;
        update();
    }
}

void WaveView::setTickInterval(int ms)
{
    ms = std::max(ms, 10);
    if (ms == m_tickInterval)
        return;
    m_tickInterval = ms;
    if (m_timer.isActive())
        m_timer.start(m_tickInterval, this);
    Q_EMIT tickIntervalChanged();
}

void WaveView::updateTicking()
{
    // isVisible() is the effective visibility: a hidden ancestor hides it too.
    const bool shouldTick = m_active && isVisible() && m_window && m_window->isVisible();
    if (shouldTick == m_timer.isActive())
        return;
    if (shouldTick)
        m_timer.start(m_tickInterval, this);
    else
        m_timer.stop();
    Q_EMIT tickingChanged();
}

void WaveView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timer.timerId())
        advance();
    else
        QQuickItem::timerEvent(event);
}
