// The win determination "Gewinnermittlung": the current system against a result entered game
// by game, counted by errors, with the rows of each error count on request. The window owns
// the stored results of the four game counts, which the filter check reads. Its per-game
// lines are built on every showing and discarded on hiding. The result can be typed as well:
// a marked line takes the next sign typed, and a result can be pasted as text.
#pragma once

#include <QDialog>
#include <vector>

#include "evaluation/resultentry.h"
#include "evaluation/windetermination.h"
#include "model/coverage.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace velmora {

class WorkingWeek;
class TFiltercheck;
class TFilteranzeige;
class UiPorts;

class Tgewinnermittlung : public QDialog {
    Q_OBJECT
  public:
    // display and check may be null; "&Filtercheck" then opens nothing.
    Tgewinnermittlung(WorkingWeek& week, UiPorts& ports, TFilteranzeige* display,
                      TFiltercheck* check, QWidget* parent = nullptr);
    ~Tgewinnermittlung() override;

    const ResultRows& Results() const { return results_; }
    // The game the next typed sign goes to; one past the last game once the last is typed.
    int CurrentGame() const { return entry_.Current(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Line {
        QPushButton* buttons[kSignCount] = {};
        QPushButton* unknown = nullptr;  // "tipb" + i + "?"
        QLabel* sign = nullptr;          // "Spiel_" + i
        QLabel* errors = nullptr;        // "Fehler_" + i
        QLabel* count = nullptr;         // "Fehlerzahl_" + i
        QComboBox* details = nullptr;    // "gew_" + i, only with "Detailangaben"
    };

    void BuildLines();
    void DiscardLines();
    void UpdateFilterCheckButton();
    void SetCount(Line& line, const QString& text);
    // Empty when the system can be evaluated; otherwise why not.
    QString Unusable(bool details) const;

    void SignClicked(int game, Sign sign);
    // The keys of the result entry, whichever control has the focus; true when one was used.
    // A drop-down list keeps its arrow keys.
    bool IsEntryKey(const QKeyEvent& key, bool inList) const;
    bool EntryKey(const QKeyEvent& key, bool inList);
    void PasteResult();
    void ShowSign(int game);
    void UpdateMarker();
    void FilterKeys(QWidget* control);
    void NeuClick();
    void StartClick();
    void DetailangabenClick();
    void FilterCheckClick();

    WorkingWeek& week_;
    UiPorts& ports_;
    TFilteranzeige* display_;
    TFiltercheck* check_;

    ResultRows results_;
    ResultEntry entry_;  // what the lines show, until "&Start" stores it
    TCoverageTable coverage_;
    std::vector<Line> lines_;

    QPushButton* neu_;
    QLabel* vorgabe_;
    QPushButton* start_;
    QCheckBox* detailangaben_;
    QLabel* gewinnquote_;
    QLabel* percent_[3];
    QPushButton* filtercheck_;
    QFrame* marker_;  // "Aktuelles_Spiel", behind the line of the current game
};

}  // namespace velmora
