// The windowed program: splash window, every window once, the event loop.
#include <QApplication>
#include <QDir>
#include <QIcon>

#include "app/forms/helpwindow.h"
#include "app/forms/programwindows.h"
#include "app/forms/splashform.h"
#include "app/forms/systemform.h"
#include "app/forms/translations.h"
#include "app/forms/uiports.h"
#include "app/programdirectory.h"

namespace {

// Where the default files live: the registered or given directory, else for an installed
// program the user's own directory, filled from the installed week on first start.
std::string DefaultFilesDirectory() {
    if (std::string directory = velmora::ProgramDirectory(); !directory.empty())
        return directory;
    const QString installedWeek =
        QDir(QCoreApplication::applicationDirPath()).filePath(VELMORA_INSTALLED_WEEK);
    if (QDir(installedWeek).exists())
        return velmora::UserProgramDirectory(QDir::cleanPath(installedWeek).toStdString());
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("VELMORA");
    app.setApplicationDisplayName("VELMORA");
    if (!velmora::LoadToolkitTranslations(app))
        qWarning(
            "Die deutschen Texte der Standarddialoge fehlen (Paket qt6-translations-l10n); "
            "sie erscheinen englisch.");
    velmora::LoadHelpResources();
    app.setWindowIcon(QIcon(":/help/velmora.svg"));
    app.setQuitOnLastWindowClosed(false);

    auto* splash = new velmora::TSplashform;
    splash->show();
    QApplication::processEvents();

    velmora::QtUiPorts ports;
    velmora::WorkingWeek week(DefaultFilesDirectory());
    const std::unique_ptr<velmora::ProgramWindows> windows =
        velmora::CreateProgramWindows(week, ports);
    QObject::connect(windows->main.get(), &velmora::Tsystemform::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    windows->main->show();
    splash->raise();
    return app.exec();
}
