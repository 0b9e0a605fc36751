// The window both oscilloscopes share: the plot with its scroll bar on the
// left, Run, Stop and Clear on the right. Created once at start and hidden;
// its close box only hides it, and recording goes on meanwhile.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class QPushButton;
class QScrollBar;

namespace kelto {
class TScopeRecorder;
}

namespace kelto::gui {

class TScopePlot;

struct TScopeFormTexts {
    const QString& Caption;
    const QString& Run;
    const QString& Stop;
    const QString& Clear;
};

class TScopeForm : public QWidget {
    Q_OBJECT
public:
    TScopeForm(TScopeRecorder& recorder, const TScopeFormTexts& texts, QWidget* parent);

    TScopePlot* Chart1 = nullptr;
    QScrollBar* ChartScrollBar1 = nullptr;
    QPushButton* ButtonRun = nullptr;
    QPushButton* ButtonStop = nullptr;
    QPushButton* ButtonClear = nullptr;

    // Brings buttons, scroll bar and plot up to the recording; the window
    // does this itself at most once per screen refresh while it is shown.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildLayout(const TScopeFormTexts& texts);
    void ButtonRunClick();
    void ButtonStopClick();
    void ButtonClearClick();
    void ChartScrollBar1Change(int value);
    void RefreshTimerTimer();
    void SynchroniseScrollBar();

    TScopeRecorder& FRecorder;
    QTimer FRefreshTimer;
    uint64_t FShownVersion = 0;
};

} // namespace kelto::gui
