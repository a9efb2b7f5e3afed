#include "app/forms/rownumberheader.h"

#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

#include "app/forms/uiports.h"
#include "app/rownumbers.h"

namespace velmora {

std::optional<std::int32_t> AskRowColumn(UiPorts& ports, QWidget* parent, std::int64_t count,
                                         std::int64_t current) {
    const std::optional<RowQuestion> question = GoToRowQuestion(count, current);
    if (!question)
        return std::nullopt;
    const std::optional<int> answer =
        ports.AskNumber(parent, kGoToRowTitle, QString::fromStdString(question->label),
                        question->value, question->minimum, question->maximum);
    if (!answer)
        return std::nullopt;
    const std::optional<std::int32_t> column = RowColumn(*answer, count);
    if (!column)
        ports.ShowMessage(parent, MessageKind::Error,
                          QString::fromStdString(NoSuchRowText(*answer, count)));
    return column;
}

namespace {

constexpr int kMargin = 3;  // between a number and the header's edges

QFont NumberFont(QFont font) {
    font.setPixelSize(9);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

}  // namespace

RowNumberHeader::RowNumberHeader(int cellSize, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), cellSize_(cellSize) {
    setFont(NumberFont(font()));
    // As the table's own header: a click on a number chooses that row's column.
    setSectionsClickable(true);
    setHighlightSections(true);
    setMinimumSectionSize(cellSize);
    setDefaultSectionSize(cellSize);
    setSectionResizeMode(QHeaderView::Fixed);
}

// A column more may bring a digit more; the table then makes room for the higher header.
void RowNumberHeader::setModel(QAbstractItemModel* model) {
    QHeaderView::setModel(model);
    if (model == nullptr)
        return;
    const auto changed = [this] {
        updateGeometry();
        emit geometriesChanged();
    };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::columnsInserted, this, changed);
    connect(model, &QAbstractItemModel::columnsRemoved, this, changed);
    connect(model, &QAbstractItemModel::headerDataChanged, this, changed);
}

QString RowNumberHeader::LongestNumber() const {
    if (model() == nullptr)
        return {};
    const int columns = model()->columnCount(rootIndex());
    if (columns <= 0)
        return {};
    return model()->headerData(columns - 1, Qt::Horizontal, Qt::DisplayRole).toString();
}

bool RowNumberHeader::Upright() const {
    return fontMetrics().horizontalAdvance(LongestNumber()) + 2 > cellSize_ - 1;
}

int RowNumberHeader::NeededHeight() const {
    const QFontMetrics metrics = fontMetrics();
    const int lying = metrics.height() + 2 * kMargin;
    if (!Upright())
        return lying;
    return std::max(lying, metrics.horizontalAdvance(LongestNumber()) + 2 * kMargin);
}

int RowNumberHeader::FirstColumnInView() const {
    int column = logicalIndexAt(0);
    if (column < 0)
        return -1;
    // A column less than half in view does not count.
    if (2 * sectionViewportPosition(column) + sectionSize(column) < 0 && column + 1 < count() &&
        sectionViewportPosition(column + 1) < viewport()->width())
        ++column;
    return column;
}

// Worked out from the last column alone, never from every section as the toolkit's header
// would: the row display may hold millions of columns.
QSize RowNumberHeader::sizeHint() const {
    return {cellSize_, NeededHeight()};
}

QSize RowNumberHeader::sectionSizeFromContents(int) const {
    return {cellSize_, NeededHeight()};
}

void RowNumberHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    option.text.clear();  // drawn below, upright where it must
    // The style leaves its own clipping behind.
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();

    const QString number =
        model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    painter->save();
    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    // The chosen row's number stands out in the colour of the choice; a bold seven-digit
    // number would no longer fit.
    if (option.state & (QStyle::State_On | QStyle::State_Sunken)) {
        painter->fillRect(rect.adjusted(0, 0, -1, -1), palette().brush(QPalette::Highlight));
        painter->setPen(palette().color(QPalette::HighlightedText));
    }
    if (Upright()) {
        painter->translate(rect.left(), rect.bottom() + 1);
        painter->rotate(-90);
        // Every number begins at the cells, so that the digits of neighbours line up.
        painter->drawText(QRect(kMargin, 0, rect.height() - 2 * kMargin, rect.width()),
                          Qt::AlignLeft | Qt::AlignVCenter, number);
    } else {
        painter->drawText(rect, Qt::AlignCenter, number);
    }
    painter->restore();
}

}  // namespace velmora
