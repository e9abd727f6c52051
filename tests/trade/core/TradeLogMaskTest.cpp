#include <gtest/gtest.h>

#include <string>

#include "trade/core/TradeLogMask.h"

namespace {

struct MaskCase {
    const char* body;
    const char* logged;
};

}  // namespace

TEST(TradeLogMaskTest, shouldHideEverySecretValueWhateverItsJsonType) {
    const MaskCase cases[] = {
        {R"({"PWD" : "abc", "USER_ID" : "8001"})", R"({"PWD" : "******", "USER_ID" : "8001"})"},
        {R"({"PWD":123456,"QTY":3})", R"({"PWD":******,"QTY":3})"},
        {R"({"SRV_KEY" : -42.5e3 })", R"({"SRV_KEY" : ****** })"},
        {R"({"npwd":true})", R"({"npwd":******})"},
        {R"({"CLT_KEY":"a\"b","x":"y"})", R"({"CLT_KEY":"******","x":"y"})"},
        {R"({"QTY":123456,"PRICE":"1.5"})", R"({"QTY":123456,"PRICE":"1.5"})"},
        {R"({"name":"PWD","VALUE":"PWD"})", R"({"name":"PWD","VALUE":"PWD"})"},
        {"not json \"TPWD\": 77", "not json \"TPWD\": ******"},
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(maskTradeSecrets(c.body), c.logged) << c.body;
    }
}

TEST(TradeLogMaskTest, shouldHideSecretXmlElementsAlsoWithAttributes) {
    const MaskCase cases[] = {
        {"<REP><TPWD>123</TPWD><ACCN>8001</ACCN></REP>",
         "<REP><TPWD>******</TPWD><ACCN>8001</ACCN></REP>"},
        {"<INFO><PPWD enc=\"1\">654321</PPWD></INFO>",
         "<INFO><PPWD enc=\"1\">******</PPWD></INFO>"},
        {"<REQ><PASSWORD/><TKNB >tok</TKNB></REQ>", "<REQ><PASSWORD/><TKNB >******</TKNB></REQ>"},
        {"<REQ><PASSWORDS>x</PASSWORDS><CODE>1</CODE></REQ>",
         "<REQ><PASSWORDS>x</PASSWORDS><CODE>1</CODE></REQ>"},
        {"<TKNB>tail", "<TKNB>******"},
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(maskTradeSecrets(c.body), c.logged) << c.body;
    }
}
