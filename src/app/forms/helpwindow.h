// The help viewer: the program's German help text, opened at a topic.
#pragma once

#include <QTextBrowser>

namespace velmora {

class HelpWindow : public QTextBrowser {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // "Inhalt", "Überblick" or "Info"; an unknown topic opens the contents.
    void ShowTopic(const QString& topic);
};

}  // namespace velmora
