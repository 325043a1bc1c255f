#include "standin/cli/play_session.h"

#include "qr/symbol_encoder.h"
#include "standin/cli/engine_session.h"
#include "standin/cli/options.h"
#include "standin/cli/orvelk_action.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_errors.h"
#include "standin/host/plugins.h"
#include "standin/host/standin_app_folder.h"

PlaySession::PlaySession(const char* command, const HostCommandOptions& host, FILE* err)
    : command_(command), err_(err), quietDialog_(host.quietDialog) {
    standin::ClearTranscript();
    standin::SetTranscriptListener([this](const standin::TranscriptEntry& entry) {
        // What needs the user (alerts, error dialogs, beeps, the host's
        // notes) is always said; the dialog the options drive is not.
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

int PlaySession::Start(const char* event) {
    const std::string folder = standin::HostSession::DefaultPluginsFolder();
    const bool started = session_.LoadAndStartPlugins(folder);
    if (standin::Plugins().empty()) {
        PrintError(err_, command_, "no plug-in was loaded from '%s'", folder.c_str());
        return kExitPluginFailure;
    }
    if (!started) {
        PrintError(err_, command_, "a plug-in of '%s' did not load or start", folder.c_str());
        return kExitPluginFailure;
    }
    if (event == nullptr) return -1;
    for (const standin::ActionEvent& e : standin::ActionEvents())
        if (e.name == event) return -1;
    PrintError(err_, command_, "no plug-in registered the action event '%s'", event);
    return kExitPluginFailure;
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

std::string PlayFailureText(ASErr error) {
    std::string text;
    switch (error) {
        case kQRDoesNotFit:
            text = "the text does not fit the symbol";
            break;
        case kQRTableFileDamaged:
            text = TableFileFailureText(StandinTableFilePath());
            break;
        case kQROutOfMemory:
        case kSPOutOfMemoryError:
            text = "there is not enough memory";
            break;
        case kQRActionBadParameters:
            text = "the action holds a value that is missing, of another type or out of range";
            break;
        case kStandinNoSuchEventError:
            text = "no started plug-in registered the action's event";
            break;
        default:
            text = "the plug-in failed";
            break;
    }
    return text + " (error " + standin::ErrorText(error) + ")";
}
