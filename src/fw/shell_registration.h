// Registration of the document type with the shell, for the current user
// only (HKEY_CURRENT_USER\Software\Classes). An extension that already has an
// association keeps it; the program is added to its open-with list instead.
#pragma once

#include <string>

namespace fw {

struct DocumentType {
  std::wstring prog_id;     // "Kestil.Document"
  std::wstring name;        // "Kestil Document"
  std::wstring extension;   // ".txt"
  std::wstring executable;  // full path of the program
  int icon_index = 1;       // the document icon in the executable
};

// The number of values written: none when everything is already in place.
// Registry failures are ignored.
int RegisterDocumentType(const DocumentType& type);

}  // namespace fw
