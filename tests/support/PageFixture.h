#pragma once

#include "FakeHub.h"
#include "RecordingPlatform.h"
#include "hub_api/HubState.h"
#include "store/StoreService.h"
#include "ui/PageContext.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace zandrel::test {

// What every page test starts from: a temporary home, the recording platform over it, the Hub state,
// a fake Hub and the store service. A test class derives from it, calls setUp() in init() and
// tearDown() in cleanup(), and builds its pages from context().
class PageFixture {
public:
    enum class Hub {
        Fake,    // the Hub state and the store service talk to the fake Hub
        Refusing // they reach a port that refuses every connection, and the Hub state refreshes soon
                 // after Start or Stop
    };

protected:
    void setUp(Hub where = Hub::Fake);
    // The store service goes first, so that nothing it has in flight outlives the fake Hub.
    void tearDown();

    // What the window would hand a page; the settings tabs' clients reach the Hub the store service does.
    PageContext context(QString storeWebsite = {}, std::function<void()> onInstallComplete = {});

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<RecordingPlatform> platform;
    std::unique_ptr<HubState> hubState;
    std::unique_ptr<FakeHub> hub;
    std::unique_ptr<StoreService> store;

private:
    int hubPort_ = 0;
};

} // namespace zandrel::test
