// What the oscilloscope windows show modally: the save dialogs of 导出数据 and
// 导出图片, and the error box. The main window's dialogs answer them too, so the windows
// look like the rest and tests can script them.
#pragma once

#include "core/look/picture_format.h"

#include <QString>

#include <span>

class QWidget;

namespace kelto::gui {

struct TFileType {
    QString Filter; // "名称 (*.ext)"
    QString Suffix; // added to a name typed without one
};

struct TChosenFile {
    QString Path; // empty when the user cancels
    int Type = 0; // index of the file type chosen
};

class IScopeDialogs {
public:
    virtual ~IScopeDialogs() = default;
    // Opens in the folder `start` with the first type chosen.
    virtual TChosenFile SaveDataDialog(QWidget* parent, const QString& start,
                                       std::span<const TFileType> types) = 0;
    // A picture: the file, and in choice its format, scale and style; an
    // empty name when the user cancels.
    virtual QString SavePictureDialog(QWidget* parent, const QString& start, look::TPictureChoice& choice) = 0;
    virtual void ShowFileError(QWidget* parent, const QString& message) = 0;
};

} // namespace kelto::gui
