// The component selection window and its density table, driven through their widgets.
#include "ui/Form1.h"
#include "ui/Form2.h"

#include "FakeDesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Workbook = QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx");
const QString Settings = QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini");

struct Window
{
    FakeDesktop *desktop = new FakeDesktop;
    Form1 w{nullptr, std::unique_ptr<EditingDesktop>(desktop)};
    Window()
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    // "Использовать модуль загрузки данных из базы".
    Form2 *openDatabase()
    {
        w.project().Command3.raiseClick();
        Form2 *db = w.findChild<Form2 *>(QStringLiteral("Form2"));
        if (db && !QTest::qWaitForWindowExposed(db))
            return nullptr;
        return db;
    }
};

template <typename T>
T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qWarning("no widget %s", qPrintable(name));
    return w;
}

} // namespace

class TestForm2 final : public QObject
{
    Q_OBJECT

private slots:
    // "Отмена (закрыть окно)" only hides the window: opened again it shows what was left. Its
    // close box discards it: opened again it starts afresh (one component, no names, empty
    // boxes), and the project is untouched either way.
    void closingAndReopening()
    {
        Window win;
        QPointer<Form2> first = win.openDatabase();
        QVERIFY(first);
        QVERIFY(first->loadWorkbook(Workbook, Settings));
        auto *count = child<QComboBox>(first, QStringLiteral("comboN"));
        QVERIFY(count);
        count->setCurrentIndex(2); // three components
        auto *density = child<QLineEdit>(first, QStringLiteral("comp_density_1"));
        QVERIFY(density && density->isEnabled());
        density->setFocus();
        QTest::keyClicks(density, QStringLiteral("2,7"));
        auto *name = child<QComboBox>(first, QStringLiteral("comp_name_1"));
        QVERIFY(name);
        QCOMPARE(name->count(), 8); // an empty entry and the seven components

        QTest::mouseClick(child<QPushButton>(first, QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(!first->isVisible());
        QCOMPARE(win.openDatabase(), first.data());
        QCOMPARE(count->currentIndex(), 2);
        QCOMPARE(density->text(), QStringLiteral("2,7"));
        QCOMPARE(name->count(), 8);

        first->close(); // the close box
        QTRY_VERIFY(first.isNull());
        Form2 *again = win.openDatabase();
        QVERIFY(again);
        QCOMPARE(child<QComboBox>(again, QStringLiteral("comboN"))->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(again, QStringLiteral("comp_density_1"))->text(), QString());
        QCOMPARE(child<QComboBox>(again, QStringLiteral("comp_name_1"))->count(), 1);
        QCOMPARE(child<QLineEdit>(again, QStringLiteral("FileNameText"))->text(), QString());
        QVERIFY(!child<QLineEdit>(again, QStringLiteral("comp_density_2"))->isEnabled());
        QCOMPARE(win.w.project().N.text(), QStringLiteral("1"));
    }

    // "табл" of row 3 opens the density table with "Песок кварцевый: 2,65" selected; "Ок"
    // writes the chosen density into the row, the close box writes nothing.
    void densityTable_data()
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
    void densityTable()
    {
        QFETCH(int, option);
        QFETCH(bool, confirm);
        QFETCH(QString, density);
        Window win;
        Form2 *db = win.openDatabase();
        QVERIFY(db);
        child<QComboBox>(db, QStringLiteral("comboN"))->setCurrentIndex(2);
        auto *box = child<QLineEdit>(db, QStringLiteral("comp_density_3"));
        QVERIFY(box);
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("3"));

        QString seen;
        bool defaultSelected = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *table = QApplication::activeModalWidget();
            if (!table || table->objectName() != QStringLiteral("Form4"))
                return;
            seen = table->windowTitle();
            auto *standard = table->findChild<QRadioButton *>(QStringLiteral("DensityOption_4"));
            defaultSelected = standard && standard->isChecked();
            if (option) {
                // On the indicator: the button's width runs past its short caption.
                auto *choice = table->findChild<QRadioButton *>(QStringLiteral("DensityOption_%1").arg(option));
                QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(8, choice->height() / 2));
            }
            if (confirm)
                QTest::mouseClick(table->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
            else
                table->close();
        });
        QTest::mouseClick(child<QPushButton>(db, QStringLiteral("comp_den_tabl_3")), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("Таблица истинной плотности (г/см3)"));
        QVERIFY(defaultSelected);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(box->text(), density);
        QCOMPARE(db->model().comp_density[3].text(), density);
        QCOMPARE(child<QLineEdit>(db, QStringLiteral("comp_density_2"))->text(), QString());
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
