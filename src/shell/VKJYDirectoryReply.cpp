#include "shell/VKJYDirectoryReply.h"

#include "base/XMLTreeDocument.h"
#include "platform/foundation/Text.h"

std::optional<VKJYDirectoryReply> VKJYDirectoryReply::parse(std::string_view body) {
    auto document = XMLTreeDocument::createWithXMLString(body);
    if (!document) {
        return std::nullopt;
    }
    auto root = document->rootElement();
    if (!root || root->name() != "RESP") {
        return std::nullopt;
    }
    return VKJYDirectoryReply{Text::trimmed(childText(*root, "CODE")), childText(*root, "MSG"),
                              *root};
}

std::string VKJYDirectoryReply::attribute(const XMLTreeElement& element, std::string_view name) {
    auto node = element.attributeForName(name);
    return node ? node->stringValue() : std::string();
}

std::string VKJYDirectoryReply::childText(const XMLTreeElement& element, std::string_view name) {
    auto child = element.elementForName(name);
    return child ? child->stringValue() : std::string();
}
