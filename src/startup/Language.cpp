#include "startup/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// What Qt's Russian catalogue leaves in English: the Latin "OK" on the message boxes' button
// (Russian writes "ОК"), and the kinds of entries the file dialogs list.
class MissingRussianTexts final : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        struct Entry
        {
            const char *context;
            const char *source;
            const char16_t *text;
        };
        static const Entry entries[] = {
            {"QPlatformTheme", "OK", u"ОК"},
            {"QAbstractFileIconProvider", "Folder", u"Папка"},
            {"QAbstractFileIconProvider", "Drive", u"Диск"},
            {"QAbstractFileIconProvider", "Shortcut", u"Ярлык"},
            {"QAbstractFileIconProvider", "File", u"Файл"},
        };
        for (const Entry &e : entries)
            if (qstrcmp(context, e.context) == 0 && qstrcmp(sourceText, e.source) == 0)
                return QString::fromUtf16(e.text);
        return QString();
    }
};

QLocale localeOf(UiLanguage language)
{
    return language == UiLanguage::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : QLocale(QLocale::Russian, QLocale::Russia);
}

} // namespace

std::optional<UiLanguage> uiLanguageNamed(const QString &code)
{
    const QString c = code.trimmed().toLower();
    if (c == QStringLiteral("ru"))
        return UiLanguage::Russian;
    if (c == QStringLiteral("en"))
        return UiLanguage::English;
    return std::nullopt;
}

UiLanguage systemUiLanguage()
{
    for (const QString &name : QLocale::system().uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English)
            return UiLanguage::English;
        if (language == QLocale::Russian)
            return UiLanguage::Russian;
    }
    return UiLanguage::Russian;
}

std::optional<QString> requestedLanguageCode(const QStringList &arguments)
{
    std::optional<QString> code;
    const QString option = QStringLiteral("--lang");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QStringLiteral("--"))
            break;
        if (a == option)
            code = arguments.value(++i);
        else if (a.startsWith(option + u'='))
            code = a.mid(option.size() + 1);
    }
    return code;
}

bool installUiLanguage(QCoreApplication &app, UiLanguage language)
{
    const QLocale locale = localeOf(language);
    QLocale::setDefault(locale);
    if (language == UiLanguage::English) {
        auto *own = new QTranslator(&app);
        if (own->load(QStringLiteral(":/i18n/palvex_en.qm")))
            QCoreApplication::installTranslator(own);
        else
            delete own;
    }
    // Qt's own folder first, then a "translations" folder beside the program (a copied build).
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString &folder : folders) {
        auto *translator = new QTranslator(&app);
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator)) {
            // Looked up before the catalogue (the last installed is asked first).
            if (language == UiLanguage::Russian)
                QCoreApplication::installTranslator(new MissingRussianTexts(&app));
            return true;
        }
        delete translator;
    }
    // Qt's texts are English in its sources: its English catalogue holds little or nothing.
    return language == UiLanguage::English;
}
