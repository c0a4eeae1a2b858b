#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "tables/text_grid.h"

namespace kordex {

// The first player row of a series grid, below the date, map and outcome rows (StartRow).
inline constexpr int kSeriesStartRow = 3;
// Rows a series grid has at the start of a run: the header rows and room for one team.
inline constexpr int kSeriesInitialRows = 18;
inline constexpr int kSummaryColumns = 9;

// The run list lb_ReplaysList: full replay paths kept in ascending order, letter case ignored,
// so the battles of a series stand in the order of their file names.
class RunList {
  public:
    void Add(std::string path);
    void Assign(std::vector<std::string> paths);
    void Clear() { paths_.clear(); }

    int Size() const { return static_cast<int>(paths_.size()); }
    bool Empty() const { return paths_.empty(); }
    const std::string& At(int index) const { return paths_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    std::vector<std::string> paths_;
};

// Where the last run left the total and average columns; the drawing and the double-click read
// this rather than the current option, which the user may have changed since.
struct SeriesLayout {
    bool totalsAppended = false;
    bool totalsAtFront = false;
};

// The store of a series: the five per-player grids (a player has the same row in all five and
// all five have the same counts), the summary "Итого" and the run list. The window shows it;
// the CLI prints it.
struct SeriesTables {
    SeriesTables();

    TextGrid SeriesGridExp;
    TextGrid SeriesGridFrags;
    TextGrid SeriesGridDamage;
    TextGrid SeriesGridSupport;
    TextGrid SeriesGridShots;
    TextGrid SeriesGridSummary;
    RunList lb_ReplaysList;
    SeriesLayout layout;
    // Set while a run is under way, so that a second start during its event handling is refused.
    bool runInProgress = false;

    // The five series grids in the order Exp, Frags, Damage, Support, Shots.
    std::array<TextGrid*, 5> SeriesGrids();
    std::array<const TextGrid*, 5> SeriesGrids() const;
};

// The corner titles of the five series grids (row 2 of column 0), in SeriesGrids() order.
extern const std::array<const char*, 5> kSeriesGridTitles;

// Readies the grids for a run of the given number of replays: N + 2 columns, 18 rows, nothing
// left but the header texts of columns 0 and 1; the summary keeps only its titles.
void PrepareSeriesGrids(SeriesTables& tables, int replays);

// Gives every column the widest fitted width over the five grids, then fits the summary.
void FitSeriesColumnWidths(SeriesTables& tables, Desktop& desktop);

// The run-list index of the replay whose battle stands in the column, or nothing for the name,
// vehicle, total and average columns and for columns no replay of the list wrote.
std::optional<int> BattleReplayIndex(const SeriesTables& tables, int column);

}  // namespace kordex
