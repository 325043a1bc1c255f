#include "standin/suites/document/documents.h"

#include <algorithm>
#include <iterator>

#include "hostapi/sp_basic.h"
#include "standin/hooks/host_hooks.h"
#include "standin/suites/document/art_pool.h"
#include "standin/host/host_errors.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

struct DocumentList {
    std::vector<std::unique_ptr<Document>> open;
    Document* current = nullptr;
};

DocumentList& State() {
    static DocumentList state;
    return state;
}

AIDocumentViewHandle ViewHandle(Document* document) {
    return reinterpret_cast<AIDocumentViewHandle>(&document->viewCenter);
}

Document* FromViewHandle(AIDocumentViewHandle view) {
    for (const auto& d : State().open)
        if (ViewHandle(d.get()) == view) return d.get();
    return nullptr;
}

AIArtHandle ArtHandle(Art* art) {
    return reinterpret_cast<AIArtHandle>(art);
}

// The last two handles found alive: a plug-in shapes one path with several
// calls, inside one group. Emptied whenever art is forgotten.
struct RecentArt {
    const Art* art[2] = {nullptr, nullptr};
};

RecentArt& Recent() {
    static RecentArt recent;
    return recent;
}

// The art behind a handle the host gave out; null for anything else.
Art* FromArtHandle(AIArtHandle handle) {
    Art* art = reinterpret_cast<Art*>(handle);
    RecentArt& recent = Recent();
    if (art != nullptr && (art == recent.art[0] || art == recent.art[1])) return art;
    if (!IsHandedOutArt(art)) return nullptr;
    recent.art[1] = recent.art[0];
    recent.art[0] = art;
    return art;
}

// Hands out `art`'s handle.
AIArtHandle HandOut(Art* art) {
    MarkArtHandedOut(art);
    RecentArt& recent = Recent();
    recent.art[1] = recent.art[0];
    recent.art[0] = art;
    return ArtHandle(art);
}

// Forgets the handles remembered; their art is about to go (giving back its
// slot ends its handle).
void ForgetRecentArt() {
    Recent() = RecentArt{};
}

// Where among `parent`'s children `art` is.
std::vector<std::unique_ptr<Art>>::iterator PositionIn(Art* parent, const Art* art) {
    return std::find_if(parent->children.begin(), parent->children.end(),
                        [art](const auto& c) { return c.get() == art; });
}

ASErr HOST_CALL GetDocumentViewCenter(AIDocumentViewHandle view, ASRealPoint* center) {
    if (center == nullptr) return kSPBadParameterError;
    Document* document = view == nullptr ? State().current : FromViewHandle(view);
    if (document == nullptr)
        return view == nullptr ? kStandinNoDocumentError : kSPBadParameterError;
    *center = document->viewCenter;
    return kSPNoError;
}

ASErr HOST_CALL NewArt(AIArtType type, AIPaintOrder paintOrder, AIArtHandle reference,
                       AIArtHandle* newArt) {
    if (newArt == nullptr) return kSPBadParameterError;
    *newArt = nullptr;
    if (const ASErr injected = CountHostCall(HostCall::kArt, "NewArt")) return injected;
    Document* document = State().current;
    if (document == nullptr) return kStandinNoDocumentError;
    if (type != kGroupArt && type != kPathArt) return kSPBadParameterError;

    Art* ref = nullptr;
    if (paintOrder != kPlaceAboveAll && paintOrder != kPlaceBelowAll &&
        paintOrder != kPlaceDefault) {
        ref = FromArtHandle(reference);
        if (ref == nullptr || ref->document != document) return kSPBadParameterError;
    }
    Art* parent = nullptr;
    std::vector<std::unique_ptr<Art>>::iterator at;
    switch (paintOrder) {
        case kPlaceDefault:  // the host's choice: on top of the one layer, no reference
        case kPlaceAboveAll:
            parent = &document->art;
            at = parent->children.end();
            break;
        case kPlaceBelowAll:
            parent = &document->art;
            at = parent->children.begin();
            break;
        case kPlaceInsideOnTop:
        case kPlaceInsideOnBottom:
            if (ref->type != kGroupArt) return kSPBadParameterError;
            parent = ref;
            at =
                paintOrder == kPlaceInsideOnTop ? parent->children.end() : parent->children.begin();
            break;
        case kPlaceAbove:
        case kPlaceBelow:
            parent = ref->parent;
            at = PositionIn(parent, ref);
            if (paintOrder == kPlaceAbove) at = std::next(at);
            break;
        default:
            return kSPBadParameterError;
    }
    auto art = std::make_unique<Art>();
    art->type = type;
    art->parent = parent;
    art->document = document;
    Art* added = art.get();
    parent->children.insert(at, std::move(art));
    *newArt = HandOut(added);
    return kSPNoError;
}

ASErr HOST_CALL SetPathSegments(AIArtHandle handle, int16_t first, int16_t count,
                                const AIPathSegment* segments) {
    if (const ASErr injected = CountHostCall(HostCall::kArt, "SetPathSegments")) return injected;
    Art* path = FromArtHandle(handle);
    if (path == nullptr || path->type != kPathArt || first < 0 || count < 0 ||
        static_cast<size_t>(first) > path->segments.size() || (count > 0 && segments == nullptr))
        return kSPBadParameterError;
    const size_t end = static_cast<size_t>(first) + static_cast<size_t>(count);
    if (end > static_cast<size_t>(INT16_MAX)) return kSPBadParameterError;
    // Paths grow a segment at a time, most of them to four (a rectangle).
    constexpr size_t kUsualSegments = 4;
    if (path->segments.capacity() < end) path->segments.reserve(std::max(end, kUsualSegments));
    if (path->segments.size() < end) path->segments.resize(end);
    std::copy(segments, segments + count, path->segments.begin() + first);
    return kSPNoError;
}

ASErr HOST_CALL SetPathClosed(AIArtHandle handle, ASBoolean closed) {
    if (const ASErr injected = CountHostCall(HostCall::kArt, "SetPathClosed")) return injected;
    Art* path = FromArtHandle(handle);
    if (path == nullptr || path->type != kPathArt) return kSPBadParameterError;
    path->closed = closed != 0;
    return kSPNoError;
}

ASErr HOST_CALL SetPathStyle(AIArtHandle handle, const AIPathStyle* style) {
    if (const ASErr injected = CountHostCall(HostCall::kArt, "SetPathStyle")) return injected;
    Art* path = FromArtHandle(handle);
    if (path == nullptr || path->type != kPathArt || style == nullptr) return kSPBadParameterError;
    path->style = *style;
    return kSPNoError;
}


}  // namespace

Document* OpenDocument(const std::string& name, double width, double height) {
    auto document = std::make_unique<Document>();
    document->name = name;
    document->width = width;
    document->height = height;
    document->viewCenter = {static_cast<ASReal>(width / 2), static_cast<ASReal>(height / 2)};
    document->art.type = kGroupArt;
    document->art.document = document.get();
    State().open.push_back(std::move(document));
    State().current = State().open.back().get();
    return State().current;
}

void CloseDocument(Document* document) {
    auto& open = State().open;
    const auto it = std::find_if(open.begin(), open.end(),
                                 [document](const auto& d) { return d.get() == document; });
    if (it == open.end()) return;
    ForgetRecentArt();
    open.erase(it);
    State().current = open.empty() ? nullptr : open.back().get();
}

void CloseAllDocuments() {
    Recent() = RecentArt{};
    State().open.clear();
    State().current = nullptr;
}

std::vector<Document*> Documents() {
    std::vector<Document*> documents;
    for (const auto& d : State().open) documents.push_back(d.get());
    return documents;
}

Document* CurrentDocument() {
    return State().current;
}

void SetCurrentDocument(Document* document) {
    for (const auto& d : State().open)
        if (d.get() == document) State().current = document;
}

bool HasOpenDocument() {
    return State().current != nullptr;
}

size_t CountArt(const Art& art) {
    size_t count = art.children.size();
    for (const auto& child : art.children) count += CountArt(*child);
    return count;
}

size_t LiveArtCount() {
    return HandedOutArtCount();
}

const AIDocumentViewSuite* StandinDocumentViewSuite() {
    static const AIDocumentViewSuite suite = [] {
        AIDocumentViewSuite s = TrappedSuite<AIDocumentViewSuite>(kAIDocumentViewSuiteVersion);
        s.GetDocumentViewCenter = GetDocumentViewCenter;
        return s;
    }();
    return &suite;
}

const AIArtSuite* StandinArtSuite() {
    static const AIArtSuite suite = [] {
        AIArtSuite s = TrappedSuite<AIArtSuite>(kAIArtSuiteVersion);
        s.NewArt = NewArt;
        return s;
    }();
    return &suite;
}

const AIPathSuite* StandinPathSuite() {
    static const AIPathSuite suite = [] {
        AIPathSuite s = TrappedSuite<AIPathSuite>(kAIPathSuiteVersion);
        s.SetPathSegments = SetPathSegments;
        s.SetPathClosed = SetPathClosed;
        return s;
    }();
    return &suite;
}

const AIPathStyleSuite* StandinPathStyleSuite() {
    static const AIPathStyleSuite suite = [] {
        AIPathStyleSuite s = TrappedSuite<AIPathStyleSuite>(kAIPathStyleSuiteVersion);
        s.SetPathStyle = SetPathStyle;
        return s;
    }();
    return &suite;
}

}  // namespace standin
