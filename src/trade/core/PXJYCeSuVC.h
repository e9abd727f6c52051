#pragma once
// The line speed test. Automatic run: probes every trading line of the current platform and
// environment with a 1 s limit and makes the first to answer the store's trading line (a random
// line when none answers). Manual run: probes every line with a 10 s limit and reports each
// line's answer time. Owned (create()) by the screen that is its delegate and reused for every
// run; it has no view of its own. Main thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "trade/core/PXCeSuNetwork.h"
#include "trade/core/PXTradeHost.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeModule;

class PXJYCeSuVCDelegate {
public:
    virtual ~PXJYCeSuVCDelegate() = default;
    // Manual runs pass the table line code -> time text; automatic runs pass nothing.
    virtual void PXCeSuFinished(const std::map<std::string, std::string>* /*timesDic*/) {}
};

class PXJYCeSuVC : public PXCeSuNetworkDelegate, public std::enable_shared_from_this<PXJYCeSuVC> {
public:
    static std::shared_ptr<PXJYCeSuVC> create();
    static std::shared_ptr<PXJYCeSuVC> create(PXTradeModule& module);

    void ziDongCeSu();
    void shouDongCeSu();
    static int getRandomNumber(int from, int to);

    void PXCeSuRequestFinished(PXCeSuNetwork* probe) override;
    void PXCeSuRequestFailed(PXCeSuNetwork* probe) override;
    void shouDongCeSuType();
    void ziDongCeSuType(PXCeSuNetwork* probe);

    // Another server than the live session's: the runs test its lines, and an automatic run
    // makes its choice that server's trading line rather than the store's. A login screen
    // chooses a line for its own requests so; the live session keeps its own.
    void setTarget(std::optional<PXTradeTarget> target) { m_target = std::move(target); }
    const std::optional<PXTradeTarget>& target() const { return m_target; }

    // The owning screen; not retained, the owner clears it before it goes.
    PXJYCeSuVCDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXJYCeSuVCDelegate* delegate) { m_delegate = delegate; }

private:
    explicit PXJYCeSuVC(PXTradeModule& module);
    std::vector<PXTradeLine> tradeLines() const;
    void probeAll(const std::vector<PXTradeLine>& lines, double timeOut);
    void finish(const std::map<std::string, std::string>* table);
    void chooseLine(const std::string& code);

    PXTradeModule& m_module;
    int m_requestNumber = 0;
    bool m_ceSuType = false;
    bool m_ziDongCeSuSuccess = false;
    double m_startDate = 0;
    std::map<std::string, std::string> m_timesDic;
    PXJYCeSuVCDelegate* m_delegate = nullptr;
    std::optional<PXTradeTarget> m_target;
    // Numbers the runs: a late answer of an earlier run must not decide or count in this one.
    int m_run = 0;
};
