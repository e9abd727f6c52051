#include <gtest/gtest.h>

#include "shell/VKJYDirectoryReply.h"
#include "shell/VKJYDirectoryServerModel.h"
#include "shell/VKJYDirectoryUrlHelper.h"
#include "shell/VKJYHangQingUrlHelper.h"
#include "shell/VKJYNormalAppKeyPropertyModel.h"

namespace {
// Exchange 01 has one usable environment (01) and one whose funds business has only an empty
// address (02); exchange 02 has an environment without businesses; exchange 01 appears twice.
const char* const kDirectory = R"(<?xml version="1.0" encoding="UTF-8"?>
<RESP><CODE>0</CODE><MSG>成功</MSG><YWSYS>
 <JYS CODE="01" JYSN="华东">
  <ENV ENVCODE="01" ENVN="实盘" ENVTAG="" ENVCAT="3" TYPE="2">
   <YW TYPE="1"><LL CODE="T1" LLNA="电信" URL="http://a/1"/><LL CODE="T2" LLNA="联通" URL="http://a/2"/></YW>
   <YW TYPE="3"><LL CODE="F1" LLNA="资金" URL="http://f/1"/></YW>
   <YW TYPE="1"><LL CODE="X" LLNA="后一个" URL="http://x"/></YW>
  </ENV>
  <ENV ENVCODE="02" ENVN="模拟" ENVTAG="模拟" ENVCAT="1" TYPE="1">
   <YW TYPE="1"><LL CODE="T1" LLNA="电信" URL="http://b/1"/></YW>
   <YW TYPE="3"><LL CODE="F1" LLNA="资金" URL=""/></YW>
  </ENV>
 </JYS>
 <JYS CODE="02" JYSN="西部"><ENV ENVCODE="01" ENVN="实盘"/></JYS>
 <JYS CODE="01" JYSN="重复"/>
 <HQ>
  <ZU ZUID="B" ZUN="二"><LL CODE="q" LLNA="q" URL="http://q/b1"/></ZU>
  <ZU ZUID="A" ZUN="一"><LL URL="http://dead"/><LL URL=""/><LL URL="http://q/a2"/></ZU>
  <HP INDEX="1" ZUID="B" NAME="二"/><HP INDEX="0" ZUID="A" NAME="一"/>
  <HP INDEX="x" ZUID="A"/><HP INDEX="2" ZUID="missing"/>
 </HQ>
 <SERVICE TYPE="5"><ZU ZUID="s5"><LL URL="http://s/5"/></ZU></SERVICE>
 <SERVICE TYPE="2"><ZU ZUID="s2"><LL URL="http://s/2a"/><LL URL="http://s/2b"/></ZU></SERVICE>
 <SERVICE TYPE="2"><ZU ZUID="late"><LL URL="http://s/late"/></ZU></SERVICE>
 <SERVICE TYPE="9"/>
 <CMMD JYSCODE="01" ENVCODE="01" CMMDCODE="AG"/><CMMD ENVCODE="02" CMMDCODE="YB"/>
</YWSYS></RESP>)";

std::shared_ptr<VKJYDirectoryServerModel> parse(const char* xml) {
    auto reply = VKJYDirectoryReply::parse(xml);
    return reply ? VKJYDirectoryServerModel::createWithReply(*reply) : nullptr;
}
}  // namespace

TEST(DirectoryModelTest, shouldReadEveryFieldOfTheDirectoryReply) {
    auto model = parse(kDirectory);
    ASSERT_TRUE(model);
    const auto& ywsys = *model->ywsys();
    ASSERT_EQ(ywsys.jysArray.size(), 3u);
    auto jys = model->jysModelForCode("01");
    ASSERT_TRUE(jys);
    EXPECT_EQ(jys->jysn, "华东");  // the first in answer order
    auto env = jys->envModelForCode("01");
    ASSERT_TRUE(env);
    EXPECT_EQ(env->envN, "实盘");
    EXPECT_EQ(env->envCat, "3");
    EXPECT_EQ(env->typeValue(), 2);
    EXPECT_EQ(jys->envModelForCode("02")->envTag, "模拟");
    auto trade = env->ywModelForType("1");
    ASSERT_TRUE(trade);
    ASSERT_EQ(trade->llArray.size(), 2u);
    EXPECT_EQ(trade->llArray[1]->code, "T2");
    EXPECT_EQ(trade->llArray[1]->llna, "联通");
    EXPECT_EQ(trade->llArray[1]->url, "http://a/2");
    EXPECT_EQ(env->ywModelForType("2"), nullptr);
    EXPECT_EQ(jys->envModelForCode("09"), nullptr);
    EXPECT_EQ(model->jysModelForCode("09"), nullptr);
    ASSERT_EQ(ywsys.cmmds.size(), 2u);
    EXPECT_EQ(ywsys.cmmds[0].jysCode, std::optional<std::string>("01"));
    EXPECT_EQ(ywsys.cmmds[0].cmmdCode, "AG");
    EXPECT_FALSE(ywsys.cmmds[1].jysCode.has_value());
    EXPECT_EQ(ywsys.cmmds[1].envCode, "02");
}

TEST(DirectoryModelTest, shouldListOnlyEnvironmentsWhoseBusinessesAllHaveAnAddress) {
    auto model = parse(kDirectory);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->jysModelForCode("01")->allEnvCodeWithLL(), std::vector<std::string>{"01"});
    EXPECT_TRUE(model->ywsys()->jysArray[1]->allEnvCodeWithLL().empty());
    EXPECT_EQ(model->ywsys()->allJysCodeWithEnvAndLL(), std::vector<std::string>{"01"});
}

TEST(DirectoryModelTest, shouldGiveTheFirstLineOfTheFirstServiceOfAType) {
    auto model = parse(kDirectory);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->ywsys()->serviceModelForType("2")->firstZuLLUrl(), "http://s/2a");
    EXPECT_EQ(model->ywsys()->serviceModelForType("9")->firstZuLLUrl(), "");
    EXPECT_EQ(model->ywsys()->serviceModelForType("3"), nullptr);
}

TEST(DirectoryModelTest, shouldOrderQuoteServersByIndexAndGiveTheirGroupLines) {
    auto model = parse(kDirectory);
    ASSERT_TRUE(model);
    auto helper = VKJYHangQingUrlHelper::createWithYwsys(*model->ywsys());
    ASSERT_EQ(helper->housePlateAry().size(), 3u);  // "x" is no index
    EXPECT_EQ(helper->housePlateAry()[0].hpIndex, 0);
    EXPECT_EQ(helper->housePlateAry()[0].zuID, "A");
    EXPECT_EQ(helper->housePlateAry()[1].zuID, "B");
    ASSERT_EQ(helper->allUrlArray().size(), 2u);
    EXPECT_EQ(helper->allUrlArray()[0]->zuid, "B");
    EXPECT_EQ(helper->linesForServer(0), (std::vector<std::string>{"http://dead", "http://q/a2"}));
    EXPECT_EQ(helper->linesForServer(1), std::vector<std::string>{"http://q/b1"});
    EXPECT_TRUE(helper->linesForServer(2).empty());
    EXPECT_TRUE(helper->linesForServer(7).empty());
}

TEST(DirectoryModelTest, shouldRefuseRepliesThatAreNotRespDocuments) {
    EXPECT_FALSE(VKJYDirectoryReply::parse("<RESP><CODE>0</CODE>"));
    EXPECT_FALSE(VKJYDirectoryReply::parse("<REP><CODE>0</CODE></REP>"));
    EXPECT_FALSE(VKJYDirectoryReply::parse(""));
    auto failed = VKJYDirectoryReply::parse("<RESP><CODE> 7 </CODE><MSG>忙</MSG></RESP>");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, "7");
    EXPECT_EQ(failed->msg, "忙");
    EXPECT_FALSE(failed->succeeded());
    EXPECT_EQ(VKJYDirectoryServerModel::createWithReply(*failed), nullptr);
}

TEST(DirectoryModelTest, shouldSplitTheMatchingCommodityCodes) {
    VKJYNormalAppKeyPropertyModel model;
    EXPECT_TRUE(model.cuoHeCodeArray().empty());
    EXPECT_EQ(model.iOSPlatform(), "");
    auto reply = VKJYDirectoryReply::parse(
        R"(<RESP><CODE>0</CODE><MSG/><PROPS><PROP KEY="IOSPLATFORM" VALUE="1"/>
           <PROP KEY="CUOHECODES" VALUE="NI,,XAG,"/><PROP KEY="IOSPLATFORM" VALUE="2"/>
           <PROP VALUE="keyless"/></PROPS></RESP>)");
    ASSERT_TRUE(reply);
    model.fillWithReply(*reply);
    EXPECT_EQ(model.iOSPlatform(), "2");
    EXPECT_EQ(model.cuoHeCodeArray(), (std::vector<std::string>{"NI", "XAG"}));
    EXPECT_TRUE(model.isCuoHeCommodity("XAG"));
    EXPECT_FALSE(model.isCuoHeCommodity(""));
    EXPECT_FALSE(model.isCuoHeCommodity("XA"));
    model.setProperty("CUOHECODES", "");
    EXPECT_TRUE(model.cuoHeCodeArray().empty());
}

TEST(DirectoryModelTest, shouldMoveThroughTheDirectoryUrlsInOrderAndStartAgain) {
    VKJYDirectoryUrlHelper urls({"http://one", "http://two"});
    EXPECT_EQ(urls.availableUrl(), "http://one");
    EXPECT_TRUE(urls.moveToNextUrl());
    EXPECT_EQ(urls.availableUrl(), "http://two");
    EXPECT_FALSE(urls.moveToNextUrl());
    EXPECT_EQ(urls.availableUrl(), "http://two");
    urls.reset();
    EXPECT_EQ(urls.availableUrl(), "http://one");
    EXPECT_EQ(VKJYDirectoryUrlHelper().availableUrl(), "");
}
