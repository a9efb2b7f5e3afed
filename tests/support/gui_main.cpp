// The window tests run GoogleTest inside one QApplication, headless unless a platform is set.
#include <gtest/gtest.h>

#include <QApplication>

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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
