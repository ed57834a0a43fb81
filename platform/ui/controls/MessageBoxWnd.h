#pragma once
// CMessageBoxWnd: the dialog behind UIMessageBox and UIMessageBox2.

#include <string>

#include "platform/ui/core/UIWindow.h"

namespace ui {

class CMessageBoxWnd : public CDialogWnd {
 public:
  explicit CMessageBoxWnd(const char* text) : m_text(text != nullptr ? text : "") {}
  // Builds the box from `layout` over `owner`, shows it modal and returns the button's code
  // (IDOK, IDYES, IDNO or IDCANCEL); -1 when the layout cannot be built.
  static int Run(HWND owner, const char* text, const char* layout);

  void BindControls() override;
  void Notify(TNotifyUI& msg) override;

 protected:
  const char* GetWindowClassName() const override;  // "UIMessageBox"
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Grows the box so that the whole text fits.
  void FitText();

  std::string m_text;
};

}  // namespace ui
