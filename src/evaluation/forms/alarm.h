// The coverage warning "Alarm": after a generation, for each game the signs the tip plan
// allows, most favoured first, with those no row of the system contains written in red.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <vector>

#include "model/coverage.h"
#include "model/tipplan.h"

class QLabel;

namespace velmora {

class TAlarm : public QDialog {
    Q_OBJECT
  public:
    explicit TAlarm(QWidget* parent = nullptr);

    // Fills the lines of games 1..games from the plan and the coverage of the current system;
    // lines of later games are hidden. Returns an empty string when the lines show the plan;
    // otherwise a message saying why not, and the lines keep what they showed before.
    QString Refresh(const TTipPlan& plan, int games, const TCoverageTable& coverage);

  private:
    using Line = std::array<QLabel*, kSignCount>;

    Line& LineOf(int game);

    // Created on first use: lines_[game - 1], and the game's number "Sp. g" left of it.
    std::vector<Line> lines_;
    std::vector<QLabel*> numbers_;
};

}  // namespace velmora
