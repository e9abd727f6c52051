#include "quote/QuoteSimTest.h"

#include "platform/foundation/RunLoop.h"

void QuoteRecorder::record(QuoteCall::Kind kind, HQNetworkManger* manager, HQReplyData data,
                           int code) {
    QuoteCall call;
    call.kind = kind;
    if (manager) {
        call.typeNW = manager->typeNW();
        call.package = manager->submissionPackageNM();
        call.errorMessage = manager->errorMessage();
    }
    call.data = std::move(data);
    call.code = code;
    call.jyspanInfoCount = m_state->jyspanInfoCount();
    call.marketInfoCount = m_state->marketInfoCount();
    call.timeCount = m_state->TimeCount();
    call.exchangeUtcOffsetMinutes = m_state->exchangeUtcOffsetMinutes();
    calls.push_back(std::move(call));
}

void QuoteRecorder::dataAnalysisFinished(HQNetworkManger* manager, const HQReplyData& data) {
    record(QuoteCall::Finished, manager, data, 0);
}

void QuoteRecorder::dataAnalysisFailed(HQNetworkManger* manager, int errorCode) {
    record(QuoteCall::AnalysisFailed, manager, {}, errorCode);
}

void QuoteRecorder::requestFailed(HQNetworkManger* manager, int errorCode) {
    record(QuoteCall::RequestFailed, manager, {}, errorCode);
}

void QuoteRecorder::requestSessionAgainFinished() {
    record(QuoteCall::SessionRenewed, nullptr, {}, 0);
}

void QuoteSimTest::SetUp() {
    SimExchangeFixture::SetUp();
    m_home = std::make_unique<TempHome>();
    m_state = std::make_shared<VKJYHangQingDataClass>();
    m_state->setLineResolver([this](int index) {
        if (index < 0 || static_cast<size_t>(index) >= sim().quoteServerCount()) {
            return std::vector<std::string>{};
        }
        return sim().quoteLineUrls(index);
    });
    VKJYHangQingDataClass::setCurrent(m_state);
}

void QuoteSimTest::TearDown() {
    VKJYHangQingDataClass::setCurrent(nullptr);
    // Let finished managers drop what they posted for later turns.
    RunLoop::runFor(0.05);
    m_home.reset();
    SimExchangeFixture::TearDown();
}

QuoteCall QuoteSimTest::waitForOne(const std::shared_ptr<QuoteRecorder>& recorder,
                                   double deadlineSeconds) {
    EXPECT_TRUE(recorder->calls.empty()) << "a callback came before the run loop turned";
    const bool arrived =
        RunLoop::runUntil([&] { return !recorder->calls.empty(); }, deadlineSeconds);
    if (!arrived) {
        ADD_FAILURE() << "no callback within " << deadlineSeconds << " s";
        return {};
    }
    return recorder->calls.front();
}

QuoteCall QuoteSimTest::request(std::shared_ptr<SubmissionPackage> package, const std::string& type,
                                int index, double deadlineSeconds) {
    auto recorder = std::make_shared<QuoteRecorder>(m_state);
    auto manager = HQNetworkManger::create();
    manager->setDelegate(recorder);
    manager->needDataFromNetWork(std::move(package), type, index);
    manager.reset();
    return waitForOne(recorder, deadlineSeconds);
}

QuoteCall QuoteSimTest::chartRequest(std::shared_ptr<SubmissionPackage> package,
                                     const std::string& type) {
    auto recorder = std::make_shared<QuoteRecorder>(m_state);
    auto manager = HQNetworkManger::create();
    manager->setDelegate(recorder);
    manager->needDatasFromNetWork(std::move(package), type);
    manager.reset();
    return waitForOne(recorder, 30);
}

void QuoteSimTest::logIn(int index) {
    const QuoteCall call = request(nullptr, "shiChangXinXi", index);
    ASSERT_EQ(call.kind, QuoteCall::Finished) << "code " << call.code;
    ASSERT_EQ(call.typeNW, "jyspaninfo");
}

std::shared_ptr<SubmissionPackage> QuoteSimTest::panel(int market, int disk) {
    auto package = std::make_shared<SubmissionPackage>();
    package->MarketID = std::to_string(market);
    package->DiskID = std::to_string(disk);
    return package;
}

std::shared_ptr<SubmissionPackage> QuoteSimTest::commodity(int market, int disk, int id,
                                                           int server) {
    auto package = panel(market, disk);
    package->CommodityID = std::to_string(id);
    package->panleix = server;
    return package;
}
