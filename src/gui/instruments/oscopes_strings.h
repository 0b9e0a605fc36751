// Texts of TFormOScopes, the oscilloscope window, in UTF-8.
#pragma once

#include <QString>

namespace kelto::gui::oscopes_strings {

inline const QString kCaption = QStringLiteral("示波器");
inline const QString kButtonRun = QStringLiteral("运行");
inline const QString kButtonStop = QStringLiteral("停止");
inline const QString kButtonClear = QStringLiteral("清除");
inline const QString kButtonExport = QStringLiteral("导出数据");
inline const QString kCsvFilter = QStringLiteral("CSV 表格文件 (*.csv)");
inline const QString kVcdFilter = QStringLiteral("VCD 波形文件 (*.vcd)");
// The exported table's headers: the sample number's, and before each probe letter.
inline const QString kSampleHeader = QStringLiteral("采样");
inline const QString kChannelHeader = QStringLiteral("通道");
inline const QString kButtonExportPicture = QStringLiteral("导出图片");

} // namespace kelto::gui::oscopes_strings
