#include "support/headless_series.h"

namespace kordex::test {

HeadlessSeries::HeadlessSeries() {
    options.format.decimalSeparator = ',';
    options.iniPath = KORDEX_SHIPPED_INI;
    SetTableTitles(tables);
}

SeriesRunResult HeadlessSeries::Run(const std::vector<std::string>& paths, SeriesBattleLog* log) {
    Platform platform{desktop, *files, *clock};
    session.lb_ReplaysList.Assign(paths);
    return RunSeries(tables, session, labels, options, platform, observer, log);
}

}  // namespace kordex::test
