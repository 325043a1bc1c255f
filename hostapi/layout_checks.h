// The host's documented layout, held at compile time: every slot of every
// suite the plug-in calls (slots do not depend on the pointer size, so in
// every build), and, where pointers are 4 bytes as on the host's 32-bit
// Windows (and on i386 with the same packing), every record's size and every
// field's offset and size, and the sizes of the scalar types.
//
// Included by one source file of the plug-in and one of the stand-in, so that
// neither side builds against another layout.
#pragma once

#include <cstddef>

#include "hostapi/adm_basic.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"
#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_art.h"
#include "hostapi/ai_document_view.h"
#include "hostapi/ai_filter.h"
#include "hostapi/ai_menu.h"
#include "hostapi/ai_path.h"
#include "hostapi/ai_path_style.h"
#include "hostapi/ai_runtime.h"
#include "hostapi/ai_user.h"
#include "hostapi/host_types.h"
#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"

// `member` of `suite` is slot `slot` of the host's table.
#define HOSTAPI_SLOT(suite, member, slot)                                  \
    static_assert(offsetof(suite, member) == (slot) * sizeof(void (*)()), \
                  #suite "::" #member " is slot " #slot " of the host's table")
// `suite` declares slots 0 to `last` and no more.
#define HOSTAPI_SLOTS(suite, last)                                          \
    static_assert(sizeof(suite) == ((last) + 1) * sizeof(void (*)()),      \
                  #suite " declares the host's slots up to " #last " alone")

// "SP Basic Suite": 7 entries in the host's table.
HOSTAPI_SLOT(SPBasicSuite, AcquireSuite, 0);
HOSTAPI_SLOT(SPBasicSuite, ReleaseSuite, 1);
HOSTAPI_SLOT(SPBasicSuite, IsEqual, 2);
HOSTAPI_SLOT(SPBasicSuite, AllocateBlock, 3);
HOSTAPI_SLOT(SPBasicSuite, FreeBlock, 4);
HOSTAPI_SLOT(SPBasicSuite, ReallocateBlock, 5);
HOSTAPI_SLOTS(SPBasicSuite, 5);

// "SP Blocks Suite" version 2: 3 entries in the host's table.
HOSTAPI_SLOT(SPBlocksSuite, AllocateBlock, 0);
HOSTAPI_SLOT(SPBlocksSuite, FreeBlock, 1);
HOSTAPI_SLOT(SPBlocksSuite, ReallocateBlock, 2);
HOSTAPI_SLOTS(SPBlocksSuite, 2);

// "AI Filter Suite" version 2: 10 entries in the host's table.
HOSTAPI_SLOT(AIFilterSuite, AddFilter, 0);
HOSTAPI_SLOT(AIFilterSuite, GetFilterMenuItem, 6);
HOSTAPI_SLOTS(AIFilterSuite, 6);

// "AI Menu Suite" version 7: 34 entries in the host's table.
HOSTAPI_SLOT(AIMenuSuite, UpdateMenuItemAutomatically, 8);
HOSTAPI_SLOTS(AIMenuSuite, 8);

// "AI Action Manager Suite" version 2: 59 entries in the host's table.
HOSTAPI_SLOT(AIActionManagerSuite, RegisterActionEvent, 0);
HOSTAPI_SLOT(AIActionManagerSuite, NewActionParamType, 15);
HOSTAPI_SLOT(AIActionManagerSuite, DeleteActionParamType, 16);
HOSTAPI_SLOT(AIActionManagerSuite, SetTypeKey, 20);
HOSTAPI_SLOT(AIActionManagerSuite, RecordActionEvent, 26);
HOSTAPI_SLOT(AIActionManagerSuite, InRecordMode, 28);
HOSTAPI_SLOT(AIActionManagerSuite, NewActionParamValue, 33);
HOSTAPI_SLOT(AIActionManagerSuite, DeleteActionParamValue, 34);
HOSTAPI_SLOT(AIActionManagerSuite, GetInteger, 39);
HOSTAPI_SLOT(AIActionManagerSuite, SetInteger, 40);
HOSTAPI_SLOT(AIActionManagerSuite, GetReal, 41);
HOSTAPI_SLOT(AIActionManagerSuite, SetReal, 42);
HOSTAPI_SLOT(AIActionManagerSuite, GetString, 45);
HOSTAPI_SLOT(AIActionManagerSuite, SetString, 46);
HOSTAPI_SLOTS(AIActionManagerSuite, 46);

// "AI Document View Suite" version 7: 27 entries in the host's table.
HOSTAPI_SLOT(AIDocumentViewSuite, GetDocumentViewCenter, 1);
HOSTAPI_SLOTS(AIDocumentViewSuite, 1);

// "AI Art Suite" version 10: 46 entries in the host's table.
HOSTAPI_SLOT(AIArtSuite, NewArt, 0);
HOSTAPI_SLOTS(AIArtSuite, 0);

// "AI Path Suite" version 5: 21 entries in the host's table.
HOSTAPI_SLOT(AIPathSuite, SetPathSegments, 3);
HOSTAPI_SLOT(AIPathSuite, SetPathClosed, 7);
HOSTAPI_SLOTS(AIPathSuite, 7);

// "AI Path Style Suite" version 5: 21 entries in the host's table.
HOSTAPI_SLOT(AIPathStyleSuite, SetPathStyle, 1);
HOSTAPI_SLOTS(AIPathStyleSuite, 1);

// "AI Runtime Suite" version 7: 12 entries in the host's table.
HOSTAPI_SLOT(AIRuntimeSuite, GetAppFileSpecification, 2);
HOSTAPI_SLOTS(AIRuntimeSuite, 2);

// "AI User Suite" version 6: 37 entries in the host's table.
HOSTAPI_SLOT(AIUserSuite, RealToString, 4);
HOSTAPI_SLOT(AIUserSuite, StringToReal, 5);
HOSTAPI_SLOTS(AIUserSuite, 5);

// "ADM Dialog Suite" version 5: 90 entries in the host's table.
HOSTAPI_SLOT(ADMDialogSuite, Modal, 1);
HOSTAPI_SLOT(ADMDialogSuite, SetUserData, 23);
HOSTAPI_SLOT(ADMDialogSuite, GetUserData, 24);
HOSTAPI_SLOT(ADMDialogSuite, GetItem, 69);
HOSTAPI_SLOT(ADMDialogSuite, EndModal, 78);
HOSTAPI_SLOTS(ADMDialogSuite, 78);

// "ADM Item Suite" version 7: 159 entries in the host's table.
HOSTAPI_SLOT(ADMItemSuite, SetDrawProc, 2);
HOSTAPI_SLOT(ADMItemSuite, DefaultDraw, 4);
HOSTAPI_SLOT(ADMItemSuite, SetNotifyProc, 10);
HOSTAPI_SLOT(ADMItemSuite, DefaultNotify, 12);
HOSTAPI_SLOT(ADMItemSuite, SetUserData, 20);
HOSTAPI_SLOT(ADMItemSuite, GetUserData, 21);
HOSTAPI_SLOT(ADMItemSuite, GetID, 22);
HOSTAPI_SLOT(ADMItemSuite, GetDialog, 23);
HOSTAPI_SLOT(ADMItemSuite, GetList, 25);
HOSTAPI_SLOT(ADMItemSuite, GetLocalRect, 42);
HOSTAPI_SLOT(ADMItemSuite, Invalidate, 52);
HOSTAPI_SLOT(ADMItemSuite, SetText, 75);
HOSTAPI_SLOT(ADMItemSuite, GetText, 77);
HOSTAPI_SLOT(ADMItemSuite, GetTextLength, 79);
HOSTAPI_SLOT(ADMItemSuite, SetMaxTextLength, 81);
HOSTAPI_SLOT(ADMItemSuite, SetIntValue, 94);
HOSTAPI_SLOT(ADMItemSuite, GetIntValue, 95);
HOSTAPI_SLOTS(ADMItemSuite, 95);

// "ADM List Suite" version 1: 35 entries in the host's table.
HOSTAPI_SLOT(ADMListSuite, InsertEntry, 21);
HOSTAPI_SLOT(ADMListSuite, IndexEntry, 24);
HOSTAPI_SLOT(ADMListSuite, GetActiveEntry, 27);
HOSTAPI_SLOT(ADMListSuite, NumberOfEntries, 29);
HOSTAPI_SLOTS(ADMListSuite, 29);

// "ADM Entry Suite" version 2: 44 entries in the host's table.
HOSTAPI_SLOT(ADMEntrySuite, GetIndex, 6);
HOSTAPI_SLOT(ADMEntrySuite, Select, 12);
HOSTAPI_SLOT(ADMEntrySuite, IsSelected, 13);
HOSTAPI_SLOT(ADMEntrySuite, Enable, 16);
HOSTAPI_SLOT(ADMEntrySuite, MakeSeparator, 22);
HOSTAPI_SLOT(ADMEntrySuite, SetText, 39);
HOSTAPI_SLOTS(ADMEntrySuite, 39);

// "ADM Drawer Suite" version 3: 63 entries in the host's table.
HOSTAPI_SLOT(ADMDrawerSuite, GetPortRef, 0);
HOSTAPI_SLOTS(ADMDrawerSuite, 0);

// "ADM Basic Suite" version 2: 25 entries in the host's table.
HOSTAPI_SLOT(ADMBasicSuite, GetIndexString, 0);
HOSTAPI_SLOT(ADMBasicSuite, MessageAlert, 3);
HOSTAPI_SLOTS(ADMBasicSuite, 3);

#if (defined(_WIN32) && !defined(_WIN64)) || defined(__i386__)
static_assert(sizeof(void*) == 4, "the host's records are laid out for 4-byte pointers");

// `record` is `size` bytes.
#define HOSTAPI_SIZE(record, size) \
    static_assert(sizeof(record) == (size), #record " is " #size " bytes in the host")
// `field` of `record` lies at `offset` and is `size` bytes.
#define HOSTAPI_FIELD(record, field, offset, size)                                  \
    static_assert(offsetof(record, field) == (offset) &&                             \
                      sizeof(static_cast<record*>(nullptr)->field) == (size),       \
                  #record "::" #field " is " #size " bytes at offset " #offset)

HOSTAPI_SIZE(ASErr, 4);
HOSTAPI_SIZE(ASBoolean, 4);
HOSTAPI_SIZE(ASReal, 4);
HOSTAPI_SIZE(SPPluginRef, 4);
HOSTAPI_SIZE(AIFilterHandle, 4);
HOSTAPI_SIZE(AIMenuItemHandle, 4);
HOSTAPI_SIZE(AIArtHandle, 4);
HOSTAPI_SIZE(AIDocumentViewHandle, 4);
HOSTAPI_SIZE(ActionParamKeyID, 4);
HOSTAPI_SIZE(ActionParamTypeID, 4);
HOSTAPI_SIZE(ActionDialogStatus, 4);
HOSTAPI_SIZE(ActionUserData, 4);
HOSTAPI_SIZE(AIActionParamTypeRef, 4);
HOSTAPI_SIZE(AIActionParamValueRef, 4);
HOSTAPI_SIZE(AIColorKind, 4);
HOSTAPI_SIZE(AILineCap, 4);
HOSTAPI_SIZE(AILineJoin, 4);
HOSTAPI_SIZE(ADMDialogRef, 4);
HOSTAPI_SIZE(ADMItemRef, 4);
HOSTAPI_SIZE(ADMListRef, 4);
HOSTAPI_SIZE(ADMEntryRef, 4);
HOSTAPI_SIZE(ADMDrawerRef, 4);
HOSTAPI_SIZE(ADMNotifierRef, 4);
HOSTAPI_SIZE(ADMPortRef, 4);
HOSTAPI_SIZE(ADMUserData, 4);
HOSTAPI_SIZE(ADMDialogStyle, 4);

HOSTAPI_SIZE(SPMessageData, 16);
HOSTAPI_FIELD(SPMessageData, checkWord, 0, 4);
HOSTAPI_FIELD(SPMessageData, self, 4, 4);
HOSTAPI_FIELD(SPMessageData, globals, 8, 4);
HOSTAPI_FIELD(SPMessageData, basic, 12, 4);
HOSTAPI_SIZE(SPInterfaceMessage, 16);
HOSTAPI_FIELD(SPInterfaceMessage, d, 0, 16);
HOSTAPI_SIZE(SPAccessMessage, 20);
HOSTAPI_FIELD(SPAccessMessage, d, 0, 16);
HOSTAPI_FIELD(SPAccessMessage, when, 16, 4);
HOSTAPI_SIZE(AIFilterMessage, 24);
HOSTAPI_FIELD(AIFilterMessage, d, 0, 16);
HOSTAPI_FIELD(AIFilterMessage, filter, 16, 4);
HOSTAPI_FIELD(AIFilterMessage, parameters, 20, 4);
HOSTAPI_SIZE(AIPlatformAddFilterData, 8);
HOSTAPI_FIELD(AIPlatformAddFilterData, category, 0, 4);
HOSTAPI_FIELD(AIPlatformAddFilterData, title, 4, 4);
HOSTAPI_SIZE(AIActionDoActionMessage, 28);
HOSTAPI_FIELD(AIActionDoActionMessage, d, 0, 16);
HOSTAPI_FIELD(AIActionDoActionMessage, userData, 16, 4);
HOSTAPI_FIELD(AIActionDoActionMessage, dialogStatus, 20, 4);
HOSTAPI_FIELD(AIActionDoActionMessage, param, 24, 4);
HOSTAPI_SIZE(ASRealPoint, 8);
HOSTAPI_FIELD(ASRealPoint, h, 0, 4);
HOSTAPI_FIELD(ASRealPoint, v, 4, 4);
HOSTAPI_SIZE(ASRealRect, 16);
HOSTAPI_FIELD(ASRealRect, left, 0, 4);
HOSTAPI_FIELD(ASRealRect, top, 4, 4);
HOSTAPI_FIELD(ASRealRect, right, 8, 4);
HOSTAPI_FIELD(ASRealRect, bottom, 12, 4);
HOSTAPI_SIZE(AIPathSegment, 28);
HOSTAPI_FIELD(AIPathSegment, p, 0, 8);
HOSTAPI_FIELD(AIPathSegment, in, 8, 8);
HOSTAPI_FIELD(AIPathSegment, out, 16, 8);
HOSTAPI_FIELD(AIPathSegment, corner, 24, 4);
HOSTAPI_SIZE(AIGrayColorStyle, 4);
HOSTAPI_FIELD(AIGrayColorStyle, gray, 0, 4);
HOSTAPI_SIZE(AIFourColorStyle, 16);
HOSTAPI_FIELD(AIFourColorStyle, cyan, 0, 4);
HOSTAPI_FIELD(AIFourColorStyle, magenta, 4, 4);
HOSTAPI_FIELD(AIFourColorStyle, yellow, 8, 4);
HOSTAPI_FIELD(AIFourColorStyle, black, 12, 4);
HOSTAPI_SIZE(AIThreeColorStyle, 12);
HOSTAPI_FIELD(AIThreeColorStyle, red, 0, 4);
HOSTAPI_FIELD(AIThreeColorStyle, green, 4, 4);
HOSTAPI_FIELD(AIThreeColorStyle, blue, 8, 4);
HOSTAPI_SIZE(AIColorUnion, 64);
HOSTAPI_FIELD(AIColorUnion, gray, 0, 4);
HOSTAPI_FIELD(AIColorUnion, four, 0, 16);
HOSTAPI_FIELD(AIColorUnion, three, 0, 12);
HOSTAPI_SIZE(AIColor, 68);
HOSTAPI_FIELD(AIColor, kind, 0, 4);
HOSTAPI_FIELD(AIColor, c, 4, 64);
HOSTAPI_SIZE(AIFillStyle, 72);
HOSTAPI_FIELD(AIFillStyle, color, 0, 68);
HOSTAPI_FIELD(AIFillStyle, overprint, 68, 4);
HOSTAPI_SIZE(AIDashStyle, 32);
HOSTAPI_FIELD(AIDashStyle, length, 0, 2);
HOSTAPI_FIELD(AIDashStyle, offset, 4, 4);
HOSTAPI_FIELD(AIDashStyle, array, 8, 24);
HOSTAPI_SIZE(AIStrokeStyle, 120);
HOSTAPI_FIELD(AIStrokeStyle, color, 0, 68);
HOSTAPI_FIELD(AIStrokeStyle, overprint, 68, 4);
HOSTAPI_FIELD(AIStrokeStyle, width, 72, 4);
HOSTAPI_FIELD(AIStrokeStyle, dash, 76, 32);
HOSTAPI_FIELD(AIStrokeStyle, cap, 108, 4);
HOSTAPI_FIELD(AIStrokeStyle, join, 112, 4);
HOSTAPI_FIELD(AIStrokeStyle, miterLimit, 116, 4);
HOSTAPI_SIZE(AIPathStyle, 472);
HOSTAPI_FIELD(AIPathStyle, fillPaint, 0, 4);
HOSTAPI_FIELD(AIPathStyle, strokePaint, 4, 4);
HOSTAPI_FIELD(AIPathStyle, fill, 8, 72);
HOSTAPI_FIELD(AIPathStyle, stroke, 80, 120);
HOSTAPI_FIELD(AIPathStyle, clip, 200, 4);
HOSTAPI_FIELD(AIPathStyle, lockClip, 204, 4);
HOSTAPI_FIELD(AIPathStyle, evenOdd, 208, 4);
HOSTAPI_FIELD(AIPathStyle, resolution, 212, 4);
HOSTAPI_FIELD(AIPathStyle, note, 216, 256);
HOSTAPI_SIZE(ADMRect, 16);
HOSTAPI_FIELD(ADMRect, left, 0, 4);
HOSTAPI_FIELD(ADMRect, top, 4, 4);
HOSTAPI_FIELD(ADMRect, right, 8, 4);
HOSTAPI_FIELD(ADMRect, bottom, 12, 4);
HOSTAPI_SIZE(SPPlatformFileSpecification, 300);
HOSTAPI_FIELD(SPPlatformFileSpecification, path, 0, 300);

#undef HOSTAPI_SIZE
#undef HOSTAPI_FIELD
#endif

#undef HOSTAPI_SLOT
#undef HOSTAPI_SLOTS
