#include "AppDelegate.h"

#include "NotchPanel.h"
#include "PanelSettings.h"
#include "QmlFactory.h"
#include "ai/AIStore.h"
#include "app/Symbols.h"
#include "desk/ClipboardStore.h"
#include "desk/NotesStore.h"
#include "media/MediaStore.h"
#include "platform/FullScreenWatch.h"
#include "platform/KeyValueStore.h"
#include "platform/ShellExtension.h"
#include "platform/SingleInstance.h"
#include "platform/UnixSignals.h"
#include "platform/WaylandProbe.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QSGRendererInterface>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <utility>

namespace {

const QString kServiceName = QStringLiteral("org.brivane.Brivane");

const QByteArray kLayerShellOffered("the compositor has the layer shell");

// Chooses how the strip reaches the screen, before Qt connects: a layer
// surface where the Wayland compositor has the layer shell and Brivane's
// plugin for it is there, else an X11 window (XWayland on Wayland). Returns
// why, for the line said at start.
QByteArray choosePlatform()
{
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (wayland) {
        const QString plugins = WaylandProbe::pluginDirectory();
        if (!plugins.isEmpty() && WaylandProbe::advertises("zwlr_layer_shell_v1")) {
            // X11 stays behind it, should Qt's Wayland platform fail to load.
            qputenv("QT_QPA_PLATFORM", x11 ? "wayland;xcb" : "wayland");
            qputenv("QT_WAYLAND_SHELL_INTEGRATION", "brivane-layer-shell");
            QCoreApplication::addLibraryPath(plugins);
            return kLayerShellOffered;
        }
        if (!x11)
            return "there is no XWayland to fall back to";
        qputenv("QT_QPA_PLATFORM", "xcb");
        return plugins.isEmpty() ? "Brivane's layer-shell plugin is not installed"
                                 : "the compositor offers no zwlr_layer_shell_v1";
    }
    // The panel relies on window masks and global pointer crossing, which
    // the X11 backend provides.
    if (x11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    return QByteArray();
}

// Says once which way the strip reaches the screen, so a report from any
// desktop tells it.
void reportWindowPath(const QByteArray &why)
{
    const QString platform = QGuiApplication::platformName();
    QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
    if (desktop.isEmpty())
        desktop = "this";
    const QByteArray reason = platform == QLatin1String("xcb") && why == kLayerShellOffered
        ? QByteArray("Qt's Wayland platform did not start")
        : why;
    const QByteArray because = reason.isEmpty() ? QByteArray() : " (" + reason + ')';
    QByteArray line;
    if (platform == QLatin1String("xcb") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        line = "Brivane: the strip is an X11 window through XWayland on " + desktop
            + " Wayland session; the compositor places it and follows the pointer for it" + because + '.';
    else if (platform == QLatin1String("xcb"))
        line = "Brivane: the strip is an X11 window under the window manager of " + desktop + '.';
    else if (platform == QLatin1String("wayland")
        && qgetenv("QT_WAYLAND_SHELL_INTEGRATION") == "brivane-layer-shell")
        line = "Brivane: the strip is a layer surface over the top edge of " + desktop + " Wayland session"
            + because + '.';
    else
        line = "Brivane: the strip is a window of the " + platform.toUtf8() + " platform" + because + '.';
    std::fprintf(stderr, "%s\n", line.constData());
}

} // namespace

AppDelegate::AppDelegate(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_sharedNotes(new NotesStore(preferences, this))
    , m_sharedClipboard(new ClipboardStore(preferences, this))
    , m_sharedAI(new AIStore(preferences, this))
    , m_sharedMedia(new MediaStore(this))
    , m_panelSettings(new PanelSettings(preferences, this))
    , m_fullScreen(new FullScreenWatch(this))
{
    QmlFactory::prepareEngine(&m_engine);
    m_engine.addImageProvider(QStringLiteral("albumart"), m_sharedMedia->createAlbumArtProvider());
}

AppDelegate::~AppDelegate()
{
    // Views go before the stores they observe.
    delete m_notchPanel;
    delete m_mainWindow;
}

void AppDelegate::applicationDidFinishLaunching()
{
    m_notchPanel = new NotchPanel(m_sharedNotes, m_sharedClipboard, m_sharedAI, m_sharedMedia, &m_engine);
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
    m_notchPanel->showCollapsed();
    connectShellExtension();
    applyPanelSettings();
}

void AppDelegate::applyPanelSettings()
{
    NotchPanel *panel = m_notchPanel;
    PanelSettings *settings = m_panelSettings;
    FullScreenWatch *watch = m_fullScreen;
    const auto timing = [panel, settings] {
        panel->setOpenDelay(settings->openDelay());
        panel->setCloseGrace(settings->closeGrace());
    };
    connect(settings, &PanelSettings::openDelayChanged, panel, timing);
    connect(settings, &PanelSettings::closeGraceChanged, panel, timing);
    timing();
    // The strip gives way to a full-screen window on its own monitor only.
    const auto suppress = [panel, watch] {
        const QRect area = watch->fullScreenArea();
        QScreen *screen = panel->screen();
        panel->setSuppressed(
            watch->isEnabled() && area.isValid() && screen && screen->geometry().contains(area.center()));
    };
    connect(watch, &FullScreenWatch::fullScreenAreaChanged, panel, suppress);
    const auto follow = [watch, settings, suppress] {
        watch->setEnabled(settings->hideOverFullScreen());
        suppress();
    };
    connect(settings, &PanelSettings::hideOverFullScreenChanged, panel, follow);
    follow();
    // The player is chosen in the settings window and on the Now tab alike;
    // both setters ignore what they already hold, so this cannot loop.
    MediaStore *media = m_sharedMedia;
    const auto prefer = [media, settings] { media->setPreferredPlayer(settings->player()); };
    connect(settings, &PanelSettings::playerChanged, media, prefer);
    connect(media, &MediaStore::preferredPlayerChanged, settings,
        [media, settings] { settings->setPlayer(media->preferredPlayer()); });
    prefer();
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
    connect(extension, &ShellExtension::expandRequested, panel, &NotchPanel::expand);
    connect(extension, &ShellExtension::collapseRequested, panel, &NotchPanel::collapse);
    connect(panel, &NotchPanel::isExpandedChanged, extension,
        [panel, extension] { extension->setExpanded(panel->isExpanded()); });
    // Says which way the card opens once the shell has answered, and again
    // whenever that changes (the extension switched on or off meanwhile).
    connect(extension, &ShellExtension::stateChanged, panel, [panel, extension] {
        panel->setShellTracksPointer(extension->state() == ShellExtension::State::Enabled);
        const QString line = extension->pathReport();
        if (!line.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(line));
    });
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
    const bool explicitPlatform = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!explicitPlatform && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Brivane needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.\n",
            stderr);
        return 2;
    }
    const QByteArray why = explicitPlatform ? QByteArray("QT_QPA_PLATFORM is set") : choosePlatform();

    configureRendering();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("brivane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.brivane.Brivane"));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    // `--toggle` opens or closes the card of the running instance, for
    // desktops where users bind their own keys (sway, Hyprland).
    const bool toggle = QCoreApplication::arguments().contains(QStringLiteral("--toggle"));
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
    reportWindowPath(why);
    UnixSignals::quitOnTermination();

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
            if (name == QLatin1String("toggle") && delegate.notchPanel())
                delegate.notchPanel()->toggle();
        });
    QTimer::singleShot(0, &delegate, [&delegate, toggle] {
        delegate.applicationDidFinishLaunching();
        if (toggle)
            delegate.notchPanel()->toggle();
    });

    const int status = app.exec();
    preferences.flush();
    return status;
}
