// GLCadencer1, the frame clock: raises a progress event with the time since
// the last one, pausing its sleep length between events (-1: none).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace kelto::gui {

class TGLCadencer final : public QObject {
    Q_OBJECT
public:
    using TProgress = std::function<void(double deltaTime, double newTime)>;

    explicit TGLCadencer(QObject* parent = nullptr);

    void SetOnProgress(TProgress handler) { FOnProgress = std::move(handler); }
    void SetSleepLength(int milliseconds) { FSleepLength = milliseconds; }
    int SleepLength() const { return FSleepLength; }
    // While set, the pause lasts at least this long (0: the sleep length).
    void SetLeastSleep(int milliseconds) { FLeastSleep = milliseconds; }
    // Time while disabled does not count: the first event after enabling
    // reports only the time since the last event before disabling.
    void SetEnabled(bool enabled);
    bool Enabled() const { return FEnabled; }

private:
    void Progress();
    qint64 RunningNanoseconds() const;

    TProgress FOnProgress;
    QTimer FTimer;
    QElapsedTimer FClock;
    qint64 FStoppedNanoseconds = 0;
    qint64 FDisabledAt = 0;
    qint64 FLastTime = 0;
    int FSleepLength = -1;
    int FLeastSleep = 0;
    bool FEnabled = false;
};

} // namespace kelto::gui
