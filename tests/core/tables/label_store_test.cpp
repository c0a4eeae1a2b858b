#include "tables/label_store.h"

#include <gtest/gtest.h>

#include <set>

namespace kordex {
namespace {

TEST(ZeroLables, ResetsPanelBattleLabelsAndAuthorStatistics) {
    LabelStore labels;
    labels.Set("Label_xp", "1200 (x2)");
    labels.Set("Label_Map", "Малиновка, обычный");
    labels.Set("Label_m_exp", "5400");
    ZeroLables(labels);

    for (auto name : PersonalPanelLabels())
        EXPECT_EQ(labels.Text(name), "0") << name;
    for (auto name : AuthorStatsLabels())
        EXPECT_EQ(labels.Text(name), "0") << name;
    for (auto name : BattleLabels()) {
        EXPECT_TRUE(labels.Has(name)) << name;
        EXPECT_EQ(labels.Text(name), "") << name;
    }
    // Every label once: the panel's 28 visible and 4 hidden value labels, the five battle
    // labels and the 33 of the author's statistics.
    std::set<std::string> names;
    for (const auto& entry : labels.Entries())
        names.insert(entry.first);
    EXPECT_EQ(names.size(), 32u + 5u + 33u);
    EXPECT_EQ(labels.Entries().size(), names.size());
}

}  // namespace
}  // namespace kordex
