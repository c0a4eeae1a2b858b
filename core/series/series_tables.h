#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "replay/portal_addresses.h"
#include "tables/label_store.h"
#include "tables/text_grid.h"

namespace kordex {

// The first player row of a series grid, below the date, map and outcome rows (StartRow).
inline constexpr int kSeriesStartRow = 3;

// The totals column's row-1 text; the exports empty it, in the window too.
inline constexpr std::string_view kSortHint = "Нажать для сортировки";
// Rows a series grid has at the start of a run: the header rows and room for one team.
inline constexpr int kSeriesInitialRows = 18;
// The nine totals and averages, then the attendance: battles, wins, win percentage.
inline constexpr int kSummaryColumns = 12;

// The run list lb_ReplaysList: full replay paths kept in the order of the window's sorted list
// box, so the battles of a series stand in the order of their file names.
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

// The store of the series: the five per-player grids and the summary, with the sizes they have
// when the window is built. Sorting, drawing, double-clicks and the exports read their cells.
struct SeriesTables {
    SeriesTables();

    TextGrid SeriesGridExp;
    TextGrid SeriesGridFrags;
    TextGrid SeriesGridDamage;
    TextGrid SeriesGridSupport;
    TextGrid SeriesGridShots;
    TextGrid SeriesGridSummary;
    // The web portal of the series' battles (the region of its last complete battle), for the
    // name links of the double-clicks and the exported page.
    PortalRegion portalRegion = PortalRegion::Ru;

    // The five per-player series tables in their fixed order: Exp, Frags, Damage, Support,
    // Shots.
    std::array<TextGrid*, 5> SeriesGrids();
};

// The corner titles of the five grids, with a double-height first row for the date above the
// time, as the start-up sequence writes them.
void SetSeriesGridTitles(TextGrid& grid, const char* cornerTitle);
void SetSeriesGridTitles(SeriesTables& tables);

// What the series keeps beside its grids from run to run.
struct SeriesSession {
    RunList lb_ReplaysList;
    // Set while a run is under way, so that a start during its event handling is refused.
    bool runInProgress = false;
    // The last run collected the author's statistics ("Собирать всю информацию по автору"), so
    // the labels hold them and the page may show them.
    bool authorStatsCollected = false;
};

// The labels when the last run collected the author's statistics into them; nothing otherwise.
inline const LabelStore* CollectedAuthorStats(const SeriesSession& session,
                                              const LabelStore& labels) {
    return session.authorStatsCollected ? &labels : nullptr;
}

// The five series grids, Exp, Frags, Damage, Support, Shots, for reading.
std::array<const TextGrid*, 5> SeriesGridsOf(const SeriesTables& tables);

// Readies the grids for a run of the given number of replays: N + 2 columns, 18 rows, nothing
// left but the header texts of columns 0 and 1; the summary keeps only its titles.
void PrepareSeriesGrids(SeriesTables& tables, int replays);

// Gives every column the widest fitted width over the five grids, then fits the summary.
void FitSeriesColumnWidths(SeriesTables& tables, Desktop& desktop);

// The run-list index of the replay whose battle stands in the column of the series grid, or
// nothing for the name, vehicle, total and average columns and for columns beyond the list.
// The layout is read from the grid, where the last run put the totals.
std::optional<int> BattleReplayIndex(const TextGrid& grid, const RunList& runList, int column);

}  // namespace kordex
