#include "globals/plugin_state.h"

PluginState gPluginState = {};

void ResetPluginState() {
    gPluginState = PluginState{};
}
