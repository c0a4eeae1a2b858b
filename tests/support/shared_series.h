#pragma once

#include <string>
#include <vector>

namespace kordex::test {

// Copies of real replays whose battles were watched to the end and carry their battle's id
// (by the shared folder's MANIFEST.tsv), written into the folder as 01.wotreplay, 02.wotreplay,
// ... so the run list keeps their order; at most count of them. Empty when the shared replays
// are absent. The copies may be moved by a run; the shared folder never is.
std::vector<std::string> CopySharedSeries(const std::string& folder, int count);

// The average text a series must show for sum / count: the quotient cut to two decimals by
// long division, with both decimals unless the quotient is whole, "0" when count is 0.
std::string ExpectedAverage(long long sum, long long count, char separator);

}  // namespace kordex::test
