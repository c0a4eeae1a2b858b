#include "single/single_end_text.h"

#include <gtest/gtest.h>

#include <set>

namespace kordex {
namespace {

// Every end but a whole battle tells the user in its own words what happened.
TEST(SingleEndStatusLine, EachFailureHasItsOwnLineAndASuccessNone) {
    EXPECT_EQ(SingleEndStatusLine(SingleEnd::Completed), "");
    const SingleEnd failures[] = {
        SingleEnd::DialogCancelled,       SingleEnd::OpenFailed,
        SingleEnd::HeaderFailed,          SingleEnd::OldVersion,
        SingleEnd::HeaderVehiclesNotJson, SingleEnd::Incomplete,
        SingleEnd::ResultsFailed,         SingleEnd::FragsOrPlayersFailed,
        SingleEnd::FinalVehiclesNotJson,
    };
    std::set<std::string> lines;
    for (SingleEnd end : failures) {
        const std::string line = SingleEndStatusLine(end);
        EXPECT_FALSE(line.empty()) << static_cast<int>(end);
        lines.insert(line);
    }
    EXPECT_EQ(lines.size(), std::size(failures));
    EXPECT_EQ(SingleEndStatusLine(SingleEnd::Incomplete),
              "Бой не досмотрен до конца: в реплее нет результатов боя.");
}

}  // namespace
}  // namespace kordex
