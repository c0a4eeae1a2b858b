#include "support/headless_single.h"

namespace kordex::test {

HeadlessSingle::HeadlessSingle(FileSystem* fileSystem)
    : platform{desktop, fileSystem ? *fileSystem : files, clock} {
    SetTableTitles(tables);
}

SingleEnd HeadlessSingle::Analyse(const std::string& path) {
    view.replayPath = path;
    return SingleReplayAnalyseClick(view, platform, settings);
}

}  // namespace kordex::test
