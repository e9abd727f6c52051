#include "shell/VKJYStartupSequence.h"

#include "shell/VKJYAppDelegate.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"

VKJYStartupSequence::VKJYStartupSequence(VKJYAppDelegate& app, Finished finished, Failed failed)
    : m_app(app),
      m_request(app.directoryUrlHelper()),
      m_finished(std::move(finished)),
      m_failed(std::move(failed)) {}

void VKJYStartupSequence::start() {
    m_app.directoryUrlHelper().reset();
    requestDirectory();
}

bool VKJYStartupSequence::failedReply(const std::optional<VKJYDirectoryReply>& reply) {
    if (reply) {
        return false;
    }
    m_failed(m_request.lastError());
    return true;
}

void VKJYStartupSequence::requestDirectory() {
    m_request.send(
        "GetDirectory",
        {{"APPKEY", m_app.vkAppkey()}, {"VERSION", m_app.appVersion()}, {"OSTYPE", kOsType}},
        [this](std::optional<VKJYDirectoryReply> reply) {
            if (failedReply(reply)) {
                return;
            }
            auto model = VKJYDirectoryServerModel::createWithReply(*reply);
            m_app.setHqUrlHelper(VKJYHangQingUrlHelper::createWithYwsys(*model->ywsys()));
            m_app.setDirectoryServerModel(std::move(model));
            requestAppKeyProperties();
        },
        [](const VKJYDirectoryReply& reply) {
            return reply.resp.elementForName("YWSYS").has_value();
        });
}

void VKJYStartupSequence::requestAppKeyProperties() {
    m_request.send("GetAppKeyProperties",
                   {{"APPKEY", m_app.vkAppkey()}, {"VERSION", m_app.appVersion()}},
                   [this](std::optional<VKJYDirectoryReply> reply) {
                       if (failedReply(reply)) {
                           return;
                       }
                       m_app.normalAppPropertyModel().fillWithReply(*reply);
                       if (!m_app.tradeModuleStarted()) {
                           m_app.initPXTradeModule();
                       }
                       requestUserManageUrl();
                   });
}

void VKJYStartupSequence::requestUserManageUrl() {
    m_request.send("GetUserManageUrl", {{"APPKEY", m_app.vkAppkey()}},
                   [this](std::optional<VKJYDirectoryReply> reply) {
                       if (failedReply(reply)) {
                           return;
                       }
                       m_app.setUserManageUrl(VKJYDirectoryReply::childText(reply->resp, "URL"));
                       m_finished();
                   });
}
