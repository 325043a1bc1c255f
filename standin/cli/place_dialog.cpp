#include "standin/cli/place_dialog.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "standin/app/transcript_text.h"
#include "standin/cli/options.h"

using standin::UserStep;

bool ParseCellSize(const char* text, int32_t* entry) {
    double value = 0;
    if (!ParseDoubleInRange(text, 0.0, 100.0, &value)) return false;
    for (int32_t i = 0; i < kModuleSizeIndexCount; ++i) {
        // Read as a double: "0.2" and "0.20" are the entry's own number.
        if (value == kModuleSizesMillimetres[i]) {
            *entry = i;
            return true;
        }
    }
    return false;
}

std::string CellSizeList() {
    std::string list;
    for (double size : kModuleSizesMillimetres) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%.2f", size);
        list.append(list.empty() ? "" : ", ").append(entry);
    }
    return list;
}

UserStep SelectStep(int32_t item, int32_t entry) {
    UserStep step;
    step.action = UserStep::Action::kSelect;
    step.item = item;
    step.index = entry;
    return step;
}

UserStep TypeTextStep(const std::string& text) {
    UserStep step;
    step.action = UserStep::Action::kType;
    step.item = kTextItem;
    step.text = text;
    return step;
}

UserStep PressStep(int32_t item) {
    UserStep step;
    step.action = UserStep::Action::kPress;
    step.item = item;
    return step;
}

namespace {

// Whether `step` ends the settings dialog.
bool EndsDialog(const UserStep& step) {
    return step.action == UserStep::Action::kClose ||
           (step.action == UserStep::Action::kPress &&
            (step.item == kOkItem || step.item == kCancelItem));
}

}  // namespace

std::vector<UserStep> DialogSteps(const DialogChoices& choices, const std::vector<UserStep>& extra,
                                  bool cancel) {
    std::vector<UserStep> steps;
    const std::pair<int32_t, int32_t> popups[] = {
        {kLevelPopupItem, choices.level}, {kVersionPopupItem, choices.version},
        {kModePopupItem, choices.mode},   {kCellSizePopupItem, choices.cell},
        {kMaskPopupItem, choices.mask},
    };
    for (const auto& [item, entry] : popups)
        if (entry >= 0) steps.push_back(SelectStep(item, entry));
    if (choices.typeText) steps.push_back(TypeTextStep(choices.text));
    bool ended = false;
    for (const UserStep& step : extra) {
        steps.push_back(step);
        ended = ended || EndsDialog(step);
    }
    if (!ended) steps.push_back(PressStep(cancel ? kCancelItem : kOkItem));
    return steps;
}

std::string ClosedDialogText(const standin::DialogSnapshot& snapshot) {
    assert(snapshot.dialogId != 0);
    std::string text = snapshot.plugin.empty() ? std::string() : snapshot.plugin + ": ";
    text.append("dialog \"");
    text.append(standin::IndentedLines(snapshot.title, 4)).append("\" closed with ");
    const standin::SnapshotItem* closer = standin::FindSnapshotItem(snapshot, snapshot.result);
    if (closer != nullptr && !closer->text.empty())
        text.append("[").append(standin::IndentedLines(closer->text, 4)).append("]\n");
    else
        text.append("result ").append(std::to_string(snapshot.result)).append("\n");
    if (const standin::SnapshotItem* info = standin::FindSnapshotItem(snapshot, kInfoTextItem)) {
        std::string label = "    item ";
        label.append(std::to_string(kInfoTextItem)).append(": ");
        text.append(label)
            .append(standin::IndentedLines(info->text, static_cast<int>(label.size())))
            .append("\n");
    }
    if (const standin::SnapshotItem* preview = standin::FindSnapshotItem(snapshot, kPreviewItem)) {
        const ADMRect& r = preview->rect;
        char line[160];
        std::snprintf(line, sizeof line, "    item %d: (%d, %d)-(%d, %d), %d x %d pixels\n",
                      static_cast<int>(kPreviewItem), r.left, r.top, r.right, r.bottom,
                      r.right - r.left, r.bottom - r.top);
        text.append(line);
    }
    return text;
}
