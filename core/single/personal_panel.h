#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "replay/battle_header.h"
#include "replay/battle_tables.h"
#include "tables/label_store.h"
#include "text/number_format.h"

namespace kordex {

// The computed values of the personal panel. Each gives nothing when a number it needs is not
// a whole number.

// "2м 5c / 6м 53c" from a life time and a battle duration in seconds; only the whole part of
// the duration counts.
std::optional<std::string> LifeTimeText(std::string_view lifeTime, std::string_view duration);
// Metres as kilometres in general number form with the locale separator: "1,234 км".
std::optional<std::string> MileageText(std::string_view mileage, const NumberFormat& format);
// The daily experience factor of "dailyXPFactor10" (tenths), rounded half to even.
std::optional<int> DailyXpFactor(std::string_view dailyXPFactor10);
// The credits part of a cost pair "[1234,0]": "1234"; empty for a text without ",".
std::string CostCreditsPart(std::string_view cost);
// credits - penalty + contribution - repair - ammunition - equipment, read back from the texts
// the panel shows; nothing when one of them is not a whole number.
std::optional<long long> CreditBalance(const LabelStore& labels);

// "Убит игроком:": the name and vehicle of the vehicle id "killerID" names in the battle's
// vehicle table, "Name (Vehicle)"; empty for "0" (not killed) or an id the table lacks.
std::string KillerText(const VehicleTable& vehicles, std::string_view killerId);

// Fills the panel and the battle time label from the recording player's results, label after
// label in a fixed order. A value that is not a whole number throws KordexError there: the
// labels set before it keep their texts, the later ones their zeros.
void FillPersonalPanel(const PersonalResults& personal, const CommonResults& common,
                       const BattleHeader& header, const NumberFormat& format, LabelStore& labels);

}  // namespace kordex
