#include "shell/VKJYDirectoryServerModel.h"

#include "platform/foundation/Text.h"
#include "shell/VKJYDirectoryReply.h"

namespace {
using Reply = VKJYDirectoryReply;

std::vector<std::shared_ptr<VKJYDirectoryServerLLModel>> readLines(const XMLTreeElement& parent) {
    std::vector<std::shared_ptr<VKJYDirectoryServerLLModel>> lines;
    for (const auto& element : parent.elementsForName("LL")) {
        lines.push_back(std::make_shared<VKJYDirectoryServerLLModel>(VKJYDirectoryServerLLModel{
            Reply::attribute(element, "CODE"), Reply::attribute(element, "LLNA"),
            Reply::attribute(element, "URL")}));
    }
    return lines;
}

std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>> readGroups(const XMLTreeElement& parent) {
    std::vector<std::shared_ptr<VKJYDirectoryServerZuModel>> groups;
    for (const auto& element : parent.elementsForName("ZU")) {
        groups.push_back(std::make_shared<VKJYDirectoryServerZuModel>(
            VKJYDirectoryServerZuModel{Reply::attribute(element, "ZUID"),
                                       Reply::attribute(element, "ZUN"), readLines(element)}));
    }
    return groups;
}

std::shared_ptr<VKJYDirectoryServerEnvModel> readEnvironment(const XMLTreeElement& element) {
    auto env = std::make_shared<VKJYDirectoryServerEnvModel>();
    env->envCode = Reply::attribute(element, "ENVCODE");
    env->envN = Reply::attribute(element, "ENVN");
    env->envTag = Reply::attribute(element, "ENVTAG");
    env->envCat = Reply::attribute(element, "ENVCAT");
    env->type = Reply::attribute(element, "TYPE");
    for (const auto& ywElement : element.elementsForName("YW")) {
        auto yw = std::make_shared<VKJYDirectoryServerYwModel>();
        yw->type = Reply::attribute(ywElement, "TYPE");
        yw->llArray = readLines(ywElement);
        env->ywArray.push_back(yw);
    }
    return env;
}

std::shared_ptr<VKJYDirectoryServerJysModel> readExchange(const XMLTreeElement& element) {
    auto jys = std::make_shared<VKJYDirectoryServerJysModel>();
    jys->code = Reply::attribute(element, "CODE");
    jys->jysn = Reply::attribute(element, "JYSN");
    for (const auto& envElement : element.elementsForName("ENV")) {
        jys->envArray.push_back(readEnvironment(envElement));
    }
    return jys;
}

void readQuoteServers(const XMLTreeElement& hq, VKJYDirectoryServerYwsysModel& ywsys) {
    ywsys.hqZuArray = readGroups(hq);
    for (const auto& element : hq.elementsForName("HP")) {
        auto index = Text::parseInteger(Reply::attribute(element, "INDEX"));
        if (!index) {
            continue;
        }
        ywsys.hpArray.push_back({static_cast<int>(*index), Reply::attribute(element, "ZUID"),
                                 Reply::attribute(element, "NAME")});
    }
}

VKJYDirectoryServerCmmdModel readCommodity(const XMLTreeElement& element) {
    VKJYDirectoryServerCmmdModel cmmd;
    if (element.attributeForName("JYSCODE")) {
        cmmd.jysCode = Reply::attribute(element, "JYSCODE");
    }
    cmmd.envCode = Reply::attribute(element, "ENVCODE");
    cmmd.cmmdCode = Reply::attribute(element, "CMMDCODE");
    return cmmd;
}
}  // namespace

VKJYDirectoryServerModel::VKJYDirectoryServerModel()
    : m_ywsys(std::make_shared<VKJYDirectoryServerYwsysModel>()) {}

std::shared_ptr<VKJYDirectoryServerModel> VKJYDirectoryServerModel::createWithReply(
    const VKJYDirectoryReply& reply) {
    auto ywsysElement = reply.resp.elementForName("YWSYS");
    if (!ywsysElement) {
        return nullptr;
    }
    auto model = std::make_shared<VKJYDirectoryServerModel>();
    auto& ywsys = *model->m_ywsys;
    for (const auto& element : ywsysElement->elementsForName("JYS")) {
        ywsys.jysArray.push_back(readExchange(element));
    }
    for (const auto& hq : ywsysElement->elementsForName("HQ")) {
        readQuoteServers(hq, ywsys);
    }
    for (const auto& element : ywsysElement->elementsForName("SERVICE")) {
        ywsys.serviceArray.push_back(
            std::make_shared<VKJYDirectoryServerServiceModel>(VKJYDirectoryServerServiceModel{
                Reply::attribute(element, "TYPE"), readGroups(element)}));
    }
    for (const auto& element : ywsysElement->elementsForName("CMMD")) {
        ywsys.cmmds.push_back(readCommodity(element));
    }
    return model;
}

std::shared_ptr<VKJYDirectoryServerJysModel> VKJYDirectoryServerModel::jysModelForCode(
    const std::string& code) const {
    return m_ywsys->jysModelForCode(code);
}
