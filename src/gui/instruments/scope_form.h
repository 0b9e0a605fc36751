// The window both oscilloscopes share: the plot with its scroll bar on the
// left, Run, Stop, Clear, 导出数据 and 导出图片 on the right. Created once at start and hidden;
// its close box only hides it, and recording goes on meanwhile.
#pragma once

#include "gui/instruments/scope_dialogs.h"
#include "gui/render/ticked_refresh.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    const QString& Export;
    const QString& CsvFilter;
    const QString& VcdFilter;
    const QString& SampleHeader;
    const QString& ChannelHeader;
    std::string_view DataName; // the instrument in an exported VCD
    const QString& ExportPicture;
};

class TScopeForm : public QWidget {
    Q_OBJECT
public:
    TScopeForm(TScopeRecorder& recorder, IScopeDialogs& dialogs, const TScopeFormTexts& texts,
               QWidget* parent);

    TScopePlot* Chart1 = nullptr;
    QScrollBar* ChartScrollBar1 = nullptr;
    QPushButton* ButtonRun = nullptr;
    QPushButton* ButtonStop = nullptr;
    QPushButton* ButtonClear = nullptr;
    QPushButton* ButtonExport = nullptr;
    // The plot as shown, as a picture file.
    QPushButton* ButtonExportPicture = nullptr;

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
    void ButtonExportClick();
    void ButtonExportPictureClick();
    void ChartScrollBar1Change(int value);
    void SynchroniseScrollBar();

    TScopeRecorder& FRecorder;
    IScopeDialogs& FDialogs;
    const TScopeFormTexts FTexts;
    std::vector<std::string> FCsvHeaders;
    QString FExportFolder;
    TTickedRefresh FTickedRefresh{[this] { Refresh(); }};
    uint64_t FShownVersion = 0;
};

} // namespace kelto::gui
