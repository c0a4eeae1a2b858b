#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_tables.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "tables/text_grid.h"
#include "text/number_format.h"

namespace kordex {

// Whether this build writes workbooks: the Windows cross-build has no libxlsxwriter, and its
// SaveSeriesWorkbook throws KordexError instead.
inline constexpr bool kWorkbookBuilt = KORDEX_WORKBOOK != 0;

// The workbook's file in the program's folder, replaced by each export.
inline constexpr std::string_view kWorkbookFileName = "table.xlsx";

// One worksheet cell: a number where the text reads as one, otherwise the text (empty text: a
// blank cell). A number whose text ends in a fractional zero ("0,30") carries the number format
// that shows those decimals, so the sheet shows what the table does.
struct WorksheetCell {
    std::string text;
    std::optional<double> number;
    std::string numberFormat{};  // empty: the sheet's general format
    // A battle's date and time ("27.05.2017 21:04" in the first row): a real date in the sheet.
    std::optional<LocalDateTime> date{};

    bool operator==(const WorksheetCell&) const = default;
};
using WorksheetCells = std::vector<std::vector<WorksheetCell>>;  // [row][column]

// The number a cell text stands for: a whole number, or a decimal with the locale's separator,
// written as the table writes numbers (no sign but "-", no leading zeros, at most 15 digits).
// Names such as "007" stay text.
std::optional<double> WorksheetNumber(std::string_view text, const NumberFormat& format);

// The date and time of a battle title "dd.mm.yyyy hh:mm"; nothing for any other text (a later
// battle of the same day shows only its time, which is no date).
std::optional<LocalDateTime> BattleTitleDate(std::string_view text);

// The table's full rectangle as worksheet cells: in the first row every ";" becomes a blank
// (a date and its time, then a real date); below it a marked cell gives its value part. Pair
// and shooting values are no numbers and stay text.
WorksheetCells GridToWorksheet(const TextGrid& table, const NumberFormat& format);

// The width of a sheet column that shows every text of the column whole, in the sheet's
// character units (Cyrillic letters count once, not by their bytes).
double FittedColumnWidth(const WorksheetCells& cells, std::size_t column);

// Writes the workbook of the sheets "Опыт", "Фраги", "Урон", "Поддержка", "Стрельба", "Итого"
// and the charts sheet "Графики", the first one active, replacing a file at the path. Columns
// are as wide as their texts, the header rows and the name column stay in view (frozen panes),
// and the summary ends with its last player. A failure throws KordexError and leaves no partial
// file.
void SaveSeriesWorkbook(const SeriesTables& tables, const std::string& path,
                        const NumberFormat& format);

// The button "Экспорт xls". An empty series shows "Таблица пуста." and gives nothing. Otherwise
// the tables' sort hints are emptied (in the window too), the workbook is written as
// "table.xlsx" in the program's folder and handed to the desktop's spreadsheet program, and
// its path returned. A write failure throws KordexError before anything is opened.
std::optional<std::string> ExportWorkbook(SeriesTables& tables, std::string_view programFolder,
                                          const NumberFormat& format, Platform& platform);

}  // namespace kordex
