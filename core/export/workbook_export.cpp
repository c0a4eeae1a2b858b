#include "export/workbook_export.h"

#if KORDEX_WORKBOOK
#include <xlsxwriter.h>
#endif

#include <algorithm>
#include <map>
#include <memory>

#include "export/export_file.h"
#include "export/workbook_charts.h"
#include "platform/kordex_error.h"
#include "tables/cell_markers.h"

namespace kordex {

namespace {

// Beyond 15 significant digits a double no longer gives the same text back.
constexpr std::size_t kMaxNumberDigits = 15;

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string WorksheetText(std::string_view cell, bool firstRow) {
    if (cell.find(';') == std::string_view::npos)
        return std::string(cell);
    if (!firstRow)
        return std::string(ValuePart(cell));
    std::string text(cell);
    for (char& c : text) {
        if (c == ';')
            c = ' ';
    }
    return text;
}

// The number format that shows a number's decimals as its text does, where the general
// format would drop a trailing zero ("0,30" would show as 0,3); empty otherwise.
std::string DecimalsFormat(std::string_view text, const NumberFormat& format) {
    const auto separator = text.find(format.decimalSeparator);
    if (separator == std::string_view::npos || !text.ends_with('0'))
        return {};
    return "0." + std::string(text.size() - separator - 1, '0');
}

// Beyond this a column would push the others out of sight.
constexpr double kMaxColumnWidth = 60;

#if KORDEX_WORKBOOK
struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const {
        // Only reached when an error cut the writing short; the file is discarded anyway.
        workbook_close(workbook);
    }
};

[[noreturn]] void FailSheet(std::string_view sheet, lxw_error error) {
    throw KordexError("Не удалось записать лист \"" + std::string(sheet) +
                      "\": " + lxw_strerror(error));
}

// One cell format per number format, shared by the sheets of the workbook.
using NumberFormats = std::map<std::string, lxw_format*>;

lxw_format* CellFormat(lxw_workbook* workbook, NumberFormats& formats, const std::string& code) {
    if (code.empty())
        return nullptr;
    auto& cellFormat = formats[code];
    if (cellFormat == nullptr) {
        cellFormat = workbook_add_format(workbook);
        if (cellFormat == nullptr)
            throw KordexError("Не удалось создать формат ячеек \"" + code + "\".");
        format_set_num_format(cellFormat, code.c_str());
    }
    return cellFormat;
}

constexpr const char* kDateFormat = "dd.mm.yyyy hh:mm";

lxw_worksheet* AddWorksheet(lxw_workbook* workbook, std::string_view name) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, std::string(name).c_str());
    if (sheet == nullptr)
        throw KordexError("Не удалось создать лист \"" + std::string(name) + "\".");
    return sheet;
}

void WriteCells(lxw_workbook* workbook, lxw_worksheet* sheet, std::string_view name,
                const WorksheetCells& cells, NumberFormats& formats) {
    for (std::size_t row = 0; row < cells.size(); ++row) {
        for (std::size_t column = 0; column < cells[row].size(); ++column) {
            const auto& cell = cells[row][column];
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(column);
            lxw_error error = LXW_NO_ERROR;
            if (cell.date) {
                lxw_datetime date{cell.date->year, cell.date->month,  cell.date->day,
                                  cell.date->hour, cell.date->minute, 0};
                error = worksheet_write_datetime(sheet, r, c, &date,
                                                 CellFormat(workbook, formats, kDateFormat));
            } else if (cell.number) {
                error = worksheet_write_number(sheet, r, c, *cell.number,
                                               CellFormat(workbook, formats, cell.numberFormat));
            } else if (!cell.text.empty()) {
                error = worksheet_write_string(sheet, r, c, cell.text.c_str(), nullptr);
            }
            if (error != LXW_NO_ERROR)
                FailSheet(name, error);
        }
    }
}

// Every column as wide as its widest text.
void FitColumns(lxw_worksheet* sheet, std::string_view name, const WorksheetCells& cells) {
    const std::size_t columns = cells.empty() ? 0 : cells.front().size();
    for (std::size_t column = 0; column < columns; ++column) {
        const auto c = static_cast<lxw_col_t>(column);
        const lxw_error error =
            worksheet_set_column(sheet, c, c, FittedColumnWidth(cells, column), nullptr);
        if (error != LXW_NO_ERROR)
            FailSheet(name, error);
    }
}

// The header rows and the name column stay in view while the sheet scrolls.
void FreezeHeader(lxw_worksheet* sheet, const TextGrid& table) {
    worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(table.FixedRows()),
                           static_cast<lxw_col_t>(table.FixedColumns()));
}

// The summary's rows end with its last player: the grid keeps empty rows below them.
WorksheetCells WithoutTrailingEmptyRows(WorksheetCells cells) {
    auto empty = [](const std::vector<WorksheetCell>& row) {
        return std::all_of(row.begin(), row.end(),
                           [](const WorksheetCell& cell) { return cell.text.empty(); });
    };
    while (!cells.empty() && empty(cells.back()))
        cells.pop_back();
    return cells;
}

void FillWorksheet(lxw_workbook* workbook, std::string_view name, const TextGrid& table,
                   const NumberFormat& format, NumberFormats& formats, bool dropEmptyRows) {
    lxw_worksheet* sheet = AddWorksheet(workbook, name);
    WorksheetCells cells = GridToWorksheet(table, format);
    if (dropEmptyRows)
        cells = WithoutTrailingEmptyRows(std::move(cells));
    WriteCells(workbook, sheet, name, cells, formats);
    FitColumns(sheet, name, cells);
    FreezeHeader(sheet, table);
}
#endif

}  // namespace

std::optional<double> WorksheetNumber(std::string_view text, const NumberFormat& format) {
    std::string_view digits = text;
    if (digits.starts_with('-'))
        digits.remove_prefix(1);
    const auto separator = digits.find(format.decimalSeparator);
    const std::string_view whole = digits.substr(0, separator);
    if (!IsDigits(whole) || (whole.size() > 1 && whole.front() == '0'))
        return std::nullopt;
    std::size_t count = whole.size();
    if (separator != std::string_view::npos) {
        const std::string_view fraction = digits.substr(separator + 1);
        if (!IsDigits(fraction))
            return std::nullopt;
        count += fraction.size();
    } else if (text.starts_with('-') && whole == "0") {
        return std::nullopt;  // "-0" would show as 0
    }
    if (count > kMaxNumberDigits)
        return std::nullopt;
    return ParseLocaleNumber(text, format);
}

std::optional<LocalDateTime> BattleTitleDate(std::string_view text) {
    // dd.mm.yyyy hh:mm
    static constexpr std::string_view kShape = "00.00.0000 00:00";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i])
            return std::nullopt;
    }
    auto number = [text](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const LocalDateTime date{number(6, 4),  number(3, 2),  number(0, 2),
                             number(11, 2), number(14, 2), 0};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 || date.year < 1900 ||
        date.hour > 23 || date.minute > 59)
        return std::nullopt;
    return date;
}

WorksheetCells GridToWorksheet(const TextGrid& table, const NumberFormat& format) {
    WorksheetCells cells(table.RowCount());
    for (int row = 0; row < table.RowCount(); ++row) {
        cells[row].reserve(table.ColumnCount());
        for (int column = 0; column < table.ColumnCount(); ++column) {
            std::string text = WorksheetText(table.Cell(column, row), row == 0);
            auto number = WorksheetNumber(text, format);
            std::string numberFormat = number ? DecimalsFormat(text, format) : std::string();
            auto date = row == 0 ? BattleTitleDate(text) : std::nullopt;
            cells[row].push_back({std::move(text), number, std::move(numberFormat), date});
        }
    }
    return cells;
}

double FittedColumnWidth(const WorksheetCells& cells, std::size_t column) {
    std::size_t widest = 0;
    for (const auto& row : cells) {
        if (column >= row.size())
            continue;
        const std::string& text = row[column].text;
        // Characters, not bytes: continuation bytes of UTF-8 do not count.
        const auto characters = static_cast<std::size_t>(
            std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        widest = std::max(widest, characters);
    }
    return std::min(kMaxColumnWidth, static_cast<double>(widest) + 2);
}

#if KORDEX_WORKBOOK
void SaveSeriesWorkbook(const SeriesTables& tables, const std::string& path,
                        const NumberFormat& format) {
    const std::pair<const TextGrid*, std::string_view> sheets[] = {
        {&tables.SeriesGridExp, "Опыт"},       {&tables.SeriesGridFrags, "Фраги"},
        {&tables.SeriesGridDamage, "Урон"},    {&tables.SeriesGridSupport, "Поддержка"},
        {&tables.SeriesGridShots, "Стрельба"}, {&tables.SeriesGridSummary, "Итого"},
    };
    // The library writes only to a path of its own; the file is then replaced like any other.
    const std::string bytes = BytesWrittenToScratch(path, [&](const std::string& scratchPath) {
        std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(scratchPath.c_str()));
        if (!workbook)
            return false;
        NumberFormats formats;
        for (const auto& [table, name] : sheets)
            FillWorksheet(workbook.get(), name, *table, format, formats,
                          table == &tables.SeriesGridSummary);
        AddChartsSheet(workbook.get(),
                       BuildSeriesCharts(tables.SeriesGridExp, tables.SeriesGridDamage),
                       tables.SeriesGridExp);
        worksheet_activate(workbook_get_worksheet_by_name(workbook.get(), "Опыт"));
        const lxw_error error = workbook_close(workbook.release());
        if (error != LXW_NO_ERROR)
            throw KordexError("Не удалось записать файл \"" + path + "\": " + lxw_strerror(error));
        return true;
    });
    WriteFileReplacing(path, bytes);
}
#else
void SaveSeriesWorkbook(const SeriesTables&, const std::string&, const NumberFormat&) {
    throw KordexError("Экспорт в xlsx в эту сборку не входит.");
}
#endif

std::optional<std::string> ExportWorkbook(SeriesTables& tables, std::string_view programFolder,
                                          const NumberFormat& format, Platform& platform) {
    if (IsSeriesEmpty(tables.SeriesGridExp)) {
        platform.desktop.ShowMessage(std::string(kEmptyTableMessage));
        return std::nullopt;
    }
    for (TextGrid* table : tables.SeriesGrids())
        ClearSortHint(*table);
    const std::string path = ProgramFilePath(programFolder, kWorkbookFileName);
    SaveSeriesWorkbook(tables, path, format);
    platform.desktop.Open(path);
    return path;
}

}  // namespace kordex
