#pragma once

namespace kordex {

// The column and direction the replay library lists were last sorted by; one state for both
// lists, so a click on the other list is compared against the same column.
class LibrarySortState {
  public:
    // The window's start-up state: column 0, descending, so the first click on column 0
    // sorts ascending.
    void Reset();

    // A title click on a column: the same column again reverses the direction, any other
    // column starts descending. Gives true when the list is to be sorted descending.
    bool Click(int column);

    int Column() const { return column_; }
    bool Descending() const { return descending_; }

  private:
    int column_ = 0;
    bool descending_ = true;
};

}  // namespace kordex
