#include "standin/host/module_resources.h"

#include <strings.h>

#include <utility>

namespace standin {
namespace {

// Window and control styles, as the Windows headers give them.
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kPushButtonStyle = 0x00;
constexpr uint32_t kDefPushButtonStyle = 0x01;
constexpr uint32_t kCheckBoxStyle = 0x02;
constexpr uint32_t kAutoCheckBoxStyle = 0x03;
constexpr uint32_t kRadioButtonStyle = 0x04;
constexpr uint32_t k3StateStyle = 0x05;
constexpr uint32_t kAuto3StateStyle = 0x06;
constexpr uint32_t kGroupBoxStyle = 0x07;
constexpr uint32_t kAutoRadioButtonStyle = 0x09;
constexpr uint32_t kOwnerDrawButtonStyle = 0x0B;

constexpr uint32_t kStaticTypeMask = 0x1F;
constexpr uint32_t kStaticIconStyle = 0x03;
constexpr uint32_t kStaticFirstRectStyle = 0x04;  // black rectangle ...
constexpr uint32_t kStaticLastFrameStyle = 0x09;  // ... to white frame
constexpr uint32_t kStaticUserItemStyle = 0x0A;
constexpr uint32_t kStaticOwnerDrawStyle = 0x0D;
constexpr uint32_t kStaticBitmapStyle = 0x0E;
constexpr uint32_t kStaticEnhMetaFileStyle = 0x0F;
constexpr uint32_t kStaticEtchedFirstStyle = 0x10;  // etched horizontal ...
constexpr uint32_t kStaticEtchedLastStyle = 0x12;   // ... etched frame

constexpr uint32_t kComboBoxTypeMask = 0x03;
constexpr uint32_t kComboBoxSimpleStyle = 0x01;

// The class atom of a template item, from its atom or its name.
uint16_t ClassAtom(const DialogItemResource& item) {
    if (item.classAtom != 0) return item.classAtom;
    static const std::pair<const char*, uint16_t> kNames[] = {
        {"Button", kButtonClass},   {"Edit", kEditClass},           {"Static", kStaticClass},
        {"ListBox", kListBoxClass}, {"ScrollBar", kScrollBarClass}, {"ComboBox", kComboBoxClass},
    };
    for (const auto& [name, atom] : kNames)
        if (strcasecmp(item.className.c_str(), name) == 0) return atom;
    return 0;
}

DialogItemKind ButtonKind(uint32_t style) {
    switch (style & kButtonTypeMask) {
        case kPushButtonStyle:
            return DialogItemKind::kPushButton;
        case kDefPushButtonStyle:
            return DialogItemKind::kDefaultButton;
        case kCheckBoxStyle:
        case kAutoCheckBoxStyle:
        case k3StateStyle:
        case kAuto3StateStyle:
            return DialogItemKind::kCheckBox;
        case kRadioButtonStyle:
        case kAutoRadioButtonStyle:
            return DialogItemKind::kRadioButton;
        case kGroupBoxStyle:
            return DialogItemKind::kGroupBox;
        case kOwnerDrawButtonStyle:
            return DialogItemKind::kUserDrawn;
        default:
            return DialogItemKind::kPushButton;
    }
}

DialogItemKind StaticKind(uint32_t style) {
    const uint32_t type = style & kStaticTypeMask;
    if (type == kStaticIconStyle || type == kStaticBitmapStyle || type == kStaticEnhMetaFileStyle)
        return DialogItemKind::kPicture;
    if ((type >= kStaticFirstRectStyle && type <= kStaticLastFrameStyle) ||
        (type >= kStaticEtchedFirstStyle && type <= kStaticEtchedLastStyle))
        return DialogItemKind::kFrame;
    if (type == kStaticUserItemStyle || type == kStaticOwnerDrawStyle)
        return DialogItemKind::kUserDrawn;
    return DialogItemKind::kStaticText;
}

ModuleResourceReader& CurrentReader() {
    static ModuleResourceReader reader;
    return reader;
}

template <typename Map>
auto FindIn(const Map& map, int32_t id) -> std::optional<typename Map::mapped_type> {
    const auto it = map.find(id);
    if (it == map.end()) return std::nullopt;
    return it->second;
}

}  // namespace

DialogItemKind KindOfItem(const DialogItemResource& item) {
    switch (ClassAtom(item)) {
        case kButtonClass:
            return ButtonKind(item.style);
        case kEditClass:
            return DialogItemKind::kEditText;
        case kStaticClass:
            return StaticKind(item.style);
        case kListBoxClass:
            return DialogItemKind::kListBox;
        case kScrollBarClass:
            return DialogItemKind::kScrollBar;
        case kComboBoxClass:
            // A simple combo box shows its list; the others drop it down.
            return (item.style & kComboBoxTypeMask) == kComboBoxSimpleStyle
                       ? DialogItemKind::kListBox
                       : DialogItemKind::kPopup;
        default:
            return DialogItemKind::kOther;
    }
}

std::optional<DialogResource> MemoryModuleResources::Dialog(int32_t id) const {
    return FindIn(dialogs, id);
}

std::optional<std::string> MemoryModuleResources::String(int32_t id) const {
    return FindIn(strings, id);
}

std::optional<std::vector<uint8_t>> MemoryModuleResources::Bitmap(int32_t id) const {
    return FindIn(bitmaps, id);
}

void SetModuleResourceReader(ModuleResourceReader reader) {
    CurrentReader() = std::move(reader);
}

std::unique_ptr<ModuleResources> ReadModuleResources(const std::string& path, std::string* error) {
    std::string why;
    std::unique_ptr<ModuleResources> resources;
    if (CurrentReader()) {
        resources = CurrentReader()(path, &why);
        if (resources == nullptr && why.empty()) why = "its resources cannot be read";
    } else {
        why = "the host has no reader for module resources";
    }
    if (resources == nullptr && error != nullptr) *error = why;
    return resources;
}

}  // namespace standin
