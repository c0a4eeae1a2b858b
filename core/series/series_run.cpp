#include "series/series_run.h"

#include <algorithm>
#include <charconv>

#include "series/summary_columns.h"

namespace kordex {

namespace {

// Keeps runs from overlapping: a start during the event handling of a run is refused.
class RunGuard {
  public:
    explicit RunGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunGuard() { flag_ = false; }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

  private:
    bool& flag_;
};

void SetStatus(SeriesRunResult& result, SeriesRunObserver& observer, std::string text) {
    result.statusText = std::move(text);
    observer.StatusText(result.statusText);
}

}  // namespace

std::string ElapsedTimeText(double seconds, const NumberFormat& format) {
    char digits[64];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, seconds, std::chars_format::fixed, 4).ptr;
    std::string text(digits, end);
    if (const auto point = text.find('.'); point != std::string::npos)
        text[point] = format.decimalSeparator;
    return "Время выполнения: " + text + " сек.";
}

std::string RunEndStatusText(double seconds, const std::vector<ReplayOutcome>& replays,
                             const NumberFormat& format) {
    std::string text = ElapsedTimeText(seconds, format);
    const auto repeats = std::count_if(replays.begin(), replays.end(), [](const auto& replay) {
        return replay.kind == ReplayClass::Repeat;
    });
    if (repeats > 0)
        text += " Пропущено повторов: " + std::to_string(repeats);
    return text;
}

SeriesRunResult RunSeries(SeriesTables& tables, SeriesSession& session, LabelStore& labels,
                          const SeriesOptions& options, Platform& platform,
                          SeriesRunObserver& observer, SeriesBattleLog* battleLog) {
    SeriesRunResult result;
    if (session.runInProgress)
        return result;
    if (session.lb_ReplaysList.Empty()) {
        platform.desktop.ShowMessage(kEmptyRunListMessage);
        return result;
    }
    RunGuard guard(session.runInProgress);
    result.started = true;

    // The list may be changed by a drop while events are handled; the run reads its own copy.
    const std::vector<std::string> paths = session.lb_ReplaysList.Paths();
    const int count = static_cast<int>(paths.size());

    observer.RunStarted();
    session.authorStatsCollected = false;
    SeriesRunState state;
    ZeroLables(labels);
    PrepareSeriesGrids(tables, count);

    observer.ProgressShown(count - 1);
    const double start = platform.clock.Seconds();
    if (battleLog)
        battleLog->Begin();

    SeriesContext context{tables, options, platform, observer, battleLog, state, labels};
    for (int i = 0; i < count; ++i) {
        SetStatus(result, observer, "Текущий реплей: " + paths[static_cast<std::size_t>(i)]);
        result.replays.push_back(
            SeriesAnalysis(paths[static_cast<std::size_t>(i)], i, kSeriesStartRow, context));
        observer.ProgressPosition(i);
        if (i % 3 == 0)
            platform.desktop.ProcessPendingEvents();
    }

    if (battleLog)
        battleLog->Finish(platform.clock.Now());
    result.elapsedSeconds = platform.clock.Seconds() - start;
    SetStatus(result, observer,
              RunEndStatusText(result.elapsedSeconds, result.replays, options.format));

    if (options.multiAdditional) {
        AdditionalFinalize(state.author, labels, options.format);
        session.authorStatsCollected = true;
    }
    AppendSeriesTotals(tables, options.format);
    if (options.multiToBegin)
        MoveTotalsToFront(tables);
    RemoveTrailingEmptyRows(tables);
    FillSummaryGrid(tables);
    FitSeriesColumnWidths(tables, platform.desktop);
    observer.ProgressHidden();
    return result;
}

}  // namespace kordex
