#include "window/drop_rule.h"
#include "text/text_collation.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

TEST(IsAcceptedDrop, TakesReplayFilesOnly) {
    struct Case {
        DroppedItem item;
        bool accepted;
    };
    const Case cases[] = {
        {{"/home/u/replays/20170217_1901_ussr-R87_T62A_01_karelia.wotreplay"}, true},
        {{"C:\\Games\\World_of_Tanks\\replays\\a.b.wotreplay"}, true},
        {{"/home/u/replays/x.WOTREPLAY"}, false},      // letter case counts
        {{"/home/u/replays/x.wotreplay.txt"}, false},  // extension from the last dot
        {{"/home/u/replays/notes.txt"}, false},
        {{"/home/u/replays/wotreplay"}, false},
        {{"/home/u/replays.wotreplay/plain"}, false},  // a dot in a folder name is no extension
        {{"/home/u/replays/saved.wotreplay", true}, false},  // a folder
        // The file the game is still recording is skipped, nothing else with "temp" in it.
        {{"C:\\Games\\World_of_Tanks\\replays\\temp.wotreplay"}, false},
        {{"/home/u/replays/temp.wotreplay"}, false},
        {{"/home/u/replays/Temp.wotreplay"}, true},
        {{"/home/u/temp/battle.wotreplay"}, true},
        {{"/home/u/Temp/battle.wotreplay"}, true},
        {{"/home/u/replays/attempt1.wotreplay"}, true},
        {{"C:\\Users\\Artemp\\replays\\battle.wotreplay"}, true},
        {{"/home/u/replays/temp.wotreplay.wotreplay"}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAcceptedDrop(c.item), c.accepted) << c.item.path;
}

TEST(DecideDrop, OneReplayGoesToTheSingleView) {
    const auto outcome = DecideDrop({{"/r/notes.txt"}, {"/r/b.wotreplay"}, {"/r/sub", true}});
    EXPECT_EQ(outcome.target, DropTarget::SingleView);
    EXPECT_EQ(outcome.replayPath, "/r/b.wotreplay");
    EXPECT_EQ(outcome.replaysList, std::vector<std::string>{"/r/b.wotreplay"});
}

TEST(DecideDrop, SeveralReplaysWaitSortedOnTheSeriesTab) {
    const auto outcome = DecideDrop({{"/r/c.wotreplay"},
                                     {"/r/B.wotreplay"},
                                     {"/r/a.wotreplay"},
                                     {"/r/temp.wotreplay"},
                                     {"/r/Я.wotreplay"},
                                     {"/r/ё.wotreplay"}});
    EXPECT_EQ(outcome.target, DropTarget::SeriesList);
    EXPECT_EQ(outcome.replayPath, "");
    EXPECT_EQ(outcome.replaysList,
              (std::vector<std::string>{"/r/a.wotreplay", "/r/B.wotreplay", "/r/c.wotreplay",
                                        "/r/ё.wotreplay", "/r/Я.wotreplay"}));
}

TEST(DecideDrop, NothingUsableStillReplacesTheListWithAnEmptyOne) {
    for (const auto& items :
         {std::vector<DroppedItem>{}, std::vector<DroppedItem>{{"/r/x.WOTREPLAY"}, {"/r/a.txt"}}}) {
        const auto outcome = DecideDrop(items);
        EXPECT_EQ(outcome.target, DropTarget::SeriesList);
        EXPECT_TRUE(outcome.replaysList.empty());
    }
}

TEST(ListBoxLess, IgnoresLetterCaseThenBreaksTiesByBytes) {
    std::vector<std::string> items{"b", "A", "a", "B", "Б", "а", "А", "Ёж", "ел", "ж"};
    SortLikeListBox(items);
    EXPECT_EQ(items,
              (std::vector<std::string>{"A", "a", "B", "b", "А", "а", "Б", "Ёж", "ел", "ж"}));
}

TEST(EndSeriesPreparation, EmptiesTheBodiesOfAllSixTablesAndKeepsTheTitles) {
    SeriesTables tables;
    SetSeriesGridTitles(tables);
    for (TextGrid* grid : tables.SeriesGrids()) {
        grid->SetColumnCount(7);
        grid->SetRowCount(25);
        grid->SetCell(4, 20, "1234");
    }
    tables.SeriesGridSummary.SetCell(3, 5, "77");

    EndSeriesPreparation(tables, 3);

    // The previous list's battles and a new run's rows, on the experience table only.
    EXPECT_EQ(tables.SeriesGridExp.ColumnCount(), 5);
    EXPECT_EQ(tables.SeriesGridExp.RowCount(), kSeriesInitialRows);
    EXPECT_EQ(tables.SeriesGridShots.RowCount(), 25);
    for (const TextGrid* grid : SeriesGridsOf(tables)) {
        EXPECT_EQ(grid->Cell(0, 0), "Дата");
        for (int row = grid->FixedRows(); row < grid->RowCount(); ++row)
            for (int column = 0; column < grid->ColumnCount(); ++column)
                EXPECT_EQ(grid->Cell(column, row), "") << column << "," << row;
    }
    EXPECT_EQ(tables.SeriesGridSummary.Cell(3, 5), "");
}

}  // namespace
}  // namespace kordex
