#include "base/XMLTreeElement.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

namespace {

std::string_view nameOf(const xmlNode* node) {
    return node->name == nullptr ? std::string_view() : reinterpret_cast<const char*>(node->name);
}

void ignoreXPathError(void*, xmlErrorPtr) {}

void appendText(const xmlNode* node, std::string& out) {
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        switch (child->type) {
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                if (child->content != nullptr) {
                    out += reinterpret_cast<const char*>(child->content);
                }
                break;
            case XML_ELEMENT_NODE:
                appendText(child, out);
                break;
            default:
                break;
        }
    }
}

}  // namespace

XMLTreeElement::XMLTreeElement(std::shared_ptr<_xmlDoc> document, _xmlNode* node)
    : m_document(std::move(document)), m_node(node) {}

std::string XMLTreeElement::name() const {
    return std::string(nameOf(m_node));
}

bool XMLTreeElement::isAttribute() const {
    return m_node->type == XML_ATTRIBUTE_NODE;
}

std::string XMLTreeElement::stringValue() const {
    std::string text;
    appendText(m_node, text);
    return text;
}

std::vector<XMLTreeElement> XMLTreeElement::children() const {
    std::vector<XMLTreeElement> found;
    if (isAttribute()) {
        return found;
    }
    for (xmlNode* child = m_node->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) {
            found.emplace_back(m_document, child);
        }
    }
    return found;
}

std::optional<XMLTreeElement> XMLTreeElement::elementForName(std::string_view name) const {
    for (const XMLTreeElement& child : children()) {
        if (nameOf(child.m_node) == name) {
            return child;
        }
    }
    return std::nullopt;
}

std::vector<XMLTreeElement> XMLTreeElement::elementsForName(std::string_view name) const {
    std::vector<XMLTreeElement> found;
    for (const XMLTreeElement& child : children()) {
        if (nameOf(child.m_node) == name) {
            found.push_back(child);
        }
    }
    return found;
}

std::optional<XMLTreeElement> XMLTreeElement::attributeForName(std::string_view name) const {
    if (m_node->type != XML_ELEMENT_NODE) {
        return std::nullopt;
    }
    for (xmlAttr* attribute = m_node->properties; attribute != nullptr;
         attribute = attribute->next) {
        auto* node = reinterpret_cast<xmlNode*>(attribute);
        if (nameOf(node) == name) {
            return XMLTreeElement(m_document, node);
        }
    }
    return std::nullopt;
}

std::optional<std::vector<XMLTreeElement>> XMLTreeElement::nodesForXPath(std::string_view path,
                                                                         std::string* error) const {
    auto fail = [error](const char* message) -> std::optional<std::vector<XMLTreeElement>> {
        if (error != nullptr) {
            *error = message;
        }
        return std::nullopt;
    };
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(
        xmlXPathNewContext(m_document.get()), xmlXPathFreeContext);
    if (!context) {
        return fail("out of memory");
    }
    context->node = m_node;
    context->error = ignoreXPathError;
    const std::string expression(path);
    std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(expression.c_str()), context.get()),
        xmlXPathFreeObject);
    if (!result) {
        return fail("invalid XPath expression");
    }
    if (result->type != XPATH_NODESET) {
        return fail("XPath expression does not select nodes");
    }
    std::vector<XMLTreeElement> found;
    const xmlNodeSet* nodes = result->nodesetval;
    const int count = nodes == nullptr ? 0 : nodes->nodeNr;
    for (int i = 0; i < count; ++i) {
        xmlNode* node = nodes->nodeTab[i];
        if (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) {
            found.emplace_back(m_document, node);
        }
    }
    return found;
}
