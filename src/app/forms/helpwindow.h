// The help viewer: the program's German help text, opened at a topic beside the main window.
#pragma once

#include <QRect>
#include <QWidget>

class QTextBrowser;

namespace velmora {

// Registers the help text and the program icon. They are compiled into the windows' static
// library, whose resource object the linker would otherwise leave out of the program.
void LoadHelpResources();

// The narrowest the help is made to fit beside the main window.
inline constexpr int kHelpMinWidth = 420;

// Where the help window of `size` goes on the free area `screen` beside the window at
// `beside` (frame geometries): left of it, where the filter display does not stand, or right
// of it, where it fits whole; otherwise narrowed to the wider free side, down to
// kHelpMinWidth; otherwise at the screen's right edge, over the right part of the window and
// away from the command buttons on its left. Its top is the window's top, kept on the screen.
QRect HelpPlacement(const QRect& beside, const QRect& screen, const QSize& size);

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // "Inhalt", "Überblick", "Gewinnchancen" or "Info"; an unknown topic opens the contents. A
    // window that is not open yet opens beside `beside` (the main window) when one is given; an
    // open one stays where the user has put it.
    void ShowTopic(const QString& topic, const QWidget* beside = nullptr);

    QTextBrowser* Text() const { return text_; }

  private:
    void PlaceBeside(const QWidget& window);

    QTextBrowser* text_;
};

}  // namespace velmora
