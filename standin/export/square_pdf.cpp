#include "standin/export/square_pdf.h"

#include <zlib.h>

#include <cstdint>
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

// The largest content stream written as it is. Compressing a URL's symbol
// (about 50 KB of text, 9 KB compressed) took zlib 250 microseconds at
// level 1, and every other level and strategy as long or longer: most of
// writing the page. Below this size the bytes saved are few; a larger
// symbol's page is compressed.
constexpr size_t kPlainContentBytes = size_t{64} << 10;

// Compresses `content` into `packed` at level 1, with one zlib stream kept
// for every page of the thread. False when zlib fails.
bool Compress(const std::string& content, std::string* packed) {
    struct Stream {
        z_stream z{};
        bool ready = false;
        ~Stream() {
            if (ready) deflateEnd(&z);
        }
    };
    thread_local Stream stream;
    if (!stream.ready) {
        if (deflateInit(&stream.z, Z_BEST_SPEED) != Z_OK) return false;
        stream.ready = true;
    } else if (deflateReset(&stream.z) != Z_OK) {
        return false;
    }
    packed->resize(deflateBound(&stream.z, content.size()));
    stream.z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.z.avail_in = static_cast<uInt>(content.size());
    stream.z.next_out = reinterpret_cast<Bytef*>(packed->data());
    stream.z.avail_out = static_cast<uInt>(packed->size());
    if (deflate(&stream.z, Z_FINISH) != Z_STREAM_END) return false;
    packed->resize(stream.z.total_out);
    return true;
}

// Appends the next object, whose body is `body` followed by `stream` as
// the object's stream when there is one.
void AppendObject(std::string* pdf, std::vector<size_t>* offsets, const std::string& body,
                  const std::string* stream = nullptr) {
    offsets->push_back(pdf->size());
    *pdf += std::to_string(offsets->size());
    *pdf += " 0 obj\n";
    *pdf += body;
    if (stream != nullptr) {
        *pdf += "\nstream\n";
        *pdf += *stream;
        *pdf += "\nendstream";
    }
    *pdf += "\nendobj\n";
}

}  // namespace

bool WriteRectanglesPdf(const RectangleArt& art, const ExportBox& box, std::string* out,
                        std::string* error) {
    const std::string content = Content(art, box);
    if (content.size() > UINT32_MAX / 2) {
        if (error != nullptr) *error = "the page holds too many rectangles";
        return false;
    }
    const bool compressed = content.size() > kPlainContentBytes;
    std::string packed;
    if (compressed && !Compress(content, &packed)) {
        if (error != nullptr) *error = "zlib failed to compress the page";
        return false;
    }
    const std::string& stream = compressed ? packed : content;
    std::string width, height;
    AppendShortest(&width, box.Width());
    AppendShortest(&height, box.Height());

    std::string pdf;
    pdf.reserve(stream.size() + 1024);
    pdf += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    AppendObject(&pdf, &offsets, "<< /Type /Catalog /Pages 2 0 R >>");
    AppendObject(&pdf, &offsets, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    AppendObject(&pdf, &offsets,
                 "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + width + " " + height +
                     "] /Resources << >> /Contents 4 0 R >>");
    AppendObject(&pdf, &offsets,
                 "<< /Length " + std::to_string(stream.size()) +
                     (compressed ? " /Filter /FlateDecode" : "") + " >>",
                 &stream);
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
