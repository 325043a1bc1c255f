#include "standin/resources/dialog_template.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "standin/resources/byte_reader.h"
#include "standin/resources/utf16_text.h"

namespace {

constexpr uint16_t kOrdinalMark = 0xFFFF;

struct ClassAtom {
    uint16_t atom;
    DialogItemClass itemClass;
    const char* name;
};

constexpr ClassAtom kClassAtoms[] = {
    {0x80, DialogItemClass::kButton, "Button"},
    {0x81, DialogItemClass::kEdit, "Edit"},
    {0x82, DialogItemClass::kStatic, "Static"},
    {0x83, DialogItemClass::kListBox, "ListBox"},
    {0x84, DialogItemClass::kScrollBar, "ScrollBar"},
    {0x85, DialogItemClass::kComboBox, "ComboBox"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// A menu, class or text field: 0 alone (empty), 0xFFFF and an ordinal, or a
// UTF-16 text up to its zero unit.
bool ReadTemplateText(ByteReader& reader, TemplateText* field) {
    uint16_t first;
    {
        ByteReader peek = reader;
        if (!peek.U16(&first)) return false;
    }
    *field = TemplateText{};
    if (first == kOrdinalMark) {
        field->isOrdinal = true;
        return reader.Skip(2) && reader.U16(&field->ordinal);
    }
    std::u16string text;
    if (!reader.Utf16z(&text)) return false;
    field->text = Utf16ToCp932(text);
    return true;
}

bool ReadText(ByteReader& reader, std::string* text) {
    std::u16string wide;
    if (!reader.Utf16z(&wide)) return false;
    *text = Utf16ToCp932(wide);
    return true;
}

bool ReadItemClass(ByteReader& reader, DialogItem* item) {
    TemplateText field;
    if (!ReadTemplateText(reader, &field)) return false;
    item->itemClass = DialogItemClass::kCustom;
    item->classAtom = field.isOrdinal ? field.ordinal : 0;
    if (field.isOrdinal) {
        // An atom outside the predefined ones keeps the form "#number".
        char atomName[8];
        std::snprintf(atomName, sizeof atomName, "#%u", static_cast<unsigned>(field.ordinal));
        item->className = atomName;
        for (const ClassAtom& known : kClassAtoms) {
            if (known.atom == field.ordinal) {
                item->itemClass = known.itemClass;
                item->className = known.name;
            }
        }
        return true;
    }
    item->className = field.text;
    for (const ClassAtom& known : kClassAtoms) {
        if (SameIgnoringCase(field.text, known.name)) item->itemClass = known.itemClass;
    }
    return true;
}

bool ReadCreationData(ByteReader& reader, DialogItem* item) {
    uint16_t size;
    if (!reader.U16(&size)) return false;
    std::span<const uint8_t> bytes;
    if (!reader.Peek(size, &bytes)) return false;
    item->creationData.assign(bytes.begin(), bytes.end());
    return reader.Skip(size);
}

bool ReadRectangle(ByteReader& reader, int16_t* x, int16_t* y, int16_t* width, int16_t* height) {
    return reader.I16(x) && reader.I16(y) && reader.I16(width) && reader.I16(height);
}

// DLGITEMTEMPLATE: style, extended style, rectangle, 16-bit id, class, text,
// creation data.
bool ReadItem(ByteReader& reader, DialogItem* item) {
    uint16_t id;
    if (!reader.AlignTo4() || !reader.U32(&item->style) || !reader.U32(&item->exStyle) ||
        !ReadRectangle(reader, &item->x, &item->y, &item->width, &item->height) ||
        !reader.U16(&id)) {
        return false;
    }
    item->id = id;
    return ReadItemClass(reader, item) && ReadTemplateText(reader, &item->text) &&
           ReadCreationData(reader, item);
}

// DLGITEMTEMPLATEEX: help id, extended style, style, rectangle, 32-bit id,
// class, text, creation data.
bool ReadItemEx(ByteReader& reader, DialogItem* item) {
    return reader.AlignTo4() && reader.U32(&item->helpId) && reader.U32(&item->exStyle) &&
           reader.U32(&item->style) &&
           ReadRectangle(reader, &item->x, &item->y, &item->width, &item->height) &&
           reader.U32(&item->id) && ReadItemClass(reader, item) &&
           ReadTemplateText(reader, &item->text) && ReadCreationData(reader, item);
}

}  // namespace

ResourceStatus ParseDialogTemplate(std::span<const uint8_t> data, DialogTemplate* dialog) {
    DialogTemplate out;
    ByteReader reader(data);
    uint16_t itemCount = 0;
    uint16_t version = 0;
    uint16_t signature = 0;
    if (data.size() >= 4) {
        version = LoadU16(data.data());
        signature = LoadU16(data.data() + 2);
    }
    out.extended = version == 1 && signature == kOrdinalMark;

    bool ok;
    if (out.extended) {
        ok = reader.Skip(4) && reader.U32(&out.helpId) && reader.U32(&out.exStyle) &&
             reader.U32(&out.style);
    } else {
        ok = reader.U32(&out.style) && reader.U32(&out.exStyle);
    }
    ok = ok && reader.U16(&itemCount) &&
         ReadRectangle(reader, &out.x, &out.y, &out.width, &out.height) &&
         ReadTemplateText(reader, &out.menu) && ReadTemplateText(reader, &out.windowClass) &&
         ReadText(reader, &out.title);
    if (!ok) return ResourceStatus::kDamaged;

    out.hasFont = (out.style & kDialogStyleSetFont) != 0;
    if (out.hasFont) {
        ok = reader.U16(&out.pointSize);
        if (ok && out.extended) {
            uint8_t italic = 0;
            ok = reader.U16(&out.weight) && reader.U8(&italic) && reader.U8(&out.charset);
            out.italic = italic != 0;
        }
        ok = ok && ReadText(reader, &out.fontName);
        if (!ok) return ResourceStatus::kDamaged;
    }

    // The count is checked against the bytes as the items are read, never
    // used to reserve memory up front.
    for (uint16_t i = 0; i < itemCount; ++i) {
        DialogItem item;
        ok = out.extended ? ReadItemEx(reader, &item) : ReadItem(reader, &item);
        if (!ok) return ResourceStatus::kDamaged;
        out.items.push_back(std::move(item));
    }
    *dialog = std::move(out);
    return ResourceStatus::kOk;
}

const DialogItem* FindDialogItem(const DialogTemplate& dialog, uint32_t id) {
    for (const DialogItem& item : dialog.items) {
        if (item.id == id) return &item;
    }
    return nullptr;
}
