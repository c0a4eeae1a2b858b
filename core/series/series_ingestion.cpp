#include "series/series_ingestion.h"

#include <cstdio>
#include <exception>
#include <new>
#include <optional>

#include "replay/battle_reading.h"
#include "replay/battle_vocabulary.h"
#include "replay/vehicle_names.h"
#include "text/ini_file.h"

namespace kordex {

namespace vf = vehicle_field;

namespace {

constexpr int kBeepFrequency = 400;
constexpr int kBeepMs = 200;

const char* const kReadErrorsFolder = "_Ошибки чтения";
const char* const kOldVersionsFolder = "_Старые версии";
const char* const kUnfinishedFolder = "_Недосмотренные";

// The series' short mode words after the map name; an unknown mode shows its key.
std::string ModeSuffixSeries(const std::string& gameplayID) {
    if (gameplayID == "ctf" || gameplayID.empty())
        return {};
    if (gameplayID == "domination")
        return ", встр.";
    if (gameplayID == "assault")
        return ", штурм";
    if (gameplayID == "nations")
        return ", прот.";
    if (gameplayID == "assault2")
        return ", првсх";
    return ", " + gameplayID;
}

// The client version text as the early map cell shows it: 0, 9, 17, 1 gives 09171.
std::string VersionDigits(std::string_view versionNumber) {
    std::string digits;
    for (char c : versionNumber)
        if (c != ',' && c != ' ' && c != '.')
            digits += c;
    auto replace = [&digits](std::string_view from, std::string_view to) {
        for (auto at = digits.find(from); at != std::string::npos; at = digits.find(from, at))
            digits.replace(at, from.size(), to), at += to.size();
    };
    replace("08100", "0810");
    replace("08110", "0811");
    return digits;
}

// "27.05.2017 21:04:33" gives the date 27.05.2017 and the time 21:04.
std::string DatePart(const std::string& dateTime) {
    return dateTime.substr(0, 10);
}

std::string TimePart(const std::string& dateTime) {
    const auto blank = dateTime.find(' ');
    return blank == std::string::npos ? std::string() : dateTime.substr(blank + 1, 5);
}

class Ingestion {
  public:
    Ingestion(const std::string& path, int count, int startRow, SeriesContext& context)
        : path_(path), column_(count + 2), count_(count), startRow_(startRow), c_(context) {
        outcome_.path = path;
    }

    ReplayOutcome Run();
    // A fault no kind names: "Сбой" in the column, the file stays where it is.
    ReplayOutcome Fault(std::string description);

  private:
    void Mark(const std::string& word);
    void WriteHeaderCells(const std::string& date, const std::string& map);
    std::string DateCell() const;
    // Ends the replay: its word in row 2 and, for the kinds that move, the move.
    ReplayOutcome Unusable(ReplayClass kind, const std::string& word, const char* subfolder,
                           std::string description);
    ReplayOutcome Beep(ReplayClass kind, std::string description);
    ReplayOutcome Unread(const BattleRead& read);
    ReplayOutcome Unreadable(std::string description);
    ReplayOutcome Repeat(const std::string& finalMap);
    void WriteFinalHeader(const std::string& finalMap, const std::string& word);
    void Finish();

    const std::string& path_;
    const int column_;
    const int count_;
    const int startRow_;
    SeriesContext& c_;
    BattleHeader header_;
    ReplayOutcome outcome_;
};

void Ingestion::Mark(const std::string& word) {
    for (TextGrid* grid : c_.tables.SeriesGrids())
        grid->SetCell(column_, 2, word);
}

void Ingestion::WriteHeaderCells(const std::string& date, const std::string& map) {
    for (TextGrid* grid : c_.tables.SeriesGrids()) {
        grid->SetCell(column_, 0, date);
        grid->SetCell(column_, 1, map);
    }
}

std::string Ingestion::DateCell() const {
    const std::string date = DatePart(header_.dateTime);
    const std::string time = TimePart(header_.dateTime);
    if (date != c_.state.PreviousBattleDate)
        return date + ";" + time;
    return ";" + time;
}

void Ingestion::Finish() {
    ResetBattleTables(c_.state.battle);
    ResetAlliesTable(c_.state.allies);
}

ReplayOutcome Ingestion::Unusable(ReplayClass kind, const std::string& word, const char* subfolder,
                                  std::string description) {
    Mark(word);
    outcome_.kind = kind;
    outcome_.word = word;
    outcome_.description = std::move(description);
    if (c_.options.moveUnusable) {
        outcome_.move = MoveReplayToSubfolder(path_, subfolder, c_.platform.files);
    } else {
        outcome_.move.subfolder = subfolder;
    }
    Finish();
    return outcome_;
}

ReplayOutcome Ingestion::Beep(ReplayClass kind, std::string description) {
    c_.platform.desktop.Beep(kBeepFrequency, kBeepMs);
    outcome_.kind = kind;
    outcome_.description = std::move(description);
    Finish();
    return outcome_;
}

ReplayOutcome Ingestion::Fault(std::string description) {
    // Its own word: "Ошибка" means a header that could not be read, and such files move.
    Mark(std::string(kFailureWord));
    outcome_.kind = ReplayClass::Failure;
    outcome_.word = kFailureWord;
    outcome_.description = std::move(description);
    Finish();
    return outcome_;
}

// A replay whose reading stopped after its header, by the stage and the way it stopped.
ReplayOutcome Ingestion::Unread(const BattleRead& read) {
    // A battle with results that no layout reads is not one its player left: it gets its own
    // word and stays where it is. The clients up to 9.17.1 keep their word for it.
    const bool numberOrdered = IsNumberOrderedClient(header_.client);
    auto unfinished = [&](const std::string& description) {
        if (!numberOrdered)
            return Unreadable(description);
        return Unusable(ReplayClass::Unfinished, "Вышел", kUnfinishedFolder, description);
    };
    const std::string& what = read.description;
    switch (read.stage) {
        case ReadStage::Blocks:
        case ReadStage::Header:
            break;
        case ReadStage::Version:
            return Unusable(ReplayClass::OldVersion, "Старая версия", kOldVersionsFolder,
                            "client version " + std::to_string(header_.clientVersion));
        case ReadStage::HeaderVehicles:
            if (read.fault == ReadFault::NoObject)
                return Beep(ReplayClass::HeaderVehicleNotObject, "header vehicles: " + what);
            return Unusable(ReplayClass::HeaderVehiclesError, "Ошибка", kOldVersionsFolder,
                            "header vehicles: " + what);
        case ReadStage::Completeness:
            return Unusable(ReplayClass::Unfinished, "Вышел", kUnfinishedFolder,
                            "the battle results are absent");
        case ReadStage::Results:
            return unfinished("results: " + what);
        case ReadStage::Frags:
        case ReadStage::Final: {
            const std::string where = read.stage == ReadStage::Frags ? "frags: " : "vehicles: ";
            // A block that is no JSON at all is a battle without results; a fault inside one
            // that reads is a fault of that replay only.
            if (read.fault == ReadFault::NotJson)
                return unfinished(where + what);
            if (read.fault == ReadFault::NoObject)
                return Beep(ReplayClass::MemberNotObject, where + what);
            return Fault(where + what);
        }
        case ReadStage::Join:
            return Fault("players: " + what);
    }
    return Fault(what);
}

ReplayOutcome Ingestion::Unreadable(std::string description) {
    Mark(kUnreadableWord);
    outcome_.kind = ReplayClass::Unreadable;
    outcome_.word = kUnreadableWord;
    outcome_.description = std::move(description);
    Finish();
    return outcome_;
}

void Ingestion::WriteFinalHeader(const std::string& finalMap, const std::string& word) {
    for (TextGrid* grid : c_.tables.SeriesGrids())
        grid->SetCell(column_, 0, DateCell());
    c_.state.PreviousBattleDate = DatePart(header_.dateTime);
    for (TextGrid* grid : c_.tables.SeriesGrids())
        grid->SetCell(column_, 1, finalMap);
    Mark(word);
}

ReplayOutcome Ingestion::Repeat(const std::string& finalMap) {
    WriteFinalHeader(finalMap, std::string(kRepeatWord));
    outcome_.kind = ReplayClass::Repeat;
    outcome_.word = kRepeatWord;
    outcome_.description = "the battle " + c_.state.battle.common.arenaUniqueID +
                           " was already counted from this side";
    Finish();
    return outcome_;
}

ReplayOutcome Ingestion::Run() {
    SeriesRunState& state = c_.state;
    BattleTables& battle = state.battle;

    c_.observer.SeriesPageShown();
    Finish();

    BattleReadRequest request;
    request.variant = ReadingVariant::List;
    request.analysis = Analysis::Series;
    request.keys = PersonalKeys::Series;
    request.join = JoinForm::Series;
    BattleRead read = ReadBattle(path_, request);
    if (read.fault == ReadFault::CannotOpen)
        return Unusable(ReplayClass::ReadError, "Ошибка чтения", kReadErrorsFolder,
                        "the file cannot be opened");

    const HeaderParse& parsed = read.header;
    if (!parsed.header.versionText.empty())
        c_.labels.Set("Label_replayVersionXml", parsed.header.versionText);
    if (read.FailedAt(ReadStage::Header))
        return Unusable(ReplayClass::HeaderError, "Ошибка", kOldVersionsFolder,
                        "header: " + read.description);
    header_ = parsed.header;
    const std::string earlyMap = header_.mapName + VersionDigits(header_.versionNumber);
    WriteHeaderCells(DateCell(), earlyMap);
    battle = std::move(read.tables);
    if (!read.Ok())
        return Unread(read);

    const std::string recorderTeam = battle.personal.Value("team");
    const std::string outcomeWord = BattleOutcome(battle.common.winnerTeam, recorderTeam);

    // Clan members send their replays of one battle: the second copy from the same side is
    // shown but counted nowhere. Old clients give no arenaUniqueID, so nothing matches there.
    const std::string finalMap = header_.mapDisplayName + ModeSuffixSeries(header_.gameplayID);
    const std::pair battleKey{battle.common.arenaUniqueID, recorderTeam};
    if (!battleKey.first.empty() && state.battlesCounted.contains(battleKey))
        return Repeat(finalMap);

    // Read now, added only once the battle is accepted, so a replay marked "Сбой" adds nothing.
    std::optional<AuthorBattle> author;
    if (c_.options.multiAdditional) {
        AuthorBattleRead authorRead =
            ReadAuthorBattle(battle.personal, battle.common.duration, outcomeWord);
        if (!authorRead.battle)
            return Fault(authorRead.failure);
        author = std::move(authorRead.battle);
    }

    const IniFile ini = c_.options.iniPath.empty() ? IniFile() : IniFile::Load(c_.options.iniPath);
    for (auto& row : battle.vehicles)
        if (!row[vf::Type].empty())
            row[vf::Type] = VehicleNameFromIni(ini, row[vf::Type]);

    if (!BuildAlliesTable(battle.vehicles, state.allies, recorderTeam))
        return Fault("more than 15 vehicles in the recording player's team");
    if (!battleKey.first.empty())
        state.battlesCounted.insert(battleKey);
    if (author)
        AccumulateAuthorStats(state.author, *author);

    MarkAlliesExtremes(state.allies, vf::Xp);
    MarkAlliesExtremes(state.allies, vf::Kills);
    MarkAlliesExtremes(state.allies, vf::Damage);
    MarkAlliesSupportExtremes(state.allies);

    WriteFinalHeader(finalMap, outcomeWord);

    c_.tables.portalRegion = PortalRegionOf(header_.regionCode, header_.serverName);
    if (c_.battleLog) {
        c_.battleLog->SetPortalRegion(c_.tables.portalRegion);
        c_.battleLog->AddBattle(header_.dateTime, finalMap, outcomeWord, battle.vehicles);
    }

    if (c_.options.multiGroupPlayers)
        AlliesInfoToGridsGroupped(c_.tables, state.allies, count_);
    else
        AlliesInfoToGrids(c_.tables, state.allies, count_, startRow_);

    outcome_.kind = ReplayClass::Complete;
    outcome_.word = outcomeWord;
    Finish();
    return outcome_;
}

}  // namespace

SubfolderMove MoveReplayToSubfolder(const std::string& path, const std::string& name,
                                    FileSystem& files) {
    const auto separator = path.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator);
    const std::string file = separator == std::string::npos ? path : path.substr(separator + 1);
    const std::string subfolder = folder + "/" + name;

    SubfolderMove move;
    move.subfolder = name;
    move.target = subfolder + "/" + file;
    move.attempted = true;
    if (!files.FileExists(path)) {
        move.failure = "the file is not there";
        return move;
    }
    if (const FileResult made = files.CreateFolder(subfolder); !made) {
        move.failure = "the folder " + subfolder + " cannot be created: " + made.reason;
        return move;
    }
    // The target is checked only to say why; the move itself never replaces a file.
    if (files.FileExists(move.target)) {
        move.failure = "a file of that name is already in " + name;
        return move;
    }
    const FileResult moved = files.MoveFileNoReplace(path, move.target);
    move.moved = moved.Ok();
    if (!move.moved)
        move.failure = files.FileExists(move.target) ? "a file of that name is already in " + name
                                                     : "the file cannot be moved: " + moved.reason;
    return move;
}

ReplayOutcome SeriesAnalysis(const std::string& ReplayPath, int Count, int StartRow,
                             SeriesContext& context) {
    Ingestion ingestion(ReplayPath, Count, StartRow, context);
    try {
        return ingestion.Run();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        // A fault no kind names ends this replay only; the run goes on with the next one.
        return ingestion.Fault(error.what());
    }
}

}  // namespace kordex
