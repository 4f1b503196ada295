#include "widgets/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace {

// What Qt's catalogue leaves in English: the Latin "OK" on the message boxes' button (Russian
// writes "ОК"), and the kinds of entries the file dialogs list.
class MissingTexts final : public QTranslator
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

} // namespace

bool installRussianTranslations(QCoreApplication &app)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    // Qt's own folder first, then a "translations" folder beside the program (a copied build).
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString &folder : folders) {
        auto *translator = new QTranslator(&app);
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator)) {
            // Looked up before the catalogue (the last installed is asked first).
            QCoreApplication::installTranslator(new MissingTexts(&app));
            return true;
        }
        delete translator;
    }
    return false;
}
