// The main window's widgets: the button row, the palette and canvas, the two
// splitters, the program editor and the message log.
#include "gui/app/form_kelto_simu.h"

#include "core/basic/interpreter.h"
#include "core/board/pointer_hints.h"

#include "gui/app/form_run_watch.h"
#include "gui/app/strings.h"
#include "gui/app/replay_panel.h"
#include "gui/app/task_panel.h"
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/nav_bar.h"
#include "gui/editor/program_editor.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace kelto::gui {

namespace {

constexpr int kWindowWidth = 828;
// The replay bar adds its height at the foot; above it nothing moved.
constexpr int kWindowHeight = 589 + TReplayPanel::kHeight;
constexpr int kPanelTopHeight = 50;
constexpr int kPanelGLWidth = 620;
constexpr int kNavBarWidth = 145;
constexpr int kSplitterWidth = 5;
constexpr int kPanelMinimum = 128;
constexpr int kMemoMessageHeight = 160;
constexpr int kButtonTop = 2;
constexpr int kButtonHeight = 46;
constexpr int kHalfButtonHeight = 22;
const QString kEditorWidthKey = QStringLiteral("layout/editorWidth");
const QString kCanvasZoomKey = QStringLiteral("layout/canvasZoom");

struct TButtonSpec {
    QPushButton* TFormKeltoSimu::*Member;
    const char* Name;
    const QString* Caption;
    int Left;
    int Width;
    int Top = kButtonTop;
    int Height = kButtonHeight;
};

// The rows after the program buttons sit in free space: two right of the run
// buttons, the examples over the picture export between the file buttons and
// Exit, and undo over redo at the right end.
const std::array<TButtonSpec, 17>& ButtonSpecs()
{
    using namespace main_strings;
    static const std::array<TButtonSpec, 17> specs{{
        {&TFormKeltoSimu::ButtonRUN, "ButtonRUN", &kButtonRUN, 2, 46},
        {&TFormKeltoSimu::ButtonPAUSE, "ButtonPAUSE", &kButtonPAUSE, 49, 46},
        {&TFormKeltoSimu::ButtonCONTINUE, "ButtonCONTINUE", &kButtonCONTINUE, 96, 46},
        {&TFormKeltoSimu::ButtonSTOP, "ButtonSTOP", &kButtonSTOP, 143, 46},
        {&TFormKeltoSimu::ButtonNew, "ButtonNew", &kButtonNew, 308, 46},
        {&TFormKeltoSimu::ButtonOpen, "ButtonOpen", &kButtonOpen, 355, 46},
        {&TFormKeltoSimu::ButtonSave, "ButtonSave", &kButtonSave, 402, 46},
        {&TFormKeltoSimu::ButtonSaveAs, "ButtonSaveAs", &kButtonSaveAs, 449, 46},
        {&TFormKeltoSimu::ButtonExit, "ButtonExit", &kButtonExit, 559, 46},
        {&TFormKeltoSimu::ButtonOpenBas, "ButtonOpenBas", nullptr, 627, 64},
        {&TFormKeltoSimu::ButtonSaveBas, "ButtonSaveBas", nullptr, 692, 64},
        {&TFormKeltoSimu::ButtonStep, "ButtonStep", &kButtonStep, 196, 46},
        {&TFormKeltoSimu::ButtonWatch, "ButtonWatch", &kButtonWatch, 243, 46},
        {&TFormKeltoSimu::ButtonExample, "ButtonExample", &kButtonExample, 504, 53, kButtonTop,
         kHalfButtonHeight},
        {&TFormKeltoSimu::ButtonExportPicture, "ButtonExportPicture", &kButtonExportPicture, 504, 53,
         kButtonTop + kHalfButtonHeight + 2, kHalfButtonHeight},
        {&TFormKeltoSimu::ButtonUndo, "ButtonUndo", &kButtonUndo, 758, 40, kButtonTop, kHalfButtonHeight},
        {&TFormKeltoSimu::ButtonRedo, "ButtonRedo", &kButtonRedo, 758, 40, kButtonTop + kHalfButtonHeight + 2,
         kHalfButtonHeight},
    }};
    return specs;
}

void SetUpMemo(QPlainTextEdit* memo, const char* name)
{
    memo->setObjectName(QLatin1String(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

template <class TMemo> TMemo* MakeMemo(const char* name, QWidget* parent)
{
    auto* memo = new TMemo(parent);
    SetUpMemo(memo, name);
    return memo;
}

} // namespace

void TFormKeltoSimu::BuildLayout()
{
    setObjectName(QStringLiteral("FormKeltoSimu"));
    QFont windowFont(main_strings::kWindowTypeface);
    windowFont.setPixelSize(main_strings::kWindowFontPixels);
    setFont(windowFont);
    resize(kWindowWidth, kWindowHeight);

    BuildButtons();
    BuildPanels();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelTop);
    layout->addWidget(PanelMain, 1);
    FormRunWatch = new TFormRunWatch(this);
}

// The two program buttons get their two-line captions in FormCreate.
void TFormKeltoSimu::BuildButtons()
{
    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(kPanelTopHeight);
    for (const TButtonSpec& spec : ButtonSpecs()) {
        auto* button = new QPushButton(spec.Caption != nullptr ? *spec.Caption : QString(), PanelTop);
        button->setObjectName(QLatin1String(spec.Name));
        button->setGeometry(spec.Left, spec.Top, spec.Width, spec.Height);
        button->setAutoDefault(false);
        this->*spec.Member = button;
    }
    // "KELTOBASIC" in the window's font takes all of a wider button: no
    // room for padding. Undo and redo end the panel before 800 pixels.
    for (QPushButton* button : {ButtonOpenBas, ButtonSaveBas})
        button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    ButtonUndo->setToolTip(main_strings::kButtonUndoTip);
    ButtonRedo->setToolTip(main_strings::kButtonRedoTip);
}

// PanelGL places its children itself: the palette keeps 145 pixels at the
// left edge and the canvas takes the rest, down to nothing.
void TFormKeltoSimu::BuildPanels()
{
    PanelMain = new QWidget(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    Splitter1 = new QSplitter(Qt::Horizontal, PanelMain);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    auto* mainLayout = new QVBoxLayout(PanelMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(Splitter1);
    BuildReplayPanel();
    mainLayout->addWidget(PanelReplay);

    PanelGL = new QWidget(Splitter1);
    PanelGL->setObjectName(QStringLiteral("PanelGL"));
    PanelGL->setMinimumWidth(kPanelMinimum);
    PanelGL->installEventFilter(this);
    dxNavBar1 = new TdxNavBar(PanelGL);
    dxFlowChart1 = new TdxFlowChartView(FBoard.Canvas(), FEditor.Mouse(), PanelGL);
    dxFlowChart1->SetHintAt(
        [this](QPoint p) { return QString::fromStdString(HintAtPoint(FBoard, p.x(), p.y())); });
    dxFlowChart1->SetWiringStart([this] { return FEditor.FirstPinClicked(); });
    dxFlowChart1->SetKeyHandlers([this] { FEditor.DeleteKeyPressed(); }, [this] { FEditor.AbandonWiring(); });
    dxFlowChart1->SetEmptyHint(main_strings::kEmptyCanvasHint);
    dxFlowChart1->SetZoomPercent(FSettings.value(kCanvasZoomKey, kActualSize).toInt());
    dxFlowChart1->SetOnZoomChanged([this](int percent) { FSettings.setValue(kCanvasZoomKey, percent); });

    PanelEdit = new QWidget(Splitter1);
    PanelEdit->setObjectName(QStringLiteral("PanelEdit"));
    PanelEdit->setMinimumWidth(kPanelMinimum);
    Splitter2 = new QSplitter(Qt::Vertical, PanelEdit);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(kSplitterWidth);
    Splitter2->setChildrenCollapsible(false);
    BuildTaskPanel();
    FProgramEditor = MakeMemo<TProgramEditor>("MemoEditor", Splitter2);
    MemoEditor = FProgramEditor;
    MemoMessage = MakeMemo<QPlainTextEdit>("MemoMessage", Splitter2);
    MemoMessage->setReadOnly(true);
    // The window's own notes (why Run did nothing) are longer than the log is wide.
    MemoMessage->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    MemoMessage->setMaximumBlockCount(static_cast<int>(2 * kKeptLogLines));
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(2, 0);
    auto* editLayout = new QVBoxLayout(PanelEdit);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->addWidget(Splitter2);

    // A growing window gives its room to the circuit; the editor keeps its width.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    const int panelHeight = kWindowHeight - kPanelTopHeight - TReplayPanel::kHeight;
    RestoreSplitter();
    Splitter2->setSizes({TTaskPanel::kBarHeight, panelHeight - TTaskPanel::kBarHeight - kMemoMessageHeight - 2 * kSplitterWidth,
                         kMemoMessageHeight});
    connect(Splitter1, &QSplitter::splitterMoved, this,
            [this] { FSettings.setValue(kEditorWidthKey, Splitter1->sizes().value(1)); });
}

void TFormKeltoSimu::RestoreSplitter()
{
    const int room = kWindowWidth - kSplitterWidth;
    const int editorWidth = std::clamp(FSettings.value(kEditorWidthKey, room - kPanelGLWidth).toInt(),
                                       kPanelMinimum, room - kPanelMinimum);
    Splitter1->setSizes({room - editorWidth, editorWidth});
}

bool TFormKeltoSimu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PanelGL && event->type() == QEvent::Resize) {
        const int width = PanelGL->width();
        const int height = PanelGL->height();
        dxNavBar1->setGeometry(0, 0, std::min(kNavBarWidth, width), height);
        dxFlowChart1->setGeometry(kNavBarWidth, 0, std::max(width - kNavBarWidth, 0), height);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelto::gui
