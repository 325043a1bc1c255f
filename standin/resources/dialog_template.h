// Dialog templates, DIALOG and DIALOGEX alike, with their texts in code page
// 932 as the ANSI calls give them on a Japanese system.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "standin/resources/resource_status.h"

// Dialog styles this reader looks at.
inline constexpr uint32_t kDialogStyleSetFont = 0x00000040;  // DS_SETFONT: a font follows

// A menu, class or text field of a template: a number (an ordinal, such as a
// bitmap's resource number for a picture) or a text.
struct TemplateText {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::string text;  // code page 932; empty for an ordinal
};

// The predefined control classes, by their atom (0x80 to 0x85) or their name.
enum class DialogItemClass { kButton, kEdit, kStatic, kListBox, kScrollBar, kComboBox, kCustom };

struct DialogItem {
    uint32_t id = 0;  // 16 bits in a DIALOG, 32 in a DIALOGEX
    DialogItemClass itemClass = DialogItemClass::kCustom;
    uint16_t classAtom = 0;  // the atom when the template gives one, else 0
    // The class as written: "Button", "Edit", "Static", "ListBox",
    // "ScrollBar", "ComboBox" for a predefined atom, "#number" for another
    // atom, else the name stored.
    std::string className;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t helpId = 0;  // DIALOGEX only
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    TemplateText text;
    std::vector<uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;  // DIALOGEX
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t helpId = 0;  // DIALOGEX only
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    TemplateText menu;         // empty text: no menu
    TemplateText windowClass;  // empty text: the dialog class
    std::string title;
    bool hasFont = false;  // the style holds DS_SETFONT
    uint16_t pointSize = 0;
    uint16_t weight = 0;  // DIALOGEX only
    bool italic = false;  // DIALOGEX only
    uint8_t charset = 0;  // DIALOGEX only
    std::string fontName;
    std::vector<DialogItem> items;
};

// Parses the dialog resource `data`. kDamaged when a field, text or item runs
// past the end.
ResourceStatus ParseDialogTemplate(std::span<const uint8_t> data, DialogTemplate* dialog);

// The item with `id`, or null.
const DialogItem* FindDialogItem(const DialogTemplate& dialog, uint32_t id);
