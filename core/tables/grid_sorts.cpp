#include "tables/grid_sorts.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/kordex_error.h"
#include "tables/cell_markers.h"
#include "text/text_collation.h"

namespace kordex {

namespace {

// The body rows of a grid as a permutation that the sort rearranges; rows are written back
// once at the end, or when a conversion error stops the sort half-way.
class BodyOrder {
  public:
    explicit BodyOrder(const TextGrid& grid) : first_(grid.FixedRows()) {
        for (int row = first_; row < grid.RowCount(); ++row)
            rows_.push_back(row);
    }

    int Size() const { return static_cast<int>(rows_.size()); }
    int RowAt(int position) const { return rows_[position]; }
    void Exchange(int position) { std::swap(rows_[position], rows_[position + 1]); }
    std::vector<int>& Rows() { return rows_; }

    // Writes the rows in their new order; whole rows move, fixed columns included.
    void ApplyTo(TextGrid& grid) const {
        std::vector<std::vector<std::string>> texts;
        texts.reserve(rows_.size());
        for (int row : rows_)
            texts.push_back(grid.Row(row));
        for (std::size_t i = 0; i < texts.size(); ++i)
            grid.SetRow(first_ + static_cast<int>(i), texts[i]);
    }

  private:
    int first_;
    std::vector<int> rows_;
};

// The pass loop: adjacent rows exchange while the upper one is strictly out of order, until a
// pass makes no exchange. `mustSwap(upperRow, lowerRow)` is the pair rule over original row
// numbers. A pair already compared and unchanged since gives the same answer again, so each
// pass skips the settled pairs at both ends; the exchanges made are exactly those of full
// passes, which matters where the pair rule is not a consistent order.
template <typename PairRule>
void RunPasses(BodyOrder& order, PairRule mustSwap) {
    const int lastPair = order.Size() - 2;
    int begin = 0;
    int settledAfter = lastPair;  // pairs beyond it are known to stay
    while (lastPair >= 0) {
        int firstSwap = -1;
        int lastSwap = -1;
        bool swappedBefore = false;
        for (int k = begin; k <= lastPair; ++k) {
            if (k > settledAfter && !swappedBefore)
                break;
            swappedBefore = mustSwap(order.RowAt(k), order.RowAt(k + 1));
            if (swappedBefore) {
                order.Exchange(k);
                if (firstSwap < 0)
                    firstSwap = k;
                lastSwap = k;
            }
        }
        if (firstSwap < 0)
            return;
        begin = std::max(0, firstSwap - 1);
        settledAfter = lastSwap;
    }
}

// Runs the pass loop; a conversion error leaves the exchanges made so far in the grid.
template <typename PairRule>
void SortBody(TextGrid& grid, PairRule mustSwap) {
    BodyOrder order(grid);
    try {
        RunPasses(order, mustSwap);
    } catch (...) {
        order.ApplyTo(grid);
        throw;
    }
    order.ApplyTo(grid);
}

// Keys of the body cells of one column, converted once, when a pair first needs them.
template <typename Key>
class KeyCache {
  public:
    KeyCache(const TextGrid& grid, int column, std::function<Key(std::string_view)> convert)
        : grid_(grid), column_(column), convert_(std::move(convert)), keys_(grid.RowCount()) {}

    const std::string& Text(int row) const { return grid_.Cell(column_, row); }
    const Key& Get(int row) {
        if (!keys_[row])
            keys_[row] = convert_(Text(row));
        return *keys_[row];
    }

  private:
    const TextGrid& grid_;
    int column_;
    std::function<Key(std::string_view)> convert_;
    std::vector<std::optional<Key>> keys_;
};

bool IsRowEmpty(const TextGrid& grid, int row) {
    for (int column = 0; column < grid.ColumnCount(); ++column)
        if (!grid.Cell(column, row).empty())
            return false;
    return true;
}

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    throw KordexError("\"" + std::string(text) + "\" не является числом");
}

[[noreturn]] void ThrowNotAPair(std::string_view text) {
    throw KordexError("\"" + std::string(text) + "\" не является парой целых чисел");
}

// A pair value "a / b" as a + b; wider than int so that two large sides cannot overflow.
std::int64_t PairSum(std::string_view value) {
    const auto separator = value.find(" / ");
    if (separator == std::string_view::npos)
        ThrowNotAPair(value);
    const auto left = ParseWholeNumber(value.substr(0, separator));
    const auto right = ParseWholeNumber(value.substr(separator + 3));
    if (!left || !right)
        ThrowNotAPair(value);
    return std::int64_t{*left} + *right;
}

// Group and integer value of a cell when the integer-or-text order is consistent.
using Rank = std::pair<int, std::int64_t>;

// A cell of the library lists for the integer-or-text sorts.
struct IntOrTextKey {
    bool empty = false;
    std::optional<int> integer;
    std::u32string collation;
};

IntOrTextKey MakeIntOrTextKey(std::string_view text) {
    IntOrTextKey key;
    key.empty = text.empty();
    key.integer = ParseWholeNumber(text);
    key.collation = CollationKey(text);
    return key;
}

// True when the upper cell sorts before the lower one in the descending integer-or-text order:
// two integers by number, anything else by collation (an empty text first).
bool SortsBefore(const IntOrTextKey& a, const IntOrTextKey& b) {
    if (a.integer && b.integer)
        return *a.integer < *b.integer;
    return a.collation < b.collation;
}

// Integers compare by number and everything else by collation, which is not always one
// consistent order: "10" > "9" as numbers, "9" > "1x" and "1x" > "10" as texts. The order is
// consistent when every other text collates below all integers or above all of them; the
// rank then places each cell, and a stable sort gives exactly the result of the pass loop
// (which, with a consistent order, is the one stable sorted order). Nothing when inconsistent.
// Ranks are indexed by row number.
std::optional<std::vector<Rank>> ConsistentRanks(const std::vector<IntOrTextKey>& keys,
                                                 const std::vector<int>& rows) {
    const IntOrTextKey* lowestInteger = nullptr;
    const IntOrTextKey* highestInteger = nullptr;
    for (int row : rows) {
        const auto& key = keys[row];
        if (!key.integer)
            continue;
        if (!lowestInteger || key.collation < lowestInteger->collation)
            lowestInteger = &key;
        if (!highestInteger || highestInteger->collation < key.collation)
            highestInteger = &key;
    }
    // Group 0: empty; 1: texts below every integer; 2: integers; 3: texts above them.
    std::vector<Rank> groups(keys.size());
    for (int row : rows) {
        const auto& key = keys[row];
        if (key.empty)
            groups[row] = {0, 0};
        else if (key.integer)
            groups[row] = {2, *key.integer};
        else if (!lowestInteger || key.collation < lowestInteger->collation)
            groups[row] = {1, 0};
        else if (highestInteger->collation < key.collation)
            groups[row] = {3, 0};
        else
            return std::nullopt;
    }
    return groups;
}

void SortGridByIntOrText(TextGrid& grid, int column, bool descending) {
    BodyOrder order(grid);
    if (order.Size() < 2)
        return;
    // Keys indexed by original row number.
    std::vector<IntOrTextKey> keys(grid.RowCount());
    for (int row : order.Rows())
        keys[row] = MakeIntOrTextKey(grid.Cell(column, row));
    // The pair rule: both empty never swap; otherwise swap when strictly out of order.
    auto outOfOrder = [&](int upper, int lower) {
        if (keys[upper].empty && keys[lower].empty)
            return false;
        return descending ? SortsBefore(keys[upper], keys[lower])
                          : SortsBefore(keys[lower], keys[upper]);
    };

    if (const auto ranks = ConsistentRanks(keys, order.Rows())) {
        // A large library list sorts in n log n; same result as the passes.
        const auto& rankOfRow = *ranks;
        auto less = [&](int a, int b) {
            if (rankOfRow[a] != rankOfRow[b])
                return rankOfRow[a] < rankOfRow[b];
            const int group = rankOfRow[a].first;
            return (group == 1 || group == 3) && keys[a].collation < keys[b].collation;
        };
        std::stable_sort(order.Rows().begin(), order.Rows().end(),
                         [&](int a, int b) { return descending ? less(b, a) : less(a, b); });
        order.ApplyTo(grid);
        return;
    }
    SortBody(grid, outOfOrder);
}

}  // namespace

void SortGridByNumberDesc(TextGrid& grid, int column, const NumberFormat& format,
                          EmptyCells empty) {
    KeyCache<double> numbers(grid, column, [&format](std::string_view cell) {
        if (cell.empty())
            return 0.0;
        const auto value = ValuePart(cell);
        const auto number = ParseLocaleNumber(value, format);
        if (!number)
            ThrowNotANumber(value);
        return *number;
    });
    // Whether each row's cell takes part in comparisons, by original row number.
    std::vector<bool> takesPart(grid.RowCount());
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        takesPart[row] =
            !numbers.Text(row).empty() || (empty == EmptyCells::Zero && !IsRowEmpty(grid, row));
    SortBody(grid, [&](int upper, int lower) {
        if (!takesPart[upper] || !takesPart[lower])
            return false;
        const double upperValue = numbers.Get(upper);
        return upperValue < numbers.Get(lower);
    });
}

void SortGridByPairSumDesc(TextGrid& grid, int column) {
    KeyCache<std::int64_t> sums(grid, column,
                                [](std::string_view cell) { return PairSum(ValuePart(cell)); });
    SortBody(grid, [&](int upper, int lower) {
        if (sums.Text(upper).empty() || sums.Text(lower).empty())
            return false;
        const std::int64_t upperSum = sums.Get(upper);
        return upperSum < sums.Get(lower);
    });
}

void SortGridByIntOrTextDesc(TextGrid& grid, int column) {
    SortGridByIntOrText(grid, column, true);
}

void SortGridByIntOrTextAsc(TextGrid& grid, int column) {
    SortGridByIntOrText(grid, column, false);
}

}  // namespace kordex
