// The stand-in's documents: zero or more open documents, the current one,
// each with one view and a tree of art, and the suites through which plug-ins
// reach them: "AI Document View Suite" (the centre of the view), "AI Art
// Suite" (new groups and paths), "AI Path Suite" (segments, closing) and "AI
// Path Style Suite" (fill and stroke).
//
// Document coordinates are points with v growing upwards, the origin at the
// bottom left of the page; a new document's view is centred on its page.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "hostapi/ai_art.h"
#include "hostapi/ai_document_view.h"
#include "hostapi/ai_path.h"
#include "hostapi/ai_path_style.h"

namespace standin {

struct Document;

// One art object. A group holds children, bottom first; a path holds
// segments and a style.
struct Art {
    AIArtType type = kUnknownArt;
    Art* parent = nullptr;  // the document's top-level group for top-level art
    Document* document = nullptr;
    std::vector<std::unique_ptr<Art>> children;
    std::vector<AIPathSegment> segments;
    bool closed = false;
    AIPathStyle style{};  // all zero until set: paints nothing

    // Art made with new lives in the host's pool (art_pool.h).
    static void* operator new(size_t size);
    static void operator delete(void* storage) noexcept;
};

struct Document {
    std::string name;
    double width = 0, height = 0;  // the page, in points
    ASRealPoint viewCenter{};      // the centre of the document's one view
    Art art;                       // the top level: a group that is never handed out
};

// A4, in points: the size of a new document unless one is given.
inline constexpr double kDefaultPageWidth = 595.28;
inline constexpr double kDefaultPageHeight = 841.89;

// Opens a new, empty document with its view centred on the page, and makes
// it the current one.
Document* OpenDocument(const std::string& name, double width = kDefaultPageWidth,
                       double height = kDefaultPageHeight);

// Closes `document`; the last opened of the others becomes current.
void CloseDocument(Document* document);

// Closes every document.
void CloseAllDocuments();

// The open documents, in the order they were opened.
std::vector<Document*> Documents();

// The current document; null when none is open.
Document* CurrentDocument();

// Makes an open `document` the current one.
void SetCurrentDocument(Document* document);

// Whether a document is open.
bool HasOpenDocument();

// The number of art objects in `art`'s subtree, `art` itself not counted.
size_t CountArt(const Art& art);

// The art handles alive: every object of every open document's tree, none
// of a closed one.
size_t LiveArtCount();

// The suites, as the registry serves them.
const AIDocumentViewSuite* StandinDocumentViewSuite();
const AIArtSuite* StandinArtSuite();
const AIPathSuite* StandinPathSuite();
const AIPathStyleSuite* StandinPathStyleSuite();

}  // namespace standin
