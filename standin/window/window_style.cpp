#include "standin/window/window_style.h"

#include <cstdio>
#include <cstdlib>

namespace standin {
namespace {

// The style class of face `index` of DialogFontFaces().
std::string FaceClass(size_t index) {
    return "orvelk-face-" + std::to_string(index);
}

// Compact widgets: no minimum sizes beyond their texts, thin padding. Then
// one rule per face.
std::string StyleSheet() {
    std::string css =
        "window.orvelk-dialog * { min-height: 0; min-width: 0; }\n"
        "window.orvelk-dialog button { padding: 0 4px; }\n"
        "window.orvelk-dialog entry { padding: 0 3px; }\n"
        "window.orvelk-dialog combobox button { padding: 0 2px 0 4px; }\n"
        "window.orvelk-dialog combobox arrow { min-width: 12px; min-height: 12px; }\n"
        "window.orvelk-dialog check { min-width: 12px; min-height: 12px; }\n";
    const auto& faces = DialogFontFaces();
    for (size_t i = 0; i < faces.size(); ++i) {
        char rule[256];
        std::snprintf(rule, sizeof rule,
                      "window.%s, window.%s * { font-family: \"%s\"; font-size: %gpx; }\n",
                      FaceClass(i).c_str(), FaceClass(i).c_str(), faces[i].substituteFamily,
                      faces[i].substitutePixels);
        css += rule;
    }
    return css;
}

}  // namespace

bool OpenWindowDisplay(std::string* why) {
    static int opened = -1;
    if (opened < 0) {
        gtk_disable_setlocale();
        opened = gtk_init_check(nullptr, nullptr) ? 1 : 0;
        if (opened == 1) {
            g_object_set(gtk_settings_get_default(), "gtk-theme-name", "Adwaita",
                         "gtk-application-prefer-dark-theme", FALSE, "gtk-enable-animations", FALSE,
                         "gtk-cursor-blink", FALSE, "gtk-xft-antialias", 1, "gtk-xft-hinting", 1,
                         "gtk-xft-hintstyle", "hintfull", "gtk-xft-rgba", "none", "gtk-xft-dpi",
                         96 * 1024, nullptr);
            GtkCssProvider* provider = gtk_css_provider_new();
            const std::string css = StyleSheet();
            gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
            gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                                      GTK_STYLE_PROVIDER(provider),
                                                      GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
            g_object_unref(provider);
        }
    }
    if (opened == 0 && why != nullptr) {
        const char* display = gdk_get_display_arg_name();
        if (display == nullptr) display = std::getenv("DISPLAY");
        *why = std::string("cannot open the display") +
               (display != nullptr && *display != '\0'
                    ? std::string(" '") + display + "'"
                    : std::string(" (none is named: DISPLAY is not set)"));
    }
    return opened == 1;
}

void ApplyDialogFace(GtkWidget* window, const DialogFontFace* face) {
    const auto& faces = DialogFontFaces();
    size_t index = 0;
    for (size_t i = 0; i < faces.size(); ++i)
        if (&faces[i] == face) index = i;
    GtkStyleContext* style = gtk_widget_get_style_context(window);
    gtk_style_context_add_class(style, "orvelk-dialog");
    gtk_style_context_add_class(style, FaceClass(index).c_str());
}

}  // namespace standin
