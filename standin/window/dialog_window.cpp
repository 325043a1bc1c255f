#include "standin/window/dialog_window.h"

#include <X11/Xutil.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_back_end.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/render/dialog_picture.h"
#include "standin/text/cp932.h"
#include "standin/window/window_style.h"
#include "standin/window/window_module.h"
#include "standin/window/window_text.h"

namespace standin {

class DialogWindows;

namespace {

// Entry list columns of a popup's model.
enum { kColumnText, kColumnEnabled, kColumnSeparator, kColumnCount };

bool IsWidgetKind(DialogItemKind kind) {
    switch (kind) {
        case DialogItemKind::kPushButton:
        case DialogItemKind::kDefaultButton:
        case DialogItemKind::kCheckBox:
        case DialogItemKind::kEditText:
        case DialogItemKind::kPopup:
            return true;
        default:
            return false;
    }
}

}  // namespace

// One dialog shown in a window, and its widgets.
struct ShownDialog {
    struct Widget {
        AdmItem* item = nullptr;
        GtkWidget* widget = nullptr;
        gulong handler = 0;  // the signal that turns the person's action into a step
        gulong insertHandler = 0;
    };

    DialogWindows* owner = nullptr;
    AdmDialog* dialog = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* area = nullptr;  // the client area's picture, under the widgets
    std::vector<Widget> widgets;
    GMainLoop* loop = nullptr;
    GtkWidget* refusal = nullptr;  // the popover that names a refused character
};

class DialogWindows : public DialogBackEnd {
  public:
    void RunModal(AdmDialog* dialog) override;
    void ItemChanged(AdmItem* item) override;
    void ItemInvalidated(AdmItem* item) override;

  private:
    ShownDialog* Find(const AdmDialog* dialog);
    std::vector<ShownDialog*> shown_;  // innermost last
};

namespace {

void QueueItemDraw(ShownDialog* shown, const AdmItem* item) {
    const ADMRect& r = item->rect;
    if (r.right > r.left && r.bottom > r.top)
        gtk_widget_queue_draw_area(shown->area, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Whether the rows of `model` show the entries of `list` as they are.
bool RowsShow(GtkTreeModel* model, const AdmList& list) {
    if (gtk_tree_model_iter_n_children(model, nullptr) != static_cast<gint>(list.entries.size()))
        return false;
    GtkTreeIter row;
    bool more = gtk_tree_model_get_iter_first(model, &row);
    for (const auto& entry : list.entries) {
        if (!more) return false;
        gchar* text = nullptr;
        gboolean enabled = FALSE, separator = FALSE;
        gtk_tree_model_get(model, &row, kColumnText, &text, kColumnEnabled, &enabled,
                           kColumnSeparator, &separator, -1);
        const bool same = text != nullptr && Cp932ToUtf8Lossy(entry->text) == text &&
                          (enabled != FALSE) == (entry->enabled && !entry->separator) &&
                          (separator != FALSE) == entry->separator;
        g_free(text);
        if (!same) return false;
        more = gtk_tree_model_iter_next(model, &row);
    }
    return true;
}

// Makes the widget show its item's state, without the widget's own signal
// reporting the change as the person's.
void Mirror(ShownDialog::Widget* w) {
    AdmItem* item = w->item;
    if (w->handler != 0) g_signal_handler_block(w->widget, w->handler);
    if (w->insertHandler != 0) g_signal_handler_block(w->widget, w->insertHandler);
    switch (item->kind) {
        case DialogItemKind::kPushButton:
        case DialogItemKind::kDefaultButton:
            gtk_button_set_label(GTK_BUTTON(w->widget), MnemonicLabel(item->text).c_str());
            break;
        case DialogItemKind::kCheckBox:
            gtk_button_set_label(GTK_BUTTON(w->widget), MnemonicLabel(item->text).c_str());
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w->widget), item->intValue != 0);
            break;
        case DialogItemKind::kEditText: {
            // Only a text that differs is set, so that a notification that
            // sets the text the person just typed leaves the caret alone.
            const std::string utf8 = Cp932ToUtf8Lossy(item->text);
            GtkEntry* entry = GTK_ENTRY(w->widget);
            if (TypedCp932(gtk_entry_get_text(entry)) != item->text)
                gtk_entry_set_text(entry, utf8.c_str());
            break;
        }
        case DialogItemKind::kPopup: {
            GtkComboBox* combo = GTK_COMBO_BOX(w->widget);
            GtkListStore* store = GTK_LIST_STORE(gtk_combo_box_get_model(combo));
            // The rows are made again only when the entries differ, so that
            // a selection made in the list leaves the list alone.
            if (!RowsShow(GTK_TREE_MODEL(store), *item->list)) {
                gtk_list_store_clear(store);
                for (const auto& entry : item->list->entries) {
                    GtkTreeIter row;
                    gtk_list_store_append(store, &row);
                    gtk_list_store_set(store, &row, kColumnText,
                                       Cp932ToUtf8Lossy(entry->text).c_str(), kColumnEnabled,
                                       entry->enabled && !entry->separator, kColumnSeparator,
                                       entry->separator, -1);
                }
            }
            const AdmEntry* active = ActiveEntry(item->list.get());
            const int index = active != nullptr ? EntryIndex(active) : -1;
            if (gtk_combo_box_get_active(combo) != index) gtk_combo_box_set_active(combo, index);
            break;
        }
        default:
            break;
    }
    if (w->insertHandler != 0) g_signal_handler_unblock(w->widget, w->insertHandler);
    if (w->handler != 0) g_signal_handler_unblock(w->widget, w->handler);
}

ShownDialog::Widget* WidgetOf(ShownDialog* shown, const AdmItem* item) {
    for (ShownDialog::Widget& w : shown->widgets)
        if (w.item == item) return &w;
    return nullptr;
}

// Hands `step` to the dialog manager; a step that does not fit leaves the
// widget showing the item's state. Ends the window's loop when the step ended
// the run.
void Act(ShownDialog* shown, AdmItem* item, const UserStep& step) {
    const std::string misfit = ApplyUserStep(shown->dialog, step);
    if (shown->dialog->ended) {
        g_main_loop_quit(shown->loop);
        return;
    }
    if (!misfit.empty() && item != nullptr)
        if (ShownDialog::Widget* w = WidgetOf(shown, item)) Mirror(w);
}

void Press(ShownDialog* shown, AdmItem* item) {
    UserStep step;
    step.action = UserStep::Action::kPress;
    step.item = item->id;
    Act(shown, item, step);
}

void Cancel(ShownDialog* shown) {
    UserStep step;
    step.action = UserStep::Action::kClose;
    Act(shown, nullptr, step);
}

struct SignalContext {
    ShownDialog* shown;
    AdmItem* item;
};

void OnClicked(GtkButton*, gpointer data) {
    auto* c = static_cast<SignalContext*>(data);
    Press(c->shown, c->item);
}

void OnEntryChanged(GtkEditable* editable, gpointer data) {
    auto* c = static_cast<SignalContext*>(data);
    UserStep step;
    step.action = UserStep::Action::kType;
    step.item = c->item->id;
    step.text = TypedCp932(gtk_entry_get_text(GTK_ENTRY(editable)));
    Act(c->shown, c->item, step);
}

// Says in the window, beside `field`, which character was refused; a null
// `text` takes the saying away.
void ShowRefusal(ShownDialog* shown, GtkWidget* field, const char* text) {
    if (text == nullptr) {
        if (shown->refusal != nullptr) gtk_widget_hide(shown->refusal);
        return;
    }
    if (shown->refusal == nullptr) {
        shown->refusal = gtk_popover_new(field);
        // Typing goes on in the field while the popover shows.
        gtk_popover_set_modal(GTK_POPOVER(shown->refusal), FALSE);
        gtk_popover_set_position(GTK_POPOVER(shown->refusal), GTK_POS_TOP);
        GtkWidget* label = gtk_label_new("");
        gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(label), 48);
        gtk_widget_set_margin_start(label, 8);
        gtk_widget_set_margin_end(label, 8);
        gtk_widget_set_margin_top(label, 6);
        gtk_widget_set_margin_bottom(label, 6);
        gtk_container_add(GTK_CONTAINER(shown->refusal), label);
    }
    gtk_label_set_text(GTK_LABEL(gtk_bin_get_child(GTK_BIN(shown->refusal))), text);
    gtk_widget_show_all(shown->refusal);
}

// Lets in no character that code page 932 lacks (the window beeps and says
// which one) and no more of an insertion than the item's length limit takes.
void OnEntryInsert(GtkEditable* editable, const gchar* text, gint length, gint* position,
                   gpointer data) {
    auto* c = static_cast<SignalContext*>(data);
    const std::string_view typed(text, length >= 0 ? static_cast<size_t>(length) : std::strlen(text));
    std::string refused;
    const std::string inserted = WithoutForeignCharacters(typed, &refused);
    if (refused.empty()) {
        ShowRefusal(c->shown, nullptr, nullptr);
    } else {
        gtk_widget_error_bell(GTK_WIDGET(editable));
        ShowRefusal(c->shown, GTK_WIDGET(editable), RefusedCharacterText(refused).c_str());
    }
    size_t fit = inserted.size();
    const int limit = c->item->maxTextLength;
    if (limit >= 0) {
        // What stays of the field: all of it but a selection the insertion
        // replaces.
        gint start = 0, end = 0;
        gtk_editable_get_selection_bounds(editable, &start, &end);
        gchar* before = gtk_editable_get_chars(editable, 0, start);
        gchar* after = gtk_editable_get_chars(editable, end, -1);
        const size_t held = TypedCp932(before).size() + TypedCp932(after).size();
        g_free(before);
        g_free(after);
        fit = FittingInsertion(held, inserted, limit);
    }
    if (refused.empty() && fit == inserted.size()) return;
    g_signal_stop_emission_by_name(editable, "insert-text");
    if (fit == 0) {
        if (refused.empty()) gtk_widget_error_bell(GTK_WIDGET(editable));
        return;
    }
    const std::string part = inserted.substr(0, fit);
    g_signal_handlers_block_by_func(editable, reinterpret_cast<gpointer>(OnEntryInsert), data);
    gtk_editable_insert_text(editable, part.c_str(), static_cast<gint>(part.size()), position);
    g_signal_handlers_unblock_by_func(editable, reinterpret_cast<gpointer>(OnEntryInsert), data);
}

void OnPopupChanged(GtkComboBox* combo, gpointer data) {
    auto* c = static_cast<SignalContext*>(data);
    const int index = gtk_combo_box_get_active(combo);
    if (index < 0) return;
    UserStep step;
    step.action = UserStep::Action::kSelect;
    step.item = c->item->id;
    step.index = index;
    Act(c->shown, c->item, step);
}

gboolean IsSeparatorRow(GtkTreeModel* model, GtkTreeIter* row, gpointer) {
    gboolean separator = FALSE;
    gtk_tree_model_get(model, row, kColumnSeparator, &separator, -1);
    return separator;
}

bool IsPushButton(const ShownDialog* shown, GtkWidget* widget) {
    for (const ShownDialog::Widget& w : shown->widgets)
        if (w.widget == widget)
            return w.item->kind == DialogItemKind::kPushButton ||
                   w.item->kind == DialogItemKind::kDefaultButton;
    return false;
}

gboolean OnKey(GtkWidget* window, GdkEventKey* event, gpointer data) {
    auto* shown = static_cast<ShownDialog*>(data);
    if (event->keyval == GDK_KEY_Escape) {
        Cancel(shown);
        return TRUE;
    }
    if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter ||
        event->keyval == GDK_KEY_ISO_Enter) {
        // A focused push button takes Enter itself.
        if (IsPushButton(shown, gtk_window_get_focus(GTK_WINDOW(window)))) return FALSE;
        if (AdmItem* button = DefaultButtonOf(shown->dialog)) Press(shown, button);
        return TRUE;
    }
    return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    Cancel(static_cast<ShownDialog*>(data));
    return TRUE;  // the window goes when the run has ended
}

// The client area: the picture of the dialog as the manager holds it, after
// the items that wait to be painted have been painted.
gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* shown = static_cast<ShownDialog*>(data);
    if (!shown->dialog->ended) PaintDialogItems(shown->dialog);
    DialogSnapshot snapshot = SnapshotDialog(RefOf(shown->dialog));
    // The widgets show themselves.
    std::erase_if(snapshot.items, [](const SnapshotItem& item) { return IsWidgetKind(item.kind); });
    DialogPicture picture = RenderDialogPicture(snapshot);
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        picture.image.bytes.data(), CAIRO_FORMAT_RGB24, picture.image.width, picture.image.height,
        picture.image.width * 4);
    cairo_set_source_surface(cr, image, -picture.clientLeft, -picture.clientTop);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_surface_destroy(image);
    return TRUE;
}

// The title also as the window's WM_NAME, in compound text: GTK leaves
// that out when the C library's locale cannot convert the title, and tools
// that find windows by name read it.
void NameWindow(GtkWidget* window, const std::string& title) {
    gtk_widget_realize(window);
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    if (gdkWindow == nullptr || !GDK_IS_X11_WINDOW(gdkWindow)) return;
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_window_get_display(gdkWindow));
    char* list[] = {const_cast<char*>(title.c_str())};
    XTextProperty name;
    if (Xutf8TextListToTextProperty(display, list, 1, XCompoundTextStyle, &name) < 0) return;
    XSetWMName(display, GDK_WINDOW_XID(gdkWindow), &name);
    XFree(name.value);
}

GtkWidget* MakeWidget(AdmItem* item) {
    switch (item->kind) {
        case DialogItemKind::kPushButton:
        case DialogItemKind::kDefaultButton: {
            GtkWidget* button = gtk_button_new_with_mnemonic("");
            if (item->kind == DialogItemKind::kDefaultButton || item->id == kDefaultButtonID)
                gtk_widget_set_can_default(button, TRUE);
            return button;
        }
        case DialogItemKind::kCheckBox:
            return gtk_check_button_new_with_mnemonic("");
        case DialogItemKind::kEditText: {
            GtkWidget* entry = gtk_entry_new();
            gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
            gtk_entry_set_has_frame(GTK_ENTRY(entry), TRUE);
            return entry;
        }
        case DialogItemKind::kPopup: {
            GtkListStore* store =
                gtk_list_store_new(kColumnCount, G_TYPE_STRING, G_TYPE_BOOLEAN, G_TYPE_BOOLEAN);
            GtkWidget* combo = gtk_combo_box_new_with_model(GTK_TREE_MODEL(store));
            g_object_unref(store);
            GtkCellRenderer* text = gtk_cell_renderer_text_new();
            gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), text, TRUE);
            gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(combo), text, "text", kColumnText,
                                           "sensitive", kColumnEnabled, nullptr);
            gtk_combo_box_set_row_separator_func(GTK_COMBO_BOX(combo), IsSeparatorRow, nullptr,
                                                 nullptr);
            return combo;
        }
        default:
            return nullptr;
    }
}

// Connects the signal by which `w`'s widget reports the person's actions.
void Connect(ShownDialog* shown, ShownDialog::Widget* w, std::vector<SignalContext*>* contexts) {
    auto* c = new SignalContext{shown, w->item};
    contexts->push_back(c);
    switch (w->item->kind) {
        case DialogItemKind::kPushButton:
        case DialogItemKind::kDefaultButton:
        case DialogItemKind::kCheckBox:
            w->handler = g_signal_connect(w->widget, "clicked", G_CALLBACK(OnClicked), c);
            break;
        case DialogItemKind::kEditText:
            w->handler = g_signal_connect(w->widget, "changed", G_CALLBACK(OnEntryChanged), c);
            w->insertHandler =
                g_signal_connect(w->widget, "insert-text", G_CALLBACK(OnEntryInsert), c);
            break;
        case DialogItemKind::kPopup:
            w->handler = g_signal_connect(w->widget, "changed", G_CALLBACK(OnPopupChanged), c);
            break;
        default:
            break;
    }
}

}  // namespace

ShownDialog* DialogWindows::Find(const AdmDialog* dialog) {
    for (ShownDialog* shown : shown_)
        if (shown->dialog == dialog) return shown;
    return nullptr;
}

void DialogWindows::RunModal(AdmDialog* dialog) {
    ShownDialog shown;
    shown.owner = this;
    shown.dialog = dialog;
    const int32_t width = dialog->surface.width;
    const int32_t height = dialog->surface.height;

    shown.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(shown.window);
    gtk_window_set_title(window, Cp932ToUtf8Lossy(dialog->resource.title).c_str());
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
    if (!shown_.empty()) gtk_window_set_transient_for(window, GTK_WINDOW(shown_.back()->window));
    ApplyDialogFace(shown.window, dialog->layout.face);

    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, width, height);
    gtk_container_add(GTK_CONTAINER(window), fixed);
    shown.area = gtk_drawing_area_new();
    gtk_widget_set_size_request(shown.area, width, height);
    gtk_fixed_put(GTK_FIXED(fixed), shown.area, 0, 0);
    g_signal_connect(shown.area, "draw", G_CALLBACK(OnDraw), &shown);

    // Later children lie on top: the first item of the template goes last.
    std::vector<SignalContext*> contexts;
    for (auto it = dialog->items.rbegin(); it != dialog->items.rend(); ++it) {
        AdmItem* item = it->get();
        GtkWidget* widget = MakeWidget(item);
        if (widget == nullptr) continue;
        const ADMRect& r = item->rect;
        gtk_widget_set_size_request(widget, std::max(r.right - r.left, 1),
                                    std::max(r.bottom - r.top, 1));
        gtk_fixed_put(GTK_FIXED(fixed), widget, r.left, r.top);
        shown.widgets.push_back({item, widget});
    }
    for (ShownDialog::Widget& w : shown.widgets) {
        Mirror(&w);
        Connect(&shown, &w, &contexts);
    }
    if (AdmItem* button = DefaultButtonOf(dialog))
        if (ShownDialog::Widget* w = WidgetOf(&shown, button)) {
            gtk_window_set_default(window, w->widget);
            gtk_widget_grab_focus(w->widget);
        }
    // The first text field of the template takes the keys, its text selected
    // so that typing replaces it; without one the default button has them.
    for (const auto& item : dialog->items)
        if (item->kind == DialogItemKind::kEditText)
            if (ShownDialog::Widget* w = WidgetOf(&shown, item.get())) {
                gtk_widget_grab_focus(w->widget);
                gtk_editable_select_region(GTK_EDITABLE(w->widget), 0, -1);
                break;
            }
    g_signal_connect(shown.window, "key-press-event", G_CALLBACK(OnKey), &shown);
    g_signal_connect(shown.window, "delete-event", G_CALLBACK(OnDelete), &shown);

    shown.loop = g_main_loop_new(nullptr, FALSE);
    shown_.push_back(&shown);
    NameWindow(shown.window, Cp932ToUtf8Lossy(dialog->resource.title));
    gtk_widget_show_all(shown.window);
    if (!dialog->ended) g_main_loop_run(shown.loop);
    shown_.pop_back();

    gtk_widget_destroy(shown.window);
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    g_main_loop_unref(shown.loop);
    for (SignalContext* c : contexts) delete c;
}

void DialogWindows::ItemChanged(AdmItem* item) {
    ShownDialog* shown = Find(item->dialog);
    if (shown == nullptr) return;
    if (ShownDialog::Widget* w = WidgetOf(shown, item)) {
        Mirror(w);
    } else {
        QueueItemDraw(shown, item);
    }
}

void DialogWindows::ItemInvalidated(AdmItem* item) {
    if (ShownDialog* shown = Find(item->dialog)) QueueItemDraw(shown, item);
}

}  // namespace standin

// The entry points of the module orvelk-window.so (window_module.h).
extern "C" {

standin::DialogBackEnd* OrvelkOpenDialogWindows(std::string* why) {
    if (!standin::OpenWindowDisplay(why)) return nullptr;
    return new standin::DialogWindows();
}

void OrvelkCloseDialogWindows(standin::DialogBackEnd* windows) {
    delete windows;
}

}  // extern "C"
