// What a failed "Do Action" of the placing commands means to the user.
#pragma once

#include <string>

#include "hostapi/host_types.h"

// The failure with its code: "the text does not fit the symbol (error -1)".
std::string PlayFailureText(ASErr error);
