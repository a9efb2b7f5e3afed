#include "app/forms/helpwindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

// Outside any namespace, as the resource macro requires.
static void InitHelpResource() {
    Q_INIT_RESOURCE(help);
}

namespace velmora {
namespace {

constexpr QSize kSize(640, 560);  // on each fresh opening, unless the screen asks for less

}  // namespace

void LoadHelpResources() {
    static const bool loaded = (InitHelpResource(), true);
    (void)loaded;
}

QRect HelpPlacement(const QRect& beside, const QRect& screen, const QSize& size) {
    const int height = std::min(size.height(), screen.height());
    const int top = std::clamp(beside.top(), screen.top(), screen.bottom() + 1 - height);
    const int leftRoom = beside.left() - screen.left();
    const int rightRoom = screen.right() - beside.right();
    const auto left = [&](int width) { return QRect(beside.left() - width, top, width, height); };
    const auto right = [&](int width) { return QRect(beside.right() + 1, top, width, height); };

    if (leftRoom >= size.width())
        return left(size.width());
    if (rightRoom >= size.width())
        return right(size.width());
    if (std::max(leftRoom, rightRoom) >= kHelpMinWidth)
        return leftRoom >= rightRoom ? left(leftRoom) : right(rightRoom);
    const int width = std::min({size.width(), kHelpMinWidth, screen.width()});
    return QRect(screen.right() + 1 - width, top, width, height);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), text_(new QTextBrowser) {
    LoadHelpResources();
    setObjectName("Hilfe");
    setWindowTitle("Hilfe");  // the desktop adds the program name
    text_->setObjectName("Hilfetext");
    text_->setOpenExternalLinks(false);
    text_->setSource(QUrl("qrc:/help/Velmora.html"));

    auto* close = new QPushButton("Schließen");
    close->setObjectName("Schliessen");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(kSize);
}

void HelpWindow::PlaceBeside(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    // The frame around the help, as far as it is known before it is shown.
    const QSize frame = frameGeometry().size() - size();
    const QRect place =
        HelpPlacement(window.frameGeometry(), screen->availableGeometry(), kSize + frame);
    resize(place.size() - frame);
    move(place.topLeft());
}

void HelpWindow::ShowTopic(const QString& topic, const QWidget* beside) {
    QString anchor = "inhalt";
    if (topic == "Überblick")
        anchor = "ueberblick";
    else if (topic == "Gewinnchancen")
        anchor = "gewinnchancen";
    else if (topic == "Info")
        anchor = "info";
    if (!isVisible() && beside != nullptr) {
        PlaceBeside(*beside);
        const QSize frame = frameGeometry().size() - size();
        show();
        // The frame is known once the window is shown.
        if (frameGeometry().size() - size() != frame)
            PlaceBeside(*beside);
    }
    show();
    raise();
    activateWindow();
    text_->scrollToAnchor(anchor);
}

}  // namespace velmora
