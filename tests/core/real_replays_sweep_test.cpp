// One sweep of the real replays: every replay of MANIFEST.tsv is read once by the reading
// pipeline, once by the single view, once by the library scan of its folder and once in one
// series run of all of them; each result is checked against the manifest and against the
// acceptance rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "library/library_scan.h"
#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "replay/battle_reading.h"
#include "replay/json.h"
#include "series/series_run.h"
#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "single/team_tables.h"
#include "support/headless_series.h"
#include "support/headless_single.h"
#include "support/replace_all.h"
#include "support/tab_fields.h"
#include "support/team_table_checks.h"
#include "support/test_paths.h"
#include "tables/cell_markers.h"
#include "text/ini_file.h"
#include "text/letter_case.h"
#include "window/window_tables.h"

namespace kordex {
namespace {

namespace fs = std::filesystem;
namespace vf = vehicle_field;

using test::BodyRowsFilled;
using test::MarkerCounts;
using test::ReplaceAll;
using test::SortedByExperience;

// One row of MANIFEST.tsv, by column title.
using ManifestRow = std::map<std::string, std::string>;

std::vector<ManifestRow> ReadManifest(const std::string& path) {
    std::ifstream in(test::PathOf(path));
    std::string line;
    std::vector<std::string> titles;
    if (std::getline(in, line))
        titles = test::TabFields(line);
    std::vector<ManifestRow> rows;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const std::vector<std::string> fields = test::TabFields(line);
        ManifestRow row;
        for (std::size_t i = 0; i < titles.size(); ++i)
            row[titles[i]] = i < fields.size() ? fields[i] : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

// What the version texts of the clients up to 9.17.1 give, and which analysis accepts them.
struct VersionExpectation {
    int number;
    bool single;
    bool series;
    bool library;
};

const std::map<std::string, VersionExpectation> kNumberedVersions = {
    {"0, 8, 6, 0", {860, false, false, false}}, {"0, 8, 8, 0", {880, false, false, false}},
    {"0, 8, 9, 0", {890, false, false, false}}, {"0, 8, 10, 0", {810, false, false, true}},
    {"0, 8, 11 0", {811, true, true, true}},    {"0, 9, 0, 0", {900, true, true, true}},
    {"0, 9, 1, 0", {910, true, true, true}},    {"0, 9, 4, 0", {940, true, true, true}},
    {"0, 9, 5, 0", {950, true, true, true}},    {"0, 9, 7, 0", {970, true, true, true}},
    {"0, 9, 8, 0", {980, true, true, true}},    {"0, 9, 10, 0", {9100, true, true, true}},
    {"0, 9, 12, 0", {9120, true, true, true}},  {"0, 9, 13, 0", {9130, true, true, true}},
    {"0, 9, 14, 0", {9140, true, true, true}},  {"0, 9, 15, 0", {9150, true, true, true}},
    {"0.9.15.1", {9151, true, true, true}},     {"0.9.16.0", {9160, true, true, true}},
    {"0.9.17.0", {9170, true, true, true}},     {"0.9.17.1", {9171, true, true, true}},
};

// The client eras the report counts by; the first is the one ClientVersionNumber orders.
const char* const kEras[] = {"8.11-9.17.1", "9.18-9.22", "1.0-1.4", "1.5-1.6", "1.7-1.x", "2.x"};

// The client's major and minor version from the manifest's title ("v.1.19.0.2"), or from the
// exe version for titles without one; the era index, or -1 before 8.11.
int EraOf(const ManifestRow& row) {
    std::smatch m;
    const std::string& title = row.at("clientVersionFromXml");
    const std::string& exe = row.at("clientVersionFromExe");
    int a = 0, b = 0, c = 0;
    static const std::regex kTitle(R"(v\.(\d+)\.(\d+)(?:\.(\d+))?)");
    static const std::regex kExe(R"((\d+)[., ]+(\d+)[., ]+(\d+))");
    if (std::regex_search(title, m, kTitle)) {
        a = std::stoi(m[1]);
        b = std::stoi(m[2]);
        c = m[3].matched ? std::stoi(m[3]) : 0;
    } else if (std::regex_search(exe, m, kExe)) {
        a = std::stoi(m[1]);
        b = std::stoi(m[2]);
        c = std::stoi(m[3]);
    }
    if (a == 0 && (b < 8 || (b == 8 && c < 11)))
        return -1;
    if (a == 0)
        return b == 9 && c >= 18 ? 1 : 0;
    if (a == 1)
        return b <= 4 ? 2 : b <= 6 ? 3 : 4;
    return 5;
}

bool HasVersion(const ManifestRow& row) {
    const std::string& version = row.at("clientVersionFromExe");
    return !version.empty() && version != "None";
}

bool HasResults(const ManifestRow& row) {
    return row.at("has_personal") == "True";
}

bool IsWholeNumber(const std::string& text) {
    return std::regex_match(text, std::regex(R"(-?\d+)"));
}

const std::set<std::string> kOutcomes = {"Победа", "Поражение", "Ничья"};

// What the acceptance rules say of one manifest row.
struct Expected {
    int era = -1;
    bool single = false, series = false, library = false;
};

Expected ExpectationOf(const ManifestRow& row) {
    Expected e;
    e.era = EraOf(row);
    const auto numbered = kNumberedVersions.find(row.at("clientVersionFromExe"));
    if (e.era <= 0 && numbered != kNumberedVersions.end()) {
        e.single = numbered->second.single;
        e.series = numbered->second.series;
        e.library = numbered->second.library;
    } else if (e.era > 0) {
        e.single = e.series = e.library = true;
    }
    return e;
}

// The players of one team of a read battle, by name in letter-case-folded form.
std::map<std::string, const VehicleRow*> TeamByName(const VehicleTable& vehicles,
                                                    const std::string& team) {
    std::map<std::string, const VehicleRow*> players;
    for (const VehicleRow& row : vehicles)
        if (!row[vf::Name].empty() && row[vf::Team] == team)
            players.emplace(FoldLetterCase(row[vf::Name]), &row);
    return players;
}

class RealReplaysSweep : public ::testing::Test {
  protected:
    void SetUp() override {
        KORDEX_REQUIRE_SHARED_REPLAYS();
        folder_ = test::SharedReplaysFolder();
        rows_ = ReadManifest(folder_ + "/MANIFEST.tsv");
        ASSERT_FALSE(rows_.empty()) << "MANIFEST.tsv is missing or empty";
        for (const ManifestRow& row : rows_)
            paths_.push_back(folder_ + "/" + row.at("file"));
    }

    // The header, the blocks of both variants and the tables of the pipeline.
    void CheckReading(const ManifestRow& row, const std::string& path, const Expected& e,
                      const BattleRead& read);
    void CheckSingle(const ManifestRow& row, const std::string& path, const Expected& e,
                     const BattleRead& read);
    void CheckLibraryRow(const Expected& e, const BattleRead& read, const TextGrid& table,
                         int tableRow);
    void CheckSeriesColumn(const Expected& e, const BattleRead& read, const ReplayOutcome& outcome,
                           SeriesTables& tables, int column);

    std::string folder_;
    std::vector<ManifestRow> rows_;
    std::vector<std::string> paths_;
};

void RealReplaysSweep::CheckReading(const ManifestRow& row, const std::string& path,
                                    const Expected& e, const BattleRead& read) {
    ASSERT_NE(read.fault, ReadFault::CannotOpen);
    if (!HasVersion(row)) {
        EXPECT_TRUE(read.FailedAt(ReadStage::Header));
        return;
    }
    const HeaderParse& parse = read.header;
    ASSERT_TRUE(parse.ok) << parse.failure;
    const BattleHeader& h = parse.header;
    EXPECT_EQ(h.versionNumber, row.at("clientVersionFromExe"));
    // The manifest writes the title's no-break spaces as plain spaces.
    EXPECT_EQ(ReplaceAll(h.versionText, "\u00a0", " "),
              ReplaceAll(row.at("clientVersionFromXml"), "Common Test", "CT"));
    EXPECT_EQ(h.mapName, row.at("mapName"));
    EXPECT_EQ(h.dateTime, row.at("dateTime"));
    EXPECT_EQ(h.gameplayID, row.at("gameplayID"));
    if (e.era <= 0) {
        const auto numbered = kNumberedVersions.find(h.versionNumber);
        ASSERT_NE(numbered, kNumberedVersions.end()) << "no expectation for " << h.versionNumber;
        EXPECT_EQ(h.clientVersion, numbered->second.number);
        EXPECT_EQ(IsVersionAccepted(h.clientVersion, Analysis::Single), e.single);
        EXPECT_EQ(IsVersionAccepted(h.clientVersion, Analysis::Series), e.series);
        EXPECT_EQ(IsVersionAccepted(h.clientVersion, Analysis::Library), e.library);
    }
    EXPECT_EQ(IsClientAccepted(h, Analysis::Single), e.single);
    EXPECT_EQ(IsClientAccepted(h, Analysis::Series), e.series);
    EXPECT_EQ(IsClientAccepted(h, Analysis::Library), e.library);

    // Both reading variants find the same header; the results are there exactly when the
    // manifest saw them (the clients before 8.11 keep theirs in a form the reader does not take).
    const auto single = ReadReplayBlocks(path, ReadingVariant::Single);
    ASSERT_TRUE(single.has_value());
    EXPECT_EQ(single->HeaderBlock, read.blocks.HeaderBlock);
    if (e.era >= 0) {
        EXPECT_EQ(IsBattleComplete(read.blocks), HasResults(row));
        EXPECT_EQ(IsBattleComplete(*single), HasResults(row));
    }
    if (!e.series || !HasResults(row))
        return;

    // A finished battle reads whole: every vehicle its identity, results and kills, every
    // player their ids, the recorder's row their own damage.
    ASSERT_TRUE(read.Ok()) << ReadStageName(read.stage) << ": " << read.description;
    const BattleTables& t = read.tables;
    EXPECT_EQ(t.personal.values.size(), 69u);
    EXPECT_FALSE(t.common.winnerTeam.empty());
    const std::size_t vehicles = ParseObject(read.blocks.VehiclesBlock).object.MemberCount();
    const std::size_t frags = ParseObject(read.blocks.FragsBlock).object.MemberCount();
    int filled = 0, withKills = 0, withAccount = 0;
    const VehicleRow* recorder = nullptr;
    for (const VehicleRow& v : t.vehicles) {
        filled += !v[vf::Name].empty() && !v[vf::Team].empty() && !v[vf::Xp].empty();
        withKills += !v[vf::Kills].empty();
        withAccount += !v[vf::AccountId].empty();
        EXPECT_TRUE(v[vf::Alive].empty() || v[vf::Alive] == "true" || v[vf::Alive] == "false");
        EXPECT_TRUE(v[vf::TeamKiller].empty() || v[vf::TeamKiller] == "true" ||
                    v[vf::TeamKiller] == "false");
        if (v[vf::Name] == h.playerName)
            recorder = &v;
    }
    EXPECT_EQ(filled, static_cast<int>(vehicles));
    EXPECT_EQ(withKills, static_cast<int>(frags));
    // Bots of training rooms have no player and so no account.
    EXPECT_EQ(withAccount, std::stoi(row.at("nplayers")));
    EXPECT_GE(ParseObject(h.vehiclesText).object.MemberCount(), 11u);
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ((*recorder)[vf::Damage], t.personal.Value("damageDealt"));
    EXPECT_EQ((*recorder)[vf::Team], t.personal.Value("team"));
}

void RealReplaysSweep::CheckSingle(const ManifestRow& row, const std::string& path,
                                   const Expected& e, const BattleRead& read) {
    test::HeadlessSingle single;
    const SingleView& view = single.view;
    const LabelStore& labels = single.labels;
    SingleEnd end{};
    ASSERT_NO_THROW(end = single.Analyse(path));
    if (e.single && HasVersion(row)) {
        EXPECT_EQ(end, HasResults(row) ? SingleEnd::Completed : SingleEnd::Incomplete);
    }
    if (end != SingleEnd::Completed)
        return;
    // Both teams with their players, each player's experience as the pipeline read it, the
    // extremes marked once, sorted by experience.
    const std::string team = view.tables.personal.Value("team");
    EXPECT_TRUE(kOutcomes.count(labels.Text("Label_isWinner")));
    const auto allies = TeamByName(read.tables.vehicles, team);
    EXPECT_EQ(BodyRowsFilled(view.alliesGrid), std::min<int>(allies.size(), 15));
    int enemies = 0;
    for (const VehicleRow& v : read.tables.vehicles)
        enemies += !v[vf::Team].empty() && v[vf::Team] != team;
    EXPECT_EQ(BodyRowsFilled(view.enemiesGrid), std::min(enemies, 15));
    for (const TextGrid* grid : {&view.alliesGrid, &view.enemiesGrid}) {
        EXPECT_TRUE(SortedByExperience(*grid));
        for (int column = team_column::Xp; column <= team_column::AssistTrack; ++column) {
            auto counts = MarkerCounts(*grid, column);
            EXPECT_EQ(counts["+1"], 1) << "column " << column;
            EXPECT_LE(counts["-1"], 1) << "column " << column;
        }
    }
    for (int r = view.alliesGrid.FixedRows(); r < view.alliesGrid.RowCount(); ++r) {
        const std::string& name = view.alliesGrid.Cell(team_column::Name, r);
        if (name.empty())
            continue;
        const auto player = allies.find(FoldLetterCase(name));
        ASSERT_NE(player, allies.end()) << "row " << r;
        EXPECT_EQ(ValuePart(view.alliesGrid.Cell(team_column::Xp, r)), (*player->second)[vf::Xp]);
    }
}

void RealReplaysSweep::CheckLibraryRow(const Expected& e, const BattleRead& read,
                                       const TextGrid& table, int r) {
    namespace col = library_column;
    const std::string& outcome = table.Cell(col::Outcome, r);
    if (!read.header.ok) {
        EXPECT_EQ(outcome, "Ошибка");
        return;
    }
    if (!e.library) {
        EXPECT_EQ(outcome, "Стар.версия");
        return;
    }
    if (!IsBattleComplete(read.blocks)) {
        EXPECT_EQ(outcome, "Ошибка");
        return;
    }
    if (!read.Ok())
        return;
    // A normal row: the recorder's own results and a whole net profit.
    const PersonalResults& personal = read.tables.personal;
    EXPECT_TRUE(kOutcomes.count(outcome)) << outcome;
    EXPECT_EQ(table.Cell(col::Xp, r), personal.Value("xp"));
    EXPECT_EQ(table.Cell(col::Damage, r), personal.Value("damageDealt"));
    EXPECT_EQ(table.Cell(col::Kills, r), personal.Value("kills"));
    EXPECT_TRUE(IsWholeNumber(table.Cell(col::NetProfit, r))) << table.Cell(col::NetProfit, r);
}

void RealReplaysSweep::CheckSeriesColumn(const Expected& e, const BattleRead& read,
                                         const ReplayOutcome& outcome, SeriesTables& tables,
                                         int column) {
    EXPECT_FALSE(outcome.move.attempted);
    EXPECT_NE(outcome.kind, ReplayClass::Failure) << outcome.description;
    const TextGrid& exp = tables.SeriesGridExp;
    const std::string& word = exp.Cell(column, 2);
    if (!read.header.ok) {
        EXPECT_EQ(word, "Ошибка");
        return;
    }
    if (!e.series) {
        EXPECT_EQ(word, "Старая версия");
        return;
    }
    if (!IsBattleComplete(read.blocks)) {
        EXPECT_EQ(word, "Вышел");
        return;
    }
    // A complete battle is counted: each player of the recorder's team with their experience.
    ASSERT_EQ(outcome.kind, ReplayClass::Complete) << outcome.description;
    EXPECT_TRUE(kOutcomes.count(word)) << word;
    const auto allies = TeamByName(read.tables.vehicles, read.tables.personal.Value("team"));
    int filled = 0, highest = 0;
    for (int r = kSeriesStartRow; r < exp.RowCount(); ++r) {
        const std::string& cell = exp.Cell(column, r);
        if (cell.empty())
            continue;
        ++filled;
        highest += cell.find(";+1;") != std::string::npos;
        for (const TextGrid* grid : tables.SeriesGrids())
            EXPECT_FALSE(grid->Cell(column, r).empty()) << "row " << r;
        const auto player = allies.find(FoldLetterCase(exp.Cell(0, r)));
        ASSERT_NE(player, allies.end()) << "row " << r;
        EXPECT_EQ(ValuePart(cell), (*player->second)[vf::Xp]) << "row " << r;
    }
    EXPECT_EQ(filled, std::min<int>(allies.size(), 15));
    EXPECT_EQ(highest, 1);
}

std::map<std::string, fs::file_time_type> FilesUnder(const std::string& folder) {
    std::map<std::string, fs::file_time_type> files;
    for (const auto& entry : fs::recursive_directory_iterator(test::PathOf(folder)))
        files[test::Utf8Of(entry.path())] = entry.last_write_time();
    return files;
}

TEST_F(RealReplaysSweep, EveryReplayReadsAsTheManifestAndTheAcceptanceRulesSay) {
    const auto before = FilesUnder(folder_);

    // The library scans each folder once; its rows are found by path.
    std::map<std::string, std::pair<const TextGrid*, int>> libraryRows;
    std::vector<std::unique_ptr<LibraryTables>> scans;
    HeadlessDesktop desktop;
    for (const auto& entry : fs::directory_iterator(test::PathOf(folder_))) {
        if (!entry.is_directory())
            continue;
        auto& tables = *scans.emplace_back(std::make_unique<LibraryTables>());
        ProcessReplays(test::Utf8Of(entry.path()), tables, IniFile(), desktop);
        EXPECT_EQ(tables.allReplays.RowCount(), static_cast<int>(tables.allReplaysList.size()) + 1);
        for (int r = 1; r < tables.allReplays.RowCount(); ++r) {
            const std::string& path = tables.allReplays.Cell(library_column::Path, r);
            EXPECT_FALSE(path.empty());
            libraryRows[test::Utf8Of(test::PathOf(path).lexically_normal())] = {&tables.allReplays,
                                                                                r};
        }
    }

    // One series run over every replay, nothing moved.
    test::HeadlessSeries run;
    run.options.moveUnusable = false;
    run.options.multiAdditional = true;
    SeriesRunResult series;
    ASSERT_NO_THROW(series = run.Run(paths_));
    WindowTables& seriesTables = run.tables;
    ASSERT_EQ(series.replays.size(), rows_.size());
    // The run takes the replays in its own order; each has the battle column of its place.
    std::map<std::string, std::size_t> seriesPlace;
    for (std::size_t i = 0; i < series.replays.size(); ++i)
        seriesPlace[series.replays[i].path] = i;

    int read[std::size(kEras)] = {}, complete[std::size(kEras)] = {};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ManifestRow& row = rows_[i];
        SCOPED_TRACE(row.at("file"));
        const Expected e = ExpectationOf(row);
        const BattleRead battle = ReadBattle(paths_[i], BattleReadRequest{});
        CheckReading(row, paths_[i], e, battle);
        CheckSingle(row, paths_[i], e, battle);
        const auto library =
            libraryRows.find(test::Utf8Of(test::PathOf(paths_[i]).lexically_normal()));
        ASSERT_NE(library, libraryRows.end());
        CheckLibraryRow(e, battle, *library->second.first, library->second.second);
        const auto place = seriesPlace.find(paths_[i]);
        ASSERT_NE(place, seriesPlace.end());
        CheckSeriesColumn(e, battle, series.replays[place->second], seriesTables,
                          static_cast<int>(place->second) + 2);
        if (e.era >= 0 && e.series && HasResults(row)) {
            ++complete[e.era];
            read[e.era] += battle.Ok();
        }
    }
    for (std::size_t era = 0; era < std::size(kEras); ++era) {
        std::cout << "clients " << kEras[era] << ": " << read[era] << " of " << complete[era]
                  << " finished battles read\n";
        EXPECT_EQ(read[era], complete[era]) << kEras[era];
        EXPECT_GT(complete[era], 0) << "no finished battle of clients " << kEras[era];
    }
    EXPECT_EQ(FilesUnder(folder_), before);
}

}  // namespace
}  // namespace kordex
