#include "gui/instruments/scope_form.h"

#include "core/board/file_error_text.h"
#include "core/files/scope_data_file.h"
#include "core/instruments/scope_recorder.h"
#include "gui/instruments/plot_picture.h"
#include "gui/instruments/scope_plot.h"

#include "core/board/file_error_text.h"
#include "core/files/atomic_file.h"
#include "gui/render/refresh_interval.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace kelto::gui {

namespace {

constexpr int kWindowWidth = 696;
constexpr int kWindowHeight = 480;
constexpr int kChartPanelWidth = 560;
constexpr int kScrollBarHeight = 16;
constexpr int kButtonLeft = 24;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kScrollSmallStep = 10;

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

QPushButton* MakeButton(const char* name, const QString& caption, int top, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(kButtonLeft, top, kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

TScopeForm::TScopeForm(TScopeRecorder& recorder, IScopeDialogs& dialogs, const TScopeFormTexts& texts,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), FRecorder(recorder), FDialogs(dialogs), FTexts(texts),
      FExportFolder(QDir::homePath())
{
    FCsvHeaders.push_back(texts.SampleHeader.toStdString());
    for (int c = 0; c < recorder.ChannelCount(); ++c)
        FCsvHeaders.push_back((texts.ChannelHeader + QChar('A' + c)).toStdString());
    // An open oscilloscope must not keep the program alive after the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(texts.Caption);
    BuildLayout(texts);
    connect(ButtonRun, &QPushButton::clicked, this, &TScopeForm::ButtonRunClick);
    connect(ButtonStop, &QPushButton::clicked, this, &TScopeForm::ButtonStopClick);
    connect(ButtonClear, &QPushButton::clicked, this, &TScopeForm::ButtonClearClick);
    connect(ButtonExport, &QPushButton::clicked, this, &TScopeForm::ButtonExportClick);
    connect(ButtonExportPicture, &QPushButton::clicked, this, &TScopeForm::ButtonExportPictureClick);
    connect(ChartScrollBar1, &QScrollBar::valueChanged, this, &TScopeForm::ChartScrollBar1Change);
    connect(ChartScrollBar1, &QScrollBar::sliderReleased, this, &TScopeForm::Refresh);
    Refresh();
}

void TScopeForm::BuildLayout(const TScopeFormTexts& texts)
{
    resize(kWindowWidth, kWindowHeight);
    auto* chartPanel = new QWidget(this);
    chartPanel->setFixedWidth(kChartPanelWidth);
    Chart1 = new TScopePlot(FRecorder, chartPanel);
    ChartScrollBar1 = new QScrollBar(Qt::Horizontal, chartPanel);
    ChartScrollBar1->setObjectName(QStringLiteral("ChartScrollBar1"));
    ChartScrollBar1->setFixedHeight(kScrollBarHeight);
    ChartScrollBar1->setSingleStep(kScrollSmallStep);
    auto* chartLayout = new QVBoxLayout(chartPanel);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->setSpacing(0);
    chartLayout->addWidget(Chart1, 1);
    chartLayout->addWidget(ChartScrollBar1);

    auto* buttonPanel = new QWidget(this);
    ButtonRun = MakeButton("ButtonRun", texts.Run, 16, buttonPanel);
    ButtonStop = MakeButton("ButtonStop", texts.Stop, 48, buttonPanel);
    ButtonClear = MakeButton("ButtonClear", texts.Clear, 80, buttonPanel);
    ButtonExport = MakeButton("ButtonExport", texts.Export, 112, buttonPanel);
    ButtonExportPicture = MakeButton("ButtonExportPicture", texts.ExportPicture, 144, buttonPanel);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chartPanel);
    layout->addWidget(buttonPanel, 1);
}

void TScopeForm::ButtonRunClick()
{
    FRecorder.ButtonRunClick();
    Refresh();
}

void TScopeForm::ButtonStopClick()
{
    FRecorder.ButtonStopClick();
    Refresh();
}

void TScopeForm::ButtonClearClick()
{
    FRecorder.ButtonClearClick();
    Refresh();
}

void TScopeForm::ButtonExportClick()
{
    // In the order of TScopeDataFormat.
    const TFileType types[] = {{FTexts.CsvFilter, QStringLiteral("csv")},
                               {FTexts.VcdFilter, QStringLiteral("vcd")}};
    const TChosenFile chosen = FDialogs.SaveDataDialog(this, FExportFolder, types);
    if (chosen.Path.isEmpty())
        return;
    FExportFolder = QFileInfo(chosen.Path).absolutePath();
    const TFileResult saved = SaveScopeData(QFile::encodeName(chosen.Path).toStdString(),
                                            static_cast<TScopeDataFormat>(chosen.Type),
                                            {FTexts.DataName, FRecorder.Samples()}, FCsvHeaders);
    if (!saved.Ok)
        FDialogs.ShowFileError(this, QString::fromStdString(FileErrorText(saved)));
}

// The plot as it stands on screen; a failed write leaves no file behind.
void TScopeForm::ButtonExportPictureClick()
{
    look::TPictureChoice choice;
    const QString chosen = FDialogs.SavePictureDialog(this, QString(), choice);
    if (chosen.isEmpty())
        return;
    const QByteArray bytes = PlotPictureBytes(*Chart1, choice);
    const std::string path = QFile::encodeName(chosen).toStdString();
    TFileResult written =
        WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!written.Ok)
        FDialogs.ShowFileError(this, QString::fromStdString(FileErrorText(
                                         written.About(TFileOperation::Write, path, "Cannot write"))));
}

void TScopeForm::ChartScrollBar1Change(int value)
{
    FRecorder.PanAxisTo(value);
    Chart1->ShowRecording();
}

void TScopeForm::Refresh()
{
    ButtonRun->setEnabled(FRecorder.RunEnabled());
    ButtonStop->setEnabled(FRecorder.StopEnabled());
    ButtonClear->setEnabled(FRecorder.ClearEnabled());
    Chart1->ShowRecording();
    SynchroniseScrollBar();
    FShownVersion = FRecorder.Version();
    FTickedRefresh.Refreshed();
}

void TScopeForm::RefreshWhenDue()
{
    if (isVisible() && FRecorder.Version() != FShownVersion)
        FTickedRefresh.Changed();
}

// The range follows the recording, except while the user drags the thumb:
// moving the range under the pointer would make the thumb jump.
void TScopeForm::SynchroniseScrollBar()
{
    if (ChartScrollBar1->isSliderDown())
        return;
    TScopeScrollRange range = FRecorder.ScrollRange();
    range.Value = Chart1->ShownAxisMinimum();
    const QSignalBlocker blocker(ChartScrollBar1);
    ChartScrollBar1->setRange(ClampToInt(range.Minimum), ClampToInt(range.Maximum));
    ChartScrollBar1->setPageStep(ClampToInt(range.Page));
    ChartScrollBar1->setValue(ClampToInt(range.Value));
}

void TScopeForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FTickedRefresh.SetInterval(RefreshIntervalMilliseconds(screen()));
    Refresh();
}

} // namespace kelto::gui
