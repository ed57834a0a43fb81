// The shared layout of CVerticalLayoutUI and CHorizontalLayoutUI.

#include <algorithm>

#include "platform/ui/core/UIContainer.h"

namespace ui {
namespace {

// One axis of a rectangle or size, so that both layouts read as the vertical one.
struct Axis {
  bool vertical;
  long Along(SIZE s) const { return vertical ? s.cy : s.cx; }
  long Across(SIZE s) const { return vertical ? s.cx : s.cy; }
  long Start(const RECT& r) const { return vertical ? r.top : r.left; }
  long End(const RECT& r) const { return vertical ? r.bottom : r.right; }
  long CrossStart(const RECT& r) const { return vertical ? r.left : r.top; }
  long CrossEnd(const RECT& r) const { return vertical ? r.right : r.bottom; }
  long MinAlong(const CControlUI& c) const { return vertical ? c.GetMinHeight() : c.GetMinWidth(); }
  long MaxAlong(const CControlUI& c) const { return vertical ? c.GetMaxHeight() : c.GetMaxWidth(); }
  long MinAcross(const CControlUI& c) const { return vertical ? c.GetMinWidth() : c.GetMinHeight(); }
  long MaxAcross(const CControlUI& c) const { return vertical ? c.GetMaxWidth() : c.GetMaxHeight(); }
  RECT Make(long start, long end, long crossStart, long crossEnd) const {
    return vertical ? RECT{crossStart, start, crossEnd, end} : RECT{start, crossStart, end, crossEnd};
  }
};

}  // namespace

void CContainerUI::LayOutLine(bool vertical, bool needInvalidate) {
  const Axis axis{vertical};
  // Two passes when a scroll bar appears: it narrows the client area.
  for (int pass = 0; pass < 2; ++pass) {
    const bool hadScroll = HasVisibleVScroll();
    const RECT client = GetClientPos();
    const SIZE available{RectWidth(client), RectHeight(client)};
    const long space = axis.Along(available);

    long fixedTotal = 0;
    int adjustables = 0;
    int shown = 0;
    for (CControlUI* item : m_items) {
      if (!item->IsVisible() || item->IsFloat()) continue;
      const RECT padding = item->GetPadding();
      const long along = axis.Along(item->EstimateSize(available));
      if (along == 0) {
        ++adjustables;
        fixedTotal += axis.MinAlong(*item);
      } else {
        fixedTotal += std::clamp(along, axis.MinAlong(*item), std::max(axis.MinAlong(*item), axis.MaxAlong(*item)));
      }
      fixedTotal += vertical ? padding.top + padding.bottom : padding.left + padding.right;
      ++shown;
    }
    if (shown > 1) fixedTotal += static_cast<long>(shown - 1) * m_iChildPadding;

    // What the adjustable children share beyond their minimum extents.
    const long spare = std::max(0L, space - fixedTotal);
    const long share = adjustables > 0 ? spare / adjustables : 0;

    long position = axis.Start(client) - (vertical ? m_szScrollPos.cy : m_szScrollPos.cx);
    long needed = 0;
    int adjusted = 0;
    long sharedSoFar = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
      CControlUI* item = m_items[i];
      if (!item->IsVisible()) continue;
      if (item->IsFloat()) {
        SetFloatPos(static_cast<int>(i));
        continue;
      }
      const RECT padding = item->GetPadding();
      const SIZE estimate = item->EstimateSize(available);
      long along = axis.Along(estimate);
      if (along == 0) {
        ++adjusted;
        const long extra = adjusted == adjustables ? spare - sharedSoFar : share;
        sharedSoFar += extra;
        along = axis.MinAlong(*item) + extra;
      }
      along = std::clamp(along, axis.MinAlong(*item), std::max(axis.MinAlong(*item), axis.MaxAlong(*item)));

      const long padStart = vertical ? padding.top : padding.left;
      const long padEnd = vertical ? padding.bottom : padding.right;
      const long crossPadStart = vertical ? padding.left : padding.top;
      const long crossPadEnd = vertical ? padding.right : padding.bottom;
      long across = axis.Across(estimate);
      const long crossSpace = axis.Across(available) - crossPadStart - crossPadEnd;
      if (across == 0) across = crossSpace;
      across = std::clamp(across, axis.MinAcross(*item), std::max(axis.MinAcross(*item), axis.MaxAcross(*item)));

      const long start = position + padStart;
      const long crossStart = axis.CrossStart(client) + crossPadStart;
      item->SetPos(axis.Make(start, start + along, crossStart, crossStart + across), needInvalidate);
      position = start + along + padEnd + m_iChildPadding;
      needed += along + padStart + padEnd + m_iChildPadding;
    }
    if (needed > 0) needed -= m_iChildPadding;
    if (vertical) {
      ProcessScrollBar(client, 0, static_cast<int>(needed));
    } else {
      m_szScrollRange.cy = 0;
    }
    if (HasVisibleVScroll() == hadScroll) return;
  }
}

}  // namespace ui
