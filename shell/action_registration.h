// The plug-in's action event "Orvelk_QRCode", which the host's Actions palette
// records and replays with seven parameters.
#pragma once

#include "hostapi/ai_action_manager.h"

// The event's name and its title in the Actions palette ("ＱＲコード配置").
inline constexpr char kQRActionEventName[] = "Orvelk_QRCode";
inline constexpr char kQRActionTitle[] = "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68\x94\x7A\x92\x75";
inline constexpr int32_t kQRActionVersion = 1;
// Handed back by the host with every "Do Action" message of the event: the
// number 1001 in the pointer-sized user data.
inline constexpr intptr_t kQRActionUserDataValue = 1001;
inline ActionUserData QRActionUserData() {
    return reinterpret_cast<ActionUserData>(kQRActionUserDataValue);
}

// RegisterQRAction's result when it registered nothing because the host gave
// no parameter type or the message carries no plug-in reference.
inline constexpr ASErr kQRActionNotRegistered = MakeFourCharError("!Act");

// The parameter keys, in the order of the parameter type.
inline constexpr ActionParamKeyID kActionKeyPlaceX = MakeFourCharCode("plcx");      // real, points
inline constexpr ActionParamKeyID kActionKeyPlaceY = MakeFourCharCode("plcy");      // real, points
inline constexpr ActionParamKeyID kActionKeyLevel = MakeFourCharCode("eclv");       // long, 0 to 3
inline constexpr ActionParamKeyID kActionKeyVersion = MakeFourCharCode("vers");     // long, 0 to 40
inline constexpr ActionParamKeyID kActionKeyMode = MakeFourCharCode("enmd");        // long, 0 to 4
inline constexpr ActionParamKeyID kActionKeyModuleSize = MakeFourCharCode("size");  // real, points
inline constexpr ActionParamKeyID kActionKeyText = MakeFourCharCode("data");        // strn, cp932

// Registers the action event: a parameter type with the seven keys (each with
// its type code and display name, shown), version 1, flags 0, no callback,
// the message's plug-in reference and user data 1001; then disposes of the
// type. Returns the registration's result; kQRActionNotRegistered when the
// host gave no type or the message has no plug-in reference (nothing is
// registered); "S!Fd" when the action manager suite is not held.
ASErr RegisterQRAction(SPMessageData* message);
