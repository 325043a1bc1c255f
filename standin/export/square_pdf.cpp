#include "standin/export/square_pdf.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "standin/export/number_text.h"

namespace standin {
namespace {

// The page's drawing: the box's lower left corner moved to the origin, the
// ink colour, each rectangle as a closed path through its four stored
// corners, and one fill (non-zero: the rectangles' union).
std::string Content(const RectangleArt& art, const ExportBox& box) {
    std::string text;
    text.reserve(art.rectangles.size() * 64 + 64);
    if (art.rectangles.empty()) return text;
    text += "1 0 0 1 ";
    AppendShortest(&text, -box.left);
    text += ' ';
    AppendShortest(&text, -box.bottom);
    text += " cm\n";
    const RgbColor ink = ScreenColor(art.ink);
    for (const double c : {ink.red, ink.green, ink.blue}) {
        AppendShortest(&text, c);
        text += ' ';
    }
    text += "rg\n";
    // A symbol's corners repeat along its rows and columns.
    thread_local ShortestFloatCache floats;
    for (const PaintedRectangle& r : art.rectangles) {
        const std::vector<AIPathSegment>& s = r.path->segments;
        for (size_t i = 0; i < 4; ++i) {
            text += floats.Text(s[i].p.h);
            text += ' ';
            text += floats.Text(s[i].p.v);
            text += i == 0 ? " m " : " l ";
        }
        text += "h\n";
    }
    text += "f\n";
    return text;
}

void AppendObject(std::string* pdf, std::vector<size_t>* offsets, const std::string& body) {
    offsets->push_back(pdf->size());
    *pdf += std::to_string(offsets->size()) + " 0 obj\n" + body + "\nendobj\n";
}

}  // namespace

bool WriteRectanglesPdf(const RectangleArt& art, const ExportBox& box, std::string* out,
                        std::string* error) {
    const std::string content = Content(art, box);
    std::vector<Bytef> packed(compressBound(content.size()));
    uLongf packedSize = packed.size();
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(content.data()),
                  content.size(), Z_BEST_SPEED) != Z_OK) {
        if (error != nullptr) *error = "zlib failed to compress the page";
        return false;
    }
    std::string width, height;
    AppendShortest(&width, box.Width());
    AppendShortest(&height, box.Height());

    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    AppendObject(&pdf, &offsets, "<< /Type /Catalog /Pages 2 0 R >>");
    AppendObject(&pdf, &offsets, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    AppendObject(&pdf, &offsets,
                 "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + " " + height +
                     "] /Resources << >> /Contents 4 0 R >>");
    AppendObject(&pdf, &offsets,
                 "<< /Length " + std::to_string(packedSize) + " /Filter /FlateDecode >>\nstream\n" +
                     std::string(reinterpret_cast<const char*>(packed.data()), packedSize) +
                     "\nendstream");
    AppendObject(&pdf, &offsets, "<< /Producer (Orvelk) /CreationDate (D:1970010100) >>");
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    *out += pdf;
    return true;
}

}  // namespace standin
