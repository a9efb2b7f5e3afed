#include "model/forms/berechanz.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/weektexts.h"

namespace velmora {

Tberechanz::Tberechanz(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      progress_(new QLabel(this)),
      timeLeft_(new QLabel(this)) {
    setObjectName("Tberechanz");
    setWindowModality(Qt::ApplicationModal);

    progress_->setObjectName("Label1");
    QFont large = progress_->font();
    large.setPointSize(16);
    large.setBold(true);
    progress_->setFont(large);
    progress_->setAlignment(Qt::AlignCenter);
    progress_->setText(ProgressText(0));

    // It keeps its place while hidden, so that the count does not move when it appears.
    timeLeft_->setObjectName(kTimeLeftLabel);
    timeLeft_->setAlignment(Qt::AlignCenter);
    QSizePolicy keepPlace = timeLeft_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    timeLeft_->setSizePolicy(keepPlace);
    timeLeft_->setText(QString::fromStdString(TimeLeftText(0)));
    timeLeft_->hide();

    auto* hint = new QLabel(kProgressHint, this);
    hint->setObjectName("Label2");
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);

    auto* cancel = new QPushButton("Abbruch", this);
    cancel->setObjectName("Abbruch");
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (abort_ != nullptr)
            abort_->Set();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(progress_);
    layout->addWidget(timeLeft_);
    layout->addSpacing(24);
    layout->addWidget(hint);
    layout->addSpacing(24);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    layout->addStretch(3);
}

QString Tberechanz::ProgressText(std::int32_t number) {
    return "Systemberechnung ist jetzt bei Reihe " + QString::number(number);
}

QString Tberechanz::BestCoverText(std::int32_t rows) {
    return "Optimierung: beste Lösung bisher " + QString::number(rows) + " Reihen";
}

void Tberechanz::Cover(QWidget* mainWindow) {
    progress_->setText(ProgressText(0));  // not the count or best cover of the last run
    timeLeft_->hide();
    setGeometry(mainWindow->geometry());
    show();
    raise();
}

void Tberechanz::SetProgress(std::int32_t number) {
    progress_->setText(ProgressText(number));
}

void Tberechanz::SetBestCover(std::int32_t rows) {
    progress_->setText(BestCoverText(rows));
}

void Tberechanz::SetTimeLeft(int wholeSeconds) {
    timeLeft_->setText(QString::fromStdString(TimeLeftText(wholeSeconds)));
    timeLeft_->show();
}

}  // namespace velmora
