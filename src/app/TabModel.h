#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QtQml/qqmlregistration.h>

// The seven tabs of the card, in order: symbol, label and colour.
class TabModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
public:
    enum Role { IconRole = Qt::UserRole + 1, LabelRole, ColorRole, GlyphRole };

    struct Tab
    {
        const char *icon;
        const char *label;
        const char *color;
    };
    static const QList<Tab> &tabs();

    explicit TabModel(QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
};
