// The document: an empty text or the HTML skeleton when new, in the
// encoding the settings give new documents.
#pragma once

#include <cstdint>

#include "app/options.h"
#include "fw/document.h"

namespace kestil {

class CKestilDoc : public fw::Document {
 public:
  // new_doc_kind: the application's kind of the next new document (0 empty,
  // 1 HTML skeleton).
  CKestilDoc(const KestilOptions& options, const std::uint8_t& new_doc_kind)
      : m_Options(options), m_NewDocKind(new_doc_kind) {}

  bool OnNewDocument() override;
  bool OnOpenDocument(const std::wstring& path) override;

 protected:
  // An HTML page (made from the skeleton, or opened from .htm or .html) is
  // saved as one: the web filter chosen first, with the extension .htm.
  void PrepareSaveAs(fw::FileDialogRequest& request) override;
  // As the settings give it (m_NewDocEncoding).
  Encoding NewDocumentEncoding() const override;

 private:
  const KestilOptions& m_Options;
  const std::uint8_t& m_NewDocKind;
  bool m_IsHtml = false;
};

}  // namespace kestil
