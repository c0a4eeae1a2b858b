#include "series/series_table_style.h"

#include <gtest/gtest.h>

#include "support/drawn_style.h"

namespace kordex {
namespace {

constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

using test::Drawn;

TEST(SeriesTableCellStyle, OutcomeRowTitlesAndMarkedCells) {
    using enum SeriesColumn;
    struct Case {
        SeriesTable table;
        SeriesColumn column;
        bool totalsAtFront;
        int row;
        const char* text;
        CellStyle expected;
    };
    const auto face = SystemColour::ButtonFace;
    const Case cases[] = {
        // Outcome row of the battle columns.
        {SeriesTable::Exp, Battle, false, 2, "Победа", Drawn(Rgb{0, 255, 0}, {}, {{"Победа"}})},
        {SeriesTable::Exp, Battle, false, 2, "Ничья", Drawn(Rgb{255, 255, 0}, {}, {{"Ничья"}})},
        {SeriesTable::Frags, Battle, false, 2, "Поражение",
         Drawn(Rgb{255, 0, 0}, {}, {{"Поражение"}})},
        {SeriesTable::Damage, Battle, false, 2, "Вышел", Drawn(colours::kGrey, {}, {{"Вышел"}})},
        {SeriesTable::Shots, Battle, true, 2, "Ошибка чтения",
         Drawn(colours::kGrey, {}, {{"Ошибка чтения"}})},
        {SeriesTable::Exp, Battle, false, 2, "Старая версия",
         Drawn(colours::kGrey, {}, {{"Старая версия"}})},
        {SeriesTable::Exp, Battle, false, 2, "Ошибка", Drawn({}, {}, {{"Ошибка"}})},
        {SeriesTable::Exp, Battle, false, 2, "Сбой", Drawn({}, {}, {{"Сбой"}})},
        // A repeat is shown like the other battles that count nowhere.
        {SeriesTable::Support, Battle, false, 2, "Повтор", Drawn(colours::kGrey, {}, {{"Повтор"}})},
        // Battle count and win rate: coloured only when the totals lead the table.
        {SeriesTable::Exp, Total, true, 2, "Боев: 6, побед: 3",
         Drawn(face, {}, {{"Боев: 6, побед: 3"}})},
        {SeriesTable::Support, Average, true, 2, "3/1/2  50%", Drawn(face, {}, {{"3/1/2  50%"}})},
        {SeriesTable::Exp, Total, false, 2, "Боев: 6, побед: 3", {}},
        {SeriesTable::Exp, Average, false, 2, "3/1/2  50%", {}},
        {SeriesTable::Exp, Vehicles, false, 2, "Техника", {}},
        // Titles: on the button face, a battle's date and time on two lines.
        {SeriesTable::Exp, Battle, false, 0, "27.05.2017;21:04",
         Drawn(face, {}, {{"27.05.2017", 2, 2}, {"21:04", 3, 22}})},
        {SeriesTable::Shots, Battle, false, 0, ";21:30",
         Drawn(face, {}, {{"", 2, 2}, {"21:30", 3, 22}})},
        {SeriesTable::Exp, Total, false, 0, "Суммарно", Drawn(face, {}, {{"Суммарно", 2, 2}})},
        {SeriesTable::Exp, Names, false, 0, "Дата", Drawn(face, {}, {{"Дата", 2, 2}})},
        {SeriesTable::Exp, Battle, false, 1, "Химмельсдорф", {}},
        // Marked body cells: the alive background, the extreme text colour, the value only.
        {SeriesTable::Exp, Battle, false, 3, "1200;+1;true",
         Drawn(colours::kLightGreen, kGreen, {{"1200", 2, 2}})},
        {SeriesTable::Exp, Battle, false, 7, "420;-1;false",
         Drawn(colours::kLightRed, kRed, {{"420", 2, 2}})},
        {SeriesTable::Damage, Battle, true, 4, "3000;+1;false",
         Drawn(colours::kLightRed, kGreen, {{"3000", 2, 2}})},
        {SeriesTable::Support, Battle, false, 3, "100 / 50;0;true",
         Drawn(colours::kLightGreen, kBlack, {{"100 / 50", 2, 2}})},
        {SeriesTable::Frags, Battle, false, 3, "error;0;true",
         Drawn(colours::kLightGreen, kBlack, {{"error", 2, 2}})},
        {SeriesTable::Shots, Battle, false, 3, "10 - 6/8 (1);0;true",
         Drawn(colours::kLightGreen, kBlack, {{"10 - 6/8 (1)", 2, 2}})},
        {SeriesTable::Shots, Battle, false, 3, "10 - 6/8 (1);+1;false",
         Drawn(colours::kLightRed, kBlack, {{"10 - 6/8 (1)", 2, 2}})},
        // Plain body cells, names and the summary table keep the table's drawing.
        {SeriesTable::Exp, Total, false, 3, "2700", {}},
        {SeriesTable::Exp, Average, true, 3, "900", {}},
        {SeriesTable::Exp, Names, false, 3, "Игрок", {}},
        {SeriesTable::Exp, Vehicles, false, 3, "T-34, IS", {}},
        {SeriesTable::Exp, Battle, false, 3, "", {}},
        {SeriesTable::Exp, Battle, false, 2, "", {}},
        {SeriesTable::Summary, Battle, false, 0, "Ник", {}},
        {SeriesTable::Summary, Battle, false, 3, "1200;+1;true", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SeriesTableCellStyle(c.table, c.column, c.totalsAtFront, c.row, c.text, 12),
                  c.expected)
            << c.row << " " << c.text;
}

TEST(SeriesTableCellStyle, UnreadableMarkersLeaveTheCellToTheTableAndSayWhy) {
    for (const char* text : {"1200;x;true", "1200;+1;maybe", "1200;+1", "1200;"}) {
        const auto style =
            SeriesTableCellStyle(SeriesTable::Exp, SeriesColumn::Battle, false, 3, text, 12);
        EXPECT_FALSE(style.custom) << text;
        EXPECT_FALSE(style.failure.empty()) << text;
    }
    // The shooting table never reads its extreme field.
    EXPECT_TRUE(SeriesTableCellStyle(SeriesTable::Shots, SeriesColumn::Battle, false, 3,
                                     "1 - 0/1 (0);x;true", 12)
                    .failure.empty());
}

TEST(SeriesTableCellStyle, TheLayoutIsReadFromTheTable) {
    TextGrid atEnd(6, 4, 1, 3, 60, 18);
    atEnd.SetRow(0, {"Дата", "", "01.05;20:00", ";20:10", "Суммарно", "В среднем"});
    atEnd.SetRow(2, {"Ник\\Опыт", "Техника", "Победа", "Ничья", "Боев: 2, побед: 1", "1/1/0  50%"});
    TextGrid atFront(6, 4, 1, 3, 60, 18);
    atFront.SetRow(0, {"Дата", "", "Суммарно", "В среднем", "01.05;20:00", ";20:10"});
    atFront.SetRow(2,
                   {"Ник\\Опыт", "Техника", "Боев: 2, побед: 1", "1/1/0  50%", "Победа", "Ничья"});
    EXPECT_FALSE(TotalsAtFront(atEnd));
    EXPECT_TRUE(TotalsAtFront(atFront));

    EXPECT_FALSE(SeriesTableCellStyle(SeriesTable::Exp, atEnd, 4, 2).custom);
    EXPECT_EQ(SeriesTableCellStyle(SeriesTable::Exp, atEnd, 3, 2).background,
              Colour(Rgb{255, 255, 0}));
    EXPECT_EQ(SeriesTableCellStyle(SeriesTable::Exp, atFront, 2, 2).background,
              Colour(SystemColour::ButtonFace));
    EXPECT_EQ(SeriesTableCellStyle(SeriesTable::Exp, atFront, 4, 2).background,
              Colour(Rgb{0, 255, 0}));

    // While a run is under way there are no total columns: the last battles are coloured too.
    TextGrid during(4, 4, 1, 3, 60, 18);
    during.SetRow(0, {"Дата", "", "01.05;20:00", ";20:10"});
    during.SetRow(2, {"", "Техника", "Победа", "Поражение"});
    EXPECT_EQ(SeriesTableCellStyle(SeriesTable::Exp, during, 3, 2).background,
              Colour(Rgb{255, 0, 0}));

    // The second title line follows the table's font.
    atEnd.SetFont(FontSpec{"Tahoma", 11, false});
    EXPECT_EQ(SeriesTableCellStyle(SeriesTable::Exp, atEnd, 2, 0).lines.back(),
              (TextLine{"20:00", 3, 21}));
}

}  // namespace
}  // namespace kordex
