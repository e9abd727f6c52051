#pragma once
// One parser per trading reply: reads the body (trading envelope, flat heartbeat JSON,
// account-service XML or the captcha frame) into JY_analysisedData, or JY_ErrorMessage and an
// error text, and calls its delegate back exactly once before the parse operation returns.
// Made by PXTradeNetworkManger for each reply; main thread.

#include <optional>
#include <string>

#include "base/XMLTreeElement.h"
#include "trade/core/PXTradeTypes.h"

class PXTradeDataAnalysis;
class PXTradeModule;

class PXTradeDataAnalysisDelegate {
public:
    virtual ~PXTradeDataAnalysisDelegate() = default;
    virtual void dataAnalysisFinished(PXTradeDataAnalysis*) {}
    // errorText: the reply's return code as text, or the position text "类%s:%d行" when the body
    // could not be read.
    virtual void dataAnalysisFailed(const std::string& /*errorText*/, PXTradeDataAnalysis*) {}
};

class PXTradeDataAnalysis {
public:
    explicit PXTradeDataAnalysis(PXTradeModule& module);

    void analysisJYCode(const std::string& body);
    void analysisCPYLoginJY(const std::string& body, const std::string& md5KeyString);
    void analysisCommodityInfoJY(const std::string& body);
    void analysisCPYFirmID(const std::string& body);
    void analysisChiCangHuiZongJY(const std::string& body);
    void analysisChiCangMingXiJY(const std::string& body);
    void analysisAccountInformationJY(const std::string& body);
    void analysisChengJiaoHuiBaoPXJY(const std::string& body);
    void analysisWeiTuoDanChaXunJY(const std::string& body);
    void analysisChengJiaoChaXunJY(const std::string& body);
    void analysisBaoBiaoChaXunPCJY(const std::string& body);
    void analysisBaoBiaoChaXunCJJY(const std::string& body);
    void analysisBaoBiaoChaXunCCJY(const std::string& body);
    void analysisBaoBiaoChaXunLSJY(const std::string& body);
    void analysisBaoBiaoChaXunZKJY(const std::string& body);
    void analysisMarketfundsinfoJY(const std::string& body);
    void analysisBankInfoJY(const std::string& body);
    void analysisCheckGoldRecodeJY(const std::string& body);
    void analysisCheckAccountBalanceJY(const std::string& body);
    void analysisAnnouncementListJY(const std::string& body);
    void analysisAnnouncementDetailJY(const std::string& body);
    void analysisGuaPaiListJY(const std::string& body);
    void analysisShiJiaJianCangJY(const std::string& body) { analyseOperation(body); }
    void analysisZhiJiaJianCangJY(const std::string& body) { analyseOperation(body); }
    void analysisShiJiaPingCangJY(const std::string& body) { analyseOperation(body); }
    void analysisZhiJiaPingCangJY(const std::string& body) { analyseOperation(body); }
    void analysisCheXiaoZhiSunZhiYingJY(const std::string& body) { analyseOperation(body); }
    void analysisCancelWeiTuoDanJY(const std::string& body) { analyseOperation(body); }
    void analysisGoldOperatingJY(const std::string& body) { analyseOperation(body); }
    void analysisModifyBankingPasswordJY(const std::string& body) { analyseOperation(body); }
    void analysisChangeTradePassWordJY(const std::string& body) { analyseOperation(body); }
    void analysisZhaiPaiJY(const std::string& body) { analyseOperation(body); }
    void analysisGuaPaiJianCang(const std::string& body) { analyseOperation(body); }
    void analysisOpenAccountJY(const std::string& body);
    void analysisPhoneCaptchaJY(const std::string& body);
    void analysisShouJiYanZhengJY(const std::string& body);
    void analysisPhoneNumberVerificationJY(const std::string& body);
    void analysisCreateAccountJY(const std::string& body);
    void analysisResetPasswordJY(const std::string& body);
    void analysisHuiYuanQuanXian(const std::string& body);

    PXTradeDataAnalysisDelegate* delegate() const { return m_delegate; }
    void setDelegate(PXTradeDataAnalysisDelegate* delegate) { m_delegate = delegate; }
    const std::string& JY_ErrorMessage() const { return m_errorMessage; }
    void setJY_ErrorMessage(std::string value) { m_errorMessage = std::move(value); }
    // nullopt for the replies that carry no result (operations, password reset).
    const std::optional<PXTradeResult>& JY_analysisedData() const { return m_result; }
    void setJY_analysisedData(std::optional<PXTradeResult> value) { m_result = std::move(value); }

private:
    void analyseOperation(const std::string& body);
    // Parses the trading envelope; on failure reports it and returns nullopt. requireRetcode:
    // a REP without "retcode" is a failure instead of a success.
    std::optional<JYDict> openEnvelope(const std::string& body, bool requireEntries,
                                       bool requireRetcode = false);
    // The "REC" elements of a REP: empty when absent; nullopt (reported) when malformed.
    std::optional<std::vector<JYDict>> records(JYDict& rep, bool countedByTtlrec);
    void analyseRows(const std::string& body, int kind);
    // A new empty result, then the records of the reply; nullopt (reported) on failure.
    std::optional<std::vector<JYDict>> replyRecords(const std::string& body, bool requireEntries,
                                                    bool countedByTtlrec);
    // Element 0 of "REC" (the firm and account replies); reports a reply without one.
    std::optional<JYDict> firstRecord(const std::string& body);
    // The reply's top element of that name; reports a blank, malformed or foreign body.
    std::optional<XMLTreeElement> xmlReply(const std::string& body, const char* name);
    // Opens a "REP" shaped account-service reply and checks its code; reports failures.
    bool readXmlRep(const std::string& body, const char* codeElement,
                    std::optional<XMLTreeElement>* rep);

    void finish();
    void fail(const std::string& errorText, const std::string& message);
    void failUnreadable(int line);

    PXTradeModule& m_module;
    PXTradeDataAnalysisDelegate* m_delegate = nullptr;
    std::string m_errorMessage;
    std::optional<PXTradeResult> m_result;
};
