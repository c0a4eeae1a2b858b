#pragma once

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "replay/battle_tables.h"
#include "tables/label_store.h"
#include "text/number_format.h"

namespace kordex {

// What one accepted replay adds, by label name; read in full before anything is added, so that
// a replay with an unreadable value adds nothing at all.
struct AuthorBattle {
    std::map<std::string, long long, std::less<>> additions;
    // lifeTime × 100 / duration of this battle; nothing when the duration is 0.
    std::optional<double> lifetimePercent;
};

struct AuthorBattleRead {
    std::optional<AuthorBattle> battle;
    std::string failure;  // which value is not a whole number
};

// Reads the recording player's values of one battle (by their names in clients 9.0 and later),
// the common "duration" and the outcome word for that player.
AuthorBattleRead ReadAuthorBattle(const PersonalResults& personal, std::string_view duration,
                                  std::string_view outcome);

// The running totals of a run.
struct AuthorStats {
    std::map<std::string, long long, std::less<>> totals;
    double lifetimePercentSum = 0;
    int lifetimePercentBattles = 0;

    long long Total(std::string_view label) const;
};

void AccumulateAuthorStats(AuthorStats& stats, const AuthorBattle& battle);

// Writes the final texts of the author's labels (AuthorStatsLabels): totals, averages over the
// battles, the ratios. With no battle counted every label reads "0".
void AdditionalFinalize(const AuthorStats& stats, LabelStore& labels, const NumberFormat& format);

// One row of the tab "Дополнительно": a caption beside the value label it names.
struct AuthorStatsRow {
    std::string_view caption;  // may hold a line break
    std::string_view label;
    bool bold = false;
};
// The tab's two columns, as the window and the exported page show them; the counters
// Label_m_wins and Label_m_duration are in neither.
std::span<const AuthorStatsRow> AuthorStatsLeftColumn();
std::span<const AuthorStatsRow> AuthorStatsRightColumn();

enum class UnitsForm { Thousands, Minutes, Kilometres };

// "total / average" with each part above the form's base written in its units:
// 1500 → "1 500", 754 → "12 м 34 с", 12345 → "12 км 345 м". A text without "/" is returned whole.
std::string FormatUnitsLabel(std::string_view text, UnitsForm form, const NumberFormat& format);

}  // namespace kordex
