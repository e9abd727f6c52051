#include <gtest/gtest.h>

#include "base/TMBSUtil.h"
#include "base/XMLTemplate.h"

namespace {

using Keys = std::vector<std::string>;

const char* const kTemplate =
    "<REQ><USER>$(USERID)</USER><PHONE>$(PN)</PHONE><AGAIN>$(USERID)</AGAIN></REQ>";

TEST(XMLTemplateFilling, shouldReplaceEveryPlaceholderFromTheDictionary) {
    const auto filled = XMLTemplate::fill(kTemplate, {{"USERID", "8001"}, {"PN", "13800"}});
    EXPECT_TRUE(filled.ok());
    EXPECT_EQ(filled.text, "<REQ><USER>8001</USER><PHONE>13800</PHONE><AGAIN>8001</AGAIN></REQ>");
}

TEST(XMLTemplateFilling, shouldReportAMissingKeyAsAFailureAndDropItsField) {
    const auto filled = XMLTemplate::fill(kTemplate, {{"PN", "13800"}});
    EXPECT_FALSE(filled.ok());
    EXPECT_EQ(filled.missingKeys, Keys{"USERID"}) << "listed once though used twice";
    EXPECT_EQ(filled.text, "<REQ><USER></USER><PHONE>13800</PHONE><AGAIN></AGAIN></REQ>");
}

TEST(XMLTemplateFilling, shouldEscapeValuesSoTheyCannotBreakTheDocument) {
    const auto filled =
        XMLTemplate::fill("<P>$(PWD)</P><N a=\"$(N)\"/>", {{"PWD", "a<b>&c"}, {"N", "\"x' "}});
    EXPECT_EQ(filled.text, "<P>a&lt;b&gt;&amp;c</P><N a=\"&quot;x&apos; \"/>");
}

TEST(XMLTemplateFilling, shouldNotExpandPlaceholdersInsideValues) {
    const auto filled = XMLTemplate::fill("$(A)|$(B)", {{"A", "$(B)"}, {"B", "secret"}});
    EXPECT_EQ(filled.text, "$(B)|secret");
}

TEST(XMLTemplateFilling, shouldKeepTextThatIsNoPlaceholder) {
    EXPECT_EQ(XMLTemplate::fill("price $5 (net) $(", {}).text, "price $5 (net) $(");
    EXPECT_EQ(XMLTemplate::fill("$(a$(B)", {{"B", "1"}}).text, "$(a1");
    EXPECT_EQ(XMLTemplate::fill("中文$(K)尾", {{"K", "值"}}).text, "中文值尾");
}

TEST(TMBSUtilKeys, shouldListPlaceholderKeysInOrderOfAppearance) {
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString(kTemplate),
              (Keys{"USERID", "PN", "USERID"}));
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString("no placeholders"), Keys{});
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString("$x(y $z)"), Keys{})
        << "pieces without both brackets give nothing";
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString("$ (A) tail $()"), (Keys{"A", ""}));
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString("$)(B)"), Keys{"B"})
        << "a closing bracket before the opening one does not count";
    EXPECT_EQ(TMBSUtil::getXmlModelKeysArrayFromString("(C)$"), Keys{})
        << "the piece before the first $ is skipped";
}

TEST(TMBSUtilTrim, shouldStripWhiteSpaceAndLineEndsAtBothEnds) {
    EXPECT_EQ(TMBSUtil::trimWithString(" \t\r\n 0 \n"), "0");
    EXPECT_EQ(TMBSUtil::trimWithString("a b"), "a b");
    EXPECT_EQ(TMBSUtil::trimWithString("\u3000成功\u00A0"), "成功");
    EXPECT_EQ(TMBSUtil::trimWithString(" \n\u3000"), "");
    EXPECT_EQ(TMBSUtil::trimWithString("中"), "中");
    EXPECT_EQ(TMBSUtil::trimWithString("\xE4\xB8"), "\xE4\xB8") << "broken UTF-8 is kept";
}

}  // namespace
