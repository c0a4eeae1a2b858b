#include "export/html_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "export/export_file.h"
#include "platform/kordex_error.h"
#include "support/file_bytes.h"
#include "support/series_export_fixture.h"
#include "support/series_grid_fixture.h"
#include "support/test_paths.h"
#include "tables/label_store.h"

namespace kordex {
namespace {

using ExportFixture = test::SeriesExportFixture;
using test::GridFromRows;
using test::ReadFileBytes;
using test::SmallSeries;

const std::string kExpectedPage = std::string(KORDEX_TEST_DATA) + "/export/small_series_page.htm";
// The page's name by the fixture's clock.
const std::string kPageName = "ExportAllies_2017.05.27 21.45.07.htm";

bool HasLine(const PageLines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines GridToHTMLTable gives for a one-body-row table with the given cells from column 2.
PageLines BodyRowLines(const std::vector<std::string>& battleCells) {
    std::vector<std::string> body = {"Player_One", "T-34"};
    body.insert(body.end(), battleCells.begin(), battleCells.end());
    TextGrid table = GridFromRows({{"Дата"}, {"Карта"}, {"Ник\\Опыт"}, body}, 3);
    PageLines lines;
    GridToHTMLTable(lines, table);
    return lines;
}

TEST(HtmlExport, SmallSeriesPageIsExactlyTheExpectedFile) {
    auto series = SmallSeries();
    const std::string bytes = PageFileBytes(SeriesPageLines(series.Tables()));
    EXPECT_EQ(bytes, ReadFileBytes(kExpectedPage));
}

TEST(HtmlExport, ExportWritesTheTimeStampedPageOpensItAndDropsTheOldFixedName) {
    ExportFixture f;
    WriteFileReplacing(f.folder.File("table.htm"), std::string_view("old"));

    const auto path = ExportHTMLNew(f.series.Tables(), nullptr, f.folder.Path(), f.platform);

    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, f.folder.File(kPageName));
    EXPECT_EQ(ReadFileBytes(*path), ReadFileBytes(kExpectedPage));
    EXPECT_EQ(test::FolderEntries(f.folder.Path()), std::vector<std::string>{kPageName});
    EXPECT_EQ(f.desktop.Events(), std::vector<std::string>{"open " + *path});
    // The window's tables lose the hint as well.
    for (TextGrid* table :
         {&f.series.SeriesGridExp, &f.series.SeriesGridFrags, &f.series.SeriesGridDamage,
          &f.series.SeriesGridSupport, &f.series.SeriesGridShots})
        EXPECT_EQ(table->Cell(4, 1), "");
}

TEST(HtmlExport, EmptySeriesShowsTheMessageAndWritesNothing) {
    ExportFixture f;
    f.series.SeriesGridExp.SetRowCount(3);

    EXPECT_FALSE(
        ExportHTMLNew(f.series.Tables(), nullptr, f.folder.Path(), f.platform).has_value());

    EXPECT_EQ(f.desktop.Events(), std::vector<std::string>{"message Таблица пуста."});
    EXPECT_TRUE(test::FolderEntries(f.folder.Path()).empty());
    EXPECT_EQ(f.series.SeriesGridExp.Cell(4, 1), "Нажать для сортировки");
}

TEST(HtmlExport, SeriesOfOnePlayerIsExported) {
    ExportFixture f;
    f.series.SeriesGridExp.SetRowCount(4);
    EXPECT_TRUE(ExportHTMLNew(f.series.Tables(), nullptr, f.folder.Path(), f.platform).has_value());
}

TEST(HtmlExport, TotalsAtTheFrontLoseTheHintButNoBattleLosesItsMap) {
    auto series = SmallSeries();
    test::MoveTotalsToFront(series);
    ASSERT_EQ(series.SeriesGridExp.Cell(2, 1), "Нажать для сортировки");

    const PageLines lines = SeriesPageLines(series.Tables());

    EXPECT_EQ(series.SeriesGridExp.Cell(2, 1), "");
    EXPECT_EQ(series.SeriesGridExp.Cell(4, 1), "Прохоровка, штурм");
    EXPECT_EQ(series.SeriesGridShots.Cell(4, 1), "Прохоровка, штурм");
    EXPECT_TRUE(HasLine(lines, "<th class=\"grayed\">Прохоровка, штурм</th>"));
    EXPECT_FALSE(HasLine(lines, "<th class=\"grayed\">Нажать для сортировки</th>"));
    // The outcome classes follow their battles to the new columns.
    EXPECT_TRUE(HasLine(lines, "<th class=\"win\">Победа</th>"));
}

TEST(HtmlExport, MarkedCellsTakeSurvivalAndExtremeClasses) {
    const struct {
        std::string cell;
        std::string line;
    } cases[] = {
        {"1234;+1;false", "<td class=\"died\"><p class=\"max\">1234</p></td>"},
        {"420;-1;true", "<td class=\"survived\"><p class=\"min\">420</p></td>"},
        {"800;0;TRUE", "<td class=\"survived\"><p>800</p></td>"},
        {"800;2;False", "<td class=\"died\"><p>800</p></td>"},
        {"5;1;-1", "<td class=\"survived\"><p class=\"max\">5</p></td>"},
        {"5;0;0", "<td class=\"died\"><p>5</p></td>"},
        {"error;0;true", "<td class=\"survived\"><p>error</p></td>"},
        {"", "<td class=\"odd\"></td>"},
        {"1654", "<td class=\"odd\">1654</td>"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(HasLine(BodyRowLines({c.cell}), c.line)) << c.cell;
}

TEST(HtmlExport, UnreadableMarkersEndTheExportBeforeAnyFile) {
    for (const std::string cell : {"1234;x;true", "1234;0", "1234;;true", "1234;0;maybe"}) {
        ExportFixture f;
        f.series.SeriesGridDamage.SetCell(3, 4, cell);
        EXPECT_THROW(ExportHTMLNew(f.series.Tables(), nullptr, f.folder.Path(), f.platform),
                     KordexError)
            << cell;
        EXPECT_TRUE(test::FolderEntries(f.folder.Path()).empty()) << cell;
        EXPECT_TRUE(f.desktop.Events().empty()) << cell;
    }
}

TEST(HtmlExport, NamesCannotOpenMarkupInTextOrLinks) {
    TextGrid table = GridFromRows(
        {{"Дата"}, {"Карта"}, {"Ник"}, {"a\"><script>x&y</script> #1%", "<i>T-34</i>"}}, 3);
    PageLines lines;
    GridToHTMLTable(lines, table);
    EXPECT_TRUE(HasLine(lines,
                        "<td class=\"odd\"><a href=\"http://worldoftanks.ru/community/accounts/"
                        "#wot&at_search=a%22%3E%3Cscript%3Ex%26y%3C%2Fscript%3E%20%231%25\">"
                        "a&quot;&gt;&lt;script&gt;x&amp;y&lt;/script&gt; #1%</a></td>"));
    EXPECT_TRUE(HasLine(lines, "<td class=\"odd\">&lt;i&gt;T-34&lt;/i&gt;</td>"));
}

// The lines the page must keep, in their order, whatever it adds around them.
TEST(HtmlExport, TheNewTabsAndLayoutAreAdditionsAroundTheFixedLines) {
    auto series = SmallSeries();
    const PageLines lines = SeriesPageLines(series.Tables());
    const std::vector<std::string> fixed = {
        "<html>",
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        "<title>Kordex</title>",
        "<style type=\"text/css\">",
        ".tabs:target+.tab {opacity:1;visibility:visible;}",
        "</style>",
        "<body>",
        "<div class=\"tabsLink\">",
        "<a href=\"#exp\">Опыт</a>",
        "<a href=\"#sht\">Стрельба</a>",
        "</div>",
        "<a class=\"tabs\" id=\"exp\"></a>",
        "<div class=\"tab\" style=\"visibility:visible\">",
        "<table border=\"2\" align=\"center\" cellspacing=\"0\" rules=\"all\">",
        "<a class=\"tabs\" id=\"sht\"></a>",
        "</body>",
        "</html>",
    };
    auto at = lines.begin();
    for (const std::string& line : fixed) {
        at = std::find(at, lines.end(), line);
        ASSERT_NE(at, lines.end()) << line;
    }
    // The summary tab with the attendance, after the five tables; the viewport and legend.
    for (const char* line :
         {"<a href=\"#sum\">Итого</a>", "<a class=\"tabs\" id=\"sum\"></a>",
          "<th class=\"grayed\">% побед</th>", "<td class=\"even\">1,50</td>",
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"})
        EXPECT_TRUE(HasLine(lines, line)) << line;
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.starts_with("<p class=\"legend\">"); }),
        1);
    // The author's statistics only when the run collected them.
    EXPECT_FALSE(HasLine(lines, "<a href=\"#add\">Дополнительно</a>"));
    EXPECT_LT(std::find(lines.begin(), lines.end(), "<a href=\"#sht\">Стрельба</a>"),
              std::find(lines.begin(), lines.end(), "<a href=\"#sum\">Итого</a>"));
}

TEST(HtmlExport, TheAuthorsStatisticsTabShowsEachCaptionWithItsValue) {
    auto series = SmallSeries();
    LabelStore labels;
    ZeroLables(labels);
    labels.Set("Label_m_battles", "1/2  (50%)");
    labels.Set("Label_m_profit", "-1 700 / -850");
    const PageLines lines = SeriesPageLines(series.Tables(), &labels);
    for (const char* line : {
             "<a href=\"#add\">Дополнительно</a>",
             "<a class=\"tabs\" id=\"add\"></a>",
             "<tr><td>Побед/Боев:</td><td>1/2  (50%)</td><td>Обнаружил:</td><td>0</td></tr>",
             "<tr><td></td><td></td><td><b>Прибыль:</b></td><td><b>-1 700 / -850</b></td></tr>",
             "<tr><td>Отношение потенц. урона к полученному:</td><td>0</td>"
             "<td>Пополнение БК:</td><td>0</td></tr>",
         })
        EXPECT_TRUE(HasLine(lines, line)) << line;
}

TEST(HtmlExport, UnwritableFolderIsAnErrorAndNothingOpens) {
    ExportFixture f;
    const std::string missing = f.folder.File("no such folder");
    EXPECT_THROW(ExportHTMLNew(f.series.Tables(), nullptr, missing, f.platform), KordexError);
    EXPECT_TRUE(f.desktop.Events().empty());
}

}  // namespace
}  // namespace kordex
