// A plug-in module for the dialog tests. It runs its dialogs through the
// host's ADM suites as the Orvelk plug-in runs its settings dialog: fills a
// popup from string resources, sets and limits a text, and paints its
// user-drawn items through the drawer's device context with GDI. Its
// notifications invalidate item 3, which the host then paints again.
#include "tests/standin/dialogs/drawing_module.h"

#include <cstdio>
#include <cstring>

#include "hostapi/adm_basic.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"
#include "platform/win_gdi.h"

namespace {

struct Suites {
    const ADMDialogSuite* dialog;
    const ADMItemSuite* item;
    const ADMListSuite* list;
    const ADMEntrySuite* entry;
    const ADMDrawerSuite* drawer;
    const ADMBasicSuite* basic;
};
Suites gSuites;
SPPluginRef gSelf = nullptr;
DrawingDialogMessage* gMessage = nullptr;
int gPaints = 0;

void Log(const char* format, int a, int b = 0) {
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    const size_t used = std::strlen(gMessage->log);
    std::snprintf(gMessage->log + used, sizeof gMessage->log - used, "%s; ", line);
}

int32_t SelectedIndex(ADMItemRef popup) {
    const ADMEntryRef active = gSuites.list->GetActiveEntry(gSuites.item->GetList(popup));
    return active != nullptr ? gSuites.entry->GetIndex(active) : -1;
}

ADMItemRef Item(ADMItemRef any, int32_t id) {
    return gSuites.dialog->GetItem(gSuites.item->GetDialog(any), id);
}

// Item 3: a black frame, a white inside, the mark of the popup's entry at
// (2, 2) to (5, 5), and a square that lies beyond the item's right edge.
void HOST_CALL DrawPreview(ADMItemRef item, ADMDrawerRef drawer) {
    ++gPaints;
    const HDC dc = reinterpret_cast<HDC>(gSuites.drawer->GetPortRef(drawer));
    gSuites.item->GetLocalRect(item, &gMessage->rect);
    const ADMRect& r = gMessage->rect;
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const HBRUSH mark = CreateSolidBrush(DrawingMarkColor(SelectedIndex(Item(item, 5))));
    RECT frame;
    SetRect(&frame, r.left, r.top, r.right, r.bottom);
    FrameRect(dc, &frame, black);
    InflateRect(&frame, -1, -1);
    FillRect(dc, &frame, white);
    RECT corner;
    SetRect(&corner, 2, 2, 5, 5);
    FillRect(dc, &corner, mark);
    RECT beyond;
    SetRect(&beyond, r.right, 0, r.right + 8, 8);
    FillRect(dc, &beyond, black);
    DeleteObject(black);
    DeleteObject(white);
    DeleteObject(mark);
    Log("paint %d", gSuites.item->GetID(item));
}

// Item 7, partly outside the dialog: filled red all over.
void HOST_CALL DrawOutside(ADMItemRef item, ADMDrawerRef drawer) {
    const HDC dc = reinterpret_cast<HDC>(gSuites.drawer->GetPortRef(drawer));
    ADMRect r;
    gSuites.item->GetLocalRect(item, &r);
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all;
    SetRect(&all, r.left, r.top, r.right, r.bottom);
    FillRect(dc, &all, red);
    DeleteObject(red);
    Log("paint %d", gSuites.item->GetID(item));
}

void HOST_CALL PopupChanged(ADMItemRef item, ADMNotifierRef) {
    Log("notify 5 %d (paints %d)", SelectedIndex(item), gPaints);
    gSuites.item->Invalidate(Item(item, 3));
}

void HOST_CALL TextChanged(ADMItemRef item, ADMNotifierRef) {
    char text[64];
    gSuites.item->GetText(item, text, sizeof text);
    Log("notify 13 %d", static_cast<int>(std::strlen(text)));
}

void HOST_CALL OkPressed(ADMItemRef item, ADMNotifierRef notifier) {
    Log("notify %d", gSuites.item->GetID(item));
    gSuites.item->DefaultNotify(item, notifier);
}

// Fills `list` with `count` entries, entry i from string `base` + i; a
// missing string leaves a disabled separator.
void FillList(ADMListRef list, int32_t base, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        char text[62];
        const bool read = gSuites.basic->GetIndexString(gSelf, base, i, text, sizeof text) == 0;
        const ADMEntryRef entry = gSuites.list->InsertEntry(list, i);
        if (read) gSuites.entry->SetText(entry, text);
        gSuites.entry->MakeSeparator(entry, read ? kASFalse : kASTrue);
        gSuites.entry->Enable(entry, read ? kASTrue : kASFalse);
    }
}

ASErr HOST_CALL InitSettings(ADMDialogRef dialog) {
    const ADMItemRef popup = gSuites.dialog->GetItem(dialog, 5);
    const ADMListRef list = gSuites.item->GetList(popup);
    FillList(list, 200, 4);
    gSuites.entry->Select(gSuites.list->IndexEntry(list, 1), kASTrue);
    const ADMItemRef text = gSuites.dialog->GetItem(dialog, 13);
    gSuites.item->SetText(text, "abc");
    gSuites.item->SetMaxTextLength(text, 8);
    // The information text's two lines, each ending in a carriage return.
    gSuites.item->SetText(gSuites.dialog->GetItem(dialog, 14),
                          "\x8d\xc5\x91\xe5\x95\xb6\x8e\x9a\x90\x94\x81\x46\x20\x31\x34\x95\xb6"
                          "\x8e\x9a\x0d\x90\x7d\x8c\x60\x83\x54\x83\x43\x83\x59\x81\x46\x20"
                          "\x31\x34\x2e\x35\x81\x7e\x31\x34\x2e\x35\x6d\x6d\x0d");
    gSuites.item->SetNotifyProc(gSuites.dialog->GetItem(dialog, 1), OkPressed);
    gSuites.item->SetNotifyProc(popup, PopupChanged);
    gSuites.item->SetNotifyProc(text, TextChanged);
    gSuites.item->SetDrawProc(gSuites.dialog->GetItem(dialog, 3), DrawPreview);
    gSuites.item->SetDrawProc(gSuites.dialog->GetItem(dialog, 7), DrawOutside);
    return 0;
}

template <typename Suite>
bool Acquire(const SPBasicSuite* basic, const char* name, int32_t version, const Suite** suite) {
    const void* found = nullptr;
    if (basic->AcquireSuite(name, version, &found) != 0) return false;
    *suite = static_cast<const Suite*>(found);
    return true;
}

ASErr RunDialog(DrawingDialogMessage* message) {
    const SPBasicSuite* basic = message->d.basic;
    if (!Acquire(basic, kADMDialogSuite, kADMDialogSuiteVersion, &gSuites.dialog) ||
        !Acquire(basic, kADMItemSuite, kADMItemSuiteVersion, &gSuites.item) ||
        !Acquire(basic, kADMListSuite, kADMListSuiteVersion, &gSuites.list) ||
        !Acquire(basic, kADMEntrySuite, kADMEntrySuiteVersion, &gSuites.entry) ||
        !Acquire(basic, kADMDrawerSuite, kADMDrawerSuiteVersion, &gSuites.drawer) ||
        !Acquire(basic, kADMBasicSuite, kADMBasicSuiteVersion, &gSuites.basic))
        return kSPSuiteNotFoundError;
    gSelf = message->d.self;
    gMessage = message;
    gPaints = 0;
    message->log[0] = '\0';
    message->result = gSuites.dialog->Modal(
        gSelf, nullptr, message->dialogId, kADMModalDialogStyle,
        message->dialogId == kDrawingSettingsDialog ? InitSettings : nullptr, nullptr, 0);
    gMessage = nullptr;
    return 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ASErr TestPluginMain(const char* caller,
                                                                       const char* selector,
                                                                       void* message) {
    auto* m = static_cast<SPMessageData*>(message);
    if (m->basic->IsEqual(caller, kDrawingCaller) &&
        m->basic->IsEqual(selector, kDrawingDialogSelector))
        return RunDialog(static_cast<DrawingDialogMessage*>(message));
    return 0;
}
