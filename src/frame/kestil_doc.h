// The document: an empty text or the HTML skeleton when new, the file's
// bytes unchanged when opened and saved.
#pragma once

#include "fw/document.h"

namespace kestil {

class CKestilDoc : public fw::Document {
 public:
  bool OnNewDocument() override;
};

}  // namespace kestil
