#include "series/series_links.h"

#include <gtest/gtest.h>

#include "replay/portal_addresses.h"
#include "support/series_grid_fixture.h"

namespace kordex {
namespace {

using test::GridFromRows;
using Kind = SeriesCellLink::Kind;

RunList ThreeReplays() {
    RunList list;
    list.Assign({"/r/a.wotreplay", "/r/b.wotreplay", "/r/c.wotreplay"});
    return list;
}

TEST(SeriesTableLink, NamesSearchThePortalAndBattleHeadersOpenTheirReplay) {
    // Three battles, the second one left early, totals at the end.
    TextGrid grid = GridFromRows(
        {
            {"Дата", "", "27.05;21:04", ";21:15", ";21:30", "Суммарно", "В среднем"},
            {"Карта", "", "Химмельсдорф", "Руинберг", "Энск", "", ""},
            {"Ник\\Опыт", "Техника", "Победа", "Вышел", "Поражение", "Боев: 2", "50%"},
            {"Игрок_1", "Т-34", "800;+1;true", "", "400;-1;false", "1200", "600"},
            {"", "", "", "", "", "", ""},
        },
        3);
    const RunList list = ThreeReplays();
    const std::string search = std::string(kGamePortalBase) + "/community/accounts/#wot&at_search=";
    struct Case {
        int column;
        int row;
        SeriesCellLink link;
    };
    const Case cases[] = {
        {0, 3, {Kind::PlayerSearch, search + "Игрок_1"}},
        {0, 4, {}},                                // no name
        {1, 3, {}},                                // the vehicle
        {2, 3, {}},                                // a body cell of a battle
        {2, 0, {Kind::Battle, "/r/a.wotreplay"}},  // date, map and outcome of battle 1
        {2, 1, {Kind::Battle, "/r/a.wotreplay"}},
        {4, 2, {Kind::Battle, "/r/c.wotreplay"}},
        {3, 0, {}},  // left early
        {5, 0, {}},  // totals
        {6, 2, {}},  // averages
        {0, 0, {}},
        {1, 2, {}},
        {-1, -1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeriesTableLink(grid, list, c.column, c.row), c.link) << c.column << "," << c.row;
}

TEST(SeriesTableLink, WithTheTotalsInFrontTheBattlesFollowThem) {
    TextGrid grid = GridFromRows(
        {
            {"Дата", "", "Суммарно", "В среднем", "27.05;21:04", ";21:15", ";21:30"},
            {"Карта", "", "", "", "Химмельсдорф", "Руинберг", "Энск"},
            {"Ник\\Опыт", "Техника", "Боев: 3", "66%", "Победа", "Победа", "Поражение"},
            {"Игрок_1", "Т-34", "1200", "400", "800;+1;true", "0;-1;false", "400;-1;false"},
        },
        3);
    const RunList list = ThreeReplays();
    EXPECT_EQ(SeriesTableLink(grid, list, 2, 0), SeriesCellLink{});
    EXPECT_EQ(SeriesTableLink(grid, list, 3, 1), SeriesCellLink{});
    EXPECT_EQ(SeriesTableLink(grid, list, 4, 0), (SeriesCellLink{Kind::Battle, "/r/a.wotreplay"}));
    EXPECT_EQ(SeriesTableLink(grid, list, 6, 2), (SeriesCellLink{Kind::Battle, "/r/c.wotreplay"}));
}

}  // namespace
}  // namespace kordex
