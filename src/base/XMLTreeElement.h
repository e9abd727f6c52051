#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

// One node of a parsed XMLTreeDocument: an element, or an attribute as attributeForName gives
// it. A light handle that keeps its document alive; copy it freely. Element look-ups on an
// attribute find nothing. Same thread as its document.
class XMLTreeElement {
public:
    XMLTreeElement(std::shared_ptr<_xmlDoc> document, _xmlNode* node);

    std::string name() const;
    bool isAttribute() const;
    // Text content of the node and its descendants; entity references add nothing.
    std::string stringValue() const;

    std::optional<XMLTreeElement> elementForName(std::string_view name) const;
    std::vector<XMLTreeElement> elementsForName(std::string_view name) const;
    std::optional<XMLTreeElement> attributeForName(std::string_view name) const;
    // Child elements in document order.
    std::vector<XMLTreeElement> children() const;
    // Elements and attributes the path selects from this node; nothing when the path is not
    // valid XPath 1.0 or selects something else (a number, a text).
    std::optional<std::vector<XMLTreeElement>> nodesForXPath(std::string_view path,
                                                             std::string* error = nullptr) const;

private:
    std::shared_ptr<_xmlDoc> m_document;
    _xmlNode* m_node;
};
