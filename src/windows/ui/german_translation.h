// Qt's own texts in German (dialog buttons, the input fields' context menu, key names),
// whatever the user's locale: the program speaks German everywhere.
#pragma once

class QCoreApplication;
class QTranslator;

namespace strevo {

// Looks for "qtbase_de.qm" in a "translations" folder beside the program, then in Qt's
// translation folder. The translator belongs to `application`; none when nothing was found.
QTranslator* InstallGermanTranslation(QCoreApplication& application);

}  // namespace strevo
