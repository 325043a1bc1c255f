#include "standin/app/play_session.h"

#include "standin/dialogs/user_script.h"
#include "standin/host/plugins.h"

PlaySession::PlaySession(const char* command, const HostCommandOptions& host, FILE* err)
    : command_(command), err_(err), quietDialog_(host.quietDialog) {
    standin::ClearTranscript();
    standin::SetTranscriptListener([this](const standin::TranscriptEntry& entry) {
        // What needs the user (alerts, beeps, the host's notes) is always
        // said; the dialog the options drive is not, nor any dialog while an
        // action plays (its error dialog's code is said by the command's own
        // line for the action).
        if (entry.kind == standin::TranscriptEntry::Kind::kDialogShown &&
            (playing_ || (quietDialog_ != 0 && entry.dialogId == quietDialog_)))
            return;
        PrintTranscriptEntry(err_, command_, entry);
    });
    standin::SetUserScript(host.steps);
}

PlaySession::~PlaySession() {
    session_.End();
    standin::SetTranscriptListener({});
}

bool PlaySession::Start(const char* event) {
    const std::string folder = standin::HostSession::DefaultPluginsFolder();
    const bool started = session_.LoadAndStartPlugins(folder);
    if (standin::Plugins().empty()) {
        std::fprintf(err_, "orvelk %s: no plug-in was loaded from '%s'\n", command_, folder.c_str());
        return false;
    }
    if (!started) {
        std::fprintf(err_, "orvelk %s: a plug-in of '%s' did not load or start\n", command_,
                     folder.c_str());
        return false;
    }
    if (event == nullptr) return true;
    for (const standin::ActionEvent& e : standin::ActionEvents())
        if (e.name == event) return true;
    std::fprintf(err_, "orvelk %s: no plug-in registered the action event '%s'\n", command_, event);
    return false;
}

ASErr PlaySession::Play(const standin::RecordedAction& action, standin::Document* document) {
    standin::SetCurrentDocument(document);
    playing_ = true;
    const ASErr result = standin::PlayAction(action, action.dialogStatus);
    playing_ = false;
    return result;
}

std::string PlayDocumentName(long number) {
    return "Untitled-" + std::to_string(number);
}
