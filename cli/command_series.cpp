#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "dump_format.h"
#include "export/battle_log.h"
#include "export/html_export.h"
#include "export/workbook_export.h"
#include "number_locale.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "series/series_run.h"
#include "tanks_ini_path.h"
#include "window/window_tables.h"

namespace kordex::cli {

namespace {

struct SeriesArguments {
    SeriesOptions options;
    std::string htmlFile;
    std::string xlsxFile;
    std::string logFile;
    std::vector<std::string> files;
};

std::optional<SeriesArguments> ParseArguments(const std::vector<std::string>& args) {
    SeriesArguments parsed;
    parsed.options.moveUnusable = false;  // a command-line user does not expect files to move
    parsed.options.format.decimalSeparator = DecimalSeparatorFromEnvironment();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* {
            return i + 1 < args.size() ? &args[++i] : nullptr;
        };
        if (arg == "--additional") {
            parsed.options.multiAdditional = true;
        } else if (arg == "--group") {
            parsed.options.multiGroupPlayers = true;
        } else if (arg == "--to-begin") {
            parsed.options.multiToBegin = true;
        } else if (arg == "--move-unusable") {
            parsed.options.moveUnusable = true;
        } else if (arg == "--decimal-separator") {
            const std::string* separator = value();
            if (!separator || separator->size() != 1)
                return std::nullopt;
            parsed.options.format.decimalSeparator = separator->front();
        } else if (arg == "--html" || arg == "--xlsx" || arg == "--log") {
            const std::string* file = value();
            if (!file)
                return std::nullopt;
            (arg == "--html"   ? parsed.htmlFile
             : arg == "--xlsx" ? parsed.xlsxFile
                               : parsed.logFile) = *file;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (parsed.files.empty())
        return std::nullopt;
    return parsed;
}

std::string Disposition(const ReplayOutcome& replay) {
    const SubfolderMove& move = replay.move;
    if (move.subfolder.empty())
        return replay.kind == ReplayClass::Complete ? "" : "stays: " + replay.description;
    if (!move.attempted)
        return "stays, not moved into " + move.subfolder + " (moving is off)";
    if (move.moved)
        return "moved to " + move.target;
    return "stays, not moved into " + move.subfolder + ": " + move.failure;
}

void WriteCounts(std::ostream& out, const SeriesRunResult& result, const WindowTables& tables) {
    int battles = 0, wins = 0, draws = 0, losses = 0, unusable = 0, moved = 0, stayed = 0;
    int repeats = 0;
    for (const ReplayOutcome& replay : result.replays) {
        if (replay.kind == ReplayClass::Repeat) {
            ++repeats;
            continue;
        }
        if (replay.kind == ReplayClass::Complete) {
            ++battles;
            wins += replay.word == "Победа";
            draws += replay.word == "Ничья";
            losses += replay.word == "Поражение";
            continue;
        }
        ++unusable;
        if (replay.move.moved)
            ++moved;
        else if (replay.move.attempted)
            ++stayed;
    }
    int players = 0;
    for (int row = kSeriesStartRow; row < tables.SeriesGridExp.RowCount(); ++row)
        players += !tables.SeriesGridExp.Cell(0, row).empty();
    WriteSection(out, "Counts");
    WriteRecord(out, "replays", std::to_string(result.replays.size()));
    WriteRecord(out, "battles", std::to_string(battles));
    WriteRecord(out, "wins", std::to_string(wins));
    WriteRecord(out, "draws", std::to_string(draws));
    WriteRecord(out, "losses", std::to_string(losses));
    WriteRecord(out, "player rows", std::to_string(players));
    WriteRecord(out, "unusable", std::to_string(unusable));
    WriteRecord(out, "moved", std::to_string(moved));
    WriteRecord(out, "move failed", std::to_string(stayed));
    WriteRecord(out, "repeats", std::to_string(repeats));
}

void WriteReplays(std::ostream& out, const SeriesRunResult& result) {
    WriteSection(out, "Replays");
    for (const ReplayOutcome& replay : result.replays)
        WriteRow(out, {replay.path, replay.word, Disposition(replay)});
}

// The page and the workbook of the run's tables; they run after the tables were printed,
// since an export empties the sort hint of the total columns.
// Each file written goes into `written` as a record: its kind and its path.
void WriteExports(const SeriesArguments& arguments, WindowTables& tables,
                  const SeriesSession& session, const LabelStore& labels,
                  std::vector<std::pair<std::string, std::string>>& written) {
    const LabelStore* authorStats = CollectedAuthorStats(session, labels);
    if (!arguments.htmlFile.empty()) {
        SaveSeriesPage(tables, authorStats, arguments.htmlFile);
        written.emplace_back("html", arguments.htmlFile);
    }
    if (!arguments.xlsxFile.empty()) {
        SaveSeriesWorkbook(tables, arguments.xlsxFile, arguments.options.format);
        written.emplace_back("xlsx", arguments.xlsxFile);
    }
}

}  // namespace

int RunSeries(const std::vector<std::string>& args, std::ostream& out) {
    const auto arguments = ParseArguments(args);
    if (!arguments)
        return 2;

    WindowTables tables;
    SetTableTitles(tables);
    SeriesSession session;
    session.lb_ReplaysList.Assign(arguments->files);
    SeriesOptions options = arguments->options;
    options.iniPath = TanksIniPath();
    LabelStore labels;
    ZeroLables(labels);

    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    SeriesRunObserver observer;
    auto htmlLog = HtmlBattleLog::SavedAt(arguments->logFile);
    SeriesBattleLog* battleLog = arguments->logFile.empty() ? nullptr : &htmlLog;

    int status = 0;
    SeriesRunResult result;
    try {
        result = kordex::RunSeries(tables, session, labels, options, platform, observer, battleLog);
    } catch (const KordexError& error) {
        // The default error handling: what was done stays and is printed.
        desktop.RecordError(error.what());
        status = 1;
    }

    WriteGrid(out, "SeriesGridExp", tables.SeriesGridExp);
    WriteGrid(out, "SeriesGridFrags", tables.SeriesGridFrags);
    WriteGrid(out, "SeriesGridDamage", tables.SeriesGridDamage);
    WriteGrid(out, "SeriesGridSupport", tables.SeriesGridSupport);
    WriteGrid(out, "SeriesGridShots", tables.SeriesGridShots);
    WriteGrid(out, "SeriesGridSummary", tables.SeriesGridSummary);
    WriteSection(out, "Additional");
    for (std::string_view name : AuthorStatsLabels())
        WriteRecord(out, name, labels.Text(name));
    WriteCounts(out, result, tables);
    WriteReplays(out, result);
    WriteSection(out, "Status");
    WriteRecord(out, "status", result.statusText);

    std::vector<std::pair<std::string, std::string>> written;
    if (!htmlLog.SavedPath().empty())
        written.emplace_back("log", htmlLog.SavedPath());
    if (status == 0 && result.started) {
        try {
            WriteExports(*arguments, tables, session, labels, written);
        } catch (const KordexError& error) {
            desktop.RecordError(error.what());
            status = 1;
        }
    }
    WriteSection(out, "Events");
    for (const std::string& event : desktop.Events())
        out << EscapeCell(event) << '\n';
    // Where the files went, as the window's status bar says it.
    if (!written.empty()) {
        WriteSection(out, "Files");
        for (const auto& [kind, path] : written)
            WriteRecord(out, kind, path);
    }
    if (status == 0 && !result.started)
        status = 1;
    return status;
}

}  // namespace kordex::cli
