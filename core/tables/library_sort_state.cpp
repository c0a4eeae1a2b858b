#include "tables/library_sort_state.h"

namespace kordex {

void LibrarySortState::Reset() {
    column_ = 0;
    descending_ = true;
}

bool LibrarySortState::Click(int column) {
    if (column == column_) {
        descending_ = !descending_;
    } else {
        column_ = column;
        descending_ = true;
    }
    return descending_;
}

}  // namespace kordex
