// Texts of the main window, its prompts and its file dialogs, in UTF-8. The
// title and the save prompt's texts are the document's (document_texts.h).
#pragma once

#include <QString>

namespace kelto::gui::main_strings {

inline const QString kButtonRUN = QStringLiteral("运行");
inline const QString kButtonPAUSE = QStringLiteral("暂停");
inline const QString kButtonCONTINUE = QStringLiteral("继续");
inline const QString kButtonSTOP = QStringLiteral("停止");
inline const QString kButtonNew = QStringLiteral("新建");
inline const QString kButtonOpen = QStringLiteral("打开");
inline const QString kButtonSave = QStringLiteral("保存");
inline const QString kButtonSaveAs = QStringLiteral("另存");
inline const QString kButtonExit = QStringLiteral("退出");
inline const QString kButtonExportPicture = QStringLiteral("导出图片");
inline const QString kButtonOpenBas = QStringLiteral("打开\nKELTOBASIC");
inline const QString kButtonSaveBas = QStringLiteral("保存\nKELTOBASIC");
inline const QString kButtonStep = QStringLiteral("单步");
inline const QString kButtonWatch = QStringLiteral("变量");
inline const QString kButtonUndo = QStringLiteral("撤销");
inline const QString kButtonRedo = QStringLiteral("重做");
inline const QString kButtonUndoTip = QStringLiteral("撤销上一次画布上的改动（Ctrl+Z）");
inline const QString kButtonRedoTip = QStringLiteral("重做撤销了的改动（Ctrl+Y）");

// The task panel above the program editor.
inline const QString kButtonTask = QStringLiteral("任务");
inline const QString kButtonTaskTip = QStringLiteral("打开老师给的任务文件（.toml），在这里显示题目");
inline const QString kButtonCheck = QStringLiteral("检查");
inline const QString kButtonCheckTip =
    QStringLiteral("用任务里的检查试一试现在的电路和程序：另开一块板子运行，不影响这里");
inline const QString kChecking = QStringLiteral("正在检查……");
inline const QString kTaskFilter = QStringLiteral("任务文件(*.toml)");
inline const QString kUnsavedProgram = QStringLiteral("程序");

// The replay bar along the window's foot.
inline const QString kReplayLabel = QStringLiteral("回放");
inline const QString kButtonStepBack = QStringLiteral("后退");
inline const QString kButtonStepBackTip = QStringLiteral("回到上一条语句执行之前（暂停时或运行结束后）");
inline const QString kButtonStepForward = QStringLiteral("前进");
inline const QString kButtonStepForwardTip = QStringLiteral("再执行一条语句，和当时一样");
inline const QString kButtonSaveRecording = QStringLiteral("保存录像");
inline const QString kButtonSaveRecordingTip =
    QStringLiteral("把这次运行存成一个录像文件（电路和程序都在里面），可以发给老师");
inline const QString kButtonOpenRecording = QStringLiteral("打开录像");
inline const QString kButtonOpenRecordingTip = QStringLiteral("打开一个录像文件：电路和程序回到当时，时间轴停在最后");
inline const QString kTimelineTip = QStringLiteral("拖动时间轴，回到这次运行的任何一拍（暂停时或运行结束后）");
inline const QString kTimelinePosition = QStringLiteral("第 %1 / %2 拍");
inline const QString kRecordingFilter = QStringLiteral("录像文件(*.rec)");
inline const QString kRecordingSuffix = QStringLiteral("rec");
inline const QString kRecordingRefused = QStringLiteral("无法打开录像 %1：%2");
inline const QString kRecordingEndedByEdit = QStringLiteral("运行中改动了电路，录像到这里为止");
inline const QString kDropLaterTicks =
    QStringLiteral("从这里继续运行，后面还没看过的 %1 拍录像就不要了。继续吗？");

// On the empty canvas once the banner has gone.
inline const QString kEmptyCanvasHint =
    QStringLiteral("单击左边元件栏里的元件，把它放到这里；\n或按上面的“示例”打开一课。");

inline const QString kRunWatchCaption = QStringLiteral("变量");
inline const QString kRunWatchName = QStringLiteral("名称");
inline const QString kRunWatchValue = QStringLiteral("值");

inline const QString kButtonExample = QStringLiteral("示例");
inline const QString kLessonChooserCaption = QStringLiteral("示例");
inline const QString kLessonChooserPrompt = QStringLiteral("选择一课，打开它的电路和程序：");
inline const QString kLessonChooserOpen = QStringLiteral("打开");

inline const QString kNoSoundOutput = QStringLiteral("没有声音输出设备：乐曲照常计时，但听不到声音");

inline const QString kWelcomeBanner = QStringLiteral("欢迎使用Kelto软件");

inline const QString kCircuitFilter = QStringLiteral("单片机仿真文件(*.dps)");
inline const QString kCircuitSuffix = QStringLiteral("dps");
inline const QString kProgramFilter = QStringLiteral("KELTOBASIC文件文本格式(*.txt)");
inline const QString kProgramSuffix = QStringLiteral("txt");

// The picture of the whole circuit, by the file dialog's type.
inline const QString kPictureSvgFilter = QStringLiteral("SVG 矢量图(*.svg)");
inline const QString kPicturePngFilter = QStringLiteral("PNG 图片(*.png)");
inline const QString kPicturePng2xFilter = QStringLiteral("PNG 图片，两倍大小(*.png)");
inline const QString kPicturePdfFilter = QStringLiteral("PDF 文档，A4 纸(*.pdf)");
inline const QString kPicturePrintStyle = QStringLiteral("，黑白打印样式");

inline const QString kAnswerYes = QStringLiteral("是");
inline const QString kAnswerNo = QStringLiteral("否");
inline const QString kAnswerCancel = QStringLiteral("取消");
inline const QString kErrorOk = QStringLiteral("确定");
inline const QString kFolderType = QStringLiteral("文件夹");

// The window's own typeface; the part typeface of the palette and dialogs is
// the same Song face.
inline const QString kWindowTypeface = QStringLiteral("宋体");
constexpr int kWindowFontPixels = 12;

} // namespace kelto::gui::main_strings
