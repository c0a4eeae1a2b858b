#include <exception>
#include <filesystem>
#include <iostream>
#include <locale>
#include <optional>

#include "cli_commands.h"
#include "dump_format.h"
#include "number_locale.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "single/single_analysis.h"
#include "single/single_end_text.h"
#include "single/team_tables.h"
#include "tables/header_click_sorts.h"
#include "tables/label_store.h"
#include "tanks_ini_path.h"
#include "text/number_format.h"

namespace kordex::cli {

namespace {

void WriteLabels(std::ostream& out, std::string_view section, const LabelStore& labels,
                 const std::vector<std::string_view>& names) {
    WriteSection(out, section);
    for (auto name : names)
        WriteRecord(out, name, labels.Text(name));
}

// FILE, then optionally "--sort COLUMN": the title click on that column of a team table.
struct SingleArguments {
    std::string replay;
    std::optional<int> sortColumn;
};

std::optional<SingleArguments> ReadArguments(const std::vector<std::string>& args) {
    SingleArguments read;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sort") {
            if (i + 1 == args.size() || read.sortColumn)
                return std::nullopt;
            read.sortColumn = ParseWholeNumber(args[++i]);
            if (!read.sortColumn)
                return std::nullopt;
        } else if (read.replay.empty() && !args[i].empty()) {
            read.replay = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (read.replay.empty())
        return std::nullopt;
    return read;
}

}  // namespace

int RunSingle(const std::vector<std::string>& args, std::ostream& out) {
    const auto arguments = ReadArguments(args);
    if (!arguments)
        return 2;

    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    TextGrid alliesGrid = MakeTeamGrid();
    TextGrid enemiesGrid = MakeTeamGrid();
    LabelStore labels;
    ZeroLables(labels);
    SingleView view(alliesGrid, enemiesGrid, labels);
    view.replayPath = arguments->replay;

    const NumberFormat format{DecimalSeparatorFromEnvironment()};
    std::string statusLine;
    bool completed = false;
    try {
        const SingleEnd end = SingleReplayAnalyseClick(view, platform, {format, TanksIniPath()});
        statusLine = SingleEndStatusLine(end);
        completed = end == SingleEnd::Completed;
        // The title click, as the window takes it: both tables by that column.
        if (completed && arguments->sortColumn)
            SortTeamTablesByHeader(alliesGrid, enemiesGrid, *arguments->sortColumn, 0, format);
    } catch (const std::exception& error) {
        // The window's default error handling: the description in a box, the rest stays.
        desktop.RecordError(error.what());
    }

    WriteLabels(out, "Labels", view.labels, BattleLabels());
    WriteGrid(out, "AlliesGrid", view.alliesGrid);
    WriteGrid(out, "EnemiesGrid", view.enemiesGrid);
    WriteLabels(out, "Personal", view.labels, PersonalPanelLabels());
    WriteSection(out, "Events");
    for (const auto& event : desktop.Events())
        out << EscapeCell(event) << '\n';
    WriteSection(out, "Status");
    if (!statusLine.empty())
        out << EscapeCell(statusLine) << '\n';
    return completed ? 0 : 1;
}

}  // namespace kordex::cli
