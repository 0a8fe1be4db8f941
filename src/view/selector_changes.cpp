#include "view/selector_changes.h"

#include "view/diary_selectors.h"
#include "view/diary_state.h"

// The analysis and line-graph choices themselves come with the BMI chart and
// the line graph; until then a selection changes nothing.
void OnSelectorChange(HWND, int) {}

void RestoreSelectors(HWND) {
    EnableSelector(kAnalysisModeSelectorId, true);
    EnableSelector(kGraphItem1SelectorId, true);
    EnableSelector(kGraphItem2SelectorId, true);
}
