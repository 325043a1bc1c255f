#include "standin/resources/resource_status.h"

const char* ResourceStatusText(ResourceStatus status) {
    switch (status) {
        case ResourceStatus::kOk:
            return "ok";
        case ResourceStatus::kNotFound:
            return "not found";
        case ResourceStatus::kDamaged:
            return "damaged";
        case ResourceStatus::kNotModule:
#if defined(_WIN32)
            return "not a 64-bit Windows module";
#else
            return "not a 64-bit ELF module";
#endif
        case ResourceStatus::kUnsupported:
            return "unsupported";
        case ResourceStatus::kIoError:
            return "cannot be read";
    }
    return "unknown";
}
