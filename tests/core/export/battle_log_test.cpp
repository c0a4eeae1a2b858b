#include "export/battle_log.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/kordex_error.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

namespace f = vehicle_field;

struct Player {
    std::string id, vehicle, name, clan, side, kills, xp, account, clanId, damage, radio, track,
        shots, hits, pierced, he;
};

VehicleRow Row(const Player& p) {
    VehicleRow row;
    row[f::Id] = p.id;
    row[f::Type] = p.vehicle;
    row[f::Name] = p.name;
    row[f::Clan] = p.clan;
    row[f::Team] = p.side;
    row[f::Kills] = p.kills;
    row[f::Xp] = p.xp;
    row[f::AccountId] = p.account;
    row[f::ClanId] = p.clanId;
    row[f::Damage] = p.damage;
    row[f::AssistRadio] = p.radio;
    row[f::AssistTrack] = p.track;
    row[f::Shots] = p.shots;
    row[f::Hits] = p.hits;
    row[f::Pierced] = p.pierced;
    row[f::HeHits] = p.he;
    return row;
}

// Field 6 as the series ingestion leaves it: "1" for the recording player's team, "0" for the
// others and for the empty rows. Row 2 is empty; the teams alternate in row order.
VehicleTable SmallBattle() {
    VehicleTable table;
    for (auto& row : table)
        row[f::Team] = "0";
    table[0] = Row({"1001", "Т-34-85", "Player_One", "KORD", "1", "2", "1234", "5001", "77", "1500",
                    "210", "0", "12", "9", "7", "1"});
    table[1] = Row({"1002", "Type 59", "Enemy_1", "", "0", "0", "300", "5002", "0", "200", "0",
                    "50", "5", "3", "2", "0"});
    table[3] = Row({"1003", "ИС-3", "Вася_2", "A&B", "1", "1", "900", "5003", "78", "2100", "30",
                    "20", "8", "6", "5", "0"});
    table[4] = Row({"1004", "M4 \"Easy\" & <E8>", "Enemy_2", "RED", "0", "1", "700", "5004", "91",
                    "1800", "0", "0", "10", "8", "6", "2"});
    return table;
}

TEST(BattleLog, OneBattleIsExactlyTheExpectedFile) {
    PageLines log;
    BattleLogHead(log);
    BattleLogBattle(log, "27.05.2017 21:04:33", "Прохоровка, штурм", "Победа", SmallBattle());
    BattleLogEnd(log);

    test::TempFolder folder;
    const std::string path = BattleLogPath(folder.Path(), {2017, 5, 27, 22, 0, 1});
    EXPECT_EQ(path, folder.File("ExportAll_2017.05.27 22.00.01.htm"));
    SaveBattleLog(log, path);
    EXPECT_EQ(test::ReadFileBytes(path),
              test::ReadFileBytes(std::string(KORDEX_TEST_DATA) + "/export/battle_log.htm"));
}

TEST(BattleLog, RunWithoutIngestedBattlesStillWritesTheStartAndEnd) {
    test::TempFolder folder;
    HtmlBattleLog log(folder.Path());
    log.Begin();
    log.Finish({2017, 5, 27, 22, 0, 1});

    EXPECT_EQ(log.SavedPath(), folder.File("ExportAll_2017.05.27 22.00.01.htm"));
    EXPECT_TRUE(log.Lines().empty());
    const std::string page = test::ReadFileBytes(log.SavedPath());
    EXPECT_TRUE(page.starts_with("<html>\r\n<head>\r\n")) << page;
    EXPECT_TRUE(page.ends_with("<body>\r\n</body>\r\n</html>\r\n")) << page;
}

TEST(BattleLog, TitleClassFollowsTheOutcome) {
    const struct {
        std::string outcome, line;
    } cases[] = {
        {"Поражение", "<tr><td class=\"defeat\">d, m, Поражение</td><td></td></tr>"},
        {"Ничья", "<tr><td class=\"standoff\">d, m, Ничья</td><td></td></tr>"},
        {"Победа", "<tr><td class=\"win\">d, m, Победа</td><td></td></tr>"},
        {"Вышел", "<tr><td class=\"\">d, m, Вышел</td><td></td></tr>"},
    };
    for (const auto& c : cases) {
        PageLines log;
        BattleLogBattle(log, "d", "m", c.outcome, SmallBattle());
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[1], c.line);
    }
}

TEST(BattleLog, FullTeamsKeepTheirRowOrder) {
    VehicleTable table;
    for (int i = 0; i < kBattleRows; ++i) {
        table[i][f::Id] = std::to_string(100 + i);
        table[i][f::Name] = "P" + std::to_string(i);
        table[i][f::Team] = i % 2 == 0 ? "1" : "0";
        table[i][f::AccountId] = std::to_string(i);
        table[i][f::ClanId] = "0";
    }
    PageLines log;
    BattleLogBattle(log, "d", "m", "Победа", table);

    std::vector<std::string> firstTeam, secondTeam;
    bool inSecond = false;
    for (const auto& line : log) {
        if (line == "<td><table border=\"2\" class=\"even\">")
            inSecond = true;
        const auto start = line.find("\">P");
        if (line.starts_with("<tr><td><a href=") && start != std::string::npos)
            (inSecond ? secondTeam : firstTeam)
                .push_back(line.substr(start + 2, line.find('<', start) - start - 2));
    }
    std::vector<std::string> evens, odds;
    for (int i = 0; i < kBattleRows; ++i)
        (i % 2 == 0 ? evens : odds).push_back("P" + std::to_string(i));
    EXPECT_EQ(firstTeam, evens);
    EXPECT_EQ(secondTeam, odds);
    // Four lines per player, two title lines per team, eight framing lines.
    EXPECT_EQ(log.size(), 30u * 4 + 2 * 2 + 8);
}

TEST(BattleLog, IdsCannotBreakOutOfTheirLinks) {
    VehicleTable table = SmallBattle();
    table[0][f::AccountId] = "1\" onclick=\"x";
    table[0][f::ClanId] = "";
    PageLines log;
    BattleLogBattle(log, "d", "m", "Победа", table);
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "<tr><td><a href=\"http://worldoftanks.ru/community/accounts/"
                        "1%22%20onclick%3D%22x\">Player_One</a></td>"),
              log.end());
    // An empty clan id is not "0": the link stays, with an empty id.
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "<td><a href=\"http://ru.wargaming.net/clans/\">KORD</a></td>"),
              log.end());
}

TEST(BattleLog, UnwritableFileIsAnError) {
    test::TempFolder folder;
    PageLines log;
    BattleLogHead(log);
    BattleLogEnd(log);
    EXPECT_THROW(SaveBattleLog(log, folder.File("missing/log.htm")), KordexError);
}

}  // namespace
}  // namespace kordex
