#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kordex {

// The texts of the window's value labels, by label name. The window shows what stands here;
// the analyses write here and nowhere else.
class LabelStore {
  public:
    // Labels keep the place where they were first set, so a dump lists them in a stable order.
    void Set(std::string_view name, std::string text);
    // The label's text, or an empty text for a label never set.
    const std::string& Text(std::string_view name) const;
    bool Has(std::string_view name) const;

    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// The value labels of the personal panel (tab "Подробно"): left column, right column, then the
// four hidden ones.
const std::vector<std::string_view>& PersonalPanelLabels();
// The battle labels under the team tables (tab "Командные достижения").
const std::vector<std::string_view>& BattleLabels();
// The value labels of the replay author's statistics (tab "Дополнительно").
const std::vector<std::string_view>& AuthorStatsLabels();

// The zero state: "0" in the personal panel and the author's statistics, the battle labels
// empty. Runs at start-up and before every single analysis and series run.
void ZeroLables(LabelStore& labels);

}  // namespace kordex
