// The plug-in's filter and its action event as the host knows them: the
// filter's name and menu item, the event the Actions palette records and
// plays back, its user data, and the seven parameter keys with their types.
#pragma once

#include <cstdint>

#include "hostapi/ai_action_manager.h"

// The filter's name (the action event has the same one).
inline constexpr char kQRFilterName[] = "Orvelk_QRCode";
// Category and title of the menu item, code page 932 ("ＱＲコード...").
inline constexpr char kQRFilterCategory[] = "Orvelk";
inline constexpr char kQRFilterTitle[] = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68...";

// The event's name and its title in the Actions palette ("ＱＲコード配置").
inline constexpr char kQRActionEventName[] = "Orvelk_QRCode";
inline constexpr char kQRActionTitle[] = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68\x94\x7A\x92\x75";
inline constexpr int32_t kQRActionVersion = 1;

// Handed back by the host with every "Do Action" message of the event: the
// number 1001 in the pointer-sized user data.
inline constexpr intptr_t kQRActionUserDataValue = 1001;
// The user data as the host carries it.
inline ActionUserData QRActionUserData() {
    return reinterpret_cast<ActionUserData>(kQRActionUserDataValue);
}

// The dialog setting the action is recorded with: played back without it.
inline constexpr ActionDialogStatus kQRActionDialogStatus = kDialogOff;

// The parameter keys, in the order of the parameter type.
inline constexpr ActionParamKeyID kActionKeyPlaceX = MakeFourCharCode("plcx");      // real, points
inline constexpr ActionParamKeyID kActionKeyPlaceY = MakeFourCharCode("plcy");      // real, points
inline constexpr ActionParamKeyID kActionKeyLevel = MakeFourCharCode("eclv");       // long, 0 to 3
inline constexpr ActionParamKeyID kActionKeyVersion = MakeFourCharCode("vers");     // long, 0 to 40
inline constexpr ActionParamKeyID kActionKeyMode = MakeFourCharCode("enmd");        // long, 0 to 4
inline constexpr ActionParamKeyID kActionKeyModuleSize = MakeFourCharCode("size");  // real, points
inline constexpr ActionParamKeyID kActionKeyText = MakeFourCharCode("data");        // strn, cp932

// One parameter of the event: its key, type and display name (code page 932).
struct QRActionKey {
    ActionParamKeyID key;
    ActionParamTypeID type;
    const char* displayName;
};

// The parameters in the order of the parameter type, which is the order the
// Actions palette lists them and the filter records them.
inline constexpr QRActionKey kQRActionKeys[] = {
    {kActionKeyPlaceX, kActionRealType, "X \x8D\xC0\x95\x57"},  // X 座標
    {kActionKeyPlaceY, kActionRealType, "Y \x8D\xC0\x95\x57"},  // Y 座標
    // エラー処理レベル
    {kActionKeyLevel, kActionIntegerType,
     "\x83\x47\x83\x89\x81\x5B\x8F\x88\x97\x9D\x83\x8C\x83\x78\x83\x8B"},
    {kActionKeyVersion, kActionIntegerType,
     "\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93"},  // バージョン
    // エンコードモード
    {kActionKeyMode, kActionIntegerType,
     "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68\x83\x82\x81\x5B\x83\x68"},
    // モジュールサイズ
    {kActionKeyModuleSize, kActionRealType,
     "\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x83\x54\x83\x43\x83\x59"},
    {kActionKeyText, kActionStringType, "\x83\x66\x81\x5B\x83\x5E"},  // データ
};
