#include "base/XMLTreeDocument.h"

#include <libxml/parser.h>

#include <climits>
#include <mutex>

namespace {

// No NOENT (entities stay references), no DTDLOAD, NONET: a reply can never make us read a
// file or open a connection.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::string describeError(const xmlError* error) {
    if (error == nullptr || error->message == nullptr) {
        return "not well-formed XML";
    }
    std::string message = "line " + std::to_string(error->line) + ": " + error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

}  // namespace

XMLTreeDocument::XMLTreeDocument(std::shared_ptr<_xmlDoc> document)
    : m_document(std::move(document)) {}

std::optional<XMLTreeDocument> XMLTreeDocument::createWithXMLString(std::string_view xml, int,
                                                                    std::string* error) {
    auto fail = [error](std::string message) -> std::optional<XMLTreeDocument> {
        if (error != nullptr) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    if (xml.empty()) {
        return fail("empty XML text");
    }
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);
    if (xml.size() > INT_MAX) {
        return fail("XML text too large");
    }
    std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                       xmlFreeParserCtxt);
    if (!context) {
        return fail("out of memory");
    }
    xmlDocPtr raw = xmlCtxtReadMemory(context.get(), xml.data(), static_cast<int>(xml.size()),
                                      nullptr, "UTF-8", kParseOptions);
    std::shared_ptr<_xmlDoc> document(raw, xmlFreeDoc);
    if (!document || !context->wellFormed) {
        return fail(describeError(xmlCtxtGetLastError(context.get())));
    }
    return XMLTreeDocument(std::move(document));
}

std::optional<XMLTreeElement> XMLTreeDocument::rootElement() const {
    xmlNodePtr root = xmlDocGetRootElement(m_document.get());
    if (root == nullptr) {
        return std::nullopt;
    }
    return XMLTreeElement(m_document, root);
}
