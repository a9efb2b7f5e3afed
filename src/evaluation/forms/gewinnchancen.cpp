#include "evaluation/forms/gewinnchancen.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <memory>

#include "app/forms/busycursor.h"
#include "app/forms/programsettings.h"
#include "app/forms/uiports.h"
#include "app/forms/weeksignals.h"
#include "app/workingweek.h"
#include "evaluation/forms/druckvorschau.h"

namespace velmora {

namespace {

constexpr int kWindowWidth = 980;
constexpr int kWindowHeight = 760;
constexpr int kFieldWidth = 130;
// The chart on paper, in millimetres, and the pixels it is drawn with.
constexpr double kPrintedChartWidth = ReportPage::kWidth - 2 * ReportPage::kMargin;
constexpr double kPrintedChartHeight = 95;
constexpr int kPrintedChartPixels = 2000;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << Text(text);
    return list;
}

QLabel* AddLine(QVBoxLayout* layout, const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

}  // namespace

bool TGewinnchancen::Basis::SameAs(const Basis& now) const {
    return games == now.games && plan == now.plan && filters == now.filters &&
           weekSerial == now.weekSerial && rowsRevision == now.rowsRevision && rows == now.rows &&
           (!withPool || pricePerRowCents == now.pricePerRowCents);
}

TGewinnchancen::TGewinnchancen(WorkingWeek& week, UiPorts& ports, WeekSignals& weekSignals,
                               QWidget* parent)
    : QDialog(parent), week_(week), ports_(ports), settings_(StoredChanceSettings()) {
    setObjectName("TGewinnchancen");
    setWindowTitle(kChancesTitle);
    resize(kWindowWidth, kWindowHeight);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildSettings(), 0);
    BuildChart();
    top->addWidget(chartView_, 1);
    layout->addLayout(top);

    basisLine_ = AddLine(layout, "GrundlageLabel");
    planLine_ = AddLine(layout, "VollsystemLabel");
    filteredLine_ = AddLine(layout, "GefiltertLabel");
    BuildTable();
    layout->addWidget(table_);
    const std::array<const char*, 3> payoutNames{"AuszahlungLabel", "EinsatzLabel",
                                                 "DifferenzLabel"};
    for (std::size_t i = 0; i < payoutLines_.size(); ++i)
        payoutLines_[i] = AddLine(layout, payoutNames[i]);
    outdatedLine_ = AddLine(layout, "VeraltetLabel");
    outdatedLine_->setStyleSheet("color: #b00000; font-weight: bold;");
    outdatedLine_->setWordWrap(true);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto* print = new QPushButton("Drucken");
    print->setObjectName("DruckenButton");
    connect(print, &QPushButton::clicked, this, &TGewinnchancen::DruckenClick);
    auto* help = new QPushButton("Hilfe");
    help->setObjectName("HilfeButton");
    connect(help, &QPushButton::clicked, this, [this] { ports_.ShowHelp(this, kChancesTitle); });
    auto* close = new QPushButton("Schließen");
    close->setObjectName("SchliessenButton");
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    for (QPushButton* button : {print, help, close})
        button->setAutoDefault(false);
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(&weekSignals, &WeekSignals::Changed, this, [this] { WeekChanged(); });
    ShowFields();
    ShowCaptions();
    ShowResult();
}

QWidget* TGewinnchancen::BuildSettings() {
    auto* group = new QGroupBox("Berechnungsgrundlage");
    group->setObjectName("GrundlageGroup");
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

    source_ = new QComboBox;
    source_->setObjectName("QuelleCombo");
    source_->addItems(Texts(SourceChoices()));
    form->addRow(QString(kSourceCaption) + ":", source_);
    players_ = new QComboBox;
    players_->setObjectName("PublikumCombo");
    players_->addItems(Texts(PlayersChoices()));
    connect(players_, &QComboBox::currentIndexChanged, this, [this] { EnablePoolFields(); });
    form->addRow(QString(kPlayersCaption) + ":", players_);

    auto field = [this](const char* name) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setFixedWidth(kFieldWidth);
        edit->setAlignment(Qt::AlignRight);
        // Enter computes, as the button does.
        connect(edit, &QLineEdit::returnPressed, this, &TGewinnchancen::BerechnenClick);
        return edit;
    };
    stakes_ = field("EinsatzEdit");
    form->addRow(QString(kStakesCaption) + ":", stakes_);
    rate_ = field("QuoteEdit");
    form->addRow(QString(kRateCaption) + ":", rate_);
    for (std::size_t e = 0; e < shares_.size(); ++e) {
        const QString name = "Anteil" + QString::number(e) + "Edit";
        shares_[e] = field(name.toLatin1().constData());
        shareLabels_[e] = new QLabel;
        shareLabels_[e]->setObjectName("Anteil" + QString::number(e) + "Label");
        shareLabels_[e]->setBuddy(shares_[e]);
        form->addRow(shareLabels_[e], shares_[e]);
    }

    auto* compute = new QPushButton("Berechnen");
    compute->setObjectName("BerechnenButton");
    compute->setAutoDefault(false);
    connect(compute, &QPushButton::clicked, this, &TGewinnchancen::BerechnenClick);
    auto* column = new QVBoxLayout(group);
    column->addLayout(form);
    column->addStretch(1);
    column->addWidget(compute, 0, Qt::AlignLeft);
    return group;
}

void TGewinnchancen::BuildChart() {
    allBars_ = new QBarSet(kAllOutcomesSeries);
    filteredBars_ = new QBarSet(kFilteredSeries);
    allBars_->setColor(QColor(0x3a, 0x6e, 0xa5));
    filteredBars_->setColor(QColor(0xe0, 0x8a, 0x1e));
    auto* series = new QBarSeries;
    series->append(allBars_);
    series->append(filteredBars_);

    chart_ = new QChart;
    chart_->addSeries(series);
    chart_->setTitle("Wahrscheinlichkeit der höchsten Gewinnklasse in %");
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setLocale(QLocale(QLocale::German, QLocale::Germany));
    chart_->setLocalizeNumbers(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    classAxis_ = new QBarCategoryAxis;
    classAxis_->setTruncateLabels(false);
    chart_->addAxis(classAxis_, Qt::AlignBottom);
    series->attachAxis(classAxis_);
    percentAxis_ = new QValueAxis;
    percentAxis_->setLabelFormat("%.0f");
    chart_->addAxis(percentAxis_, Qt::AlignLeft);
    series->attachAxis(percentAxis_);

    chartView_ = new QChartView(chart_);
    chartView_->setObjectName("ChancenDiagramm");
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumSize(420, 300);
}

void TGewinnchancen::BuildTable() {
    table_ = new QTableWidget(kChanceRows, 0);
    table_->setObjectName("ChancenTabelle");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

TGewinnchancen::Basis TGewinnchancen::BasisNow() const {
    const Workspace& s = week_.State();
    return {s.games,        s.plan,         s.filters,          s.weekSerial,
            s.rowsRevision, s.rows.Count(), s.pricePerRowCents, settings_.pool.publicFilter != 0};
}

void TGewinnchancen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        WeekChanged();
}

void TGewinnchancen::WeekChanged() {
    if (shown_ && !basis_.SameAs(BasisNow())) {
        shown_.reset();
        outdated_ = true;
        ShowResult();
    }
    ShowCaptions();
}

void TGewinnchancen::ShowFields() {
    source_->setCurrentIndex(SourceChoice(settings_.source));
    players_->setCurrentIndex(settings_.pool.publicFilter);
    const PoolFields fields = PoolFieldsOf(settings_.pool);
    stakes_->setText(Text(fields.stakes));
    rate_->setText(Text(fields.rate));
    for (std::size_t e = 0; e < shares_.size(); ++e)
        shares_[e]->setText(Text(fields.shares[e]));
    EnablePoolFields();
}

void TGewinnchancen::ShowCaptions() {
    const int n = week_.State().games;
    for (std::size_t e = 0; e < shareLabels_.size(); ++e)
        shareLabels_[e]->setText(Text(ShareCaption(n, static_cast<int>(e)) + ":"));
    QStringList captions;
    for (int cls = 0; cls < kChanceRows; ++cls)
        captions << Text(ChanceClassCaption(shown_ ? basis_.games : n, cls));
    table_->setVerticalHeaderLabels(captions);
    // Under its bar "nichts gewonnen" takes two lines.
    QStringList categories = captions;
    categories.back().replace(' ', "<br>");
    if (classAxis_->categories() != categories) {
        classAxis_->clear();
        classAxis_->append(categories);
    }
}

void TGewinnchancen::EnablePoolFields() {
    const bool pool = players_->currentIndex() > 0;
    for (QLineEdit* edit : {stakes_, rate_})
        edit->setEnabled(pool);
    for (QLineEdit* edit : shares_)
        edit->setEnabled(pool);
}

void TGewinnchancen::BerechnenClick() {
    ChanceSettings next = settings_;
    next.source = SourceAtChoice(source_->currentIndex());
    next.pool.publicFilter = players_->currentIndex();
    if (next.pool.publicFilter != 0) {
        PoolFields fields;
        fields.stakes = stakes_->text().toStdString();
        fields.rate = rate_->text().toStdString();
        for (std::size_t e = 0; e < shares_.size(); ++e)
            fields.shares[e] = shares_[e]->text().toStdString();
        if (const std::string problem = ReadPoolFields(fields, week_.State().games, next.pool);
            !problem.empty()) {
            ports_.ShowMessage(this, MessageKind::Error, Text(problem));
            return;
        }
    }

    ChancesOutcome outcome;
    {
        const BusyCursor busy;
        outcome = week_.ComputeChances(next);
    }
    if (!outcome.result) {
        ports_.ShowMessage(this, MessageKind::Error, Text(outcome.problem));
        return;
    }
    settings_ = next;
    StoreChanceSettings(settings_);
    basis_ = BasisNow();
    shown_ = MakeChancesView(outcome.games, settings_, *outcome.result, outcome.rows,
                             outcome.pricePerRowCents);
    chartValues_ = ChartValuesOf(*outcome.result);
    outdated_ = false;
    ShowFields();
    ShowCaptions();
    ShowResult();
}

void TGewinnchancen::ShowResult() {
    const std::vector<std::string> headings =
        shown_ ? shown_->table.headings : MakeChancesTable(kMinGames, {}, 0).headings;
    table_->clearContents();
    table_->setColumnCount(static_cast<int>(headings.size()));
    table_->setHorizontalHeaderLabels(Texts(headings));
    for (int r = 0; shown_ && r < kChanceRows; ++r) {
        const std::vector<std::string>& cells = shown_->table.cells[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(Text(cells[static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                           table_->verticalHeader()->length() + 2 * table_->frameWidth());

    // What the numbers were computed from: the source and the players.
    QString basis;
    for (std::size_t i = 0; shown_ && i < 2 && i < shown_->settingsLines.size(); ++i)
        basis += (i == 0 ? "" : "  ·  ") + Text(shown_->settingsLines[i]);
    basisLine_->setText(basis);
    planLine_->setText(shown_ ? Text(shown_->planLine) : QString());
    filteredLine_->setText(shown_ ? Text(shown_->filteredLine) : QString());
    for (std::size_t i = 0; i < payoutLines_.size(); ++i) {
        const bool has = shown_ && i < shown_->payoutLines.size();
        payoutLines_[i]->setText(has ? Text(shown_->payoutLines[i]) : QString());
        payoutLines_[i]->setVisible(has);
    }
    outdatedLine_->setText(outdated_ ? kChancesOutdated : "");
    outdatedLine_->setVisible(outdated_);

    const ChartValues values = shown_ ? chartValues_ : ChartValues{};
    double highest = 0;
    for (int c = 0; c < kChanceRows; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (allBars_->count() <= c) {
            allBars_->append(values.all[i]);
            filteredBars_->append(values.filtered[i]);
        } else {
            allBars_->replace(c, values.all[i]);
            filteredBars_->replace(c, values.filtered[i]);
        }
        highest = std::max({highest, values.all[i], values.filtered[i]});
    }
    // Small shares get an axis of their own size; nothing is ever more than 100 %.
    percentAxis_->setRange(0, highest > 0 && highest <= 50 ? highest : 100);
    if (highest > 0 && highest <= 50)
        percentAxis_->applyNiceNumbers();
    else
        percentAxis_->setTickCount(6);
}

void TGewinnchancen::DruckenClick() {
    if (!shown_) {
        ports_.ShowMessage(this, MessageKind::Information,
                           outdated_ ? kChancesOutdated : kNothingToPrintChances);
        return;
    }
    // The chart as it is now, drawn large enough for paper.
    auto image = std::make_shared<QImage>();
    const QRectF area = chart_->sceneBoundingRect();
    if (!area.isEmpty()) {
        const double ratio = kPrintedChartHeight / kPrintedChartWidth;
        *image = QImage(kPrintedChartPixels, static_cast<int>(kPrintedChartPixels * ratio),
                        QImage::Format_RGB32);
        image->fill(Qt::white);
        QPainter painter(image.get());
        painter.setRenderHint(QPainter::Antialiasing);
        chart_->scene()->render(&painter, QRectF(image->rect()), area, Qt::KeepAspectRatio);
    }
    auto report = std::make_shared<ChancesReport>(MakeChancesReport(*shown_));
    ports_.Preview(this, kChancesTitle, ReportPageLayout(),
                   [report, image](QPainter& painter, const std::function<void()>& newPage) {
                       BandPainter bands(painter, report->heading, newPage, kChancesReportPoints);
                       for (const ReportBand& band : report->bands)
                           bands.Add(band);
                       if (image->isNull())
                           return;
                       const double gap = 6;
                       const double top = bands.Reserve(gap + kPrintedChartHeight) + gap;
                       const double mm = bands.DotsPerMm();
                       painter.drawImage(
                           QRectF(0, top * mm, kPrintedChartWidth * mm, kPrintedChartHeight * mm),
                           *image);
                   });
}

}  // namespace velmora
