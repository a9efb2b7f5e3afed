// What the windows ask of the desktop: message boxes, questions, file dialogs, printing a
// window's image, the help viewer and modal showing. The program uses the Qt implementation;
// the window tests put a recording fake in its place so that nothing blocks.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "app/dialogs.h"
#include "model/messages.h"

class QDialog;
class QWidget;

namespace velmora {

class HelpWindow;

class UiPorts {
  public:
    virtual ~UiPorts() = default;

    // Errors are captioned "Problem" with the error icon.
    virtual void ShowMessage(QWidget* parent, MessageKind kind, const QString& text) = 0;
    // A question captioned "Frage" with the answers Yes (true) and No.
    virtual bool Ask(QWidget* parent, const QString& question) = 0;
    virtual std::optional<std::string> OpenFileName(QWidget* parent,
                                                    const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(QWidget* parent,
                                                    const FileDialogRequest& request) = 0;
    // Prints the image of a window on the default printer.
    virtual void PrintWindowImage(QWidget* window) = 0;
    // Opens the help at one of the topics "Inhalt", "Überblick" and "Info".
    virtual void ShowHelp(const QString& topic) = 0;
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
    std::optional<std::string> OpenFileName(QWidget* parent,
                                            const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(QWidget* parent,
                                            const FileDialogRequest& request) override;
    void PrintWindowImage(QWidget* window) override;
    void ShowHelp(const QString& topic) override;
    void ShowModal(QDialog& dialog) override;

  private:
    std::unique_ptr<HelpWindow> help_;
};

// "Tippreihen|*.prd" as a Qt name filter: "Tippreihen (*.prd)".
QString QtNameFilter(const std::string& filter);

}  // namespace velmora
