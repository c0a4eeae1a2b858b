#include "dump_format.h"

namespace kordex::cli {

std::string EscapeCell(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void WriteSection(std::ostream& out, std::string_view name) {
    out << "## " << name << '\n';
}

void WriteRecord(std::ostream& out, std::string_view key, std::string_view value) {
    out << EscapeCell(key) << '\t' << EscapeCell(value) << '\n';
}

void WriteRow(std::ostream& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out << '\t';
        // Most cells hold nothing to escape and go out as they are.
        if (cells[i].find_first_of("\\\t\r\n") == std::string::npos)
            out << cells[i];
        else
            out << EscapeCell(cells[i]);
    }
    out << '\n';
}

void WriteGrid(std::ostream& out, std::string_view name, const TextGrid& grid) {
    WriteSection(out, name);
    for (int row = 0; row < grid.RowCount(); ++row)
        WriteRow(out, grid.Row(row));
}

}  // namespace kordex::cli
