#include "trade/core/PXJYCeSuVC.h"

#include <algorithm>

#include "platform/foundation/Text.h"
#include "platform/foundation/Timer.h"
#include "trade/core/PXTradeData.h"
#include "trade/core/PXTradeModule.h"
#include "trade/core/PXTradePeiZhi.h"
#include "trade/core/TradeText.h"

namespace {

const double kAutomaticTimeOut = 1.0;
const double kManualTimeOut = 10.0;
const char* const kFailedTime = "30";

}  // namespace

PXJYCeSuVC::PXJYCeSuVC(PXTradeModule& module) : m_module(module) {}

std::shared_ptr<PXJYCeSuVC> PXJYCeSuVC::create() {
    return create(PXTradeModule::shared());
}

std::shared_ptr<PXJYCeSuVC> PXJYCeSuVC::create(PXTradeModule& module) {
    return std::shared_ptr<PXJYCeSuVC>(new PXJYCeSuVC(module));
}

int PXJYCeSuVC::getRandomNumber(int from, int to) {
    return PXTradePeiZhi::getRandomNumber(from, to);
}

std::vector<PXTradeLine> PXJYCeSuVC::tradeLines() const {
    const PXTradeTarget tested = m_target ? *m_target : m_module.PXJYPeiZhi().target();
    return m_module.host()
        .llArray(tested.platformCODE, tested.environmentCODE, "1")
        .value_or(std::vector<PXTradeLine>());
}

void PXJYCeSuVC::chooseLine(const std::string& code) {
    if (m_target) {
        m_target->tradeLinkType = code;
        return;
    }
    m_module.PXJYData().setTradeLinkType(code);
}

void PXJYCeSuVC::probeAll(const std::vector<PXTradeLine>& lines, double timeOut) {
    for (const PXTradeLine& line : lines) {
        std::string url = line.url;
        url.erase(std::remove(url.begin(), url.end(), ' '), url.end());
        auto probe = PXCeSuNetwork::create(m_module);
        probe->setDelegate(weak_from_this());
        probe->setType(line.code);
        probe->setRun(m_run);
        probe->sendAsynchronousRequest(url, timeOut);
    }
}

void PXJYCeSuVC::finish(const std::map<std::string, std::string>* table) {
    if (m_delegate) {
        m_delegate->PXCeSuFinished(table);
    }
}

void PXJYCeSuVC::shouDongCeSu() {
    ++m_run;
    m_ceSuType = true;
    m_timesDic.clear();
    m_startDate = Timer::now();
    const auto lines = tradeLines();
    m_requestNumber = static_cast<int>(lines.size());
    if (lines.empty()) {
        // Nothing to wait for: report the empty table so the caller's busy overlay goes.
        finish(&m_timesDic);
        return;
    }
    probeAll(lines, kManualTimeOut);
}

void PXJYCeSuVC::ziDongCeSu() {
    ++m_run;
    m_ceSuType = false;
    m_ziDongCeSuSuccess = false;
    const auto lines = tradeLines();
    m_requestNumber = static_cast<int>(lines.size());
    if (lines.size() < 2) {
        if (lines.size() == 1) {
            chooseLine(lines.front().code);
        }
        finish(nullptr);
        return;
    }
    probeAll(lines, kAutomaticTimeOut);
}

void PXJYCeSuVC::PXCeSuRequestFinished(PXCeSuNetwork* probe) {
    if (probe->run() != m_run) {
        return;
    }
    if (m_ceSuType) {
        m_timesDic[probe->type()] = Text::format("%.002f秒", Timer::now() - m_startDate);
        shouDongCeSuType();
        return;
    }
    m_ziDongCeSuSuccess = true;
    ziDongCeSuType(probe);
}

void PXJYCeSuVC::PXCeSuRequestFailed(PXCeSuNetwork* probe) {
    if (probe->run() != m_run) {
        return;
    }
    if (m_ceSuType) {
        m_timesDic[probe->type()] = kFailedTime;
        shouDongCeSuType();
        return;
    }
    ziDongCeSuType(probe);
}

void PXJYCeSuVC::shouDongCeSuType() {
    --m_requestNumber;
    if (m_requestNumber == 0) {
        finish(&m_timesDic);
    }
}

void PXJYCeSuVC::ziDongCeSuType(PXCeSuNetwork* probe) {
    if (m_requestNumber < 0) {
        return;
    }
    --m_requestNumber;
    if (m_ziDongCeSuSuccess) {
        chooseLine(probe->type());
        m_requestNumber = -1;
        finish(nullptr);
        return;
    }
    if (m_requestNumber == 0) {
        const auto lines = tradeLines();
        if (!lines.empty()) {
            const int drawn = getRandomNumber(0, static_cast<int>(lines.size()) - 1);
            chooseLine(lines[static_cast<size_t>(drawn)].code);
        }
        finish(nullptr);
    }
}
