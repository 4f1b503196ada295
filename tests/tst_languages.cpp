// The window in each language: its captions, a check's message, a refused file's message, the
// guide and Qt's own texts are Russian by default and English where English is chosen.

#include "Version.h"
#include "startup/Language.h"
#include "support/ProjectBuilder.h"
#include "support/WindowDriver.h"
#include "widgets/AboutPage.h"
#include "widgets/CorrectionPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include <cstdio>

using namespace TestSupport;

namespace {

// The program's and Qt's catalogues of `language`, in place of any installed before.
void useLanguage(UiLanguage language)
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly))
        delete t;
    installUiLanguage(*qApp, language);
}

} // namespace

class TestLanguages final : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { useLanguage(UiLanguage::Russian); }

    void window_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("expected");
        // The window's title, step 1's title, the open button, step 5's search box, a base recipe
        // that does not add up to 100, a project that is not there, the guide's heading, the
        // message boxes' OK and Cancel.
        QTest::newRow("Russian") << int(UiLanguage::Russian)
                                 << QStringList{QStringLiteral("Palvex " PALVEX_VERSION " [Версия от 19.04.2019]"),
                                                QStringLiteral("1.Параметры сырьевой смеси"),
                                                QStringLiteral("Открыть проект"),
                                                QStringLiteral("5.2.Автоматический подбор массовых долей"),
                                                QStringLiteral("Таблица содержит ошибки (сумма массовых долей <> 100%)!"),
                                                QStringLiteral("Открытие файла: Не удалось открыть файл «/nonexistent/p.txt»: файл не найден."),
                                                QStringLiteral("<h2>Palvex " PALVEX_VERSION " — краткое руководство пользователя</h2>"),
                                                QStringLiteral("ОК"), QStringLiteral("Отмена")};
        QTest::newRow("English") << int(UiLanguage::English)
                                 << QStringList{QStringLiteral("Palvex " PALVEX_VERSION " [Version of 19.04.2019]"),
                                                QStringLiteral("1.Raw mix parameters"),
                                                QStringLiteral("Open project"),
                                                QStringLiteral("5.2.Automatic search for the mass fractions"),
                                                QStringLiteral("The table has errors (the mass fractions do not add up to 100%)!"),
                                                QStringLiteral("Open file: Could not open the file “/nonexistent/p.txt”: file not found."),
                                                QStringLiteral("<h2>Palvex " PALVEX_VERSION " — short user guide</h2>"),
                                                QStringLiteral("OK"), QStringLiteral("Cancel")};
    }
    void window()
    {
        QFETCH(int, language);
        QFETCH(QStringList, expected);
        useLanguage(UiLanguage(language));
        WindowDriver w;
        w.showStep(1);
        QCOMPARE(w.window.windowTitle(), expected[0]);
        QCOMPARE(w.child<QLabel>(QStringLiteral("stepTitle"))->text(), expected[1]);
        QCOMPARE(w.child<QPushButton>(QStringLiteral("openButton"))->text(), expected[2]);
        QCOMPARE(w.child<QWidget>(QStringLiteral("step1"))->toolTip(), expected[1]);
        QCOMPARE(w.child<QCheckBox>(QStringLiteral("search"))->text(), expected[3]);
        QVERIFY(ProjectBuilder()
                    .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                    .baseRecipe({QStringLiteral("50"), QStringLiteral("49,99")})
                    .counts(2, 2)
                    .typeInto(w.session));
        w.window.showChanges();
        QCOMPARE(w.child<QLabel>(QStringLiteral("recipeError"))->text(), expected[4]);
        QVERIFY(!w.window.openProject(QStringLiteral("/nonexistent/p.txt")));
        QCOMPARE(w.desktop->messages, QStringList{expected[5]});
        QVERIFY2(userGuideHtml().startsWith(expected[6]), qPrintable(userGuideHtml().left(80)));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), expected[7]);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), expected[8]);
    }

    // The language of the desktop decides when none is asked for.
    void systemLanguage_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("language");
        QTest::newRow("en_US") << QStringLiteral("en_US.UTF-8") << int(UiLanguage::English);
        QTest::newRow("en_GB") << QStringLiteral("en_GB.UTF-8") << int(UiLanguage::English);
        QTest::newRow("ru_RU") << QStringLiteral("ru_RU.UTF-8") << int(UiLanguage::Russian);
        QTest::newRow("de_DE") << QStringLiteral("de_DE.UTF-8") << int(UiLanguage::Russian);
        QTest::newRow("C") << QStringLiteral("C") << int(UiLanguage::Russian);
    }
    void systemLanguage()
    {
        QFETCH(QString, lang);
        QFETCH(int, language);
        // QLocale reads the environment once; a child process sees it afresh.
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), lang);
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-printSystemLanguage")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.readAllStandardOutput().trimmed(), language == int(UiLanguage::English) ? QByteArray("en") : QByteArray("ru"));
    }
};

int main(int argc, char **argv)
{
    // The child of systemLanguage: prints the language the desktop asks for.
    if (argc == 2 && qstrcmp(argv[1], "-printSystemLanguage") == 0) {
        std::puts(systemUiLanguage() == UiLanguage::English ? "en" : "ru");
        return 0;
    }
    QApplication app(argc, argv);
    TestLanguages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languages.moc"
