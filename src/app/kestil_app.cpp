#include "app/kestil_app.h"

namespace kestil {

CKestilApp::CKestilApp()
    : profile_(std::make_unique<fw::RegistryProfile>(kRegistryMaker, kApplicationName)) {}

void CKestilApp::LoadOptions() { KestilOptions::LoadOptions(*profile_); }

void CKestilApp::SaveOptions() const { KestilOptions::SaveOptions(*profile_); }

HFONT CreateEditorFont() {
  return CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                     L"FixedSys");
}

}  // namespace kestil
