#include "ui/Form1.h"
#include "ui/GridView.h"

#include <QTest>

class TestForm1 final : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheDefaultProject()
    {
        Form1 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Palvex 5.0 [Версия от 19.04.2019]"));
        QCOMPARE(w.project().tabl[3].rows(), 3);
        QCOMPARE(w.project().CorrectedRecipe[1], 100.0f);
        // A count typed into the field reshapes the tables through the model.
        w.project().N.setText(QStringLiteral("4"));
        QCOMPARE(w.project().tabl[1].cols(), 4);
    }

    // Keys typed into a table's view reach the model's handlers: the cell gets the text and
    // the numbers follow.
    void typingIntoATable()
    {
        Form1 w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        GridView *densities = nullptr;
        for (GridView *v : w.findChildren<GridView *>())
            if (&v->grid() == &w.project().tabl[2])
                densities = v;
        QVERIFY(densities);
        densities->setFocus();
        densities->setCurrentIndex(densities->model()->index(0, 0));
        QCOMPARE(w.project().tabl[2].row(), 1);
        QTest::keyClicks(densities, QStringLiteral("2.65"));
        QCOMPARE(*w.project().tabl[2].text(1, 0), QStringLiteral("2,65"));
        QCOMPARE(w.project().GrainDensity[1], 2.65f);
        QTest::keyClick(densities, Qt::Key_Backspace);
        QCOMPARE(*w.project().tabl[2].text(1, 0), QStringLiteral("2,6"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
