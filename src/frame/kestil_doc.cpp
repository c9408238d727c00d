#include "frame/kestil_doc.h"

#include <cwctype>

#include "fw/edit_view.h"
#include "res/resource.h"
#include "view/tag_commands.h"

namespace kestil {

bool CKestilDoc::OnNewDocument() {
  if (!fw::Document::OnNewDocument()) return false;
  if (m_NewDocKind == 1) {
    const PageCharset charset = encoding() == Encoding::kShiftJis ? PageCharset::kShiftJis
                                : encoding() == Encoding::kUtf16Le || encoding() == Encoding::kUtf16Be
                                    ? PageCharset::kUtf16
                                    : PageCharset::kUtf8;
    const Skeleton page = HtmlSkeleton(m_Options.m_TagStrType, charset, MarkupStyleOf(m_Options.m_MarkupStyle));
    LoadNewText(page.text);
    if (fw::EditView* view = this->view()) {
      view->edit().SetSel(page.caret, page.caret);
    }
  }
  m_IsHtml = m_NewDocKind == 1;
  return true;
}

namespace {

bool HasHtmlExtension(const std::wstring& path) {
  const auto dot = path.find_last_of(L".\\/");
  if (dot == std::wstring::npos || path[dot] != L'.') return false;
  std::wstring ext = path.substr(dot + 1);
  for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext == L"htm" || ext == L"html";
}

constexpr int kWebFilter = 2;  // the second pair of IDS_SAVE_AS_FILTER

}  // namespace

bool CKestilDoc::OnOpenDocument(const std::wstring& path) {
  if (!fw::Document::OnOpenDocument(path)) return false;
  m_IsHtml = HasHtmlExtension(path);
  return true;
}

Encoding CKestilDoc::NewDocumentEncoding() const {
  switch (m_Options.m_NewDocEncoding) {
    case 1: return Encoding::kUtf8;
    case 2: return Encoding::kUtf8Bom;
    default: return Encoding::kShiftJis;
  }
}

void CKestilDoc::PrepareSaveAs(fw::FileDialogRequest& request) {
  request.filter = fw::LoadResString(IDS_SAVE_AS_FILTER);
  if (m_IsHtml || HasHtmlExtension(path_name())) {
    request.filter_index = kWebFilter;
    request.default_ext = L"htm";
  }
}

}  // namespace kestil
