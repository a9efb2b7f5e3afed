#include "app/forms/systemform.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <algorithm>
#include <cmath>

#include "app/forms/controls.h"
#include "app/forms/programsettings.h"
#include "app/forms/progressrun.h"
#include "app/forms/rownumberheader.h"
#include "app/forms/rowtablemodel.h"
#include "app/forms/scheinjustierung.h"
#include "app/forms/slipprinting.h"
#include "app/forms/systemexport.h"
#include "app/forms/translations.h"
#include "app/forms/uiports.h"
#include "app/forms/weeksignals.h"
#include "app/forms/windowimage.h"
#include "app/forms/windowplaces.h"
#include "app/rownumbers.h"
#include "app/weektexts.h"
#include "evaluation/forms/tippverteilung.h"
#include "filters/blockeditor.h"
#include "filters/forms/blockform.h"
#include "filters/forms/filteranzeige.h"
#include "filters/forms/quotblockform.h"
#include "filters/forms/seqform.h"
#include "filters/sequenceeditor.h"
#include "model/forms/tipplanform.h"

namespace velmora {
namespace {

constexpr int kCellSize = 16;  // a 15-pixel cell and its grid line
constexpr int kGameRowHeight = 17;
constexpr int kGameColumnWidth = 33;  // the game numbers beside the rows
constexpr int kRowDisplayTop = 300;
constexpr int kListAreaLeft = 215;
constexpr int kListAreaTop = 40;
// The column of the generation settings at the window's right edge.
constexpr int kSideRight = 750;
constexpr int kSideWidth = 265;
// "Tippreihenbegrenzung": the two choices, the guarantee levels, "optimiert" and the choice
// under it.
constexpr int kLimitGroupHeight = 174;

QSpinBox* AddSpin(QWidget* parent, const char* name, int minimum, QRect where) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, kMaxGames - 1);
    spin->setGeometry(where);
    return spin;
}

}  // namespace

Tsystemform::Tsystemform(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals)
    : week_(week), ports_(ports) {
    setObjectName("Tsystemform");
    setWindowTitle("VELMORA");
    resize(761, 592);

    auto* page = new QWidget(this);
    page->setObjectName("Hauptseite");
    setCentralWidget(page);

    BuildMenus();
    BuildCommandColumn(page);
    BuildLimitGroup(page);
    BuildSignChangeGroup(page);
    BuildStatusAndRows(page);
    ConnectFilterControls();
    connect(&weekSignals, &WeekSignals::Changed, this, &Tsystemform::WeekChanged);
    WeekChanged(kEverythingChanged);
}

Tsystemform::~Tsystemform() = default;

// ---------------------------------------------------------------------------------------------
// Building the window

void Tsystemform::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };

    QMenu* file = menuBar()->addMenu("&Datei");
    file->setObjectName("Datei1");
    add(file, "Neu1", "&Neu", &Tsystemform::Neu1Click);
    add(file, "ffnen1", "Tippplan/Filter ö&ffnen", &Tsystemform::ffnen1Click);
    add(file, "Speichern1", "Tippplan/Filter &speichern", &Tsystemform::Speichern1Click);
    add(file, "Speichernunter1", "Tippplan/Filter speichern &unter",
        &Tsystemform::Speichernunter1Click);
    file->addSeparator();
    add(file, "System1", "System &öffnen", &Tsystemform::System1Click);
    add(file, "Systemffnen1", "System anhängen", &Tsystemform::Systemffnen1Click);
    add(file, "Systemspeichern1", "System speichern", &Tsystemform::Systemspeichern1Click);
    add(file, "Systemspeichernunter1", "System speichern unter",
        &Tsystemform::Systemspeichernunter1Click);
    add(file, "AllesSpeichern1", "&Alles speichern", &Tsystemform::AllesSpeichern1Click);
    file->addSeparator();
    recentWeeks_ = file->addMenu("Zuletzt geöffnete &Wochen");
    recentWeeks_->setObjectName("ZuletztWochen1");
    recentSystems_ = file->addMenu("Zuletzt geöffnete S&ysteme");
    recentSystems_->setObjectName("ZuletztSysteme1");
    for (QMenu* menu : {recentWeeks_, recentSystems_})
        menu->setToolTipsVisible(true);
    file->addSeparator();
    add(file, "Systemexportieren1", "System e&xportieren …", &Tsystemform::Systemexportieren1Click);
    add(file, "Systemimportieren1", "System &importieren …", [this] { week_.ImportSystem(*this); });
    file->addSeparator();
    add(file, "Beenden1", "Be&enden", &Tsystemform::close);

    QMenu* view = menuBar()->addMenu("&Ansicht");
    view->setObjectName("Ansicht1");
    add(view, "ansicht", "&Übersicht", &Tsystemform::ansichtClick);
    filterDisplayItem_ =
        add(view, "Filteranzeige1", "Filteranzeige", &Tsystemform::Filteranzeige1Click);
    filterDisplayItem_->setCheckable(true);

    // How many rows a printed slip holds, and the row display shows at a time.
    view->addSeparator();
    auto* slipGroup = new QActionGroup(this);
    const std::array<std::pair<const char*, const char*>, 4> slipItems{{
        {"reihenz1", "1&2 Reihen/Schein"},
        {"Reihenz2", "1&0 Reihen/Schein"},
        {"Reihenz3", " &8 Reihen/Schein"},
        {"Reihenz4", " &6 Reihen/Schein"},
    }};
    for (std::size_t i = 0; i < slipItems.size(); ++i) {
        const int rowsPerSlip = 12 - 2 * static_cast<int>(i);
        QAction* item = view->addAction(slipItems[i].second);
        item->setObjectName(slipItems[i].first);
        item->setCheckable(true);
        slipGroup->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, rowsPerSlip] { ChooseRowsPerSlip(rowsPerSlip); });
        slipItems_[i] = item;
    }
    view->addSeparator();
    add(view, "GeheZuReihe1", "Gehe zu &Reihe …", &Tsystemform::GeheZuReihe1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));

    QMenu* evaluation = menuBar()->addMenu("A&uswertung");
    evaluation->setObjectName("Auswertung1");
    add(evaluation, "Gewinn1", "&Gewinnermittlung", [this] {
        if (windows_.winDetermination != nullptr)
            ports_.ShowModal(*windows_.winDetermination);
    });
    add(evaluation, "Gewinntabellen1", "Gewinn&tabellen", &Tsystemform::Gewinntabellen1Click);
    add(evaluation, "Gewinnchancen1", "Gewinn&chancen", &Tsystemform::Gewinnchancen1Click);

    QMenu* edit = menuBar()->addMenu("&Bearbeiten");
    edit->setObjectName("Bearbeiten1");
    undoItem_ = add(edit, "Rueckgaengig1", "&Rückgängig", [this] { week_.Undo(); });
    undoItem_->setShortcut(QKeySequence::Undo);
    redoItem_ = add(edit, "Wiederherstellen1", "&Wiederherstellen", [this] { week_.Redo(); });
    redoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    edit->addSeparator();
    // A field being typed in keeps its own Strg+C and Strg+V.
    add(edit, "Reihenkopieren1", "Reihen &kopieren", &Tsystemform::CopyRows)
        ->setShortcut(QKeySequence::Copy);
    add(edit, "Reiheneinfuegen1", "Reihen &einfügen", [this] {
        week_.PasteRows(QGuiApplication::clipboard()->text().toStdString(), *this);
    })->setShortcut(QKeySequence::Paste);
    edit->addSeparator();
    add(edit, "Systemumstellung1", "&Systemumstellung", [this] {
        if (windows_.rearrangement != nullptr)
            ports_.ShowModal(*windows_.rearrangement);  // it fills itself on showing
    });
    add(edit, "ManuelleTippeingabe1", "&Manuelle Tippeingabe", [this] {
        if (windows_.manualEntry != nullptr) {
            windows_.manualEntry->show();
            windows_.manualEntry->raise();
        }
    });
    add(edit, "InFremdsystemvorhandeneReiheneliminieren1",
        "In &Fremdsystem vorhandene Reihen eliminieren",
        &Tsystemform::InFremdsystemvorhandeneReiheneliminieren1Click);
    add(edit, "ReihendieOptionenerflleneliminieren1", "Reihen die &Optionen erfüllen eliminieren",
        &Tsystemform::ReihendieOptionenerflleneliminieren1Click);

    QMenu* options = menuBar()->addMenu("&Optionen");
    options->setObjectName("Optionen1");
    add(options, "PreisproReihe1", "&Preis pro Reihe …", &Tsystemform::PreisproReihe1Click);
    add(options, "Scheinjustieren1", "Schein &justieren …", &Tsystemform::Scheinjustieren1Click);

    QMenu* help = menuBar()->addMenu("&Hilfe");
    help->setObjectName("Hilfe1");
    add(help, "Hilfe2", "&Inhalt", [this] { ports_.ShowHelp(this, "Inhalt"); });
    add(help, "Programmberblick1", "&Programmbeschreibung",
        [this] { ports_.ShowHelp(this, "Überblick"); });
    add(help, "Info1", "&Info", [this] { ports_.ShowHelp(this, "Info"); });
}

void Tsystemform::BuildCommandColumn(QWidget* page) {
    connect(AddButton(page, "tpbuton", "Tippplan", {10, 8, 150, 24}), &QPushButton::clicked, this,
            &Tsystemform::tpbutonClick);
    connect(AddButton(page, "Start", "System erstellen", {10, 36, 150, 24}), &QPushButton::clicked,
            this, &Tsystemform::StartClick);
    connect(AddButton(page, "Filterbut", "Filtern", {10, 64, 150, 24}), &QPushButton::clicked, this,
            &Tsystemform::FilterbutClick);
    connect(AddButton(page, "Button2", "Tippreihen anzeigen", {10, 92, 150, 24}),
            &QPushButton::clicked, this, &Tsystemform::Button2Click);
    connect(AddButton(page, "Button3", "Tippreihen ausdrucken", {10, 120, 150, 24}),
            &QPushButton::clicked, this, &Tsystemform::Button3Click);

    connect(AddButton(page, "qbbutton", "Quotenfilter", {10, 156, 120, 22}), &QPushButton::clicked,
            this, &Tsystemform::qbbuttonClick);
    oddsActive_ = new QCheckBox(page);
    oddsActive_->setObjectName("CheckBox1");
    oddsActive_->setGeometry(136, 156, 22, 22);

    const std::array<const char*, 5> buttonNames{"prozbut", "prozbut2", "prozbut3", "prozbut4",
                                                 "prozbut5"};
    const std::array<const char*, 5> boxNames{"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6",
                                              "CheckBox7"};
    for (int k = 0; k < 5; ++k) {
        const int top = 180 + 24 * k;
        const QString caption = "Proz. Filter " + QString::number(k + 1);
        connect(AddButton(page, buttonNames[k], caption, {10, top, 120, 22}), &QPushButton::clicked,
                this, [this, k] { ProzbutClick(k + 1); });
        percentActive_[k] = new QCheckBox(page);
        percentActive_[k]->setObjectName(boxNames[k]);
        percentActive_[k]->setGeometry(136, top, 22, 22);
    }
    requiredChains_ = new QSpinBox(page);
    requiredChains_->setObjectName("SpinEdit1");
    requiredChains_->setGeometry(160, 204, 50, 22);
    requiredChains_->setToolTip("Wie viele Prozentfilterketten eine Reihe erfüllen muss");
    chainTotal_ = new QLabel(page);
    chainTotal_->setObjectName("Label11");
    chainTotal_->setGeometry(164, 228, 48, 20);

    listArea_ = new QScrollArea(page);
    listArea_->setObjectName("Filterknoepfe");
    listArea_->setGeometry(kListAreaLeft, kListAreaTop - 36, 265, kRowDisplayTop - kListAreaTop);
    listArea_->setFrameShape(QFrame::NoFrame);
    listArea_->setWidget(new QWidget);
}

void Tsystemform::BuildLimitGroup(QWidget* page) {
    auto* group = new QGroupBox("Tippreihenbegrenzung", page);
    group->setObjectName("Tippreihenbegrenzung");
    guaranteeButton_ = new QRadioButton("Gewinngarantie", group);
    guaranteeButton_->setObjectName("GGbutton");
    guaranteeButton_->setChecked(true);
    countButton_ = new QRadioButton(" vorgegebene Zahl", group);
    countButton_->setObjectName("vzButton");
    optimised_ = new QCheckBox("optimiert", group);
    optimised_->setObjectName("CheckBoxOptimiert");
    outside_ = new QCheckBox("auch Reihen außerhalb der Filter", group);
    outside_->setObjectName("CheckBoxAusserhalb");

    // The two choices side by side in full, and the choice that belongs to "optimiert" indented
    // beneath it: the group grows to the left, towards the filter buttons, when the font needs
    // more than its usual width.
    constexpr int inset = 6;
    constexpr int outsideIndent = 28;
    const int guaranteeWidth = guaranteeButton_->sizeHint().width();
    const int countWidth = countButton_->sizeHint().width();
    const int outsideWidth = outside_->sizeHint().width();
    sideWidth_ = std::max({kSideWidth, inset + guaranteeWidth + inset + countWidth + inset,
                           outsideIndent + outsideWidth + inset});
    sideLeft_ = kSideRight - sideWidth_;
    group->setGeometry(sideLeft_, 4, sideWidth_, kLimitGroupHeight);
    guaranteeButton_->setGeometry(inset, 20, guaranteeWidth, 22);
    countButton_->setGeometry(sideWidth_ - inset - countWidth, 20, countWidth, 22);
    QRect list = listArea_->geometry();
    list.setRight(std::min(list.right(), sideLeft_ - 1));
    listArea_->setGeometry(list);

    auto* choices = new QWidget(group);
    choices->setObjectName("Garantiestufen");
    choices->setGeometry(5, 40, sideWidth_ - 10, 84);
    QFont small = choices->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    for (int i = 0; i < 4; ++i) {
        const int left = 5 + 125 * (i % 2);
        const int top = 4 + 40 * (i / 2);
        guarantees_[i] = new QRadioButton(choices);
        guarantees_[i]->setObjectName("Gewinngarantie" + QString::number(i + 1));
        guarantees_[i]->setGeometry(left, top, 45, 22);
        auto* label = new QLabel("Richtige", choices);
        label->setGeometry(left + 46, top, 70, 22);
        // How many rows this level kept from the system last reduced, under its caption.
        keptRows_[i] = new QLabel(choices);
        keptRows_[i]->setObjectName("Garantiereihen" + QString::number(i + 1));
        keptRows_[i]->setGeometry(left + 20, top + 21, 105, 15);
        keptRows_[i]->setFont(small);
        const int level = i;
        connect(guarantees_[i], &QRadioButton::toggled, this, [this, level](bool on) {
            if (on)
                week_.SetGuaranteeLevel(level);
        });
    }
    guarantees_[0]->setChecked(true);
    optimised_->setGeometry(10, 124, sideWidth_ - 10 - inset, 22);
    optimised_->setToolTip(
        "Dieselbe Gewinngarantie mit möglichst wenigen Reihen; die Suche "
        "dauert einige Sekunden und lässt sich mit „Abbruch“ beenden.");
    connect(optimised_, &QCheckBox::toggled, this, [this](bool on) { week_.SetOptimised(on); });
    outside_->setGeometry(outsideIndent, 146, sideWidth_ - outsideIndent - inset, 22);
    outside_->setToolTip(
        "Die Gewinngarantie gilt weiterhin für alle Reihen, die die Filter durchlassen. Das "
        "System darf aber auch Reihen enthalten, die die Filter verwerfen würden; oft wird es "
        "dadurch deutlich kleiner. Nur zusammen mit „optimiert“.");
    connect(outside_, &QCheckBox::toggled, this, [this](bool on) { week_.SetOutside(on); });

    // The panel lies over the guarantee levels, which it hides; it paints its own background,
    // so nothing beneath shows through its title or field.
    countPanel_ = new QGroupBox("Reihenanzahl", group);
    countPanel_->setObjectName("Reihenanzahl");
    countPanel_->setGeometry(choices->geometry());
    countPanel_->setAutoFillBackground(true);
    countEdit_ = new QLineEdit(countPanel_);
    countEdit_->setObjectName("Edit1");
    countEdit_->setGeometry(10, 28, 120, 24);
    countEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), countEdit_));
    countEdit_->setText(QString::fromStdString(week_.State().generation.countText));
    countPanel_->hide();
    connect(countEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { week_.SetCountText(text.toStdString()); });

    connect(guaranteeButton_, &QRadioButton::toggled, this, [this, choices](bool on) {
        if (!on)
            return;
        week_.SetGenerationLimit(RowLimit::Guarantee);
        countPanel_->hide();
        choices->show();
        optimised_->show();
        outside_->show();
    });
    connect(countButton_, &QRadioButton::toggled, this, [this, choices](bool on) {
        if (!on)
            return;
        week_.SetGenerationLimit(RowLimit::Count);
        choices->hide();     // neither seen nor reached by the keyboard beneath the panel
        optimised_->hide();  // it belongs to the guarantee levels
        outside_->hide();
        countPanel_->show();
        countPanel_->raise();
    });
}

void Tsystemform::BuildSignChangeGroup(QWidget* page) {
    auto* group = new QGroupBox("Tippzeichenwechsel", page);
    group->setObjectName("Tippzeichenwechsel");
    group->setGeometry(sideLeft_, 4 + kLimitGroupHeight + 4, sideWidth_, 84);
    (new QLabel("mindestens", group))->setGeometry(10, 22, 75, 22);
    (new QLabel("höchstens", group))->setGeometry(10, 50, 75, 22);
    signChangeSpins_[0] = AddSpin(group, "TZminspin", 0, {88, 22, 50, 22});
    signChangeSpins_[1] = AddSpin(group, "tzmaxspin", 1, {88, 50, 50, 22});
    signChangeOr_ = new QCheckBox("oder", group);
    signChangeOr_->setObjectName("CheckBox2");
    signChangeOr_->setGeometry(146, 36, 55, 22);
    signChangeSpins_[2] = AddSpin(group, "tzminspin2", 0, {204, 22, 50, 22});
    signChangeSpins_[3] = AddSpin(group, "tzmaxspin2", 1, {204, 50, 50, 22});
}

void Tsystemform::BuildStatusAndRows(QWidget* page) {
    auto label = [page](const char* name, QRect where) {
        auto* text = new QLabel(page);
        text->setObjectName(name);
        text->setGeometry(where);
        return text;
    };
    upperStatus_ = label("StaticText2", {270, kRowDisplayTop + 4, 480, 20});
    lowerStatus_ = label("StaticText1", {270, kRowDisplayTop + 28, 480, 20});
    label("Systemgroesse", {270, kRowDisplayTop + 52, 90, 20})->setText("Systemgröße:");
    systemSize_ = label("Label1", {362, kRowDisplayTop + 52, 120, 20});
    stake_ = label("Einsatz", {490, kRowDisplayTop + 52, 260, 20});
    rowPosition_ = label("Label7", {270, kRowDisplayTop + 76, 200, 20});
    // Two lines: the check may also name the rows outside the filters.
    guaranteeCheck_ = label("Label12", {270, kRowDisplayTop + 100, 480, 40});
    guaranteeCheck_->setWordWrap(true);
    guaranteeCheck_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rowPosition_->setText("Reihe: 1");

    rowModel_ = new RowTableModel(this);
    rowDisplay_ = new QTableView(page);
    rowDisplay_->setObjectName("stringgrid1");
    rowHeader_ = new RowNumberHeader(kCellSize, rowDisplay_);
    rowHeader_->setObjectName("Reihennummern");
    rowDisplay_->setHorizontalHeader(rowHeader_);
    rowDisplay_->setModel(rowModel_);
    rowDisplay_->verticalHeader()->setMinimumSectionSize(kGameRowHeight);
    rowDisplay_->verticalHeader()->setDefaultSectionSize(kGameRowHeight);
    rowDisplay_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rowDisplay_->verticalHeader()->setFixedWidth(kGameColumnWidth);
    rowDisplay_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowDisplay_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rowDisplay_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    rowDisplay_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows of the system are chosen for copying: a column each.
    rowDisplay_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rowDisplay_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    connect(rowDisplay_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &Tsystemform::UpdateRowPosition);
}

void Tsystemform::ConnectFilterControls() {
    connect(oddsActive_, &QCheckBox::toggled, this, [this](bool on) { week_.SetOddsActive(on); });
    for (int k = 0; k < 5; ++k) {
        connect(percentActive_[k], &QCheckBox::toggled, this,
                [this, k](bool on) { week_.SetPercentActive(k + 1, on); });
    }
    connect(requiredChains_, &QSpinBox::valueChanged, this,
            [this](int value) { week_.SetRequiredChains(value); });
    const std::array<SignChangeField, 4> fields{SignChangeField::Min1, SignChangeField::Max1,
                                                SignChangeField::Min2, SignChangeField::Max2};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const SignChangeField field = fields[i];
        connect(signChangeSpins_[i], &QSpinBox::valueChanged, this,
                [this, field](int value) { week_.SetSignChange(field, value); });
    }
    connect(signChangeOr_, &QCheckBox::toggled, this,
            [this](bool on) { week_.SetSignChangeOr(on); });
}

// ---------------------------------------------------------------------------------------------
// Showing the state

void Tsystemform::WeekChanged(WeekChanges what) {
    const Workspace& s = week_.State();
    upperStatus_->setText(QString::fromStdString(UpperStatusText(s)));
    upperStatus_->setToolTip(upperStatus_->text());
    lowerStatus_->setText(QString::fromStdString(LowerStatusText(s)));
    systemSize_->setText(QString::fromStdString(SystemSizeText(s)));
    stake_->setText(QString::fromStdString(StakeText(s)));
    guaranteeCheck_->setText(QString::fromStdString(GuaranteeText(s)));
    setWindowTitle(
        QString::fromStdString(WindowTitle(s, week_.WeekUnsaved() || week_.SystemUnsaved())));
    const std::array<std::optional<std::int32_t>, 4> kept = week_.RowsKeptPerLevel();
    for (int i = 0; i < 4; ++i) {
        guarantees_[i]->setText(QString::number(week_.GuaranteeCaption(i)));
        keptRows_[i]->setText(kept[i] ? ToolkitLocale().toString(*kept[i]) +
                                            (*kept[i] == 1 ? " Reihe" : " Reihen")
                                      : QString());
    }

    ShowFilterControls();
    ShowLimitControls();
    if (what & kFiltersChanged)
        RebuildListButtons();
    if (what & (kRowsChanged | kSettingsChanged | kTipPlanChanged))
        ShowRows();

    for (int i = 0; i < 4; ++i)
        slipItems_[i]->setChecked(s.rowsPerSlip == 12 - 2 * i);
    filterDisplayItem_->setChecked(s.filterDisplayShown);
    if (windows_.filterDisplay != nullptr)
        windows_.filterDisplay->setVisible(s.filterDisplayShown);

    if (what & kFileNamesChanged)
        ShowRecentFiles();

    undoItem_->setEnabled(week_.CanUndo());
    undoItem_->setText(week_.CanUndo() ? "&Rückgängig: " + QString::fromStdString(
                                                               week_.History().UndoTop().command)
                                       : QString("&Rückgängig"));
    redoItem_->setEnabled(week_.CanRedo());
    redoItem_->setText(week_.CanRedo()
                           ? "&Wiederherstellen: " +
                                 QString::fromStdString(week_.History().RedoTop().command)
                           : QString("&Wiederherstellen"));
}

void Tsystemform::ShowFilterControls() {
    const TFilterSet& f = week_.State().filters;
    {
        const QSignalBlocker block(oddsActive_);
        oddsActive_->setChecked(f.odds.active != 0);
    }
    for (int k = 0; k < 5; ++k) {
        const QSignalBlocker block(percentActive_[k]);
        percentActive_[k]->setChecked(f.percent[k].active != 0);
    }
    {
        const QSignalBlocker block(requiredChains_);
        requiredChains_->setRange(0, f.chainCount());
        requiredChains_->setValue(f.requiredChains);
    }
    chainTotal_->setText("aus " + QString::number(f.chainCount()));

    const std::array<int, 4> values{f.signChange.min1, f.signChange.max1, f.signChange.min2,
                                    f.signChange.max2};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker block(signChangeSpins_[i]);
        signChangeSpins_[i]->setMaximum(week_.SignChangeLimit());
        signChangeSpins_[i]->setValue(values[i]);
    }
    {
        const QSignalBlocker block(signChangeOr_);
        signChangeOr_->setChecked(f.signChange.orSecond == 1);
    }
    signChangeSpins_[2]->setVisible(f.signChange.orSecond == 1);
    signChangeSpins_[3]->setVisible(f.signChange.orSecond == 1);
}

void Tsystemform::ShowLimitControls() {
    const GenerationSettings& settings = week_.State().generation;
    {
        const QSignalBlocker block(optimised_);
        optimised_->setChecked(settings.optimised);
    }
    {
        const QSignalBlocker block(outside_);
        outside_->setChecked(settings.outside);
    }
    outside_->setEnabled(settings.optimised);  // the fixed scan keeps rows of the list only
}

// The display shows the system as it is now, or, before "Tippreihen anzeigen", empty
// columns; never rows the system no longer has.
void Tsystemform::ShowRows() {
    const Workspace& s = week_.State();
    const int position = rowDisplay_->horizontalScrollBar()->value();
    if (s.rowsShown && s.rows.Games() == s.games && !s.rows.Empty())
        rowModel_->Show(s.rows);
    else
        rowModel_->Clear(s.games, s.rowsPerSlip);
    ApplyRowsPerSlip();
    rowDisplay_->horizontalScrollBar()->setValue(position);
    UpdateRowPosition();
}

void Tsystemform::RebuildListButtons() {
    // A button may be rebuilt from its own click (an editor opened from it stored its entry).
    for (QPushButton* button : listButtons_) {
        button->hide();
        button->setParent(nullptr);
        button->deleteLater();
    }
    listButtons_.clear();

    const Workspace& s = week_.State();
    std::vector<ListButton> buttons = BlockButtons(s.filters.blocks);
    // A new week offers the first rule before any exists.
    const std::vector<ListButton> sequences =
        s.tipPlanName == kNewTipPlanName && s.filters.sequences.empty()
            ? SequenceButtonsAfterNew()
            : SequenceButtons(s.filters.sequences);
    buttons.insert(buttons.end(), sequences.begin(), sequences.end());

    QWidget* area = listArea_->widget();
    const QPoint origin = listArea_->geometry().topLeft();
    int right = 0;
    int bottom = 0;
    for (const ListButton& entry : buttons) {
        auto* button = new QPushButton(QString::fromStdString(entry.caption), area);
        button->setObjectName(QString::fromStdString(entry.name));
        button->setGeometry(entry.left - origin.x(), entry.top - origin.y(), entry.width,
                            entry.height);
        QFont font(kListButtonFont, kListButtonFontSize);
        font.setStyleHint(QFont::Monospace);
        button->setFont(font);
        if (entry.red)
            button->setStyleSheet("color: red;");
        // The number in the name "but_N" or "btseq_N" says which entry the button edits.
        const bool block = entry.name.rfind("but_", 0) == 0;
        const int number = std::stoi(entry.name.substr(entry.name.find('_') + 1));
        connect(button, &QPushButton::clicked, this, [this, block, number] {
            if (block)
                Button1Click(number);
            else
                BtseqClick(number);
        });
        button->show();
        listButtons_.push_back(button);
        right = std::max(right, button->geometry().right());
        bottom = std::max(bottom, button->geometry().bottom());
    }
    // As wide as the buttons, so that only a long list scrolls, and only downwards.
    area->resize(right + 1, bottom + 4);
}

// The row numbers add the height of their header; the window grows when a long number
// would push the display beyond its bottom edge.
void Tsystemform::ApplyRowsPerSlip() {
    const int slips = week_.State().rowsPerSlip;
    const int games = rowModel_->rowCount();
    rowDisplay_->setGeometry(10, kRowDisplayTop, 37 + kCellSize * slips,
                             games * 17 + 20 + rowHeader_->NeededHeight());
    centralWidget()->setMinimumHeight(rowDisplay_->geometry().bottom() + 8);
}

void Tsystemform::GeheZuReihe1Click() {
    if (const auto empty = week_.EmptySystemMessage(RowsCommand::GoToRow)) {
        ShowMessage(MessageKind::Information, *empty);
        return;
    }
    const std::int32_t count = week_.State().rows.Count();
    const int current = rowModel_->ShownRows() == count ? rowHeader_->FirstColumnInView() : 0;
    const std::optional<std::int32_t> column =
        AskRowColumn(ports_, this, count, std::max(0, current));
    if (!column)
        return;
    // Rows not shown yet are shown first, as "Tippreihen anzeigen" does.
    if (rowModel_->ShownRows() != count)
        week_.Button2Click();
    if (*column >= rowModel_->ShownRows())
        return;
    // The row becomes the first column in view (the last ones as far as the display scrolls)
    // and is chosen, as a click on its number would choose it.
    rowDisplay_->horizontalScrollBar()->setValue(*column);
    rowDisplay_->selectionModel()->setCurrentIndex(
        rowModel_->index(0, *column),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Columns);
    rowDisplay_->setFocus();
    UpdateRowPosition();
}

void Tsystemform::UpdateRowPosition() {
    rowPosition_->setText("Reihe: " +
                          QString::number(std::max(0, rowHeader_->FirstColumnInView()) + 1));
}

void Tsystemform::qbbuttonClick() {
    if (windows_.odds != nullptr) {
        windows_.odds->show();
        windows_.odds->raise();
    }
}

void Tsystemform::ProzbutClick(int filter) {
    if (QDialog* editor = windows_.percent[static_cast<std::size_t>(filter - 1)]) {
        editor->show();
        editor->raise();
    }
}

TBlockform& Tsystemform::BlockForm(int number) {
    const QString name = QString::fromStdString(BlockFormName(number));
    if (auto* existing = findChild<TBlockform*>(name, Qt::FindDirectChildrenOnly))
        return *existing;
    auto* editor = new TBlockform(number, week_, ports_, this);
    connect(editor, &TBlockform::BlockConfirmed, this, &Tsystemform::StoreBlock);
    connect(editor, &TBlockform::BlockDeleteRequested, this,
            [this, editor](int deleted) { DeleteBlock(deleted, editor); });
    return *editor;
}

void Tsystemform::Button1Click(int block) {
    TBlockform& editor = BlockForm(block);
    editor.show();
    editor.raise();
}

void Tsystemform::BtseqClick(int rule) {
    if (sequenceForm_ == nullptr) {
        sequenceForm_ = new Tseqform(week_, ports_, this);
        connect(sequenceForm_, &Tseqform::SequenceConfirmed, this, &Tsystemform::StoreSequence);
        connect(sequenceForm_, &Tseqform::SequenceDeleteRequested, this,
                &Tsystemform::DeleteSequence);
    }
    sequenceForm_->Edit(rule);
}

// The editors of blocks that no longer exist must not write into others' places; every
// editor loads its block again when it is opened, so none is kept after the list changed.
void Tsystemform::DiscardBlockForms(int from, const TBlockform* keep) {
    for (TBlockform* editor : findChildren<TBlockform*>(Qt::FindDirectChildrenOnly)) {
        if (editor == keep || editor->Number() < from)
            continue;
        editor->hide();
        editor->deleteLater();
    }
}

void Tsystemform::StoreBlock(int number, const TBlockFilter& block) {
    week_.StoreBlock(number, block);
}

// The blocks before the deleted one keep their places, and so do their editors with whatever
// the user has changed in them. The editor that asked stays open and shows what has become
// block N; the editors of the later blocks, whose places moved, are discarded.
void Tsystemform::DeleteBlock(int number, const TBlockform* asking) {
    week_.DeleteBlock(number);
    DiscardBlockForms(number, asking);
}

void Tsystemform::StoreSequence(int number, const TSequenceRule& rule) {
    week_.StoreSequence(number, rule);
}

void Tsystemform::DeleteSequence(int number) {
    week_.DeleteSequence(number);
}

// ---------------------------------------------------------------------------------------------
// WeekView

void Tsystemform::ShowMessage(MessageKind kind, const std::string& text) {
    ports_.ShowMessage(this, kind, QString::fromStdString(text));
}

bool Tsystemform::Ask(const std::string& question) {
    return ports_.Ask(this, QString::fromStdString(question));
}

Answer Tsystemform::AskWithCancel(const std::string& question) {
    return ports_.AskWithCancel(this, QString::fromStdString(question));
}

std::optional<int> Tsystemform::Choose(const std::string& question,
                                       const std::vector<std::string>& answers) {
    QStringList captions;
    for (const std::string& answer : answers)
        captions << QString::fromStdString(answer);
    return ports_.Choose(this, QString::fromStdString(question), captions);
}

std::optional<std::string> Tsystemform::OpenFileName(const FileDialogRequest& request) {
    return ports_.OpenFileName(this, request);
}

std::optional<std::string> Tsystemform::SaveFileName(const FileDialogRequest& request) {
    return ports_.SaveFileName(this, request);
}

// ---------------------------------------------------------------------------------------------
// Rows as text and the stake

void Tsystemform::Systemexportieren1Click() {
    if (const std::optional<std::string> empty = week_.EmptySystemMessage(RowsCommand::Export)) {
        ShowMessage(MessageKind::Information, *empty);
        return;
    }
    if (exportWindow_ == nullptr)
        exportWindow_ = new TSystemexport(week_, *this, this);
    ports_.ShowModal(*exportWindow_);
}

void Tsystemform::CopyRows() {
    std::vector<std::int32_t> selected;
    if (rowModel_->ShownRows() > 0) {
        for (const QModelIndex& column : rowDisplay_->selectionModel()->selectedColumns())
            selected.push_back(column.column());
        std::sort(selected.begin(), selected.end());
    }
    if (week_.State().rows.Empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(week_.CopyRows(selected)));
}

void Tsystemform::Scheinjustieren1Click() {
    if (calibrationWindow_ == nullptr)
        calibrationWindow_ = new TScheinjustierung(week_, ports_, this);
    ports_.ShowModal(*calibrationWindow_);
}

void Tsystemform::PreisproReihe1Click() {
    const std::optional<double> euro =
        ports_.AskAmount(this, "Preis pro Reihe", "Was eine Tippreihe kostet, in Euro:",
                         static_cast<double>(week_.State().pricePerRowCents) / 100.0, 10000.0);
    if (!euro)
        return;
    const auto cents = static_cast<std::int64_t>(std::llround(*euro * 100.0));
    week_.SetPricePerRow(cents);
    StorePricePerRow(cents);
}

void Tsystemform::ShowTipPlanEditor() {
    if (windows_.tipPlan != nullptr)
        windows_.tipPlan->ShowForGameCount();
}

void Tsystemform::ShowRunningSize(std::int32_t rows) {
    systemSize_->setText(QString::number(rows));
}

// ---------------------------------------------------------------------------------------------
// Commands

void Tsystemform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    const QScreen* screen = this->screen();
    if (screen != nullptr && !property(kPlaceRestored).toBool())
        move(screen->availableGeometry().center() - rect().center());
    week_.FormShow(*this);
}

// Unsaved work is asked about; "Abbrechen" keeps the program open.
void Tsystemform::closeEvent(QCloseEvent* event) {
    if (!week_.FormHide(*this)) {
        event->ignore();
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
    emit Closed();
}

void Tsystemform::mouseDoubleClickEvent(QMouseEvent*) {
    SaveWindowImage(this, "Systemform.BMP", ports_);
}

// The editors of the week that was replaced must not write into the new one.
void Tsystemform::Neu1Click() {
    const std::uint64_t week = week_.State().weekSerial;
    week_.Neu1Click(*this);
    if (week_.State().weekSerial != week)
        DiscardBlockForms();
}

void Tsystemform::ffnen1Click() {
    const std::uint64_t week = week_.State().weekSerial;
    week_.ffnen1Click(*this);
    if (week_.State().weekSerial != week)
        DiscardBlockForms();
}

void Tsystemform::OpenRecentWeek(const std::string& tipPlanName) {
    const std::uint64_t week = week_.State().weekSerial;
    week_.OpenWeek(tipPlanName, *this);
    if (week_.State().weekSerial != week)
        DiscardBlockForms();
}

void Tsystemform::OpenRecentSystem(const std::string& rowFileName) {
    week_.OpenSystem(rowFileName, *this);
}

// Numbered in the order of the list, the file's name shown and its whole path as the tip.
void Tsystemform::ShowRecentFiles() {
    auto fill = [this](QMenu* menu, const RecentFiles& list, const QString& itemName,
                       void (Tsystemform::*open)(const std::string&)) {
        // An item may be the one being chosen right now: it goes once its signal is done.
        for (QAction* old : menu->actions()) {
            menu->removeAction(old);
            old->setParent(nullptr);
            old->deleteLater();
        }
        int number = 0;
        for (const std::string& name : list.Names()) {
            ++number;
            const QString path = QString::fromStdString(name);
            QString caption = QFileInfo(path).fileName();
            caption.replace('&', "&&");
            QAction* item = menu->addAction(QString("&%1 %2").arg(number).arg(caption));
            item->setObjectName(itemName + QString::number(number));
            item->setToolTip(path);
            item->setStatusTip(path);
            connect(item, &QAction::triggered, this, [this, name, open] { (this->*open)(name); });
        }
        menu->setEnabled(number > 0);
    };
    fill(recentWeeks_, week_.RecentWeeks(), "ZuletztWoche", &Tsystemform::OpenRecentWeek);
    fill(recentSystems_, week_.RecentSystems(), "ZuletztSystem", &Tsystemform::OpenRecentSystem);
}

void Tsystemform::Speichern1Click() {
    week_.Speichern1Click(*this);
}

void Tsystemform::Speichernunter1Click() {
    week_.Speichernunter1Click(*this);
}

void Tsystemform::System1Click() {
    week_.System1Click(*this);
}

void Tsystemform::Systemffnen1Click() {
    week_.Systemffnen1Click(*this);
}

void Tsystemform::Systemspeichern1Click() {
    week_.Systemspeichern1Click(*this);
}

void Tsystemform::Systemspeichernunter1Click() {
    week_.Systemspeichernunter1Click(*this);
}

void Tsystemform::AllesSpeichern1Click() {
    week_.AllesSpeichern1Click(*this);
}

void Tsystemform::ansichtClick() {
    if (windows_.distribution == nullptr)
        return;
    const QString problem = windows_.distribution->Refresh(week_.State().rows, week_.State().games);
    if (!problem.isEmpty())
        ShowMessage(MessageKind::Error, problem.toStdString());
    else
        ports_.ShowModal(*windows_.distribution);
}

void Tsystemform::Filteranzeige1Click() {
    week_.Filteranzeige1Click();
}

void Tsystemform::Gewinntabellen1Click() {
    if (const auto empty = week_.EmptySystemMessage(RowsCommand::WinTables)) {
        ShowMessage(MessageKind::Information, *empty);
        return;
    }
    if (windows_.winTables == nullptr)
        return;
    windows_.winTables->show();
    windows_.winTables->raise();
    windows_.winTables->activateWindow();
}

void Tsystemform::Gewinnchancen1Click() {
    // An empty system has chances too: it wins nothing for certain.
    if (windows_.chances == nullptr)
        return;
    windows_.chances->show();
    windows_.chances->raise();
    windows_.chances->activateWindow();
}

void Tsystemform::ChooseRowsPerSlip(int rowsPerSlip) {
    week_.ChooseRowsPerSlip(rowsPerSlip, *this);
}

void Tsystemform::InFremdsystemvorhandeneReiheneliminieren1Click() {
    week_.InFremdsystemvorhandeneReiheneliminieren1Click(*this);
}

void Tsystemform::ReihendieOptionenerflleneliminieren1Click() {
    week_.ReihendieOptionenerflleneliminieren1Click();
}

void Tsystemform::tpbutonClick() {
    ShowTipPlanEditor();
}

void Tsystemform::StartClick() {
    AbortFlag abort;
    ProgressRun run(*this, windows_.progress, windows_.alarm, ports_, abort);
    week_.StartClick(abort, run);
}

void Tsystemform::FilterbutClick() {
    AbortFlag abort;
    ProgressRun run(*this, windows_.progress, windows_.alarm, ports_, abort);
    week_.FilterbutClick(abort, run);
}

void Tsystemform::Button2Click() {
    if (week_.State().rows.Empty())
        return;
    week_.Button2Click();
    rowDisplay_->horizontalScrollBar()->setValue(0);
    UpdateRowPosition();
}

void Tsystemform::Button3Click() {
    if (const auto empty = week_.EmptySystemMessage(RowsCommand::PrintSlips)) {
        ShowMessage(MessageKind::Information, *empty);
        return;
    }
    const std::vector<SlipDocument> pages =
        LayoutSlips(week_.State().rows, week_.State().rowsPerSlip, StoredSlipOffset());
    ports_.Print(this, "Tippscheine.pdf", SlipPageLayout(), static_cast<int>(pages.size()),
                 [&pages](QPainter& painter, int index) {
                     PaintSlipPage(painter, pages[static_cast<std::size_t>(index)]);
                 });
}

}  // namespace velmora
