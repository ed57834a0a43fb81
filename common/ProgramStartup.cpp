#include "common/ProgramStartup.h"

#include "common/SkinPackage.h"
#include "platform/ui/UIlib.h"

void SetUpSkinResources() {
  ui::CStyleManagerUI::InitInstance();
  ui::CResourceManagerUI::SetInstance(nullptr);
  ui::CResourceManagerUI::SetResourcePath((ui::CResourceManagerUI::GetInstancePath() + "skin").c_str());
}

std::unique_ptr<unsigned char[]> LoadSkinBesideProgram(std::uint32_t& size) {
  return std::unique_ptr<unsigned char[]>(LoadSkinPackage(ui::CResourceManagerUI::GetInstancePath() + "skin.dll", size));
}

void UseSkin(unsigned char* archive, std::uint32_t size) {
  ui::CResourceManagerUI::SetResourceZipPtr(archive, size);
  ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
  ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
}
