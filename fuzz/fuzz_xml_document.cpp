// XML replies to the request templates as every reader walks them: the document, then every
// element's name, text, attributes and children.
#include "FuzzInput.h"
#include "base/XMLTreeDocument.h"

namespace {

void walk(const XMLTreeElement& element, int depth) {
    element.name();
    element.stringValue();
    element.attributeForName("MSG");
    element.elementForName("CODE");
    if (depth > 64) {
        return;
    }
    for (const XMLTreeElement& child : element.children()) {
        walk(child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto document = XMLTreeDocument::createWithXMLString(FuzzInput{data, size}.allText());
    if (auto root = document ? document->rootElement() : std::nullopt) {
        walk(*root, 0);
    }
    return 0;
}
