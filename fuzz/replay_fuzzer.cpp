// Arbitrary bytes as a replay file: both reading variants, the header, every pass, the words
// of the vocabulary, the single analysis, a series run of the one replay and the library's
// row. Failures must be values (or the one exception that goes to the default error handling
// where a step is documented to throw it), never crashes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "library/library_row.h"
#include "library/library_tables.h"
#include "platform/headless_desktop.h"
#include "platform/kordex_error.h"
#include "platform/std_file_system.h"
#include "platform/system_clock.h"
#include "replay/battle_reading.h"
#include "replay/battle_vocabulary.h"
#include "series/series_run.h"
#include "series/series_tables.h"
#include "single/single_analysis.h"
#include "single/team_tables.h"
#include "support/plain_cut.h"
#include "support/plain_replay_blocks.h"
#include "tables/label_store.h"
#include "text/ini_file.h"
#include "window/window_tables.h"

namespace {

using namespace kordex;

// The input lives in an in-memory file, reached through its /proc path as any replay is.
class InputFile {
  public:
    InputFile() : fd_(memfd_create("replay", 0)) {
        FUZZ_CHECK(fd_ >= 0);
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    void Write(const std::uint8_t* data, std::size_t size) {
        FUZZ_CHECK(ftruncate(fd_, 0) == 0);
        std::size_t written = 0;
        while (written < size) {
            const ssize_t n =
                pwrite(fd_, data + written, size - written, static_cast<off_t>(written));
            FUZZ_CHECK(n > 0);
            written += static_cast<std::size_t>(n);
        }
    }
    const std::string& Path() const { return path_; }

  private:
    int fd_;
    std::string path_;
};

// Words that throw for a text that is not a whole number: the default error handling's case.
template <typename Word>
void TryWord(Word word) {
    try {
        (void)word();
    } catch (const KordexError&) {
    }
}

void TryWords(const BattleTables& tables) {
    TryWord([&] { return BattleOutcome(tables.common.winnerTeam, tables.personal.Value("team")); });
    TryWord([&] { return MasteryMarkText(tables.personal.Value("markOfMastery")); });
}

void RunAnalyses(const ReplayBlocks& blocks, bool single, int fallbackVersion) {
    BattleReadRequest request;
    request.variant = single ? ReadingVariant::Single : ReadingVariant::List;
    request.analysis = std::nullopt;
    request.keys = single ? PersonalKeys::Single : PersonalKeys::Series;
    request.join = single ? JoinForm::Single : JoinForm::Series;
    const BattleRead read = ReadBattleBlocks(blocks, request);
    FUZZ_CHECK(read.Ok() || read.stage != ReadStage::Blocks);
    const BattleHeader& header = read.header.header;
    if (read.header.ok) {
        for (Analysis analysis : {Analysis::Single, Analysis::Series, Analysis::Library})
            (void)IsClientAccepted(header, analysis);
        TryWord([&] { return BattleTypeLong(header.battleType); });
        TryWord([&] { return BattleTypeShort(header.battleType); });
        (void)ModeSuffixSingle(header.gameplayID);
        (void)ModeWordLibrary(header.gameplayID);
        TryWords(read.tables);
        return;
    }
    // Without a header each pass still meets its block, in one of the layouts.
    const VersionLayout& layout = LayoutOf(fallbackVersion, ClientTupleOf(blocks.HeaderBlock, ""));
    BattleTables tables;
    ResetBattleTables(tables);
    (void)ResultsPass(blocks.ResultsBlock, layout, request.keys, tables);
    (void)FragsPass(blocks.FragsBlock, tables.vehicles);
    (void)JoinPlayers(tables, request.join, layout);
    (void)VehiclesPass(blocks.VehiclesBlock, tables.vehicles, layout);
    TryWords(tables);
}

// The single view as the window runs it. KordexError is its documented way out to the default
// error handling; anything else escaping is a finding.
void RunSingleAnalysis(const std::string& path) {
    static WindowTables tables = [] {
        WindowTables built;
        SetTableTitles(built);
        return built;
    }();
    HeadlessDesktop desktop;
    StdFileSystem files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    LabelStore labels;
    SingleView view{tables.AlliesGrid, tables.EnemiesGrid, labels};
    view.replayPath = path;
    try {
        (void)SingleReplayAnalyseClick(view, platform, SingleSettings{NumberFormat{','}, ""});
    } catch (const KordexError&) {
    }
    FUZZ_CHECK(tables.AlliesGrid.RowCount() == kTeamRows);
    FUZZ_CHECK(tables.EnemiesGrid.RowCount() == kTeamRows);
}

// Refuses every change: a fuzz input never moves or creates anything.
class NoChanges : public StdFileSystem {
  public:
    FileResult CreateFolder(const std::string&) override { return Refused(); }
    FileResult MoveFileNoReplace(const std::string&, const std::string&) override {
        return Refused();
    }
    FileResult MoveToTrash(const std::string&) override { return Refused(); }

  private:
    static FileResult Refused() { return FileResult::Failure(FileFault::Write, "refused"); }
};

// A series run of the one replay, with the options chosen by the input's size. No fault of a
// replay may escape a run.
void RunOneReplaySeries(const std::string& path, std::size_t size) {
    WindowTables tables;
    SetTableTitles(tables);
    SeriesSession session;
    session.lb_ReplaysList.Assign({path});
    LabelStore labels;
    HeadlessDesktop desktop;
    NoChanges files;
    SystemClock clock;
    Platform platform{desktop, files, clock};
    SeriesRunObserver observer;
    SeriesOptions options;
    options.multiAdditional = size % 2 == 1;
    options.multiGroupPlayers = size % 4 >= 2;
    options.multiToBegin = size % 8 >= 4;
    options.moveUnusable = false;
    const SeriesRunResult result =
        RunSeries(tables, session, labels, options, platform, observer, nullptr);
    FUZZ_CHECK(result.started);
    FUZZ_CHECK(result.replays.size() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InputFile file;
    static const IniFile ini = IniFile::FromText("[ussr]\nR04_T-34=Т-34\n");
    file.Write(data, size);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(CutJsonBlock(bytes) == test::PlainCut(bytes));

    for (ReadingVariant variant : {ReadingVariant::Single, ReadingVariant::List}) {
        const auto blocks = ReadReplayBlocks(file.Path(), variant);
        FUZZ_CHECK(blocks.has_value());
        const ReplayBlocks plain = test::PlainReplayBlocks(bytes, variant);
        FUZZ_CHECK(blocks->HeaderBlock == plain.HeaderBlock &&
                   blocks->ResultsBlock == plain.ResultsBlock &&
                   blocks->VehiclesBlock == plain.VehiclesBlock &&
                   blocks->FragsBlock == plain.FragsBlock);
        const int layouts[] = {811, 950, 9171};
        RunAnalyses(*blocks, variant == ReadingVariant::Single, layouts[size % 3]);
    }

    RunSingleAnalysis(file.Path());
    RunOneReplaySeries(file.Path(), size);

    // A library row never ends the scan: whatever the file holds becomes a row.
    TextGrid table = MakeLibraryGrid();
    table.SetRowCount(2);
    HeadlessDesktop desktop;
    (void)ReplayToLibraryRow(file.Path(), 0, table, ini, desktop);
    FUZZ_CHECK(table.Cell(library_column::Path, 1) == file.Path());
    return 0;
}
