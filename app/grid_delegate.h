#pragma once

#include <QStyledItemDelegate>

#include "cell_look.h"

namespace kordex::app {

// Paints every cell of a TextGrid pane: the table's own drawing (normal background, the text
// at (2, 2)) or, where the table's drawing hook decides, exactly what the hook returns.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void SetHook(CellLookHook hook) { hook_ = std::move(hook); }
    // The next drawing failure is reported again (after the table's contents changed).
    void RearmFailureReport() { failureReported_ = false; }
    bool HasHook() const { return static_cast<bool>(hook_); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    CellLookHook hook_;
    mutable bool failureReported_ = false;
};

}  // namespace kordex::app
