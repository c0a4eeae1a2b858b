#include "library/library_search.h"

#include <gtest/gtest.h>

#include <fstream>

#include "library/library_actions.h"
#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "support/recording_file_system.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace col = library_column;

TextGrid Library(const std::vector<std::vector<std::string>>& rows) {
    TextGrid table = MakeLibraryGrid();
    table.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        table.SetCell(col::Map, r + 1, rows[r][0]);
        table.SetCell(col::Player, r + 1, rows[r][1]);
        table.SetCell(col::Outcome, r + 1, rows[r][2]);
        table.SetCell(col::Path, r + 1, rows[r][3]);
    }
    return table;
}

std::vector<int> ShownRows(const TextGrid& table) {
    std::vector<int> shown;
    for (int row = 0; row < table.RowCount(); ++row)
        if (RowShown(table, row))
            shown.push_back(row);
    return shown;
}

TEST(LibrarySearch, AnyCellWithoutRegardToLetterCaseTheTitleRowAlwaysShown) {
    TextGrid table = Library({{"Малиновка", "Tanker", "Победа", "/r/a.wotreplay"},
                              {"Прохоровка", "other", "Поражение", "/r/b.wotreplay"},
                              {"Химмельсдорф", "TANKER_2", "Ничья", "/r/c.wotreplay"}});
    struct Case {
        std::string typed;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {"", {0, 1, 2, 3}},      {"   ", {0, 1, 2, 3}}, {"мали", {0, 1}},  {"МАЛИ", {0, 1}},
        {" tanker ", {0, 1, 3}}, {"пора", {0, 2}},      {"b.wot", {0, 2}}, {"нет такого", {0}},
    };
    for (const Case& c : cases) {
        ApplyLibrarySearch(table, SearchKey(c.typed));
        EXPECT_EQ(ShownRows(table), c.shown) << c.typed;
    }
    // The texts stay as they were.
    EXPECT_EQ(table.Cell(col::Map, 1), "Малиновка");
}

TEST(LibrarySearch, ActionsTakeOnlyTheShownRowsOfASelection) {
    test::TempFolder folder;
    for (const char* name : {"a.wotreplay", "b.wotreplay", "c.wotreplay"})
        std::ofstream(test::PathOf(folder.File(name))) << name;
    const std::string a = folder.File("a.wotreplay"), b = folder.File("b.wotreplay"),
                      c = folder.File("c.wotreplay");
    TextGrid table = Library({{"Малиновка", "a", "Победа", a},
                              {"Прохоровка", "b", "Победа", b},
                              {"Малиновка", "c", "Победа", c}});
    ApplyLibrarySearch(table, SearchKey("малиновка"));
    table.SetSelection({1, 3});
    EXPECT_EQ(DeleteQuestion(table), "Удалить выбранные реплеи (2 шт.)?");
    const HandOff handOff = HandOffSelection(table);
    ASSERT_TRUE(std::holds_alternative<SeriesHandOff>(handOff));
    EXPECT_EQ(std::get<SeriesHandOff>(handOff).paths, (std::vector<std::string>{a, c}));

    test::RecordingFileSystem files;
    HeadlessDesktop desktop;
    desktop.confirmAnswers = {true};
    EXPECT_EQ(DeleteSelected(table, files, desktop), 2);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Cell(col::Path, 1), b);
    EXPECT_EQ(files.trashed, (std::vector<std::string>{c, a}));
}

}  // namespace
}  // namespace kordex
