#include "app/forms/uiports.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "app/forms/helpwindow.h"
#include "app/forms/translations.h"
#include "app/forms/windowimage.h"

namespace velmora {

QString QtNameFilter(const std::string& filter) {
    const QString text = QString::fromStdString(filter);
    const qsizetype bar = text.indexOf('|');
    if (bar < 0)
        return text;
    return text.left(bar) + " (" + text.mid(bar + 1).replace(';', ' ') + ")";
}

QtUiPorts::QtUiPorts() = default;
QtUiPorts::~QtUiPorts() = default;

void QtUiPorts::ShowMessage(QWidget* parent, MessageKind kind, const QString& text) {
    switch (kind) {
        case MessageKind::Error:
            QMessageBox::critical(parent, "Problem", text);
            break;
        case MessageKind::Warning:
            QMessageBox::warning(parent, "Warnung", text);
            break;
        case MessageKind::Information:
            QMessageBox::information(parent, "Information", text);
            break;
    }
}

bool QtUiPorts::Ask(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, "Frage", question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Answer QtUiPorts::AskWithCancel(QWidget* parent, const QString& question) {
    switch (QMessageBox::question(parent, "Frage", question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;  // also the window's close button and Esc
    }
}

std::optional<int> QtUiPorts::Choose(QWidget* parent, const QString& question,
                                     const QStringList& answers) {
    QMessageBox box(QMessageBox::Question, "Frage", question, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::AcceptRole));
    if (!buttons.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        box.setEscapeButton(buttons.back());
    }
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end())
        return std::nullopt;
    return static_cast<int>(chosen - buttons.begin());
}

std::optional<double> QtUiPorts::AskAmount(QWidget* parent, const QString& title,
                                           const QString& label, double value, double maximum) {
    QInputDialog dialog(parent);
    dialog.setLocale(ToolkitLocale());  // "0,50", as the German write it
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::DoubleInput);
    dialog.setDoubleRange(0, maximum);
    dialog.setDoubleDecimals(2);
    dialog.setDoubleValue(value);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.doubleValue();
}

std::optional<int> QtUiPorts::AskNumber(QWidget* parent, const QString& title, const QString& label,
                                        int value, int minimum, int maximum) {
    QInputDialog dialog(parent);
    dialog.setLocale(ToolkitLocale());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(value);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

std::optional<std::string> QtUiPorts::OpenFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    QFileDialog dialog(parent, "Öffnen", QString::fromStdString(request.initialName),
                       QtNameFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name typed in another case than the file's (aktuellewoche.ttd for AKTUELLEWOCHE.TTD)
    // is accepted as typed: the program finds the file the way it finds the members of a
    // week, and says so in German when there is none. The platform's own dialog would refuse
    // such a name, so the toolkit's dialog is used.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUiPorts::SaveFileName(QWidget* parent,
                                                   const FileDialogRequest& request) {
    QFileDialog dialog(parent, "Speichern unter", QString::fromStdString(request.initialName),
                       QtNameFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

void QtUiPorts::PrintWindowImage(QWidget* window) {
    const QPixmap image = window->grab();
    const std::unique_ptr<QPrinter> printer =
        OpenPrinter(window, window->objectName() + ".pdf", *this);
    if (!printer)
        return;
    QPainter painter(printer.get());
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), image);
}

void QtUiPorts::Print(QWidget* parent, const QString& pdfName, const QPageLayout& layout, int count,
                      const PagePainter& paint) {
    if (count <= 0)
        return;
    const std::unique_ptr<QPrinter> printer = OpenPrinter(parent, pdfName, *this);
    if (!printer)
        return;
    printer->setPageLayout(layout);
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        // A file holds all documents, one page each.
        QPainter painter(printer.get());
        for (int index = 0; index < count; ++index) {
            if (index > 0)
                printer->newPage();
            paint(painter, index);
        }
        return;
    }
    for (int index = 0; index < count; ++index) {
        QPainter painter(printer.get());  // every document its own job
        paint(painter, index);
    }
}

void QtUiPorts::Preview(QWidget* parent, const QString& title, const QPageLayout& layout,
                        const DocumentPainter& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(layout);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter* target) {
                         QPainter painter(target);
                         paint(painter, [target] { target->newPage(); });
                     });
    preview.exec();
}

void QtUiPorts::ShowHelp(QWidget* parent, const QString& topic) {
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    help_->ShowTopic(topic, parent != nullptr ? parent->window() : nullptr);
}

void QtUiPorts::ShowModal(QDialog& dialog) {
    dialog.exec();
}

}  // namespace velmora
