#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "series/author_statistics.h"
#include "series/series_ingestion.h"
#include "series/series_tables.h"

namespace kordex {

inline constexpr const char* kEmptyRunListMessage = "Перетащите реплеи в окно программы.";

struct SeriesRunResult {
    // False when nothing ran: the run list was empty (the message was shown) or a run was
    // already under way.
    bool started = false;
    std::vector<ReplayOutcome> replays;  // in run-list order
    double elapsedSeconds = 0;           // the loop over the replays, with the battle log
    std::string statusText;              // the status bar's last text
};

// The run of the button "Начать": every replay of the run list into its battle column, then the
// author's statistics, the total and average columns, the summary and the column widths.
// Throws KordexError only when the battle log cannot be saved; the tables keep what was done.
SeriesRunResult RunSeries(SeriesTables& tables, SeriesSession& session, LabelStore& labels,
                          const SeriesOptions& options, Platform& platform,
                          SeriesRunObserver& observer, SeriesBattleLog* battleLog);

// "Время выполнения: 1,2345 сек." with four decimals in the locale's separator.
std::string ElapsedTimeText(double seconds, const NumberFormat& format);

// The status bar's text at the end of a run: the elapsed time, and when repeats of battles
// already counted were left out, how many: "... сек. Пропущено повторов: 2".
std::string RunEndStatusText(double seconds, const std::vector<ReplayOutcome>& replays,
                             const NumberFormat& format);

}  // namespace kordex
