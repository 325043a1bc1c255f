#include "standin/app/module_resource_file.h"

#include <strings.h>

#include "standin/resources/dialog_template.h"
#include "standin/resources/res_file.h"
#include "standin/resources/resource_status.h"
#include "standin/resources/string_table.h"

namespace standin {
namespace {

// Whether `name` is the named type `type` (ASCII letters in any case).
bool IsNamedType(const ResourceName& name, const char* type) {
    if (name.isNumber) return false;
    std::string ascii;
    for (char16_t c : name.text) {
        if (c > 0x7F) return false;
        ascii += static_cast<char>(c);
    }
    return strcasecmp(ascii.c_str(), type) == 0;
}

DialogItemResource FromTemplateItem(const DialogItem& item) {
    DialogItemResource r;
    r.id = static_cast<int32_t>(item.id);
    r.classAtom = item.classAtom;
    r.className = item.className;
    r.style = item.style;
    r.x = item.x;
    r.y = item.y;
    r.width = item.width;
    r.height = item.height;
    if (item.text.isOrdinal) {
        r.titleOrdinal = item.text.ordinal;
    } else {
        r.text = item.text.text;
    }
    return r;
}

class SectionResources : public ModuleResources {
  public:
    explicit SectionResources(ResourceFile file) : file_(std::move(file)) {}

    std::optional<std::vector<uint8_t>> Pipl() const override {
        // The host does not know the PiPL's number: the first one serves,
        // in Japanese if the module has one in Japanese.
        const ResourceEntry* found = nullptr;
        for (const ResourceEntry& entry : file_.entries) {
            if (!IsNamedType(entry.type, kResourceTypePiPL)) continue;
            if (found == nullptr ||
                (entry.language == kLanguageJapanese && found->language != kLanguageJapanese))
                found = &entry;
        }
        if (found == nullptr) return std::nullopt;
        return Bytes(*found);
    }

    std::optional<DialogResource> Dialog(int32_t id) const override {
        const ResourceEntry* entry = Find(kResourceTypeDialog, id);
        if (entry == nullptr) return std::nullopt;
        DialogTemplate parsed;
        if (ParseDialogTemplate(ResourceData(file_, *entry), &parsed) != ResourceStatus::kOk)
            return std::nullopt;
        DialogResource dialog;
        dialog.style = parsed.style;
        dialog.x = parsed.x;
        dialog.y = parsed.y;
        dialog.width = parsed.width;
        dialog.height = parsed.height;
        dialog.title = parsed.title;
        dialog.fontName = parsed.fontName;
        dialog.fontSize = static_cast<int16_t>(parsed.pointSize);
        for (const DialogItem& item : parsed.items) dialog.items.push_back(FromTemplateItem(item));
        return dialog;
    }

    std::optional<std::string> String(int32_t id) const override {
        if (id < 0 || id > 0xFFFF) return std::nullopt;
        std::string text;
        if (LoadResourceString(file_, static_cast<uint16_t>(id), kLanguageJapanese, &text) !=
            ResourceStatus::kOk)
            return std::nullopt;
        return text;
    }

    std::optional<std::vector<uint8_t>> Bitmap(int32_t id) const override {
        const ResourceEntry* entry = Find(kResourceTypeBitmap, id);
        if (entry == nullptr) return std::nullopt;
        return Bytes(*entry);
    }

  private:
    const ResourceEntry* Find(uint16_t type, int32_t id) const {
        if (id < 0 || id > 0xFFFF) return nullptr;
        return FindResource(file_, type, static_cast<uint16_t>(id), kLanguageJapanese);
    }

    std::vector<uint8_t> Bytes(const ResourceEntry& entry) const {
        const std::span<const uint8_t> data = ResourceData(file_, entry);
        return std::vector<uint8_t>(data.begin(), data.end());
    }

    ResourceFile file_;
};

}  // namespace

std::unique_ptr<ModuleResources> ReadModuleResourceSection(const std::string& path,
                                                           std::string* error) {
    ResourceFile file;
    std::string damaged;
    const ResourceStatus status = LoadModuleResources(path, &file, &damaged);
    if (status != ResourceStatus::kOk) {
        if (error != nullptr) {
            *error =
                status == ResourceStatus::kNotFound
                    ? std::string("it has no resources (no \".rsrc\" section)")
                    : std::string("its resources cannot be read: ") + ResourceStatusText(status) +
                          (damaged.empty() ? "" : " (" + damaged + ")");
        }
        return nullptr;
    }
    return std::make_unique<SectionResources>(std::move(file));
}

}  // namespace standin
