#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "replay/battle_header.h"
#include "replay/block_reader.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

// One row of MANIFEST.tsv, by column title.
using ManifestRow = std::map<std::string, std::string>;

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t')
        fields.emplace_back();
    return fields;
}

std::vector<ManifestRow> ReadManifest(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::vector<std::string> titles;
    if (std::getline(in, line))
        titles = SplitTabs(line);
    std::vector<ManifestRow> rows;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const std::vector<std::string> fields = SplitTabs(line);
        ManifestRow row;
        for (std::size_t i = 0; i < titles.size(); ++i)
            row[titles[i]] = i < fields.size() ? fields[i] : "";
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// What the version texts of the real replays must give, and which analysis accepts them.
struct VersionExpectation {
    int number;
    bool single;
    bool series;
    bool library;
};

const std::map<std::string, VersionExpectation> kVersions = {
    {"0, 8, 6, 0", {860, false, false, false}}, {"0, 8, 8, 0", {880, false, false, false}},
    {"0, 8, 9, 0", {890, false, false, false}}, {"0, 8, 10, 0", {810, false, false, true}},
    {"0, 8, 11 0", {811, true, true, true}},    {"0, 9, 0, 0", {900, true, true, true}},
    {"0, 9, 1, 0", {910, true, true, true}},    {"0, 9, 4, 0", {940, true, true, true}},
    {"0, 9, 5, 0", {950, true, true, true}},    {"0, 9, 12, 0", {9120, true, true, true}},
    {"0, 9, 13, 0", {9130, true, true, true}},  {"0, 9, 14, 0", {9140, true, true, true}},
    {"0, 9, 15, 0", {9150, true, true, true}},  {"0.9.15.1", {9151, true, true, true}},
    {"0.9.16.0", {9160, true, true, true}},     {"0.9.17.0", {9170, true, true, true}},
    {"0.9.17.1", {9171, true, true, true}},     {"0.9.18.0", {9180, true, true, true}},
    {"0.9.19.0", {9190, true, true, true}},     {"0.9.19.1", {9191, true, true, true}},
    {"0.9.20.0", {9200, true, true, true}},     {"0.9.20.1", {9201, true, true, true}},
    {"0.9.21.0", {9210, true, true, true}},     {"0.9.22.0", {9220, true, true, true}},
    {"1.8.0.0", {1800, true, true, true}},      {"1.16.1.0", {11610, true, true, true}},
};

// A manifest without a version: the file has no header object with that key.
bool HasVersion(const ManifestRow& row) {
    const std::string& version = row.at("clientVersionFromExe");
    return !version.empty() && version != "None";
}

class SharedReplaysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KORDEX_REQUIRE_SHARED_REPLAYS();
        folder_ = test::SharedReplaysFolder();
        rows_ = ReadManifest(folder_ + "/MANIFEST.tsv");
        ASSERT_FALSE(rows_.empty()) << "MANIFEST.tsv is missing or empty";
    }

    std::string folder_;
    std::vector<ManifestRow> rows_;
};

TEST_F(SharedReplaysTest, HeadersGiveTheManifestVersions) {
    for (const ManifestRow& row : rows_) {
        SCOPED_TRACE(row.at("file"));
        const auto blocks = ReadReplayBlocks(folder_ + "/" + row.at("file"), ReadingVariant::List);
        ASSERT_TRUE(blocks.has_value());
        const HeaderParse parse = ParseBattleHeader(blocks->HeaderBlock);
        if (!HasVersion(row)) {
            EXPECT_FALSE(parse.ok);
            continue;
        }
        ASSERT_TRUE(parse.ok) << parse.failure;
        const std::string& exe = row.at("clientVersionFromExe");
        EXPECT_EQ(parse.header.versionNumber, exe);
        // The manifest writes the title's no-break spaces as plain spaces.
        EXPECT_EQ(ReplaceAll(parse.header.versionText, "\u00a0", " "),
                  ReplaceAll(row.at("clientVersionFromXml"), "Common Test", "CT"));
        EXPECT_EQ(parse.header.mapName, row.at("mapName"));
        EXPECT_EQ(parse.header.dateTime, row.at("dateTime"));
        EXPECT_EQ(parse.header.gameplayID, row.at("gameplayID"));

        const auto expected = kVersions.find(exe);
        ASSERT_NE(expected, kVersions.end()) << "no expectation for version text " << exe;
        const int v = parse.header.clientVersion;
        EXPECT_EQ(v, expected->second.number);
        EXPECT_EQ(IsVersionAccepted(v, Analysis::Single), expected->second.single);
        EXPECT_EQ(IsVersionAccepted(v, Analysis::Series), expected->second.series);
        EXPECT_EQ(IsVersionAccepted(v, Analysis::Library), expected->second.library);
    }
}

TEST_F(SharedReplaysTest, BattleCompletenessMatchesTheResultsInTheFile) {
    int complete = 0;
    for (const ManifestRow& row : rows_) {
        SCOPED_TRACE(row.at("file"));
        const std::string path = folder_ + "/" + row.at("file");
        const auto list = ReadReplayBlocks(path, ReadingVariant::List);
        const auto single = ReadReplayBlocks(path, ReadingVariant::Single);
        ASSERT_TRUE(list.has_value());
        ASSERT_TRUE(single.has_value());
        // Older clients keep their results in a form the reader does not take.
        if (!HasVersion(row) || ParseBattleHeader(list->HeaderBlock).header.clientVersion < 811)
            continue;
        const bool hasResults = row.at("has_personal") == "True";
        EXPECT_EQ(IsBattleComplete(*list), hasResults);
        EXPECT_EQ(IsBattleComplete(*single), hasResults);
        EXPECT_EQ(list->HeaderBlock, single->HeaderBlock);
        complete += hasResults ? 1 : 0;
    }
    EXPECT_GT(complete, 0) << "the manifest marks no replay of 8.11 or later with results";
}

}  // namespace
}  // namespace kordex
