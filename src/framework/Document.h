#pragma once
// The document of the single document / frame / view triple: it holds the program's
// data while the frame and the view show it.
#include <windows.h>

namespace fw {

class Document {
public:
    Document() = default;
    virtual ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Fills a new document; FALSE stops the program's start-up.
    virtual BOOL OnNewDocument();
};

}  // namespace fw
