// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TabModel.h"

#include "ui/Symbols.h"
#include "ui/Theme.h"

#include <QCoreApplication>

const QList<TabModel::Tab> &TabModel::tabs()
{
    static const QList<Tab> list {
        { "music.note", QT_TRANSLATE_NOOP3("TabModel", "Now", "tab label"), "red", "media/MediaPanel.qml",
            "media" },
        { "note.text", QT_TRANSLATE_NOOP3("TabModel", "Notes", "tab label"), "yellow", "desk/NotesPanel.qml",
            "notes" },
        { "timer", QT_TRANSLATE_NOOP3("TabModel", "Timer", "tab label"), "orange", "desk/TimerPanel.qml",
            "timer" },
        { "function.inset", QT_TRANSLATE_NOOP3("TabModel", "Calc", "tab label"), "blue",
            "desk/CalculatorPanel.qml", "" },
        { "doc.on.clipboard", QT_TRANSLATE_NOOP3("TabModel", "Clip", "tab label"), "green",
            "desk/ClipboardPanel.qml", "clipboard" },
        { "bubble.left.fill", QT_TRANSLATE_NOOP3("TabModel", "AI", "tab label"), "pink", "ai/AIPanel.qml",
            "ai" },
        { "desktopcomputer", QT_TRANSLATE_NOOP3("TabModel", "Stats", "tab label"), "purple",
            "stats/StatsPanel.qml", "" },
        { "tray.full", QT_TRANSLATE_NOOP3("TabModel", "Shelf", "tab label"), "cyan", "shelf/ShelfPanel.qml",
            "shelf" },
    };
    return list;
}

TabModel::TabModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void TabModel::setShelfShown(bool shown)
{
    if (shown == m_shelfShown)
        return;
    const int row = shelfTab();
    if (shown)
        beginInsertRows(QModelIndex(), row, row);
    else
        beginRemoveRows(QModelIndex(), row, row);
    m_shelfShown = shown;
    if (shown)
        endInsertRows();
    else
        endRemoveRows();
    Q_EMIT shelfShownChanged();
    Q_EMIT countChanged();
}

int TabModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_shelfShown ? int(tabs().size()) : shelfTab();
}

QVariant TabModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Tab &tab = tabs().at(index.row());
    switch (role) {
    case IconRole:
        return QString::fromLatin1(tab.icon);
    case Qt::DisplayRole:
    case LabelRole:
        return QCoreApplication::translate("TabModel", tab.label.source, tab.label.comment);
    case NameRole:
        return QString::fromLatin1(tab.label.source);
    case ColorRole:
        return Theme::named(QString::fromLatin1(tab.color));
    case GlyphRole:
        return Symbols::glyph(QString::fromLatin1(tab.icon));
    case PanelRole:
        return QString::fromLatin1(tab.panel);
    case StoreRole:
        return QString::fromLatin1(tab.store);
    default:
        return {};
    }
}

QHash<int, QByteArray> TabModel::roleNames() const
{
    return { { IconRole, "icon" }, { LabelRole, "label" }, { ColorRole, "tabColor" }, { GlyphRole, "glyph" },
        { PanelRole, "panel" }, { StoreRole, "store" }, { NameRole, "name" } };
}

QString TabModel::labelAt(int row) const
{
    return data(index(row), LabelRole).toString();
}

QString TabModel::panelAt(int row) const
{
    return data(index(row), PanelRole).toString();
}

QString TabModel::storeAt(int row) const
{
    return data(index(row), StoreRole).toString();
}
