// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>
#include <QColor>
#include <QtQml/qqmlregistration.h>

// The tabs of the card, in order: symbol, label, colour, and the panel that
// shows the tab with the shared store it is given. The order lives here
// only; the root view and the tab bar follow it. Seven are always there; the
// Shelf comes last, only while it is shown.
class TabModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool shelfShown READ shelfShown WRITE setShelfShown NOTIFY shelfShownChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum Role {
        IconRole = Qt::UserRole + 1,
        LabelRole,
        ColorRole,
        GlyphRole,
        PanelRole,
        StoreRole,
        NameRole
    };

    // A label in English with its disambiguation, translated when shown.
    struct Label
    {
        const char *source;
        const char *comment;
    };

    struct Tab
    {
        const char *icon;
        Label label;
        const char *color;
        // The panel's file in the QML module, loaded when the tab is first
        // shown rather than at start.
        const char *panel;
        // The root view's property holding the shared store the panel
        // takes, or none for a panel with a store of its own.
        const char *store;
    };
    // Every tab there may be; the last is the Shelf's.
    static const QList<Tab> &tabs();
    static int shelfTab() { return int(tabs().size()) - 1; }

    explicit TabModel(QObject *parent = nullptr);
    bool shelfShown() const { return m_shelfShown; }
    void setShelfShown(bool shown);
    int count() const { return rowCount(); }
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The label in the user's language; NameRole holds it in English, for
    // object names that tests and scripts find whatever the language.
    Q_INVOKABLE QString labelAt(int row) const;
    Q_INVOKABLE QString panelAt(int row) const;
    Q_INVOKABLE QString storeAt(int row) const;

Q_SIGNALS:
    void shelfShownChanged();
    void countChanged();

private:
    bool m_shelfShown = false;
};
