// Texts of TFormOScopes, the oscilloscope window, in UTF-8.
#pragma once

#include <QString>

namespace kelto::gui::oscopes_strings {

inline const QString kCaption = QStringLiteral("示波器");
inline const QString kButtonRun = QStringLiteral("运行");
inline const QString kButtonStop = QStringLiteral("停止");
inline const QString kButtonClear = QStringLiteral("清除");
inline const QString kButtonExportPicture = QStringLiteral("导出图片");

} // namespace kelto::gui::oscopes_strings
