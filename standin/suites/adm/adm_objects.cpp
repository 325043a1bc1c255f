#include "standin/suites/adm/adm_objects.h"

#include <algorithm>
#include <type_traits>
#include <unordered_map>

#include "sjis/shift_jis.h"

namespace standin {
namespace {

// The objects alive, each with its type, so that a handle of one type passed
// as another finds nothing.
enum class ObjectType { kDialog, kItem, kList, kEntry };

std::unordered_map<const void*, ObjectType>& Alive() {
    static std::unordered_map<const void*, ObjectType> alive;
    return alive;
}

template <typename T>
constexpr ObjectType TypeOf() {
    if constexpr (std::is_same_v<T, AdmDialog>) return ObjectType::kDialog;
    if constexpr (std::is_same_v<T, AdmItem>) return ObjectType::kItem;
    if constexpr (std::is_same_v<T, AdmList>) return ObjectType::kList;
    return ObjectType::kEntry;
}

template <typename T>
void MakeAlive(const T* object) {
    Alive()[object] = TypeOf<T>();
}

template <typename T>
T* IfAlive(T* object) {
    const auto it = Alive().find(object);
    return it != Alive().end() && it->second == TypeOf<T>() ? object : nullptr;
}

}  // namespace

std::unique_ptr<AdmDialog> BuildDialog(Plugin* plugin, int32_t resourceId, const std::string& name,
                                       const DialogResource& resource) {
    auto dialog = std::make_unique<AdmDialog>();
    dialog->plugin = plugin;
    dialog->resourceId = resourceId;
    dialog->name = name;
    dialog->resource = resource;
    dialog->layout = LayOutDialog(resource);
    dialog->surface = MakeDialogSurface(dialog->layout.width, dialog->layout.height);
    MakeAlive(dialog.get());
    for (size_t i = 0; i < resource.items.size(); ++i) {
        const DialogItemResource& r = resource.items[i];
        auto item = std::make_unique<AdmItem>();
        item->dialog = dialog.get();
        item->id = r.id;
        item->kind = KindOfItem(r);
        item->resource = r;
        item->rect = dialog->layout.items[i];
        item->text = r.text;
        if (item->kind == DialogItemKind::kPopup || item->kind == DialogItemKind::kListBox) {
            item->list = std::make_unique<AdmList>();
            item->list->item = item.get();
            MakeAlive(item->list.get());
        }
        MakeAlive(item.get());
        dialog->items.push_back(std::move(item));
    }
    return dialog;
}

void RetireDialog(AdmDialog* dialog) {
    for (const auto& item : dialog->items) {
        if (item->list != nullptr) {
            for (const auto& entry : item->list->entries) Alive().erase(entry.get());
            Alive().erase(item->list.get());
        }
        Alive().erase(item.get());
    }
    Alive().erase(dialog);
}

AdmEntry* InsertEntry(AdmList* list, int32_t index) {
    auto entry = std::make_unique<AdmEntry>();
    entry->list = list;
    AdmEntry* added = entry.get();
    const auto count = static_cast<int32_t>(list->entries.size());
    const auto at =
        index >= 0 && index <= count ? list->entries.begin() + index : list->entries.end();
    list->entries.insert(at, std::move(entry));
    MakeAlive(added);
    return added;
}

int32_t EntryIndex(const AdmEntry* entry) {
    const auto& entries = entry->list->entries;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].get() == entry) return static_cast<int32_t>(i);
    return -1;
}

AdmEntry* ActiveEntry(const AdmList* list) {
    for (const auto& entry : list->entries)
        if (entry->selected) return entry.get();
    return nullptr;
}

void SelectEntry(AdmEntry* entry, bool select) {
    if (select)
        for (const auto& other : entry->list->entries) other->selected = false;
    entry->selected = select;
}

AdmItem* FindItem(const AdmDialog* dialog, int32_t id) {
    for (const auto& item : dialog->items)
        if (item->id == id) return item.get();
    return nullptr;
}

ADMRect LocalRect(const AdmItem* item) {
    ADMRect rect{};
    rect.right = item->rect.right - item->rect.left;
    rect.bottom = item->rect.bottom - item->rect.top;
    return rect;
}

size_t WholeCharacterPrefix(const std::string& text, size_t maxBytes) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t width = IsKanjiLeadByte(static_cast<uint8_t>(text[at])) ? 2 : 1;
        if (at + width > maxBytes || at + width > text.size()) break;
        at += width;
    }
    return at;
}

AdmDialog* FromRef(ADMDialogRef ref) {
    return IfAlive(reinterpret_cast<AdmDialog*>(ref));
}
AdmItem* FromRef(ADMItemRef ref) {
    return IfAlive(reinterpret_cast<AdmItem*>(ref));
}
AdmList* FromRef(ADMListRef ref) {
    return IfAlive(reinterpret_cast<AdmList*>(ref));
}
AdmEntry* FromRef(ADMEntryRef ref) {
    return IfAlive(reinterpret_cast<AdmEntry*>(ref));
}
ADMDialogRef RefOf(AdmDialog* dialog) {
    return reinterpret_cast<ADMDialogRef>(dialog);
}
ADMItemRef RefOf(AdmItem* item) {
    return reinterpret_cast<ADMItemRef>(item);
}
ADMListRef RefOf(AdmList* list) {
    return reinterpret_cast<ADMListRef>(list);
}
ADMEntryRef RefOf(AdmEntry* entry) {
    return reinterpret_cast<ADMEntryRef>(entry);
}

}  // namespace standin
