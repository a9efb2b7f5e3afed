// What the windows ask of the desktop: message boxes, questions, file dialogs, printing a
// window's image, the help viewer and modal showing. The program uses the Qt implementation;
// the window tests put a recording fake in its place so that nothing blocks.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/dialogs.h"
#include "app/workingweek.h"
#include "model/messages.h"

class QDialog;
class QPageLayout;
class QPainter;
class QWidget;

namespace velmora {

class HelpWindow;

// Paints document `index` of a print job on a single page.
using PagePainter = std::function<void(QPainter& painter, int index)>;
// Paints a document of several pages, calling newPage between them.
using DocumentPainter =
    std::function<void(QPainter& painter, const std::function<void()>& newPage)>;

class UiPorts {
  public:
    virtual ~UiPorts() = default;

    // Errors are captioned "Problem" with the error icon.
    virtual void ShowMessage(QWidget* parent, MessageKind kind, const QString& text) = 0;
    // A question captioned "Frage" with the answers Yes (true) and No.
    virtual bool Ask(QWidget* parent, const QString& question) = 0;
    // The same with a third answer, "Abbrechen", that goes back.
    virtual Answer AskWithCancel(QWidget* parent, const QString& question) = 0;
    // A question with a button per answer; nothing when closed without one.
    virtual std::optional<int> Choose(QWidget* parent, const QString& question,
                                      const QStringList& answers) = 0;
    // An amount of money in a field of its own; nothing when cancelled.
    virtual std::optional<double> AskAmount(QWidget* parent, const QString& title,
                                            const QString& label, double value, double maximum) = 0;
    // A whole number from `minimum` to `maximum` in a field of its own; nothing when cancelled.
    virtual std::optional<int> AskNumber(QWidget* parent, const QString& title,
                                         const QString& label, int value, int minimum,
                                         int maximum) = 0;
    virtual std::optional<std::string> OpenFileName(QWidget* parent,
                                                    const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(QWidget* parent,
                                                    const FileDialogRequest& request) = 0;
    // Prints the image of a window on the default printer.
    virtual void PrintWindowImage(QWidget* window) = 0;
    // Prints `count` documents of one page each on the default printer without a dialog, each
    // as a job of its own. Without a printer the user may save them as one PDF file instead.
    virtual void Print(QWidget* parent, const QString& pdfName, const QPageLayout& layout,
                       int count, const PagePainter& paint) = 0;
    // A preview of a document, from which the user prints it or saves it as a PDF file.
    virtual void Preview(QWidget* parent, const QString& title, const QPageLayout& layout,
                         const DocumentPainter& paint) = 0;
    // Opens the help at one of the topics "Inhalt", "Überblick", "Gewinnchancen" and "Info",
    // beside the window of `parent` when it is not open yet.
    virtual void ShowHelp(QWidget* parent, const QString& topic) = 0;
    // Shows a window modally and returns when it is closed.
    virtual void ShowModal(QDialog& dialog) = 0;
};

// The real desktop.
class QtUiPorts : public UiPorts {
  public:
    QtUiPorts();
    ~QtUiPorts() override;

    void ShowMessage(QWidget* parent, MessageKind kind, const QString& text) override;
    bool Ask(QWidget* parent, const QString& question) override;
    Answer AskWithCancel(QWidget* parent, const QString& question) override;
    std::optional<int> Choose(QWidget* parent, const QString& question,
                              const QStringList& answers) override;
    std::optional<double> AskAmount(QWidget* parent, const QString& title, const QString& label,
                                    double value, double maximum) override;
    std::optional<int> AskNumber(QWidget* parent, const QString& title, const QString& label,
                                 int value, int minimum, int maximum) override;
    std::optional<std::string> OpenFileName(QWidget* parent,
                                            const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(QWidget* parent,
                                            const FileDialogRequest& request) override;
    void PrintWindowImage(QWidget* window) override;
    void Print(QWidget* parent, const QString& pdfName, const QPageLayout& layout, int count,
               const PagePainter& paint) override;
    void Preview(QWidget* parent, const QString& title, const QPageLayout& layout,
                 const DocumentPainter& paint) override;
    void ShowHelp(QWidget* parent, const QString& topic) override;
    void ShowModal(QDialog& dialog) override;

  private:
    std::unique_ptr<HelpWindow> help_;
};

// "Tippreihen|*.prd" as a Qt name filter: "Tippreihen (*.prd)".
QString QtNameFilter(const std::string& filter);

}  // namespace velmora
