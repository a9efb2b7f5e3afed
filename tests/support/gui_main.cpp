// The window tests run GoogleTest inside one QApplication, headless unless a platform is set,
// with the toolkit's German texts as the program has them, in a scratch working directory:
// windows save their images into the working directory, which must never be the source tree.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "app/forms/translations.h"

namespace {

// The headless platform announces every window feature it lacks; the tests do not need them.
void QuietHeadlessPlatform(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith("This plugin does not support") ||
        message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
        return;
    qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietHeadlessPlatform);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!velmora::LoadToolkitTranslations(app))
        std::fprintf(stderr,
                     "The toolkit's German translation is missing; install "
                     "qt6-translations-l10n (scripts/setup.sh).\n");
    ::testing::InitGoogleTest(&argc, argv);

    const QTemporaryDir scratch(QDir::temp().filePath("velmora-gui-tests-XXXXXX"));
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) {
        std::fprintf(stderr, "No scratch working directory for the window tests.\n");
        return 1;
    }
    // The program's settings, too, are kept in the scratch directory, not the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    const int result = RUN_ALL_TESTS();
    QDir::setCurrent(QDir::tempPath());  // leave the scratch directory before it is removed
    return result;
}
