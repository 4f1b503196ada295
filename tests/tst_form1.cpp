#include "ui/Form1.h"

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
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
