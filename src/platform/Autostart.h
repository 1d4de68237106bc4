// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The user's XDG autostart entry for Brivane: present means "start at login".
class Autostart : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)
public:
    explicit Autostart(QObject *parent = nullptr);

    // $XDG_CONFIG_HOME/autostart/org.brivane.Brivane.desktop
    static QString entryPath();
    // The entry's text for the given program path.
    static QByteArray entryText(const QString &program);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    void enabledChanged();
    void lastErrorChanged();

private:
    void setLastError(const QString &error);
    bool m_enabled = false;
    QString m_lastError;
};
