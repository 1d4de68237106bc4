// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MprisNowPlaying.h"

#include "ui/Text.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QMetaObject>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Players wrap values in variants, sometimes twice; look through them.
QVariant unwrap(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

QString stringValue(const QVariant &raw)
{
    const QVariant value = unwrap(raw);
    return value.metaType() == QMetaType::fromType<QString>() ? value.toString() : QString();
}

// Any numeric type counts; anything else (strings, booleans, lists) does not.
std::optional<double> numberValue(const QVariant &raw)
{
    const QVariant value = unwrap(raw);
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (std::isfinite(number))
            return number;
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

// An a{sv} inside a variant, or empty when it is anything else.
QVariantMap mapValue(const QVariant &raw)
{
    const QVariant value = unwrap(raw);
    if (value.metaType() == QMetaType::fromType<QVariantMap>())
        return value.toMap();
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return {};
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}"))
        return {};
    QVariantMap map;
    argument >> map;
    return map;
}

QString artistValue(const QVariant &raw)
{
    const QVariant value = unwrap(raw);
    if (value.metaType() == QMetaType::fromType<QStringList>())
        return value.toStringList().join(QStringLiteral(", "));
    // Some players send a single string instead of a list.
    return stringValue(value);
}

// The errors that mean the player is no longer there to answer.
bool isGone(const QDBusMessage &reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage)
        return false;
    static const QStringList gone { QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
        QStringLiteral("org.freedesktop.DBus.Error.Timeout"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject") };
    return reply.type() != QDBusMessage::ErrorMessage || gone.contains(reply.errorName());
}

// A property as kept between polls: the metadata is read out of its wire
// form once, not again at every poll (a large title makes that costly).
QVariant kept(const QString &name, const QVariant &value)
{
    if (name != QLatin1String("Metadata"))
        return value;
    return mapValue(value);
}

int statusRank(const QString &status)
{
    if (status == QLatin1String("Playing"))
        return 0;
    if (status == QLatin1String("Paused"))
        return 1;
    return 2;
}

} // namespace

struct MprisNowPlaying::Query
{
    Answer done;
    QHash<QString, PlayerState> players; // by bus name
    QHash<QString, QVariantMap> properties;
    QHash<QString, QVariant> identities;
    QTimer *deadline = nullptr;
    int outstanding = 0;
    bool finished = false;
};

MprisNowPlaying::MprisNowPlaying(QObject *parent)
    : MprisNowPlaying(QDBusConnection::sessionBus(), parent)
{
}

MprisNowPlaying::MprisNowPlaying(const QDBusConnection &bus, QObject *parent)
    : NowPlayingService(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    // Any sender: players emit from their unique names.
    m_bus.connect(QString(), kPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
        SLOT(onPropertiesChanged(QDBusMessage)));
    m_bus.connect(
        QString(), kPath, kPlayerInterface, QStringLiteral("Seeked"), this, SLOT(onSeeked(QDBusMessage)));
    m_bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), this,
        SLOT(onNameOwnerChanged(QString, QString, QString)));
}

void MprisNowPlaying::noteActivity(const QString &owner)
{
    if (!owner.isEmpty())
        m_activity.insert(owner, ++m_activityClock);
}

void MprisNowPlaying::onPropertiesChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || arguments.at(0).toString() != kPlayerInterface)
        return;
    noteActivity(message.service());
    const QVariantMap changed = mapValue(arguments.at(1));
    QStringList invalidated;
    if (arguments.size() > 2)
        invalidated = unwrap(arguments.at(2)).toStringList();
    Known &known = m_known[message.service()];
    known.announces = true;
    for (auto it = changed.begin(); it != changed.end(); ++it)
        known.properties.insert(it.key(), kept(it.key(), it.value()));
    // An invalidated property has no value here; the next poll reads all.
    if (!invalidated.isEmpty())
        known.complete = false;
    for (const QString &key : { QStringLiteral("Metadata"), QStringLiteral("PlaybackStatus") }) {
        if (changed.contains(key) || invalidated.contains(key)) {
            Q_EMIT playersChanged();
            return;
        }
    }
}

void MprisNowPlaying::onSeeked(const QDBusMessage &message)
{
    noteActivity(message.service());
    // A paused player moved is not polled: its new position must be read.
    Q_EMIT playersChanged();
}

void MprisNowPlaying::onNameOwnerChanged(
    const QString &name, const QString &oldOwner, const QString &newOwner)
{
    // A connection that closed takes what it said with it, named or not.
    if (name.startsWith(QLatin1Char(':')) && newOwner.isEmpty()) {
        forgetOwner(name);
        return;
    }
    if (!name.startsWith(kPrefix))
        return;
    if (newOwner.isEmpty())
        m_names.remove(name);
    else
        m_names.insert(name);
    if (!oldOwner.isEmpty())
        forgetOwner(oldOwner);
    m_owners.remove(name);
    noteActivity(newOwner);
    Q_EMIT playersChanged();
}

void MprisNowPlaying::forgetOwner(const QString &owner)
{
    m_activity.remove(owner);
    m_known.remove(owner);
    for (auto it = m_owners.begin(); it != m_owners.end();) {
        if (it.value() == owner)
            it = m_owners.erase(it);
        else
            ++it;
    }
}

void MprisNowPlaying::query(Answer done)
{
    auto query = std::make_shared<Query>();
    query->done = std::move(done);
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(
            this, [this, query] { finish(query); }, Qt::QueuedConnection);
        return;
    }
    // One deadline for the whole query; late replies are dropped.
    query->deadline = new QTimer(this);
    query->deadline->setSingleShot(true);
    connect(query->deadline, &QTimer::timeout, this, [this, query] { finish(query); });
    query->deadline->start(kDeadlineMs);

    const QDBusMessage list = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("ListNames"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(list, kDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, query, watcher] {
        watcher->deleteLater();
        if (query->finished)
            return;
        const QDBusMessage reply = watcher->reply();
        QStringList names;
        const bool listed = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
        if (listed)
            names = unwrap(reply.arguments().constFirst()).toStringList();
        // The bus orders this reply before any later NameOwnerChanged, so
        // the signals keep the list true from here on.
        m_namesListed = listed;
        m_names.clear();
        for (const QString &name : std::as_const(names)) {
            if (name.startsWith(kPrefix) && name.size() > kPrefix.size()) {
                m_names.insert(name);
                askPlayer(query, name);
            }
        }
        if (query->outstanding == 0)
            finish(query);
    });
}

bool MprisNowPlaying::quiet() const
{
    if (!m_namesListed || !m_bus.isConnected())
        return false;
    for (const QString &name : m_names) {
        const auto known = m_known.constFind(m_owners.value(name));
        if (known == m_known.cend() || !known->complete || !known->announces)
            return false;
        if (stringValue(known->properties.value(QStringLiteral("PlaybackStatus")))
            == QLatin1String("Playing"))
            return false;
    }
    return true;
}

void MprisNowPlaying::askPlayer(const std::shared_ptr<Query> &query, const QString &busName)
{
    PlayerState &state = query->players[busName];
    state.busName = busName;

    const QString owner = m_owners.value(busName);
    const auto known = m_known.constFind(owner);
    if (!owner.isEmpty() && known != m_known.cend() && known->complete && known->announces) {
        askPosition(query, busName, owner);
        return;
    }

    QDBusMessage getAll
        = QDBusMessage::createMethodCall(busName, kPath, kPropertiesInterface, QStringLiteral("GetAll"));
    getAll << kPlayerInterface;
    QDBusMessage identity
        = QDBusMessage::createMethodCall(busName, kPath, kPropertiesInterface, QStringLiteral("Get"));
    identity << kRootInterface << QStringLiteral("Identity");

    // Which connection answers: signals name it, and a reply does not say
    // on every Qt (from 6.8 a reply's service() is empty).
    QDBusMessage nameOwner = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("GetNameOwner"));
    nameOwner << busName;

    query->outstanding += 3;
    auto *ownerWatch = new QDBusPendingCallWatcher(m_bus.asyncCall(nameOwner, kDeadlineMs), this);
    connect(ownerWatch, &QDBusPendingCallWatcher::finished, this, [this, query, ownerWatch, busName] {
        ownerWatch->deleteLater();
        if (query->finished)
            return;
        const QDBusMessage reply = ownerWatch->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            query->players[busName].owner = reply.arguments().constFirst().toString();
            rememberFullRead(query, busName);
        }
        if (--query->outstanding == 0)
            finish(query);
    });
    auto *players = new QDBusPendingCallWatcher(m_bus.asyncCall(getAll, kDeadlineMs), this);
    connect(players, &QDBusPendingCallWatcher::finished, this, [this, query, players, busName] {
        players->deleteLater();
        if (query->finished)
            return;
        const QDBusMessage reply = players->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            PlayerState &state = query->players[busName];
            state.answered = true;
            state.readInFull = true;
            QVariantMap properties = mapValue(reply.arguments().constFirst());
            properties.insert(QStringLiteral("Metadata"),
                kept(QStringLiteral("Metadata"), properties.value(QStringLiteral("Metadata"))));
            query->properties.insert(busName, properties);
            rememberFullRead(query, busName);
        }
        if (--query->outstanding == 0)
            finish(query);
    });
    auto *name = new QDBusPendingCallWatcher(m_bus.asyncCall(identity, kDeadlineMs), this);
    connect(name, &QDBusPendingCallWatcher::finished, this, [this, query, name, busName] {
        name->deleteLater();
        if (query->finished)
            return;
        const QDBusMessage reply = name->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            query->identities.insert(busName, reply.arguments().constFirst());
            rememberFullRead(query, busName);
        }
        if (--query->outstanding == 0)
            finish(query);
    });
}

void MprisNowPlaying::rememberFullRead(const std::shared_ptr<Query> &query, const QString &busName)
{
    const PlayerState &state = query->players[busName];
    if (!state.readInFull || state.owner.isEmpty())
        return;
    m_owners.insert(busName, state.owner);
    Known &known = m_known[state.owner];
    known.properties = query->properties.value(busName);
    known.complete = true;
    const auto identity = query->identities.constFind(busName);
    if (identity != query->identities.cend())
        known.identity = *identity;
}

void MprisNowPlaying::askPosition(
    const std::shared_ptr<Query> &query, const QString &busName, const QString &owner)
{
    QDBusMessage get
        = QDBusMessage::createMethodCall(owner, kPath, kPropertiesInterface, QStringLiteral("Get"));
    get << kPlayerInterface << QStringLiteral("Position");
    ++query->outstanding;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, kDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, query, watcher, busName, owner] {
        watcher->deleteLater();
        if (query->finished)
            return;
        const QDBusMessage reply = watcher->reply();
        const auto known = m_known.constFind(owner);
        // A player that went meanwhile does not answer, as with a full read;
        // one that only will not tell its position is shown without it.
        if (known != m_known.cend() && !isGone(reply)) {
            PlayerState &state = query->players[busName];
            state.answered = true;
            state.owner = owner;
            QVariantMap properties = known->properties;
            if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                properties.insert(QStringLiteral("Position"), reply.arguments().constFirst());
            else
                properties.remove(QStringLiteral("Position"));
            query->properties.insert(busName, properties);
            query->identities.insert(busName, known->identity);
        }
        if (--query->outstanding == 0)
            finish(query);
    });
}

void MprisNowPlaying::finish(const std::shared_ptr<Query> &query)
{
    if (query->finished)
        return;
    query->finished = true;
    if (query->deadline) {
        query->deadline->stop();
        query->deadline->deleteLater();
        query->deadline = nullptr;
    }
    QList<PlayerState> players;
    for (auto it = query->players.begin(); it != query->players.end(); ++it) {
        PlayerState state = it.value();
        if (!state.answered)
            continue;
        const QVariantMap properties = query->properties.value(state.busName);
        state.status = stringValue(properties.value(QStringLiteral("PlaybackStatus")));
        state.track = trackFrom(properties, query->identities.value(state.busName), state.busName);
        state.activity = m_activity.value(state.owner);
        players << state;
    }
    QStringList identities;
    for (const PlayerState &player : std::as_const(players)) {
        const QString identity = listedIdentity(player.track.displayName);
        if (!identity.isEmpty())
            identities << identity;
    }
    identities.sort();
    identities.removeDuplicates();
    Q_EMIT playersListed(identities);
    const Answer done = std::move(query->done);
    if (done)
        done(choose(players, preferredIdentity()));
}

QString MprisNowPlaying::listedIdentity(const QString &identity)
{
    QString line = Text::bounded(identity, 4 * kMaxIdentityLength);
    for (QChar &c : line) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return Text::bounded(line.simplified(), kMaxIdentityLength);
}

NowPlayingTrack MprisNowPlaying::trackFrom(
    const QVariantMap &properties, const QVariant &identity, const QString &busName)
{
    const QVariantMap metadata = mapValue(properties.value(QStringLiteral("Metadata")));
    NowPlayingTrack track;
    track.title = stringValue(metadata.value(QStringLiteral("xesam:title")));
    track.artist = artistValue(metadata.value(QStringLiteral("xesam:artist")));
    track.album = stringValue(metadata.value(QStringLiteral("xesam:album")));
    track.displayName = stringValue(identity);
    track.duration = numberValue(metadata.value(QStringLiteral("mpris:length"))).value_or(0) / 1e6;
    track.elapsed = numberValue(properties.value(QStringLiteral("Position"))).value_or(0) / 1e6;
    if (stringValue(properties.value(QStringLiteral("PlaybackStatus"))) == QLatin1String("Playing")) {
        // Rate is mandatory; a player that leaves it out still says it plays.
        track.rate = numberValue(properties.value(QStringLiteral("Rate"))).value_or(1.0);
    }
    track.busName = busName;
    track.artUrl = stringValue(metadata.value(QStringLiteral("mpris:artUrl")));
    return track;
}

std::optional<NowPlayingTrack> MprisNowPlaying::choose(
    const QList<PlayerState> &players, const QString &preferred)
{
    const auto isPreferred = [&preferred](const PlayerState &player) {
        return !player.track.title.isEmpty() && listedIdentity(player.track.displayName) == preferred;
    };
    // Two instances of the chosen player are ranked as usual between them.
    const bool preferredHere
        = !preferred.isEmpty() && std::any_of(players.begin(), players.end(), isPreferred);
    const PlayerState *best = nullptr;
    for (const PlayerState &player : players) {
        if (player.track.title.isEmpty() || (preferredHere && !isPreferred(player)))
            continue;
        if (!best) {
            best = &player;
            continue;
        }
        const int rank = statusRank(player.status);
        const int bestRank = statusRank(best->status);
        if (rank != bestRank) {
            if (rank < bestRank)
                best = &player;
            continue;
        }
        if (player.activity != best->activity) {
            if (player.activity > best->activity)
                best = &player;
            continue;
        }
        if (player.busName < best->busName)
            best = &player;
    }
    if (!best)
        return std::nullopt;
    return best->track;
}

void MprisNowPlaying::send(const QString &busName, Command command, std::function<void()> done)
{
    QString method;
    switch (command) {
    case Command::PlayPause:
        method = QStringLiteral("PlayPause");
        break;
    case Command::Next:
        method = QStringLiteral("Next");
        break;
    case Command::Previous:
        method = QStringLiteral("Previous");
        break;
    }
    if (!m_bus.isConnected() || busName.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [done] {
                if (done)
                    done();
            },
            Qt::QueuedConnection);
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(busName, kPath, kPlayerInterface, method);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done] {
        watcher->deleteLater();
        if (done)
            done();
    });
}
