// palvex's command line: what each list of arguments does — the window it opens, the text it
// prints, the exit status it ends with.

#include "Version.h"
#include "startup/WindowArguments.h"
#include "support/WindowDriver.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

namespace {

const QString Small = QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/small.txt");

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

// The program itself, offscreen: only runs that end before the window is shown.
Run palvex(const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Else Qt warns about it on standard error.
    static QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PALVEX_WINDOW), args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class TestCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    void parsing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("project");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("text");
        using A = WindowArguments::Action;
        const QString none;
        QTest::newRow("nothing") << QStringList{} << int(A::Run) << none << 0 << none;
        QTest::newRow("a project") << QStringList{Small} << int(A::Run) << Small << 0 << none;
        QTest::newRow("a step") << QStringList{QStringLiteral("--step"), QStringLiteral("4")} << int(A::Run) << none << 4 << none;
        QTest::newRow("a step after the project") << QStringList{Small, QStringLiteral("--step"), QStringLiteral("7")} << int(A::Run)
                                                  << Small << 7 << none;
        QTest::newRow("--step=N") << QStringList{QStringLiteral("--step=5"), Small} << int(A::Run) << Small << 5 << none;
        QTest::newRow("a language") << QStringList{QStringLiteral("--lang"), QStringLiteral("en"), Small} << int(A::Run) << Small << 0
                                    << none;
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << int(A::ShowHelp) << none << 0 << QStringLiteral("--step");
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << int(A::ShowHelp) << none << 0 << QStringLiteral("--lang");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << int(A::ShowVersion) << none << 0
                                 << QStringLiteral("palvex " PALVEX_VERSION);
        QTest::newRow("an unknown option, not a file") << QStringList{QStringLiteral("--frobnicate")} << int(A::Refuse) << none << 0
                                                       << QStringLiteral("--frobnicate");
        QTest::newRow("an unknown option beside a project") << QStringList{Small, QStringLiteral("-x")} << int(A::Refuse) << none << 0
                                                            << QStringLiteral("-x");
        QTest::newRow("a missing file") << QStringList{QStringLiteral("/nonexistent/p.txt")} << int(A::Refuse) << none << 0
                                        << QStringLiteral("/nonexistent/p.txt");
        QTest::newRow("a folder") << QStringList{QStringLiteral(PALVEX_SOURCE_DIR "/tests")} << int(A::Refuse) << none << 0
                                  << QStringLiteral("папка");
        QTest::newRow("two projects") << QStringList{Small, Small} << int(A::Refuse) << none << 0 << QStringLiteral("один проект");
        QTest::newRow("step 0") << QStringList{QStringLiteral("--step"), QStringLiteral("0")} << int(A::Refuse) << none << 0
                                << QStringLiteral("--step");
        QTest::newRow("step 8") << QStringList{QStringLiteral("--step"), QStringLiteral("8"), Small} << int(A::Refuse) << none << 0
                                << QStringLiteral("«8»");
        QTest::newRow("step not a number") << QStringList{QStringLiteral("--step"), QStringLiteral("two")} << int(A::Refuse) << none << 0
                                           << QStringLiteral("«two»");
        QTest::newRow("step without a number") << QStringList{QStringLiteral("--step")} << int(A::Refuse) << none << 0
                                               << QStringLiteral("step");
        QTest::newRow("an unknown language") << QStringList{QStringLiteral("--lang"), QStringLiteral("de")} << int(A::Refuse) << none << 0
                                             << QStringLiteral("«de»");
    }
    void parsing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, project);
        QFETCH(int, step);
        QFETCH(QString, text);
        const WindowArguments a = parseWindowArguments(QStringList{QStringLiteral("palvex")} + args);
        QCOMPARE(int(a.action), action);
        QVERIFY2(a.text.contains(text), qPrintable(a.text));
        if (a.action == WindowArguments::Action::Refuse) {
            QVERIFY(a.text.startsWith(QStringLiteral("palvex: ")));
            QCOMPARE(a.text.count(u'\n'), 1);
            return;
        }
        QCOMPARE(a.project, project);
        QCOMPARE(a.step, step);
    }

    // A file that exists but cannot be read is refused before any window, with the reason.
    void unreadableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("locked.txt"));
        QVERIFY(QFile::copy(Small, path));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("the file stays readable (running as root)");
        const WindowArguments a = parseWindowArguments({QStringLiteral("palvex"), path});
        QCOMPARE(a.action, WindowArguments::Action::Refuse);
        QVERIFY2(a.text.contains(QStringLiteral("нет прав на чтение")), qPrintable(a.text));
    }

    // What the window shows when started with a project and a step.
    void startsWithTheProjectAndStep_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::newRow("project") << QStringList{Small} << QStringLiteral("Смесь №5") << 1;
        QTest::newRow("project at step 4") << QStringList{QStringLiteral("--step"), QStringLiteral("4"), Small} << QStringLiteral("Смесь №5")
                                           << 4;
        QTest::newRow("step 7 alone") << QStringList{QStringLiteral("--step"), QStringLiteral("7")} << QString() << 7;
    }
    void startsWithTheProjectAndStep()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, name);
        QFETCH(int, page);
        const WindowArguments a = parseWindowArguments(QStringList{QStringLiteral("palvex")} + args);
        QCOMPARE(a.action, WindowArguments::Action::Run);
        WindowDriver w;
        w.window.start(a.project, a.step);
        w.window.showChanges();
        QVERIFY2(w.desktop->messages.isEmpty(), qPrintable(w.desktop->messages.join(u'\n')));
        QCOMPARE(w.window.findChild<QStackedWidget *>()->currentWidget()->objectName(), QStringLiteral("page%1").arg(page));
        QCOMPARE(w.session.document().name, name);
    }

    // The program as a user starts it: what it prints and its exit status, before any window.
    void program_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("palvex " PALVEX_VERSION "\n") << QString();
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("--step <N>") << QString();
        QTest::newRow("an unknown option") << QStringList{QStringLiteral("--frobnicate")} << 2 << QString()
                                           << QStringLiteral("palvex: неизвестный параметр --frobnicate");
        QTest::newRow("a missing file") << QStringList{QStringLiteral("/nonexistent/p.txt")} << 2 << QString()
                                        << QStringLiteral("palvex: файл «/nonexistent/p.txt» не найден");
        QTest::newRow("a Qt option stays Qt's") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--version")}
                                                << 0 << QStringLiteral("palvex " PALVEX_VERSION) << QString();
        QTest::newRow("a Qt option before a bad step") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--step"), QStringLiteral("9")}
                                                       << 2 << QString() << QStringLiteral("--step");
    }
    void program()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = palvex(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.out.contains(out), qPrintable(r.out));
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        if (status == 2) {
            QVERIFY(r.out.isEmpty());
            QCOMPARE(r.err.count(u'\n'), 1);
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
