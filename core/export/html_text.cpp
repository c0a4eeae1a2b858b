#include "export/html_text.h"

#include "text/windows1251.h"

namespace kordex {

void AppendPageStart(PageLines& lines, std::initializer_list<std::string_view> headLines) {
    lines.insert(
        lines.end(),
        {
            "<html>",
            "<head>",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
        });
    for (std::string_view line : headLines)
        lines.emplace_back(line);
    lines.insert(lines.end(), {"<title>Kordex</title>", "<style type=\"text/css\">"});
}

void AppendCellStyles(PageLines& lines) {
    lines.insert(lines.end(), {
                                  "a:link\t{\ttext-decoration: none;}",
                                  ".grayed \t{ background-color:#D2D2D2 }",
                                  ".win\t\t{ background-color:#00FF00 }",
                                  ".standoff \t{ background-color:#FFFF00 }",
                                  ".defeat \t{ background-color:#FF0000 }",
                                  ".even\t\t{ background-color:#EEEEDD }",
                                  ".odd\t\t{ background-color:#DDDDC8 }",
                                  ".survived\t{ background-color:#D8FFD8 }",
                                  ".died\t\t{ background-color:#FFD8D8 }",
                                  "p,td \t\t{ font-weight:bold }",
                                  ".min\t\t{ color:#FF0000 }",
                                  ".max\t\t{ color:#008000 }",
                              });
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string PercentEncodeAddressPart(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = byte >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (kept) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string PageFileBytes(const PageLines& lines) {
    const auto reference = [](char32_t c) {
        return "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    };
    std::string bytes;
    for (const auto& line : lines) {
        bytes += Utf8ToWindows1251(line, reference);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace kordex
