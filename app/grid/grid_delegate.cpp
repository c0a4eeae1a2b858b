#include "grid/grid_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <exception>

#include "default_error_handling.h"
#include "grid/grid_model.h"

namespace kordex::app {

namespace {

// Pixels kept free at a cell's right edge, so that a cut text's "…" stays clear of the line.
constexpr int kRightMargin = 1;

QColor ToQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The room a line written at the offset has up to the cell's right edge.
int RoomFor(const QRect& cell, QPoint offset) {
    return cell.width() - offset.x() - kRightMargin;
}

void DrawTextAt(QPainter* painter, const QRect& cell, QPoint offset, const QString& text) {
    QRect area(cell.topLeft() + offset, QSize(1 << 14, cell.height() + 64));
    const QString shown = FittedText(text, painter->fontMetrics(), RoomFor(cell, offset));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
}

}  // namespace

QString FittedText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    return metrics.elidedText(text, Qt::ElideRight, std::max(width, 0), Qt::TextSingleLine);
}

QColor SystemColourOf(SystemColour colour, const QPalette& palette) {
    switch (colour) {
        case SystemColour::ButtonFace:
            return palette.color(QPalette::Button);
        case SystemColour::GradientActiveCaption:
            // Qt's palette has no caption gradient; this is the desktop's usual light blue.
            return QColor(185, 209, 234);
    }
    return palette.color(QPalette::Button);
}

CellStyle GridDelegate::StyleOf(int column, int row, const std::string& text, bool selected) const {
    if (!hook_)
        return {};
    CellStyle style;
    try {
        style = hook_(column, row, text, selected);
    } catch (const std::exception& error) {
        style = {};
        style.failure = error.what();
    }
    if (!style.failure.empty()) {
        // A cell the handler cannot draw keeps the table's drawing. The failure is reported once,
        // after this paint: a box inside a paint would bring another repaint and another box.
        if (!failureReported_) {
            failureReported_ = true;
            QTimer::singleShot(0, [description = style.failure] { ShowDefaultError(description); });
        }
        return {};
    }
    return style;
}

std::vector<GridDelegate::ShownLine> GridDelegate::ShownLines(int column, int row,
                                                              const std::string& text,
                                                              const QFont& font) const {
    const CellStyle style = StyleOf(column, row, text, false);
    if (!style.custom)
        return {{QString::fromStdString(text), QPoint(2, 2), font}};
    QFont lineFont = font;
    lineFont.setBold(style.bold);
    std::vector<ShownLine> lines;
    for (const TextLine& line : style.lines)
        lines.push_back({QString::fromStdString(line.text), QPoint(line.x, line.y), lineFont});
    return lines;
}

QString GridDelegate::FullText(int column, int row, const std::string& text) const {
    QStringList texts;
    for (const ShownLine& line : ShownLines(column, row, text, QFont()))
        if (!line.text.isEmpty())
            texts << line.text;
    return texts.join(QLatin1Char('\n'));
}

bool GridDelegate::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto* model = qobject_cast<const GridModel*>(index.model());
    if (model == nullptr)
        return false;
    const int column = model->GridColumn(index.column());
    const int row = model->GridRow(index.row());
    for (const ShownLine& line :
         ShownLines(column, row, model->Grid().Cell(column, row), option.font)) {
        if (QFontMetrics(line.font).horizontalAdvance(line.text) >
            RoomFor(option.rect, line.offset))
            return true;
    }
    return false;
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
    // The full text shows only where the cell cuts it.
    if (event->type() == QEvent::ToolTip && index.isValid() && !IsCut(option, index)) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const auto* model = qobject_cast<const GridModel*>(index.model());
    if (model == nullptr) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const TextGrid& grid = model->Grid();
    const int column = model->GridColumn(index.column());
    const int row = model->GridRow(index.row());
    const std::string& text = grid.Cell(column, row);
    const bool fixed = column < grid.FixedColumns() || row < grid.FixedRows();
    const bool selected = !fixed && (option.state & QStyle::State_Selected);
    const QPalette& palette = option.palette;

    // The table's own drawing.
    const QColor normalFill = fixed
                                  ? palette.color(QPalette::Button)
                                  : palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QColor normalText = palette.color(
        fixed ? QPalette::ButtonText : (selected ? QPalette::HighlightedText : QPalette::Text));
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, normalFill);
    painter->setFont(option.font);
    painter->setPen(normalText);
    DrawTextAt(painter, option.rect, {2, 2}, QString::fromStdString(text));
    painter->restore();

    const CellStyle style = StyleOf(column, row, text, selected);
    if (!style.custom)
        return;
    const QRect rect = option.rect.adjusted(-style.widen, 0, style.widen, 0);
    QColor fill = normalFill;
    if (style.background) {
        if (const Rgb* rgb = std::get_if<Rgb>(&*style.background))
            fill = ToQColor(*rgb);
        else
            fill = SystemColourOf(std::get<SystemColour>(*style.background), palette);
    }
    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, fill);
    QFont font = option.font;
    font.setBold(style.bold);
    painter->setFont(font);
    painter->setPen(style.textColour ? ToQColor(*style.textColour) : normalText);
    for (const TextLine& line : style.lines)
        DrawTextAt(painter, rect, {line.x, line.y}, QString::fromStdString(line.text));
    painter->restore();
}

}  // namespace kordex::app
