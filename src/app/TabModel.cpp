#include "TabModel.h"

#include "app/Symbols.h"
#include "app/Theme.h"

const QList<TabModel::Tab> &TabModel::tabs()
{
    static const QList<Tab> list {
        { "music.note", "Now", "red" },
        { "note.text", "Notes", "yellow" },
        { "timer", "Timer", "orange" },
        { "function.inset", "Calc", "blue" },
        { "doc.on.clipboard", "Clip", "green" },
        { "bubble.left.fill", "AI", "pink" },
        { "desktopcomputer", "Stats", "purple" },
    };
    return list;
}

TabModel::TabModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int TabModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(tabs().size());
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
        return QString::fromLatin1(tab.label);
    case ColorRole:
        return Theme::named(QString::fromLatin1(tab.color));
    case GlyphRole:
        return Symbols::glyph(QString::fromLatin1(tab.icon));
    default:
        return {};
    }
}

QHash<int, QByteArray> TabModel::roleNames() const
{
    return { { IconRole, "icon" }, { LabelRole, "label" }, { ColorRole, "tabColor" },
        { GlyphRole, "glyph" } };
}
