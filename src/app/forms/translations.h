// The toolkit's own texts (message-box buttons, file and print dialogs) in German, the
// language of the program.
#pragma once

class QCoreApplication;
class QLocale;

namespace velmora {

// The user's locale when it is a German one (its regional translation is preferred where the
// toolkit has one), otherwise German: the dialogs speak the program's language.
QLocale ToolkitLocale();

// Installs the toolkit's translation for ToolkitLocale() from the toolkit's translation
// directory. False when no translation file is there; the dialogs then stay in English.
bool LoadToolkitTranslations(QCoreApplication& app);

}  // namespace velmora
