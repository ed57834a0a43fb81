#include "platform/ui/hosts/gtk/GtkDialogs.h"

#include "platform/os/Charset.h"

namespace ui::gtkhost {
namespace {

// The file is read as the dialog is answered: a chooser still loading its folder may clear the
// selection while its loop winds down, before gtk_dialog_run returns.
void KeepAcceptedFile(GtkDialog* dialog, gint response, gpointer chosen) {
  if (response != GTK_RESPONSE_ACCEPT) return;
  gchar* file = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
  // File names on disk are UTF-8; the programs hold paths in GBK.
  *static_cast<std::string*>(chosen) = file != nullptr ? os::Utf8ToGbk(file) : std::string();
  g_free(file);
}

}  // namespace

std::string RunOpenFileDialog(GtkWindow* parent, const os::OpenFileRequest& request) {
  GtkWidget* dialog =
      gtk_file_chooser_dialog_new(os::GbkToUtf8(request.title).c_str(), parent, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                  GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  if (!request.pattern.empty()) {
    GtkFileFilter* filter = gtk_file_filter_new();
    const std::string name = request.filterName.empty() ? request.pattern : request.filterName;
    gtk_file_filter_set_name(filter, os::GbkToUtf8(name).c_str());
    gtk_file_filter_add_pattern(filter, os::GbkToUtf8(request.pattern).c_str());
    gtk_file_chooser_add_filter(chooser, filter);  // the chooser takes the filter
  }
  if (!request.initialFolder.empty()) {
    gtk_file_chooser_set_current_folder(chooser, os::GbkToUtf8(request.initialFolder).c_str());
  }
  std::string chosen;
  g_signal_connect(dialog, "response", G_CALLBACK(KeepAcceptedFile), &chosen);
  if (gtk_dialog_run(GTK_DIALOG(dialog)) != GTK_RESPONSE_ACCEPT) chosen.clear();
  gtk_widget_destroy(dialog);
  return chosen;
}

void RunPlainMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption) {
  GtkWidget* dialog = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, "%s",
                                             os::GbkToUtf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), os::GbkToUtf8(caption).c_str());
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

}  // namespace ui::gtkhost
