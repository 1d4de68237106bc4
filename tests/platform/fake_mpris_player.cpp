// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small MPRIS player for integration tests and the benchmark: it owns
// org.mpris.MediaPlayer2.<name> and answers property reads with whatever its
// options say, including what real players get wrong.
//   fake_mpris_player --name N [--title T] [--artist A] [--album B]
//       [--status Playing|Paused|Stopped] [--length-us L] [--art URL]
//       [--identity I] [--silent] [--wrong-types] [--log FILE]
//       [--title-size N] [--announce]
// --silent never answers a call; --wrong-types sends every field but the
// title with the wrong D-Bus type; --log appends one line per property read
// ("GetAll <interface>" or "Get <name>"). A play command announces the new
// state, as real players do.
// --title-size repeats the title to N characters (more than a command line
// holds); --announce sends the metadata once at start, as real players do.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <cstdio>

namespace {

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

class Player : public QDBusVirtualObject
{
public:
    explicit Player(const QCommandLineParser &options)
        : title(options.value("title"))
        , status(options.value("status"))
        , o(options)
        , silent(options.isSet("silent"))
        , wrongTypes(options.isSet("wrong-types"))
    {
    }
    QString title, status;
    const QCommandLineParser &o;
    const bool silent, wrongTypes;

    void note(const QString &line) const
    {
        QFile file(o.value("log"));
        if (!file.fileName().isEmpty() && file.open(QIODevice::Append))
            file.write(line.toUtf8() + '\n');
    }

    void announce(const QDBusConnection &connection, const QVariantMap &changed) const
    {
        QDBusMessage signal
            = QDBusMessage::createSignal(kPath, kProperties, QStringLiteral("PropertiesChanged"));
        signal << kPlayer << changed << QStringList();
        connection.send(signal);
    }

    QString introspect(const QString &) const override
    {
        return QStringLiteral("<interface name=\"org.mpris.MediaPlayer2.Player\"/>");
    }

    QVariantMap playerProperties() const
    {
        QVariantMap metadata;
        metadata.insert(QStringLiteral("mpris:trackid"),
            QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/brivane/track/1"))));
        metadata.insert(QStringLiteral("xesam:title"), title);
        if (wrongTypes) {
            metadata.insert(QStringLiteral("xesam:artist"), 42);
            metadata.insert(QStringLiteral("xesam:album"), QStringList { o.value("album") });
            metadata.insert(QStringLiteral("mpris:length"), o.value("length-us"));
            metadata.insert(QStringLiteral("mpris:artUrl"), 7);
        } else {
            metadata.insert(QStringLiteral("xesam:artist"), QStringList { o.value("artist") });
            metadata.insert(QStringLiteral("xesam:album"), o.value("album"));
            metadata.insert(QStringLiteral("mpris:length"), o.value("length-us").toLongLong());
            if (!o.value("art").isEmpty())
                metadata.insert(QStringLiteral("mpris:artUrl"), o.value("art"));
        }
        QVariantMap properties;
        properties.insert(QStringLiteral("Metadata"), metadata);
        properties.insert(QStringLiteral("PlaybackStatus"), status);
        properties.insert(
            QStringLiteral("Rate"), wrongTypes ? QVariant(QStringLiteral("fast")) : QVariant(1.0));
        properties.insert(QStringLiteral("Position"),
            wrongTypes ? QVariant(QStringLiteral("12")) : QVariant(qlonglong(1500000)));
        for (const char *can :
            { "CanControl", "CanPlay", "CanPause", "CanGoNext", "CanGoPrevious", "CanSeek" })
            properties.insert(QString::fromLatin1(can), true);
        return properties;
    }

    QVariantMap rootProperties() const
    {
        QVariantMap properties;
        properties.insert(
            QStringLiteral("Identity"), wrongTypes ? QVariant(5) : QVariant(o.value("identity")));
        return properties;
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (silent)
            return true; // swallowed: the caller waits for its own deadline
        const QString member = message.member();
        if (message.interface() == kProperties) {
            const QString interface = message.arguments().value(0).toString();
            const QVariantMap properties = interface == kRoot ? rootProperties() : playerProperties();
            note(member + ' '
                + (member == QLatin1String("GetAll") ? interface : message.arguments().value(1).toString()));
            if (member == QLatin1String("GetAll")) {
                connection.send(message.createReply(QVariant(properties)));
                return true;
            }
            if (member == QLatin1String("Get")) {
                const QString name = message.arguments().value(1).toString();
                connection.send(
                    message.createReply(QVariant::fromValue(QDBusVariant(properties.value(name)))));
                return true;
            }
            connection.send(
                message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.NotSupported"), {}));
            return true;
        }
        if (message.interface() == kPlayer) {
            if (member == QLatin1String("PlayPause"))
                status = status == QLatin1String("Playing") ? QStringLiteral("Paused")
                                                            : QStringLiteral("Playing");
            else if (member == QLatin1String("Play"))
                status = QStringLiteral("Playing");
            else if (member == QLatin1String("Pause"))
                status = QStringLiteral("Paused");
            connection.send(message.createReply());
            announce(connection, { { QStringLiteral("PlaybackStatus"), status } });
            return true;
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const std::pair<const char *, const char *> valued[] { { "name", "" }, { "title", "Fake Title" },
        { "artist", "Fake Artist" }, { "album", "Fake Album" }, { "status", "Playing" },
        { "length-us", "200000000" }, { "art", "" }, { "identity", "Fake Player" }, { "log", "" },
        { "title-size", "" } };
    for (const auto &[option, fallback] : valued)
        parser.addOption(QCommandLineOption(option, option, option, fallback));
    for (const char *flag : { "silent", "wrong-types", "announce" })
        parser.addOption(QCommandLineOption(flag, flag));
    parser.process(app);

    Player player(parser);
    if (const qsizetype size = parser.value("title-size").toLongLong(); size > 0 && !player.title.isEmpty()) {
        const QString unit = player.title;
        while (player.title.size() < size)
            player.title += unit;
        player.title.truncate(size);
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(kPath, &player)
        || !bus.registerService(QStringLiteral("org.mpris.MediaPlayer2.") + parser.value("name"))) {
        std::fputs("fake_mpris_player: cannot register on the session bus\n", stderr);
        return 1;
    }
    if (parser.isSet("announce"))
        player.announce(bus,
            { { QStringLiteral("Metadata"), player.playerProperties().value(QStringLiteral("Metadata")) },
                { QStringLiteral("PlaybackStatus"), player.status } });
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
