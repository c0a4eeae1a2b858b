#include "replay/battle_header.h"

#include <charconv>
#include <vector>

#include "replay/json.h"

namespace kordex {

namespace {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::string RemoveAll(std::string_view text, std::string_view characters) {
    std::string kept;
    for (char c : text) {
        if (characters.find(c) == std::string_view::npos)
            kept += c;
    }
    return kept;
}

// Where a header field comes from; read in this order, stopping at the first missing key.
struct HeaderKey {
    const char* key;
    std::string BattleHeader::*field;
    bool memberText;  // the member's JSON text, parsed again later, instead of its ValueText
};

constexpr HeaderKey kHeaderKeys[] = {
    {"clientVersionFromXml", &BattleHeader::versionText, false},
    {"clientVersionFromExe", &BattleHeader::versionNumber, false},
    {"mapDisplayName", &BattleHeader::mapDisplayName, false},
    {"gameplayID", &BattleHeader::gameplayID, false},
    {"playerID", &BattleHeader::playerID, false},
    {"vehicles", &BattleHeader::vehiclesText, true},
    {"dateTime", &BattleHeader::dateTime, false},
    {"mapName", &BattleHeader::mapName, false},
    {"playerName", &BattleHeader::playerName, false},
    {"playerVehicle", &BattleHeader::playerVehicle, false},
    {"battleType", &BattleHeader::battleType, false},
};

HeaderParse Failed(HeaderParse parse, std::string failure) {
    parse.failure = std::move(failure);
    return parse;
}

// The vehicles are the larger part of the header: when their text is not wanted, only the
// other members read here are parsed, and of the vehicles only whether they are there.
ParsedObject ParseHeaderMembers(const std::string& headerBlock, VehiclesText vehicles) {
    if (vehicles == VehiclesText::Keep)
        return ParseObject(headerBlock);
    static const std::vector<std::string_view> kValueKeys = [] {
        std::vector<std::string_view> keys;
        for (const HeaderKey& key : kHeaderKeys)
            if (!key.memberText)
                keys.push_back(key.key);
        keys.push_back("regionCode");
        keys.push_back("serverName");
        return keys;
    }();
    static constexpr std::string_view kVehicles[] = {"vehicles"};
    return ParseObjectMembers(headerBlock, kValueKeys, kVehicles);
}

}  // namespace

HeaderParse ParseBattleHeader(const std::string& headerBlock, VehiclesText vehicles) {
    HeaderParse parse;
    const ParsedObject parsed = ParseHeaderMembers(headerBlock, vehicles);
    if (parsed.status == JsonStatus::NotJson) {
        parse.notJson = true;
        return Failed(parse, "the header is not JSON");
    }
    if (!parsed.Ok())
        return Failed(parse, "the header is not a JSON object");

    for (const HeaderKey& key : kHeaderKeys) {
        if (key.memberText && vehicles == VehiclesText::Skip) {
            if (!parsed.object.Has(key.key))
                return Failed(parse, std::string("the header has no key \"") + key.key + "\"");
            continue;
        }
        auto text =
            key.memberText ? parsed.object.MemberText(key.key) : parsed.object.ValueText(key.key);
        if (!text)
            return Failed(parse, std::string("the header has no key \"") + key.key + "\"");
        parse.header.*key.field = std::move(*text);
        // Test clients name themselves at length; the short form fits the version label,
        // which shows it even when a later key is missing.
        if (key.field == &BattleHeader::versionText)
            parse.header.versionText = ReplaceAll(parse.header.versionText, "Common Test", "CT");
    }

    // Not required: they only choose the web portal of the players' pages.
    parse.header.regionCode = parsed.object.ValueText("regionCode").value_or("");
    parse.header.serverName = parsed.object.ValueText("serverName").value_or("");

    const auto version = ClientVersionNumber(parse.header.versionNumber);
    if (!version)
        return Failed(parse, "the client version \"" + parse.header.versionNumber +
                                 "\" is not a whole number");
    parse.header.clientVersion = *version;
    parse.header.client = ClientTupleOf(parse.header.versionText, parse.header.versionNumber);
    parse.ok = true;
    return parse;
}

std::optional<int> ClientVersionNumber(std::string_view versionText) {
    std::string digits = RemoveAll(versionText, ", .");
    // 8.10 and 8.11 would otherwise read as 8100 and 8110, above every 9.x below 9.10.
    digits = ReplaceAll(digits, "08100", "0810");
    digits = ReplaceAll(digits, "08110", "0811");

    int value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool IsVersionAccepted(int clientVersion, Analysis analysis) {
    const int v = clientVersion;
    switch (analysis) {
        case Analysis::Single:
            return v >= 900 || v == 811;
        case Analysis::Series:
            return v >= 811 && v != 860 && v != 870 && v != 880 && v != 890;
        case Analysis::Library:
            return v < 812 || v > 899;
    }
    return false;
}

bool IsClientAccepted(const BattleHeader& header, Analysis analysis) {
    if (!IsNumberOrderedClient(header.client))
        return true;
    return IsVersionAccepted(header.clientVersion, analysis);
}

}  // namespace kordex
