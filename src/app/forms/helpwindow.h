// The help viewer: the program's German help text, opened at a topic.
#pragma once

#include <QTextBrowser>

namespace velmora {

// Registers the help text and the program icon. They are compiled into the windows' static
// library, whose resource object the linker would otherwise leave out of the program.
void LoadHelpResources();

class HelpWindow : public QTextBrowser {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // "Inhalt", "Überblick" or "Info"; an unknown topic opens the contents.
    void ShowTopic(const QString& topic);
};

}  // namespace velmora
