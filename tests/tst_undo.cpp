// Undo and redo in the main window: every kind of change to the project goes back to exactly
// the work before it (document, numbers, check of the tables, correction) and comes again to
// exactly the work after it, by the keys a user presses (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) in
// whatever widget has the focus. Typing into one place is one step until the place is left, a
// run of the automatic search is one step, opening a project clears the history.
#include "session/ProjectSession.h"
#include "charts/Front.h"
#include "widgets/ComponentDatabaseDialog.h"
#include "widgets/FrontView.h"
#include "widgets/InputTableView.h"
#include "widgets/StepPage.h"

#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest>

#include <functional>

using Snapshot = ProjectSession::Snapshot;
using TestSupport::typeKeys;
using TestSupport::WindowDriver;

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");
// The dry mix with a price for every component and a grading envelope.
const QString DryMixPrices = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix-prices.txt");
const QString Workbook = QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx");
const QString Settings = QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini");

// The parts of the work that differ, named; empty when the two are the same work exactly.
QString difference(const Snapshot &actual, const Snapshot &expected)
{
    QStringList parts;
    if (!(actual.document == expected.document))
        parts << QStringLiteral("document");
    if (!(actual.numbers == expected.numbers)) {
        const MixNumbers &a = actual.numbers;
        const MixNumbers &b = expected.numbers;
        QStringList which;
        if (!(a.correctedRecipe == b.correctedRecipe))
            which << QStringLiteral("corrected recipe");
        if (!(a.correctedMixCurve == b.correctedMixCurve))
            which << QStringLiteral("corrected mix curve");
        if (!(a.baseMixCurve == b.baseMixCurve))
            which << QStringLiteral("base mix curve");
        if (!(a.referenceCurve == b.referenceCurve))
            which << QStringLiteral("reference curve");
        if (a.curveDivergence != b.curveDivergence)
            which << QStringLiteral("divergence");
        parts << QStringLiteral("numbers (%1)").arg(which.isEmpty() ? QStringLiteral("others") : which.join(QStringLiteral(", ")));
    }
    if (!(actual.validation == expected.validation))
        parts << QStringLiteral("check of the tables");
    if (!(actual.correction == expected.correction))
        parts << QStringLiteral("correction");
    if (actual.optimumNote != expected.optimumNote || actual.optimumFoundFor != expected.optimumFoundFor)
        parts << QStringLiteral("best recipe's note");
    if (actual.optimumDetails != expected.optimumDetails)
        parts << QStringLiteral("what the best recipe reached");
    if (!(actual.front == expected.front) || actual.frontFoundFor != expected.frontFoundFor
        || actual.adoptedFrontPoint != expected.adoptedFrontPoint)
        parts << QStringLiteral("cost-divergence front");
    return parts.join(QStringLiteral(", "));
}

#define COMPARE_WORK(actual, expected)                                                                     \
    do {                                                                                                   \
        const QString diff_ = difference(actual, expected);                                                \
        if (!diff_.isEmpty())                                                                              \
            QFAIL(qPrintable(QStringLiteral("the work differs in: ") + diff_));                            \
    } while (false)

// The main window, active, with a project opened through "Открыть проект".
struct Window : WindowDriver
{
    Window()
    {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the main window did not become active");
    }
    void open(const QString &path)
    {
        window.chooseOpenPath = [path] { return path; };
        const qsizetype before = desktop->messages.size();
        QTest::mouseClick(find<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
        window.showChanges();
        if (desktop->messages.size() != before || session.document().name.isEmpty())
            qFatal("cannot open %s", qPrintable(path));
    }
    template <typename T>
    T *find(const QString &name)
    {
        T *w = child<T>(name);
        if (!w)
            qFatal("no widget %s", qPrintable(name));
        return w;
    }
    Snapshot work() const { return session.snapshot(); }

    // The keys of the history, pressed where the focus is (the window itself when nothing in it
    // has the focus), then the window shows what changed.
    void press(QKeyCombination key)
    {
        // The main window is active again once a dialog is gone, as the window manager makes it.
        if (QApplication::activeWindow() != &window) {
            window.activateWindow();
            if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; }))
                qWarning("the main window did not become active");
        }
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != &window)
            target = &window;
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        window.showChanges();
    }
    void undo() { press(Qt::CTRL | Qt::Key_Z); }
    void redo() { press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z); }
    void redoY() { press(Qt::CTRL | Qt::Key_Y); }
    bool undoAvailable() { return find<QAction>(QStringLiteral("undoAction"))->isEnabled(); }
    bool redoAvailable() { return find<QAction>(QStringLiteral("redoAction"))->isEnabled(); }

    // Keys typed into a cell of a table, made current and focused first.
    void typeCell(InputTable t, int row, int col, const QString &keys)
    {
        InputTableView *view = table(t);
        view->setFocus();
        view->setCurrentCell(row, col);
        typeKeys(view, keys);
        window.showChanges();
    }
    void click(const QString &name)
    {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
        window.showChanges();
    }
    // A check box or radio button clicked on its indicator.
    void tick(const QString &name)
    {
        auto *b = find<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        window.showChanges();
    }
    // Keys typed into a text field at the end of its text.
    void typeField(QLineEdit *field, const QString &keys)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        typeKeys(field, keys);
        window.showChanges();
    }
    void typeField(const QString &name, const QString &keys) { typeField(find<QLineEdit>(name), keys); }
};

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

// The centre of the thumb of a slider, in its own coordinates.
QPoint thumbCentre(const QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

// A slider's thumb taken by the mouse and dragged `dx` pixels in several moves, then let go.
void drag(QSlider *slider, int dx)
{
    const QPoint start = thumbCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, start);
    for (int k = 1; k <= 6; ++k) {
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(dx * k / 6, 0)),
                         QPointF(slider->mapToGlobal(start + QPoint(dx * k / 6, 0))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
    }
    QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(dx, 0));
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

using Act = std::function<void(Window &)>;

Act nothing()
{
    return [](Window &) {};
}

// The text of the compositions' cell (2, 1) as the session holds it.
QString compositionCell(const Window &w)
{
    return w.session.tableText(InputTable::Compositions, 2, 1);
}

} // namespace

Q_DECLARE_METATYPE(Act)

class TestUndo final : public QObject
{
    Q_OBJECT

private slots:
    // Each kind of change: undone, the work is exactly as before it; redone, exactly as after it
    // (Ctrl+Shift+Z and Ctrl+Y alike), in the widget that has the focus after the change.
    void everyChange_data()
    {
        QTest::addColumn<Act>("setup");
        QTest::addColumn<Act>("change");
        auto row = [](const char *name, Act setup, Act change) { QTest::newRow(name) << setup << change; };

        row("typing into a cell", nothing(), [](Window &w) { w.typeCell(InputTable::Compositions, 2, 1, QStringLiteral("5")); });
        row("Backspace in a cell", nothing(), [](Window &w) { w.typeCell(InputTable::Compositions, 2, 1, QStringLiteral("\b\b")); });
        row("Delete in a cell", nothing(), [](Window &w) { w.typeCell(InputTable::Densities, 1, 0, QStringLiteral("\x7f")); });
        row("typing a component's name", nothing(),
            [](Window &w) { w.typeCell(InputTable::Names, 1, 1, QStringLiteral("Xy")); });
        row("typing into the base recipe", nothing(),
            [](Window &w) { w.typeCell(InputTable::BaseRecipe, 1, 0, QStringLiteral("\b1")); });
        // The size D3 emptied: the statements that need it keep the numbers they had. Typing it
        // again computes them afresh; undone, they must be the kept ones, not the new ones.
        row("typing a size whose statements failed",
            [](Window &w) { w.typeCell(InputTable::Compositions, 3, 0, QStringLiteral("\x7f\r")); },
            [](Window &w) { w.typeCell(InputTable::Compositions, 3, 0, QStringLiteral("0,5")); });
        row("typing the reference by hand",
            [](Window &w) {
                w.showStep(4);
                w.tick(QStringLiteral("reference5"));
            },
            [](Window &w) { w.typeCell(InputTable::Reference, 1, 1, QStringLiteral("97")); });
        row("pasting a block", [](Window &w) { w.desktop->clipboard = QStringLiteral("3\t90\n2\t80"); },
            [](Window &w) {
                InputTableView *view = w.table(InputTable::Compositions);
                view->setFocus();
                QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
                w.window.showChanges();
            });
        row("clearing the table", [](Window &w) { w.showStep(2); }, [](Window &w) { w.click(QStringLiteral("clearTable")); });
        // Lowering N hides components and releases a lock on a hidden one.
        row("fewer components",
            [](Window &w) {
                w.showStep(5);
                w.tick(QStringLiteral("lock5"));
                w.showStep(1);
            },
            [](Window &w) {
                QVERIFY(choose(w.find<QComboBox>(QStringLiteral("componentCount")), 2));
                w.window.showChanges();
            });
        row("more components", [](Window &w) { w.showStep(1); },
            [](Window &w) {
                QVERIFY(choose(w.find<QComboBox>(QStringLiteral("componentCount")), 7));
                w.window.showChanges();
            });
        row("typing K", [](Window &w) { w.showStep(2); },
            [](Window &w) {
                auto *k = w.find<QLineEdit>(QStringLiteral("classCount"));
                k->setFocus();
                k->selectAll();
                typeKeys(k, QStringLiteral("7"));
                w.window.showChanges();
            });
        row("K by \"+\"", [](Window &w) { w.showStep(2); }, [](Window &w) { w.click(QStringLiteral("moreClasses")); });
        row("K by \"-\"", [](Window &w) { w.showStep(2); }, [](Window &w) { w.click(QStringLiteral("fewerClasses")); });
        row("data form", [](Window &w) { w.showStep(2); }, [](Window &w) { w.tick(QStringLiteral("differentialForm")); });
        row("reference kind", [](Window &w) { w.showStep(4); }, [](Window &w) { w.tick(QStringLiteral("reference2")); });
        // Choosing the manual reference empties its table; undone, the values typed come back.
        row("manual reference chosen again",
            [](Window &w) {
                w.showStep(4);
                w.tick(QStringLiteral("reference5"));
                w.typeCell(InputTable::Reference, 1, 1, QStringLiteral("97"));
                w.tick(QStringLiteral("reference1"));
            },
            [](Window &w) { w.tick(QStringLiteral("reference5")); });
        row("typing a coefficient", [](Window &w) { w.showStep(4); },
            [](Window &w) { w.typeField(QStringLiteral("hummelM"), QStringLiteral("5")); });
        row("coefficient from its list", [](Window &w) { w.showStep(4); },
            [](Window &w) {
                QVERIFY(choose(w.find<QComboBox>(QStringLiteral("fullerN")), 1));
                w.window.showChanges();
            });
        row("typing the project name", [](Window &w) { w.showStep(1); },
            [](Window &w) { w.typeField(QStringLiteral("projectName"), QStringLiteral("-2б")); });
        row("slider dragged", [](Window &w) { w.showStep(5); },
            [](Window &w) {
                drag(w.find<QSlider>(QStringLiteral("slider2")), 40);
                w.window.showChanges();
            });
        row("slider by a key", [](Window &w) { w.showStep(5); },
            [](Window &w) {
                auto *slider = w.find<QSlider>(QStringLiteral("slider3"));
                slider->setFocus();
                QTest::keyClick(slider, Qt::Key_PageUp);
                w.window.showChanges();
            });
        row("\"-\" of a slider", [](Window &w) { w.showStep(5); }, [](Window &w) { w.click(QStringLiteral("minus3")); });
        row("locking", [](Window &w) { w.showStep(5); }, [](Window &w) { w.tick(QStringLiteral("lock2")); });
        row("unlocking",
            [](Window &w) {
                w.showStep(5);
                w.tick(QStringLiteral("lock2"));
            },
            [](Window &w) { w.tick(QStringLiteral("lock2")); });
        row("back to the base recipe",
            [](Window &w) {
                w.showStep(5);
                for (int k = 0; k < 3; ++k)
                    w.click(QStringLiteral("plus2"));
                w.tick(QStringLiteral("lock4"));
            },
            [](Window &w) { w.click(QStringLiteral("resetToBase")); });
        row("bounds switched on", [](Window &w) { w.showStep(5); }, [](Window &w) { w.tick(QStringLiteral("boundsOn")); });
        row("bounds switched off",
            [](Window &w) {
                w.showStep(5);
                w.tick(QStringLiteral("boundsOn"));
            },
            [](Window &w) { w.tick(QStringLiteral("boundsOn")); });
        row("bounds set",
            [](Window &w) {
                w.showStep(5);
                w.tick(QStringLiteral("boundsOn"));
            },
            [](Window &w) {
                bool applied = false;
                whenModalShown([&applied](QWidget *dialog) {
                    auto *low = dialog->findChild<QLineEdit *>(QStringLiteral("lower2"));
                    auto *high = dialog->findChild<QLineEdit *>(QStringLiteral("upper2"));
                    auto *apply = dialog->findChild<QPushButton *>(QStringLiteral("applyBounds"));
                    if (!low || !high || !apply) {
                        dialog->close();
                        return;
                    }
                    low->setText(QStringLiteral("10"));
                    high->setText(QStringLiteral("50"));
                    applied = apply->isEnabled();
                    QTest::mouseClick(apply, Qt::LeftButton);
                });
                w.click(QStringLiteral("boundsButton"));
                QVERIFY(applied);
            });
        // From switching it on to switching it off, with what it adopted, one step.
        row("a run of the automatic search", [](Window &w) { w.showStep(5); },
            [](Window &w) {
                // The window runs it in slices, each a change of its own.
                const float divergence = w.session.numbers().curveDivergence;
                const long long steps = w.session.searchSteps();
                w.tick(QStringLiteral("search"));
                QVERIFY(w.session.correction().searchOn);
                QVERIFY(QTest::qWaitFor([&w, steps] { return w.session.searchSteps() > steps + 20000; }));
                w.tick(QStringLiteral("search"));
                QVERIFY(!w.session.correction().searchOn);
                QVERIFY(w.session.numbers().curveDivergence < divergence);
            });
        row("the best recipe", [](Window &w) { w.showStep(5); },
            [](Window &w) {
                w.click(QStringLiteral("optimumButton"));
                QVERIFY(!w.session.optimumNote().isEmpty());
            });
        row("the best recipe within bounds and a lock",
            [](Window &w) {
                w.showStep(5);
                w.tick(QStringLiteral("boundsOn"));
                w.tick(QStringLiteral("lock1"));
            },
            [](Window &w) {
                w.click(QStringLiteral("optimumButton"));
                QVERIFY(!w.session.optimumNote().isEmpty());
            });
        row("typing a price", nothing(), [](Window &w) { w.typeCell(InputTable::Prices, 1, 2, QStringLiteral("950")); });
        row("typing an envelope limit", nothing(), [](Window &w) { w.typeCell(InputTable::Envelope, 2, 3, QStringLiteral("40")); });
        row("an envelope limit emptied", [](Window &w) { w.open(DryMixPrices); },
            [](Window &w) { w.typeCell(InputTable::Envelope, 1, 2, QStringLiteral("\x7f")); });
        row("the aim: the lowest cost",
            [](Window &w) {
                w.open(DryMixPrices);
                w.showStep(5);
            },
            [](Window &w) { w.tick(QStringLiteral("objectiveCost")); });
        row("typing the largest divergence",
            [](Window &w) {
                w.open(DryMixPrices);
                w.showStep(5);
                w.tick(QStringLiteral("divergenceCap"));
            },
            [](Window &w) { w.typeField(QStringLiteral("maxDivergence"), QStringLiteral("4,5")); });
        row("the cheapest recipe within the envelope, at most four components",
            [](Window &w) {
                w.open(DryMixPrices);
                w.showStep(5);
                w.tick(QStringLiteral("objectiveCost"));
                w.tick(QStringLiteral("componentCap"));
                QVERIFY(choose(w.find<QComboBox>(QStringLiteral("maxComponents")), 3));
                w.window.showChanges();
            },
            [](Window &w) {
                w.click(QStringLiteral("optimumButton"));
                QVERIFY(w.session.optimumNote().startsWith(QStringLiteral("Наименьшая стоимость")));
            });
        // The front found adopts nothing; a click on one of its points adopts that recipe.
        row("a point of the front clicked",
            [](Window &w) {
                w.open(DryMixPrices);
                w.showStep(5);
                w.click(QStringLiteral("frontButton"));
                QCOMPARE(w.session.costFront().points.size(), 20);
            },
            [](Window &w) {
                auto *chart = w.find<FrontView>(QStringLiteral("frontChart"));
                const auto at = Charts::frontPointPosition(QSizeF(chart->size()), chart->input(), 5);
                QVERIFY(at);
                QTest::mouseClick(chart, Qt::LeftButton, {}, at->toPoint());
                w.window.showChanges();
                QCOMPARE(w.session.adoptedFrontPoint(), std::optional<int>(5));
            });
        // A cancelled open dialog reads nothing but returns the sliders and locks to the base
        // recipe: a change like any other, not an opening.
        row("open dialog cancelled",
            [](Window &w) {
                w.showStep(5);
                w.click(QStringLiteral("plus2"));
                w.tick(QStringLiteral("lock3"));
            },
            [](Window &w) {
                w.window.chooseOpenPath = [] { return QString(); };
                w.click(QStringLiteral("openButton"));
            });
    }
    void everyChange()
    {
        QFETCH(Act, setup);
        QFETCH(Act, change);
        Window w;
        w.open(DryMix);
        setup(w);
        if (QTest::currentTestFailed())
            return;
        const Snapshot before = w.work();
        change(w);
        if (QTest::currentTestFailed())
            return;
        const Snapshot after = w.work();
        QVERIFY2(!(after == before), "the change changed nothing");
        QVERIFY(w.undoAvailable());
        QVERIFY(!w.redoAvailable());

        w.undo();
        COMPARE_WORK(w.work(), before);
        QVERIFY(w.redoAvailable());
        w.redo();
        COMPARE_WORK(w.work(), after);
        QVERIFY(!w.redoAvailable());
        w.redo(); // nothing more to redo
        COMPARE_WORK(w.work(), after);
        w.undo();
        COMPARE_WORK(w.work(), before);
        w.redoY();
        COMPARE_WORK(w.work(), after);
    }

    // The database transfer replaces the project's inputs: undone, the project is back whole.
    void databaseTransfer()
    {
        Window w;
        w.open(DryMix);
        w.showStep(5);
        w.tick(QStringLiteral("lock2"));
        w.showStep(1);
        const Snapshot before = w.work();
        w.click(QStringLiteral("databaseButton"));
        auto *db = w.window.findChild<ComponentDatabaseDialog *>(QStringLiteral("databaseDialog"));
        QVERIFY(db && QTest::qWaitForWindowExposed(db));
        QVERIFY(db->loadWorkbook(Workbook, Settings));
        QVERIFY(choose(db->findChild<QComboBox *>(QStringLiteral("databaseCount")), 1)); // two components
        for (int i = 1; i <= 2; ++i) {
            QVERIFY(choose(db->findChild<QComboBox *>(QStringLiteral("databaseComponent%1").arg(i)), i));
            auto *density = db->findChild<QLineEdit *>(QStringLiteral("databaseDensity%1").arg(i));
            QVERIFY(density);
            density->setFocus();
            QTest::keyClicks(density, QStringLiteral("2,7"));
        }
        QTest::mouseClick(db->findChild<QPushButton *>(QStringLiteral("transferButton")), Qt::LeftButton);
        QVERIFY(w.desktop->messages.isEmpty());
        QVERIFY(!db->isVisible());
        w.window.showChanges();
        const Snapshot after = w.work();
        QCOMPARE(after.document.componentCount, 2);
        QVERIFY(!after.correction.locked[2]);

        w.undo();
        COMPARE_WORK(w.work(), before);
        QCOMPARE(w.find<QComboBox>(QStringLiteral("componentCount"))->currentText(), QStringLiteral("5"));
        w.redoY();
        COMPARE_WORK(w.work(), after);
        QCOMPARE(w.find<QComboBox>(QStringLiteral("componentCount"))->currentText(), QStringLiteral("2"));
    }

    // Typing into one cell is one step until the cell is left: another cell entered (by the
    // arrows or Enter), another change made. Typing that ends where it began is no step.
    // `undone` is the cell's text after each Ctrl+Z until nothing is left to undo ("{}" stands
    // for the text it had).
    void typingInACell_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("undone");
        QTest::newRow("one stretch") << QStringList{QStringLiteral("type:12")} << QStringList{QStringLiteral("{}")};
        QTest::newRow("Backspace and Delete are typing too")
            << QStringList{QStringLiteral("type:1"), QStringLiteral("type:\b\b"), QStringLiteral("type:3"),
                           QStringLiteral("type:\x7f"), QStringLiteral("type:4")}
            << QStringList{QStringLiteral("{}")};
        QTest::newRow("left and entered again")
            << QStringList{QStringLiteral("type:1"), QStringLiteral("key:down"), QStringLiteral("key:up"), QStringLiteral("type:2")}
            << QStringList{QStringLiteral("{}1"), QStringLiteral("{}")};
        QTest::newRow("Enter leaves the cell")
            << QStringList{QStringLiteral("type:1\r"), QStringLiteral("key:up"), QStringLiteral("type:2")}
            << QStringList{QStringLiteral("{}1"), QStringLiteral("{}")};
        QTest::newRow("another cell between")
            << QStringList{QStringLiteral("type:1"), QStringLiteral("key:right"), QStringLiteral("type:7"),
                           QStringLiteral("key:left"), QStringLiteral("type:2")}
            << QStringList{QStringLiteral("{}1"), QStringLiteral("{}1"), QStringLiteral("{}")};
        QTest::newRow("another change between")
            << QStringList{QStringLiteral("type:1"), QStringLiteral("lock"), QStringLiteral("type:2")}
            << QStringList{QStringLiteral("{}1"), QStringLiteral("{}1"), QStringLiteral("{}")};
        QTest::newRow("typed and taken back") << QStringList{QStringLiteral("type:5\b")} << QStringList{};
        QTest::newRow("an undo between")
            << QStringList{QStringLiteral("type:1"), QStringLiteral("undo"), QStringLiteral("type:2")}
            << QStringList{QStringLiteral("{}")};
    }
    void typingInACell()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, undone);
        Window w;
        w.open(DryMix);
        const QString original = compositionCell(w);
        InputTableView *view = w.table(InputTable::Compositions);
        view->setFocus();
        view->setCurrentCell(2, 1);
        for (const QString &op : script) {
            if (op.startsWith(QStringLiteral("type:")))
                typeKeys(view, op.mid(5));
            else if (op == QStringLiteral("key:down"))
                QTest::keyClick(view, Qt::Key_Down);
            else if (op == QStringLiteral("key:up"))
                QTest::keyClick(view, Qt::Key_Up);
            else if (op == QStringLiteral("key:right"))
                QTest::keyClick(view, Qt::Key_Right);
            else if (op == QStringLiteral("key:left"))
                QTest::keyClick(view, Qt::Key_Left);
            else if (op == QStringLiteral("lock"))
                w.session.setLocked(2, true); // a change made without leaving the cell
            else if (op == QStringLiteral("undo"))
                w.undo();
            w.window.showChanges();
        }
        QCOMPARE(view->currentCell(), QPoint(1, 2));
        for (const QString &text : undone) {
            QVERIFY(w.undoAvailable());
            w.undo();
            QCOMPARE(compositionCell(w), QString(text).replace(QStringLiteral("{}"), original));
        }
        QVERIFY(!w.undoAvailable());
    }

    // The text fields: typing into one field is one step until the focus leaves it; Ctrl+Z in
    // the field takes the step back and the field shows the text it had.
    void typingInAField_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("field");
        QTest::newRow("project name") << 1 << QStringLiteral("projectName");
        QTest::newRow("K") << 2 << QStringLiteral("classCount");
        QTest::newRow("coefficient m") << 4 << QStringLiteral("hummelM");
        QTest::newRow("coefficient n (editable list)") << 4 << QStringLiteral("funkDingerN");
    }
    void typingInAField()
    {
        QFETCH(int, step);
        QFETCH(QString, field);
        Window w;
        w.open(DryMix);
        w.showStep(step);
        auto *box = w.window.findChild<QComboBox *>(field);
        QLineEdit *edit = box ? box->lineEdit() : w.find<QLineEdit>(field);
        QVERIFY(edit);
        const QString original = edit->text();
        QVERIFY(original.size() >= 2 && !original.endsWith(u'2') && !original.endsWith(u'4'));
        // An editable list keeps the focus itself and hands the keys to its field.
        QWidget *focused = box ? static_cast<QWidget *>(box) : edit;
        const QString first = original.chopped(1) + QStringLiteral("2");
        const QString second = original.chopped(1) + QStringLiteral("4");
        w.typeField(edit, QStringLiteral("\b2"));
        // The focus leaves the field and comes back.
        w.find<QPushButton>(QStringLiteral("saveButton"))->setFocus();
        w.typeField(edit, QStringLiteral("\b4"));
        QCOMPARE(edit->text(), second);
        QCOMPARE(QApplication::focusWidget(), focused);

        w.undo();
        QCOMPARE(edit->text(), first);
        w.undo();
        QCOMPARE(edit->text(), original);
        QVERIFY(!w.undoAvailable());
        w.redoY();
        QCOMPARE(edit->text(), first);
        w.redo();
        QCOMPARE(edit->text(), second);
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    // Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y walk the project's history wherever the focus is: a
    // text field holding the focus takes back the project's last change, not its own editing.
    void keysWhereverTheFocusIs_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("focus");
        QTest::newRow("project name") << 1 << QStringLiteral("projectName");
        QTest::newRow("a table") << 1 << QStringLiteral("table1");
        QTest::newRow("K") << 2 << QStringLiteral("classCount");
        QTest::newRow("coefficient a") << 4 << QStringLiteral("funkDingerA");
        QTest::newRow("coefficient B (editable list)") << 4 << QStringLiteral("bolomeyB");
        QTest::newRow("a slider") << 5 << QStringLiteral("slider1");
        QTest::newRow("a button") << 5 << QStringLiteral("resetToBase");
    }
    void keysWhereverTheFocusIs()
    {
        QFETCH(int, step);
        QFETCH(QString, focus);
        Window w;
        w.open(DryMix);
        w.showStep(step);
        auto *target = w.find<QWidget>(focus);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget()->window(), static_cast<QWidget *>(&w.window));
        const Snapshot before = w.work();
        w.session.setLocked(2, true); // made elsewhere (a click does it)
        w.session.setReportSection(3, false); // not a change to the project
        w.window.showChanges();
        const Snapshot after = w.work();
        w.undo();
        COMPARE_WORK(w.work(), before);
        w.redoY();
        COMPARE_WORK(w.work(), after);
        w.undo();
        COMPARE_WORK(w.work(), before);
        w.redo();
        COMPARE_WORK(w.work(), after);
        QVERIFY(!w.session.reportSections()[3]);
    }

    // A slider held by the mouse: one drag is one step, the next drag another.
    void draggingASlider()
    {
        Window w;
        w.open(DryMix);
        w.showStep(5);
        auto *slider = w.find<QSlider>(QStringLiteral("slider2"));
        const int start = slider->value();
        drag(slider, 30);
        w.window.showChanges();
        const int first = slider->value();
        QVERIFY(first > start);
        drag(slider, 30);
        w.window.showChanges();
        QVERIFY(slider->value() > first);
        w.undo();
        QCOMPARE(slider->value(), first);
        QCOMPARE(w.session.correction().slider[2], first);
        w.undo();
        QCOMPARE(slider->value(), start);
        QVERIFY(!w.undoAvailable());
    }

    // Undo and redo show the step the change was made in, and the window shows the work put back.
    void undoShowsTheChange()
    {
        Window w;
        w.open(DryMix);
        const QString name = w.session.document().name;
        w.showStep(1);
        w.typeField(QStringLiteral("projectName"), QStringLiteral("!"));
        w.showStep(5);
        w.click(QStringLiteral("optimumButton"));
        const QString note = w.session.optimumNote();
        QVERIFY(!note.isEmpty());
        const QString fraction = w.find<QLabel>(QStringLiteral("fraction1"))->text();
        w.showStep(2);

        w.undo(); // the best recipe: step 5 again, its note gone, the fractions as before
        QCOMPARE(w.session.currentStep(), 5);
        QVERIFY(w.window.page(5)->isVisible());
        QCOMPARE(w.find<QLabel>(QStringLiteral("optimumNote"))->text(), QString());
        QVERIFY(w.find<QLabel>(QStringLiteral("fraction1"))->text() != fraction);
        w.undo(); // the name: step 1, its field as before
        QCOMPARE(w.session.currentStep(), 1);
        QCOMPARE(w.find<QLineEdit>(QStringLiteral("projectName"))->text(), name);
        w.redo();
        QCOMPARE(w.find<QLineEdit>(QStringLiteral("projectName"))->text(), name + QStringLiteral("!"));
        w.redo();
        QCOMPARE(w.session.currentStep(), 5);
        QCOMPARE(w.find<QLabel>(QStringLiteral("optimumNote"))->text(), note);
        QCOMPARE(w.find<QLabel>(QStringLiteral("fraction1"))->text(), fraction);
    }

    // Ctrl+Z while the search runs stops it and takes the whole run back; a run that adopted
    // nothing is only stopped. Ctrl+Y does nothing while it runs.
    void undoWhileTheSearchRuns()
    {
        Window w;
        w.open(DryMix);
        w.showStep(5);
        w.tick(QStringLiteral("lock2"));
        const Snapshot locked = w.work();

        w.session.setSearchOn(true);
        w.undo(); // nothing adopted: only stopped
        QVERIFY(!w.session.correction().searchOn);
        QVERIFY(!w.find<QCheckBox>(QStringLiteral("search"))->isChecked());
        COMPARE_WORK(w.work(), locked);

        w.session.setSearchOn(true);
        QVERIFY(w.session.runSearch(20000) > 0);
        const Snapshot running = w.work();
        w.redoY(); // nothing to redo, and the run goes on
        QVERIFY(w.session.correction().searchOn);
        w.undo();
        QVERIFY(!w.session.correction().searchOn);
        COMPARE_WORK(w.work(), locked);
        w.redo();
        COMPARE_WORK(w.work(), running);
        QVERIFY(!w.session.correction().searchOn);
        w.undo();
        w.undo(); // the lock
        QVERIFY(!w.session.correction().locked[2]);
    }

    // Opening a project clears the history: nothing before it can be undone or redone.
    void openingClearsTheHistory()
    {
        Window w;
        w.open(Concrete);
        w.typeField(QStringLiteral("projectName"), QStringLiteral("1"));
        w.showStep(5);
        w.click(QStringLiteral("plus1"));
        w.undo(); // leaves something to redo as well
        QVERIFY(w.undoAvailable() && w.redoAvailable());

        // A refused file opens nothing: the history stays.
        w.window.chooseOpenPath = [] { return QStringLiteral(PALVEX_SOURCE_DIR "/no-such-project.txt"); };
        w.click(QStringLiteral("openButton"));
        QCOMPARE(w.desktop->messages.size(), 1);
        QVERIFY(w.undoAvailable() && w.redoAvailable());

        w.open(DryMix);
        const Snapshot opened = w.work();
        QVERIFY(!w.undoAvailable());
        QVERIFY(!w.redoAvailable());
        w.undo();
        COMPARE_WORK(w.work(), opened);
        w.redo();
        COMPARE_WORK(w.work(), opened);

        w.click(QStringLiteral("plus1"));
        w.undo();
        COMPARE_WORK(w.work(), opened);
        QVERIFY(!w.undoAvailable());
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
