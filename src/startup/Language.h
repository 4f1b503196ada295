#pragma once

// The language the program speaks: Russian (the texts as written in the sources) or English (the
// program's own catalogue, built from translations/palvex_en.ts and embedded in the program).
// Qt's own texts — the buttons of the message boxes, the file dialogs, the context menus of the
// text fields — follow from Qt's catalogue of the same language (Debian: qt6-translations-l10n).

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

enum class UiLanguage { Russian, English };

// "ru" or "en" (any case); nothing for another text.
std::optional<UiLanguage> uiLanguageNamed(const QString &code);

// The language of the user's desktop: the first of the system's interface languages
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG on Unix) that the program speaks; Russian if none.
UiLanguage systemUiLanguage();

// The value of --lang (or --lang=xx) among the arguments of a program (the program itself first),
// before a lone "--"; nothing if not given. Read before the full parsing of the command line, so
// that its messages are already in the chosen language.
std::optional<QString> requestedLanguageCode(const QStringList &arguments);

// Installs the program's catalogue and Qt's for `language` into `app` and makes the language the
// default locale (dates and sizes in the file dialogs). Returns false when Qt's Russian catalogue
// was not found (Qt's texts then stay English); the program's texts are translated all the same.
bool installUiLanguage(QCoreApplication &app, UiLanguage language);
