// A plug-in module's resources as the host uses them: its PiPL, its dialog
// templates, its string table and its bitmaps. The host asks for them by id,
// as a Windows host does with FindResource; where they come from is the
// business of the reader that the host is given (the module's ".rsrc"
// section, or data that a test makes up).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "standin/host/host_transcript.h"

namespace standin {

// Class atoms of the predefined Windows controls in a dialog template.
inline constexpr uint16_t kButtonClass = 0x80;
inline constexpr uint16_t kEditClass = 0x81;
inline constexpr uint16_t kStaticClass = 0x82;
inline constexpr uint16_t kListBoxClass = 0x83;
inline constexpr uint16_t kScrollBarClass = 0x84;
inline constexpr uint16_t kComboBoxClass = 0x85;

// One control of a dialog template. Rectangles are in dialog units.
struct DialogItemResource {
    int32_t id = 0;
    uint16_t classAtom = 0;  // one of the atoms above; 0 when className names the class
    std::string className;   // the class by name ("Static"), when classAtom is 0
    uint32_t style = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
    std::string text;           // code page 932; empty when the title is an ordinal
    int32_t titleOrdinal = -1;  // an ordinal title (a picture's bitmap id), else -1
};

// A dialog template (a DIALOG resource).
struct DialogResource {
    uint32_t style = 0;
    int16_t x = 0, y = 0, width = 0, height = 0;
    std::string title;     // code page 932
    std::string fontName;  // code page 932; empty without a font
    int16_t fontSize = 0;  // points
    std::vector<DialogItemResource> items;
};

// What kind of item the template describes, from its class and style.
DialogItemKind KindOfItem(const DialogItemResource& item);

// The resources of one module, found by id (language Japanese first, as the
// host runs on a Japanese system).
class ModuleResources {
  public:
    virtual ~ModuleResources() = default;
    // The module's plug-in property list: the bytes of its first "PIPL"
    // resource, if it has one.
    virtual std::optional<std::vector<uint8_t>> Pipl() const = 0;
    // Dialog template `id`.
    virtual std::optional<DialogResource> Dialog(int32_t id) const = 0;
    // String `id` of the string table, in code page 932 (characters without
    // a code page 932 form become '?', as the ANSI calls of Windows give them).
    virtual std::optional<std::string> String(int32_t id) const = 0;
    // Bitmap `id`: the bytes of the BITMAP resource (a BMP file without its
    // 14-byte file header).
    virtual std::optional<std::vector<uint8_t>> Bitmap(int32_t id) const = 0;
};

// Resources held in memory: for built-in plug-ins and tests.
class MemoryModuleResources : public ModuleResources {
  public:
    std::optional<std::vector<uint8_t>> pipl;
    std::map<int32_t, DialogResource> dialogs;
    std::map<int32_t, std::string> strings;
    std::map<int32_t, std::vector<uint8_t>> bitmaps;

    std::optional<std::vector<uint8_t>> Pipl() const override { return pipl; }
    std::optional<DialogResource> Dialog(int32_t id) const override;
    std::optional<std::string> String(int32_t id) const override;
    std::optional<std::vector<uint8_t>> Bitmap(int32_t id) const override;
};

// Reads the resources of the module file at `path` (native). Returns null and
// sets *error when the file has none or cannot be read.
using ModuleResourceReader =
    std::function<std::unique_ptr<ModuleResources>(const std::string& path, std::string* error)>;

// The reader the host uses for modules from now on (the host session sets
// the one of the module's ".rsrc" section unless it is given another). An
// empty function leaves the host without one: every module is then skipped.
void SetModuleResourceReader(ModuleResourceReader reader);

// Reads `path`'s resources with the reader in force.
std::unique_ptr<ModuleResources> ReadModuleResources(const std::string& path, std::string* error);

}  // namespace standin
