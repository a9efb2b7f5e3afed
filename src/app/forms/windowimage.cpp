#include "app/forms/windowimage.h"

#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include "app/forms/uiports.h"

namespace velmora {

bool SaveWindowImage(QWidget* window, const QString& fileName) {
    return window->grab().save(fileName, "BMP");
}

void SaveWindowImage(QWidget* window, const QString& fileName, UiPorts& ports) {
    if (!SaveWindowImage(window, fileName)) {
        ports.ShowMessage(
            window, MessageKind::Error,
            "Das Bild des Fensters konnte nicht als „" + fileName + "“ gespeichert werden.");
    }
}

std::unique_ptr<QPrinter> OpenPrinter(QWidget* parent, const QString& pdfName, UiPorts& ports) {
    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull())
        return std::make_unique<QPrinter>(installed, QPrinter::HighResolution);
    if (!ports.Ask(parent, kNoPrinterQuestion))
        return nullptr;
    const std::optional<std::string> name =
        ports.SaveFileName(parent, {"PDF-Dokument|*.pdf", "pdf", pdfName.toStdString()});
    if (!name)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(*name));
    return printer;
}

}  // namespace velmora
