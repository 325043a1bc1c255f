// The names of the slots of every suite the stand-in serves, as the host's
// tables name them, for the traps that fill the slots no plug-in of this
// project calls (slot_traps.h). Each name is held to its member's offset at
// compile time, so the tables follow the declarations of hostapi/.
#pragma once

#include <cstddef>

#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"
#include "hostapi/ai_filter.h"
#include "hostapi/ai_menu.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_document_view.h"
#include "hostapi/ai_art.h"
#include "hostapi/ai_path.h"
#include "hostapi/ai_path_style.h"
#include "hostapi/ai_runtime.h"
#include "hostapi/ai_user.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_basic.h"

namespace standin {

// One slot of a suite: its name and its index in the suite's table.
struct SuiteSlot {
    const char* name;
    size_t index;
};

// The slots of `Suite`, in order: SuiteSlots<Suite>::kSlots. The stand-in
// serves only suites that have them.
template <class Suite>
struct SuiteSlots;

// Whether `slots` name every slot of `Suite` in order.
template <class Suite, size_t N>
constexpr bool NamesEverySlot(const SuiteSlot (&slots)[N]) {
    if (N * sizeof(HostUnusedSlot) != sizeof(Suite)) return false;
    for (size_t i = 0; i < N; ++i)
        if (slots[i].index != i) return false;
    return true;
}

}  // namespace standin

// The slot of `member` in `Suite`, named as the member is.
#define STANDIN_SLOT(Suite, member) \
    ::standin::SuiteSlot { #member, offsetof(Suite, member) / sizeof(HostUnusedSlot) }

template <>
struct standin::SuiteSlots<SPBasicSuite> {
    static constexpr const char* kName = "SP Basic Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(SPBasicSuite, AcquireSuite),
        STANDIN_SLOT(SPBasicSuite, ReleaseSuite),
        STANDIN_SLOT(SPBasicSuite, IsEqual),
        STANDIN_SLOT(SPBasicSuite, AllocateBlock),
        STANDIN_SLOT(SPBasicSuite, FreeBlock),
        STANDIN_SLOT(SPBasicSuite, ReallocateBlock),
    };
};
static_assert(standin::NamesEverySlot<SPBasicSuite>(standin::SuiteSlots<SPBasicSuite>::kSlots));

template <>
struct standin::SuiteSlots<SPBlocksSuite> {
    static constexpr const char* kName = "SP Blocks Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(SPBlocksSuite, AllocateBlock),
        STANDIN_SLOT(SPBlocksSuite, FreeBlock),
        STANDIN_SLOT(SPBlocksSuite, ReallocateBlock),
    };
};
static_assert(standin::NamesEverySlot<SPBlocksSuite>(standin::SuiteSlots<SPBlocksSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIFilterSuite> {
    static constexpr const char* kName = "AI Filter Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIFilterSuite, AddFilter),
        STANDIN_SLOT(AIFilterSuite, GetFilterName),
        STANDIN_SLOT(AIFilterSuite, GetFilterOptions),
        STANDIN_SLOT(AIFilterSuite, SetFilterOptions),
        STANDIN_SLOT(AIFilterSuite, GetFilterParameters),
        STANDIN_SLOT(AIFilterSuite, SetFilterParameters),
        STANDIN_SLOT(AIFilterSuite, GetFilterMenuItem),
    };
};
static_assert(standin::NamesEverySlot<AIFilterSuite>(standin::SuiteSlots<AIFilterSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIMenuSuite> {
    static constexpr const char* kName = "AI Menu Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIMenuSuite, AddMenuItem),
        STANDIN_SLOT(AIMenuSuite, GetMenuItemName),
        STANDIN_SLOT(AIMenuSuite, GetMenuItemOptions),
        STANDIN_SLOT(AIMenuSuite, SetMenuItemOptions),
        STANDIN_SLOT(AIMenuSuite, GetMenuItemPlugin),
        STANDIN_SLOT(AIMenuSuite, CountMenuItems),
        STANDIN_SLOT(AIMenuSuite, GetNthMenuItem),
        STANDIN_SLOT(AIMenuSuite, GetPlatformMenuItem),
        STANDIN_SLOT(AIMenuSuite, UpdateMenuItemAutomatically),
    };
};
static_assert(standin::NamesEverySlot<AIMenuSuite>(standin::SuiteSlots<AIMenuSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIActionManagerSuite> {
    static constexpr const char* kName = "AI Action Manager Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIActionManagerSuite, RegisterActionEvent),
        STANDIN_SLOT(AIActionManagerSuite, IsActionEventRegistered),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventLocalizedName),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventVersion),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventFlag),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventCallbackProc),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventPluginRef),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventUserData),
        STANDIN_SLOT(AIActionManagerSuite, SetActionEventUserData),
        STANDIN_SLOT(AIActionManagerSuite, GetActionEventParamType),
        STANDIN_SLOT(AIActionManagerSuite, Idle),
        STANDIN_SLOT(AIActionManagerSuite, SetActionIdleProc),
        STANDIN_SLOT(AIActionManagerSuite, GetActionIdleProc),
        STANDIN_SLOT(AIActionManagerSuite, SetActionSetFolder),
        STANDIN_SLOT(AIActionManagerSuite, GetActionSetFolder),
        STANDIN_SLOT(AIActionManagerSuite, NewActionParamType),
        STANDIN_SLOT(AIActionManagerSuite, DeleteActionParamType),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetTypeKey),
        STANDIN_SLOT(AIActionManagerSuite, AIActionHasTypeKey),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetTypeCount),
        STANDIN_SLOT(AIActionManagerSuite, SetTypeKey),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetName),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetType),
        STANDIN_SLOT(AIActionManagerSuite, AIActionTypeIsShow),
        STANDIN_SLOT(AIActionManagerSuite, AcquirePalette),
        STANDIN_SLOT(AIActionManagerSuite, ReleasePalette),
        STANDIN_SLOT(AIActionManagerSuite, RecordActionEvent),
        STANDIN_SLOT(AIActionManagerSuite, PlayActionEvent),
        STANDIN_SLOT(AIActionManagerSuite, InRecordMode),
        STANDIN_SLOT(AIActionManagerSuite, InInsertMenuItemState),
        STANDIN_SLOT(AIActionManagerSuite, ActivateInsertMennuItemDialog),
        STANDIN_SLOT(AIActionManagerSuite, SetCurrentCommandLocalizedName),
        STANDIN_SLOT(AIActionManagerSuite, DoFunctionKey),
        STANDIN_SLOT(AIActionManagerSuite, NewActionParamValue),
        STANDIN_SLOT(AIActionManagerSuite, DeleteActionParamValue),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetValueKey),
        STANDIN_SLOT(AIActionManagerSuite, AIActionHasValueKey),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetValueCount),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetValueType),
        STANDIN_SLOT(AIActionManagerSuite, GetInteger),
        STANDIN_SLOT(AIActionManagerSuite, SetInteger),
        STANDIN_SLOT(AIActionManagerSuite, GetReal),
        STANDIN_SLOT(AIActionManagerSuite, SetReal),
        STANDIN_SLOT(AIActionManagerSuite, AIActionGetUnitReal),
        STANDIN_SLOT(AIActionManagerSuite, AIActionSetUnitReal),
        STANDIN_SLOT(AIActionManagerSuite, GetString),
        STANDIN_SLOT(AIActionManagerSuite, SetString),
    };
};
static_assert(standin::NamesEverySlot<AIActionManagerSuite>(standin::SuiteSlots<AIActionManagerSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIDocumentViewSuite> {
    static constexpr const char* kName = "AI Document View Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIDocumentViewSuite, GetDocumentViewBounds),
        STANDIN_SLOT(AIDocumentViewSuite, GetDocumentViewCenter),
    };
};
static_assert(standin::NamesEverySlot<AIDocumentViewSuite>(standin::SuiteSlots<AIDocumentViewSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIArtSuite> {
    static constexpr const char* kName = "AI Art Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIArtSuite, NewArt),
    };
};
static_assert(standin::NamesEverySlot<AIArtSuite>(standin::SuiteSlots<AIArtSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIPathSuite> {
    static constexpr const char* kName = "AI Path Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIPathSuite, GetPathSegmentCount),
        STANDIN_SLOT(AIPathSuite, SetPathSegmentCount),
        STANDIN_SLOT(AIPathSuite, GetPathSegments),
        STANDIN_SLOT(AIPathSuite, SetPathSegments),
        STANDIN_SLOT(AIPathSuite, InsertPathSegments),
        STANDIN_SLOT(AIPathSuite, DeletePathSegments),
        STANDIN_SLOT(AIPathSuite, GetPathClosed),
        STANDIN_SLOT(AIPathSuite, SetPathClosed),
    };
};
static_assert(standin::NamesEverySlot<AIPathSuite>(standin::SuiteSlots<AIPathSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIPathStyleSuite> {
    static constexpr const char* kName = "AI Path Style Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIPathStyleSuite, GetPathStyle),
        STANDIN_SLOT(AIPathStyleSuite, SetPathStyle),
    };
};
static_assert(standin::NamesEverySlot<AIPathStyleSuite>(standin::SuiteSlots<AIPathStyleSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIRuntimeSuite> {
    static constexpr const char* kName = "AI Runtime Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIRuntimeSuite, GetAppName),
        STANDIN_SLOT(AIRuntimeSuite, GetAppVersion),
        STANDIN_SLOT(AIRuntimeSuite, GetAppFileSpecification),
    };
};
static_assert(standin::NamesEverySlot<AIRuntimeSuite>(standin::SuiteSlots<AIRuntimeSuite>::kSlots));

template <>
struct standin::SuiteSlots<AIUserSuite> {
    static constexpr const char* kName = "AI User Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(AIUserSuite, Cancel),
        STANDIN_SLOT(AIUserSuite, UpdateProgress),
        STANDIN_SLOT(AIUserSuite, SetProgressText),
        STANDIN_SLOT(AIUserSuite, CloseProgress),
        STANDIN_SLOT(AIUserSuite, RealToString),
        STANDIN_SLOT(AIUserSuite, StringToReal),
    };
};
static_assert(standin::NamesEverySlot<AIUserSuite>(standin::SuiteSlots<AIUserSuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMDialogSuite> {
    static constexpr const char* kName = "ADM Dialog Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMDialogSuite, Create),
        STANDIN_SLOT(ADMDialogSuite, Modal),
        STANDIN_SLOT(ADMDialogSuite, PopupModal),
        STANDIN_SLOT(ADMDialogSuite, DisplayAsModal),
        STANDIN_SLOT(ADMDialogSuite, Destroy),
        STANDIN_SLOT(ADMDialogSuite, SetDrawProc),
        STANDIN_SLOT(ADMDialogSuite, GetDrawProc),
        STANDIN_SLOT(ADMDialogSuite, DefaultDraw),
        STANDIN_SLOT(ADMDialogSuite, SetTrackProc),
        STANDIN_SLOT(ADMDialogSuite, GetTrackProc),
        STANDIN_SLOT(ADMDialogSuite, DefaultTrack),
        STANDIN_SLOT(ADMDialogSuite, SetMask),
        STANDIN_SLOT(ADMDialogSuite, GetMask),
        STANDIN_SLOT(ADMDialogSuite, SetNotifyProc),
        STANDIN_SLOT(ADMDialogSuite, GetNotifyProc),
        STANDIN_SLOT(ADMDialogSuite, DefaultNotify),
        STANDIN_SLOT(ADMDialogSuite, SendNotify),
        STANDIN_SLOT(ADMDialogSuite, SetNotifierData),
        STANDIN_SLOT(ADMDialogSuite, GetNotifierData),
        STANDIN_SLOT(ADMDialogSuite, SetDestroyProc),
        STANDIN_SLOT(ADMDialogSuite, GetDestroyProc),
        STANDIN_SLOT(ADMDialogSuite, CreateTimer),
        STANDIN_SLOT(ADMDialogSuite, AbortTimer),
        STANDIN_SLOT(ADMDialogSuite, SetUserData),
        STANDIN_SLOT(ADMDialogSuite, GetUserData),
        STANDIN_SLOT(ADMDialogSuite, GetDialogName),
        STANDIN_SLOT(ADMDialogSuite, GetID),
        STANDIN_SLOT(ADMDialogSuite, GetPluginRef),
        STANDIN_SLOT(ADMDialogSuite, GetWindowRef),
        STANDIN_SLOT(ADMDialogSuite, SetDialogStyle),
        STANDIN_SLOT(ADMDialogSuite, GetDialogStyle),
        STANDIN_SLOT(ADMDialogSuite, Show),
        STANDIN_SLOT(ADMDialogSuite, IsVisible),
        STANDIN_SLOT(ADMDialogSuite, Enable),
        STANDIN_SLOT(ADMDialogSuite, IsEnabled),
        STANDIN_SLOT(ADMDialogSuite, Activate),
        STANDIN_SLOT(ADMDialogSuite, IsActive),
        STANDIN_SLOT(ADMDialogSuite, SetLocalRect),
        STANDIN_SLOT(ADMDialogSuite, GetLocalRect),
        STANDIN_SLOT(ADMDialogSuite, SetBoundsRect),
        STANDIN_SLOT(ADMDialogSuite, GetBoundsRect),
        STANDIN_SLOT(ADMDialogSuite, Move),
        STANDIN_SLOT(ADMDialogSuite, Size),
        STANDIN_SLOT(ADMDialogSuite, LocalToScreenPoint),
        STANDIN_SLOT(ADMDialogSuite, ScreenToLocalPoint),
        STANDIN_SLOT(ADMDialogSuite, LocalToScreenRect),
        STANDIN_SLOT(ADMDialogSuite, ScreenToLocalRect),
        STANDIN_SLOT(ADMDialogSuite, Invalidate),
        STANDIN_SLOT(ADMDialogSuite, InvalidateRect),
        STANDIN_SLOT(ADMDialogSuite, Update),
        STANDIN_SLOT(ADMDialogSuite, SetCursorID),
        STANDIN_SLOT(ADMDialogSuite, GetCursorID),
        STANDIN_SLOT(ADMDialogSuite, SetFont),
        STANDIN_SLOT(ADMDialogSuite, GetFont),
        STANDIN_SLOT(ADMDialogSuite, SetText),
        STANDIN_SLOT(ADMDialogSuite, GetText),
        STANDIN_SLOT(ADMDialogSuite, GetTextLength),
        STANDIN_SLOT(ADMDialogSuite, SetMinWidth),
        STANDIN_SLOT(ADMDialogSuite, GetMinWidth),
        STANDIN_SLOT(ADMDialogSuite, SetMinHeight),
        STANDIN_SLOT(ADMDialogSuite, GetMinHeight),
        STANDIN_SLOT(ADMDialogSuite, SetMaxWidth),
        STANDIN_SLOT(ADMDialogSuite, GetMaxWidth),
        STANDIN_SLOT(ADMDialogSuite, SetMaxHeight),
        STANDIN_SLOT(ADMDialogSuite, GetMaxHeight),
        STANDIN_SLOT(ADMDialogSuite, SetHorizontalIncrement),
        STANDIN_SLOT(ADMDialogSuite, GetHorizontalIncrement),
        STANDIN_SLOT(ADMDialogSuite, SetVerticalIncrement),
        STANDIN_SLOT(ADMDialogSuite, GetVerticalIncrement),
        STANDIN_SLOT(ADMDialogSuite, GetItem),
        STANDIN_SLOT(ADMDialogSuite, CreateItem),
        STANDIN_SLOT(ADMDialogSuite, DestroyItem),
        STANDIN_SLOT(ADMDialogSuite, GetNextItem),
        STANDIN_SLOT(ADMDialogSuite, GetPreviousItem),
        STANDIN_SLOT(ADMDialogSuite, SetDefaultItemID),
        STANDIN_SLOT(ADMDialogSuite, GetDefaultItemID),
        STANDIN_SLOT(ADMDialogSuite, SetCancelItemID),
        STANDIN_SLOT(ADMDialogSuite, GetCancelItemID),
        STANDIN_SLOT(ADMDialogSuite, EndModal),
    };
};
static_assert(standin::NamesEverySlot<ADMDialogSuite>(standin::SuiteSlots<ADMDialogSuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMItemSuite> {
    static constexpr const char* kName = "ADM Item Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMItemSuite, Create),
        STANDIN_SLOT(ADMItemSuite, Destroy),
        STANDIN_SLOT(ADMItemSuite, SetDrawProc),
        STANDIN_SLOT(ADMItemSuite, GetDrawProc),
        STANDIN_SLOT(ADMItemSuite, DefaultDraw),
        STANDIN_SLOT(ADMItemSuite, SetTrackProc),
        STANDIN_SLOT(ADMItemSuite, GetTrackProc),
        STANDIN_SLOT(ADMItemSuite, DefaultTrack),
        STANDIN_SLOT(ADMItemSuite, SetMask),
        STANDIN_SLOT(ADMItemSuite, GetMask),
        STANDIN_SLOT(ADMItemSuite, SetNotifyProc),
        STANDIN_SLOT(ADMItemSuite, GetNotifyProc),
        STANDIN_SLOT(ADMItemSuite, DefaultNotify),
        STANDIN_SLOT(ADMItemSuite, SendNotify),
        STANDIN_SLOT(ADMItemSuite, SetNotifierData),
        STANDIN_SLOT(ADMItemSuite, GetNotifierData),
        STANDIN_SLOT(ADMItemSuite, SetDestroyProc),
        STANDIN_SLOT(ADMItemSuite, GetDestroyProc),
        STANDIN_SLOT(ADMItemSuite, CreateTimer),
        STANDIN_SLOT(ADMItemSuite, AbortTimer),
        STANDIN_SLOT(ADMItemSuite, SetUserData),
        STANDIN_SLOT(ADMItemSuite, GetUserData),
        STANDIN_SLOT(ADMItemSuite, GetID),
        STANDIN_SLOT(ADMItemSuite, GetDialog),
        STANDIN_SLOT(ADMItemSuite, GetWindowRef),
        STANDIN_SLOT(ADMItemSuite, GetList),
        STANDIN_SLOT(ADMItemSuite, GetChildItem),
        STANDIN_SLOT(ADMItemSuite, SetPluginRef),
        STANDIN_SLOT(ADMItemSuite, GetPluginRef),
        STANDIN_SLOT(ADMItemSuite, SetItemType),
        STANDIN_SLOT(ADMItemSuite, GetItemType),
        STANDIN_SLOT(ADMItemSuite, SetItemStyle),
        STANDIN_SLOT(ADMItemSuite, GetItemStyle),
        STANDIN_SLOT(ADMItemSuite, Show),
        STANDIN_SLOT(ADMItemSuite, IsVisible),
        STANDIN_SLOT(ADMItemSuite, Enable),
        STANDIN_SLOT(ADMItemSuite, IsEnabled),
        STANDIN_SLOT(ADMItemSuite, Activate),
        STANDIN_SLOT(ADMItemSuite, IsActive),
        STANDIN_SLOT(ADMItemSuite, Known),
        STANDIN_SLOT(ADMItemSuite, IsKnown),
        STANDIN_SLOT(ADMItemSuite, SetLocalRect),
        STANDIN_SLOT(ADMItemSuite, GetLocalRect),
        STANDIN_SLOT(ADMItemSuite, SetBoundsRect),
        STANDIN_SLOT(ADMItemSuite, GetBoundsRect),
        STANDIN_SLOT(ADMItemSuite, GetBestSize),
        STANDIN_SLOT(ADMItemSuite, Move),
        STANDIN_SLOT(ADMItemSuite, Size),
        STANDIN_SLOT(ADMItemSuite, LocalToScreenPoint),
        STANDIN_SLOT(ADMItemSuite, ScreenToLocalPoint),
        STANDIN_SLOT(ADMItemSuite, LocalToScreenRect),
        STANDIN_SLOT(ADMItemSuite, ScreenToLocalRect),
        STANDIN_SLOT(ADMItemSuite, Invalidate),
        STANDIN_SLOT(ADMItemSuite, InvalidateRect),
        STANDIN_SLOT(ADMItemSuite, Update),
        STANDIN_SLOT(ADMItemSuite, SetCursorID),
        STANDIN_SLOT(ADMItemSuite, GetCursorID),
        STANDIN_SLOT(ADMItemSuite, SetPictureID),
        STANDIN_SLOT(ADMItemSuite, GetPictureID),
        STANDIN_SLOT(ADMItemSuite, SetSelectedPictureID),
        STANDIN_SLOT(ADMItemSuite, GetSelectedPictureID),
        STANDIN_SLOT(ADMItemSuite, SetDisabledPictureID),
        STANDIN_SLOT(ADMItemSuite, GetDisabledPictureID),
        STANDIN_SLOT(ADMItemSuite, SetTipString),
        STANDIN_SLOT(ADMItemSuite, SetTipStringW),
        STANDIN_SLOT(ADMItemSuite, GetTipString),
        STANDIN_SLOT(ADMItemSuite, GetTipStringW),
        STANDIN_SLOT(ADMItemSuite, GetTipStringLength),
        STANDIN_SLOT(ADMItemSuite, GetTipStringLengthW),
        STANDIN_SLOT(ADMItemSuite, EnableTip),
        STANDIN_SLOT(ADMItemSuite, IsTipEnabled),
        STANDIN_SLOT(ADMItemSuite, ShowToolTip),
        STANDIN_SLOT(ADMItemSuite, HideToolTip),
        STANDIN_SLOT(ADMItemSuite, SetFont),
        STANDIN_SLOT(ADMItemSuite, GetFont),
        STANDIN_SLOT(ADMItemSuite, SetText),
        STANDIN_SLOT(ADMItemSuite, SetTextW),
        STANDIN_SLOT(ADMItemSuite, GetText),
        STANDIN_SLOT(ADMItemSuite, GetTextW),
        STANDIN_SLOT(ADMItemSuite, GetTextLength),
        STANDIN_SLOT(ADMItemSuite, GetTextLengthW),
        STANDIN_SLOT(ADMItemSuite, SetMaxTextLength),
        STANDIN_SLOT(ADMItemSuite, GetMaxTextLength),
        STANDIN_SLOT(ADMItemSuite, SelectAll),
        STANDIN_SLOT(ADMItemSuite, SetSelectionRange),
        STANDIN_SLOT(ADMItemSuite, GetSelectionRange),
        STANDIN_SLOT(ADMItemSuite, SetJustify),
        STANDIN_SLOT(ADMItemSuite, GetJustify),
        STANDIN_SLOT(ADMItemSuite, SetUnits),
        STANDIN_SLOT(ADMItemSuite, GetUnits),
        STANDIN_SLOT(ADMItemSuite, SetPrecision),
        STANDIN_SLOT(ADMItemSuite, GetPrecision),
        STANDIN_SLOT(ADMItemSuite, SetBooleanValue),
        STANDIN_SLOT(ADMItemSuite, GetBooleanValue),
        STANDIN_SLOT(ADMItemSuite, SetIntValue),
        STANDIN_SLOT(ADMItemSuite, GetIntValue),
    };
};
static_assert(standin::NamesEverySlot<ADMItemSuite>(standin::SuiteSlots<ADMItemSuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMListSuite> {
    static constexpr const char* kName = "ADM List Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMListSuite, SetMenuID),
        STANDIN_SLOT(ADMListSuite, GetMenuID),
        STANDIN_SLOT(ADMListSuite, GetItem),
        STANDIN_SLOT(ADMListSuite, SetUserData),
        STANDIN_SLOT(ADMListSuite, GetUserData),
        STANDIN_SLOT(ADMListSuite, SetInitProc),
        STANDIN_SLOT(ADMListSuite, GetInitProc),
        STANDIN_SLOT(ADMListSuite, SetDrawProc),
        STANDIN_SLOT(ADMListSuite, GetDrawProc),
        STANDIN_SLOT(ADMListSuite, SetTrackProc),
        STANDIN_SLOT(ADMListSuite, GetTrackProc),
        STANDIN_SLOT(ADMListSuite, SetNotifyProc),
        STANDIN_SLOT(ADMListSuite, GetNotifyProc),
        STANDIN_SLOT(ADMListSuite, SetDestroyProc),
        STANDIN_SLOT(ADMListSuite, GetDestroyProc),
        STANDIN_SLOT(ADMListSuite, SetEntryWidth),
        STANDIN_SLOT(ADMListSuite, GetEntryWidth),
        STANDIN_SLOT(ADMListSuite, SetEntryHeight),
        STANDIN_SLOT(ADMListSuite, GetEntryHeight),
        STANDIN_SLOT(ADMListSuite, SetEntryTextRect),
        STANDIN_SLOT(ADMListSuite, GetEntryTextRect),
        STANDIN_SLOT(ADMListSuite, InsertEntry),
        STANDIN_SLOT(ADMListSuite, RemoveEntry),
        STANDIN_SLOT(ADMListSuite, GetEntry),
        STANDIN_SLOT(ADMListSuite, IndexEntry),
        STANDIN_SLOT(ADMListSuite, FindEntry),
        STANDIN_SLOT(ADMListSuite, PickEntry),
        STANDIN_SLOT(ADMListSuite, GetActiveEntry),
        STANDIN_SLOT(ADMListSuite, IndexSelectedEntry),
        STANDIN_SLOT(ADMListSuite, NumberOfEntries),
    };
};
static_assert(standin::NamesEverySlot<ADMListSuite>(standin::SuiteSlots<ADMListSuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMEntrySuite> {
    static constexpr const char* kName = "ADM Entry Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMEntrySuite, Create),
        STANDIN_SLOT(ADMEntrySuite, Destroy),
        STANDIN_SLOT(ADMEntrySuite, DefaultDraw),
        STANDIN_SLOT(ADMEntrySuite, DefaultTrack),
        STANDIN_SLOT(ADMEntrySuite, DefaultNotify),
        STANDIN_SLOT(ADMEntrySuite, SendNotify),
        STANDIN_SLOT(ADMEntrySuite, GetIndex),
        STANDIN_SLOT(ADMEntrySuite, GetList),
        STANDIN_SLOT(ADMEntrySuite, SetID),
        STANDIN_SLOT(ADMEntrySuite, GetID),
        STANDIN_SLOT(ADMEntrySuite, SetUserData),
        STANDIN_SLOT(ADMEntrySuite, GetUserData),
        STANDIN_SLOT(ADMEntrySuite, Select),
        STANDIN_SLOT(ADMEntrySuite, IsSelected),
        STANDIN_SLOT(ADMEntrySuite, MakeInBounds),
        STANDIN_SLOT(ADMEntrySuite, IsInBounds),
        STANDIN_SLOT(ADMEntrySuite, Enable),
        STANDIN_SLOT(ADMEntrySuite, IsEnabled),
        STANDIN_SLOT(ADMEntrySuite, Activate),
        STANDIN_SLOT(ADMEntrySuite, IsActive),
        STANDIN_SLOT(ADMEntrySuite, Check),
        STANDIN_SLOT(ADMEntrySuite, IsChecked),
        STANDIN_SLOT(ADMEntrySuite, MakeSeparator),
        STANDIN_SLOT(ADMEntrySuite, IsSeparator),
        STANDIN_SLOT(ADMEntrySuite, GetLocalRect),
        STANDIN_SLOT(ADMEntrySuite, GetBoundsRect),
        STANDIN_SLOT(ADMEntrySuite, LocalToScreenPoint),
        STANDIN_SLOT(ADMEntrySuite, ScreenToLocalPoint),
        STANDIN_SLOT(ADMEntrySuite, LocalToScreenRect),
        STANDIN_SLOT(ADMEntrySuite, ScreenToLocalRect),
        STANDIN_SLOT(ADMEntrySuite, Invalidate),
        STANDIN_SLOT(ADMEntrySuite, InvalidateRect),
        STANDIN_SLOT(ADMEntrySuite, Update),
        STANDIN_SLOT(ADMEntrySuite, SetPictureID),
        STANDIN_SLOT(ADMEntrySuite, GetPictureID),
        STANDIN_SLOT(ADMEntrySuite, SetSelectedPictureID),
        STANDIN_SLOT(ADMEntrySuite, GetSelectedPictureID),
        STANDIN_SLOT(ADMEntrySuite, SetDisabledPictureID),
        STANDIN_SLOT(ADMEntrySuite, GetDisabledPictureID),
        STANDIN_SLOT(ADMEntrySuite, SetText),
    };
};
static_assert(standin::NamesEverySlot<ADMEntrySuite>(standin::SuiteSlots<ADMEntrySuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMDrawerSuite> {
    static constexpr const char* kName = "ADM Drawer Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMDrawerSuite, GetPortRef),
    };
};
static_assert(standin::NamesEverySlot<ADMDrawerSuite>(standin::SuiteSlots<ADMDrawerSuite>::kSlots));

template <>
struct standin::SuiteSlots<ADMBasicSuite> {
    static constexpr const char* kName = "ADM Basic Suite";
    static constexpr SuiteSlot kSlots[] = {
        STANDIN_SLOT(ADMBasicSuite, GetIndexString),
        STANDIN_SLOT(ADMBasicSuite, Beep),
        STANDIN_SLOT(ADMBasicSuite, ErrorAlert),
        STANDIN_SLOT(ADMBasicSuite, MessageAlert),
    };
};
static_assert(standin::NamesEverySlot<ADMBasicSuite>(standin::SuiteSlots<ADMBasicSuite>::kSlots));

#undef STANDIN_SLOT
