#include "gui/render/ticked_refresh.h"

namespace kelto::gui {

TTickedRefresh::TTickedRefresh(std::function<void()> refresh) : FRefresh(std::move(refresh))
{
    FLate.setSingleShot(true);
    QObject::connect(&FLate, &QTimer::timeout, [this] { FRefresh(); });
}

void TTickedRefresh::Changed()
{
    if (!FSinceRefresh.isValid() || FSinceRefresh.elapsed() >= FInterval) {
        FRefresh();
        return;
    }
    // Ticks come far more often than this fires, so while they run it never does.
    if (!FLate.isActive())
        FLate.start(2 * FInterval);
}

void TTickedRefresh::Refreshed()
{
    FSinceRefresh.start();
    FLate.stop();
}

} // namespace kelto::gui
