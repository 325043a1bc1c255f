// The texts that pass between a dialog's items (code page 932) and the
// window's widgets (UTF-8): what a field shows, what typing in it gives the
// plug-in, and how much of an insertion an item's length limit lets in. The
// limit counts code page 932 bytes, as the item's own limit does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace standin {

// What the plug-in reads from a field holding `utf8`: its code page 932
// bytes, with '?' for each character that has no code page 932 form (as the
// ANSI text calls of Windows give such characters). Malformed UTF-8, which
// a widget never holds, gives '?' per malformed byte.
std::string TypedCp932(std::string_view utf8);

// `utf8` without the characters that have no code page 932 form, which the
// plug-in's text cannot hold: a field lets none of them in. The first one
// left out goes into *refused (UTF-8), which is emptied when none is.
std::string WithoutForeignCharacters(std::string_view utf8, std::string* refused);

// What the window says of a refused character: which one, shown as a person
// sees it, and why it did not enter the text.
std::string RefusedCharacterText(std::string_view refused);

// How many bytes of the UTF-8 text `inserted` (whole characters, from its
// start) fit into a field of an item limited to `limit` code page 932 bytes
// (-1: no limit) that holds `heldBytes` of them already.
size_t FittingInsertion(size_t heldBytes, std::string_view inserted, int limit);

// A push button's or check box's label as a widget's mnemonic label: '&'
// before a character becomes '_', "&&" a '&', an underscore is doubled.
std::string MnemonicLabel(const std::string& cp932);

}  // namespace standin
