// The best recipe against locks and bounds, and the life of its read-out "Минимально возможное
// расхождение: …" beside the button.

#include "checking/GridEditing.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/Optimum.h"
#include "files/ProjectFile.h"
#include "ui/Form1.h"
#include "ui/Form1Logic.h"
#include "ui/Form2.h"

#include "FakeDesktop.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString FirstName = QStringLiteral("«Песок фр. 1,25-2,5»");

// The dry mix (five components, base recipe 30/25/15/10/20) as the window holds it.
struct Project
{
    MixProject p;
    SearchRandom random{7};
    Project()
    {
        ConnectWindowHandlers(p);
        p.startUp();
        QString error;
        if (!ProjectFile::LoadProject(p, DryMix, &error))
            qFatal("%s", qPrintable(error));
        tick();
    }
    void tick() { Timer1Tick(p, false, random); }
    void setBounds(int i, float lo, float hi)
    {
        p.VariationMin.set(i, lo);
        p.VariationMax.set(i, hi);
    }
    // "Найти оптимальный состав" as the window runs it.
    bool findOptimum()
    {
        const OptimumResult r = SolveOptimum(p);
        if (r.feasible)
            AdoptOptimum(p, r);
        tick();
        return r.feasible;
    }
};

using Change = std::function<void(MixProject &)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestOptimumReadout final : public QObject
{
    Q_OBJECT

private slots:
    // With the bounds on, a locked component is held at its fraction: outside its own bounds
    // no recipe exists, and the message names it. The window's example: locked at 40,27 %,
    // bounded 0-30.
    void lockedComponentAgainstItsBounds_data()
    {
        QTest::addColumn<float>("locked");
        QTest::addColumn<float>("lo");
        QTest::addColumn<float>("hi");
        QTest::addColumn<bool>("boundsOn");
        QTest::addColumn<bool>("feasible");
        QTest::newRow("above its upper bound") << 40.27f << 0.0f << 30.0f << true << false;
        QTest::newRow("below its lower bound") << 30.0f << 35.0f << 60.0f << true << false;
        QTest::newRow("on its upper bound") << 30.0f << 0.0f << 30.0f << true << true;
        QTest::newRow("on its lower bound") << 30.0f << 30.0f << 60.0f << true << true;
        QTest::newRow("bounds switched off") << 40.27f << 0.0f << 30.0f << false << true;
    }
    void lockedComponentAgainstItsBounds()
    {
        QFETCH(float, locked);
        QFETCH(float, lo);
        QFETCH(float, hi);
        QFETCH(bool, boundsOn);
        QFETCH(bool, feasible);
        Project f;
        MixProject &p = f.p;
        p.CorrectedRecipe.set(1, locked);
        p.MLock[1].setChecked(true);
        p.BoundsCheck.setChecked(boundsOn);
        f.setBounds(1, lo, hi);
        const OptimumResult r = SolveOptimum(p);
        QCOMPARE(r.feasible, feasible);
        if (!feasible) {
            QVERIFY2(r.problem.contains(FirstName) && r.problem.contains(QStringLiteral("вне его границ")), qPrintable(r.problem));
            return;
        }
        QVERIFY(std::fabs(r.mass[1] - double(locked)) < 1e-3);
    }

    // The same conflict from the command line: refused with the message, exit status 2.
    void commandLineConflict_data()
    {
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<int>("status");
        QTest::newRow("locked 30 % bounded 0-20") << QStringLiteral("0:20,0:100,0:100,0:100,0:100") << 2;
        QTest::newRow("locked 30 % bounded 20-40") << QStringLiteral("20:40,0:100,0:100,0:100,0:100") << 0;
    }
    void commandLineConflict()
    {
        QFETCH(QString, bounds);
        QFETCH(int, status);
        QProcess cli;
        cli.start(QStringLiteral(PALVEX_CLI), {QStringLiteral("optimum"), DryMix, QStringLiteral("--bounds"), bounds,
                                               QStringLiteral("--lock"), QStringLiteral("1")});
        QVERIFY(cli.waitForFinished(30000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), status);
        if (status != 0)
            QVERIFY2(err.contains(FirstName) && err.contains(QStringLiteral("вне его границ")), qPrintable(err));
    }

    // Whatever the best divergence was found for changes: the read-out goes at the next tick.
    // Changes that leave the problem as it was keep it.
    void readoutFollowsItsInputs_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("cleared");
        auto cell = [](int table, int row, int col, const char *text) {
            return Change([=](MixProject &p) {
                p.setCellText(p.tabl[table], row, col, QString::fromUtf8(text));
                Recalculate(p);
            });
        };
        QTest::newRow("a grain composition") << cell(3, 3, 2, "98") << true;
        QTest::newRow("a size") << cell(3, 2, 0, "1,2") << true;
        QTest::newRow("a density") << cell(2, 1, 1, "2,6") << true;
        QTest::newRow("the base recipe") << Change([](MixProject &p) {
            p.setCellText(p.tabl[4], 1, 0, QStringLiteral("25"));
            p.setCellText(p.tabl[4], 1, 1, QStringLiteral("30"));
            Recalculate(p);
        }) << true;
        QTest::newRow("a cell made invalid") << cell(2, 1, 0, "") << true;
        QTest::newRow("the reference") << Change([](MixProject &p) { p.selectReference(ReferenceKind::Fuller); }) << true;
        QTest::newRow("a coefficient") << Change([](MixProject &p) { p.koef_n.setText(QStringLiteral("0,5")); }) << true;
        QTest::newRow("the data form") << Change([](MixProject &p) { p.selectDataForm(GrainDataForm::Differential); }) << true;
        QTest::newRow("K") << Change([](MixProject &p) { p.K.setText(QStringLiteral("9")); }) << true;
        QTest::newRow("N") << Change([](MixProject &p) { p.N.setText(QStringLiteral("4")); }) << true;
        QTest::newRow("a lock") << Change([](MixProject &p) { p.MLock[2].setChecked(true); }) << true;
        QTest::newRow("the bounds switch") << Change([](MixProject &p) { p.BoundsCheck.setChecked(true); }) << true;
        QTest::newRow("a slider") << Change([](MixProject &p) { p.SBegunok[1].userScroll(5000); }) << false;
        QTest::newRow("the base recipe restored") << Change([](MixProject &p) { p.IshReset.raiseClick(); }) << false;
        QTest::newRow("another step") << Change([](MixProject &p) { SelectStep(p, 3); }) << false;
        QTest::newRow("the graph options") << Change([](MixProject &p) { p.Log_check.setChecked(true); }) << false;
    }
    void readoutFollowsItsInputs()
    {
        QFETCH(Change, change);
        QFETCH(bool, cleared);
        Project f;
        SelectStep(f.p, 5);
        QVERIFY(f.findOptimum());
        QCOMPARE(f.p.LabelOptimum.text(), QStringLiteral("Минимально возможное расхождение: 2,14 %"));
        change(f.p);
        f.tick();
        QCOMPARE(f.p.LabelOptimum.text().isEmpty(), cleared);
    }

    // The bounds themselves, changed while the switch is on (the dialog's "Применить").
    void readoutFollowsTheBounds()
    {
        Project f;
        f.p.BoundsCheck.setChecked(true);
        f.setBounds(1, 0, 50);
        QVERIFY(f.findOptimum());
        QVERIFY(!f.p.LabelOptimum.text().isEmpty());
        f.setBounds(3, 10, 100);
        f.tick();
        QVERIFY(f.p.LabelOptimum.text().isEmpty());
    }

    // Opening a project, even the same one again, and loading components from the database
    // describe a new problem: the read-out goes at once.
    void openingAndDatabaseClearIt()
    {
        Form1 w(nullptr, std::make_unique<FakeDesktop>());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MixProject &p = w.project();
        QVERIFY(w.openProject(DryMix));
        w.tick();
        p.CommandOptimum.raiseClick();
        QVERIFY(!p.LabelOptimum.text().isEmpty());
        QVERIFY(w.openProject(DryMix));
        QVERIFY(p.LabelOptimum.text().isEmpty());

        w.tick();
        p.CommandOptimum.raiseClick();
        QVERIFY(!p.LabelOptimum.text().isEmpty());
        SelectStep(p, 1);
        p.Command3.raiseClick();
        Form2 *db = w.findChild<Form2 *>();
        QVERIFY(db);
        QVERIFY(db->loadWorkbook(QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx"),
                                 QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini")));
        SelectionModel &s = db->model();
        s.comboN.setValue(2);
        SetParticipatingRows(s);
        for (int i = 1; i <= 2; ++i) {
            ChooseComponent(s, i, i + 1, {});
            ConfirmDensity(s, QString::number(i), DefaultDensityOption);
        }
        QTest::qWait(20); // the window's own timer takes the red frames away
        QPushButton *confirm = nullptr;
        for (QPushButton *b : db->findChildren<QPushButton *>())
            if (b->text() == s.Command1.text())
                confirm = b;
        QVERIFY(confirm);
        QTest::mouseClick(confirm, Qt::LeftButton);
        QCOMPARE(p.N.text(), QStringLiteral("2"));
        QVERIFY(p.LabelOptimum.text().isEmpty());
    }
};

QTEST_MAIN(TestOptimumReadout)
#include "tst_optimum_readout.moc"
