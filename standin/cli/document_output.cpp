#include "standin/cli/document_output.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "standin/cli/options.h"
#include "standin/export/art_dump.h"
#include "standin/export/module_size.h"

const char kDocumentOutputUsage[] =
    "  --dump                   print each document's art tree on standard output\n"
    "  --crop art|page          export the bounds of the art (default; for a symbol its\n"
    "                           quiet-zone rectangle) or the whole page\n"
    "  --dpi N                  PNG resolution in pixels per inch, 1 to 9600 (default 300)\n"
    "  --transparent            PNG without white paper behind the art\n";

int TakeDocumentOutputOption(int c, const char* arg, const char* command, DocumentOutputOptions* o,
                             FILE* err) {
    switch (c) {
        case 'o':
            // One file or pattern names every document's file: a second one
            // would silently replace the first.
            if (o->output != nullptr && !o->manyOutputs)
                return RefuseSecondOutput(err, command, o->output, arg);
            o->output = arg;
            return -1;
        case kOptionDump:
            o->dump = true;
            return -1;
        case kOptionCrop:
            if (std::strcmp(arg, "art") == 0) {
                o->exportOptions.crop = standin::ExportCrop::kArt;
            } else if (std::strcmp(arg, "page") == 0) {
                o->exportOptions.crop = standin::ExportCrop::kPage;
            } else {
                PrintError(err, command, "--crop takes art or page, not '%s'", arg);
                return kExitUsage;
            }
            return -1;
        case kOptionDpi: {
            long dpi = 0;
            if (!ParseIntInRange(arg, 1, 9600, &dpi)) {
                PrintError(err, command, "--dpi takes a number from 1 to 9600, not '%s'", arg);
                return kExitUsage;
            }
            o->exportOptions.dpi = static_cast<double>(dpi);
            return -1;
        }
        case kOptionTransparent:
            o->exportOptions.transparent = true;
            return -1;
        default:
            return -2;
    }
}

int CheckDocumentOutput(const DocumentOutputOptions& o, const char* command, FILE* err) {
    if (o.output == nullptr) {
        if (o.dump) return -1;
        PrintError(err, command, "nothing to write: give -o FILE or --dump (see --help)");
        return kExitUsage;
    }
    const standin::ExportFormat format = standin::FormatOfPath(o.output);
    if (format == standin::ExportFormat::kFromExtension) {
        PrintError(err, command, "-o '%s' names no format: end it in .svg, .pdf, .eps or .png",
                   o.output);
        return kExitUsage;
    }
    if (!standin::CanExport(format)) {
        PrintError(err, command, "this build cannot write '%s' (it has no cairo)", o.output);
        return kExitUsage;
    }
    if ((format == standin::ExportFormat::kPng || format == standin::ExportFormat::kPdf) &&
        RefuseBinaryToTerminal(err, command,
                               format == standin::ExportFormat::kPng ? "PNG" : "PDF", o.output))
        return kExitUsage;
    return -1;
}

bool FindOutputPattern(const std::string& path, OutputPattern* pattern, std::string* why) {
    const size_t slash = path.rfind('/');
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    const size_t first = path.find('#', name);
    *pattern = OutputPattern{path, "", 0};
    if (first == std::string::npos) return true;
    size_t end = first;
    while (end < path.size() && path[end] == '#') ++end;
    if (path.find('#', end) != std::string::npos) {
        *why = "'" + path + "' holds more than one run of '#'";
        return false;
    }
    *pattern = OutputPattern{path.substr(0, first), path.substr(end), end - first};
    return true;
}

std::string PatternFileName(const OutputPattern& pattern, long number) {
    if (pattern.width == 0) return pattern.head;
    std::string digits = std::to_string(number);
    if (digits.size() < pattern.width) digits.insert(0, pattern.width - digits.size(), '0');
    return pattern.head + digits + pattern.tail;
}

bool EmitDocument(const standin::Document& document, const std::string& path,
                  const DocumentOutputOptions& o, FILE* out, std::string* why) {
    if (o.dump) std::fputs(standin::DumpArtTree(document).c_str(), out);
    if (path.empty()) return true;
    return standin::ExportDocument(document, path, o.exportOptions, why);
}

std::string PngModuleNote(const standin::Document& document, const std::string& path, double dpi) {
    if (standin::FormatOfPath(path) != standin::ExportFormat::kPng) return std::string();
    const double module = standin::SmallestFilledSquare(document);
    const double pixels = module * dpi / 72;
    if (module <= 0 || pixels >= kReadablePixelsPerModule) return std::string();
    char text[256];
    std::snprintf(text, sizeof text,
                  "'%s' has %.1f pixels a module at %.0f dpi: too few for some readers to find "
                  "the symbol (at least %.0f; --dpi %.0f gives them)",
                  path.c_str(), pixels, dpi, kReadablePixelsPerModule,
                  std::ceil(kReadablePixelsPerModule * 72 / module));
    return text;
}
