// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WaveView.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRectangleNode>
#include <QSGTexture>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

namespace {

int cellCount(double frameHeight)
{
    return 1 + std::max(0, int(std::ceil((frameHeight - WaveView::MinBarHeight) / WaveView::HeightStep)));
}

// The meter's nodes: one image node per bar, all cut from one sheet. Each
// frame it is drawn in, it chooses every bar's cell from the current phase.
// Below the bars lies a clear rectangle over all of them, marked changed
// with them: the software renderer then repaints one rectangle, not a
// region of many, which it would clip everything beneath against.
class MeterNode : public QSGNode
{
public:
    explicit MeterNode(std::shared_ptr<std::atomic<double>> phase)
        : m_phase(std::move(phase))
    {
        setFlag(UsePreprocess);
    }
    ~MeterNode() override { delete m_sheet; }

    void rebuild(QQuickWindow *window, const QColor &color, int bars, const QSizeF &size)
    {
        while (QSGNode *child = firstChild()) {
            removeChildNode(child);
            delete child;
        }
        delete m_sheet;
        m_scale = window->effectiveDevicePixelRatio();
        m_sheet = window->createTextureFromImage(WaveView::barSheet(color, size.height(), m_scale));
        m_frame = size.height();
        const double total = bars * (WaveView::BarWidth + WaveView::BarSpacing) - WaveView::BarSpacing;
        const double left = std::round((size.width() - total) / 2);
        m_span = window->createRectangleNode();
        m_span->setColor(Qt::transparent);
        m_span->setRect(QRectF(left, 0, std::max(0.0, total), m_sheet->textureSize().height() / m_scale));
        appendChildNode(m_span);
        for (int i = 0; i < bars; ++i) {
            QSGImageNode *bar = window->createImageNode();
            bar->setTexture(m_sheet);
            bar->setFiltering(QSGTexture::Nearest);
            bar->setRect(QRectF(left + i * (WaveView::BarWidth + WaveView::BarSpacing), 0, WaveView::BarWidth,
                m_sheet->textureSize().height() / m_scale));
            appendChildNode(bar);
        }
        m_shownPhase = std::nan("");
        preprocess();
    }

    void preprocess() override
    {
        const double phase = m_phase->load();
        if (phase == m_shownPhase || !m_sheet)
            return;
        m_shownPhase = phase;
        const double cellHeight = m_sheet->textureSize().height();
        bool changed = false;
        int i = 0;
        for (QSGNode *child = m_span->nextSibling(); child; child = child->nextSibling(), ++i) {
            const int cell = WaveView::cellFor(WaveView::barHeight(i, phase), m_frame);
            const QRectF source(
                cell * WaveView::CellWidth * m_scale, 0, WaveView::BarWidth * m_scale, cellHeight);
            auto *bar = static_cast<QSGImageNode *>(child);
            if (bar->sourceRect() != source) {
                bar->setSourceRect(source);
                // Not every backend's image node reports a new source rect
                // as a change on its own.
                bar->markDirty(QSGNode::DirtyMaterial);
                changed = true;
            }
        }
        if (changed)
            m_span->markDirty(QSGNode::DirtyMaterial);
    }

private:
    std::shared_ptr<std::atomic<double>> m_phase;
    QSGTexture *m_sheet = nullptr;
    QSGRectangleNode *m_span = nullptr;
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
