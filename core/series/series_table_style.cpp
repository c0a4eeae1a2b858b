#include "series/series_table_style.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "tables/cell_markers.h"
#include "text/number_format.h"

namespace kordex {

namespace {

constexpr int kOutcomeRow = 2;
constexpr int kFirstBodyRow = 3;
constexpr int kFirstBattleColumn = 2;

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// The background of an outcome cell by the words it contains, later words overriding
// earlier ones; nothing keeps the header's usual background (for example "Ошибка").
std::optional<Colour> OutcomeBackground(std::string_view text) {
    static const std::array<std::pair<std::string_view, Rgb>, 7> kOutcomes = {{
        {"Победа", Rgb{0, 255, 0}},
        {"Ничья", Rgb{255, 255, 0}},
        {"Поражение", Rgb{255, 0, 0}},
        {"Вышел", colours::kGrey},
        {"Ошибка чтения", colours::kGrey},
        {"Старая версия", colours::kGrey},
        {"Повтор", colours::kGrey},  // shown, not counted
    }};
    std::optional<Colour> background;
    for (const auto& [word, colour] : kOutcomes)
        if (Contains(text, word))
            background = colour;
    // Battle count and win rate of the total columns.
    if (Contains(text, "Боев") || Contains(text, "%"))
        background = SystemColour::ButtonFace;
    return background;
}

// A truth value as the marker texts write it; numbers count as well (0 is false).
std::optional<bool> ParseTruth(std::string_view text) {
    auto equalsIgnoringCase = [text](std::string_view word) {
        if (text.size() != word.size())
            return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (equalsIgnoringCase("true"))
        return true;
    if (equalsIgnoringCase("false"))
        return false;
    if (const auto number = ParseWholeNumber(text))
        return *number != 0;
    return std::nullopt;
}

// PaintMarkedCell: the alive marker's background and the extreme marker's text colour.
// False with the failure set when a marker cannot be read.
bool PaintMarkedCell(SeriesTable table, std::string_view text, CellStyle& style) {
    std::optional<Rgb> textColour = colours::kBlack;
    if (table != SeriesTable::Shots) {
        const auto extremeText = MarkerField(text, 1);
        const auto extreme = ParseWholeNumber(extremeText);
        if (!extreme) {
            style.failure = "\"" + std::string(extremeText) + "\" не является целым числом";
            return false;
        }
        textColour = ExtremeMarkerColour(*extreme);
    }
    const auto aliveText = MarkerField(text, 2);
    const auto alive = ParseTruth(aliveText);
    if (!alive) {
        style.failure = "\"" + std::string(aliveText) + "\" не является логическим значением";
        return false;
    }
    style.background = *alive ? colours::kLightGreen : colours::kLightRed;
    if (textColour)
        style.textColour = textColour;
    return true;
}

}  // namespace

SeriesColumn SeriesColumnOf(const TextGrid& grid, int column) {
    if (column == 0)
        return SeriesColumn::Names;
    if (column == 1)
        return SeriesColumn::Vehicles;
    const auto& title = grid.Cell(column, 0);
    if (title == "Суммарно")
        return SeriesColumn::Total;
    if (title == "В среднем")
        return SeriesColumn::Average;
    return SeriesColumn::Battle;
}

bool TotalsAtFront(const TextGrid& grid) {
    return SeriesColumnOf(grid, kFirstBattleColumn) == SeriesColumn::Total;
}

CellStyle SeriesTableCellStyle(SeriesTable table, SeriesColumn column, bool totalsAtFront, int row,
                               std::string_view text, int fontPixelHeight) {
    if (table == SeriesTable::Summary || text.empty())
        return {};
    CellStyle style;
    const bool summaryColumn = column == SeriesColumn::Total || column == SeriesColumn::Average;

    // Outcome colours of the battles (and of the totals' counts when they lead the table).
    if (row == kOutcomeRow &&
        (column == SeriesColumn::Battle || (summaryColumn && totalsAtFront))) {
        style.custom = true;
        style.background = OutcomeBackground(text);
        style.lines = {{std::string(text), 0, 0}};
    }

    // Marked body cells.
    const bool marked = text.find(';') != std::string_view::npos;
    if (row >= kFirstBodyRow && column != SeriesColumn::Names && column != SeriesColumn::Vehicles &&
        marked) {
        if (!PaintMarkedCell(table, text, style)) {
            CellStyle failed;  // the table's own drawing stays
            failed.failure = std::move(style.failure);
            return failed;
        }
        style.custom = true;
    }

    // Titles on the button face.
    if (row == 0) {
        style.custom = true;
        style.background.emplace(SystemColour::ButtonFace);
        style.lines = {{std::string(text), 2, 2}};
    }

    // A cell with ";" shows its value part; a title its time as a second line. The marker
    // fields of a body cell are never shown.
    if (marked) {
        style.custom = true;
        style.lines = {{std::string(ValuePart(text)), 2, 2}};
        if (row == 0)
            style.lines.push_back(
                {std::string(text.substr(text.find(';') + 1)), 3, 10 + fontPixelHeight});
    }
    return style;
}

CellStyle SeriesTableCellStyle(SeriesTable table, const TextGrid& grid, int column, int row) {
    return SeriesTableCellStyle(table, SeriesColumnOf(grid, column), TotalsAtFront(grid), row,
                                grid.Cell(column, row), grid.Font().pixelHeight);
}

}  // namespace kordex
