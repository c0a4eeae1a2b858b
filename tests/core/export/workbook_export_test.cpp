#include "export/workbook_export.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <filesystem>

#include "export/export_file.h"
#include "platform/kordex_error.h"
#include "series/series_charts.h"
#include "support/file_bytes.h"
#include "support/series_export_fixture.h"
#include "support/series_grid_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

using ExportFixture = test::SeriesExportFixture;
using test::FolderEntries;
using test::GridFromRows;

const NumberFormat kComma{','};

// The workbook as tests/support/read_workbook.py prints it; nothing when Debian's python3 or
// its openpyxl is not installed.
std::optional<std::string> ReadWorkbook(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return std::nullopt;
#else
    const std::string python = "/usr/bin/python3";
    if (!std::filesystem::exists(test::PathOf(python)))
        return std::nullopt;
    const std::string command =
        python + " '" + KORDEX_TEST_DATA + "/../support/read_workbook.py' '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
        return std::nullopt;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    return output;
#endif
}

// The lines of one sheet in the dump, its "sheet" line included.
std::string SheetDump(const std::string& dump, const std::string& name) {
    const auto start = dump.find("sheet\t" + name + "\n");
    if (start == std::string::npos)
        return {};
    const auto end = dump.find("\nsheet\t", start + 1);
    const auto stop = end == std::string::npos ? dump.find("\nactive\t", start) : end;
    return dump.substr(start, stop - start + 1);
}

// The Windows cross-build has no libxlsxwriter: there the workbook tests are skipped.
#define KORDEX_REQUIRE_WORKBOOK() \
    if (!kWorkbookBuilt)          \
        GTEST_SKIP() << "built without libxlsxwriter (KORDEX_WORKBOOK=OFF); workbook not written";

#define KORDEX_READ_WORKBOOK(dump, path)  \
    const auto dump = ReadWorkbook(path); \
    if (!dump)                            \
        GTEST_SKIP() << "/usr/bin/python3 with openpyxl is absent; workbook not read back";

TEST(WorkbookExport, NumbersAreOnlyTextsThatKeepTheirLook) {
    const struct {
        std::string text;
        double number;
    } numbers[] = {
        {"1654", 1654},  {"-3", -3},
        {"0", 0},        {"1,5", 1.5},
        {"0,33", 0.33},  {"-0,5", -0.5},
        {"1,50", 1.5},   {"0,30", 0.3},
        {"-2,10", -2.1}, {"123456789012345", 123456789012345.0},
    };
    for (const auto& c : numbers)
        EXPECT_EQ(WorksheetNumber(c.text, kComma), c.number) << c.text;
    for (const char* text :
         {"007", "+5", "-0", "1.5", ",5", "1,", "1e5", "", "210 / 0", "1234567890123456"})
        EXPECT_EQ(WorksheetNumber(text, kComma), std::nullopt) << text;
    EXPECT_EQ(WorksheetNumber("1.5", NumberFormat{'.'}), 1.5);
}

TEST(WorkbookExport, FirstRowKeepsBothPartsAndBodyRowsTheValuePart) {
    const TextGrid table =
        GridFromRows({{"Дата", "27.05.2017;21:04", ";21:30", "a;b;c"},
                      {"Player_One", "1234;+1;false", ";x", "9 - 6/8 (1);0;true"}},
                     1);
    const WorksheetCells expected = {
        {{"Дата", {}},
         {"27.05.2017 21:04", {}, "", LocalDateTime{2017, 5, 27, 21, 4, 0}},
         {" 21:30", {}},
         {"a b c", {}}},
        {{"Player_One", {}}, {"1234", 1234}, {"", {}}, {"9 - 6/8 (1)", {}}},
    };
    EXPECT_EQ(GridToWorksheet(table, kComma), expected);
}

TEST(WorkbookExport, OnlyAWholeBattleTitleIsADate) {
    EXPECT_EQ(BattleTitleDate("27.05.2017 21:04"), (LocalDateTime{2017, 5, 27, 21, 4, 0}));
    EXPECT_EQ(BattleTitleDate("01.12.2020 00:59"), (LocalDateTime{2020, 12, 1, 0, 59, 0}));
    for (const char* text : {" 21:04", "27.05.2017", "27.13.2017 21:04", "32.05.2017 21:04",
                             "27.05.2017 24:00", "27-05-2017 21:04", "Суммарно"})
        EXPECT_EQ(BattleTitleDate(text), std::nullopt) << text;
}

TEST(WorkbookExport, ColumnsAreAsWideAsTheirLongestTextInCharacters) {
    const TextGrid table =
        GridFromRows({{"Ник", "Итого"}, {"Вася_2", "12 - 7/9 (1)"}, {std::string(80, 'x'), ""}}, 1);
    const WorksheetCells cells = GridToWorksheet(table, kComma);
    EXPECT_EQ(FittedColumnWidth(cells, 1), 14);  // twelve characters and a margin
    EXPECT_EQ(FittedColumnWidth(cells, 0), 60);  // a very long name does not take the sheet
    EXPECT_EQ(FittedColumnWidth(GridToWorksheet(GridFromRows({{"Вася"}}, 1), kComma), 0), 6);
}

TEST(WorkbookExport, EmptySeriesShowsTheMessageAndTouchesNothing) {
    ExportFixture f;
    f.series.SeriesGridExp.SetRowCount(3);
    EXPECT_FALSE(ExportWorkbook(f.series.Tables(), f.folder.Path(), kComma, f.platform));
    EXPECT_EQ(f.desktop.Events(), std::vector<std::string>{"message Таблица пуста."});
    EXPECT_TRUE(FolderEntries(f.folder.Path()).empty());
    EXPECT_EQ(f.series.SeriesGridFrags.Cell(4, 1), "Нажать для сортировки");
}

TEST(WorkbookExport, ExportReplacesTableXlsxOpensItAndEmptiesOnlyTheHints) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    test::MoveTotalsToFront(f.series);
    WriteFileReplacing(f.folder.File("table.xlsx"), std::string_view("an older export"));

    const auto path = ExportWorkbook(f.series.Tables(), f.folder.Path(), kComma, f.platform);

    ASSERT_TRUE(path);
    EXPECT_EQ(*path, f.folder.File("table.xlsx"));
    EXPECT_EQ(FolderEntries(f.folder.Path()), std::vector<std::string>{"table.xlsx"});
    EXPECT_EQ(test::ReadFileBytes(*path).substr(0, 2), "PK");
    EXPECT_EQ(f.desktop.Events(), std::vector<std::string>{"open " + *path});
    for (TextGrid* table :
         {&f.series.SeriesGridExp, &f.series.SeriesGridFrags, &f.series.SeriesGridDamage,
          &f.series.SeriesGridSupport, &f.series.SeriesGridShots}) {
        EXPECT_EQ(table->Cell(2, 1), "");
        EXPECT_EQ(table->Cell(4, 1), "Прохоровка, штурм");
    }
}

TEST(WorkbookExport, UnwritableFolderIsAnErrorWithNoFileAndNothingOpened) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    const std::string missing = f.folder.File("gone");
    EXPECT_THROW(ExportWorkbook(f.series.Tables(), missing, kComma, f.platform), KordexError);
    EXPECT_TRUE(f.desktop.Events().empty());
    EXPECT_TRUE(FolderEntries(f.folder.Path()).empty());
}

TEST(WorkbookExport, CellTooLongForASheetFailsAndKeepsTheOlderWorkbook) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    const std::string path = f.folder.File("table.xlsx");
    WriteFileReplacing(path, std::string_view("an older export"));
    // A sheet cell holds at most 32767 characters; cutting the text would lose data silently.
    f.series.SeriesGridSummary.SetCell(0, 2, std::string(40000, 'x'));

    EXPECT_THROW(SaveSeriesWorkbook(f.series.Tables(), path, kComma), KordexError);

    EXPECT_EQ(test::ReadFileBytes(path), "an older export");
    EXPECT_EQ(FolderEntries(f.folder.Path()), std::vector<std::string>{"table.xlsx"});
}

TEST(WorkbookExport, ReadBackHasTheSheetsInOrderWithNumbersAsNumbers) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    const auto path = ExportWorkbook(f.series.Tables(), f.folder.Path(), kComma, f.platform);
    ASSERT_TRUE(path);
    KORDEX_READ_WORKBOOK(dump, *path);

    std::vector<std::string> sheets;
    for (std::size_t at = dump->find("sheet\t"); at != std::string::npos;
         at = dump->find("\nsheet\t", at + 1)) {
        const auto start = dump->find('\t', at) + 1;
        sheets.push_back(dump->substr(start, dump->find('\n', start) - start));
    }
    EXPECT_EQ(sheets, (std::vector<std::string>{"Опыт", "Фраги", "Урон", "Поддержка", "Стрельба",
                                                "Итого", "Графики"}));
    EXPECT_NE(dump->find("\nactive\t0\n"), std::string::npos) << *dump;

    // The whole rectangle of the experience table; the hint of E2 is gone.
    EXPECT_EQ(SheetDump(*dump, "Опыт"),
              "sheet\tОпыт\n"
              "\tA1\ts\tДата\n"
              "\tC1\td\t2017-05-27 21:04:00 [dd.mm.yyyy hh:mm]\n"
              "\tD1\ts\t 21:30\n"
              "\tE1\ts\tСуммарно\n"
              "\tF1\ts\tВ среднем\n"
              "\tA2\ts\tКарта\n"
              "\tC2\ts\tПрохоровка, штурм\n"
              "\tD2\ts\tЭнск\n"
              "\tA3\ts\tНик\\Опыт\n"
              "\tB3\ts\tТехника\n"
              "\tC3\ts\tПобеда\n"
              "\tD3\ts\tПоражение\n"
              "\tE3\ts\tБоев: 2, побед: 1\n"
              "\tF3\ts\t1/0/1  50%\n"
              "\tA4\ts\tPlayer_One\n"
              "\tB4\ts\tT-34\n"
              "\tC4\tn\t1234\n"
              "\tD4\tn\t420\n"
              "\tE4\tn\t1654\n"
              "\tF4\tn\t827\n"
              "\tA5\ts\tВася_2\n"
              "\tB5\ts\tИС-3, M4 \"Easy\" & <E8>\n"
              "\tC5\tn\t700\n"
              "\tD5\tn\t900\n"
              "\tE5\tn\t1600\n"
              "\tF5\tn\t800\n"
              "\trows\t5\n"
              "\tfreeze\tB4\n"
              "\twidths\t12 24 19 11 19 12\n");

    // The summary with its attendance, ending with its last player, its title row frozen.
    const std::string summary = SheetDump(*dump, "Итого");
    for (const char* line :
         {"\tI1\ts\tВ среднем поддержки\n", "\tJ1\ts\tБоёв\n", "\tK1\ts\tПобед\n",
          "\tL1\ts\t% побед\n", "\tG3\tn\t1.5 [0.00]\n", "\tE3\ts\t130 / 70\n", "\tJ2\tn\t2\n",
          "\tK3\tn\t1\n", "\tL3\tn\t50\n", "\trows\t3\n", "\tfreeze\tB2\n"})
        EXPECT_NE(summary.find(line), std::string::npos) << line << summary;
    // Pair and shooting values stay text; every sheet keeps its header rows and names in view.
    const std::string shots = SheetDump(*dump, "Стрельба");
    EXPECT_NE(shots.find("\tF4\ts\t10,50 - 6,50/8,50 (1)\n"), std::string::npos) << shots;
    EXPECT_NE(shots.find("\tC4\ts\t9 - 6/8 (1)\n"), std::string::npos) << shots;
    for (const char* sheet : {"Фраги", "Урон", "Поддержка", "Стрельба"})
        EXPECT_NE(SheetDump(*dump, sheet).find("\tfreeze\tB4\n"), std::string::npos) << sheet;
    EXPECT_NE(SheetDump(*dump, "Поддержка").find("\tC4\ts\t210 / 0\n"), std::string::npos);
}

TEST(WorkbookExport, AveragesEndingInZeroAreNumbersShownWithTheirDecimals) {
    KORDEX_REQUIRE_WORKBOOK();
    // Cut averages such as 0,30 (the float just above 0.3) are numbers like every other
    // average, so a sum over the column counts them; the format keeps the zero in sight.
    const TextGrid table = GridFromRows(
        {{"Ник", "В среднем"}, {"Player_One", "0,30"}, {"Вася_2", "1,5"}, {"Петя", "12,10"}}, 1);
    const WorksheetCells cells = GridToWorksheet(table, kComma);
    EXPECT_EQ(cells[1][1], (WorksheetCell{"0,30", 0.3, "0.00"}));
    EXPECT_EQ(cells[2][1], (WorksheetCell{"1,5", 1.5, ""}));
    EXPECT_EQ(cells[3][1], (WorksheetCell{"12,10", 12.1, "0.00"}));

    ExportFixture f;
    f.series.SeriesGridSummary.SetCell(5, 3, "0,30");
    const std::string path = f.folder.File("table.xlsx");
    SaveSeriesWorkbook(f.series.Tables(), path, kComma);
    KORDEX_READ_WORKBOOK(dump, path);
    const std::string summary = SheetDump(*dump, "Итого");
    EXPECT_NE(summary.find("\tF4\tn\t0.3 [0.00]\n"), std::string::npos) << summary;
}

// The charts sheet: formulas over the other sheets that give the charts' values, and native
// charts whose series read those formulas and the players' rows.
TEST(WorkbookExport, ChartsSheetReadsTheOtherSheetsThroughFormulasAndChartSeries) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    const std::string path = f.folder.File("table.xlsx");
    SaveSeriesWorkbook(f.series.Tables(), path, kComma);
    KORDEX_READ_WORKBOOK(dump, path);
    const std::string charts = SheetDump(*dump, "Графики");

    for (const char* line : {
             // The team block: a row per battle, sums of the battle columns.
             "\tR1\ts\tБой\n",
             "\tR2\tn\t1\n",
             "\tS2\ts\t27.05.2017 21:04\n",
             "\tT3\ts\tЭнск\n",
             "\tU2\ts\t='Опыт'!C3\n",
             "\tV2\ts\t=SUM('Опыт'!C4:C5)\n",
             "\tW3\ts\t=SUM('Урон'!D4:D5)\n",
             "\tX3\ts\t=COUNTIF($U$2:U3,\"Победа\")*100/ROWS($U$2:U3)\n",
             // The ranking block, the best average first.
             "\tZ2\ts\tPlayer_One\n",
             "\tAA2\ts\t=IFERROR(AVERAGE('Опыт'!C4:D4),0)\n",
             "\tAB3\ts\t=COUNTA('Опыт'!C5:D5)\n",
             // The charts and the cells their series read.
             "\tchart\tcolumn\tОпыт команды за бой\n"
             "\t\tseries\t'Графики'!$R$2:$R$3\t'Графики'!$V$2:$V$3\n",
             "\tchart\tcolumn\tУрон команды за бой\n"
             "\t\tseries\t'Графики'!$R$2:$R$3\t'Графики'!$W$2:$W$3\n",
             "\tchart\tline\tПроцент побед с начала серии\n"
             "\t\tseries\t'Графики'!$R$2:$R$3\t'Графики'!$X$2:$X$3\n",
             "\tchart\tbar\tСредний опыт\n"
             "\t\tseries\t'Графики'!$Z$2:$Z$3\t'Графики'!$AA$2:$AA$3\n",
             "\tchart\tbar\tБоев сыграно\n"
             "\t\tseries\t'Графики'!$Z$2:$Z$3\t'Графики'!$AB$2:$AB$3\n",
             "\tchart\tline\tPlayer_One: опыт\n"
             "\t\tseries\t'Опыт'!$C$1:$D$1\t'Опыт'!$C$4:$D$4\n",
             "\tchart\tline\tВася_2: урон\n"
             "\t\tseries\t'Опыт'!$C$1:$D$1\t'Урон'!$C$5:$D$5\n",
         })
        EXPECT_NE(charts.find(line), std::string::npos) << line << "\n" << charts;
}

TEST(WorkbookExport, ChartsSheetOfOneBattleSaysThereIsNothingToDrawYet) {
    KORDEX_REQUIRE_WORKBOOK();
    ExportFixture f;
    for (TextGrid* table : {&f.series.SeriesGridExp, &f.series.SeriesGridDamage})
        table->SetCell(3, 2, "Вышел");
    const std::string path = f.folder.File("table.xlsx");
    SaveSeriesWorkbook(f.series.Tables(), path, kComma);
    KORDEX_READ_WORKBOOK(dump, path);
    EXPECT_EQ(SheetDump(*dump, "Графики"), std::string("sheet\tГрафики\n\tA1\ts\t") +
                                               kNothingToChart +
                                               "\n\trows\t1\n\tfreeze\tnone\n\twidths\t13\n");
}

}  // namespace
}  // namespace kordex
