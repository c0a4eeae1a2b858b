#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "export/export_tables.h"
#include "export/html_text.h"
#include "platform/platform.h"
#include "tables/label_store.h"
#include "tables/text_grid.h"

namespace kordex {

// Appends one series table as an HTML table: the header rows coloured by the battle outcome,
// the body cells by survival (background) and the team's lowest and highest value (text).
// Empties the table's sort hint (the window shows it empty afterwards). A marked cell whose
// extreme marker is not a whole number or whose alive marker is not a boolean text throws
// KordexError. The names link to the player search of the region's portal.
void GridToHTMLTable(PageLines& lines, TextGrid& table, PortalRegion region = PortalRegion::Ru);

// The page of the series behind a tab strip, "Опыт" shown first: the five per-player tables,
// the summary "Итого", the author's statistics "Дополнительно" when given, and the charts.
PageLines SeriesPageLines(SeriesTables& tables, const LabelStore* authorStats = nullptr);

// "ExportAllies_" + time stamp + ".htm" in the program's folder.
std::string SeriesPagePath(std::string_view programFolder, const LocalDateTime& now);

// Writes the page file (windows-1251, CR LF) at the path, replacing a file there; throws
// KordexError when it cannot, leaving no partial file.
void SaveSeriesPage(SeriesTables& tables, const LabelStore* authorStats, const std::string& path);

// The button "Экспорт htm". An empty series shows "Таблица пуста." and gives nothing; otherwise
// the page is written under a time-stamped name in the program's folder, handed to the desktop
// to open, and its path returned. Conversion and write failures throw KordexError before
// anything is opened.
std::optional<std::string> ExportHTMLNew(SeriesTables& tables, const LabelStore* authorStats,
                                         std::string_view programFolder, Platform& platform);

}  // namespace kordex
