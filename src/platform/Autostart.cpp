// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

Autostart::Autostart(QObject *parent)
    : QObject(parent)
    , m_enabled(QFileInfo::exists(entryPath()))
{
}

QString Autostart::entryPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart/org.brivane.Brivane.desktop");
}

QByteArray Autostart::entryText(const QString &program)
{
    // Quote the path as the desktop entry format wants, so spaces survive.
    QString quoted = program;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\\\\\"));
    for (const char c : { '"', '`', '$' })
        quoted.replace(QLatin1Char(c), QStringLiteral("\\\\") + QLatin1Char(c));
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Brivane\n"
                             "Comment=Tools at the top of your screen\n")
        + "Exec=\"" + quoted.toUtf8() + "\"\n"
        + QByteArrayLiteral("Icon=org.brivane.Brivane\n"
                            "Terminal=false\n"
                            "X-GNOME-Autostart-enabled=true\n");
}

void Autostart::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    const QString path = entryPath();
    if (enabled) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(entryText(QCoreApplication::applicationFilePath())) < 0 || !file.commit()) {
            setLastError(file.errorString());
            return;
        }
    } else if (QFileInfo::exists(path) && !QFile::remove(path)) {
        setLastError(QStringLiteral("could not remove %1").arg(path));
        return;
    }
    setLastError(QString());
    m_enabled = enabled;
    Q_EMIT enabledChanged();
}

void Autostart::setLastError(const QString &error)
{
    if (error == m_lastError)
        return;
    m_lastError = error;
    Q_EMIT lastErrorChanged();
}
