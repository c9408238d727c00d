#include "frame/kestil_doc.h"

#include "fw/edit_view.h"
#include "view/tag_commands.h"

namespace kestil {

bool CKestilDoc::OnNewDocument() {
  if (!fw::Document::OnNewDocument()) return false;
  fw::EditView* v = view();
  if (v == nullptr) return true;
  if (m_NewDocKind == 0) {
    v->LoadRaw("");
  } else if (m_NewDocKind == 1) {
    v->LoadRaw(HtmlSkeleton(m_Options.m_TagStrType));
  }
  SetModified(false);
  return true;
}

}  // namespace kestil
