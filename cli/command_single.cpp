#include <exception>
#include <filesystem>
#include <iostream>
#include <locale>

#include "cli_commands.h"
#include "dump_format.h"
#include "number_locale.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "single/single_analysis.h"
#include "single/team_tables.h"
#include "tables/label_store.h"
#include "tanks_ini_path.h"

namespace kordex::cli {

namespace {

void WriteLabels(std::ostream& out, std::string_view section, const LabelStore& labels,
                 const std::vector<std::string_view>& names) {
    WriteSection(out, section);
    for (auto name : names)
        WriteRecord(out, name, labels.Text(name));
}

}  // namespace

int RunSingle(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1)
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
    view.replayPath = args.front();

    bool completed = false;
    try {
        completed = SingleReplayAnalyseClick(view, platform,
                                             {NumberFormat{DecimalSeparatorFromEnvironment()},
                                              TanksIniPath()}) == SingleEnd::Completed;
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
    return completed ? 0 : 1;
}

}  // namespace kordex::cli
