// Action sets: the actions a session recorded or played, saved to and loaded
// from a JSON file.
//
//   {
//     "format": "orvelk-action-set",
//     "version": 1,
//     "actions": [
//       {
//         "event": "Orvelk_QRCode",
//         "dialog": 3,
//         "parameters": [
//           { "key": "plcx", "type": "real", "value": 297.64 },
//           { "key": "eclv", "type": "long", "value": 1 },
//           { "key": "data", "type": "strn", "value": "ＱＲコード" }
//         ]
//       }
//     ]
//   }
//
// Actions and parameters keep their order. "dialog" is the dialog status, 0
// to 3. "document", which an action may leave out, is the number (1 and up)
// of the document the action was played into when a run placed into several
// (`orvelk batch` gives each line's document its line number); sets without
// it read as before. "type" is the parameter's type code: "long" (a 32-bit integer),
// "real" (a 32-bit float) or "strn" (a string of code page 932 bytes).
//
// Lossless forms, for what plain JSON cannot carry:
// - A string (a "strn" value or the event name) is written as UTF-8 text when
//   its code page 932 bytes convert to UTF-8 and back to the same bytes;
//   otherwise as {"cp932-hex": "8260..."}, its bytes as hexadecimal digits.
// - A real is written as the shortest decimal that reads back as the same
//   float; one that is not a finite number as {"float-bits": "7fc00000"}, the
//   float's 32 bits in hexadecimal.
// - A key is written as its four characters when they are printable ASCII
//   (0x20 to 0x7E); otherwise as the code's 32-bit value, a JSON number.
//
// Loading checks everything: the marker and version, the members of every
// object (unknown or repeated ones are refused), the types, the dialog
// status, the range of integers and reals, the keys (four characters, none
// repeated within an action), and that no string holds a NUL byte or more than
// kMaxActionStringBytes bytes. A file that fails is refused whole, with a
// message naming the file and the place: line and column for a file that is
// not well-formed JSON, the JSON pointer of the offending element otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "standin/suites/action_manager/action_manager.h"

namespace standin {

inline constexpr char kActionSetFormat[] = "orvelk-action-set";
inline constexpr int kActionSetVersion = 1;

// The longest string (event name or "strn" value) an action set holds.
inline constexpr size_t kMaxActionStringBytes = 65535;

// The largest action set file that is read.
inline constexpr size_t kMaxActionSetFileBytes = 64 * 1024 * 1024;

// The JSON text of `actions` (ending in a newline) into `json`. Fails, with
// the reason in `error`, for what an action set cannot hold: a value of
// another type, a string with a NUL byte or longer than kMaxActionStringBytes,
// a dialog status outside 0 to 3, a negative document number.
bool ActionSetToJson(const std::vector<RecordedAction>& actions, std::string* json,
                     std::string* error);

// Reads the JSON text `json` into `actions`. `name` (the file's) starts every
// message in `error`. On failure `actions` is left empty.
bool ActionSetFromJson(std::string_view json, const std::string& name,
                       std::vector<RecordedAction>* actions, std::string* error);

// Saves `actions` to the file `path`, replacing it only when the new file is
// complete.
bool SaveActionSet(const std::vector<RecordedAction>& actions, const std::string& path,
                   std::string* error);

// Loads the file `path` into `actions`.
bool LoadActionSet(const std::string& path, std::vector<RecordedAction>* actions,
                   std::string* error);

}  // namespace standin
