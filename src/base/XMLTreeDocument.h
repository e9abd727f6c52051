#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/XMLTreeElement.h"

// A parsed XML reply (libxml2 underneath). Parsing reads only the given text: no network, no
// DTD or external entity is loaded and entities are not expanded. Copies share one tree.
// Used on one thread at a time.
class XMLTreeDocument {
public:
    // The document, or nothing with a message in *error when the text is not well-formed.
    // `options` is kept for callers that pass 0; no option changes the parse.
    static std::optional<XMLTreeDocument> createWithXMLString(std::string_view xml, int options = 0,
                                                              std::string* error = nullptr);

    std::optional<XMLTreeElement> rootElement() const;

private:
    explicit XMLTreeDocument(std::shared_ptr<_xmlDoc> document);

    std::shared_ptr<_xmlDoc> m_document;
};
