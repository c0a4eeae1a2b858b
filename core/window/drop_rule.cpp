#include "window/drop_rule.h"

#include <algorithm>

#include "tables/grid_helpers.h"
#include "text/text_collation.h"

namespace kordex {

namespace {

std::string_view FileName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool IsAcceptedDrop(const DroppedItem& item) {
    if (item.isFolder)
        return false;
    const auto name = FileName(item.path);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".wotreplay")
        return false;
    // Only the replay being recorded is skipped: "temp" inside other names (attempt1, a user
    // folder like Artemp) is an ordinary replay.
    return name != kRecordingReplayName;
}

DropOutcome DecideDrop(const std::vector<DroppedItem>& items) {
    DropOutcome outcome;
    for (const auto& item : items)
        if (IsAcceptedDrop(item))
            outcome.replaysList.push_back(item.path);
    SortLikeListBox(outcome.replaysList);
    if (outcome.replaysList.size() == 1) {
        outcome.target = DropTarget::SingleView;
        outcome.replayPath = outcome.replaysList.front();
    }
    return outcome;
}

void EndSeriesPreparation(SeriesTables& tables, int previousListSize) {
    tables.SeriesGridExp.SetColumnCount(previousListSize + 2);
    tables.SeriesGridExp.SetRowCount(kSeriesInitialRows);
    for (TextGrid* grid : tables.SeriesGrids())
        ClearTableBody(*grid);
    ClearTableBody(tables.SeriesGridSummary);
}

}  // namespace kordex
