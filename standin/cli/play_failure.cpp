#include "standin/cli/play_failure.h"

#include "hostapi/sp_basic.h"
#include "qr/symbol_encoder.h"
#include "standin/app/engine_session.h"
#include "standin/cli/orvelk_action.h"
#include "standin/host/host_errors.h"
#include "standin/host/standin_app_folder.h"

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
