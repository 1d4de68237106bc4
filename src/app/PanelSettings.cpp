// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PanelSettings.h"

#include "platform/KeyValueStore.h"

#include <QKeySequence>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kOpenDelay = QStringLiteral("brivane_open_delay_ms");
const QString kCloseGrace = QStringLiteral("brivane_close_grace_ms");
const QString kHideOverFullScreen = QStringLiteral("brivane_hide_over_fullscreen");
const QString kShowActivity = QStringLiteral("brivane_show_activity");
const QString kMonitor = QStringLiteral("brivane_monitor");
const QString kShortcut = QStringLiteral("brivane_shortcut");
const QString kPlayer = QStringLiteral("brivane_player");

// Names come from the preferences file; a sane one is short and one line.
bool isName(const QString &text)
{
    return text.size() <= 200 && !text.contains(QLatin1Char('\n'));
}

} // namespace

PanelSettings::PanelSettings(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
{
    m_openDelay = readDelay(kOpenDelay);
    m_closeGrace = readDelay(kCloseGrace);
    m_hideOverFullScreen
        = preferences.string(kHideOverFullScreen).value_or(QString()) == QLatin1String("true");
    m_showActivity = preferences.string(kShowActivity).value_or(QString()) == QLatin1String("true");
    if (const auto monitor = preferences.string(kMonitor); monitor && isName(*monitor))
        m_monitor = *monitor;
    if (const auto stored = preferences.string(kShortcut)) {
        if (const auto shortcut = normalizedShortcut(*stored))
            m_shortcut = *shortcut;
    }
    if (const auto player = preferences.string(kPlayer); player && isName(*player))
        m_player = *player;
}

int PanelSettings::readDelay(const QString &key) const
{
    bool ok = false;
    const int ms = m_preferences.string(key).value_or(QString()).toInt(&ok);
    return ok && ms >= 0 && ms <= MaxDelayMs ? ms : 0;
}

bool PanelSettings::storeDelay(int &field, const QString &key, int ms)
{
    ms = std::clamp(ms, 0, MaxDelayMs);
    if (field == ms)
        return false;
    field = ms;
    m_preferences.setString(key, QString::number(ms));
    return true;
}

void PanelSettings::setOpenDelay(int ms)
{
    if (storeDelay(m_openDelay, kOpenDelay, ms))
        Q_EMIT openDelayChanged();
}

void PanelSettings::setCloseGrace(int ms)
{
    if (storeDelay(m_closeGrace, kCloseGrace, ms))
        Q_EMIT closeGraceChanged();
}

bool PanelSettings::storeFlag(bool &field, const QString &key, bool on)
{
    if (field == on)
        return false;
    field = on;
    m_preferences.setString(key, on ? QStringLiteral("true") : QStringLiteral("false"));
    return true;
}

void PanelSettings::setHideOverFullScreen(bool hide)
{
    if (storeFlag(m_hideOverFullScreen, kHideOverFullScreen, hide))
        Q_EMIT hideOverFullScreenChanged();
}

void PanelSettings::setShowActivity(bool show)
{
    if (storeFlag(m_showActivity, kShowActivity, show))
        Q_EMIT showActivityChanged();
}

void PanelSettings::setMonitor(const QString &monitor)
{
    if (m_monitor == monitor || !isName(monitor))
        return;
    m_monitor = monitor;
    m_preferences.setString(kMonitor, monitor);
    Q_EMIT monitorChanged();
}

void PanelSettings::setPlayer(const QString &identity)
{
    if (m_player == identity || !isName(identity))
        return;
    m_player = identity;
    m_preferences.setString(kPlayer, identity);
    Q_EMIT playerChanged();
}

std::optional<QString> PanelSettings::normalizedShortcut(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
        return QString();
    if (trimmed.size() > 64)
        return std::nullopt;
    QString portable = trimmed;
    portable.replace(
        QRegularExpression(QStringLiteral("\\bsuper\\b"), QRegularExpression::CaseInsensitiveOption),
        QStringLiteral("Meta"));
    const QKeySequence sequence = QKeySequence::fromString(portable, QKeySequence::PortableText);
    if (sequence.count() != 1)
        return std::nullopt;
    const int key = sequence[0].key();
    if (key == Qt::Key_unknown || key == 0 || key == Qt::Key_Shift || key == Qt::Key_Control
        || key == Qt::Key_Meta || key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Super_L
        || key == Qt::Key_Super_R)
        return std::nullopt;
    // A lone printable key would swallow that key everywhere.
    if (sequence[0].keyboardModifiers() == Qt::NoModifier && key < Qt::Key_Escape)
        return std::nullopt;
    return sequence.toString(QKeySequence::PortableText)
        .replace(QLatin1String("Meta"), QLatin1String("Super"));
}

QKeySequence PanelSettings::shortcutSequence() const
{
    QString portable = m_shortcut;
    portable.replace(QLatin1String("Super"), QLatin1String("Meta"));
    return QKeySequence::fromString(portable, QKeySequence::PortableText);
}

void PanelSettings::setShortcutStatus(const QString &status)
{
    if (m_shortcutStatus == status)
        return;
    m_shortcutStatus = status;
    Q_EMIT shortcutStatusChanged();
}

QString PanelSettings::setShortcut(const QString &text)
{
    const auto shortcut = normalizedShortcut(text);
    if (!shortcut)
        return tr("Not a key combination, such as Super+Alt+B");
    if (m_shortcut != *shortcut) {
        m_shortcut = *shortcut;
        m_preferences.setString(kShortcut, *shortcut);
        Q_EMIT shortcutChanged();
    }
    return QString();
}

QStringList PanelSettings::monitorsToShow(
    const QString &setting, const QStringList &present, const QString &primary)
{
    if (setting == AllMonitors) {
        QStringList all { primary };
        for (const QString &name : present) {
            if (!all.contains(name))
                all.append(name);
        }
        return all;
    }
    if (!setting.isEmpty() && present.contains(setting))
        return { setting };
    return { primary };
}
