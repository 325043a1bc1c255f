// The action set loader on any text: it refuses with a message or gives
// actions that write back to JSON and read back to the same JSON.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "standin/actions/action_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return -1;
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    std::vector<standin::RecordedAction> actions;
    std::string error;
    if (!standin::ActionSetFromJson(json, "fuzz.json", &actions, &error)) {
        FUZZ_CHECK(actions.empty(), "a refused set gives no actions");
        FUZZ_CHECK(error.rfind("fuzz.json", 0) == 0, "the message names the file");
        return 0;
    }
    std::string written;
    FUZZ_CHECK(standin::ActionSetToJson(actions, &written, &error), error.c_str());
    std::vector<standin::RecordedAction> again;
    FUZZ_CHECK(standin::ActionSetFromJson(written, "again.json", &again, &error), error.c_str());
    std::string rewritten;
    FUZZ_CHECK(standin::ActionSetToJson(again, &rewritten, &error), error.c_str());
    FUZZ_CHECK(rewritten == written, "a loaded set writes back the same");
    return 0;
}
