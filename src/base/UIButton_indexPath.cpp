#include "base/UIButton_indexPath.h"

std::unique_ptr<UIButton_indexPath> UIButton_indexPath::buttonWithType(Type type) {
    return std::make_unique<UIButton_indexPath>(type);
}
