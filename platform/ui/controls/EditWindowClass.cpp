#include "platform/ui/controls/EditWindowClass.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/Charset.h"
#include "platform/ui/controls/EditTextModel.h"
#include "platform/ui/controls/GdiColors.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/ClipScope.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

constexpr DWORD kSelectionColor = 0xFF3399FF;
constexpr DWORD kSelectedTextColor = 0xFFFFFFFF;
constexpr DWORD kWindowColor = 0xFFFFFFFF;
constexpr DWORD kReadOnlyColor = 0xFFF0F0F0;
constexpr DWORD kTextColor = 0xFF000000;
constexpr DWORD kDisabledTextColor = 0xFF6D6D6D;
constexpr int kDefaultMargin = 1;

LRESULT MakeResult(std::size_t low, std::size_t high) {
  return static_cast<LRESULT>((std::min<std::size_t>(high, 0xFFFF) << 16) | std::min<std::size_t>(low, 0xFFFF));
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// Tells the parent about a user edit. Only the window handle is used: the parent may close the
// edit window (and so delete its behaviour) while it handles the notification.
bool NotifyParent(HWND hwnd, UINT code) {
  const HWND parent = GetParent(hwnd);
  if (parent != nullptr) SendMessage(parent, WM_COMMAND, static_cast<WPARAM>(code) << 16, reinterpret_cast<LPARAM>(hwnd));
  return IsWindow(hwnd);
}

int XOfPosition(const std::vector<CaretStop>& stops, std::size_t position) {
  for (const CaretStop& stop : stops) {
    if (static_cast<std::size_t>(stop.byteOffset) >= position) return stop.x;
  }
  return stops.empty() ? 0 : stops.back().x;
}

class EditWindowClass final : public IWindowClassBehavior {
 public:
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ReadStyle(HWND hwnd);
  void SyncText(HWND hwnd);
  const Font* CurrentFont() const { return m_font != nullptr ? m_font : Font::Default().get(); }
  std::vector<CaretStop> Stops() const { return CRenderEngine::GetCaretStops(CurrentFont(), m_model.DisplayText()); }
  RECT TextRect(HWND hwnd) const;
  std::size_t PositionAt(HWND hwnd, long x) const;
  // The client point of the character at `position` (its left edge, on the text line) as
  // MAKELPARAM(x, y); -1 beyond the end of the text.
  LRESULT PositionOf(HWND hwnd, std::size_t position) const;
  void EnsureCaretVisible(HWND hwnd);
  void Refresh(HWND hwnd);
  void TellHostCaret(HWND hwnd) const;
  // After a user edit: keeps the text, repaints, then notifies. Returns nothing that needs `this`.
  static void Commit(EditWindowClass* self, HWND hwnd);

  LRESULT OnChar(HWND hwnd, WPARAM wParam);
  LRESULT OnKeyDown(HWND hwnd, WPARAM wParam);
  bool InsertCharacter(const std::string& character);
  void SelectWordAt(std::size_t position);
  void Copy() const;
  void Paint(HWND hwnd, HDC hdc);

  EditTextModel m_model;
  const Font* m_font = nullptr;
  int m_leftMargin = kDefaultMargin;
  int m_rightMargin = kDefaultMargin;
  int m_scrollX = 0;
  bool m_focused = false;
  bool m_modified = false;
  bool m_selecting = false;
  bool m_numberOnly = false;
  unsigned char m_pendingLead = 0;
};

void EditWindowClass::ReadStyle(HWND hwnd) {
  // The edit class takes double clicks, also in the classes that name it as super class.
  if (auto record = LocalRecord(hwnd)) record->classStyle |= CS_DBLCLKS;
  const DWORD style = GetWindowStyle(hwnd);
  if ((style & ES_PASSWORD) != 0) m_model.SetPasswordChar('*');
  m_model.SetReadOnly((style & ES_READONLY) != 0);
  m_numberOnly = (style & ES_NUMBER) != 0;
}

// SetWindowText changes the window's text without a message; pick such changes up as WM_SETTEXT.
void EditWindowClass::SyncText(HWND hwnd) {
  std::string text = GetWindowTextString(hwnd);
  if (text == m_model.Text()) return;
  m_model.SetText(text);
  m_scrollX = 0;
}

RECT EditWindowClass::TextRect(HWND hwnd) const {
  RECT client{};
  GetClientRect(hwnd, &client);
  client.left += m_leftMargin;
  client.right -= m_rightMargin;
  if (client.right < client.left) client.right = client.left;
  return client;
}

std::size_t EditWindowClass::PositionAt(HWND hwnd, long x) const {
  const std::vector<CaretStop> stops = Stops();
  const long textX = x - TextRect(hwnd).left + m_scrollX;
  std::size_t display = 0;
  for (std::size_t i = 0; i < stops.size(); ++i) {
    display = static_cast<std::size_t>(stops[i].byteOffset);
    if (i + 1 == stops.size() || textX < (stops[i].x + stops[i + 1].x + 1) / 2) break;
  }
  return m_model.FromDisplayPosition(display);
}

LRESULT EditWindowClass::PositionOf(HWND hwnd, std::size_t position) const {
  if (position > m_model.Text().size()) return -1;
  const RECT area = TextRect(hwnd);
  const int x = XOfPosition(Stops(), m_model.ToDisplayPosition(m_model.CharacterStart(position))) - m_scrollX + area.left;
  const int y = area.top + (RectHeight(area) - CurrentFont()->Height()) / 2;
  return static_cast<LRESULT>(MAKELPARAM(x, y));
}

void EditWindowClass::EnsureCaretVisible(HWND hwnd) {
  const RECT rc = TextRect(hwnd);
  const int width = std::max<int>(1, RectWidth(rc));
  const std::vector<CaretStop> stops = Stops();
  const int caretX = XOfPosition(stops, m_model.ToDisplayPosition(m_model.Caret()));
  const int textWidth = stops.empty() ? 0 : stops.back().x;
  if (caretX - m_scrollX > width - 1) m_scrollX = caretX - width + 1;
  if (caretX < m_scrollX) m_scrollX = caretX;
  if (textWidth - m_scrollX < width - 1) m_scrollX = std::max(0, textWidth - width + 1);
}

void EditWindowClass::Refresh(HWND hwnd) {
  EnsureCaretVisible(hwnd);
  InvalidateRect(hwnd, nullptr);
  TellHostCaret(hwnd);
}

// An input method places its window at the caret.
void EditWindowClass::TellHostCaret(HWND hwnd) const {
  if (!m_focused) return;
  const HWND root = GetAncestorRoot(hwnd);
  const RECT rc = TextRect(hwnd);
  const int x = XOfPosition(Stops(), m_model.ToDisplayPosition(m_model.Caret())) - m_scrollX + rc.left;
  POINT topLeft{x, rc.top};
  ClientToScreen(hwnd, &topLeft);
  ScreenToClient(root, &topLeft);
  CurrentHost().TextInputPlace(root, RECT{topLeft.x, topLeft.y, topLeft.x + 1, topLeft.y + RectHeight(rc)});
}

void EditWindowClass::Commit(EditWindowClass* self, HWND hwnd) {
  self->m_modified = true;
  SetWindowText(hwnd, self->m_model.Text().c_str());
  self->Refresh(hwnd);
  if (NotifyParent(hwnd, EN_UPDATE)) NotifyParent(hwnd, EN_CHANGE);
}

bool EditWindowClass::InsertCharacter(const std::string& character) {
  if (m_numberOnly && (character.size() != 1 || character[0] < '0' || character[0] > '9')) return false;
  return m_model.ReplaceSelection(character);
}

LRESULT EditWindowClass::OnChar(HWND hwnd, WPARAM wParam) {
  const auto lead = static_cast<unsigned char>(wParam & 0xFF);
  const auto trail = static_cast<unsigned char>((wParam >> 8) & 0xFF);
  std::string character;
  if (m_pendingLead != 0 && trail == 0 && lead >= 0x40) {
    // The trail byte of a character that came in two messages.
    character = {static_cast<char>(m_pendingLead), static_cast<char>(lead)};
    m_pendingLead = 0;
  } else if (trail == 0 && os::IsGbkLeadByte(lead)) {
    m_pendingLead = lead;
    return 0;
  } else {
    m_pendingLead = 0;
    character.push_back(static_cast<char>(lead));
    if (trail != 0) character.push_back(static_cast<char>(trail));
  }
  bool changed = false;
  switch (lead) {
    case 0x01:  // Ctrl+A
      m_model.SelectAll();
      Refresh(hwnd);
      return 0;
    case 0x03:  // Ctrl+C
      Copy();
      return 0;
    case 0x16:  // Ctrl+V
      return SendMessage(hwnd, WM_PASTE);
    case 0x18:  // Ctrl+X
      return SendMessage(hwnd, WM_CUT);
    case VK_BACK:
      changed = m_model.Backspace();
      break;
    default:
      if (character.size() == 1 && (lead < 0x20 || lead == 0x7F)) return 0;  // Tab, Return, Escape ...
      changed = InsertCharacter(character);
      break;
  }
  if (changed) Commit(this, hwnd);
  return 0;
}

LRESULT EditWindowClass::OnKeyDown(HWND hwnd, WPARAM wParam) {
  const bool shift = KeyDown(VK_SHIFT);
  switch (wParam) {
    case VK_LEFT:
      m_model.MoveLeft(shift);
      break;
    case VK_RIGHT:
      m_model.MoveRight(shift);
      break;
    case VK_HOME:
      m_model.MoveHome(shift);
      break;
    case VK_END:
      m_model.MoveEnd(shift);
      break;
    case VK_DELETE:
      if (shift) return SendMessage(hwnd, WM_CUT);
      if (m_model.DeleteForward()) Commit(this, hwnd);
      return 0;
    case VK_TAB:
      // As in a dialog, Tab leaves the field: the parent moves the focus on.
      if (GetParent(hwnd) != nullptr) SendMessage(GetParent(hwnd), WM_KEYDOWN, wParam, 1);
      return 0;
    case VK_INSERT:
      if (KeyDown(VK_CONTROL)) Copy();
      if (shift) return SendMessage(hwnd, WM_PASTE);
      return 0;
    default:
      return 0;
  }
  Refresh(hwnd);
  return 0;
}

void EditWindowClass::SelectWordAt(std::size_t position) {
  const std::string& text = m_model.Text();
  auto isSpace = [&](std::size_t i) { return text[i] == ' ' || text[i] == '\t'; };
  std::size_t start = m_model.CharacterStart(position);
  if (start >= text.size()) {
    if (text.empty()) return;
    start = m_model.PreviousCharacter(text.size());
  }
  const bool space = isSpace(start);
  std::size_t end = start;
  while (end < text.size() && isSpace(end) == space) end = m_model.NextCharacter(end);
  while (start > 0) {
    const std::size_t previous = m_model.PreviousCharacter(start);
    if (isSpace(previous) != space) break;
    start = previous;
  }
  m_model.SetSelection(static_cast<long>(start), static_cast<long>(end));
}

// A password is never copied out of its field.
void EditWindowClass::Copy() const {
  if (m_model.PasswordChar() != 0 || !m_model.HasSelection()) return;
  SetClipboardText(m_model.SelectedText());
}

void EditWindowClass::Paint(HWND hwnd, HDC hdc) {
  const bool enabled = IsWindowEnabled(hwnd);
  const bool readOnlyLook = !enabled || m_model.IsReadOnly();
  const HWND parent = GetParent(hwnd);
  auto brush = reinterpret_cast<HBRUSH>(
      parent != nullptr ? SendMessage(parent, readOnlyLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                      reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd))
                        : 0);
  const DcColors colors = TakeDcColors(hdc);
  RECT client{};
  GetClientRect(hwnd, &client);
  const std::optional<COLORREF> brushColor = GetBrushColor(brush);
  CRenderEngine::DrawColor(hdc, client,
                           brushColor ? ArgbFromColorRef(*brushColor) : (readOnlyLook ? kReadOnlyColor : kWindowColor));
  const DWORD textColor =
      colors.textColor ? ArgbFromColorRef(*colors.textColor) : (enabled ? kTextColor : kDisabledTextColor);

  const Font* font = CurrentFont();
  const RECT area = TextRect(hwnd);
  const int lineTop = area.top + (RectHeight(area) - font->Height()) / 2;
  const RECT line{area.left, lineTop, area.right, lineTop + font->Height()};
  const std::string display = m_model.DisplayText();
  const std::vector<CaretStop> stops = CRenderEngine::GetCaretStops(font, display);
  const int textWidth = stops.empty() ? 0 : stops.back().x;
  ClipScope clip(hdc, area);
  RECT textRc{area.left - m_scrollX, line.top, area.left - m_scrollX + textWidth + 2, line.bottom};
  constexpr UINT kStyle = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
  CRenderEngine::DrawText(hdc, font, textRc, display, textColor, kStyle);
  if (!m_focused) return;
  if (m_model.HasSelection()) {
    const int left = XOfPosition(stops, m_model.ToDisplayPosition(m_model.SelectionStart())) - m_scrollX + area.left;
    const int right = XOfPosition(stops, m_model.ToDisplayPosition(m_model.SelectionEnd())) - m_scrollX + area.left;
    const RECT selection{left, line.top, right, line.bottom};
    CRenderEngine::DrawColor(hdc, selection, kSelectionColor);
    ClipScope selectedClip(hdc, selection);
    RECT again = textRc;
    CRenderEngine::DrawText(hdc, font, again, display, kSelectedTextColor, kStyle);
    return;
  }
  const int caretX = XOfPosition(stops, m_model.ToDisplayPosition(m_model.Caret())) - m_scrollX + area.left;
  CRenderEngine::DrawColor(hdc, RECT{caretX, line.top, caretX + 1, line.bottom}, textColor);
}

LRESULT EditWindowClass::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) ReadStyle(hwnd);
  if (message != WM_SETTEXT) SyncText(hwnd);
  switch (message) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      m_model.SetText(text != nullptr ? text : "");
      m_scrollX = 0;
      BaseWindowProc(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr);
      return 1;
    }
    case WM_SETFONT:
      m_font = reinterpret_cast<const Font*>(wParam);
      if (lParam != 0) Refresh(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case WM_CHAR:
      return OnChar(hwnd, wParam);
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, wParam);
    case WM_KEYUP:
      return 0;
    case WM_CUT:
      if (m_model.PasswordChar() != 0 || !m_model.HasSelection() || m_model.IsReadOnly()) return 0;
      Copy();
      if (m_model.ReplaceSelection({})) Commit(this, hwnd);
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE: {
      const std::string text = GetClipboardText();
      if (m_numberOnly && text.find_first_not_of("0123456789") != std::string::npos) return 0;
      if (m_model.ReplaceSelection(text)) Commit(this, hwnd);
      return 0;
    }
    case WM_CLEAR:
      if (m_model.HasSelection() && m_model.ReplaceSelection({})) Commit(this, hwnd);
      return 0;
    case EM_GETSEL:
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(m_model.SelectionStart());
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(m_model.SelectionEnd());
      return MakeResult(m_model.SelectionStart(), m_model.SelectionEnd());
    case EM_SETSEL:
      m_model.SetSelection(static_cast<long>(static_cast<LPARAM>(wParam)), static_cast<long>(lParam));
      Refresh(hwnd);
      return 0;
    case EM_REPLACESEL: {
      const char* text = reinterpret_cast<const char*>(lParam);
      if (m_model.ReplaceSelection(text != nullptr ? text : "")) Commit(this, hwnd);
      return 0;
    }
    case EM_LIMITTEXT:
      m_model.SetLimit(static_cast<std::size_t>(wParam));
      return 0;
    case EM_SETREADONLY:
      m_model.SetReadOnly(wParam != 0);
      InvalidateRect(hwnd, nullptr);
      return 1;
    case EM_SETPASSWORDCHAR:
      m_model.SetPasswordChar(static_cast<char>(wParam & 0xFF));
      Refresh(hwnd);
      return 0;
    case EM_SETMARGINS:
      if ((wParam & EC_LEFTMARGIN) != 0) m_leftMargin = LOWORD(static_cast<std::uintptr_t>(lParam));
      if ((wParam & EC_RIGHTMARGIN) != 0) m_rightMargin = HIWORD(static_cast<std::uintptr_t>(lParam));
      Refresh(hwnd);
      return 0;
    case EM_CHARFROMPOS:
      return MakeResult(PositionAt(hwnd, GET_X_LPARAM(lParam)), 0);
    case EM_POSFROMCHAR:
      return PositionOf(hwnd, static_cast<std::size_t>(wParam));
    case EM_GETMODIFY:
      return m_modified ? 1 : 0;
    case EM_SETMODIFY:
      m_modified = wParam != 0;
      return 0;
    case WM_LBUTTONDOWN:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!IsWindow(hwnd)) return 0;
      m_model.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), (wParam & MK_SHIFT) != 0);
      m_selecting = true;
      SetCapture(hwnd);
      Refresh(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      SetCursor(LoadCursor(nullptr, IDC_IBEAM));
      if (m_selecting && GetCapture() == hwnd) {
        m_model.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), true);
        Refresh(hwnd);
      }
      return 0;
    case WM_LBUTTONUP:
      if (m_selecting) {
        m_selecting = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      SelectWordAt(PositionAt(hwnd, GET_X_LPARAM(lParam)));
      Refresh(hwnd);
      return 0;
    case WM_CAPTURECHANGED:
      m_selecting = false;
      return 0;
    case WM_SETFOCUS:
      m_focused = true;
      m_pendingLead = 0;
      Refresh(hwnd);
      return 0;
    case WM_KILLFOCUS:
      m_focused = false;
      m_selecting = false;
      InvalidateRect(hwnd, nullptr);
      CurrentHost().TextInputPlace(GetAncestorRoot(hwnd), RECT{});
      return 0;
    case WM_ENABLE:
    case WM_SIZE:
      Refresh(hwnd);
      return 0;
    case WM_PAINT:
      if (wParam != 0) Paint(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return BaseWindowProc(hwnd, message, wParam, lParam);
  }
}

const bool g_registered = [] {
  RegisterWindowClass(kEditWindowClass, [] { return std::make_unique<EditWindowClass>(); });
  return true;
}();

}  // namespace
}  // namespace ui
