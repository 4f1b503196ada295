#include "startup/WindowArguments.h"

#include "Version.h"
#include "core/FileErrors.h"
#include "startup/Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(WindowArguments)
};

constexpr int LastStep = 7;

WindowArguments refuse(const QString &message)
{
    WindowArguments a;
    a.action = WindowArguments::Action::Refuse;
    a.text = QStringLiteral("palvex: ") + message + u'\n';
    return a;
}

// The option as the user typed it, for the message about it.
QString typedOption(const QStringList &arguments, const QString &name)
{
    for (const QString &a : arguments) {
        const QString bare = a.section(u'=', 0, 0);
        if (bare == u'-' + name || bare == QStringLiteral("--") + name)
            return bare;
    }
    return QStringLiteral("--") + name;
}

} // namespace

WindowArguments parseWindowArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Texts::tr("Palvex %1: проектирование зернового состава сырьевых смесей.")
                                         .arg(QStringLiteral(PALVEX_VERSION)));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, Texts::tr("Показать эту справку."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption step(QStringLiteral("step"),
                                  Texts::tr("Показать шаг N (1–%1, как на кнопках шагов).").arg(LastStep),
                                  QStringLiteral("N"));
    const QCommandLineOption language(QStringLiteral("lang"),
                                      Texts::tr("Язык программы: en (английский) или ru (русский). По умолчанию — "
                                                "язык системы, если это английский, иначе русский."),
                                      QStringLiteral("en|ru"));
    parser.addOption(step);
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("PROJECT"), Texts::tr("Файл проекта, который нужно открыть."),
                                 QStringLiteral("[PROJECT]"));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return refuse(Texts::tr("неизвестный параметр %1 (см. palvex --help)").arg(typedOption(arguments, unknown.first())));
        return refuse(parser.errorText());
    }
    WindowArguments a;
    if (parser.isSet(help)) {
        a.action = WindowArguments::Action::ShowHelp;
        a.text = parser.helpText();
        // Qt names the program by the path it was started with.
        const QString started = QCoreApplication::arguments().value(0);
        const qsizetype at = started.isEmpty() ? -1 : a.text.indexOf(started);
        if (at >= 0)
            a.text.replace(at, started.size(), QStringLiteral("palvex"));
        return a;
    }
    if (parser.isSet(version)) {
        a.action = WindowArguments::Action::ShowVersion;
        a.text = QStringLiteral("palvex " PALVEX_VERSION "\n");
        return a;
    }
    if (parser.isSet(language) && !uiLanguageNamed(parser.value(language)))
        return refuse(Texts::tr("--lang: «%1» — не язык программы (en или ru)").arg(parser.value(language)));
    if (parser.isSet(step)) {
        bool ok = false;
        a.step = parser.value(step).toInt(&ok);
        if (!ok || a.step < 1 || a.step > LastStep)
            return refuse(Texts::tr("--step: «%1» — не номер шага (от 1 до %2)").arg(parser.value(step)).arg(LastStep));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(Texts::tr("открывается один проект, а указаны: %1").arg(files.join(QStringLiteral(", "))));
    if (!files.isEmpty()) {
        const QString &path = files.first();
        const QString shown = QDir::toNativeSeparators(path);
        const QFileInfo info(path);
        if (!info.exists())
            return refuse(Texts::tr("файл «%1» не найден").arg(shown));
        if (info.isDir())
            return refuse(Texts::tr("«%1» — папка, а не файл проекта").arg(shown));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refuse(Texts::tr("файл «%1» не удалось прочитать: %2").arg(shown, FileErrorText(file, path, false)));
        a.project = path;
    }
    return a;
}
