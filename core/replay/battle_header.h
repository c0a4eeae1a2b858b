#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "replay/client_version.h"

namespace kordex {

// The battle header: one text per key of the header object, all ValueTexts except
// vehiclesText, the member text of "vehicles".
struct BattleHeader {
    std::string versionText;    // "clientVersionFromXml", "Common Test" shortened to "CT"
    std::string versionNumber;  // "clientVersionFromExe"
    std::string mapDisplayName;
    std::string gameplayID;
    std::string playerID;
    std::string vehiclesText;
    std::string dateTime;
    std::string mapName;
    std::string playerName;
    std::string playerVehicle;
    std::string battleType;
    // Where the battle was played; either may be absent (older clients wrote no regionCode).
    std::string regionCode;
    std::string serverName;
    int clientVersion = 0;  // ClientVersionNumber of versionNumber
    ClientTuple client;     // the version as parts, from the title first (ClientTupleOf)
};

struct HeaderParse {
    bool ok = false;
    // The fields read before a failure keep their values; versionText is shown at once.
    BattleHeader header;
    std::string failure;   // what failed, for the CLI and messages
    bool notJson = false;  // the failure was a text that is not JSON at all
};

// Whether the member text of "vehicles" is made. The library shows no vehicle table: it
// skips writing that text for every replay of a folder (the key is still required).
enum class VehiclesText { Keep, Skip };

HeaderParse ParseBattleHeader(const std::string& headerBlock,
                              VehiclesText vehicles = VehiclesText::Keep);

// The digits of a client version text joined into an integer: "0, 9, 17, 1" gives 9171,
// "0, 8, 11, 0" gives 811. Nothing when the text is not a whole number.
std::optional<int> ClientVersionNumber(std::string_view versionText);

enum class Analysis { Single, Series, Library };

bool IsVersionAccepted(int clientVersion, Analysis analysis);

// The acceptance of a read header: the rule of IsVersionAccepted for the clients that
// ClientVersionNumber orders; every later client, and one whose version is not known (a
// title without digits and an exe version of "0.0.0.0"), is accepted by every analysis.
bool IsClientAccepted(const BattleHeader& header, Analysis analysis);

}  // namespace kordex
