// Export of stand-in documents: the SVG's structure and stored numbers, every
// format read back by a decoder, the same bytes from the same document, the
// export box, and failures that name the file and leave no half file.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "standin/export/export_document.h"
#include "standin/export/number_text.h"
#include "standin/text/cp932.h"
#include "tests/standin/export/read_back.h"
#include "tests/standin/export/symbol_art.h"

namespace {

using standin::Art;
using standin::Document;
using standin::ExportDocument;
using standin::ExportOptions;

class ExportTest : public testing::Test {
  protected:
    void SetUp() override {
        standin::CloseAllDocuments();
        folder_ = FreshTestFolder("export_test");
    }
    void TearDown() override {
        standin::CloseAllDocuments();
        std::filesystem::remove_all(folder_);
    }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    // Exports `document` to `name` in the test folder; fails the test on error.
    std::string Export(const Document& document, const std::string& name,
                       const ExportOptions& options = {}) {
        std::string error;
        EXPECT_TRUE(ExportDocument(document, Path(name), options, &error)) << error;
        return Path(name);
    }

    std::string folder_;
};

// The floats of an SVG path's data, in order.
std::vector<float> PathNumbers(const std::string& d) {
    std::vector<float> numbers;
    const char* p = d.c_str();
    while (*p != '\0') {
        if (std::strchr("MLCZ ", *p) != nullptr) {
            ++p;
            continue;
        }
        char* end = nullptr;
        numbers.push_back(std::strtof(p, &end));
        if (end == p) return {};
        p = end;
    }
    return numbers;
}

// The <path .../> elements of an SVG, in order.
std::vector<std::string> PathElements(const std::string& svg) {
    std::vector<std::string> elements;
    for (size_t at = svg.find("<path "); at != std::string::npos; at = svg.find("<path ", at)) {
        const size_t end = svg.find("/>", at);
        if (end == std::string::npos) break;
        elements.push_back(svg.substr(at, end + 2 - at));
        at = end;
    }
    return elements;
}

// The value of `attribute` in `element`.
std::string Attribute(const std::string& element, const std::string& attribute) {
    const size_t at = element.find(" " + attribute + "=\"");
    if (at == std::string::npos) return "<none>";
    const size_t begin = at + attribute.size() + 3;
    return element.substr(begin, element.find('"', begin) - begin);
}

// Whether a number in `text` is written in exponent form.
bool HasExponent(const std::string& text) {
    for (size_t i = 1; i + 1 < text.size(); ++i)
        if ((text[i] == 'e' || text[i] == 'E') &&
            std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
            (std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '-' ||
             text[i + 1] == '+'))
            return true;
    return false;
}

TEST_F(ExportTest, SvgHoldsOneElementPerPathWithTheStoredFloats) {
    const auto matrix = EncodeTestSymbol("HELLO WORLD", 'M', 'A', 1);
    ASSERT_EQ(matrix->side, 21);
    Document* document = standin::OpenDocument("Symbol");
    ASSERT_TRUE(DrawTestSymbol(*matrix, 300, 400, kHalfMillimetreModule));
    const std::string svg = FileBytes(Export(*document, "symbol.svg"));

    EXPECT_NE(svg.find("shape-rendering=\"crispEdges\""), std::string::npos);
    EXPECT_NE(svg.find("<g transform=\"matrix(1 0 0 -1 0 841.89)\">\n<g>\n<path d=\"M279.44894 "
                       "420.55106L320.55106 420.55106L320.55106 379.44894L279.44894 379.44894Z\" "
                       "fill=\"none\" stroke=\"none\"/>\n"),
              std::string::npos)
        << svg.substr(0, 600);
    EXPECT_FALSE(HasExponent(svg));

    // Every element in paint order, each coordinate the stored float.
    const Art& group = *document->art.children.at(0);
    const std::vector<std::string> elements = PathElements(svg);
    ASSERT_EQ(elements.size(), group.children.size());
    int recovered[21][21] = {};
    const float left = group.children[0]->segments[0].p.h;
    const float top = group.children[0]->segments[0].p.v;
    for (size_t index = 0; index < elements.size(); ++index) {
        const Art& path = *group.children[index];
        const std::string d = Attribute(elements[index], "d");
        const std::vector<float> numbers = PathNumbers(d);
        ASSERT_EQ(numbers.size(), 8u) << d;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(numbers[2 * i], path.segments[i].p.h);
            EXPECT_EQ(numbers[2 * i + 1], path.segments[i].p.v);
        }
        EXPECT_EQ(Attribute(elements[index], "fill"), index == 0 ? "none" : "#000000");
        EXPECT_EQ(Attribute(elements[index], "stroke"), "none");
        if (index == 0) continue;
        const long c = std::lround((numbers[0] - left) / kHalfMillimetreModule) - 4;
        const long r = std::lround((top - numbers[1]) / kHalfMillimetreModule) - 4;
        ASSERT_TRUE(c >= 0 && c < 21 && r >= 0 && r < 21) << d;
        ++recovered[c][r];
    }
    for (int c = 0; c < 21; ++c)
        for (int r = 0; r < 21; ++r)
            EXPECT_EQ(recovered[c][r], matrix->modules[c * kMaxSide + r] ? 1 : 0) << c << "," << r;
    // The box is the quiet-zone rectangle, in points.
    EXPECT_NE(svg.find("viewBox=\"279.4489440917969 421.33894409179686 41.10211181640625 "
                       "41.10211181640625\""),
              std::string::npos)
        << svg.substr(0, 400);
    EXPECT_NE(svg.find("width=\"41.10211181640625pt\""), std::string::npos);
}

TEST_F(ExportTest, SvgWritesCurvesOpenPathsAndEveryKindOfPaint) {
    Document* document = standin::OpenDocument("Paint", 100, 100);
    AIArtHandle curve = nullptr;
    ASSERT_EQ(standin::StandinArtSuite()->NewArt(kPathArt, kPlaceAboveAll, nullptr, &curve), 0);
    const AIPathSegment segments[2] = {{{10, 10}, {5, 0}, {20, 30}, false},
                                       {{50, 10}, {40, 30}, {50, 10}, false}};
    ASSERT_EQ(standin::StandinPathSuite()->SetPathSegments(curve, 0, 2, segments), 0);
    AIPathStyle style{};
    style.fillPaint = true;
    style.evenOdd = true;
    style.fill.color.kind = kThreeColor;
    style.fill.color.c.three = {1, 0.5f, 0};
    style.strokePaint = true;
    style.stroke.color.kind = kFourColor;
    style.stroke.color.c.four = {1, 0, 0, 0.5f};
    style.stroke.width = 0.25f;
    style.stroke.miterLimit = 10;
    style.stroke.cap = kRoundCap;
    style.stroke.dash.length = 9;  // more than the record holds: only its six are read
    style.stroke.dash.array[0] = 2;
    ASSERT_EQ(standin::StandinPathStyleSuite()->SetPathStyle(curve, &style), 0);
    const std::string svg = FileBytes(Export(*document, "paint.SVG"));
    EXPECT_NE(
        svg.find("<path d=\"M10 10C20 30 40 30 50 10\" fill=\"#ff8000\" fill-rule=\"evenodd\" "
                 "stroke=\"#008080\" stroke-width=\"0.25\" stroke-linecap=\"round\" "
                 "stroke-miterlimit=\"10\" stroke-dasharray=\"2 0 0 0 0 0\"/>"),
        std::string::npos)
        << svg;
    // Closing a curved path draws the curve back before Z.
    standin::StandinPathSuite()->SetPathClosed(curve, true);
    const std::string closed = FileBytes(Export(*document, "closed.svg"));
    EXPECT_NE(closed.find("d=\"M10 10C20 30 40 30 50 10C50 10 5 0 10 10Z\""), std::string::npos)
        << closed;
}

struct DecodeCase {
    const char* text;  // UTF-8
    char level, mode;
    int version;
};

class ExportDecodeTest : public ExportTest, public testing::WithParamInterface<DecodeCase> {};

TEST_P(ExportDecodeTest, EveryFormatReadsBackToTheText) {
    const DecodeCase& c = GetParam();
    const Cp932Result text = Utf8ToCp932(c.text);
    ASSERT_EQ(text.status, Cp932Status::kOk);
    Document* document = OpenSymbolDocument(text.bytes, c.level, c.mode, c.version);
    ASSERT_NE(document, nullptr);
    for (const char* extension : {".svg", ".pdf", ".eps", ".png"}) {
        const std::string path = Export(*document, std::string("symbol") + extension);
        GreyImage image;
        std::string why;
        // Ghostscript paints every pixel a shape touches, as PostScript
        // devices do: finer pixels keep the modules' bloat small.
        ASSERT_TRUE(Rasterise(path, extension == std::string(".eps") ? 600 : 300, &image, &why))
            << why;
        EXPECT_EQ(DecodeSymbol(image), text.bytes) << extension << " version " << c.version;
    }
}

INSTANTIATE_TEST_SUITE_P(
    VersionsAndModes, ExportDecodeTest,
    testing::Values(DecodeCase{"HELLO WORLD", 'M', 'A', 1},
                    DecodeCase{"01234567890123456789012345678901234567890123456789", 'H', 'N', 10},
                    DecodeCase{"ＱＲコードの書き出し", 'Q', 'K', 25},
                    DecodeCase{"Orvelk symbol, バイト and ＱＲ mixed", 'L', 'M', 40}));

TEST_F(ExportTest, TheSameDocumentGivesTheSameBytes) {
    Document* document = OpenSymbolDocument("SAME BYTES", 'M', 'A', 2);
    ASSERT_NE(document, nullptr);
    for (const char* extension : {".svg", ".pdf", ".eps", ".png"}) {
        const std::string a = FileBytes(Export(*document, std::string("a") + extension));
        const std::string b = FileBytes(Export(*document, std::string("b") + extension));
        EXPECT_FALSE(a.empty()) << extension;
        EXPECT_EQ(a, b) << extension;
    }
    // Nothing of the moment of the export is written.
    EXPECT_NE(FileBytes(Path("a.pdf")).find("/CreationDate (D:1970010100)"), std::string::npos);
    const std::string eps = FileBytes(Path("a.eps"));
    EXPECT_EQ(eps.find("CreationDate"), std::string::npos);
    // The figure is the quiet-zone rectangle, not the ink inside it.
    EXPECT_NE(eps.find("%%BoundingBox: 0 0 47 47\n%%HiResBoundingBox: 0 0 46.7713623046875 "
                       "46.7713623046875\n"),
              std::string::npos)
        << eps.substr(0, 400);
}

TEST_F(ExportTest, PngSizeResolutionPaperAndPageCrop) {
    Document* document = OpenSymbolDocument("PAPER", 'L', 'A', 1);
    ASSERT_NE(document, nullptr);
    // 29 modules of 0.5 mm: 14.5 mm, 171.26 pixels at 300 dpi.
    GreyImage image;
    ASSERT_TRUE(ReadPng(Export(*document, "art.png"), &image));
    EXPECT_EQ(image.width, 172);
    EXPECT_EQ(image.height, 172);
    ExportOptions options;
    options.dpi = 72;
    options.crop = standin::ExportCrop::kPage;
    ASSERT_TRUE(ReadPng(Export(*document, "page.png", options), &image));
    EXPECT_EQ(image.width, 596);
    EXPECT_EQ(image.height, 842);
    EXPECT_EQ(image.pixels[0], 255);  // white paper
    EXPECT_NE(DecodeSymbol(image), "<unreadable>");

    options.transparent = true;
    cairo_surface_t* png =
        cairo_image_surface_create_from_png(Export(*document, "clear.png", options).c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(png))[0] >> 24, 0u);
    cairo_surface_destroy(png);

    options = {};
    options.crop = standin::ExportCrop::kPage;
    EXPECT_NE(FileBytes(Export(*document, "page.svg", options))
                  .find("width=\"595.28pt\" height=\"841.89pt\" viewBox=\"0 0 595.28 841.89\""),
              std::string::npos);
}

TEST_F(ExportTest, ADocumentWithoutArtExportsItsPage) {
    Document* document = standin::OpenDocument("Empty", 200, 100);
    const std::string svg = FileBytes(Export(*document, "empty.svg"));
    EXPECT_NE(svg.find("viewBox=\"0 0 200 100\""), std::string::npos) << svg;
    GreyImage image;
    ASSERT_TRUE(ReadPng(Export(*document, "empty.png", {.dpi = 36}), &image));
    EXPECT_EQ(image.width, 100);
    EXPECT_EQ(image.height, 50);
}

TEST_F(ExportTest, FailuresNameTheFileAndLeaveNoHalfFile) {
    Document* document = OpenSymbolDocument("KEEP", 'M', 'A', 1);
    ASSERT_NE(document, nullptr);
    std::string error;
    EXPECT_FALSE(ExportDocument(*document, Path("symbol.tiff"), {}, &error));
    EXPECT_NE(error.find("symbol.tiff"), std::string::npos) << error;
    EXPECT_NE(error.find("unknown file type \".tiff\""), std::string::npos) << error;
    EXPECT_FALSE(ExportDocument(*document, Path("symbol"), {}, &error));
    EXPECT_NE(error.find("no extension"), std::string::npos) << error;
    EXPECT_FALSE(ExportDocument(*document, Path("missing/symbol.svg"), {}, &error));
    EXPECT_NE(error.find("missing/symbol.svg: No such file or directory"), std::string::npos)
        << error;

    // The format may be given whatever the name.
    ExportOptions asSvg;
    asSvg.format = standin::ExportFormat::kSvg;
    const std::string kept = FileBytes(Export(*document, "symbol.out", asSvg));
    ASSERT_EQ(kept.rfind("<?xml", 0), 0u);

    // A coordinate that is no number is refused, and the earlier file stays.
    Art& group = *document->art.children.at(0);
    group.children.at(3)->segments.at(2).in.v = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ExportDocument(*document, Path("symbol.out"), asSvg, &error));
    EXPECT_NE(error.find("path 1.4 has a number in a segment that is not finite"),
              std::string::npos)
        << error;
    EXPECT_EQ(FileBytes(Path("symbol.out")), kept);
    group.children.at(3)->segments.at(2).in.v = 0;

    // A PNG too large to hold is refused before anything is drawn.
    EXPECT_FALSE(ExportDocument(*document, Path("huge.png"), {.dpi = 1e6}, &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(ExportDocument(*document, Path("zero.png"), {.dpi = 0}, &error));

    // Only the files written whole are left.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"symbol.out"});
}

TEST_F(ExportTest, NestedGroupsKeepTheirPlaceInTheSvg) {
    Document* document = standin::OpenDocument("Nested", 100, 100);
    auto add = [](AIArtType type, AIPaintOrder order, AIArtHandle reference) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(standin::StandinArtSuite()->NewArt(type, order, reference, &art), 0);
        return art;
    };
    AIArtHandle outer = add(kGroupArt, kPlaceAboveAll, nullptr);
    AIArtHandle inner = add(kGroupArt, kPlaceInsideOnTop, outer);
    add(kPathArt, kPlaceInsideOnTop, inner);
    add(kPathArt, kPlaceAbove, inner);
    add(kGroupArt, kPlaceAboveAll, nullptr);
    add(kPathArt, kPlaceBelowAll, nullptr);
    std::string svg, error;
    ASSERT_TRUE(standin::RenderDocument(*document, standin::ExportFormat::kSvg, {}, &svg, &error));
    const std::string body = svg.substr(svg.find("<g transform"));
    std::string shape;
    for (size_t at = 0; at < body.size();) {
        const size_t path = std::min(body.find("<path ", at), body.size());
        shape.append(body, at, path - at);
        if (path == body.size()) break;
        shape += 'P';
        const size_t end = body.find("/>", path);
        ASSERT_NE(end, std::string::npos);
        at = end + 2;
    }
    EXPECT_EQ(shape,
              "<g transform=\"matrix(1 0 0 -1 0 100)\">\nP\n<g>\n<g>\nP\n</g>\nP\n</g>\n<g>\n</g>\n"
              "</g>\n</svg>\n");
}

}  // namespace

namespace {

// The SVG writer's cache of float texts gives what AppendShortest gives:
// for repeats, for floats that share a slot, and for texts too long to keep.
TEST(ShortestFloatCache, WritesWhatAppendShortestWrites) {
    standin::ShortestFloatCache cache;
    std::vector<float> values = {0.0f,   -0.0f,      1.0f,   279.44894f, 1e30f, -1e-30f,
                                 1e-45f, 3.4e38f,    0.1f,   420.55106f, 7.0f,  -2.5f};
    uint32_t bits = 0x3F800000u;
    for (int i = 0; i < 5000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) values.push_back(f);
    }
    for (int round = 0; round < 2; ++round) {
        for (float f : values) {
            std::string expected;
            standin::AppendShortest(&expected, f);
            ASSERT_EQ(std::string(cache.Text(f)), expected) << f;
        }
    }
}

}  // namespace
