// The row numbers over the row columns of the row display and the entry grid. Every column
// carries its own number in a small, narrow font. A 15-pixel column holds two digits side by
// side; from three digits on, the numbers stand upright (read from below), so that even a
// seven-digit number stays whole over its column and a slip's rows keep their width on the
// screen. The header is only as high as the longest number present needs, and only the
// sections in view are painted: a million columns cost no text until they are scrolled to.
#pragma once

#include <QHeaderView>
#include <cstdint>
#include <optional>

namespace velmora {

class UiPorts;

// "Gehe zu Reihe …" over `count` rows with the row in column `current` proposed: the column
// of the row the user chose, or nothing when there is no row, the user cancelled, or the answer
// named no row (which is said in a message).
std::optional<std::int32_t> AskRowColumn(UiPorts& ports, QWidget* parent, std::int64_t count,
                                         std::int64_t current);

class RowNumberHeader : public QHeaderView {
    Q_OBJECT
  public:
    // `cellSize` is the width of a row column, grid line included.
    RowNumberHeader(int cellSize, QWidget* parent = nullptr);

    // Whether the numbers of the present columns stand upright.
    bool Upright() const;
    // The height the longest number present needs.
    int NeededHeight() const;
    // The first column in view whose number can be read: scrolled to its end, the table may
    // show a sliver of the column before; -1 without columns.
    int FirstColumnInView() const;

    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

  private:
    // The longest number present: that of the last column, as numbers grow to the right.
    QString LongestNumber() const;

    int cellSize_;
};

}  // namespace velmora
