#include "ToolSession.h"

#include "common/SkinPackage.h"
#include "platform/ui/UIlib.h"

namespace bench {

ToolSkin::ToolSkin() {
  std::uint32_t size = 0;
  m_package.reset(LoadSkinPackage(LPR_BENCH_SKIN_PACKAGE, size));
  ui::CResourceManagerUI::SetResourceZipPtr(m_package.get(), size);
  ui::CStyleManagerUI::InitInstance();
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
}

ToolSkin::~ToolSkin() {
  ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
  ui::CStyleManagerUI::FreeInstance();
}

void OpenCamera(ui::test::Driver& driver, const std::string& ip) {
  driver.Run([&] { driver.Control("edit_device_ip")->SetText(ip.c_str()); });
  driver.Type("edit_device_ip", "");
  driver.Run([&] {
    driver.Control("edit_device_port")->SetText("8080");
    driver.Control("edit_device_login_pwd")->SetText("qorvt");
  });
  driver.Click("btn_open");
}

}  // namespace bench
