#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quote/HQNetworkManger.h"
#include "quote/VKJYHangQingDataClass.h"
#include "support/SimExchangeFixture.h"
#include "support/TempHome.h"

// One delegate call as the test saw it, with the shared counters read during the call.
struct QuoteCall {
    enum Kind { Finished, AnalysisFailed, RequestFailed, SessionRenewed };
    Kind kind = Finished;
    std::string typeNW;
    std::shared_ptr<SubmissionPackage> package;
    HQReplyData data;
    int code = 0;
    std::string errorMessage;
    int jyspanInfoCount = 0;
    int marketInfoCount = 0;
    int timeCount = 0;
    std::optional<int> exchangeUtcOffsetMinutes;
};

class QuoteRecorder : public HQNetworkMangerDelegate {
public:
    explicit QuoteRecorder(std::shared_ptr<VKJYHangQingDataClass> state)
        : m_state(std::move(state)) {}

    void dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) override;
    void dataAnalysisFailed(HQNetworkManger* manager, int errorCode) override;
    void requestFailed(HQNetworkManger* manager, int errorCode) override;
    void requestSessionAgainFinished() override;

    std::vector<QuoteCall> calls;

private:
    void record(QuoteCall::Kind kind, HQNetworkManger* manager, HQReplyData data, int code);

    std::shared_ptr<VKJYHangQingDataClass> m_state;
};

// The quote client against the in-process simulator: a fresh app home, a fresh shared quote
// state whose lines are the simulator's, and helpers that send one request and drive the run
// loop until its one callback has come.
class QuoteSimTest : public SimExchangeFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    QuoteCall request(std::shared_ptr<SubmissionPackage> package, const std::string& type,
                      int index, double deadlineSeconds = 30);
    QuoteCall chartRequest(std::shared_ptr<SubmissionPackage> package, const std::string& type);
    // Runs "shiChangXinXi" on the server and expects its market list.
    void logIn(int index);

    static std::shared_ptr<SubmissionPackage> panel(int market, int disk);
    static std::shared_ptr<SubmissionPackage> commodity(int market, int disk, int id,
                                                        int server = 0);

    std::shared_ptr<VKJYHangQingDataClass> m_state;

private:
    QuoteCall waitForOne(const std::shared_ptr<QuoteRecorder>& recorder, double deadlineSeconds);

    std::unique_ptr<TempHome> m_home;
};

template <typename T>
T dataOf(const QuoteCall& call) {
    if (call.kind != QuoteCall::Finished || !std::holds_alternative<T>(call.data)) {
        ADD_FAILURE() << "no data of the expected kind; kind " << call.kind << " code " << call.code
                      << " type " << call.typeNW;
        return T{};
    }
    return std::get<T>(call.data);
}
