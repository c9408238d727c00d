#include "frame/kestil_doc.h"

#include "fw/edit_view.h"
#include "view/tag_commands.h"

namespace kestil {

bool CKestilDoc::OnNewDocument() {
  if (!fw::Document::OnNewDocument()) return false;
  fw::EditView* v = view();
  if (v == nullptr) return true;
  if (new_doc_kind_ == 0) {
    v->LoadRaw("");
  } else if (new_doc_kind_ == 1) {
    v->LoadRaw(HtmlSkeleton(options_.m_TagStrType));
  }
  SetModified(false);
  return true;
}

}  // namespace kestil
