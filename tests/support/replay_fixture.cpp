#include "support/replay_fixture.h"

#include <cstdint>

namespace kordex::test {

namespace {

constexpr std::uint32_t kReplayMagic = 0x11343212;

std::string Uint32LittleEndian(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

bool HasResults(const ReplayFixture& fixture) {
    return !fixture.results.empty() || !fixture.vehicles.empty() || !fixture.frags.empty();
}

// The results, vehicles and frags objects as the one JSON array the game writes.
std::string ResultsArray(const ReplayFixture& fixture) {
    std::string array = "[";
    bool first = true;
    for (const std::string* part : {&fixture.results, &fixture.vehicles, &fixture.frags}) {
        if (part->empty())
            continue;
        if (!first)
            array += fixture.separator;
        array += *part;
        first = false;
    }
    return array + "]";
}

}  // namespace

std::string ReplayFixture::DefaultBinaryRest() {
    // Deterministic noise: the same bytes every run, every byte value present.
    std::string rest;
    std::uint32_t state = 0x2545F491;
    for (int i = 0; i < 512; ++i) {
        state = state * 1664525u + 1013904223u;
        rest += static_cast<char>(state >> 24);
    }
    return rest;
}

std::string LengthField(std::size_t length) {
    return Uint32LittleEndian(static_cast<std::uint32_t>(length));
}

std::string BinaryStart(int blockCount, std::size_t headerLength) {
    return Uint32LittleEndian(kReplayMagic) +
           Uint32LittleEndian(static_cast<std::uint32_t>(blockCount)) + LengthField(headerLength);
}

std::string ReplayBytes(const ReplayFixture& fixture) {
    const bool hasResults = HasResults(fixture);
    std::string bytes =
        fixture.binaryStart.value_or(BinaryStart(hasResults ? 2 : 1, fixture.header.size()));
    bytes += fixture.header;
    if (hasResults) {
        const std::string array = ResultsArray(fixture);
        bytes += fixture.resultsLength.value_or(LengthField(array.size()));
        bytes += array;
    }
    bytes += fixture.binaryRest;
    return bytes;
}

void WriteReplayFile(const std::string& path, const ReplayFixture& fixture) {
    WriteBytesFile(path, ReplayBytes(fixture));
}

std::string SampleHeaderJson(const std::string& exeVersion, const std::string& xmlVersion) {
    return R"({"clientVersionFromXml": ")" + xmlVersion + R"(", "clientVersionFromExe": ")" +
           exeVersion +
           R"(", "mapDisplayName": "\u042d\u043d\u0441\u043a", "gameplayID": "ctf", "playerID": 5013371, )"
           R"("vehicles": {"18986845": {"vehicleType": "usa:A32_M12", "isAlive": true, )"
           R"("name": "Recorder", "team": 1, "clanAbbrev": "KRDX"}}, )"
           R"("dateTime": "24.12.2016 20:15:31", "mapName": "06_ensk", )"
           R"("playerName": "Recorder", "playerVehicle": "usa-A32_M12", "battleType": 1})";
}

std::string SampleResultsJson() {
    return R"({"arenaUniqueID": 64898155629127711, "personal": {"spotted": 2, "xp": 413}, )"
           R"("common": {"finishReason": 1, "winnerTeam": 1}, "players": {}, "vehicles": {}})";
}

std::string SampleVehiclesJson() {
    return R"({"18986845": {"vehicleType": "usa:A32_M12", "isAlive": true, "clanAbbrev": "KRDX", )"
           R"("name": "Recorder", "team": 1}})";
}

std::string SampleFragsJson() {
    return R"({"18986845": {"frags": 2}})";
}

ReplayFixture FinishedBattle(const std::string& header) {
    ReplayFixture fixture;
    fixture.header = header;
    fixture.results = SampleResultsJson();
    fixture.vehicles = SampleVehiclesJson();
    fixture.frags = SampleFragsJson();
    return fixture;
}

}  // namespace kordex::test
