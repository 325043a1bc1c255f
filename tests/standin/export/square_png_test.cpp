// PNG and PDF of placed symbols: the rectangle renderer against the general
// (cairo) renderer, pixel for pixel, over every version and every cell size
// of the settings dialog's popup; the resolution written into every PNG; the
// PDF's structure and its pages rasterised beside cairo's; and the art that
// must go to the general renderer.
#include <png.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <string>
#include <vector>

#include "art/symbol_art.h"
#include "contract/symbol_settings.h"
#include "globals/plugin_state.h"
#include "standin/app/engine_session.h"
#include "standin/cli/place_dialog.h"
#include "standin/export/cairo_module.h"
#include "standin/export/export_document.h"
#include "standin/export/number_text.h"
#include "standin/export/square_png.h"
#include "standin/suites/document/documents.h"
#include "tests/standin/export/read_back.h"

namespace {

using standin::Document;
using standin::ExportBox;

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// The PNG's pixels as 8-bit RGBA; width 0 when it cannot be read.
Pixels Decode(const std::string& png) {
    Pixels pixels;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return pixels;
    image.format = PNG_FORMAT_RGBA;
    pixels.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return pixels;
    }
    pixels.width = static_cast<int>(image.width);
    pixels.height = static_cast<int>(image.height);
    return pixels;
}

// The number of pixels that differ; two fully transparent pixels are the
// same whatever their colour.
int64_t Differences(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int64_t count = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) {
        const bool clearA = a.rgba[i + 3] == 0, clearB = b.rgba[i + 3] == 0;
        if (clearA && clearB) continue;
        if (std::memcmp(&a.rgba[i], &b.rgba[i], 4) != 0) ++count;
    }
    return count;
}

// The pixels per metre of the PNG's pHYs chunk; -1 without one.
int64_t PixelsPerMetre(const std::string& png) {
    const size_t at = png.find("pHYs");
    if (at == std::string::npos || at + 13 > png.size() || png[at + 12] != 1) return -1;
    int64_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(png[at + 4 + i]);
    return v;
}

class SquarePngTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        gPluginState.art = standin::StandinArtSuite();
        gPluginState.path = standin::StandinPathSuite();
        gPluginState.pathStyle = standin::StandinPathStyleSuite();
        std::string why;
        ASSERT_TRUE(BeginEngineSession(ORVELK_TEST_APP_DIR, 0, &why)) << why;
    }
    static void TearDownTestSuite() { EndEngineSession(); }
    void SetUp() override { standin::CloseAllDocuments(); }
    void TearDown() override { standin::CloseAllDocuments(); }

    // A document holding the plug-in's art of a symbol of `version` with
    // cells of `millimetres`; null when drawing failed.
    static Document* Placed(int version, double millimetres) {
        Document* document = standin::OpenDocument("Untitled-1");
        const double points = static_cast<float>(millimetres / 0.35278);
        const ASErr error = DrawSymbolArt(document->viewCenter.h, document->viewCenter.v, points,
                                          "Orvelk", 'M', 'B', version);
        return error == kSPNoError ? document : nullptr;
    }

    // The document's PNG from the general renderer (in the module).
    static std::string CairoPng(const Document& document, const standin::ExportOptions& options) {
        std::string why, out;
        const standin::CairoExportCalls* cairo = standin::CairoExport(&why);
        EXPECT_NE(cairo, nullptr) << why;
        ExportBox box;
        EXPECT_TRUE(standin::ExportBounds(document, options.crop, &box, &why)) << why;
        if (cairo == nullptr ||
            !cairo->writeDocument(document, box, standin::CairoFormat::kPng,
                                  {options.dpi, options.transparent}, &out, &why))
            ADD_FAILURE() << why;
        return out;
    }

    static std::string Png(const Document& document, const standin::ExportOptions& options) {
        std::string out, why;
        EXPECT_TRUE(standin::RenderDocument(document, standin::ExportFormat::kPng, options, &out,
                                            &why))
            << why;
        return out;
    }
};

// Every version with every cell size of the popup, at 300 dpi while the image
// stays within 1500 pixels a side, beyond that at the whole number of dots
// per inch that makes it about 1000 (the largest at 300 dpi both renderers
// refuse alike): the same pixels, to the last one.
TEST_F(SquarePngTest, SamePixelsAsTheGeneralRendererAtEveryVersionAndCellSize) {
    int compared = 0;
    for (int version = 1; version <= 40; ++version) {
        for (const double millimetres : kModuleSizesMillimetres) {
            SCOPED_TRACE(testing::Message()
                         << "version " << version << ", " << millimetres << " mm");
            standin::CloseAllDocuments();
            Document* document = Placed(version, millimetres);
            ASSERT_NE(document, nullptr);
            const int side = 17 + 4 * version + 8;
            standin::ExportOptions options;
            const double inches = side * millimetres / 25.4;
            options.dpi = inches * 300 <= 1500 ? 300 : std::floor(1000 / inches);
            const std::string fast = Png(*document, options);
            const Pixels mine = Decode(fast);
            const Pixels theirs = Decode(CairoPng(*document, options));
            ASSERT_GT(mine.width, 0);
            ASSERT_EQ(Differences(mine, theirs), 0);
            EXPECT_EQ(PixelsPerMetre(fast), std::lround(options.dpi / 0.0254));
            ++compared;
        }
    }
    EXPECT_EQ(compared, 40 * 11);
}

// Resolutions that put module edges on odd fractions of a pixel, on a
// transparent background, and the whole page: still the same pixels.
TEST_F(SquarePngTest, SamePixelsAtOddResolutionsTransparentAndOnThePage) {
    for (const double dpi : {37.0, 96.0, 150.0, 299.5, 600.0, 1234.0}) {
        for (const bool transparent : {false, true}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, transparent " << transparent);
            standin::CloseAllDocuments();
            Document* document = Placed(5, 0.33);
            ASSERT_NE(document, nullptr);
            standin::ExportOptions options;
            options.dpi = dpi;
            options.transparent = transparent;
            options.crop = dpi < 100 ? standin::ExportCrop::kPage : standin::ExportCrop::kArt;
            const Pixels mine = Decode(Png(*document, options));
            ASSERT_GT(mine.width, 0);
            EXPECT_EQ(Differences(mine, Decode(CairoPng(*document, options))), 0);
        }
    }
}

// Black on white is a 1-bit grey image; a transparent background is a
// 1-bit palette with a transparent paper entry.
TEST_F(SquarePngTest, OneBitGreyOrPalette) {
    Document* document = Placed(2, 0.50);
    ASSERT_NE(document, nullptr);
    const std::string grey = Png(*document, {});
    ASSERT_GT(grey.size(), 26u);
    EXPECT_EQ(grey[24], 1);  // bit depth
    EXPECT_EQ(grey[25], 0);  // grey
    standin::ExportOptions clear;
    clear.transparent = true;
    const std::string palette = Png(*document, clear);
    EXPECT_EQ(palette[24], 1);
    EXPECT_EQ(palette[25], 3);  // palette
    EXPECT_NE(palette.find("tRNS"), std::string::npos);
}

// Art that is not rectangles of one colour goes to the general renderer,
// whose PNG carries the resolution too.
TEST_F(SquarePngTest, OtherArtIsLeftToTheGeneralRendererWithItsResolution) {
    Document* document = Placed(1, 1.00);
    ASSERT_NE(document, nullptr);
    standin::Art* group = document->art.children.back().get();
    standin::Art* square = group->children.back().get();
    const ExportBox box = {0, 0, 100, 100};
    std::string out, why;

    // A stroke, a curve, a second colour: each is not for the rectangles.
    square->style.strokePaint = true;
    EXPECT_EQ(standin::WriteSquaresPng(*document, box, {}, &out, &why),
              standin::SquarePngResult::kNotSquares);
    square->style.strokePaint = false;
    square->segments[1].out.h += 1;
    EXPECT_EQ(standin::WriteSquaresPng(*document, box, {}, &out, &why),
              standin::SquarePngResult::kNotSquares);
    standin::ExportOptions options;
    options.dpi = 203;
    const std::string curved = Png(*document, options);
    EXPECT_EQ(PixelsPerMetre(curved), std::lround(203 / 0.0254));
    EXPECT_EQ(Differences(Decode(curved), Decode(CairoPng(*document, options))), 0);
    square->segments[1].out = square->segments[1].p;
    square->style.fill.color.kind = kGrayColor;
    square->style.fill.color.c.gray.gray = 0.5f;
    EXPECT_EQ(standin::WriteSquaresPng(*document, box, {}, &out, &why),
              standin::SquarePngResult::kNotSquares);
    EXPECT_TRUE(out.empty());

    // A grey of its own for every square is still one colour, as cairo takes it.
    for (const auto& path : group->children) {
        if (path->style.fillPaint) path->style.fill.color = square->style.fill.color;
    }
    const Pixels mine = Decode(Png(*document, {}));
    ASSERT_GT(mine.width, 0);
    EXPECT_EQ(Differences(mine, Decode(CairoPng(*document, {}))), 0);
}

// A resolution that is no number, or an image too large, is refused alike.
TEST_F(SquarePngTest, RefusesWhatTheGeneralRendererRefuses) {
    Document* document = Placed(40, 5.00);
    ASSERT_NE(document, nullptr);
    std::string out, why;
    standin::ExportOptions options;
    options.dpi = 300;
    EXPECT_FALSE(standin::RenderDocument(*document, standin::ExportFormat::kPng, options, &out,
                                         &why));
    EXPECT_NE(why.find("too large"), std::string::npos) << why;
    options.dpi = std::nan("");
    EXPECT_FALSE(standin::RenderDocument(*document, standin::ExportFormat::kPng, options, &out,
                                         &why));
    EXPECT_NE(why.find("positive number"), std::string::npos) << why;
    EXPECT_TRUE(out.empty());
}

// The PDF of a placed symbol: every object where the cross-reference table
// says, the page the export box's size, and the page as poppler draws it
// the same as cairo's PDF of the same document but for edge pixels; a small
// page's content as it is, a large one's compressed.
TEST_F(SquarePngTest, PdfOfRectanglesIsWholeAndLooksLikeCairos) {
    for (const int version : {2, 7}) {
        SCOPED_TRACE("version " + std::to_string(version));
        standin::CloseAllDocuments();
        Document* document = Placed(version, 0.33);
        ASSERT_NE(document, nullptr);
        std::string pdf, why;
        ASSERT_TRUE(standin::RenderDocument(*document, standin::ExportFormat::kPdf, {}, &pdf, &why))
            << why;
        ASSERT_EQ(pdf.find("cairo"), std::string::npos);
        EXPECT_EQ(pdf.find("/FlateDecode") != std::string::npos, version == 7);
        const size_t xref = pdf.rfind("startxref\n");
        ASSERT_NE(xref, std::string::npos);
        const size_t table = std::stoul(pdf.substr(xref + 10));
        ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
        for (int object = 1; object <= 5; ++object) {
            const size_t entry = table + std::strlen("xref\n0 6\n") + 20 * object;
            const size_t offset = std::stoul(pdf.substr(entry, 10));
            EXPECT_EQ(pdf.compare(offset, 8, std::to_string(object) + " 0 obj\n"), 0) << object;
        }
        ExportBox box;
        ASSERT_TRUE(standin::ExportBounds(*document, standin::ExportCrop::kArt, &box, &why));
        std::string mediaBox = "/MediaBox [0 0 ";
        standin::AppendShortest(&mediaBox, box.Width());
        EXPECT_NE(pdf.find(mediaBox), std::string::npos);

        const std::string folder = FreshTestFolder("square_pdf_test");
        std::string theirs;
        const standin::CairoExportCalls* cairo = standin::CairoExport(&why);
        ASSERT_NE(cairo, nullptr) << why;
        ASSERT_TRUE(
            cairo->writeDocument(*document, box, standin::CairoFormat::kPdf, {}, &theirs, &why));
        GreyImage mine, reference;
        for (const auto& [bytes, image, name] :
             {std::tuple{&pdf, &mine, "mine.pdf"}, std::tuple{&theirs, &reference, "cairo.pdf"}}) {
            FILE* file = std::fopen((folder + "/" + name).c_str(), "wb");
            ASSERT_NE(file, nullptr);
            std::fwrite(bytes->data(), 1, bytes->size(), file);
            std::fclose(file);
            ASSERT_TRUE(Rasterise(folder + "/" + name, 300, image, &why)) << why;
        }
        ASSERT_EQ(mine.width, reference.width);
        ASSERT_EQ(mine.height, reference.height);
        int64_t darkMine = 0, darkTheirs = 0, differ = 0;
        for (size_t i = 0; i < mine.pixels.size(); ++i) {
            const bool a = mine.pixels[i] < 128, b = reference.pixels[i] < 128;
            darkMine += a;
            darkTheirs += b;
            differ += a != b;
        }
        EXPECT_GT(darkMine, 0);
        // Pixels on module edges lie half in, and tip either way with the seams
        // and the last digits of the coordinates; a page drawn wrong (moved,
        // flipped, scaled, a module lost) differs in far more.
        EXPECT_LE(differ, darkTheirs * 3 / 100) << differ << " of " << darkTheirs;
        std::filesystem::remove_all(folder);
    }
}

}  // namespace
