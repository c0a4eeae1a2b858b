#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kordex::test {

// One vehicle of a fixture battle and its player. Texts are plain (UTF-8, written with \u
// escapes as the game writes them); the fields marked "raw" are JSON text written as they stand,
// so a test can put 413.5, "12" or null there.
struct FixtureVehicle {
    std::string vehicleId;  // key of the vehicle in every per-vehicle object
    std::string accountId;  // key of the player in the results' "players"
    std::string vehicleType = "ussr:T-34";
    std::string name;
    std::string clan;             // "clanAbbrev"
    std::string clanDBID = "0";   // raw
    std::string platoonId = "0";  // raw, "prebattleID"
    int team = 1;
    bool aliveAtStart = true;  // the header's "isAlive"
    bool alive = true;         // "isAlive" of the vehicles block, the end state
    bool teamKiller = false;
    std::string events = "{}";  // raw
    std::string frags = "0";    // raw
    std::string xp = "0";       // raw; the results' values below are raw as well
    std::string damage = "0";
    std::string assistRadio = "0";
    std::string assistTrack = "0";
    std::string shots = "0";
    std::string hits = "0";
    std::string pierced = "0";
    std::string heHits = "0";
    std::string typeCompDescr = "1";  // raw; keys the personal object from 9.8 on
    bool inPlayers = true;            // false: no member in the results' "players"
    // Keys left out of every object written for this vehicle (header, results, vehicles
    // block, frags, players), by the name they would have in the text.
    std::set<std::string> omitKeys;
};

// The four JSON texts a replay of one battle holds, ready to be written into a file.
struct BattleJsonTexts {
    std::string header;    // the header object, with "vehicles"
    std::string results;   // "personal", "common", "players", "vehicles", "arenaUniqueID"
    std::string vehicles;  // the vehicles at the end of the battle
    std::string frags;
};

// Builds the JSON texts of a battle as the game writes them, for N vehicles in two teams. The
// layout (old or new key names, personal and results vehicles wrapped one level deeper) follows
// the client version text, as the game's clients differed:
//   8.11 ("0, 8, 11, 0"): old key names ("hits", "pierced", "he_hits", "shotsReceived", ...);
//   9.0 to 9.7: new names; 9.8 and later: "personal" keyed by vehicle type and each results
//   vehicle a one-element array.
// Defaults: vehicles 0..N/2-1 (rounded up) in team 1, the rest in team 2; names Player01..;
// distinct xp, damage, assists and kills per vehicle; vehicle 0 recorded the replay; team 1 won.
class BattleFixture {
  public:
    explicit BattleFixture(int vehicleCount = 30, std::string versionText = "0.9.17.1");

    // Vehicles, in the order every per-vehicle object lists them.
    int VehicleCount() const { return static_cast<int>(vehicles_.size()); }
    FixtureVehicle& Vehicle(int i) { return vehicles_.at(static_cast<std::size_t>(i)); }
    const FixtureVehicle& Vehicle(int i) const { return vehicles_.at(static_cast<std::size_t>(i)); }
    // A further vehicle with default values, appended; returns it.
    FixtureVehicle& AddVehicle(int team);

    // The "clientVersionFromExe" text; its digits choose the layout.
    BattleFixture& SetVersion(std::string versionText);
    const std::string& VersionText() const { return versionText_; }
    // The version number the layout is chosen by: 811, 900, 980, 9171, ...
    int LayoutVersion() const;
    // Key names regardless of the version (a 9.x replay that still carries the old names).
    enum class KeyNames { ByVersion, Old, New };
    BattleFixture& SetKeyNames(KeyNames names);

    // The vehicle whose player recorded the replay: the personal results and the header's
    // player fields are his.
    BattleFixture& SetRecorder(int i);
    int Recorder() const { return recorder_; }

    // Header values (texts, written as JSON strings except battleType, which is raw).
    BattleFixture& SetHeader(const std::string& key, const std::string& rawJson);
    BattleFixture& SetMap(const std::string& mapName, const std::string& displayName);
    BattleFixture& SetGameplay(const std::string& gameplayID);
    BattleFixture& SetBattleType(int battleType);
    BattleFixture& SetDateTime(const std::string& dateTime);
    BattleFixture& SetVersionTitle(const std::string& clientVersionFromXml);
    BattleFixture& OmitHeaderKey(const std::string& key);

    // Common results (raw JSON values) and the results' top-level "arenaUniqueID".
    BattleFixture& SetWinnerTeam(const std::string& raw);
    BattleFixture& SetCommon(const std::string& key, const std::string& raw);
    BattleFixture& OmitCommonKey(const std::string& key);
    // Unless set, battles at different times have different ids (the series counts a battle
    // once by its id), and copies of one fixture share theirs.
    BattleFixture& SetArenaUniqueID(const std::string& raw);

    // Personal results: a value by the key name written in the text (raw JSON), or a key left
    // out. Keys not set get default values; "team" and the recorder's results come from his
    // vehicle.
    BattleFixture& SetPersonal(const std::string& key, const std::string& raw);
    BattleFixture& OmitPersonalKey(const std::string& key);

    // The texts.
    std::string HeaderVehiclesJson() const;  // the header's "vehicles" member text
    std::string HeaderJson() const;
    std::string ResultsJson() const;
    std::string VehiclesJson() const;
    std::string FragsJson() const;
    // The second JSON block of a replay file as the game writes it: [results, vehicles, frags].
    std::string BattleResultsArrayJson() const;
    BattleJsonTexts Texts() const;

    // The personal keys the game writes for this layout, in its order (old or new names).
    std::vector<std::string> PersonalKeyNames() const;

  private:
    bool OldNames() const;
    bool Wrapped() const;
    std::string PersonalObjectJson() const;
    std::string ResultsVehicleJson(const FixtureVehicle& vehicle) const;
    std::string PerVehicleJson(bool endState) const;

    std::vector<FixtureVehicle> vehicles_;
    std::string versionText_;
    KeyNames keyNames_ = KeyNames::ByVersion;
    int recorder_ = 0;
    std::vector<std::pair<std::string, std::string>> header_;  // key, raw JSON, in text order
    std::set<std::string> headerOmit_;
    std::vector<std::pair<std::string, std::string>> common_;
    std::set<std::string> commonOmit_;
    std::string arenaUniqueID_;  // empty: derived from the header's date and time
    std::map<std::string, std::string> personal_;
    std::set<std::string> personalOmit_;
};

// A text written as a JSON string: quotes and backslashes escaped, characters beyond ASCII as
// \u escapes (UTF-8 in).
std::string JsonString(const std::string& text);

}  // namespace kordex::test
