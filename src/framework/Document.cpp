#include "framework/Document.h"

namespace fw {

Document::~Document() = default;

BOOL Document::OnNewDocument() { return TRUE; }

}  // namespace fw
