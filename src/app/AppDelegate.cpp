// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppDelegate.h"

#include "CommandLine.h"
#include "NotchPanel.h"
#include "PanelSettings.h"
#include "QmlFactory.h"
#include "Translations.h"
#include "ai/AIStore.h"
#include "desk/ClipboardStore.h"
#include "desk/NotesStore.h"
#include "desk/TimerStore.h"
#include "media/MediaStore.h"
#include "platform/ActiveScreen.h"
#include "platform/DesktopNotice.h"
#include "platform/FullScreenWatch.h"
#include "platform/GlobalShortcut.h"
#include "platform/KeyValueStore.h"
#include "platform/LayerSurface.h"
#include "platform/Session.h"
#include "platform/ShellExtension.h"
#include "platform/SingleInstance.h"
#include "platform/UnixSignals.h"
#include "shelf/ShelfStore.h"
#include "ui/Symbols.h"

#include <QCursor>
#include <QGuiApplication>
#include <QQuickItem>
#include <QSGRendererInterface>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <utility>

namespace {

const QString kServiceName = QStringLiteral("org.brivane.Brivane");

} // namespace

AppDelegate::AppDelegate(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_sharedNotes(new NotesStore(preferences, this))
    , m_sharedClipboard(new ClipboardStore(preferences, this))
    , m_sharedAI(new AIStore(preferences, this))
    , m_sharedMedia(new MediaStore(this))
    , m_sharedTimer(new TimerStore(this))
    , m_sharedShelf(new ShelfStore(preferences, this))
    , m_panelSettings(new PanelSettings(preferences, this))
    , m_fullScreen(new FullScreenWatch(this))
    , m_shortcut(new GlobalShortcut(QDBusConnection::sessionBus(), this))
    , m_activeScreen(new ActiveScreen(QDBusConnection::sessionBus(), this))
{
    QmlFactory::prepareEngine(&m_engine);
    m_engine.addImageProvider(QStringLiteral("albumart"), m_sharedMedia->createAlbumArtProvider());
}

AppDelegate::~AppDelegate()
{
    // Views go before the stores they observe.
    qDeleteAll(m_panels);
    delete m_mainWindow;
}

void AppDelegate::applicationDidFinishLaunching()
{
    m_notchPanel = new NotchPanel(cardStores(), &m_engine);
    m_panels.append(m_notchPanel);
    if (qEnvironmentVariableIsSet("BRIVANE_REPORT_FIRST_FRAME")) {
        // For bench/shell.sh: the moment the strip is first on screen.
        QObject::connect(
            m_notchPanel, &QQuickWindow::frameSwapped, this,
            [] {
                static bool once = false;
                if (!std::exchange(once, true)) {
                    std::fputs("first-frame\n", stdout);
                    std::fflush(stdout);
                }
            },
            Qt::DirectConnection);
    }
    // The symbol font (and with it the font database) is first needed when
    // the card opens; load it once the strip is on screen, not before.
    QObject::connect(
        m_notchPanel, &QQuickWindow::frameSwapped, this, [] { Symbols::loadFont(); },
        Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    setUpPanel(m_notchPanel);
    m_notchPanel->showCollapsed();
    connectShellExtension();
    applyPanelSettings();
}

void AppDelegate::applyPanelSettings()
{
    PanelSettings *settings = m_panelSettings;
    const auto timing = [this] {
        for (NotchPanel *panel : std::as_const(m_panels)) {
            panel->setOpenDelay(m_panelSettings->openDelay());
            panel->setCloseGrace(m_panelSettings->closeGrace());
        }
    };
    connect(settings, &PanelSettings::openDelayChanged, this, timing);
    connect(settings, &PanelSettings::closeGraceChanged, this, timing);
    timing();

    connect(
        m_fullScreen, &FullScreenWatch::fullScreenAreaChanged, this, &AppDelegate::suppressUnderFullScreen);
    const auto follow = [this] {
        // X11 watches the active window; a layer surface goes under
        // full-screen windows by its layer.
        m_fullScreen->setEnabled(m_panelSettings->hideOverFullScreen());
        for (NotchPanel *panel : std::as_const(m_panels))
            LayerSurface::setBelowFullScreen(panel, m_panelSettings->hideOverFullScreen());
        suppressUnderFullScreen();
    };
    connect(settings, &PanelSettings::hideOverFullScreenChanged, this, follow);
    follow();

    // The strip shows a count the card no longer does: it goes on.
    const auto activity = [this] { m_sharedTimer->setKeepsRunning(m_panelSettings->showActivity()); };
    connect(settings, &PanelSettings::showActivityChanged, this, activity);
    activity();

    // Monitors come and go while Brivane runs; the strips follow, once the
    // change has settled.
    connect(settings, &PanelSettings::monitorChanged, this, &AppDelegate::placePanels);
    for (auto signal : { &QGuiApplication::screenAdded, &QGuiApplication::screenRemoved,
             &QGuiApplication::primaryScreenChanged }) {
        connect(qGuiApp, signal, this, &AppDelegate::placePanels, Qt::QueuedConnection);
    }
    placePanels();

    connect(m_shortcut, &GlobalShortcut::activated, this, &AppDelegate::toggleCard);
    m_activeScreen->setSource(Session::current().activeScreenSource());
    connect(m_activeScreen, &ActiveScreen::answered, this, [this](const QString &name) {
        // Without an answer, the pointer, asked only now.
        QScreen *screen = name.isEmpty() ? QGuiApplication::screenAt(QCursor::pos()) : nullptr;
        for (QScreen *s : QGuiApplication::screens()) {
            if (!name.isEmpty() && s->name() == name)
                screen = s;
        }
        openCardOn(screen);
    });
    const auto shortcut = [this] { m_shortcut->setShortcut(m_panelSettings->shortcutSequence()); };
    connect(settings, &PanelSettings::shortcutChanged, this, shortcut);
    connect(m_shortcut, &GlobalShortcut::stateChanged, this, [this] {
        const bool gnome = Session::current().desktop() == Session::Desktop::Gnome;
        QString status;
        if (m_shortcut->state() == GlobalShortcut::State::Taken)
            status = tr("Taken by another program");
        else if (m_shortcut->state() == GlobalShortcut::State::Unavailable && gnome)
            status = tr("Turn on the GNOME Shell extension to use it.");
        else if (m_shortcut->state() == GlobalShortcut::State::Unavailable)
            status
                = tr("This desktop lends its keys to no program: bind brivane --toggle in its own settings.");
        m_panelSettings->setShortcutStatus(status);
    });
    chooseShortcutBackend();
    shortcut();

    // The player is chosen in the settings window and on the Now tab alike;
    // both setters ignore what they already hold, so this cannot loop.
    MediaStore *media = m_sharedMedia;
    const auto prefer = [media, settings] { media->setPreferredPlayer(settings->player()); };
    connect(settings, &PanelSettings::playerChanged, media, prefer);
    connect(media, &MediaStore::preferredPlayerChanged, settings,
        [media, settings] { settings->setPlayer(media->preferredPlayer()); });
    prefer();
}

void AppDelegate::chooseShortcutBackend()
{
    const bool shell = m_shellExtension && m_shellExtension->state() == ShellExtension::State::Enabled;
    m_shortcut->setBackend(Session::current().shortcutBackend(shell));
}

void AppDelegate::suppressUnderFullScreen()
{
    // The strip gives way to a full-screen window on its own monitor only.
    const QRect area = m_fullScreen->fullScreenArea();
    for (NotchPanel *panel : std::as_const(m_panels)) {
        QScreen *screen = panel->screen();
        panel->setSuppressed(m_fullScreen->isEnabled() && area.isValid() && screen
            && screen->geometry().contains(area.center()));
    }
}

void AppDelegate::setUpPanel(NotchPanel *panel)
{
    LayerSurface::setBelowFullScreen(panel, m_panelSettings->hideOverFullScreen());
    panel->setOpenDelay(m_panelSettings->openDelay());
    panel->setCloseGrace(m_panelSettings->closeGrace());
    // One card at a time: opening one closes any other.
    connect(panel, &NotchPanel::isExpandedChanged, this, [this, panel] {
        if (!panel->isExpanded())
            return;
        for (NotchPanel *other : std::as_const(m_panels)) {
            if (other != panel)
                other->collapse();
        }
    });
}

void AppDelegate::placePanels()
{
    if (!m_notchPanel)
        return;
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    QStringList present;
    for (QScreen *screen : screens)
        present.append(screen->name());
    const QStringList wanted
        = PanelSettings::monitorsToShow(m_panelSettings->monitor(), present, primary->name());
    const auto screenNamed = [&screens, primary](const QString &name) {
        for (QScreen *screen : screens) {
            if (screen->name() == name)
                return screen;
        }
        return primary;
    };
    // The first strip follows the primary monitor by itself where that is
    // the one wanted, so a new primary moves it at once.
    QScreen *first = screenNamed(wanted.constFirst());
    m_notchPanel->pinToScreen(first == primary ? nullptr : first);
    while (m_panels.size() > wanted.size())
        delete m_panels.takeLast();
    for (qsizetype i = 1; i < wanted.size(); ++i) {
        if (i == m_panels.size()) {
            auto *panel = new NotchPanel(cardStores(), &m_engine);
            setUpPanel(panel);
            m_panels.append(panel);
            panel->pinToScreen(screenNamed(wanted.at(i)));
            panel->showCollapsed();
        } else {
            m_panels.at(i)->pinToScreen(screenNamed(wanted.at(i)));
        }
    }
    suppressUnderFullScreen();
}

QVariantMap AppDelegate::cardStores() const
{
    return { { QStringLiteral("notes"), QVariant::fromValue(m_sharedNotes) },
        { QStringLiteral("clipboard"), QVariant::fromValue(m_sharedClipboard) },
        { QStringLiteral("ai"), QVariant::fromValue(m_sharedAI) },
        { QStringLiteral("media"), QVariant::fromValue(m_sharedMedia) },
        { QStringLiteral("timer"), QVariant::fromValue(m_sharedTimer) },
        { QStringLiteral("settings"), QVariant::fromValue(m_panelSettings) },
        { QStringLiteral("shelf"), QVariant::fromValue(m_sharedShelf) } };
}

bool AppDelegate::collapseOpenCard()
{
    for (NotchPanel *panel : std::as_const(m_panels)) {
        if (panel->isExpanded()) {
            panel->toggle();
            return true;
        }
    }
    return false;
}

void AppDelegate::toggleCard()
{
    if (collapseOpenCard() || m_panels.isEmpty())
        return;
    // The card opens on the screen the user works on; on Wayland only the
    // compositor knows it, and answers soon.
    m_activeScreen->ask();
}

void AppDelegate::openCardOn(QScreen *screen)
{
    if (collapseOpenCard() || m_panels.isEmpty())
        return;
    NotchPanel *target = m_panels.constFirst();
    for (NotchPanel *panel : std::as_const(m_panels)) {
        if (panel->screen() == screen)
            target = panel;
    }
    target->toggle();
}

void AppDelegate::setShellExtension(ShellExtension *extension)
{
    m_shellExtension = extension;
    connectShellExtension();
}

void AppDelegate::connectShellExtension()
{
    if (!m_shellExtension || !m_notchPanel)
        return;
    NotchPanel *panel = m_notchPanel;
    ShellExtension *extension = m_shellExtension;
    // Under the shell the card is an X11 window (XWayland on Wayland).
    if (Session::current().x11())
        extension->setCardWindow(uint(panel->winId()));
    connect(extension, &ShellExtension::expandRequested, panel, &NotchPanel::expand);
    connect(extension, &ShellExtension::collapseRequested, panel, &NotchPanel::collapse);
    connect(panel, &NotchPanel::isExpandedChanged, extension,
        [panel, extension] { extension->setExpanded(panel->isExpanded()); });
    // Says which way the card opens once the shell has answered, and again
    // whenever that changes (the extension switched on or off meanwhile).
    connect(extension, &ShellExtension::toggleRequested, this, &AppDelegate::toggleCard);
    connect(extension, &ShellExtension::toggleRequestedAt, this,
        [this](const QPoint &point) { openCardOn(QGuiApplication::screenAt(point)); });
    connect(m_shortcut, &GlobalShortcut::acceleratorChanged, extension, &ShellExtension::setAccelerator);
    connect(extension, &ShellExtension::shortcutGrabbed, m_shortcut, &GlobalShortcut::setShellResult);
    connect(extension, &ShellExtension::stateChanged, panel, [this, panel, extension] {
        panel->setShellTracksPointer(extension->state() == ShellExtension::State::Enabled);
        chooseShortcutBackend();
        const QString line = extension->pathReport();
        if (!line.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(line));
        noticeExtensionOnce();
    });
}

void AppDelegate::noticeExtensionOnce()
{
    // A first start on GNOME comes before the extension is on: the user is
    // told once, in the shell's own notifications, how to finish.
    static const QString shownKey = QStringLiteral("brivane_extension_notice_shown");
    const ShellExtension::State state = m_shellExtension->state();
    if (state != ShellExtension::State::Disabled && state != ShellExtension::State::NotInstalled)
        return;
    if (m_preferences.contains(shownKey))
        return;
    m_preferences.setString(shownKey, QStringLiteral("1"));
    DesktopNotice::send(QDBusConnection::sessionBus(), tr("Finish setting up Brivane"),
        tr("Turn on Brivane's extension in GNOME's Extensions app, or with \"Turn On\" in Brivane's settings "
           "window, then log out and in again: the centre of the top bar will then open the card."));
}

SettingsWindow *AppDelegate::mainWindow()
{
    if (m_mainWindow || !m_notchPanel)
        return m_mainWindow;
    QQuickItem *settings = QmlFactory::createItem(&m_engine, QStringLiteral("SettingsView"),
        { { QStringLiteral("notes"), QVariant::fromValue(m_sharedNotes) },
            { QStringLiteral("ai"), QVariant::fromValue(m_sharedAI) },
            { QStringLiteral("panelSettings"), QVariant::fromValue(m_panelSettings) },
            { QStringLiteral("media"), QVariant::fromValue(m_sharedMedia) },
            { QStringLiteral("shellExtension"), QVariant::fromValue(m_shellExtension.data()) } });
    m_mainWindow = new SettingsWindow(settings);
    if (settings)
        m_mainWindow->setColor(settings->property("windowColor").value<QColor>());
    if (QScreen *screen = QGuiApplication::primaryScreen())
        m_mainWindow->centreOn(screen->availableGeometry());
    return m_mainWindow;
}

bool AppDelegate::hasVisibleWindows() const
{
    return m_mainWindow && m_mainWindow->isVisible() && m_mainWindow->visibility() != QWindow::Minimized;
}

bool AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    // Launched again while the window is open, perhaps behind others.
    if (hasVisibleWindows) {
        if (m_mainWindow)
            m_mainWindow->bringToFront();
        return true;
    }
    if (SettingsWindow *window = mainWindow())
        window->reopen();
    return true;
}

void AppDelegate::configureRendering()
{
    // The software scene graph draws this small, mostly idle UI with a
    // fraction of the memory of a GL context (see bench/). An explicit
    // QT_QUICK_BACKEND or QSG_RHI_BACKEND still wins.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QQuickWindow::setDefaultAlphaBuffer(true);
}

int AppDelegate::runApplication(int argc, char *argv[])
{
    // Before the single-instance claim: --help and --version only print.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Action action = CommandLine::parse(arguments);
    if (const int status = CommandLine::respond(action); status >= 0)
        return status;

    const bool explicitPlatform = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!explicitPlatform && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Brivane needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.\n",
            stderr);
        return 2;
    }
    const QByteArray why
        = explicitPlatform ? QByteArray("QT_QPA_PLATFORM is set") : Session::choosePlatform();

    configureRendering();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("brivane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brivane.Brivane"));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // `--toggle` opens or closes the card of the running instance, for
    // desktops where users bind their own keys (sway, Hyprland).
    const bool toggle = action == CommandLine::Action::Toggle;
    SingleInstance instance(kServiceName);
    if (!instance.claim()) {
        // Launching again is the reopen request: hand it over and leave.
        const auto leave = [](bool delivered) { QCoreApplication::exit(delivered ? 0 : 1); };
        if (toggle)
            instance.activatePrimaryAction(QStringLiteral("toggle"), leave);
        else
            instance.activatePrimary(leave);
        return app.exec();
    }
    std::fprintf(stderr, "%s\n", Session::current().startLine(why).constData());
    UnixSignals::quitOnTermination();
    // Before any view exists, so every text is looked up in the catalogue.
    Translations::install(&app);

    KeyValueStore preferences(KeyValueStore::defaultFilePath());
    AppDelegate delegate(preferences);
    ShellExtension shellExtension(QDBusConnection::sessionBus());
    if (instance.usesSessionBus()) {
        delegate.setShellExtension(&shellExtension);
        shellExtension.start();
    }
    QObject::connect(&instance, &SingleInstance::activateRequested, &delegate,
        [&delegate] { delegate.applicationShouldHandleReopen(delegate.hasVisibleWindows()); });
    QObject::connect(
        &instance, &SingleInstance::actionRequested, &delegate, [&delegate](const QString &name) {
            if (name == QLatin1String("toggle"))
                delegate.toggleCard();
        });
    QTimer::singleShot(0, &delegate, [&delegate, toggle] {
        delegate.applicationDidFinishLaunching();
        if (toggle)
            delegate.toggleCard();
    });

    const int status = app.exec();
    preferences.flush();
    return status;
}
