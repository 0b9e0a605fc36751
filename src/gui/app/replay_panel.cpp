#include "gui/app/replay_panel.h"

#include "gui/app/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <limits>

namespace kelto::gui {

namespace {

constexpr int kButtonHeight = TReplayPanel::kHeight - 4;

int SliderValue(int64_t tick)
{
    return static_cast<int>(std::clamp<int64_t>(tick, 0, std::numeric_limits<int>::max()));
}

} // namespace

TReplayPanel::TReplayPanel(QWidget* parent) : QWidget(parent)
{
    using namespace main_strings;
    setObjectName(QStringLiteral("PanelReplay"));
    auto* label = new QLabel(kReplayLabel, this);
    Timeline = new QSlider(Qt::Horizontal, this);
    Timeline->setObjectName(QStringLiteral("Timeline"));
    Timeline->setToolTip(kTimelineTip);
    LabelPosition = new QLabel(this);
    LabelPosition->setObjectName(QStringLiteral("LabelPosition"));
    auto button = [this](const QString& text, const QString& tip, const char* name) {
        auto* made = new QPushButton(text, this);
        made->setObjectName(QString::fromLatin1(name));
        made->setToolTip(tip);
        made->setFixedHeight(kButtonHeight);
        made->setAutoDefault(false);
        return made;
    };
    ButtonStepBack = button(kButtonStepBack, kButtonStepBackTip, "ButtonStepBack");
    ButtonStepForward = button(kButtonStepForward, kButtonStepForwardTip, "ButtonStepForward");
    ButtonSaveRecording = button(kButtonSaveRecording, kButtonSaveRecordingTip, "ButtonSaveRecording");
    ButtonOpenRecording = button(kButtonOpenRecording, kButtonOpenRecordingTip, "ButtonOpenRecording");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(label);
    layout->addWidget(Timeline, 1);
    layout->addWidget(LabelPosition);
    for (QPushButton* made : {ButtonStepBack, ButtonStepForward, ButtonSaveRecording, ButtonOpenRecording})
        layout->addWidget(made);
    setFixedHeight(kHeight);

    // A drag asks for every tick it passes; the window answers the last.
    connect(Timeline, &QSlider::valueChanged, this, [this](int value) { emit SeekRequested(value); });
    connect(ButtonStepBack, &QPushButton::clicked, this, &TReplayPanel::StepBackRequested);
    connect(ButtonStepForward, &QPushButton::clicked, this, &TReplayPanel::StepForwardRequested);
    connect(ButtonSaveRecording, &QPushButton::clicked, this, &TReplayPanel::SaveRequested);
    connect(ButtonOpenRecording, &QPushButton::clicked, this, &TReplayPanel::OpenRequested);
    ShowTimeline(0, 0, false);
}

void TReplayPanel::ShowTimeline(int64_t shown, int64_t total, bool movable)
{
    const QSignalBlocker quiet(Timeline);
    Timeline->setRange(0, SliderValue(total));
    Timeline->setValue(SliderValue(shown));
    Timeline->setEnabled(movable && total > 0);
    ButtonStepBack->setEnabled(movable && shown > 0);
    ButtonStepForward->setEnabled(movable && shown < total);
    ButtonSaveRecording->setEnabled(total > 0);
    LabelPosition->setText(main_strings::kTimelinePosition.arg(shown).arg(total));
}

} // namespace kelto::gui
