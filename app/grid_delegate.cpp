#include "grid_delegate.h"

#include <QPainter>
#include <QTimer>
#include <exception>

#include "default_error_handling.h"
#include "grid_model.h"

namespace kordex::app {

namespace {

void DrawTextAt(QPainter* painter, const QRect& cell, QPoint offset, const QString& text) {
    QRect area(cell.topLeft() + offset, QSize(1 << 14, cell.height() + 64));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

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

    CellLook look;
    look.fill = fixed ? CellLook::Fill::ButtonFace
                      : (selected ? CellLook::Fill::Highlight : CellLook::Fill::Normal);
    look.text = QString::fromStdString(text);
    if (hook_) {
        // A drawing hook that fails leaves the cell as the table draws it. The failure goes to
        // the default error handling once, after this paint: a box inside a paint would be
        // followed by another repaint and another box.
        try {
            if (std::optional<CellLook> hooked = hook_(column, row, text, selected))
                look = *hooked;
        } catch (const std::exception& error) {
            if (!failureReported_) {
                failureReported_ = true;
                QTimer::singleShot(0, [description = std::string(error.what())] {
                    ShowDefaultError(description);
                });
            }
        }
    }

    QColor fill;
    switch (look.fill) {
        case CellLook::Fill::Normal:
            fill = fixed ? palette.color(QPalette::Button) : palette.color(QPalette::Base);
            break;
        case CellLook::Fill::Colour:
            fill = look.fillColour;
            break;
        case CellLook::Fill::ButtonFace:
            fill = palette.color(QPalette::Button);
            break;
        case CellLook::Fill::Highlight:
            fill = palette.color(QPalette::Highlight);
            break;
    }
    QColor textColour = look.fill == CellLook::Fill::Highlight
                            ? palette.color(QPalette::HighlightedText)
                            : palette.color(fixed ? QPalette::ButtonText : QPalette::Text);
    if (look.textColour)
        textColour = *look.textColour;

    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, fill);
    painter->setFont(option.font);
    painter->setPen(textColour);
    DrawTextAt(painter, option.rect, look.offset, look.text);
    if (!look.secondLine.isEmpty())
        DrawTextAt(painter, option.rect, look.secondOffset, look.secondLine);
    painter->restore();
}

}  // namespace kordex::app
