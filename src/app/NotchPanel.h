// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/PanelHints.h"

#include <QPointer>
#include <QQuickWindow>
#include <QRect>
#include <QTimer>
#include <QVariantMap>
#include <algorithm>

class NotchTrackingView;
class PointerStandIn;
class QQmlEngine;
class QQuickItem;
class QScreen;
class QVariantAnimation;
class ShelfStore;

// The always-present panel at the top centre of the primary screen: a
// 380 x 32 strip that grows downwards into a 380 x 520 card while the pointer
// is over it. The window keeps the expanded size; its mask (which is also its
// input region) is the panel's frame, so nothing outside the frame paints over
// other windows or takes their clicks. Without a compositor the collapsed
// strip has no shape at all, and a stand-in takes the pointer over it.
class NotchPanel : public QQuickWindow
{
    Q_OBJECT
    Q_PROPERTY(bool isExpanded READ isExpanded NOTIFY isExpandedChanged)
    Q_PROPERTY(QRect frame READ frame NOTIFY frameChanged)
    // What the collapsed strip draws (its live activity), as rectangles in
    // the window; it is the whole shape of a strip nothing composites.
    Q_PROPERTY(QVariantList stripParts READ stripParts WRITE setStripParts NOTIFY stripPartsChanged)
public:
    static constexpr int hitH = 32;
    static constexpr int expandedH = 520;
    static constexpr int panelWidth = 380;
    static constexpr int expandMs = 550;
    static constexpr int collapseMs = 300;
    static constexpr int cardRadius = 28;

    static QRegion roundedRegion(int width, int height, int topRadius, int bottomRadius);

    // `stores` are the root view's required properties, by name, handed in
    // by whoever owns the stores.
    NotchPanel(const QVariantMap &stores, QQmlEngine *engine);
    ~NotchPanel() override;

    // Frames in Qt's screen coordinates (y grows downwards): both states share
    // the same top edge and x. The top is the screen's, or, where a panel of
    // the desktop reserves the top edge, the top of the work area below it.
    static QRect collapsedFrame(const QRect &screen, const QRect &available = QRect());
    static QRect expandedFrame(const QRect &screen, const QRect &available = QRect());

    bool isExpanded() const { return m_isExpanded; }
    QRect frame() const; // the current, possibly animating, frame
    QRect targetFrame() const; // where the current transition ends
    void setScreenGeometry(const QRect &screen, const QRect &available = QRect());

    // Shows the strip without activating it or taking focus.
    void showCollapsed();
    // Keeps the strip on this monitor; none follows the primary monitor.
    void pinToScreen(QScreen *screen);

    void expand();
    void collapse();
    // The keyboard shortcut and `--toggle`: opens the card with the keyboard
    // in it, or closes it.
    void toggle();
    // Opens the card for the keyboard: its first control takes the focus.
    void openFromKeyboard();
    void closeFromKeyboard();

    // How long the pointer must rest in the strip before the card opens, and
    // how long it may be away from the card before it closes; 0 is at once.
    void setOpenDelay(int ms) { m_openDelay = std::max(0, ms); }
    void setCloseGrace(int ms) { m_closeGrace = std::max(0, ms); }
    bool isOpenPending() const { return m_openTimer.isActive(); }

    // While a full-screen window covers this monitor the strip is not shown
    // and takes no input; an open card closes.
    void setSuppressed(bool suppressed);
    bool isSuppressed() const { return m_suppressed; }

    // Where the shell tracks the pointer for the panel (GNOME's extension),
    // it alone opens and closes the card: XWayland's own idea of the pointer
    // goes stale once the pointer is over the shell or a Wayland window, and
    // the card would reopen, or close, as its shape changes under that stale
    // position.
    void setShellTracksPointer(bool tracks) { m_shellTracksPointer = tracks; }

    NotchTrackingView *trackerView() const { return m_trackerView; }
    QVariantList stripParts() const { return m_stripParts; }
    void setStripParts(const QVariantList &parts);

    QQuickItem *rootItem() const { return m_rootItem; }

Q_SIGNALS:
    void isExpandedChanged();
    void suppressedChanged();
    void frameChanged();
    void stripPartsChanged();

protected:
    bool event(QEvent *event) override;

private:
    void pointerEntered();
    void pointerLeft();
    bool dragEvent(QEvent *event);
    bool pointerOverCard() const;
    void stepTab(int step);
    void followScreen(QScreen *screen);
    void applyHeight(int height);
    void animateTo(int height, int durationMs, QPointF c1, QPointF c2);
    void followAvailableGeometry();
    quintptr focusOwner();

    NotchTrackingView *m_trackerView = nullptr;
    PointerStandIn *m_standIn = nullptr;
    QQuickItem *m_rootItem = nullptr;
    QVariantList m_stripParts;
    // Files dragged over the strip go on the shelf, where the card has one.
    QPointer<ShelfStore> m_shelf;
    bool m_dragging = false;
    QVariantAnimation *m_animation = nullptr;
    QRect m_screen;
    QRect m_available;
    // The window the keyboard goes back to when the card collapses.
    quintptr m_focusOwner = 0;
    PanelHints::ActiveWindowQuery m_focusQuery;
    int m_height = hitH;
    bool m_isExpanded = false;
    bool m_shellTracksPointer = false;
    bool m_suppressed = false;
    bool m_closingFromKeyboard = false;
    bool m_openedFromKeyboard = false;
    int m_openDelay = 0;
    int m_closeGrace = 0;
    QTimer m_openTimer;
    QTimer m_closeTimer;
    QPointer<QScreen> m_pinned;
    QMetaObject::Connection m_screenConnection;
    QMetaObject::Connection m_availableConnection;
};
