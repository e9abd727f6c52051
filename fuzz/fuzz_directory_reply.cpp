// A directory-server reply: the envelope, then the server model and the app-key properties
// built from it, as the start-up reads them.
#include "FuzzInput.h"
#include "shell/VKJYDirectoryReply.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto reply = VKJYDirectoryReply::parse(FuzzInput{data, size}.allText());
    if (!reply) {
        return 0;
    }
    if (auto model = VKJYDirectoryServerModel::createWithReply(*reply)) {
        if (model->ywsys()) {
            VKJYHangQingUrlHelper::createWithYwsys(*model->ywsys());
        }
    }
    VKJYNormalAppKeyPropertyModel properties;
    properties.fillWithReply(*reply);
    return 0;
}
