// Texts of the canvas's dialogs, the palette and the program editor, in UTF-8.
#pragma once

#include <QString>

namespace kelto::gui::editor_strings {

// Both dialogs and the palette use the part typeface at 16 pixels.
inline const QString kDialogTypeface = QStringLiteral("宋体");
constexpr int kDialogFontPixels = 16;

// TFormXian, the wire dialog.
inline const QString kXianCaption = QStringLiteral("连接线");
inline const QString kXianGroup = QStringLiteral("请选择");
inline const QString kXianStraight = QStringLiteral("直线");
inline const QString kXianElbowHorizontal = QStringLiteral("肘形水平");
inline const QString kXianElbowVertical = QStringLiteral("肘形垂直");
inline const QString kXianOk = QStringLiteral("确定");
inline const QString kXianCancel = QStringLiteral("取消");
inline const QString kXianDelete = QStringLiteral("删除");

// TFormShanChu, the delete dialog.
inline const QString kShanChuCaption = QStringLiteral("删除元件");
inline const QString kShanChuCancel = QStringLiteral("取消");
inline const QString kShanChuDelete = QStringLiteral("删除");
// The question naming the part (its palette caption fills %1), and how to
// take a deletion back.
inline const QString kShanChuQuestion = QStringLiteral("要删除“%1”吗？");
inline const QString kShanChuUndoHint = QStringLiteral("删错了可以按 Ctrl+Z 撤销。");

// The program editor: what a line runs as, and the bar above the text.
inline const QString kReadingPrefix = QStringLiteral("读作：");
inline const QString kLinesWillNotRun = QStringLiteral("%1 行不会运行");
inline const QString kLinesMayBeWrong = QStringLiteral("%1 行可能写错了");
inline const QString kCountSeparator = QStringLiteral("，");
inline const QString kHeaderSeparator = QStringLiteral("；");

// The canvas view's zoom, shown while it is not 100% (the percent fills %1).
inline const QString kZoomPercent = QStringLiteral("%1%");

} // namespace kelto::gui::editor_strings
