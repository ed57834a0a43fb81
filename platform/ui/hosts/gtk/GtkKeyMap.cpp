#include "platform/ui/hosts/gtk/GtkKeyMap.h"

#include <gdk/gdk.h>

namespace ui::gtkhost {
namespace {

// MK_* bits of the mouse messages' wParam.
constexpr WPARAM kMkLButton = 0x0001;
constexpr WPARAM kMkRButton = 0x0002;
constexpr WPARAM kMkShift = 0x0004;
constexpr WPARAM kMkControl = 0x0008;
constexpr UINT kVkNumpad0 = 0x60;

struct KeyPair {
  unsigned int keyval;
  UINT virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {GDK_KEY_BackSpace, VK_BACK},   {GDK_KEY_Tab, VK_TAB},           {GDK_KEY_ISO_Left_Tab, VK_TAB},
    {GDK_KEY_Return, VK_RETURN},    {GDK_KEY_KP_Enter, VK_RETURN},   {GDK_KEY_Shift_L, VK_SHIFT},
    {GDK_KEY_Shift_R, VK_SHIFT},    {GDK_KEY_Control_L, VK_CONTROL}, {GDK_KEY_Control_R, VK_CONTROL},
    {GDK_KEY_Alt_L, VK_MENU},       {GDK_KEY_Alt_R, VK_MENU},        {GDK_KEY_Escape, VK_ESCAPE},
    {GDK_KEY_space, VK_SPACE},      {GDK_KEY_Page_Up, VK_PRIOR},     {GDK_KEY_KP_Page_Up, VK_PRIOR},
    {GDK_KEY_Page_Down, VK_NEXT},   {GDK_KEY_KP_Page_Down, VK_NEXT}, {GDK_KEY_End, VK_END},
    {GDK_KEY_KP_End, VK_END},       {GDK_KEY_Home, VK_HOME},         {GDK_KEY_KP_Home, VK_HOME},
    {GDK_KEY_Left, VK_LEFT},        {GDK_KEY_KP_Left, VK_LEFT},      {GDK_KEY_Up, VK_UP},
    {GDK_KEY_KP_Up, VK_UP},         {GDK_KEY_Right, VK_RIGHT},       {GDK_KEY_KP_Right, VK_RIGHT},
    {GDK_KEY_Down, VK_DOWN},        {GDK_KEY_KP_Down, VK_DOWN},      {GDK_KEY_Insert, VK_INSERT},
    {GDK_KEY_KP_Insert, VK_INSERT}, {GDK_KEY_Delete, VK_DELETE},     {GDK_KEY_KP_Delete, VK_DELETE},
};

}  // namespace

UINT VirtualKeyOf(unsigned int keyval) {
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.keyval == keyval) return pair.virtualKey;
  }
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return 'A' + (keyval - GDK_KEY_a);
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return 'A' + (keyval - GDK_KEY_A);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return '0' + (keyval - GDK_KEY_0);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return kVkNumpad0 + (keyval - GDK_KEY_KP_0);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return VK_F1 + (keyval - GDK_KEY_F1);
  return 0;
}

WPARAM MouseKeyStateOf(unsigned int gdkState, unsigned int changedButton, bool down) {
  bool left = (gdkState & GDK_BUTTON1_MASK) != 0;
  bool right = (gdkState & GDK_BUTTON3_MASK) != 0;
  if (changedButton == 1) left = down;
  if (changedButton == 3) right = down;
  WPARAM bits = 0;
  if (left) bits |= kMkLButton;
  if (right) bits |= kMkRButton;
  if ((gdkState & GDK_SHIFT_MASK) != 0) bits |= kMkShift;
  if ((gdkState & GDK_CONTROL_MASK) != 0) bits |= kMkControl;
  return bits;
}

}  // namespace ui::gtkhost
