#include "app/forms/helpwindow.h"

// Outside any namespace, as the resource macro requires.
static void InitHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace velmora {

void LoadHelpResources() {
    static const bool loaded = (InitHelpResource(), true);
    (void)loaded;
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    LoadHelpResources();
    setObjectName("Hilfe");
    setWindowTitle("VELMORA – Hilfe");
    setOpenExternalLinks(false);
    setSource(QUrl("qrc:/help/Velmora.html"));
    resize(640, 560);
}

void HelpWindow::ShowTopic(const QString& topic) {
    QString anchor = "inhalt";
    if (topic == "Überblick")
        anchor = "ueberblick";
    else if (topic == "Info")
        anchor = "info";
    show();
    raise();
    activateWindow();
    scrollToAnchor(anchor);
}

}  // namespace velmora
