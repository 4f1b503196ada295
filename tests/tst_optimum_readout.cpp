// The best recipe against locks and bounds, and the life of its read-out "Минимально возможное
// расхождение: …" beside the button.

#include "session/ProjectSession.h"
#include "widgets/ComponentDatabaseDialog.h"

#include "support/Compare.h"
#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using TestSupport::WindowDriver;

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString FirstName = QStringLiteral("«Песок фр. 1,25-2,5»");

// The dry mix (five components, base recipe 30/25/15/10/20) as the window holds it after
// opening it.
void openDryMix(ProjectSession &s)
{
    QString error;
    if (!s.openProject(DryMix, &error))
        qFatal("%s", qPrintable(error));
}

// The bounds of component i set through the bounds dialog's "Применить": the others keep theirs.
void setBounds(ProjectSession &s, int i, float lo, float hi)
{
    ComponentFloats lower = s.correction().variationMin, upper = s.correction().variationMax;
    lower.set(i, lo);
    upper.set(i, hi);
    s.setBounds(lower, upper);
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

// Runs `act` on the next modal dialog as soon as it is shown.
void whenModalShown(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

using Change = std::function<void(ProjectSession &)>;

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
        ProjectSession s;
        openDryMix(s);
        // Component 1 at `locked` %, the others as they were.
        ComponentFloats recipe = s.numbers().correctedRecipe;
        recipe.set(1, locked);
        s.setCorrectedRecipe(recipe);
        QCOMPARE(s.numbers().correctedRecipe[1], locked);
        s.setLocked(1, true);
        s.setBoundsOn(boundsOn);
        setBounds(s, 1, lo, hi);
        const OptimumResult r = s.findBestRecipe();
        QCOMPARE(r.feasible, feasible);
        if (!feasible) {
            QVERIFY2(r.problem.contains(FirstName) && r.problem.contains(QStringLiteral("вне его границ")), qPrintable(r.problem));
            // Nothing was adopted, and no read-out tells of a recipe that does not exist.
            QCOMPARE(s.numbers().correctedRecipe[1], locked);
            QVERIFY(s.optimumNote().isEmpty());
            return;
        }
        COMPARE_NEAR(r.mass[1], locked, 1e-3);
    }

    // The same conflict from the command line: no recipe satisfies the constraints, so the
    // message and exit status 1 (bad arguments alone give 2).
    void commandLineConflict_data()
    {
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<int>("status");
        QTest::newRow("locked 30 % bounded 0-20") << QStringLiteral("0:20,0:100,0:100,0:100,0:100") << 1;
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

    // Whatever the best divergence was found for changes: the read-out goes with the action
    // that changed it. Changes that leave the problem as it was keep it.
    void readoutFollowsItsInputs_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("cleared");
        auto cell = [](InputTable table, int row, int col, const char *text) {
            return Change([=](ProjectSession &s) { s.setCellText(table, row, col, QString::fromUtf8(text)); });
        };
        QTest::newRow("a grain composition") << cell(InputTable::Compositions, 3, 2, "98") << true;
        QTest::newRow("a size") << cell(InputTable::Compositions, 2, 0, "1,2") << true;
        QTest::newRow("a density") << cell(InputTable::Densities, 1, 1, "2,6") << true;
        QTest::newRow("the base recipe") << Change([](ProjectSession &s) {
            s.setCellText(InputTable::BaseRecipe, 1, 0, QStringLiteral("25"));
            s.setCellText(InputTable::BaseRecipe, 1, 1, QStringLiteral("30"));
        }) << true;
        QTest::newRow("a cell made invalid") << cell(InputTable::Densities, 1, 0, "") << true;
        QTest::newRow("the reference") << Change([](ProjectSession &s) { s.setReferenceKind(ReferenceKind::Fuller); }) << true;
        QTest::newRow("a coefficient")
            << Change([](ProjectSession &s) { s.setCoefficientText(Coefficient::FunkDingerN, QStringLiteral("0,5")); }) << true;
        QTest::newRow("the data form") << Change([](ProjectSession &s) { s.setDataForm(GrainDataForm::Differential); }) << true;
        QTest::newRow("K") << Change([](ProjectSession &s) { s.setClassCountText(QStringLiteral("9")); }) << true;
        QTest::newRow("N") << Change([](ProjectSession &s) { s.setComponentCount(4); }) << true;
        QTest::newRow("a lock") << Change([](ProjectSession &s) { s.setLocked(2, true); }) << true;
        QTest::newRow("the bounds switch") << Change([](ProjectSession &s) { s.setBoundsOn(true); }) << true;
        QTest::newRow("a slider") << Change([](ProjectSession &s) { s.moveSlider(1, 5000, true); }) << false;
        QTest::newRow("the base recipe restored") << Change([](ProjectSession &s) { s.resetToBase(); }) << false;
        QTest::newRow("another step") << Change([](ProjectSession &s) { s.selectStep(3); }) << false;
        QTest::newRow("the graph options") << Change([](ProjectSession &s) {
            GraphOptions options = s.graphOptions();
            options.logarithmic = true;
            s.setGraphOptions(options);
        }) << false;
    }
    void readoutFollowsItsInputs()
    {
        QFETCH(Change, change);
        QFETCH(bool, cleared);
        ProjectSession s;
        openDryMix(s);
        s.selectStep(5);
        QVERIFY(s.findBestRecipe().feasible);
        QCOMPARE(s.optimumNote(), QStringLiteral("Минимально возможное расхождение: 2,14 %"));
        QSignalSpy changes(&s, &ProjectSession::changed);
        change(s);
        QVERIFY(!changes.isEmpty()); // the action did change something
        QCOMPARE(s.optimumNote().isEmpty(), cleared);
    }

    // The bounds themselves, changed while the switch is on (the dialog's "Применить").
    void readoutFollowsTheBounds()
    {
        ProjectSession s;
        openDryMix(s);
        s.setBoundsOn(true);
        setBounds(s, 1, 0, 50);
        QVERIFY(s.findBestRecipe().feasible);
        QVERIFY(!s.optimumNote().isEmpty());
        setBounds(s, 3, 10, 100);
        QVERIFY(s.optimumNote().isEmpty());
    }

    // Opening a project, even the same one again, and loading components from the database
    // describe a new problem: the read-out goes at once.
    void openingAndDatabaseClearIt()
    {
        WindowDriver w;
        QVERIFY(w.window.openProject(DryMix));
        w.showStep(5);
        auto *optimum = w.child<QPushButton>(QStringLiteral("optimumButton"));
        auto *note = w.child<QLabel>(QStringLiteral("optimumNote"));
        QVERIFY(optimum && note);
        QTest::mouseClick(optimum, Qt::LeftButton);
        w.window.showChanges();
        QVERIFY(!note->text().isEmpty());
        QVERIFY(w.window.openProject(DryMix));
        w.window.showChanges();
        QVERIFY(note->text().isEmpty());

        QTest::mouseClick(optimum, Qt::LeftButton);
        w.window.showChanges();
        QVERIFY(!note->text().isEmpty());
        w.showStep(1);
        QTest::mouseClick(w.child<QPushButton>(QStringLiteral("databaseButton")), Qt::LeftButton);
        auto *db = w.window.findChild<ComponentDatabaseDialog *>(QStringLiteral("databaseDialog"));
        QVERIFY(db);
        QVERIFY(QTest::qWaitForWindowExposed(db));
        QVERIFY(db->loadWorkbook(QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx"),
                                 QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini")));
        auto *count = db->findChild<QComboBox *>(QStringLiteral("databaseCount"));
        QVERIFY(count);
        QVERIFY(choose(count, 1)); // two components
        for (int i = 1; i <= 2; ++i) {
            QVERIFY(choose(db->componentBox(i), i + 1));
            bool confirmed = false;
            whenModalShown([&confirmed](QWidget *table) {
                auto *ok = table->findChild<QPushButton *>(QStringLiteral("densityOk"));
                confirmed = ok != nullptr;
                if (ok)
                    QTest::mouseClick(ok, Qt::LeftButton);
                else
                    table->close();
            });
            QTest::mouseClick(db->findChild<QPushButton *>(QStringLiteral("densityTableButton%1").arg(i)), Qt::LeftButton);
            QVERIFY(confirmed);
        }
        QTest::mouseClick(db->transferButton(), Qt::LeftButton);
        QCOMPARE(w.desktop->messages, QStringList());
        w.window.showChanges();
        QCOMPARE(w.child<QComboBox>(QStringLiteral("componentCount"))->currentText(), QStringLiteral("2"));
        QVERIFY(w.session.optimumNote().isEmpty());
        QVERIFY(note->text().isEmpty());
    }
};

QTEST_MAIN(TestOptimumReadout)
#include "tst_optimum_readout.moc"
