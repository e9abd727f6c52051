#include "shell/VKJYHangQingUrlHelper.h"

#include <algorithm>

#include "shell/VKJYDirectoryLookup.h"
#include "shell/VKJYDirectoryServerYwsysModel.h"

std::shared_ptr<VKJYHangQingUrlHelper> VKJYHangQingUrlHelper::createWithYwsys(
    const VKJYDirectoryServerYwsysModel& ywsys) {
    auto helper = std::make_shared<VKJYHangQingUrlHelper>();
    helper->m_groups = ywsys.hqZuArray;
    for (const auto& hp : ywsys.hpArray) {
        helper->m_housePlates.push_back(HQHousePlate{hp.hpIndex, hp.zuID});
    }
    std::stable_sort(
        helper->m_housePlates.begin(), helper->m_housePlates.end(),
        [](const HQHousePlate& a, const HQHousePlate& b) { return a.hpIndex < b.hpIndex; });
    return helper;
}

std::vector<std::string> VKJYHangQingUrlHelper::linesForServer(int hpIndex) const {
    std::vector<std::string> urls;
    auto plate = std::find_if(m_housePlates.begin(), m_housePlates.end(),
                              [&](const HQHousePlate& p) { return p.hpIndex == hpIndex; });
    if (plate == m_housePlates.end()) {
        return urls;
    }
    auto group = firstInAnswerOrder(
        m_groups, [&](const VKJYDirectoryServerZuModel& zu) { return zu.zuid == plate->zuID; });
    if (!group) {
        return urls;
    }
    for (const auto& line : group->llArray) {
        if (!line->url.empty()) {
            urls.push_back(line->url);
        }
    }
    return urls;
}
