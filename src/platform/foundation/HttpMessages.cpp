#include "platform/foundation/HttpMessages.h"

#include "platform/foundation/Text.h"

std::optional<std::string> HttpResponse::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (Text::equalsCaseInsensitive(key, name)) {
            return value;
        }
    }
    return std::nullopt;
}
