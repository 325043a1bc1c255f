#include "tests/qr/table_file_writer.h"

#include <sys/stat.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "qr/store/table_file.h"
#include "tests/qr/fake_engine_host.h"

std::string LzssLiterals(const std::string& raw) {
    std::string s;
    for (size_t i = 0; i < raw.size(); i += 8) {
        const size_t n = std::min<size_t>(8, raw.size() - i);
        s += static_cast<char>((1 << n) - 1);
        s += raw.substr(i, n);
    }
    return s;
}

std::string CheckValues(const std::vector<std::pair<std::string, std::string>>& sections) {
    std::string text;
    auto line = [&text](const std::string& bytes, const std::string& name) {
        char head[32];
        std::snprintf(head, sizeof head, "%08lX:%08zX:",
                      crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                            static_cast<uInt>(bytes.size())),
                      bytes.size());
        text += head + name + "\r\n";
    };
    for (const auto& [name, raw] : sections) line(raw, name);
    line(text, "QRK_CHECKS");
    return text + std::string(1, '\0');
}

void WriteRawTableFile(const std::string& appDir, const std::string& bytes) {
    std::filesystem::create_directories(appDir + "/Prefs/Orvelk");
    std::ofstream(appDir + "/Prefs/Orvelk/ORVK_QR.DAT", std::ios::binary | std::ios::trunc) << bytes;
}

void WriteTableFile(const std::string& appDir,
                    const std::vector<std::pair<std::string, std::string>>& sections,
                    const std::string& lineEnd) {
    std::string directory, body;
    size_t offset = kTableDirectorySize;
    for (const auto& [name, raw] : sections) {
        const std::string stream = LzssLiterals(raw);
        char head[32];
        std::snprintf(head, sizeof head, "%08zX:%08zX:", offset, stream.size());
        directory += head + name + lineEnd;
        body += stream;
        offset += stream.size();
    }
    directory.resize(kTableDirectorySize, '\0');
    WriteRawTableFile(appDir, directory + body);
}

std::string BuiltSection(const char* name) {
    SetFakeAppFolder(ORVELK_TEST_APP_DIR);
    uint8_t* bytes = nullptr;
    int32_t length = 0;
    ReadTableSection(HostTableFilePath().c_str(), name, &bytes, &length);
    std::string s(reinterpret_cast<const char*>(bytes), bytes ? length : 0);
    std::free(bytes);
    return s;
}

void BuiltVersion1Sections(std::string* record, std::string* pattern, std::string* generator) {
    *record = BuiltSection("QRA_S01M");
    *pattern = BuiltSection("QRB_S01");
    *generator = BuiltSection("QRC_S10");
}
