#include "tests/standin/export/read_back.h"

#include <ZXing/ReadBarcode.h>
#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A binary PGM ("P5", 8 bits) as ghostscript and poppler write it.
bool ReadPgm(const std::string& path, GreyImage* image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic;
    auto skipComments = [&in] {
        in >> std::ws;
        while (in.peek() == '#') {
            std::string line;
            std::getline(in, line);
            in >> std::ws;
        }
    };
    skipComments();
    in >> image->width;
    skipComments();
    in >> image->height;
    skipComments();
    in >> maxValue;
    in.get();
    if (!in || magic != "P5" || maxValue != 255 || image->width <= 0 || image->height <= 0)
        return false;
    image->pixels.resize(static_cast<size_t>(image->width) * image->height);
    in.read(reinterpret_cast<char*>(image->pixels.data()),
            static_cast<std::streamsize>(image->pixels.size()));
    return static_cast<size_t>(in.gcount()) == image->pixels.size();
}

bool Run(const std::string& command, std::string* why) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) == 0) return true;
    *why = "failed: " + command;
    return false;
}

}  // namespace

std::string FreshTestFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orvelk_" + name + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

bool ReadPng(const std::string& path, GreyImage* image) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    // Flatten onto white paper.
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    cairo_surface_t* flat = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(flat);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(flat);
    image->width = w;
    image->height = h;
    image->pixels.resize(static_cast<size_t>(w) * h);
    const unsigned char* data = cairo_image_surface_get_data(flat);
    const int stride = cairo_image_surface_get_stride(flat);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            image->pixels[static_cast<size_t>(y) * w + x] =
                static_cast<uint8_t>((((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3);
        }
    }
    cairo_surface_destroy(flat);
    cairo_surface_destroy(surface);
    return true;
}

bool Rasterise(const std::string& path, int dpi, GreyImage* image, std::string* why) {
    const std::string extension = std::filesystem::path(path).extension().string();
    const std::string out = path + ".raster";
    const std::string r = std::to_string(dpi);
    if (extension == ".png") return ReadPng(path, image);
    if (extension == ".pdf") {
        if (!Run("pdftoppm -gray -singlefile -r " + r + " '" + path + "' '" + out + "'", why))
            return false;
        return ReadPgm(out + ".pgm", image);
    }
    if (extension == ".eps") {
        if (!Run("gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pgmraw -r" + r + " -o '" +
                     out + ".pgm' '" + path + "'",
                 why))
            return false;
        return ReadPgm(out + ".pgm", image);
    }
    if (extension == ".svg") {
        if (!Run("rsvg-convert --background-color=white -d " + r + " -p " + r + " -o '" + out +
                     ".png' '" + path + "'",
                 why))
            return false;
        return ReadPng(out + ".png", image);
    }
    *why = "no rasteriser for " + path;
    return false;
}

std::string DecodeSymbol(const GreyImage& image) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        ZXing::ImageView(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum),
        hints);
    if (!r.isValid()) return "<unreadable>";
    const ZXing::ByteArray& bytes = r.bytes();
    return std::string(bytes.begin(), bytes.end());
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
