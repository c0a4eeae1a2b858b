#include "replay/client_version.h"

#include <algorithm>

namespace kordex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Groups of digits from the start of the text, separated by points, commas and blanks; the
// first other character ends the version.
ClientTuple LeadingTuple(std::string_view text) {
    ClientTuple parts;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            long long part = 0;
            while (i < text.size() && IsDigit(text[i])) {
                part = std::min(part * 10 + (text[i] - '0'), 1'000'000LL);
                ++i;
            }
            parts.push_back(static_cast<int>(part));
        } else if (text[i] == '.' || text[i] == ',' || text[i] == ' ') {
            ++i;
        } else {
            break;
        }
    }
    return parts;
}

// The text after the first "v." that a digit follows; empty when there is none.
std::string_view AfterVersionMark(std::string_view title) {
    for (std::size_t at = title.find("v."); at != std::string_view::npos;
         at = title.find("v.", at + 1)) {
        if (at + 2 < title.size() && IsDigit(title[at + 2]))
            return title.substr(at + 2);
    }
    return {};
}

bool AllZero(const ClientTuple& client) {
    return std::all_of(client.begin(), client.end(), [](int part) { return part == 0; });
}

}  // namespace

ClientTuple ClientTupleOf(std::string_view versionTitle, std::string_view versionNumber) {
    ClientTuple client = LeadingTuple(AfterVersionMark(versionTitle));
    if (AllZero(client))
        client = LeadingTuple(versionNumber);
    if (AllZero(client))
        client.clear();
    return client;
}

bool ReachesClient(const ClientTuple& client, ClientTupleView first) {
    return !std::lexicographical_compare(client.begin(), client.end(), first.begin(), first.end());
}

bool IsNumberOrderedClient(const ClientTuple& client) {
    return !client.empty() && client < kFirstTupleOrderedClient;
}

std::string ClientTupleText(const ClientTuple& client) {
    if (client.empty())
        return "?";
    std::string text;
    for (int part : client)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    return text;
}

}  // namespace kordex
