// What the stand-in reads from a module, on any bytes: the first byte says
// what the rest is - 0 an ELF image whose ".rsrc" section is read as a .res
// image, 1 a .res image, 2 a PiPL, 3 a DIALOG template, 4 a bitmap. Every
// resource of a .res image is read as its type says (string tables string by
// string), and what a reader accepts stays inside what it was given.
#include <span>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "standin/resources/bitmap_resource.h"
#include "standin/resources/dialog_template.h"
#include "standin/resources/elf_section.h"
#include "standin/resources/pipl.h"
#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"

namespace {

void ReadBitmap(std::span<const uint8_t> data) {
    BitmapInfo info;
    if (ParseBitmapResource(data, &info) != ResourceStatus::kOk) return;
    FUZZ_CHECK(info.pixelOffset <= data.size() && info.pixelSize <= data.size() - info.pixelOffset,
               "the pixels lie inside the resource");
}

void ReadDialog(std::span<const uint8_t> data) {
    DialogTemplate dialog;
    if (ParseDialogTemplate(data, &dialog) != ResourceStatus::kOk) return;
    for (const DialogItem& item : dialog.items)
        FUZZ_CHECK(FindDialogItem(dialog, item.id) != nullptr, "every item is found by its id");
}

void ReadPiPL(std::span<const uint8_t> data) {
    PiPLInfo info;
    ParsePiPL(data, &info);
}

void ReadRes(std::vector<uint8_t> bytes) {
    ResourceFile file;
    if (ParseResFile(std::move(bytes), &file) != ResourceStatus::kOk) return;
    for (const ResourceEntry& entry : file.entries) {
        FUZZ_CHECK(entry.dataOffset <= file.bytes.size() &&
                       entry.dataSize <= file.bytes.size() - entry.dataOffset,
                   "a resource's data lies inside the image");
        const std::span<const uint8_t> data = ResourceData(file, entry);
        if (!entry.type.isNumber) {
            ReadPiPL(data);
            continue;
        }
        switch (entry.type.number) {
            case kResourceTypeBitmap: ReadBitmap(data); break;
            case kResourceTypeDialog: ReadDialog(data); break;
            case kResourceTypeString:
                if (entry.name.isNumber && entry.name.number != 0) {
                    const int first = (entry.name.number - 1) * 16;
                    for (int n = first; n < first + 16 && n <= 0xFFFF; ++n) {
                        std::string text;
                        LoadResourceString(file, static_cast<uint16_t>(n), entry.language, &text);
                    }
                }
                break;
            default: break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1u << 20)) return -1;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 5) {
        case 0: {
            std::span<const uint8_t> section;
            if (FindElfSection(rest, kResourceSectionName, &section) != ResourceStatus::kOk) break;
            FUZZ_CHECK(section.data() >= rest.data() &&
                           section.data() + section.size() <= rest.data() + rest.size(),
                       "the section lies inside the image");
            ReadRes(std::vector<uint8_t>(section.begin(), section.end()));
            break;
        }
        case 1: ReadRes(std::vector<uint8_t>(rest.begin(), rest.end())); break;
        case 2: ReadPiPL(rest); break;
        case 3: ReadDialog(rest); break;
        case 4: ReadBitmap(rest); break;
    }
    return 0;
}
