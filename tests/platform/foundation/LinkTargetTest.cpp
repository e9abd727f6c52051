#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/foundation/LinkTarget.h"
#include "platform/foundation/WeakLink.h"

namespace {

class Listener : public virtual LinkTarget {};
class Source : public virtual LinkTarget {};
// Several protocols on one object share one life.
class Screen : public Listener, public Source {};

}  // namespace

TEST(WeakLinks, shouldReadAsNullOnceTheTargetIsDestroyed) {
    auto screen = std::make_unique<Screen>();
    WeakLink<Listener> listener(screen.get());
    WeakLink<Source> source(screen.get());
    ASSERT_EQ(listener.get(), screen.get());
    ASSERT_TRUE(source);
    screen.reset();
    EXPECT_EQ(listener.get(), nullptr);
    EXPECT_FALSE(source);
}

TEST(WeakLinks, shouldTellWatchersOnceAsTheTargetGoesWithItsLinksAlreadyExpired) {
    auto screen = std::make_unique<Screen>();
    WeakLink<Listener> link(screen.get());
    std::vector<bool> linkAliveWhenTold;
    auto watch = screen->watchEnd([&] { linkAliveWhenTold.push_back(bool(link)); });
    screen.reset();
    EXPECT_EQ(linkAliveWhenTold, std::vector<bool>{false});
}

TEST(WeakLinks, shouldNotTellAWatcherThatLetGoFirst) {
    auto screen = std::make_unique<Screen>();
    int told = 0;
    auto watch = screen->watchEnd([&] { ++told; });
    watch.reset();
    screen.reset();
    EXPECT_EQ(told, 0);
}

TEST(WeakLinks, shouldGiveACopyALifeOfItsOwn) {
    auto original = std::make_unique<Listener>();
    Listener copy = *original;
    WeakLink<Listener> toCopy(&copy);
    original.reset();
    EXPECT_EQ(toCopy.get(), &copy);
}
