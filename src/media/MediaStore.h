#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// Placeholder until the store is built: the shell reads only the title.
class MediaStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
public:
    explicit MediaStore(QObject *parent = nullptr);
    QString title() const { return m_title; }
    void setTitle(const QString &title);

Q_SIGNALS:
    void titleChanged();

private:
    QString m_title;
};
