#include "app/forms/helpwindow.h"

namespace velmora {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
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
