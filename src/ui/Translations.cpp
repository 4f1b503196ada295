#include "ui/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace {

// Qt's catalogue keeps the Latin "OK" on the message boxes' button; Russian writes "ОК".
class ButtonTexts final : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "QPlatformTheme") == 0 && qstrcmp(sourceText, "OK") == 0)
            return QStringLiteral("ОК");
        return QString();
    }
};

} // namespace

bool InstallRussianTranslations(QCoreApplication &app)
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
            QCoreApplication::installTranslator(new ButtonTexts(&app));
            return true;
        }
        delete translator;
    }
    return false;
}
