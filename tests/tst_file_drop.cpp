// Files dropped from the desktop: a project on the main window opens it (after the open
// button's question), a workbook on the database window reads it. The drags are sent to the
// windows as the desktop sends them, so that Qt itself finds the widget under the pointer.
#include "widgets/ComponentDatabaseDialog.h"

#include "support/WindowDriver.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <QtTest>

using TestSupport::WindowDriver;

namespace {

const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");
const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString Workbook = QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx");

// The project a file holds, as a session of its own opens it.
ProjectDocument projectOf(const QString &path)
{
    ProjectSession session;
    QString error;
    if (!session.openProject(path, &error))
        qWarning("%s", qPrintable(error));
    return session.document();
}

// A drag carrying `mime` enters `window` over `target`, moves and is dropped there, as the
// desktop delivers it; then the event loop runs what the drop started. Returns whether the
// window took the drop.
bool dropOn(QWidget *window, QWidget *target, const QMimeData &mime)
{
    QWindow *handle = window->windowHandle();
    if (!handle)
        return false;
    const QPoint at = target->mapTo(window, target->rect().center());
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    bool taken = false;
    if (enter.isAccepted() && move.isAccepted()) {
        QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &drop);
        taken = drop.isAccepted();
    } else {
        QDragLeaveEvent leave;
        QApplication::sendEvent(handle, &leave);
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return taken;
}

// Files as a file manager drags them: their addresses, and their paths as plain text too (which
// a text field would take).
QMimeData *files(const QStringList &paths)
{
    auto *mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    mime->setText(paths.join(u'\n'));
    return mime;
}

} // namespace

class TestFileDrop final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase();
    void projectOpens_data();
    void projectOpens();
    void questionFirst_data();
    void questionFirst();
    void notAProject();
    void refusedDrags_data();
    void refusedDrags();
    void textStillDropsIntoFields();
    void workbookIsRead();
};

void TestFileDrop::initTestCase()
{
    // The database window finds its settings in the user's configuration folder.
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
#else
    QStandardPaths::setTestModeEnabled(true);
#endif
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/palvex");
    QVERIFY(QDir().mkpath(folder));
    QFile::remove(folder + QStringLiteral("/app_setups.ini"));
    QVERIFY(QFile::copy(QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini"), folder + QStringLiteral("/app_setups.ini")));
}

void TestFileDrop::projectOpens_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("over"); // the widget under the pointer
    QTest::newRow("the logo") << 0 << QStringLiteral("logo");
    QTest::newRow("the step buttons") << 0 << QStringLiteral("step3");
    QTest::newRow("the project's name field") << 1 << QStringLiteral("projectName");
    QTest::newRow("a table") << 2 << QStringLiteral("table3");
    QTest::newRow("the open button") << 4 << QStringLiteral("openButton");
}

// With nothing to lose the dropped project opens at once, wherever it is dropped — over a text
// field too, which does not take the file's name as text.
void TestFileDrop::projectOpens()
{
    QFETCH(int, step);
    QFETCH(QString, over);
    WindowDriver w(1, 1); // one size class: no compositions to lose
    w.showStep(step);
    auto *target = w.child<QWidget>(over);
    QVERIFY(target);
    QVERIFY(target->isVisible());
    auto *name = w.child<QLineEdit>(QStringLiteral("projectName"));
    const QString nameBefore = name->text();
    std::unique_ptr<QMimeData> mime(files({Concrete}));
    QVERIFY(dropOn(&w.window, target, *mime));
    QVERIFY(w.desktop->questions.isEmpty());
    QVERIFY(w.desktop->messages.isEmpty());
    QVERIFY(w.session.document() == projectOf(Concrete));
    w.window.showChanges();
    QVERIFY(name->text() != nameBefore);
}

void TestFileDrop::questionFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes: the dropped project opens") << true;
    QTest::newRow("no: the project stays") << false;
}

// With compositions to lose the drop asks the open button's question first.
void TestFileDrop::questionFirst()
{
    QFETCH(bool, answer);
    WindowDriver w;
    QVERIFY(w.window.openProject(Concrete));
    const ProjectDocument before = w.session.document();
    w.desktop->answer = answer;
    std::unique_ptr<QMimeData> mime(files({DryMix}));
    QVERIFY(dropOn(&w.window, &w.window, *mime));
    QCOMPARE(w.desktop->questions, QStringList{QStringLiteral("Подтверждение открытия файла")});
    QCOMPARE(w.desktop->questionTexts,
             QStringList{QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите открыть другой файл?")});
    QVERIFY(w.session.document() == (answer ? projectOf(DryMix) : before));
}

// A file that is no project is refused with the open button's message; the project stays.
void TestFileDrop::notAProject()
{
    WindowDriver w;
    QVERIFY(w.window.openProject(Concrete));
    const ProjectDocument before = w.session.document();
    std::unique_ptr<QMimeData> mime(files({Workbook}));
    QVERIFY(dropOn(&w.window, &w.window, *mime));
    QCOMPARE(w.desktop->questions.size(), 1);
    QCOMPARE(w.desktop->messages.size(), 1);
    QVERIFY2(w.desktop->messages[0].startsWith(QStringLiteral("Открытие файла: ")), qPrintable(w.desktop->messages[0]));
    QVERIFY(w.session.document() == before);
}

void TestFileDrop::refusedDrags_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::newRow("two projects") << QList<QUrl>{QUrl::fromLocalFile(Concrete), QUrl::fromLocalFile(DryMix)} << QString();
    QTest::newRow("a folder") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral(PALVEX_SOURCE_DIR "/examples"))} << QString();
    QTest::newRow("a web address") << QList<QUrl>{QUrl(QStringLiteral("https://example.org/concrete.txt"))} << QString();
    QTest::newRow("text") << QList<QUrl>{} << QStringLiteral("Песок");
}

// Drags that carry no single local file are not taken by the window: nothing opens, nothing is
// asked.
void TestFileDrop::refusedDrags()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    WindowDriver w;
    QVERIFY(w.window.openProject(Concrete));
    const ProjectDocument before = w.session.document();
    QMimeData mime;
    if (!urls.isEmpty())
        mime.setUrls(urls);
    if (!text.isEmpty())
        mime.setText(text);
    QVERIFY(!dropOn(&w.window, &w.window, mime));
    QVERIFY(w.desktop->questions.isEmpty());
    QVERIFY(w.desktop->messages.isEmpty());
    QVERIFY(w.session.document() == before);
}

// Text dragged onto the name field is still the field's own: it goes into the field.
void TestFileDrop::textStillDropsIntoFields()
{
    WindowDriver w;
    w.showStep(1);
    auto *name = w.child<QLineEdit>(QStringLiteral("projectName"));
    QMimeData mime;
    mime.setText(QStringLiteral("Бетон В30"));
    QVERIFY(dropOn(&w.window, name, mime));
    QVERIFY2(name->text().contains(QStringLiteral("Бетон В30")), qPrintable(name->text()));
}

// A workbook dropped on the database window is read as one chosen with "Выбрать"; a file that
// is no workbook is refused with the same message, and the main window takes neither.
void TestFileDrop::workbookIsRead()
{
    WindowDriver w;
    w.showStep(1);
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("databaseButton")), Qt::LeftButton);
    auto *db = w.window.findChild<ComponentDatabaseDialog *>(QStringLiteral("databaseDialog"));
    QVERIFY(db);
    QVERIFY(QTest::qWaitForWindowExposed(db));
    QCOMPARE(db->componentBox(1)->count(), 1);

    std::unique_ptr<QMimeData> book(files({Workbook}));
    QVERIFY(dropOn(db, db->componentBox(1), *book));
    QVERIFY2(w.desktop->messages.isEmpty(), qPrintable(w.desktop->messages.join(u'\n')));
    QCOMPARE(db->findChild<QLineEdit *>(QStringLiteral("databaseFile"))->text(), Workbook);
    QVERIFY(db->componentBox(1)->count() > 1);
    QVERIFY(!db->selection().database().components.isEmpty());

    // The main window does not take what is dropped on the database window.
    const ProjectDocument project = w.session.document();
    std::unique_ptr<QMimeData> text(files({Concrete}));
    QVERIFY(dropOn(db, db->densityField(1), *text));
    QCOMPARE(w.desktop->messages.size(), 1);
    QVERIFY2(w.desktop->messages[0].startsWith(QStringLiteral("Внимание!: ")), qPrintable(w.desktop->messages[0]));
    QVERIFY(w.desktop->questions.isEmpty());
    QVERIFY(w.session.document() == project);
    QCOMPARE(db->findChild<QLineEdit *>(QStringLiteral("databaseFile"))->text(), Concrete);
}

QTEST_MAIN(TestFileDrop)
#include "tst_file_drop.moc"
