// The start-up benchmark's reference: a bare GTK 3 window of the size given on the command line
// (width height) that paints one picture, a fill with a block in the middle, and does nothing else.
// It runs until it is ended.

#include <gtk/gtk.h>

#include <cstdlib>

namespace {

gboolean Draw(GtkWidget* area, cairo_t* cr, gpointer) {
  const double width = gtk_widget_get_allocated_width(area);
  const double height = gtk_widget_get_allocated_height(area);
  cairo_set_source_rgb(cr, 0.9, 0.94, 0.98);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.2, 0.4, 0.7);
  cairo_rectangle(cr, width / 4, height / 4, width / 2, height / 2);
  cairo_fill(cr);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const int width = argc > 2 ? std::atoi(argv[1]) : 800;
  const int height = argc > 2 ? std::atoi(argv[2]) : 600;
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "bare");
  gtk_window_set_default_size(GTK_WINDOW(window), width, height);
  GtkWidget* area = gtk_drawing_area_new();
  g_signal_connect(area, "draw", G_CALLBACK(Draw), nullptr);
  gtk_container_add(GTK_CONTAINER(window), area);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
