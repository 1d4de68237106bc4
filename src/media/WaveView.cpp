#include "WaveView.h"

#include <QPainter>
#include <QQuickWindow>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

WaveView::WaveView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setImplicitSize(m_barCount * (BarWidth + BarSpacing) - BarSpacing, 20);
}

void WaveView::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
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

void WaveView::advance()
{
    m_phase += PhaseStep;
    update();
    Q_EMIT phaseChanged();
}

void WaveView::paint(QPainter *painter)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const double frame = height();
    // The bars are centred in the item, each centred vertically.
    const double total = m_barCount * (BarWidth + BarSpacing) - BarSpacing;
    double x = (width() - total) / 2;
    for (int i = 0; i < m_barCount; ++i) {
        const double h = barHeight(i, m_phase);
        const double barH = std::max(MinBarHeight, h * frame);
        QColor fill = m_color;
        fill.setAlphaF(static_cast<float>(m_color.alphaF() * barOpacity(h)));
        painter->setBrush(fill);
        painter->drawRoundedRect(QRectF(x, (frame - barH) / 2, BarWidth, barH), BarWidth / 2, BarWidth / 2);
        x += BarWidth + BarSpacing;
    }
}

void WaveView::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemSceneChange) {
        QObject::disconnect(m_windowVisibility);
        m_window = value.window;
        if (m_window)
            m_windowVisibility = connect(m_window, &QWindow::visibleChanged, this, &WaveView::updateTicking);
        updateTicking();
    } else if (change == ItemVisibleHasChanged) {
        updateTicking();
    }
}

void WaveView::updateTicking()
{
    // isVisible() is the effective visibility: a hidden ancestor hides it too.
    const bool shouldTick = m_active && isVisible() && m_window && m_window->isVisible();
    if (shouldTick == m_timer.isActive())
        return;
    if (shouldTick)
        m_timer.start(TickMs, this);
    else
        m_timer.stop();
    Q_EMIT tickingChanged();
}

void WaveView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timer.timerId())
        advance();
    else
        QQuickPaintedItem::timerEvent(event);
}
