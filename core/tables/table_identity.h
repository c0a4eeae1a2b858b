#pragma once

namespace kordex {

// Which table of the window a handler works on, where tables share a handler but not a rule.
enum class TeamTable { Allies, Enemies };

enum class SeriesTable { Exp, Frags, Damage, Support, Shots, Summary };

enum class LibraryList { AllReplays, FavoriteReplays };

}  // namespace kordex
