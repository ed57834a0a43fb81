#include "platform/ui/controls/ListInfoAttributes.h"

#include <cstdlib>

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/core/UIAttributes.h"

namespace ui {
namespace {

bool ApplyColor(TListInfoUI& info, const char* name, const char* value) {
  struct Entry {
    const char* name;
    DWORD TListInfoUI::*member;
  };
  static constexpr Entry kColors[] = {
      {"itemtextcolor", &TListInfoUI::dwTextColor},
      {"itembkcolor", &TListInfoUI::dwBkColor},
      {"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
      {"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
      {"itemhottextcolor", &TListInfoUI::dwHotTextColor},
      {"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
      {"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
      {"itemdisabledbkcolor", &TListInfoUI::dwDisabledBkColor},
      {"itemlinecolor", &TListInfoUI::dwLineColor},
  };
  for (const Entry& entry : kColors) {
    if (IsName(name, entry.name)) {
      info.*entry.member = ParseColorAttribute(value);
      return true;
    }
  }
  return false;
}

bool ApplyImage(TListInfoUI& info, const char* name, const char* value) {
  struct Entry {
    const char* name;
    CDuiString TListInfoUI::*member;
  };
  static constexpr Entry kImages[] = {
      {"itembkimage", &TListInfoUI::sBkImage},
      {"itemselectedimage", &TListInfoUI::sSelectedImage},
      {"itemhotimage", &TListInfoUI::sHotImage},
      {"itemdisabledimage", &TListInfoUI::sDisabledImage},
  };
  for (const Entry& entry : kImages) {
    if (IsName(name, entry.name)) {
      info.*entry.member = value;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ApplyListInfoAttribute(TListInfoUI& info, const char* name, const char* value) {
  if (ApplyColor(info, name, value) || ApplyImage(info, name, value)) return true;
  if (IsName(name, "itemfont")) {
    info.nFont = std::atoi(value);
  } else if (IsName(name, "itemalign")) {
    info.uTextStyle &= ~(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (IsName(value, "center")) info.uTextStyle |= DT_CENTER;
    if (IsName(value, "right")) info.uTextStyle |= DT_RIGHT;
  } else if (IsName(name, "itemendellipsis")) {
    if (ParseBoolAttribute(value)) {
      info.uTextStyle |= DT_END_ELLIPSIS;
    } else {
      info.uTextStyle &= ~DT_END_ELLIPSIS;
    }
  } else if (IsName(name, "itemtextpadding")) {
    info.rcTextPadding = ParseRectAttribute(value);
  } else if (IsName(name, "itemaltbk")) {
    info.bAlternateBk = ParseBoolAttribute(value);
  } else {
    return false;
  }
  return true;
}

}  // namespace ui
