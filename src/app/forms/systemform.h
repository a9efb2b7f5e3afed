// The main window "VELMORA": a view over the working week. It forwards every command to
// WorkingWeek, redraws whatever the week's observer says has changed, and opens the other
// windows.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <array>
#include <vector>

#include "app/workingweek.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTableView;

namespace velmora {

class RowNumberHeader;
class RowTableModel;
class TAlarm;
class Tberechanz;
class TBlockform;
class TFilteranzeige;
class Tquotblockform;
class Tseqform;
class TTipplan;
class TTippverteilung;
class UiPorts;
class WeekSignals;

// The windows the main window opens; each is created once by the program.
struct SecondaryWindows {
    TTipplan* tipPlan = nullptr;
    Tberechanz* progress = nullptr;
    TTippverteilung* distribution = nullptr;
    TAlarm* alarm = nullptr;
    TFilteranzeige* filterDisplay = nullptr;
    Tquotblockform* odds = nullptr;
    std::array<QDialog*, 5> percent{};
    QDialog* winDetermination = nullptr;
    QDialog* winTables = nullptr;  // not modal
    QDialog* chances = nullptr;    // not modal
    QDialog* rearrangement = nullptr;
    QDialog* manualEntry = nullptr;
};

class Tsystemform : public QMainWindow, private WeekView {
    Q_OBJECT
  public:
    Tsystemform(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals);
    ~Tsystemform() override;

    void SetWindows(const SecondaryWindows& windows) { windows_ = windows; }
    const WorkingWeek& Week() const { return week_; }
    const RowTableModel& RowModel() const { return *rowModel_; }

    // Redraws what a command changed.
    void WeekChanged(WeekChanges what);
    // The row count while a run is still working on the rows.
    void ShowRunningSize(std::int32_t rows);

    // Menu commands.
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void System1Click();
    // An item of "Zuletzt geöffnete Wochen" or "Zuletzt geöffnete Systeme".
    void OpenRecentWeek(const std::string& tipPlanName);
    void OpenRecentSystem(const std::string& rowFileName);
    void Systemffnen1Click();
    void Systemspeichern1Click();
    void Systemspeichernunter1Click();
    void AllesSpeichern1Click();
    void ansichtClick();
    void Filteranzeige1Click();
    void Gewinntabellen1Click();
    void Gewinnchancen1Click();
    void ChooseRowsPerSlip(int rowsPerSlip);  // the four "Reihen/Schein" items
    void InFremdsystemvorhandeneReiheneliminieren1Click();
    void ReihendieOptionenerflleneliminieren1Click();
    void Systemexportieren1Click();  // "System e&xportieren …"
    void PreisproReihe1Click();      // "&Preis pro Reihe …"
    void Scheinjustieren1Click();    // "Schein &justieren …"
    // Strg+C: the rows chosen in the row display, or all, as text on the clipboard.
    void CopyRows();
    // Strg+G, "Gehe zu &Reihe …": asks for a row number and brings that row into view.
    void GeheZuReihe1Click();
    // Buttons.
    void tpbutonClick();
    void StartClick();
    void FilterbutClick();
    void Button2Click();
    void Button3Click();  // "Tippreihen ausdrucken"
    void qbbuttonClick();
    void ProzbutClick(int filter);  // "Proz. Filter 1" to "Proz. Filter 5"
    void Button1Click(int block);   // a block filter button "but_N"
    void BtseqClick(int rule);      // a sequence button "btseq_N"
    // The block filter editor of block N, created on first use ("block_N").
    TBlockform& BlockForm(int number);

  signals:
    // The main window has closed after its closing steps; the program ends.
    void Closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // WeekView
    void ShowMessage(MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& question) override;
    Answer AskWithCancel(const std::string& question) override;
    std::optional<int> Choose(const std::string& question,
                              const std::vector<std::string>& answers) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    void ShowTipPlanEditor() override;

    void BuildMenus();
    void BuildCommandColumn(QWidget* page);
    void BuildLimitGroup(QWidget* page);
    void BuildSignChangeGroup(QWidget* page);
    void BuildStatusAndRows(QWidget* page);
    void ConnectFilterControls();
    void RebuildListButtons();
    void ShowRecentFiles();
    void ShowFilterControls();
    void ShowLimitControls();  // "optimiert" and the choice under it
    void ShowRows();
    void ApplyRowsPerSlip();
    void UpdateRowPosition();
    // Discards the block editors from block `from` on, all but `keep`.
    void DiscardBlockForms(int from = 1, const TBlockform* keep = nullptr);
    void StoreBlock(int number, const TBlockFilter& block);
    // "Blockfilter löschen" in the editor `asking`.
    void DeleteBlock(int number, const TBlockform* asking = nullptr);
    void StoreSequence(int number, const TSequenceRule& rule);
    void DeleteSequence(int number);

    WorkingWeek& week_;
    UiPorts& ports_;
    SecondaryWindows windows_;
    bool shown_ = false;
    int sideLeft_ = 0;  // the groups "Tippreihenbegrenzung" and "Tippzeichenwechsel"
    int sideWidth_ = 0;

    QAction* filterDisplayItem_ = nullptr;
    QMenu* recentWeeks_ = nullptr;
    QMenu* recentSystems_ = nullptr;
    QDialog* exportWindow_ = nullptr;  // made on first use
    // "Schein justieren", made on first use too.
    QDialog* calibrationWindow_ = nullptr;
    QLabel* stake_ = nullptr;
    std::array<QLabel*, 4> keptRows_{};
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
    std::array<QAction*, 4> slipItems_{};
    QCheckBox* oddsActive_ = nullptr;
    std::array<QCheckBox*, 5> percentActive_{};
    QSpinBox* requiredChains_ = nullptr;
    QLabel* chainTotal_ = nullptr;
    QRadioButton* guaranteeButton_ = nullptr;
    QRadioButton* countButton_ = nullptr;
    QCheckBox* optimised_ = nullptr;  // "optimiert"
    QCheckBox* outside_ = nullptr;    // "auch Reihen außerhalb der Filter"
    QLabel* guaranteeCheck_ = nullptr;
    std::array<QRadioButton*, 4> guarantees_{};
    QGroupBox* countPanel_ = nullptr;
    QLineEdit* countEdit_ = nullptr;
    std::array<QSpinBox*, 4> signChangeSpins_{};  // min1, max1, min2, max2
    QCheckBox* signChangeOr_ = nullptr;
    QScrollArea* listArea_ = nullptr;
    std::vector<QPushButton*> listButtons_;
    QLabel* upperStatus_ = nullptr;
    QLabel* lowerStatus_ = nullptr;
    QLabel* systemSize_ = nullptr;
    QLabel* rowPosition_ = nullptr;
    QTableView* rowDisplay_ = nullptr;
    RowTableModel* rowModel_ = nullptr;
    RowNumberHeader* rowHeader_ = nullptr;
    Tseqform* sequenceForm_ = nullptr;
};

}  // namespace velmora
