#include "series/summary_columns.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "series/series_table_style.h"
#include "tables/cell_markers.h"

namespace kordex {

namespace {

constexpr std::string_view kPairSeparator = " / ";

struct TotalColumns {
    int total;
    int average;
};

// Grows the grid by the two columns and writes the titles common to all three kinds.
TotalColumns AppendTitledColumns(TextGrid& grid) {
    grid.SetColumnCount(grid.ColumnCount() + 2);
    const TotalColumns c{grid.ColumnCount() - 2, grid.ColumnCount() - 1};
    grid.SetCell(c.total, 0, "Суммарно");
    grid.SetCell(c.total, 1, std::string(kSortHint));
    grid.SetCell(c.average, 0, "В среднем");
    grid.SetCell(c.average, 1, {});
    return c;
}

bool IsPlayerRow(const TextGrid& grid, int row) {
    return !grid.Cell(0, row).empty();
}

std::string Average(long long sum, int count, const NumberFormat& format) {
    if (count == 0)
        return "0";
    return FormatTwoDecimals(sum, count, format);
}

struct ShotParts {
    std::string_view shots, pierced, hits, heHits;
};

// Cuts "shots - pierced/hits (he)" into its four texts; a missing part gives an empty text.
ShotParts CutShots(std::string_view value) {
    ShotParts parts;
    const auto dash = value.find(" - ");
    parts.shots = value.substr(0, dash);
    if (dash == std::string_view::npos)
        return parts;
    const auto afterDash = dash + 3;
    const auto slash = value.find('/', afterDash);
    parts.pierced =
        value.substr(afterDash, slash == std::string_view::npos ? slash : slash - afterDash);
    if (slash == std::string_view::npos)
        return parts;
    const auto open = value.find(" (", slash + 1);
    parts.hits = value.substr(slash + 1, open == std::string_view::npos ? open : open - slash - 1);
    const auto bracket = value.find('(');
    if (bracket == std::string_view::npos)
        return parts;
    const auto close = value.find(')', bracket + 1);
    parts.heHits =
        value.substr(bracket + 1, close == std::string_view::npos ? close : close - bracket - 1);
    return parts;
}

std::string ShotsText(const std::string& shots, const std::string& pierced, const std::string& hits,
                      const std::string& heHits) {
    return shots + " - " + pierced + "/" + hits + " (" + heHits + ")";
}

void AddIfWhole(std::string_view text, long long& sum) {
    if (const auto value = ParseWholeNumber(text))
        sum += *value;
}

}  // namespace

long long RoundHalfEven(double value) {
    // nearbyint rounds in the default mode, to nearest with halves to even.
    return static_cast<long long>(std::nearbyint(value));
}

void AppendTotalColumns(TextGrid& grid, const NumberFormat& format) {
    const TotalColumns c = AppendTitledColumns(grid);

    int wins = 0, losses = 0, draws = 0;
    for (int column = 1; column < c.total; ++column) {
        const std::string& outcome = grid.Cell(column, 2);
        wins += outcome == "Победа";
        losses += outcome == "Поражение";
        draws += outcome == "Ничья";
    }
    const int battles = wins + losses + draws;
    const long long percent = battles == 0 ? 0 : RoundHalfEven(wins * 100.0 / battles);
    grid.SetCell(c.total, 2,
                 "Боев: " + std::to_string(battles) + ", побед: " + std::to_string(wins));
    grid.SetCell(c.average, 2,
                 std::to_string(wins) + "/" + std::to_string(draws) + "/" + std::to_string(losses) +
                     "  " + std::to_string(percent) + "%");

    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        if (!IsPlayerRow(grid, row))
            continue;
        long long sum = 0;
        int counted = 0;
        for (int column = 2; column < c.total; ++column) {
            // "error" and other unreadable values neither add nor count.
            if (const auto value = ParseWholeNumber(ValuePart(grid.Cell(column, row)))) {
                sum += *value;
                ++counted;
            }
        }
        grid.SetCell(c.total, row, std::to_string(sum));
        grid.SetCell(c.average, row, Average(sum, counted, format));
    }
}

void AppendPairTotalColumns(TextGrid& grid) {
    const TotalColumns c = AppendTitledColumns(grid);
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        if (!IsPlayerRow(grid, row))
            continue;
        long long left = 0, right = 0;
        int counted = 0;
        for (int column = 2; column < c.total; ++column) {
            const std::string& cell = grid.Cell(column, row);
            if (cell.empty())
                continue;
            const std::string_view value = ValuePart(cell);
            const auto separator = value.find(kPairSeparator);
            long long cellLeft = 0, cellRight = 0;
            // A side that is not a whole number adds nothing rather than stopping the totals.
            AddIfWhole(value.substr(0, separator), cellLeft);
            if (separator != std::string_view::npos)
                AddIfWhole(value.substr(separator + kPairSeparator.size()), cellRight);
            left += cellLeft;
            right += cellRight;
            // Battles without any support do not lower the average.
            if (cellLeft + cellRight != 0)
                ++counted;
        }
        const long long averageLeft = counted == 0 ? 0 : RoundHalfEven(double(left) / counted);
        const long long averageRight = counted == 0 ? 0 : RoundHalfEven(double(right) / counted);
        grid.SetCell(c.total, row, std::to_string(left) + " / " + std::to_string(right));
        grid.SetCell(c.average, row,
                     std::to_string(averageLeft) + " / " + std::to_string(averageRight));
    }
}

void AppendShotsTotalColumns(TextGrid& grid, const NumberFormat& format) {
    const TotalColumns c = AppendTitledColumns(grid);
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        if (!IsPlayerRow(grid, row))
            continue;
        long long shots = 0, pierced = 0, hits = 0, heHits = 0;
        int counted = 0;
        for (int column = 2; column < c.total; ++column) {
            const std::string& cell = grid.Cell(column, row);
            if (cell.empty())
                continue;
            const ShotParts parts = CutShots(ValuePart(cell));
            AddIfWhole(parts.shots, shots);
            AddIfWhole(parts.pierced, pierced);
            AddIfWhole(parts.hits, hits);
            AddIfWhole(parts.heHits, heHits);
            if (!parts.shots.empty() || !parts.pierced.empty() || !parts.hits.empty() ||
                !parts.heHits.empty())
                ++counted;
        }
        grid.SetCell(c.total, row,
                     ShotsText(std::to_string(shots), std::to_string(pierced), std::to_string(hits),
                               std::to_string(heHits)));
        grid.SetCell(c.average, row,
                     ShotsText(Average(shots, counted, format), Average(pierced, counted, format),
                               Average(hits, counted, format), Average(heHits, counted, format)));
    }
}

void AppendSeriesTotals(SeriesTables& tables, const NumberFormat& format) {
    AppendTotalColumns(tables.SeriesGridExp, format);
    AppendTotalColumns(tables.SeriesGridFrags, format);
    AppendTotalColumns(tables.SeriesGridDamage, format);
    AppendPairTotalColumns(tables.SeriesGridSupport);
    AppendShotsTotalColumns(tables.SeriesGridShots, format);

    const TextGrid& exp = tables.SeriesGridExp;
    const int total = exp.ColumnCount() - 2;
    for (int column : {total, total + 1})
        tables.SeriesGridSupport.SetCell(column, 2, exp.Cell(column, 2));
}

void MoveTotalsToFront(SeriesTables& tables) {
    for (TextGrid* grid : tables.SeriesGrids()) {
        const int columns = grid->ColumnCount();
        if (columns < 4)
            continue;
        for (int row = 0; row < grid->RowCount(); ++row) {
            std::vector<std::string> cells = grid->Row(row);
            // Rotate columns 2 .. last right by two: totals first, battles in their order.
            std::rotate(cells.begin() + 2, cells.end() - 2, cells.end());
            grid->SetRow(row, cells);
        }
    }
}

void RemoveTrailingEmptyRows(SeriesTables& tables) {
    const TextGrid& exp = tables.SeriesGridExp;
    int rows = exp.RowCount();
    // Only the bottom rows go: a player row is never dropped for an empty row above it.
    while (rows > exp.FixedRows() && exp.Cell(0, rows - 1).empty())
        --rows;
    for (TextGrid* grid : tables.SeriesGrids())
        grid->SetRowCount(rows);
}

namespace {

struct Attendance {
    int battles = 0;
    int wins = 0;
};

// The battles of the row's player: the battle columns where the player has a cell under an
// outcome word (a repeat or an unusable replay has no player cells), and the wins among them.
Attendance AttendanceOf(const TextGrid& exp, int row) {
    Attendance attendance;
    for (int column = 2; column < exp.ColumnCount(); ++column) {
        if (SeriesColumnOf(exp, column) != SeriesColumn::Battle || exp.Cell(column, row).empty())
            continue;
        const std::string& outcome = exp.Cell(column, 2);
        if (outcome != "Победа" && outcome != "Поражение" && outcome != "Ничья")
            continue;
        ++attendance.battles;
        attendance.wins += outcome == "Победа";
    }
    return attendance;
}

// "Боёв", "Побед" and "% побед" (half to even) of a player row; empty cells for a row
// without a player.
std::vector<std::string> AttendanceCells(const TextGrid& exp, int row) {
    if (!IsPlayerRow(exp, row))
        return {{}, {}, {}};
    const Attendance a = AttendanceOf(exp, row);
    const long long percent = a.battles == 0 ? 0 : RoundHalfEven(a.wins * 100.0 / a.battles);
    return {std::to_string(a.battles), std::to_string(a.wins), std::to_string(percent)};
}

}  // namespace

void FillSummaryGrid(SeriesTables& tables) {
    static const char* const kTitles[kSummaryColumns] = {
        "Ник",
        "Суммарный опыт",
        "Суммарно фрагов",
        "Суммарно урона",
        "Суммарно поддержки",
        "Средний опыт",
        "В среднем фрагов",
        "Средний урон",
        "В среднем поддержки",
        "Боёв",
        "Побед",
        "% побед",
    };
    const TextGrid& exp = tables.SeriesGridExp;
    TextGrid& summary = tables.SeriesGridSummary;
    summary.SetRowCount(exp.RowCount());
    summary.SetColumnCount(kSummaryColumns);
    for (int column = 0; column < kSummaryColumns; ++column)
        summary.SetCell(column, 0, kTitles[column]);

    const int total = TotalsAtFront(exp) ? 2 : exp.ColumnCount() - 2;
    const TextGrid* sources[] = {&tables.SeriesGridExp, &tables.SeriesGridFrags,
                                 &tables.SeriesGridDamage, &tables.SeriesGridSupport};
    for (int row = kSeriesStartRow; row < exp.RowCount(); ++row) {
        std::vector<std::string> cells{exp.Cell(0, row)};
        for (const TextGrid* source : sources)
            cells.push_back(source->Cell(total, row));
        for (const TextGrid* source : sources)
            cells.push_back(source->Cell(total + 1, row));
        // Battle pay is counted from these: how often the player came, and how often won.
        for (std::string& cell : AttendanceCells(exp, row))
            cells.push_back(std::move(cell));
        summary.SetRow(row - 2, cells);
    }
    // The last rows of the summary have no source row; leave nothing of an earlier run there.
    for (int row = exp.RowCount() - 2; row < summary.RowCount(); ++row)
        if (row >= summary.FixedRows())
            summary.SetRow(row, {});
}

}  // namespace kordex
