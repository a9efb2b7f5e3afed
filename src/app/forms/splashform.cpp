#include "app/forms/splashform.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

TSplashform::TSplashform(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint) {
    setObjectName("TSplashform");
    setWindowTitle("VELMORA");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(228, 172);
    setStyleSheet("TSplashform { border: 2px solid palette(dark); }");

    auto* name = new QLabel("VELMORA", this);
    name->setObjectName("Programmname");
    QFont font = name->font();
    font.setPointSize(24);
    font.setBold(true);
    name->setFont(font);
    name->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(kLifetimeMs, this, &QDialog::close);
}

}  // namespace velmora
