// TFormOScopes, the eight-channel oscilloscope window "示波器", and
// TFormAudioas, the single-channel one "单通道示波器": the same window over
// their own recordings.
#pragma once

#include "gui/instruments/scope_form.h"

namespace kelto::gui {

class TFormOScopes final : public TScopeForm {
    Q_OBJECT
public:
    TFormOScopes(TScopeRecorder& recorder, IScopeDialogs& dialogs, QWidget* parent = nullptr);
};

class TFormAudioas final : public TScopeForm {
    Q_OBJECT
public:
    TFormAudioas(TScopeRecorder& recorder, IScopeDialogs& dialogs, QWidget* parent = nullptr);
};

} // namespace kelto::gui
