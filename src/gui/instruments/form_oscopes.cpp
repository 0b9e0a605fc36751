#include "gui/instruments/form_oscopes.h"

#include "gui/instruments/audioas_strings.h"
#include "gui/instruments/oscopes_strings.h"

namespace kelto::gui {

namespace {

const TScopeFormTexts kOScopesTexts{oscopes_strings::kCaption, oscopes_strings::kButtonRun,
                                    oscopes_strings::kButtonStop, oscopes_strings::kButtonClear,
                                    oscopes_strings::kButtonExportPicture};
const TScopeFormTexts kAudioasTexts{audioas_strings::kCaption, audioas_strings::kButtonRun,
                                    audioas_strings::kButtonStop, audioas_strings::kButtonClear,
                                    audioas_strings::kButtonExportPicture};

} // namespace

TFormOScopes::TFormOScopes(TScopeRecorder& recorder, QWidget* parent)
    : TScopeForm(recorder, kOScopesTexts, parent)
{
    setObjectName(QStringLiteral("FormOScopes"));
}

TFormAudioas::TFormAudioas(TScopeRecorder& recorder, QWidget* parent)
    : TScopeForm(recorder, kAudioasTexts, parent)
{
    setObjectName(QStringLiteral("FormAudioas"));
}

} // namespace kelto::gui
