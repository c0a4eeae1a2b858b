#include "series/html_battle_log.h"

namespace kordex {

void BattleLogHook::Finish(const LocalDateTime& stamp) {
    if (path_.empty())
        log_.Finish(stamp);
    else
        log_.FinishAt(path_);
}

}  // namespace kordex
