// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The root view's link to the panel: observes "BrivaneExpanded" and keeps the
// flag it carries. A notification without a bool under "expanded" is ignored.
class ExpansionObserver : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool expanded READ expanded NOTIFY expandedChanged)
    // With several strips, each root view follows only its own panel's
    // notifications; none follows every one.
    Q_PROPERTY(QObject *panel MEMBER m_panel)
public:
    explicit ExpansionObserver(QObject *parent = nullptr);

    static QString notificationName() { return QStringLiteral("BrivaneExpanded"); }
    bool expanded() const { return m_expanded; }

Q_SIGNALS:
    void expandedChanged();

private:
    bool m_expanded = false;
    QObject *m_panel = nullptr;
};
