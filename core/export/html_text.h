#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kordex {

// An exported page as the list of its lines, in UTF-8, without line ends.
using PageLines = std::vector<std::string>;

// The page's first lines, up to and including the opening of its style sheet; the given head
// lines follow the content type.
void AppendPageStart(PageLines& lines, std::initializer_list<std::string_view> headLines = {});
// The style rules both pages share: links, outcome, row parity, survival and extreme classes.
void AppendCellStyles(PageLines& lines);

// Text from replays and tanks.ini as element content or attribute value: &, <, > and " become
// character references, so a name can never open markup.
std::string EscapeHtml(std::string_view text);

// A name or id placed into a link address: every ASCII character other than letters, digits
// and "-._~" becomes %XX, so it can neither end the attribute nor change the address's parts.
// Characters beyond ASCII stay as they are.
std::string PercentEncodeAddressPart(std::string_view text);

// The bytes of the page file: windows-1251, as the pages declare, each line ended by CR LF.
// A character windows-1251 lacks is written as a numeric character reference (&#N;), so the
// browser still shows it.
std::string PageFileBytes(const PageLines& lines);

}  // namespace kordex
