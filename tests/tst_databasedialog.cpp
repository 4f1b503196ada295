// The component database window and its density table, opened from the main window and
// driven through their widgets.
#include "widgets/ComponentDatabaseDialog.h"

#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <QTimer>

using TestSupport::WindowDriver;

namespace {

const QString Workbook = QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx");
const QString Settings = QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini");

// "Использовать модуль загрузки данных из базы" on step 1.
ComponentDatabaseDialog *openDatabase(WindowDriver &w)
{
    if (w.session.currentStep() != 1)
        w.showStep(1);
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("databaseButton")), Qt::LeftButton);
    auto *db = w.window.findChild<ComponentDatabaseDialog *>(QStringLiteral("databaseDialog"));
    if (db && !QTest::qWaitForWindowExposed(db))
        return nullptr;
    return db;
}

template <typename T>
T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qWarning("no widget %s", qPrintable(name));
    return w;
}

// Chooses item `index` of a drop-down list in its open list: the item made current there, then
// Enter.
bool choose(QComboBox *box, int index)
{
    box->showPopup();
    QAbstractItemView *list = box->view();
    if (!QTest::qWaitForWindowExposed(list->window()))
        return false;
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    return QTest::qWaitFor([list] { return !list->isVisible(); });
}

} // namespace

class TestDatabaseDialog final : public QObject
{
    Q_OBJECT

private slots:
    void closingAndReopening();
    void densityTable_data();
    void densityTable();
};

// "Отмена (закрыть окно)" only hides the window: opened again it shows what was left. Its close
// box discards it: opened again it starts afresh (one component, no names, empty boxes), and
// the project is untouched either way.
void TestDatabaseDialog::closingAndReopening()
{
    WindowDriver w;
    const ProjectDocument project = w.session.document();
    QPointer<ComponentDatabaseDialog> first = openDatabase(w);
    QVERIFY(first);
    QVERIFY(first->loadWorkbook(Workbook, Settings));
    QCOMPARE(child<QLineEdit>(first, QStringLiteral("databaseFile"))->text(), Workbook);
    auto *count = child<QComboBox>(first, QStringLiteral("databaseCount"));
    QVERIFY(count);
    QVERIFY(choose(count, 2)); // three components
    QCOMPARE(first->selection().participating(), 3);
    auto *density = child<QLineEdit>(first, QStringLiteral("databaseDensity1"));
    QVERIFY(density && density->isEnabled());
    density->setFocus();
    QTest::keyClicks(density, QStringLiteral("2,7"));
    QCOMPARE(first->selection().row(1).density, QStringLiteral("2,7"));
    auto *name = child<QComboBox>(first, QStringLiteral("databaseComponent1"));
    QVERIFY(name);
    QCOMPARE(name->count(), 8); // an empty entry and the seven components

    QTest::mouseClick(child<QPushButton>(first, QStringLiteral("databaseCancel")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first); // hidden, not discarded
    QVERIFY(!first->isVisible());
    QCOMPARE(openDatabase(w), first.data());
    QCOMPARE(count->currentIndex(), 2);
    QCOMPARE(density->text(), QStringLiteral("2,7"));
    QCOMPARE(name->count(), 8);
    QCOMPARE(w.session.document(), project);

    first->close(); // the close box
    QTRY_VERIFY(first.isNull());
    QVERIFY(!w.window.databaseDialog());
    ComponentDatabaseDialog *again = openDatabase(w);
    QVERIFY(again);
    QCOMPARE(child<QComboBox>(again, QStringLiteral("databaseCount"))->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>(again, QStringLiteral("databaseDensity1"))->text(), QString());
    QCOMPARE(child<QComboBox>(again, QStringLiteral("databaseComponent1"))->count(), 1);
    QCOMPARE(child<QLineEdit>(again, QStringLiteral("databaseFile"))->text(), QString());
    QVERIFY(!child<QLineEdit>(again, QStringLiteral("databaseDensity2"))->isEnabled());
    QCOMPARE(w.session.componentCount(), 1);
    QCOMPARE(w.session.document(), project);
}

// "табл" of row 3 opens the density table with "Песок кварцевый: 2,65" selected; "Ок" writes the
// chosen density into the row, the close box writes nothing.
void TestDatabaseDialog::densityTable_data()
{
    QTest::addColumn<int>("option"); // 0: leave the default
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("density");
    QTest::newRow("Ок without a change") << 0 << true << QStringLiteral("2,65");
    QTest::newRow("steel, Ок") << 11 << true << QStringLiteral("7,85");
    QTest::newRow("cement, Ок") << 2 << true << QStringLiteral("3,1");
    QTest::newRow("steel, close box") << 11 << false << QStringLiteral("3");
    QTest::newRow("close box without a change") << 0 << false << QStringLiteral("3");
}

void TestDatabaseDialog::densityTable()
{
    QFETCH(int, option);
    QFETCH(bool, confirm);
    QFETCH(QString, density);
    WindowDriver w;
    ComponentDatabaseDialog *db = openDatabase(w);
    QVERIFY(db);
    QVERIFY(choose(child<QComboBox>(db, QStringLiteral("databaseCount")), 2));
    auto *box = child<QLineEdit>(db, QStringLiteral("databaseDensity3"));
    QVERIFY(box);
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("3"));

    QString seen;
    bool defaultSelected = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *table = QApplication::activeModalWidget();
        if (!table || table->objectName() != QStringLiteral("densityTable"))
            return;
        seen = table->windowTitle();
        auto *standard = table->findChild<QRadioButton *>(QStringLiteral("density4"));
        defaultSelected = standard && standard->isChecked() && standard->text() == QStringLiteral("Песок кварцевый: 2,65");
        if (option) {
            // On the indicator: the button's width runs past its short caption.
            auto *choice = table->findChild<QRadioButton *>(QStringLiteral("density%1").arg(option));
            QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(8, choice->height() / 2));
        }
        if (confirm)
            QTest::mouseClick(table->findChild<QPushButton *>(QStringLiteral("densityOk")), Qt::LeftButton);
        else
            table->close();
    });
    QTest::mouseClick(child<QPushButton>(db, QStringLiteral("densityTableButton3")), Qt::LeftButton);
    QCOMPARE(seen, QStringLiteral("Таблица истинной плотности (г/см3)"));
    QVERIFY(defaultSelected);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(box->text(), density);
    QCOMPARE(db->selection().row(3).density, density);
    QCOMPARE(child<QLineEdit>(db, QStringLiteral("databaseDensity2"))->text(), QString());
}

QTEST_MAIN(TestDatabaseDialog)
#include "tst_databasedialog.moc"
