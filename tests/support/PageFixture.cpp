#include "PageFixture.h"

using namespace std::chrono_literals;

namespace zandrel::test {

void PageFixture::setUp(Hub where)
{
    tearDown();
    home = std::make_unique<QTemporaryDir>();
    platform = std::make_unique<RecordingPlatform>(home->path());
    hubState = std::make_unique<HubState>(*platform);
    hub = std::make_unique<FakeHub>();
    hubPort_ = where == Hub::Fake ? hub->port() : FakeHub::refusingPort();
    hubState->setPort(hubPort_);
    if (where == Hub::Refusing)
        hubState->setRefreshDelays(50ms, 50ms);
    store = std::make_unique<StoreService>(QStringLiteral("http://127.0.0.1:%1").arg(hubPort_));
}

void PageFixture::tearDown()
{
    store.reset();
    hub.reset();
    hubState.reset();
    platform.reset();
    home.reset();
}

PageContext PageFixture::context(QString storeWebsite, std::function<void()> onInstallComplete)
{
    return PageContext{
        .hubState = *hubState,
        .storeService = *store,
        .platform = *platform,
        .hubPort = hubPort_,
        .storeWebsite = std::move(storeWebsite),
        .onInstallComplete = std::move(onInstallComplete),
    };
}

} // namespace zandrel::test
