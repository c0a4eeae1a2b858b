#pragma once

#include <QFontMetrics>
#include <QStyledItemDelegate>
#include <functional>
#include <string>
#include <vector>

#include "tables/cell_style.h"

namespace kordex::app {

// A table's cell-drawing handler: the core's decision for one cell (column and row in the
// table, its text, whether it is selected).
using CellStyleHook =
    std::function<CellStyle(int column, int row, const std::string& text, bool selected)>;

// Paints every cell of a TextGrid pane: first as the table always draws it (its normal
// background, selection included, and the text at (2, 2)); then, where the drawing handler
// decides so, the handler's fill and lines over it. This is the one place where the core's
// CellStyle becomes pixels.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetHook(CellStyleHook hook) { hook_ = std::move(hook); }
    // The next drawing failure is reported again (after the table's contents changed).
    void RearmFailureReport() { failureReported_ = false; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A tool tip only over a cell whose text is cut.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The text a cell shows, uncut: the lines the drawing handler writes (markers left out),
    // or the cell's text. The model's tool tip.
    QString FullText(int column, int row, const std::string& text) const;
    // Whether a line of the cell is wider than the room it has in the cell.
    bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;

  private:
    struct ShownLine {
        QString text;
        QPoint offset;
        QFont font;
    };
    std::vector<ShownLine> ShownLines(int column, int row, const std::string& text,
                                      const QFont& font) const;
    CellStyle StyleOf(int column, int row, const std::string& text, bool selected) const;

    CellStyleHook hook_;
    mutable bool failureReported_ = false;
};

// The text as it fits into `width` pixels: whole, or cut with "…" at its end.
QString FittedText(const QString& text, const QFontMetrics& metrics, int width);

// The desktop colour a system colour of the core stands for.
QColor SystemColourOf(SystemColour colour, const QPalette& palette);

}  // namespace kordex::app
