// The editors of the five percentage filters ("Prozform1" to "Prozform5"), and the value
// grid and key filter they share with the odds filter editor. The forms only show a
// ValueFormFields and hand their buttons to the core (filters/percenteditor.h).
#pragma once

#include <QDialog>
#include <QTableWidget>
#include <functional>
#include <optional>

#include "filters/oddseditor.h"
#include "filters/valueform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace velmora {

class WorkingWeek;
class UiPorts;

// What a value form makes of a typed character: the character to enter, or nothing when
// the key is swallowed.
using ValueKeyMap = std::optional<char> (*)(char32_t);

// Puts a key map between the keyboard and a line edit. Enter and pasting are swallowed as
// well; moving the cursor and deleting pass.
class ValueKeyFilter : public QObject {
    Q_OBJECT
  public:
    static void Install(QLineEdit* edit, ValueKeyMap keys);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ValueKeyFilter(ValueKeyMap keys, QObject* parent);
    ValueKeyMap keys_;
};

// "Blockgrid": a row per game with its number in front, the signs "1", "0", "2" as columns.
// Typed keys pass through the key map; an edit starts with the text `editStart` chooses for
// the cell, and when that text carries a warning the grid announces it.
class ValueGrid : public QTableWidget {
    Q_OBJECT
  public:
    using EditStart = std::function<CellEditStart(const QString& cell)>;
    ValueGrid(ValueKeyMap keys, EditStart editStart, QWidget* parent);

    // Rows for games 1..n with the fields' cells; the height follows n.
    void ShowCells(const ValueFormFields& fields, int n);
    // The cells of the shown games into the fields.
    void ReadCells(ValueFormFields& fields) const;
    // Ends an edit in progress, keeping what was typed.
    void CommitEdit();
    // Keeps the grid, and so its form, one width whatever it shows: the columns are made wide
    // enough for `widest`; a longer text widens its column within that width, which then
    // scrolls sideways. Without it the grid grows with its numbers.
    void KeepWidthFor(const QString& widest);
    int Games() const { return rowCount(); }

    ValueKeyMap Keys() const { return keys_; }
    CellEditStart StartEdit(const QString& cell) const { return editStart_(cell); }

  signals:
    void EditWarning(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ValueKeyMap keys_;
    EditStart editStart_;
    int stableCellWidth_ = 0;  // 0: the columns follow the numbers
};

// Puts the grid at the top left and the panel of fields and buttons beside it, and fits the
// form around both; the grid's width follows its numbers.
void LayOutValueForm(QWidget& form, ValueGrid& grid, QWidget& panel);

// The fields the percentage and odds forms share: the grid, minimum, maximum and "Aktiv".
struct ValueFormControls {
    ValueGrid* grid;
    QLineEdit* min;
    QLineEdit* max;
    QCheckBox* active;
};
void ShowValueFields(const ValueFormControls& controls, const ValueFormFields& fields, int games);
// Takes a cell still being edited first.
ValueFormFields ReadValueFields(const ValueFormControls& controls);

// What the five percentage forms share.
class TProzformBase : public QDialog {
    Q_OBJECT
  public:
    int Number() const { return number_; }

  protected:
    TProzformBase(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent);
    void showEvent(QShowEvent* event) override;

  private:
    void ShowRecord();
    ValueFormFields ReadFields();
    void Button1Click();  // "Prozentumwandlung"
    void Button2Click();  // "Tipplan einladen"
    void Button3Click();  // "Block 1 laden" / "Blockladen"
    void BitBtn1Click();  // OK

    const int number_;
    WorkingWeek& week_;
    UiPorts& ports_;
    ValueGrid* grid_;
    QWidget* panel_;  // everything right of the grid
    QLineEdit* minEdit_;
    QLineEdit* maxEdit_;
    QCheckBox* active_;
    QCheckBox* orNext_;
    QSpinBox* source_ = nullptr;
};

class TProzform : public TProzformBase {
    Q_OBJECT
  public:
    TProzform(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);
};

class TProzform2 : public TProzformBase {
    Q_OBJECT
  public:
    TProzform2(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);
};

class TProzform3 : public TProzformBase {
    Q_OBJECT
  public:
    TProzform3(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);
};

class TProzform4 : public TProzformBase {
    Q_OBJECT
  public:
    TProzform4(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);
};

class TProzform5 : public TProzformBase {
    Q_OBJECT
  public:
    TProzform5(WorkingWeek& week, UiPorts& ports, QWidget* parent = nullptr);
};

// The editor of percentage filter `number` (1 to 5); null for any other number.
TProzformBase* CreatePercentForm(int number, WorkingWeek& week, UiPorts& ports, QWidget* parent);

}  // namespace velmora
