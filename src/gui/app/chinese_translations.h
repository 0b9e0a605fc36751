// Qt's own texts (file dialogs, standard buttons) in Chinese whatever the
// system locale is, as the rest of the window.
#pragma once

class QCoreApplication;

namespace kelto::gui {

// False when Qt's Chinese translation file is not installed; the texts stay
// English then.
bool InstallChineseTranslations(QCoreApplication& application);

} // namespace kelto::gui
