// The plug-in's action event "Orvelk_QRCode", which the host's Actions palette
// records and replays with seven parameters.
#pragma once

#include "contract/error_codes.h"
#include "contract/filter_action.h"
#include "hostapi/ai_action_manager.h"

// The event's name, title, user data and keys are what the host sees:
// contract/filter_action.h.

// Registers the action event: a parameter type with the seven keys (each with
// its type code and display name, shown), version 1, flags 0, no callback,
// the message's plug-in reference and user data 1001; then disposes of the
// type. Returns the registration's result; kQRActionNotRegistered when the
// host gave no type or the message has no plug-in reference (nothing is
// registered); "S!Fd" when the action manager suite is not held.
ASErr RegisterQRAction(SPMessageData* message);
