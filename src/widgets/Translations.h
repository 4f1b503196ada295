#pragma once

// Qt's own texts in Russian: the buttons of the message boxes (Да, Нет, Отмена, Закрыть), the
// file dialogs and the context menu of the text fields. The catalogues come with Qt's
// translations (Debian: qt6-translations-l10n).

class QCoreApplication;

// Loads Qt's Russian catalogue into `app` and makes Russian the default locale of the widgets
// (dates and sizes in the file dialogs). Returns false when no catalogue was found; the program
// then runs with Qt's English texts.
bool installRussianTranslations(QCoreApplication &app);
