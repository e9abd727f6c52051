#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "analytics/TLANPasteboard.h"
#include "analytics/TLANSharedUDID.h"
#include "platform/foundation/UserDefaults.h"
#include "support/TempFolder.h"
#include "support/TempHome.h"

extern char** environ;

namespace {

constexpr const char* kChildOutput = "TLAN_SHARED_UDID_OUT";

PropertyList localRecord() {
    return UserDefaults::standardUserDefaults().objectForKey("SharedUDID");
}

PropertyList slotRecord(int index) {
    auto slot = TLANPasteboard::find(TLANSharedUDID::slotName(index));
    return slot ? TLANSharedUDID::_getDictFromPasteboard(*slot) : PropertyList();
}

void writeSlot(int index, const std::string& identifier, const std::string& appUID) {
    PropertyList record = PropertyList::dictionary();
    record.set("SharedUDID", identifier);
    record.set("SharedUDID_appUID", appUID);
    auto slot = TLANPasteboard::create(TLANSharedUDID::slotName(index));
    ASSERT_TRUE(slot.has_value());
    ASSERT_TRUE(TLANSharedUDID::_setDict(record, *slot));
}

// Runs this test program again as another application (its own home, the same pasteboards)
// and returns the identifier it reported.
std::string identifierOfAnotherProcess(const std::string& pasteboards) {
    TempFolder otherHome;
    std::string output = otherHome.file("identifier.txt");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string variable = *entry;
        if (variable.rfind("VKJY_HOME=", 0) != 0 && variable.rfind("VKJY_PASTEBOARDS=", 0) != 0) {
            environment.push_back(variable);
        }
    }
    environment.push_back("VKJY_HOME=" + otherHome.path());
    environment.push_back("VKJY_PASTEBOARDS=" + pasteboards);
    environment.push_back(std::string(kChildOutput) + "=" + output);
    std::vector<char*> envp;
    for (std::string& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe";
    std::string filter = "--gtest_filter=TLANSharedUDIDChild.*";
    char* argv[] = {program.data(), filter.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        return "spawn failed";
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream file(output);
    std::string identifier;
    std::getline(file, identifier);
    return identifier;
}

class TLANSharedUDIDTest : public testing::Test {
protected:
    void SetUp() override {
        const char* previous = std::getenv("VKJY_PASTEBOARDS");
        m_previous = previous ? std::optional<std::string>(previous) : std::nullopt;
        setenv("VKJY_PASTEBOARDS", m_pasteboards.path().c_str(), 1);
        TLANSharedUDID::resetProcessCache();
    }
    void TearDown() override {
        TLANSharedUDID::resetProcessCache();
        if (m_previous) {
            setenv("VKJY_PASTEBOARDS", m_previous->c_str(), 1);
        } else {
            unsetenv("VKJY_PASTEBOARDS");
        }
    }

    TempHome m_home;
    TempFolder m_pasteboards;
    std::optional<std::string> m_previous;
};

TEST_F(TLANSharedUDIDTest, shouldCreateTheRecordAndSlotZeroOnAFreshDevice) {
    TLANSharedUDIDStatus status;
    std::string identifier = TLANSharedUDID::valueWithError(&status);
    EXPECT_TRUE(std::regex_match(identifier, std::regex("[0-9a-f]{40}"))) << identifier;
    EXPECT_EQ(status.code, 0);
    EXPECT_EQ(status.domain, TLANSharedUDID::kSchemeName);
    EXPECT_EQ(status.description, "SharedUDID succesfully retrieved");

    PropertyList record = localRecord();
    EXPECT_EQ(record["SharedUDID"].asString(), identifier);
    EXPECT_EQ(record["SharedUDID_slot"].asString(), "com.vkjy.SharedUDID.slot.0");
    EXPECT_TRUE(record["SharedUDID_createdTS"].asDate().has_value());
    EXPECT_FALSE(record["SharedUDID_appUID"].toString().empty());
    EXPECT_EQ(slotRecord(0), record);
    EXPECT_FALSE(TLANPasteboard::find(TLANSharedUDID::slotName(1)).has_value());

    EXPECT_EQ(TLANSharedUDID::valueWithError(&status), identifier);
    EXPECT_EQ(status.description, "SharedUDID in cache from first call");
}

TEST_F(TLANSharedUDIDTest, shouldAdoptTheIdentifierMostSlotsHold) {
    std::string a(40, 'a');
    std::string b(40, 'b');
    writeSlot(0, a, "APP-A");
    writeSlot(1, b, "APP-B");
    writeSlot(2, b, "APP-C");
    EXPECT_EQ(TLANSharedUDID::value(), b);
    EXPECT_EQ(localRecord()["SharedUDID_slot"].asString(), "com.vkjy.SharedUDID.slot.3");
    EXPECT_EQ(slotRecord(3)["SharedUDID"].asString(), b);
}

TEST_F(TLANSharedUDIDTest, shouldKeepTheLocalIdentifierAndReportADiscrepancy) {
    PropertyList record = PropertyList::dictionary();
    record.set("SharedUDID", std::string(40, 'c'));
    UserDefaults::standardUserDefaults().setObject(record, "SharedUDID");
    writeSlot(0, std::string(40, 'b'), "APP-B");
    TLANSharedUDIDStatus status;
    EXPECT_EQ(TLANSharedUDID::valueWithError(&status), std::string(40, 'c'));
    EXPECT_EQ(status.code, 2);
}

TEST_F(TLANSharedUDIDTest, shouldNotStoreAnIdentifierIntoARecordWithoutOne) {
    UserDefaults::standardUserDefaults().setObject(PropertyList::dictionary(), "SharedUDID");
    std::string identifier = TLANSharedUDID::value();
    EXPECT_EQ(identifier.size(), 40u);
    EXPECT_FALSE(localRecord().contains("SharedUDID"));
    EXPECT_EQ(localRecord()["SharedUDID_slot"].asString(), "com.vkjy.SharedUDID.slot.0");
}

TEST_F(TLANSharedUDIDTest, shouldReportZerosWhileOptedOutAndTheIdentifierAfterwards) {
    std::string identifier = TLANSharedUDID::value();
    TLANSharedUDID::setOptOut(true);
    TLANSharedUDIDStatus status;
    EXPECT_EQ(TLANSharedUDID::valueWithError(&status), std::string(40, '0'));
    EXPECT_EQ(status.code, 1);
    EXPECT_TRUE(std::regex_match(
        status.description,
        std::regex("Application with unique id [0-9A-F-]{36} is opted-out from SharedUDID as "
                   "of \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\+0000")))
        << status.description;
    EXPECT_TRUE(localRecord()["SharedUDID_optOutTS"].asDate().has_value());

    TLANSharedUDID::setOptOut(false);
    EXPECT_EQ(TLANSharedUDID::valueWithError(&status), identifier);
    EXPECT_EQ(status.code, 0);
    EXPECT_FALSE(localRecord().contains("SharedUDID_optOutTS"));
}

TEST_F(TLANSharedUDIDTest, shouldReadUnreadableSlotsAsEmpty) {
    auto slot = TLANPasteboard::create(TLANSharedUDID::slotName(0));
    ASSERT_TRUE(slot.has_value());
    ASSERT_TRUE(slot->setData({1, 2, 3}, TLANSharedUDID::kSchemeName));
    EXPECT_EQ(TLANSharedUDID::_getDictFromPasteboard(*slot), PropertyList::dictionary());
    std::string identifier = TLANSharedUDID::value();
    EXPECT_EQ(identifier.size(), 40u);
    EXPECT_EQ(slotRecord(0)["SharedUDID"].asString(), identifier);
}

TEST_F(TLANSharedUDIDTest, shouldShareOneIdentifierBetweenProcesses) {
    std::string mine = TLANSharedUDID::value();
    EXPECT_EQ(identifierOfAnotherProcess(m_pasteboards.path()), mine);
    EXPECT_EQ(identifierOfAnotherProcess(m_pasteboards.path()), mine);
    EXPECT_EQ(slotRecord(1)["SharedUDID"].asString(), mine);
    EXPECT_EQ(slotRecord(2)["SharedUDID"].asString(), mine);
}

TEST(TLANSharedUDIDChild, shouldReportTheIdentifierToItsParent) {
    const char* output = std::getenv(kChildOutput);
    if (output == nullptr) {
        GTEST_SKIP() << "runs only as the child of shouldShareOneIdentifierBetweenProcesses";
    }
    std::ofstream(output) << TLANSharedUDID::value() << "\n";
}

TEST(TLANPasteboard, shouldRefuseNamesThatLeaveTheFolder) {
    EXPECT_FALSE(TLANPasteboard::create("../escape").has_value());
    EXPECT_FALSE(TLANPasteboard::find("a/b").has_value());
    EXPECT_FALSE(TLANPasteboard::create("").has_value());
}

}  // namespace
