#include "gui/instruments/form_oscopes.h"

#include "core/instruments/scope_export.h"
#include "gui/instruments/audioas_strings.h"
#include "gui/instruments/oscopes_strings.h"

namespace kelto::gui {

namespace {

const TScopeFormTexts kOScopesTexts{oscopes_strings::kCaption,       oscopes_strings::kButtonRun,
                                    oscopes_strings::kButtonStop,    oscopes_strings::kButtonClear,
                                    oscopes_strings::kButtonExport,  oscopes_strings::kCsvFilter,
                                    oscopes_strings::kVcdFilter,     oscopes_strings::kSampleHeader,
                                    oscopes_strings::kChannelHeader, kOScopesDataName,
                                    oscopes_strings::kButtonExportPicture};
const TScopeFormTexts kAudioasTexts{audioas_strings::kCaption,       audioas_strings::kButtonRun,
                                    audioas_strings::kButtonStop,    audioas_strings::kButtonClear,
                                    audioas_strings::kButtonExport,  audioas_strings::kCsvFilter,
                                    audioas_strings::kVcdFilter,     audioas_strings::kSampleHeader,
                                    audioas_strings::kChannelHeader, kAudioasDataName,
                                    audioas_strings::kButtonExportPicture};

} // namespace

TFormOScopes::TFormOScopes(TScopeRecorder& recorder, IScopeDialogs& dialogs, QWidget* parent)
    : TScopeForm(recorder, dialogs, kOScopesTexts, parent)
{
    setObjectName(QStringLiteral("FormOScopes"));
}

TFormAudioas::TFormAudioas(TScopeRecorder& recorder, IScopeDialogs& dialogs, QWidget* parent)
    : TScopeForm(recorder, dialogs, kAudioasTexts, parent)
{
    setObjectName(QStringLiteral("FormAudioas"));
}

} // namespace kelto::gui
