// The window both oscilloscopes share: the plot with its scroll bar on the
// left, Run, Stop and Clear on the right. Created once at start and hidden;
// its close box only hides it, and recording goes on meanwhile.
#pragma once

#include "gui/render/ticked_refresh.h"

#include <QString>
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

    // Brings buttons, scroll bar and plot up to the recording.
    void Refresh();
    // After each tick: refreshes a shown window with new samples at most
    // once per screen refresh.
    void RefreshWhenDue();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout(const TScopeFormTexts& texts);
    void ButtonRunClick();
    void ButtonStopClick();
    void ButtonClearClick();
    void ChartScrollBar1Change(int value);
    void SynchroniseScrollBar();

    TScopeRecorder& FRecorder;
    TTickedRefresh FTickedRefresh{[this] { Refresh(); }};
    uint64_t FShownVersion = 0;
};

} // namespace kelto::gui
