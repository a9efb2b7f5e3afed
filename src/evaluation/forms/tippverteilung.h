// The tip distribution "Tippverteilung": for every game how many rows of the system have the
// signs "1", "0" and "2". The main window refreshes it and then shows it modally.
#pragma once

#include <QDialog>
#include <QString>

#include "model/rowlist.h"

class QTableWidget;

namespace velmora {

class TTippverteilung : public QDialog {
    Q_OBJECT
  public:
    explicit TTippverteilung(QWidget* parent = nullptr);

    // Fills the table for games 1..games: heading row "1", "0", "2", then one row per game
    // with its number and the three counts. Returns an empty string when the table shows the
    // rows; otherwise a message saying why the rows cannot be shown, and the table keeps what
    // it showed before.
    QString Refresh(const TRowList& rows, int games);

    QTableWidget* Table() const { return table_; }

  private:
    void WriteHeadings();
    void FitToColumns();
    void SetCell(int row, int column, const QString& text, bool heading);

    QTableWidget* table_;
};

}  // namespace velmora
