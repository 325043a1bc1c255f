#include "standin/app/host_command.h"

#include <unistd.h>

#include <string>

#include "standin/app/transcript_text.h"
#include "standin/host/standin_app_folder.h"

bool BeginHostCommand(const HostCommandOptions& o, const char* command, FILE* err) {
    std::string why;
    if (!ChooseStandinAppFolder(o.appFolder, &why)) {
        std::fprintf(err, "orvelk %s: %s\n", command, why.c_str());
        return false;
    }
    return true;
}

void EndHostCommand(const HostCommandOptions& o) {
    if (o.appFolder != nullptr) SetStandinAppFolder(nullptr);
}

void PrintTranscriptEntry(FILE* err, const char* command, const standin::TranscriptEntry& entry) {
    using Kind = standin::TranscriptEntry::Kind;
    if (entry.kind == Kind::kDialogClosed) return;
    std::fprintf(err, "orvelk %s: %s", command, standin::TranscriptEntryText(entry).c_str());
    if (entry.kind == Kind::kBeep && isatty(fileno(err))) {
        std::fputc('\a', err);
        std::fflush(err);
    }
}
