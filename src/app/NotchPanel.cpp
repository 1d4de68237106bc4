// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NotchPanel.h"

#include "NotchTrackingView.h"
#include "QmlFactory.h"
#include "TabModel.h"
#include "platform/Compositor.h"
#include "platform/LayerSurface.h"
#include "platform/PanelHints.h"
#include "platform/PointerStandIn.h"
#include "shelf/ShelfStore.h"

#include <QCursor>
#include <QDropEvent>
#include <QEasingCurve>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QScreen>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>
#include <utility>

NotchPanel::NotchPanel(const QVariantMap &stores, QQmlEngine *engine)
{
    setTitle(QStringLiteral("Brivane"));
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
        | Qt::NoDropShadowWindowHint);
    setColor(Qt::transparent);
    // Shown like a non-activating panel: mapping it must not steal focus.
    setProperty("_q_showWithoutActivating", true);
    // On Wayland compositors with a layer shell, a layer surface over the
    // top edge.
    LayerSurface::attach(this);

    m_animation = new QVariantAnimation(this);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
        [this](const QVariant &value) { applyHeight(int(std::lround(value.toDouble()))); });
    connect(m_animation, &QVariantAnimation::finished, this, [this] {
        // A pointer that reached the strip while it shrank crossed into the
        // window before it was the strip: it opens the card now.
        const auto pointer = m_trackerView->pointer();
        if (std::exchange(m_closingFromKeyboard, false) && pointer && pointer->y() < hitH)
            pointerEntered();
        // A Wayland compositor may leave the keyboard with a layer surface
        // that stopped taking it; unmapping the collapsed strip, which draws
        // nothing, makes it hand the keyboard to the window that had it.
        if (!m_isExpanded && isActive() && QGuiApplication::platformName() == QLatin1String("wayland")) {
            hide();
            show();
        }
    });

    // Built before the window is shown: assistive technology lists the
    // window's children as it appears, and misses views added later.
    QVariantMap properties = stores;
    properties.insert(QStringLiteral("panel"), QVariant::fromValue<QObject *>(this));
    m_rootItem = QmlFactory::createItem(engine, QStringLiteral("NotchRootView"), properties);
    if (m_rootItem) {
        m_rootItem->setParent(contentItem());
        m_rootItem->setParentItem(contentItem());
        m_rootItem->setSize(QSizeF(panelWidth, expandedH));
    }
    m_shelf = qobject_cast<ShelfStore *>(stores.value(QStringLiteral("shelf")).value<QObject *>());

    if (m_shelf) {
        // The row a drag out of the card comes from must outlive the drag:
        // the card closes only once it is over, where the pointer is away.
        connect(m_shelf, &ShelfStore::draggingOutChanged, this, [this] {
            if (!m_shelf->draggingOut() && !pointerOverCard())
                pointerLeft();
        });
    }

    m_trackerView = new NotchTrackingView(this, this);
    m_standIn = new PointerStandIn(this, this);
    // The shell's extension, where it follows the pointer, decides alone.
    const auto entered = [this] {
        if (!m_shellTracksPointer)
            pointerEntered();
    };
    const auto left = [this] {
        if (!m_shellTracksPointer)
            pointerLeft();
    };
    connect(m_trackerView, &NotchTrackingView::entered, this, entered);
    connect(m_standIn, &PointerStandIn::entered, this, entered);
    connect(m_trackerView, &NotchTrackingView::left, this, left);
    connect(m_standIn, &PointerStandIn::left, this, left);
    connect(m_trackerView, &NotchTrackingView::pressed, this, [this] {
        if (m_isExpanded && !m_openedFromKeyboard)
            LayerSurface::clicked(this);
    });
    m_openTimer.setSingleShot(true);
    m_closeTimer.setSingleShot(true);
    connect(&m_openTimer, &QTimer::timeout, this, &NotchPanel::expand);
    connect(&m_closeTimer, &QTimer::timeout, this, &NotchPanel::collapse);

    // The window manager may complete the card's own activation only after
    // the card has collapsed; the keyboard then goes straight back.
    connect(this, &QWindow::activeChanged, this, [this] {
        if (!m_isExpanded && isActive())
            PanelHints::activate(focusOwner());
    });

    // A compositing manager may start or stop while Brivane runs; the
    // stand-in for the strip follows the strip's visibility.
    connect(&Compositor::instance(), &Compositor::activeChanged, this, [this] { applyHeight(m_height); });
    connect(this, &QWindow::visibleChanged, this, [this] { applyHeight(m_height); });

    followScreen(QGuiApplication::primaryScreen());
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen *primary) {
        if (!m_pinned)
            followScreen(primary);
    });
}

void NotchPanel::pinToScreen(QScreen *screen)
{
    m_pinned = screen;
    QScreen *target = screen ? screen : QGuiApplication::primaryScreen();
    // A surface the compositor took with the last output comes back now.
    const bool lost = LayerSurface::takeLost(this);
    if (!lost && target == this->screen() && m_screen == target->geometry())
        return;
    // A layer surface stays on the output it was made for: it is made anew.
    const bool remap = lost || (isVisible() && QGuiApplication::platformName() == QLatin1String("wayland"));
    if (remap)
        hide();
    followScreen(target);
    if (remap && !m_suppressed)
        show();
}

NotchPanel::~NotchPanel()
{
    // QWindow hides the window as it goes, when nothing of the panel is left.
    disconnect(this, &QWindow::visibleChanged, this, nullptr);
    delete m_rootItem;
}

quintptr NotchPanel::focusOwner()
{
    // The card itself may have had the keyboard when asked (the window
    // manager finishing an earlier activation late): the owner from before
    // stands then, as it does while the answer is still on its way. None, a
    // native Wayland window, is an answer too.
    if (const std::optional<quintptr> active = m_focusQuery.take(); active && *active != winId())
        m_focusOwner = *active;
    return m_focusOwner;
}

QRect NotchPanel::collapsedFrame(const QRect &screen, const QRect &available)
{
    const int x = int(std::floor(screen.x() + screen.width() / 2.0 - panelWidth / 2.0));
    // A top panel that reserves the edge would cover the strip, so it hangs
    // below it. The centre stays the screen's: side panels do not move it.
    int y = screen.y();
    if (available.isValid() && available.top() > screen.top() && available.top() < screen.center().y())
        y = available.top();
    return QRect(x, y, panelWidth, hitH);
}

QRect NotchPanel::expandedFrame(const QRect &screen, const QRect &available)
{
    QRect frame = collapsedFrame(screen, available);
    frame.setHeight(expandedH);
    return frame;
}

QRect NotchPanel::frame() const
{
    QRect f = collapsedFrame(m_screen, m_available);
    f.setHeight(m_height);
    return f;
}

QRect NotchPanel::targetFrame() const
{
    return m_isExpanded ? expandedFrame(m_screen, m_available) : collapsedFrame(m_screen, m_available);
}

void NotchPanel::followScreen(QScreen *screen)
{
    disconnect(m_screenConnection);
    disconnect(m_availableConnection);
    // No screen at all (a display going away): keep the last geometry.
    if (!screen)
        return;
    m_screenConnection
        = connect(screen, &QScreen::geometryChanged, this, &NotchPanel::followAvailableGeometry);
    m_availableConnection
        = connect(screen, &QScreen::availableGeometryChanged, this, &NotchPanel::followAvailableGeometry);
    setScreen(screen);
    followAvailableGeometry();
}

void NotchPanel::followAvailableGeometry()
{
    if (QScreen *s = screen())
        setScreenGeometry(s->geometry(), s->availableGeometry());
}

void NotchPanel::setScreenGeometry(const QRect &screen, const QRect &available)
{
    m_screen = screen;
    m_available = available;
    // The window always has the expanded size; the mask shows the frame.
    const QRect window = expandedFrame(screen, available);
    setMinimumSize(window.size());
    setMaximumSize(window.size());
    setGeometry(window);
    applyHeight(m_height);
}

void NotchPanel::showCollapsed()
{
    applyHeight(m_height);
    PanelHints::markAsPanel(this);
    show();
}

QRegion NotchPanel::roundedRegion(int width, int height, int topRadius, int bottomRadius)
{
    // Scanline rectangles of a rounded rectangle, for an X shape mask.
    topRadius = std::clamp(topRadius, 0, std::min(width / 2, height / 2));
    bottomRadius = std::clamp(bottomRadius, 0, std::min(width / 2, height / 2));
    QRegion region(0, topRadius, width, height - topRadius - bottomRadius);
    const auto inset = [](int radius, int row) {
        const double dy = radius - row - 0.5;
        return int(std::ceil(radius - std::sqrt(double(radius) * radius - dy * dy)));
    };
    for (int row = 0; row < topRadius; ++row)
        region += QRect(inset(topRadius, row), row, width - 2 * inset(topRadius, row), 1);
    for (int row = 0; row < bottomRadius; ++row)
        region += QRect(inset(bottomRadius, row), height - 1 - row, width - 2 * inset(bottomRadius, row), 1);
    return region;
}

void NotchPanel::applyHeight(int height)
{
    const bool changed = height != m_height;
    m_height = height;
    // The input region is the frame. Without a compositor transparent pixels
    // would paint black: the collapsed strip, which shows nothing, is shaped
    // to nothing and a stand-in takes the pointer there; the card's rounded
    // corners are cut away.
    const bool composited = Compositor::instance().isActive();
    if (!composited && !m_isExpanded && height <= hitH) {
        QRegion drawn;
        for (const QVariant &part : std::as_const(m_stripParts)) {
            const QRect r = part.toRect();
            drawn += roundedRegion(r.width(), r.height(), r.height() / 2, r.height() / 2)
                         .translated(r.topLeft());
        }
        m_standIn->cover(QRect(0, 0, panelWidth, hitH), drawn);
        if (changed)
            Q_EMIT frameChanged();
        return;
    }
    if (m_standIn->isCovering())
        m_standIn->uncover();
    if (composited)
        setMask(QRegion(0, 0, panelWidth, height));
    else
        setMask(roundedRegion(panelWidth, height, cardRadius, cardRadius));
    if (changed)
        Q_EMIT frameChanged();
}

void NotchPanel::animateTo(int height, int durationMs, QPointF c1, QPointF c2)
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(c1, c2, QPointF(1.0, 1.0));
    m_animation->stop();
    m_animation->setEasingCurve(curve);
    m_animation->setDuration(durationMs);
    m_animation->setStartValue(double(m_height));
    m_animation->setEndValue(double(height));
    m_animation->start();
}

void NotchPanel::expand()
{
    if (m_isExpanded)
        return;
    m_isExpanded = true;
    // Shaped as the card from its first frame on, where the strip had no shape.
    applyHeight(m_height);
    // Become focusable only while expanded, so typing reaches the card. Who
    // has the keyboard now is asked first, to give it back on collapse.
    m_focusQuery.ask();
    LayerSurface::setKeyboard(
        this, m_openedFromKeyboard ? LayerSurface::Keyboard::Exclusive : LayerSurface::Keyboard::OnDemand);
    setFlag(Qt::WindowDoesNotAcceptFocus, false);
    // A layer surface opened by hover waits for a click: asking to be
    // activated would have the compositor (KWin 6) hand it the keyboard.
    if (m_openedFromKeyboard || QGuiApplication::platformName() != QLatin1String("wayland"))
        PanelHints::activate(this);
    PanelHints::reassertPanel(this);
    if (m_shelf)
        m_shelf->setCardOpen(true);
    // Told once the window takes the keyboard, before the frame moves: the
    // views may focus a field.
    Q_EMIT isExpandedChanged();
    animateTo(expandedH, expandMs, QPointF(0.16, 1.0), QPointF(0.3, 1.0));
}

void NotchPanel::collapse()
{
    if (!m_isExpanded)
        return;
    m_isExpanded = false;
    m_openedFromKeyboard = false;
    m_dragging = false;
    if (m_shelf)
        m_shelf->setCardOpen(false);
    LayerSurface::setKeyboard(this, LayerSurface::Keyboard::None);
    setFlag(Qt::WindowDoesNotAcceptFocus, true);
    PanelHints::activate(focusOwner());
    Q_EMIT isExpandedChanged();
    animateTo(hitH, collapseMs, QPointF(0.4, 0.0), QPointF(1.0, 0.2));
}

void NotchPanel::pointerEntered()
{
    m_closeTimer.stop();
    // Closed from the keyboard over a resting pointer, the shrinking card
    // passes under it; that is not the pointer coming back. Where the
    // pointer is once it has shrunk tells.
    if (m_isExpanded || m_suppressed || m_closingFromKeyboard)
        return;
    if (m_openDelay == 0)
        expand();
    else
        m_openTimer.start(m_openDelay);
}

void NotchPanel::pointerLeft()
{
    if (m_shelf && m_shelf->draggingOut())
        return;
    // A pass through the strip shorter than the delay opens nothing.
    m_openTimer.stop();
    if (!m_isExpanded)
        return;
    if (m_closeGrace == 0)
        collapse();
    else
        m_closeTimer.start(m_closeGrace);
}

void NotchPanel::toggle()
{
    if (m_isExpanded)
        closeFromKeyboard();
    else
        openFromKeyboard();
}

void NotchPanel::closeFromKeyboard()
{
    m_openTimer.stop();
    m_closeTimer.stop();
    if (!m_isExpanded)
        return;
    m_closingFromKeyboard = true;
    collapse();
}

void NotchPanel::openFromKeyboard()
{
    m_openTimer.stop();
    m_closeTimer.stop();
    if (m_isExpanded || m_suppressed)
        return;
    if (m_rootItem)
        m_rootItem->setProperty("keyboardOpened", true);
    // A layer surface then takes the keyboard at once, not on a click.
    m_openedFromKeyboard = true;
    expand();
}

void NotchPanel::setSuppressed(bool suppressed)
{
    if (m_suppressed == suppressed)
        return;
    m_suppressed = suppressed;
    m_openTimer.stop();
    if (suppressed) {
        collapse();
        hide();
    } else {
        showCollapsed();
    }
    Q_EMIT suppressedChanged();
}

void NotchPanel::setStripParts(const QVariantList &parts)
{
    if (parts == m_stripParts)
        return;
    m_stripParts = parts;
    applyHeight(m_height);
    Q_EMIT stripPartsChanged();
}

void NotchPanel::stepTab(int step)
{
    if (!m_rootItem)
        return;
    const int count = m_rootItem->property("tabCount").toInt();
    if (count <= 0)
        return;
    const int tab = m_rootItem->property("selectedTab").toInt();
    m_rootItem->setProperty("selectedTab", ((tab + step) % count + count) % count);
}

bool NotchPanel::pointerOverCard() const
{
    // Only X11 tells where the pointer is while another program drags.
    return QGuiApplication::platformName() == QLatin1String("xcb") && targetFrame().contains(QCursor::pos());
}

bool NotchPanel::dragEvent(QEvent *event)
{
    if (!m_shelf)
        return false;
    if (event->type() == QEvent::DragLeave) {
        if (!m_dragging)
            return false;
        // Over the collapsed strip a drag reaches the card through the
        // stand-in; once the card opens it is over the card itself, and
        // leaves the one for the other. Only leaving the card counts.
        if (pointerOverCard())
            return true;
        m_dragging = false;
        m_shelf->setDragOver(false);
        pointerLeft();
        return true;
    }
    auto *drag = static_cast<QDropEvent *>(event);
    // The shelf's own rows dragged back over the card are nothing new.
    if (drag->source() || m_suppressed || !ShelfStore::wants(drag->mimeData()))
        return false;
    const Qt::DropAction action = ShelfStore::dropAction(drag->possibleActions());
    if (action == Qt::IgnoreAction)
        return false;
    if (event->type() == QEvent::DragEnter) {
        // Opens as the pointer would, on the Shelf.
        m_dragging = true;
        m_shelf->setDragOver(true);
        if (QQuickItem *root = rootItem())
            root->setProperty("selectedTab", TabModel::shelfTab());
        pointerEntered();
    } else if (event->type() == QEvent::Drop) {
        m_dragging = false;
        m_shelf->drop(drag->mimeData());
    }
    drag->setDropAction(action);
    drag->accept();
    return true;
}

bool NotchPanel::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
        if (dragEvent(event))
            return true;
        break;
    default:
        break;
    }
    // The card's own keys come before any control in it: Escape always
    // closes, Ctrl+Tab always switches tabs.
    if (event->type() == QEvent::KeyPress && m_isExpanded) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        if (key->key() == Qt::Key_Escape) {
            closeFromKeyboard();
            return true;
        }
        if (ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            stepTab(back ? -1 : 1);
            return true;
        }
    }
    return QQuickWindow::event(event);
}
