#include <iostream>
#include <optional>

#include "cli_commands.h"
#include "dump_format.h"
#include "platform/kordex_error.h"
#include "replay/battle_reading.h"

namespace kordex::cli {

namespace {

struct ReadArguments {
    ReadingVariant variant = ReadingVariant::List;
    std::string path;
};

std::optional<ReadArguments> ParseArguments(const std::vector<std::string>& args) {
    ReadArguments parsed;
    bool havePath = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--variant") {
            if (++i == args.size())
                return std::nullopt;
            if (args[i] == "single")
                parsed.variant = ReadingVariant::Single;
            else if (args[i] == "list")
                parsed.variant = ReadingVariant::List;
            else
                return std::nullopt;
        } else if (!havePath && !args[i].starts_with("--")) {
            parsed.path = args[i];
            havePath = true;
        } else {
            return std::nullopt;
        }
    }
    if (!havePath)
        return std::nullopt;
    return parsed;
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

int WriteFailure(std::ostream& out, std::string_view step, std::string_view description) {
    WriteSection(out, "Failure");
    WriteRecord(out, "step", step);
    WriteRecord(out, "description", description);
    return 1;
}

void WriteBlocks(std::ostream& out, const ReplayBlocks& blocks) {
    WriteSection(out, "Blocks");
    WriteRecord(out, "HeaderBlock", std::to_string(blocks.HeaderBlock.size()));
    WriteRecord(out, "ResultsBlock", std::to_string(blocks.ResultsBlock.size()));
    WriteRecord(out, "VehiclesBlock", std::to_string(blocks.VehiclesBlock.size()));
    WriteRecord(out, "FragsBlock", std::to_string(blocks.FragsBlock.size()));
}

// The fields read so far, so that a header failing at a later key still shows the earlier ones.
void WriteHeader(std::ostream& out, const HeaderParse& parse) {
    const BattleHeader& h = parse.header;
    WriteSection(out, "BattleHeader");
    WriteRecord(out, "versionText", h.versionText);
    WriteRecord(out, "versionNumber", h.versionNumber);
    WriteRecord(out, "mapDisplayName", h.mapDisplayName);
    WriteRecord(out, "gameplayID", h.gameplayID);
    WriteRecord(out, "playerID", h.playerID);
    WriteRecord(out, "vehicles", std::to_string(h.vehiclesText.size()));
    WriteRecord(out, "dateTime", h.dateTime);
    WriteRecord(out, "mapName", h.mapName);
    WriteRecord(out, "playerName", h.playerName);
    WriteRecord(out, "playerVehicle", h.playerVehicle);
    WriteRecord(out, "battleType", h.battleType);
    if (parse.ok)
        WriteRecord(out, "ClientVersionNumber", std::to_string(h.clientVersion));
}

template <typename Row>
void WriteTable(std::ostream& out, std::string_view name, const Row& rows) {
    WriteSection(out, name);
    for (const auto& row : rows)
        WriteRow(out, std::vector<std::string>(row.begin(), row.end()));
}

void WriteTables(std::ostream& out, const BattleTables& tables) {
    WriteTable(out, "VehicleTable", tables.vehicles);
    WriteTable(out, "PlayersTable", tables.players);
    WriteSection(out, "PersonalResults");
    for (const auto& value : tables.personal.values)
        WriteRecord(out, value.key, value.value);
    const CommonResults& common = tables.common;
    WriteSection(out, "CommonResults");
    WriteRecord(out, "finishReason", common.finishReason);
    WriteRecord(out, "arenaCreateTime", common.arenaCreateTime);
    WriteRecord(out, "duration", common.duration);
    WriteRecord(out, "winnerTeam", common.winnerTeam);
    WriteRecord(out, "arenaUniqueID", common.arenaUniqueID);
}

// The battle read as the analyses read it, whichever of them would take the client.
int ReadAndWrite(const ReadArguments& arguments, std::ostream& out) {
    const bool single = arguments.variant == ReadingVariant::Single;
    BattleReadRequest request;
    request.variant = arguments.variant;
    request.analysis = std::nullopt;
    request.keys = single ? PersonalKeys::Single : PersonalKeys::Series;
    request.join = single ? JoinForm::Single : JoinForm::Series;
    const BattleRead read = ReadBattle(arguments.path, request);
    if (read.fault == ReadFault::CannotOpen)
        return WriteFailure(out, "ReadReplayBlocks", read.description);
    WriteBlocks(out, read.blocks);

    WriteHeader(out, read.header);
    if (read.FailedAt(ReadStage::Header))
        return WriteFailure(out, "ParseBattleHeader", read.description);

    const BattleHeader& header = read.header.header;
    WriteSection(out, "Acceptance");
    WriteRecord(out, "single", YesNo(IsClientAccepted(header, Analysis::Single)));
    WriteRecord(out, "series", YesNo(IsClientAccepted(header, Analysis::Series)));
    WriteRecord(out, "library", YesNo(IsClientAccepted(header, Analysis::Library)));
    const bool complete = IsBattleComplete(read.blocks);
    WriteRecord(out, "IsBattleComplete", YesNo(complete));

    // Without results there are no tables to show, whatever the header's vehicles hold.
    if (!complete)
        return 0;
    if (!read.Ok())
        return WriteFailure(out, ReadStageName(read.stage), read.description);
    WriteTables(out, read.tables);
    return 0;
}

}  // namespace

int RunRead(const std::vector<std::string>& args, std::ostream& out) {
    const std::optional<ReadArguments> arguments = ParseArguments(args);
    if (!arguments)
        return 2;
    try {
        return ReadAndWrite(*arguments, out);
    } catch (const KordexError& error) {
        // Reading errors and the passes' errors that the window shows in a message box.
        return WriteFailure(out, "error", error.what());
    }
}

}  // namespace kordex::cli
