#include "support/battle_fixture.h"

#include <cstdio>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace kordex::test {

namespace {

// The personal keys the game writes, in its order, each "name=default raw JSON value" and
// "old|new=value" where 8.11 named it otherwise. The last is written by the game as well; the
// series reads the first.
constexpr const char* kPersonalKeyText =
    "spotted=2 repair=1520 xpPenalty=0 creditsPenalty=0 vehTypeLockTime=0 damageAssistedTrack=0 "
    "killerID=0 damageReceived=350 creditsToDraw=0 heHitsReceived|explosionHitsReceived=1 "
    "sniperDamageDealt=0 piercedReceived|piercingsReceived=3 premiumCreditsFactor10=15 "
    "damageAssistedRadio=0 shotsReceived|directHitsReceived=5 premiumXPFactor10=15 "
    "serviceProviderID=0 xp=0 droppedCapturePoints=0 creditsContributionIn=0 eventFreeXP=0 "
    "damaged=3 autoRepairCost=1520 typeCompDescr=1 achievementXP=0 deathReason=-1 capturePoints=0 "
    "aogasFactor10=10 eventCredits=0 health=412 details={} achievementCredits=0 "
    "achievements=[521] originalFreeXP=25 isPremium=false mileage=935 freeXP=25 kills=0 "
    "eventTMenXP=0 tkills=0 team=1 tmenXP=500 pierced|piercings=0 credits=14920 eventGold=0 "
    "igrXPFactor10=10 accountDBID=0 autoEquipCost=[0,0] gold=0 tdamageDealt=0 markOfMastery=0 "
    "isTeamKiller=false hits|directHits=0 dossierPopUps=[] eventXP=0 he_hits|explosionHits=0 "
    "potentialDamageReceived|damageBlockedByArmor=240 damageDealt=0 autoLoadCost=[1234,0] "
    "originalCredits=9947 dailyXPFactor10=10 shots=0 thits|directTeamHits=0 originalXP=0 "
    "lifeTime=398 questsProgress={} creditsContributionOut=0 achievementFreeXP=0 "
    "noDamageShotsReceived|noDamageDirectHitsReceived=2";

struct PersonalKey {
    std::string oldName;
    std::string newName;
    std::string value;
};

const std::vector<PersonalKey>& PersonalKeys() {
    static const std::vector<PersonalKey> keys = [] {
        std::vector<PersonalKey> parsed;
        std::istringstream words(kPersonalKeyText);
        for (std::string word; words >> word;) {
            const std::size_t equals = word.find('=');
            const std::string names = word.substr(0, equals);
            const std::size_t bar = names.find('|');
            parsed.push_back({names.substr(0, bar),
                              bar == std::string::npos ? names : names.substr(bar + 1),
                              word.substr(equals + 1)});
        }
        return parsed;
    }();
    return keys;
}

void AppendUtf8AsEscapes(const std::string& text, std::size_t& i, std::string& out) {
    static const char* kHex = "0123456789abcdef";
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    std::uint32_t code = lead & (extra == 3 ? 0x07 : extra == 2 ? 0x0F : 0x1F);
    for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < text.size(); ++k)
        code = (code << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    i += static_cast<std::size_t>(extra);
    auto unit = [&](std::uint32_t u) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += kHex[(u >> shift) & 0xF];
    };
    if (code >= 0x10000) {
        code -= 0x10000;
        unit(0xD800 + (code >> 10));
        unit(0xDC00 + (code & 0x3FF));
    } else {
        unit(code);
    }
}

// Members are added in text order; a key in the omit set is left out.
class ObjectWriter {
  public:
    explicit ObjectWriter(const std::set<std::string>* omit = nullptr) : omit_(omit) {}
    ObjectWriter& Raw(const std::string& key, const std::string& raw) {
        if (omit_ && omit_->count(key))
            return *this;
        text_ += text_.empty() ? "{" : ", ";
        text_ += JsonString(key) + ": " + raw;
        return *this;
    }
    ObjectWriter& String(const std::string& key, const std::string& text) {
        return Raw(key, JsonString(text));
    }
    ObjectWriter& Bool(const std::string& key, bool value) {
        return Raw(key, value ? "true" : "false");
    }
    std::string Text() const { return text_.empty() ? "{}" : text_ + "}"; }

  private:
    const std::set<std::string>* omit_;
    std::string text_;
};

const char* kVehicleTypes[] = {"ussr:T-34",         "germany:PzV",      "usa:M4_Sherman",
                               "france:AMX_13_90",  "uk:GB21_Cromwell", "china:Ch20_Type58",
                               "japan:Chi_Nu",      "ussr:R87_T62A",    "sweden:S13_Leo",
                               "czech:Cz04_T50_51", "germany:E-25",     "usa:A32_M12"};

// A member's value replaced where its key stands, or the member appended.
void SetMember(std::vector<std::pair<std::string, std::string>>& members, const std::string& key,
               const std::string& raw) {
    for (auto& [k, v] : members)
        if (k == key) {
            v = raw;
            return;
        }
    members.emplace_back(key, raw);
}

int DigitsOfVersion(std::string text) {
    std::string digits;
    for (char c : text)
        if (c != ',' && c != ' ' && c != '.')
            digits += c;
    auto replace = [&](const std::string& from, const std::string& to) {
        for (auto at = digits.find(from); at != std::string::npos; at = digits.find(from, at))
            digits.replace(at, from.size(), to);
    };
    replace("08100", "0810");
    replace("08110", "0811");
    return std::stoi(digits);
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            AppendUtf8AsEscapes(text, i, out);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

BattleFixture::BattleFixture(int vehicleCount, std::string versionText)
    : versionText_(std::move(versionText)) {
    header_ = {
        {"clientVersionFromXml", ""},  // filled from the version text when not set
        {"clientVersionFromExe", ""},
        {"mapDisplayName", JsonString("Ensk")},
        {"gameplayID", JsonString("ctf")},
        {"hasMods", "false"},
        {"regionCode", JsonString("RU")},
        {"playerID", ""},
        {"serverName", JsonString("RU1")},
        {"vehicles", ""},
        {"dateTime", JsonString("28.03.2017 16:43:13")},
        {"mapName", JsonString("06_ensk")},
        {"playerName", ""},
        {"battleType", "1"},
        {"playerVehicle", ""},
    };
    common_ = {
        {"finishReason", "1"}, {"guiType", "1"},         {"arenaCreateTime", "1490712189"},
        {"duration", "398"},   {"arenaTypeID", "65542"}, {"winnerTeam", "1"},
        {"vehLockMode", "0"},  {"bonusType", "1"},
    };
    int firstTeamSize = (vehicleCount + 1) / 2;
    for (int i = 0; i < vehicleCount; ++i)
        AddVehicle(i < firstTeamSize ? 1 : 2);
}

FixtureVehicle& BattleFixture::AddVehicle(int team) {
    int i = VehicleCount();
    FixtureVehicle v;
    v.vehicleId = std::to_string(18986816 + i);
    v.accountId = std::to_string(503719178 + 1000 * i);
    v.vehicleType = kVehicleTypes[i % std::size(kVehicleTypes)];
    v.name = (i + 1 < 10 ? "Player0" : "Player") + std::to_string(i + 1);
    v.team = team;
    v.alive = i % 3 != 0;
    v.frags = std::to_string(i % 4);
    v.xp = std::to_string(300 + 17 * i);
    v.damage = std::to_string(500 + 43 * i);
    v.assistRadio = std::to_string(20 * (i % 5));
    v.assistTrack = std::to_string(15 * (i % 3));
    v.shots = std::to_string(5 + i % 7);
    v.hits = std::to_string(3 + i % 5);
    v.pierced = std::to_string(2 + i % 4);
    v.heHits = std::to_string(i % 2);
    v.typeCompDescr = std::to_string(1665 + 256 * i);
    vehicles_.push_back(std::move(v));
    return vehicles_.back();
}

BattleFixture& BattleFixture::SetVersion(std::string versionText) {
    versionText_ = std::move(versionText);
    return *this;
}

int BattleFixture::LayoutVersion() const {
    return DigitsOfVersion(versionText_);
}

BattleFixture& BattleFixture::SetKeyNames(KeyNames names) {
    keyNames_ = names;
    return *this;
}

bool BattleFixture::OldNames() const {
    if (keyNames_ != KeyNames::ByVersion)
        return keyNames_ == KeyNames::Old;
    return LayoutVersion() <= 811;
}

bool BattleFixture::Wrapped() const {
    return LayoutVersion() >= 980;
}

BattleFixture& BattleFixture::SetRecorder(int i) {
    if (i < 0 || i >= VehicleCount())
        throw std::out_of_range("no such vehicle in the fixture");
    recorder_ = i;
    return *this;
}

BattleFixture& BattleFixture::SetHeader(const std::string& key, const std::string& rawJson) {
    SetMember(header_, key, rawJson);
    return *this;
}

BattleFixture& BattleFixture::SetMap(const std::string& mapName, const std::string& displayName) {
    SetHeader("mapName", JsonString(mapName));
    return SetHeader("mapDisplayName", JsonString(displayName));
}

BattleFixture& BattleFixture::SetGameplay(const std::string& gameplayID) {
    return SetHeader("gameplayID", JsonString(gameplayID));
}

BattleFixture& BattleFixture::SetBattleType(int battleType) {
    return SetHeader("battleType", std::to_string(battleType));
}

BattleFixture& BattleFixture::SetDateTime(const std::string& dateTime) {
    return SetHeader("dateTime", JsonString(dateTime));
}

BattleFixture& BattleFixture::SetVersionTitle(const std::string& clientVersionFromXml) {
    return SetHeader("clientVersionFromXml", JsonString(clientVersionFromXml));
}

BattleFixture& BattleFixture::OmitHeaderKey(const std::string& key) {
    headerOmit_.insert(key);
    return *this;
}

BattleFixture& BattleFixture::SetWinnerTeam(const std::string& raw) {
    return SetCommon("winnerTeam", raw);
}

BattleFixture& BattleFixture::SetCommon(const std::string& key, const std::string& raw) {
    SetMember(common_, key, raw);
    return *this;
}

BattleFixture& BattleFixture::OmitCommonKey(const std::string& key) {
    commonOmit_.insert(key);
    return *this;
}

BattleFixture& BattleFixture::SetArenaUniqueID(const std::string& raw) {
    arenaUniqueID_ = raw;
    return *this;
}

BattleFixture& BattleFixture::SetPersonal(const std::string& key, const std::string& raw) {
    personal_[key] = raw;
    return *this;
}

BattleFixture& BattleFixture::OmitPersonalKey(const std::string& key) {
    personalOmit_.insert(key);
    return *this;
}

std::vector<std::string> BattleFixture::PersonalKeyNames() const {
    std::vector<std::string> names;
    for (const auto& key : PersonalKeys())
        names.push_back(OldNames() ? key.oldName : key.newName);
    for (const auto& [key, value] : personal_)
        if (std::find(names.begin(), names.end(), key) == names.end())
            names.push_back(key);
    return names;
}

std::string BattleFixture::PerVehicleJson(bool endState) const {
    ObjectWriter all;
    for (const auto& v : vehicles_) {
        ObjectWriter one(&v.omitKeys);
        one.Bool("forbidInBattleInvitations", false)
            .String("vehicleType", v.vehicleType)
            .Bool("isAlive", endState ? v.alive : v.aliveAtStart)
            .String("name", v.name)
            .Raw("igrType", "0")
            .String("clanAbbrev", v.clan)
            .Raw("team", std::to_string(v.team))
            .Raw("events", v.events)
            .Bool("isTeamKiller", v.teamKiller);
        all.Raw(v.vehicleId, one.Text());
    }
    return all.Text();
}

std::string BattleFixture::HeaderVehiclesJson() const {
    return PerVehicleJson(false);
}

std::string BattleFixture::VehiclesJson() const {
    return PerVehicleJson(true);
}

std::string BattleFixture::HeaderJson() const {
    const FixtureVehicle& recorder = vehicles_.at(static_cast<std::size_t>(recorder_));
    std::string playerVehicle = recorder.vehicleType;
    if (auto colon = playerVehicle.find(':'); colon != std::string::npos)
        playerVehicle[colon] = '-';
    ObjectWriter header(&headerOmit_);
    for (const auto& [key, raw] : header_) {
        std::string value = raw;
        if (value.empty()) {
            if (key == "clientVersionFromXml")
                value = JsonString("World of Tanks v." + versionText_ + " #388");
            else if (key == "clientVersionFromExe")
                value = JsonString(versionText_);
            else if (key == "playerID")
                value = recorder.accountId;
            else if (key == "vehicles")
                value = HeaderVehiclesJson();
            else if (key == "playerName")
                value = JsonString(recorder.name);
            else if (key == "playerVehicle")
                value = JsonString(playerVehicle);
        }
        header.Raw(key, value);
    }
    return header.Text();
}

std::string BattleFixture::PersonalObjectJson() const {
    const FixtureVehicle& r = vehicles_.at(static_cast<std::size_t>(recorder_));
    bool oldNames = OldNames();
    // The recorder's own results appear in his personal object as well.
    std::map<std::string, std::string> fromVehicle = {
        {"xp", r.xp},
        {"originalXP", r.xp},
        {"damageDealt", r.damage},
        {"damageAssistedRadio", r.assistRadio},
        {"damageAssistedTrack", r.assistTrack},
        {"shots", r.shots},
        {oldNames ? "hits" : "directHits", r.hits},
        {oldNames ? "pierced" : "piercings", r.pierced},
        {oldNames ? "he_hits" : "explosionHits", r.heHits},
        {"kills", r.frags},
        {"team", std::to_string(r.team)},
        {"accountDBID", r.accountId},
        {"isTeamKiller", r.teamKiller ? "true" : "false"},
        {"typeCompDescr", r.typeCompDescr},
    };
    ObjectWriter personal(&personalOmit_);
    std::set<std::string> written;
    for (const auto& key : PersonalKeys()) {
        std::string name = oldNames ? key.oldName : key.newName;
        std::string value = key.value;
        if (auto it = fromVehicle.find(name); it != fromVehicle.end())
            value = it->second;
        if (auto it = personal_.find(name); it != personal_.end())
            value = it->second;
        personal.Raw(name, value);
        written.insert(name);
    }
    for (const auto& [key, value] : personal_)
        if (!written.count(key))
            personal.Raw(key, value);
    return personal.Text();
}

std::string BattleFixture::ResultsVehicleJson(const FixtureVehicle& v) const {
    bool oldNames = OldNames();
    ObjectWriter one(&v.omitKeys);
    one.Raw("spotted", "1")
        .Raw("damageAssistedTrack", v.assistTrack)
        .Raw("damageDealt", v.damage)
        .Raw("damageAssistedRadio", v.assistRadio)
        .Raw("xp", v.xp)
        .Raw("shots", v.shots)
        .Raw(oldNames ? "hits" : "directHits", v.hits)
        .Raw(oldNames ? "pierced" : "piercings", v.pierced)
        .Raw(oldNames ? "he_hits" : "explosionHits", v.heHits)
        .Raw("kills", v.frags)
        .Raw("team", std::to_string(v.team))
        .Raw("accountDBID", v.accountId)
        .Bool("isTeamKiller", v.teamKiller)
        .Raw("achievements", "[]")
        .Raw("typeCompDescr", v.typeCompDescr);
    return Wrapped() ? "[" + one.Text() + "]" : one.Text();
}

std::string BattleFixture::ResultsJson() const {
    const FixtureVehicle& r = vehicles_.at(static_cast<std::size_t>(recorder_));
    std::string personal = PersonalObjectJson();
    if (Wrapped())
        personal = ObjectWriter()
                       .Raw(r.typeCompDescr, personal)
                       .Raw("avatar", "{\"avatarDamageDealt\": 0}")
                       .Text();

    ObjectWriter players;
    for (const auto& v : vehicles_) {
        if (!v.inPlayers)
            continue;
        players.Raw(v.accountId, ObjectWriter(&v.omitKeys)
                                     .String("name", v.name)
                                     .Raw("prebattleID", v.platoonId)
                                     .Raw("igrType", "0")
                                     .String("clanAbbrev", v.clan)
                                     .Raw("team", std::to_string(v.team))
                                     .Raw("clanDBID", v.clanDBID)
                                     .Text());
    }

    ObjectWriter vehicles;
    for (const auto& v : vehicles_)
        vehicles.Raw(v.vehicleId, ResultsVehicleJson(v));

    ObjectWriter common(&commonOmit_);
    for (const auto& [key, raw] : common_)
        common.Raw(key, raw);

    std::string arenaUniqueID = arenaUniqueID_;
    if (arenaUniqueID.empty()) {
        arenaUniqueID = "2039";
        for (const auto& [key, raw] : header_)
            if (key == "dateTime")
                for (char c : raw)
                    if (c >= '0' && c <= '9')
                        arenaUniqueID += c;
    }
    ObjectWriter results;
    // The clients wrote the members in a different order before and after 9.8.
    if (Wrapped()) {
        results.Raw("arenaUniqueID", arenaUniqueID)
            .Raw("personal", personal)
            .Raw("vehicles", vehicles.Text())
            .Raw("avatars", "{}")
            .Raw("players", players.Text())
            .Raw("common", common.Text());
    } else {
        results.Raw("personal", personal)
            .Raw("players", players.Text())
            .Raw("vehicles", vehicles.Text())
            .Raw("common", common.Text())
            .Raw("arenaUniqueID", arenaUniqueID);
    }
    return results.Text();
}

std::string BattleFixture::FragsJson() const {
    ObjectWriter frags;
    for (const auto& v : vehicles_)
        frags.Raw(v.vehicleId, ObjectWriter(&v.omitKeys).Raw("frags", v.frags).Text());
    return frags.Text();
}

std::string BattleFixture::BattleResultsArrayJson() const {
    return "[" + ResultsJson() + ", " + VehiclesJson() + ", " + FragsJson() + "]";
}

BattleJsonTexts BattleFixture::Texts() const {
    return {HeaderJson(), ResultsJson(), VehiclesJson(), FragsJson()};
}

}  // namespace kordex::test
