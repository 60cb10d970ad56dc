#pragma once

class QCoreApplication;

namespace zolvaric {

// Qt's own texts (file dialog, standard buttons, context menus) in German,
// from Qt's translations when the system has them; else Qt's English ones.
// Returns whether the German texts were found.
bool installGermanQtTexts(QCoreApplication &application);

} // namespace zolvaric
