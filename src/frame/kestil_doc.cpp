#include "frame/kestil_doc.h"

#include "app/kestil_app.h"
#include "fw/edit_view.h"
#include "view/tag_commands.h"

namespace kestil {

bool CKestilDoc::OnNewDocument() {
  if (!fw::Document::OnNewDocument()) return false;
  fw::EditView* v = view();
  if (v == nullptr) return true;
  const CKestilApp& app = CKestilApp::Get();
  if (app.m_NewDocKind == 0) {
    v->LoadRaw("");
  } else if (app.m_NewDocKind == 1) {
    v->LoadRaw(HtmlSkeleton(app.m_TagStrType));
  }
  SetModified(false);
  return true;
}

}  // namespace kestil
