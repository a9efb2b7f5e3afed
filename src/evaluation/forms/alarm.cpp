#include "evaluation/forms/alarm.h"

#include <QLabel>
#include <QPushButton>

#include "evaluation/tipdistribution.h"

namespace velmora {

namespace {

// A line per game: its top is 20 * game + 20, the three signs stand side by side.
constexpr int kSignLeft = 130;
constexpr int kSignStep = 15;
constexpr int kSignWidth = 15;
constexpr int kSignHeight = 16;
// The game's number ends short of its signs.
constexpr int kNumberLeft = 70;
constexpr int kNumberWidth = kSignLeft - 8 - kNumberLeft;

int LineTop(int game) {
    return 20 * game + 20;
}

bool HoldsEachSignOnce(const GameEntry& entry) {
    std::array<bool, kSignCount> seen{};
    for (const TipPair& pair : entry.pairs) {
        if (!IsSign(pair.sign) || seen[pair.sign])
            return false;
        seen[pair.sign] = true;
    }
    return true;
}

QString InvalidInput(const TTipPlan& plan, int games) {
    const QString prefix = "Die Warnung kann nicht angezeigt werden: ";
    if (!IsValidGameCount(games)) {
        return prefix + QString::number(games) +
               " Spiele sind nicht möglich, erlaubt sind 11 bis 14 Spiele.";
    }
    for (int g = 1; g <= games; ++g) {
        if (!HoldsEachSignOnce(plan.Game(g))) {
            return prefix + "Spiel " + QString::number(g) +
                   " des Tippplans enthält nicht genau die Tippzeichen 1, 0 und 2.";
        }
    }
    return {};
}

QLabel* TextLine(const char* text, int top, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    QFont font = label->font();
    font.setPointSize(8);
    label->setFont(font);
    label->setGeometry(8, top, parent->width() - 16, 16);
    return label;
}

}  // namespace

TAlarm::TAlarm(QWidget* parent) : QDialog(parent) {
    setObjectName("TAlarm");
    setWindowTitle("Alarm");
    setFixedSize(307, 364);

    TextLine(kCoverageWarningLine1, 4, this)->setObjectName("Label1");
    TextLine(kCoverageWarningLine2, 20, this)->setObjectName("Label2");

    auto* close = new QPushButton("Schließen", this);
    close->setObjectName("Schliessen");
    close->setGeometry(width() - 98, height() - 34, 90, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

TAlarm::Line& TAlarm::LineOf(int game) {
    while (static_cast<int>(lines_.size()) < game) {
        const int g = static_cast<int>(lines_.size()) + 1;
        Line line{};
        for (int p = 0; p < kSignCount; ++p) {
            line[p] = new QLabel(this);
            line[p]->setObjectName("weg" + QString::number(g) + QString::number(p));
            line[p]->setGeometry(kSignLeft + kSignStep * p, LineTop(g), kSignWidth, kSignHeight);
        }
        lines_.push_back(line);
        auto* number = new QLabel("Sp. " + QString::number(g), this);
        number->setObjectName("Spielnummer_" + QString::number(g));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setGeometry(kNumberLeft, LineTop(g), kNumberWidth, kSignHeight);
        numbers_.push_back(number);
    }
    return lines_[game - 1];
}

QString TAlarm::Refresh(const TTipPlan& plan, int games, const TCoverageTable& coverage) {
    if (const QString error = InvalidInput(plan, games); !error.isEmpty())
        return error;

    const std::vector<WarningLine> warnings = CoverageWarningLines(plan, games, coverage);
    for (int g = 1; g <= games; ++g) {
        const WarningLine& warning = warnings[g - 1];
        Line& line = LineOf(g);
        for (int p = 0; p < kSignCount; ++p) {
            QLabel* label = line[p];
            label->clear();
            if (p < static_cast<int>(warning.size())) {
                label->setText(QString(SignChar(warning[p].sign)));
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, warning[p].covered ? Qt::black : Qt::red);
                label->setPalette(palette);
            }
            label->show();
        }
        numbers_[g - 1]->show();
    }
    for (int g = games + 1; g <= static_cast<int>(lines_.size()); ++g) {
        for (QLabel* label : lines_[g - 1]) {
            label->clear();
            label->hide();
        }
        numbers_[g - 1]->hide();
    }
    return {};
}

}  // namespace velmora
