#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NotificationCenter.h"

namespace {

// Each test gets its own center so that nothing leaks between tests through the default one.
class NotificationCenterTest : public ::testing::Test {
protected:
    NotificationCenter m_center;
    std::vector<std::string> m_calls;
    int m_ownerA = 0;
    int m_ownerB = 0;

    NotificationCenter::Callback record(const std::string& label) {
        return [this, label](const std::string& name, const void*, const PropertyList&) {
            m_calls.push_back(label + ":" + name);
        };
    }
};

}  // namespace

TEST_F(NotificationCenterTest, shouldCallObserversOfTheNameInRegistrationOrder) {
    m_center.addObserver(&m_ownerA, "JYRefreshTimer", nullptr, record("first"));
    m_center.addObserver(&m_ownerB, "Heartbeat", nullptr, record("other"));
    m_center.addObserver(&m_ownerB, "JYRefreshTimer", nullptr, record("second"));
    m_center.addObserver(&m_ownerA, "JYRefreshTimer", nullptr, record("third"));
    m_center.post("JYRefreshTimer");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"first:JYRefreshTimer", "second:JYRefreshTimer",
                                                 "third:JYRefreshTimer"}));
}

TEST_F(NotificationCenterTest, shouldHandTheObjectAndUserInfoToTheObserver) {
    int sender = 0;
    const void* seenObject = nullptr;
    PropertyList seenInfo;
    m_center.addObserver(&m_ownerA, "Heartbeat", nullptr,
                         [&](const std::string&, const void* object, const PropertyList& info) {
                             seenObject = object;
                             seenInfo = info;
                         });
    PropertyList info = PropertyList::dictionary();
    info.set("Time", 1700000000000.0);
    m_center.post("Heartbeat", &sender, info);
    EXPECT_EQ(seenObject, &sender);
    EXPECT_EQ(seenInfo["Time"].toDouble(), 1700000000000.0);
}

TEST_F(NotificationCenterTest, shouldCallAnObjectRestrictedObserverOnlyForThatSender) {
    int wanted = 0;
    int other = 0;
    m_center.addObserver(&m_ownerA, "guide", &wanted, record("restricted"));
    m_center.addObserver(&m_ownerB, "guide", nullptr, record("any"));
    m_center.post("guide", &other);
    m_center.post("guide", &wanted);
    m_center.post("guide");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"any:guide", "restricted:guide", "any:guide",
                                                 "any:guide"}));
}

TEST_F(NotificationCenterTest, shouldNotCallAnObserverRemovedDuringThePost) {
    NotificationCenter::ObserverToken later;
    m_center.addObserver(&m_ownerA, "cancellationNotification", nullptr,
                         [&](const std::string&, const void*, const PropertyList&) {
                             m_calls.push_back("remover");
                             m_center.removeObserver(later);
                         });
    later = m_center.addObserver(&m_ownerB, "cancellationNotification", nullptr, record("removed"));
    m_center.addObserver(&m_ownerB, "cancellationNotification", nullptr, record("kept"));
    m_center.post("cancellationNotification");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"remover", "kept:cancellationNotification"}));
}

TEST_F(NotificationCenterTest, shouldLetAnObserverRemoveItselfWhileItRuns) {
    NotificationCenter::ObserverToken self;
    int calls = 0;
    std::string captured = "still readable after removal";
    std::string seen;
    self =
        m_center.addObserver(&m_ownerA, "xinGongGao", nullptr,
                             [&, captured](const std::string&, const void*, const PropertyList&) {
                                 ++calls;
                                 m_center.removeObserver(self);
                                 seen = captured;
                             });
    m_center.post("xinGongGao");
    m_center.post("xinGongGao");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, captured);
}

TEST_F(NotificationCenterTest, shouldNotCallAnObserverAddedDuringThePost) {
    m_center.addObserver(&m_ownerA, "widescreen", nullptr,
                         [&](const std::string&, const void*, const PropertyList&) {
                             m_calls.push_back("adder");
                             m_center.addObserver(&m_ownerB, "widescreen", nullptr, record("new"));
                         });
    m_center.post("widescreen");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"adder"}));
}

TEST_F(NotificationCenterTest, shouldRemoveEveryObserverOfAnOwnerAndOnlyThose) {
    m_center.addObserver(&m_ownerA, "JYRefreshTimer", nullptr, record("a1"));
    m_center.addObserver(&m_ownerB, "JYRefreshTimer", nullptr, record("b"));
    m_center.addObserver(&m_ownerA, "Heartbeat", nullptr, record("a2"));
    m_center.removeObserver(&m_ownerA);
    m_center.post("JYRefreshTimer");
    m_center.post("Heartbeat");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"b:JYRefreshTimer"}));
}

TEST_F(NotificationCenterTest, shouldRemoveOneObserverByItsToken) {
    auto first = m_center.addObserver(&m_ownerA, "REFRESH_C_LIST_BUY", nullptr, record("first"));
    m_center.addObserver(&m_ownerA, "REFRESH_C_LIST_BUY", nullptr, record("second"));
    m_center.removeObserver(first);
    m_center.post("REFRESH_C_LIST_BUY");
    EXPECT_EQ(m_calls, (std::vector<std::string>{"second:REFRESH_C_LIST_BUY"}));
}

TEST(NotificationCenterDefault, shouldBeOneSharedCenter) {
    int owner = 0;
    int calls = 0;
    NotificationCenter::defaultCenter().addObserver(
        &owner, "guide", nullptr,
        [&](const std::string&, const void*, const PropertyList&) { ++calls; });
    NotificationCenter::defaultCenter().post("guide");
    NotificationCenter::defaultCenter().removeObserver(&owner);
    NotificationCenter::defaultCenter().post("guide");
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
    EXPECT_EQ(calls, 1);
}
