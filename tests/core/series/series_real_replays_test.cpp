// A series over the real replays: every average is the exact quotient of the battle cells cut to
// two decimals, and a replay present twice under two names is counted once.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "series/series_run.h"
#include "support/headless_series.h"
#include "support/shared_series.h"
#include "support/test_paths.h"
#include "tables/cell_markers.h"
#include "text/number_format.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;

// A run that collects the author's statistics and moves nothing.
struct RealSeries : test::HeadlessSeries {
    explicit RealSeries(std::vector<std::string> paths) : paths_(std::move(paths)) {
        options.moveUnusable = false;
        options.multiAdditional = true;
    }
    SeriesRunResult Run() { return HeadlessSeries::Run(paths_); }

  private:
    std::vector<std::string> paths_;
};

// The whole-number parts the shooting cell "shots - pierced/hits (he)" holds, in that order.
std::vector<std::string> ShotNumbers(std::string_view value) {
    std::vector<std::string> numbers(1);
    for (char c : value) {
        if (c >= '0' && c <= '9')
            numbers.back() += c;
        else if (!numbers.back().empty())
            numbers.emplace_back();
    }
    if (numbers.back().empty())
        numbers.pop_back();
    return numbers;
}

TEST(SeriesRealReplays, EveryAverageIsTheExactQuotientCutToTwoDecimals) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    RealSeries series(test::SharedReplayFiles());
    series.Run();

    int checked = 0, fractional = 0;
    auto check = [&](const std::string& shown, long long sum, long long count,
                     const std::string& where) {
        EXPECT_EQ(shown, test::ExpectedAverage(sum, count, ',')) << where;
        ++checked;
        fractional += shown.find(',') != std::string::npos;
    };
    const TextGrid* numberGrids[] = {&series.tables.SeriesGridExp, &series.tables.SeriesGridFrags,
                                     &series.tables.SeriesGridDamage};
    for (const TextGrid* grid : numberGrids) {
        const int average = grid->ColumnCount() - 1;
        for (int row = kSeriesStartRow; row < grid->RowCount(); ++row) {
            long long sum = 0, count = 0;
            for (int column = 2; column < average - 1; ++column) {
                const std::string cell(ValuePart(grid->Cell(column, row)));
                if (cell.empty() || cell.find_first_not_of("-0123456789") != std::string::npos)
                    continue;
                sum += std::stoll(cell);
                ++count;
            }
            check(grid->Cell(average, row), sum, count,
                  grid->Cell(0, 2) + " " + grid->Cell(0, row));
        }
    }
    const TextGrid& shots = series.tables.SeriesGridShots;
    const int average = shots.ColumnCount() - 1;
    for (int row = kSeriesStartRow; row < shots.RowCount(); ++row) {
        long long sums[4] = {}, count = 0;
        for (int column = 2; column < average - 1; ++column) {
            const std::string_view cell = ValuePart(shots.Cell(column, row));
            if (cell.empty())
                continue;
            const auto numbers = ShotNumbers(cell);
            ASSERT_EQ(numbers.size(), 4u) << cell;
            for (int i = 0; i < 4; ++i)
                sums[i] += std::stoll(numbers[static_cast<std::size_t>(i)]);
            ++count;
        }
        const std::string expected = test::ExpectedAverage(sums[0], count, ',') + " - " +
                                     test::ExpectedAverage(sums[1], count, ',') + "/" +
                                     test::ExpectedAverage(sums[2], count, ',') + " (" +
                                     test::ExpectedAverage(sums[3], count, ',') + ")";
        EXPECT_EQ(shots.Cell(average, row), expected) << shots.Cell(0, row);
        ++checked;
    }
    EXPECT_GT(checked, 100);
    // Most players of the shared replays come once; a few averages still have decimals.
    EXPECT_GE(fractional, 5);
}

// The tables' columns that do not depend on which copy of the battle came first.
struct Counted {
    std::vector<std::vector<std::string>> totals;  // total and average of each row, five grids
    std::vector<std::vector<std::string>> summary;
};

Counted CountedOf(const WindowTables& tables) {
    Counted counted;
    for (const TextGrid* grid : SeriesGridsOf(tables)) {
        const int total = grid->ColumnCount() - 2;
        for (int row = 0; row < grid->RowCount(); ++row)
            counted.totals.push_back(
                {grid->Cell(0, row), grid->Cell(total, row), grid->Cell(total + 1, row)});
    }
    for (int row = 0; row < tables.SeriesGridSummary.RowCount(); ++row)
        counted.summary.push_back(tables.SeriesGridSummary.Row(row));
    return counted;
}

TEST(SeriesRealReplays, AReplayPresentTwiceUnderTwoNamesCountsOnce) {
    KORDEX_REQUIRE_SHARED_REPLAYS();
    test::TempFolder folder;
    const std::vector<std::string> paths = test::CopySharedSeries(folder.Path(), 12);
    ASSERT_GE(paths.size(), 6u);

    RealSeries without(paths);
    const SeriesRunResult once = without.Run();
    std::size_t copied = 0;
    while (copied < once.replays.size() && once.replays[copied].kind != ReplayClass::Complete)
        ++copied;
    ASSERT_LT(copied, once.replays.size());
    fs::copy_file(test::PathOf(paths[copied]), test::PathOf(folder.File("99 copy.wotreplay")));

    std::vector<std::string> withCopy = paths;
    withCopy.push_back(folder.File("99 copy.wotreplay"));
    RealSeries with(withCopy);
    with.options.multiAdditional = true;
    const SeriesRunResult twice = with.Run();

    ASSERT_EQ(twice.replays.size(), paths.size() + 1);
    EXPECT_EQ(twice.replays.back().kind, ReplayClass::Repeat) << twice.replays.back().description;
    const int copyColumn = static_cast<int>(paths.size()) + 2;
    for (const TextGrid* grid : SeriesGridsOf(with.tables)) {
        EXPECT_EQ(grid->Cell(copyColumn, 2), "Повтор");
        EXPECT_EQ(grid->Cell(copyColumn, 1), grid->Cell(static_cast<int>(copied) + 2, 1));
        for (int row = kSeriesStartRow; row < grid->RowCount(); ++row)
            EXPECT_TRUE(grid->Cell(copyColumn, row).empty()) << row;
    }
    const Counted a = CountedOf(without.tables), b = CountedOf(with.tables);
    EXPECT_EQ(a.totals, b.totals);
    EXPECT_EQ(a.summary, b.summary);
    for (std::string_view label : AuthorStatsLabels())
        EXPECT_EQ(with.labels.Text(label), without.labels.Text(label)) << label;
    EXPECT_NE(twice.statusText.find("Пропущено повторов: 1"), std::string::npos);
}

}  // namespace
}  // namespace kordex
