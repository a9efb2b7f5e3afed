// The window "Gewinnchancen": how likely the real result lies in the tip plan's full system
// and in the filtered system, how likely each win class is the system's best, and, with the
// other players' tips from a percentage filter, what the system is worth against its stake.
// The week computes; the window reads its fields, shows the result and prints it. When the
// week changes under a shown result, the numbers go and a line asks for a new computation.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "evaluation/chancestexts.h"
#include "filters/filterset.h"
#include "model/tipplan.h"

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QValueAxis;

namespace velmora {

class UiPorts;
class WeekSignals;
class WorkingWeek;

class TGewinnchancen : public QDialog {
    Q_OBJECT
  public:
    TGewinnchancen(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals,
                   QWidget* parent = nullptr);

    // "Berechnen": the fields as settings, one computation, the result or why there is none.
    void BerechnenClick();
    // "Drucken": the preview of the shown result, from which the user prints it or saves a
    // PDF file.
    void DruckenClick();

    // The settings the fields were last read into (or kept from the last run).
    const ChanceSettings& Settings() const { return settings_; }
    // What the window shows; nothing before a computation and after the week changed.
    const std::optional<ChancesView>& Shown() const { return shown_; }
    bool Outdated() const { return outdated_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // What a result was computed from, to tell whether the week still is the same.
    struct Basis {
        int games = 0;
        TTipPlan plan;
        TFilterSet filters;
        std::uint64_t weekSerial = 0;
        std::uint64_t rowsRevision = 0;
        std::int32_t rows = 0;
        std::int64_t pricePerRowCents = 0;
        bool withPool = false;

        bool SameAs(const Basis& now) const;
    };

    QWidget* BuildSettings();
    void BuildChart();
    void BuildTable();
    Basis BasisNow() const;
    void WeekChanged();
    void ShowFields();
    void ShowCaptions();
    void EnablePoolFields();
    void ShowResult();

    WorkingWeek& week_;
    UiPorts& ports_;
    ChanceSettings settings_;

    QComboBox* source_ = nullptr;   // "QuelleCombo"
    QComboBox* players_ = nullptr;  // "PublikumCombo"
    QLineEdit* stakes_ = nullptr;   // "EinsatzEdit"
    QLineEdit* rate_ = nullptr;     // "QuoteEdit"
    std::array<QLineEdit*, kWinClasses> shares_{};
    std::array<QLabel*, kWinClasses> shareLabels_{};
    QLabel* basisLine_ = nullptr;
    QLabel* planLine_ = nullptr;
    QLabel* filteredLine_ = nullptr;
    QTableWidget* table_ = nullptr;  // "ChancenTabelle"
    std::array<QLabel*, 3> payoutLines_{};
    QLabel* outdatedLine_ = nullptr;
    QChartView* chartView_ = nullptr;  // "ChancenDiagramm"
    QChart* chart_ = nullptr;
    QBarSet* allBars_ = nullptr;
    QBarSet* filteredBars_ = nullptr;
    QBarCategoryAxis* classAxis_ = nullptr;
    QValueAxis* percentAxis_ = nullptr;

    std::optional<ChancesView> shown_;
    ChartValues chartValues_;
    Basis basis_;
    bool outdated_ = false;
};

}  // namespace velmora
