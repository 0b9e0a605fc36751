// The replay bar along the window's foot: a time line over the recorded
// run, one statement back or forward, and the recording as a file. It only
// shows and asks; the window moves the board.
#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;
class QSlider;

namespace kelto::gui {

class TReplayPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;

    explicit TReplayPanel(QWidget* parent);

    // The board stands after tick `shown` of `total` recorded; the time line
    // moves only while `movable` (paused or ended).
    void ShowTimeline(int64_t shown, int64_t total, bool movable);

    QSlider* Timeline = nullptr;
    QLabel* LabelPosition = nullptr;
    QPushButton* ButtonStepBack = nullptr;
    QPushButton* ButtonStepForward = nullptr;
    QPushButton* ButtonSaveRecording = nullptr;
    QPushButton* ButtonOpenRecording = nullptr;

signals:
    void SeekRequested(int64_t tick);
    void StepBackRequested();
    void StepForwardRequested();
    void SaveRequested();
    void OpenRequested();
};

} // namespace kelto::gui
