// Writes the synthetic part of the fuzz targets' seed corpus: small replay-like files of each
// client layout and each way a line can end, JSON texts, and INI texts.
//   seed_corpus OUT_FOLDER [REAL_REPLAYS_FOLDER]
// OUT_FOLDER gets the subfolders replay/, json/ and ini/. With a folder of real replays, the
// start of each one (its first line and a little after) joins the replay seeds, and every JSON
// object of that first line joins the JSON seeds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "replay/version_layout.h"

namespace fs = std::filesystem;

namespace {

struct Layout {
    const char* exeVersion;
    int number;  // the client version as the layouts tell them apart
};

std::string Header(const Layout& layout, int vehicles) {
    std::string text = "{\"clientVersionFromXml\": \"World of Tanks v.0.9.2 Common Test #12\", ";
    text += "\"clientVersionFromExe\": \"" + std::string(layout.exeVersion) + "\", ";
    text +=
        "\"mapDisplayName\": \"\\u041c\\u0430\\u043b\\u0438\\u043d\\u043e\\u0432\\u043a\\u0430\", ";
    text += "\"gameplayID\": \"ctf\", \"playerID\": 1001, \"vehicles\": {";
    for (int i = 0; i < vehicles; ++i) {
        if (i)
            text += ", ";
        text += "\"" + std::to_string(500 + i) + "\": {\"vehicleType\": \"ussr:T-34\", ";
        text += "\"isAlive\": true, \"name\": \"player" + std::to_string(i) + "\", ";
        text += "\"clanAbbrev\": \"" + std::string(i % 2 ? "" : "CLAN") + "\", ";
        text += "\"team\": " + std::to_string(1 + i % 2) + ", \"events\": {}, ";
        text += "\"isTeamKiller\": false}";
    }
    text += "}, \"dateTime\": \"27.05.2017 21:04:33\", \"mapName\": \"10_hills\", ";
    text += "\"playerName\": \"player0\", \"playerVehicle\": \"ussr-T-34\", \"battleType\": 1}";
    return text;
}

std::string Personal(const Layout& layout, std::string_view number = "0") {
    std::string text = "{";
    bool first = true;
    // The keys the analyses read, under the names of the layout's client.
    for (std::string_view key : kordex::PersonalKeyNames(true)) {
        if (!first)
            text += ", ";
        first = false;
        const std::string name(kordex::LayoutOf(layout.number).KeyName(key));
        std::string value(number);
        if (name == "autoLoadCost" || name == "autoEquipCost")
            value = "[1234, 0]";
        else if (name == "details" || name == "dossierPopUps" || name == "questsProgress")
            value = "{}";
        else if (name == "achievements")
            value = "[]";
        else if (name == "team")
            value = "1";
        else if (name == "isPremium" || name == "isTeamKiller")
            value = "false";
        text += "\"" + name + "\": " + value;
    }
    text += "}";
    if (layout.number >= 980)
        text = "{\"1025\": " + text + "}";
    return text;
}

std::string Results(const Layout& layout, int vehicles, std::string_view number = "0") {
    const bool old = layout.number == 811;
    std::string text =
        "{\"arenaUniqueID\": 4512345678901234, \"personal\": " + Personal(layout, number);
    text += ", \"common\": {\"finishReason\": 1, \"arenaCreateTime\": 1495908273, ";
    text += "\"duration\": 413.5, \"winnerTeam\": 1, \"bonusType\": 1}, \"players\": {";
    for (int i = 0; i < vehicles; ++i) {
        if (i)
            text += ", ";
        text += "\"" + std::to_string(9000 + i) + "\": {\"name\": \"player" + std::to_string(i) +
                "\", \"clanDBID\": " + std::to_string(i % 2 ? 0 : 77) +
                ", \"prebattleID\": " + std::to_string(i < 2 ? 5 : 0) +
                ", \"team\": " + std::to_string(1 + i % 2) + "}";
    }
    text += "}, \"vehicles\": {";
    for (int i = 0; i < vehicles; ++i) {
        if (i)
            text += ", ";
        std::string record = "{\"xp\": " + std::to_string(100 * (i + 1)) +
                             ", \"damageDealt\": 1500, \"damageAssistedRadio\": 20, "
                             "\"damageAssistedTrack\": 30, \"shots\": 7, \"spotted\": 1, ";
        record += old ? "\"hits\": 5, \"pierced\": 4, \"he_hits\": 0}"
                      : "\"directHits\": 5, \"piercings\": 4, \"explosionHits\": 0}";
        if (layout.number >= 980)
            record = "[" + record + "]";
        text += "\"" + std::to_string(500 + i) + "\": " + record;
    }
    text += "}}";
    return text;
}

std::string Vehicles(int vehicles) {
    std::string text = "{";
    for (int i = 0; i < vehicles; ++i) {
        if (i)
            text += ", ";
        text += "\"" + std::to_string(500 + i) + "\": {\"vehicleType\": \"ussr:T-34\", " +
                "\"isAlive\": " + (i == 1 ? "false" : "true") + ", \"name\": \"player" +
                std::to_string(i) +
                "\", \"clanAbbrev\": \"\", \"team\": " + std::to_string(1 + i % 2) +
                ", \"events\": {}, \"isTeamKiller\": false}";
    }
    return text + "}";
}

std::string Frags(int vehicles) {
    std::string text = "{";
    for (int i = 0; i < vehicles; ++i) {
        if (i)
            text += ", ";
        text += "\"" + std::to_string(500 + i) + "\": {\"frags\": " + std::to_string(i % 3) + "}";
    }
    return text + "}";
}

// The few binary bytes the game writes before the first block and between blocks.
const std::string kStart("\x12\x32\x34\x11\x02\x00\x00\x00\x9c\x05\x00\x00", 12);
const std::string kBetween("\x3a\x10\x00\x00", 4);
const std::string kRest("\x00\x01\x02\x0a\x78\x9c\x1a\xff\x0a", 9);

void Write(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteReplaySeeds(const fs::path& folder) {
    const Layout layouts[] = {
        {"0, 9, 17, 1", 9171}, {"0, 8, 11, 0", 811}, {"0, 9, 5, 0", 950}, {"0.9.20.1", 9201}};
    int n = 0;
    for (const Layout& layout : layouts) {
        const int vehicles = 4;
        const std::string header = Header(layout, vehicles);
        const std::string rest = kBetween + "[" + Results(layout, vehicles) + ", " +
                                 Vehicles(vehicles) + ", " + Frags(vehicles) + "]";
        const auto name = [&](const char* kind) {
            return folder / ("synthetic-" + std::to_string(n) + "-" + kind);
        };
        Write(name("complete"), kStart + header + rest + kRest);
        Write(name("unfinished"), kStart + header + kRest + kRest);
        Write(name("crlf-in-start"), "\x12\r\n\x32\r" + header + rest + "\r\n" + kRest);
        Write(name("header-on-third-line"), "\x12\n\x32\n" + header + rest + kRest);
        Write(name("ctrl-z-between"), kStart + header + "\x1a" + rest + kRest);
        Write(name("results-next-line"), kStart + header + "\n" + rest + kRest);
        ++n;
    }
    Write(folder / "empty", "");

    // Every personal number beyond the ranges the analyses convert to.
    const Layout layout = layouts[0];
    const std::string header = Header(layout, 4);
    const std::string digits300 = "9" + std::string(299, '9');
    const std::string extremes[] = {"1e300",     "-1e300", digits300, "-" + digits300,
                                    "Infinity",  "-0",     "1e999",   "-9223372036854775809",
                                    "2147483648"};
    int k = 0;
    for (const std::string& number : extremes)
        Write(folder / ("extreme-" + std::to_string(k++)),
              kStart + header + kBetween + "[" + Results(layout, 4, number) + ", " + Vehicles(4) +
                  ", " + Frags(4) + "]" + kRest);
}

// Folders for the folder target: pieces "KIND NAME" and bytes, separated by "\n--\n".
void WriteFolderSeeds(const fs::path& folder) {
    const Layout layout{"0, 9, 17, 1", 9171};
    const std::string replay = kStart + Header(layout, 4) + kBetween + "[" + Results(layout, 4) +
                               ", " + Vehicles(4) + ", " + Frags(4) + "]" + kRest;
    const std::string huge = kStart + Header(layout, 4) + kBetween + "[" +
                             Results(layout, 4, "1e300") + ", " + Vehicles(4) + ", " + Frags(4) +
                             "]" + kRest;
    Write(folder / "mixed", "fcomplete\n" + replay + "\n--\nfhuge\n" + huge +
                                "\n--\ndfolder.wotreplay\n--\nppipe.wotreplay\n--\nlcomplete\n"
                                "--\nfempty\n--\nftemp.wotreplay\n--\nfTemp.wotreplay\n" +
                                replay.substr(0, replay.size() / 2));
    Write(folder / "read-error", "eerror\n--\nfcomplete\n" + replay);
    Write(folder / "odd-names", "fимя с пробелами [1]\n" + replay + "\n--\nf.hidden\n" + replay +
                                    "\n--\nfnew\\line\tand tab\n" + replay);
}

void WriteJsonSeeds(const fs::path& folder) {
    const Layout layout{"0, 9, 17, 1", 9171};
    Write(folder / "header", Header(layout, 3));
    Write(folder / "results", Results(layout, 3));
    Write(folder / "results-811", Results({"0, 8, 11, 0", 811}, 3));
    Write(folder / "vehicles", Vehicles(3));
    Write(folder / "frags", Frags(3));
    Write(
        folder / "escapes",
        R"({"a":"x\"y\\z\u0000\u041c\ud83d\ude00","b":[1.50,-0,1e3,18446744073709551615],"c":{"":null}})");
    Write(folder / "1251", "{\"name\":\"\xcd\xe8\xea\",\"n\":[true,false]}");
}

void WriteIniSeeds(const fs::path& folder) {
    const std::string options =
        "[options]\nAdditional=-1\nToBegin=0\nGroup=true\nAllReplaysFolder=C:\\Games\\replays\n"
        "AutoProcessReplays=FALSE\nExportAllHTML=1\nRemoteExport=0\n"
        "RemoteServerAddress=http://example.org/import.php\nRemoteServerPort=80\n";
    Write(folder / "options", options);
    Write(folder / "names-utf8",
          "\xEF\xBB\xBF[ussr]\r\nR04_T-34=Т-34\r\n\r\n[OPTIONS]\r\nGroup = yes\r\n");
    Write(folder / "names-1251",
          "[ussr]\nR04_T-34=\xD2-34\n[options]\nAllReplaysFolder=C:\\\xC8\xE3\xF0\xFB\n");
    Write(folder / "odd", "; comment\nkey=before\n[options\nToBegin\n[options]\nToBegin=2e5\r[x]");
}

// The first line of a real replay and the bytes just after it.
std::string StartOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(256 * 1024, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const auto lineEnd = bytes.find('\n');
    if (lineEnd != std::string::npos && lineEnd + 64 < bytes.size())
        bytes.resize(lineEnd + 64);
    return bytes;
}

// Every brace-balanced object of a text that starts at "{" followed by a quote, outside others.
std::vector<std::string> ObjectsOf(std::string_view text) {
    std::vector<std::string> objects;
    std::size_t i = 0;
    while ((i = text.find("{\"", i)) != std::string_view::npos) {
        int depth = 0;
        std::size_t j = i;
        for (; j < text.size(); ++j) {
            depth += text[j] == '{' ? 1 : text[j] == '}' ? -1 : 0;
            if (depth == 0)
                break;
        }
        if (j == text.size())
            break;
        objects.emplace_back(text.substr(i, j - i + 1));
        i = j + 1;
    }
    return objects;
}

void WriteRealSeeds(const fs::path& replays, const fs::path& out) {
    int n = 0;
    for (const auto& entry : fs::recursive_directory_iterator(replays)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".wotreplay")
            continue;
        const std::string start = StartOf(entry.path());
        Write(out / "replay" / ("real-" + std::to_string(n)), start);
        int k = 0;
        for (const auto& object : ObjectsOf(start.substr(0, start.find('\n'))))
            Write(out / "json" / ("real-" + std::to_string(n) + "-" + std::to_string(k++)), object);
        ++n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: seed_corpus OUT_FOLDER [REAL_REPLAYS_FOLDER]\n");
        return 2;
    }
    const fs::path out = argv[1];
    for (const char* kind : {"replay", "json", "ini", "folder"})
        fs::create_directories(out / kind);
    WriteReplaySeeds(out / "replay");
    WriteJsonSeeds(out / "json");
    WriteIniSeeds(out / "ini");
    WriteFolderSeeds(out / "folder");
    if (argc > 2 && fs::is_directory(argv[2]))
        WriteRealSeeds(argv[2], out);
    return 0;
}
