// The main window as a user meets it: its title and first page, typing and pasting into the
// tables, the step buttons with the check of the tables, the question before closing, the
// correction with its lock and automatic search, saving and opening through the file dialogs,
// the component database, the best recipe, the report button, and the layout at two sizes.
#include "session/ProjectSession.h"
#include "widgets/ComponentDatabaseDialog.h"
#include "widgets/Controls.h"
#include "widgets/InputTableView.h"
#include "widgets/StepBar.h"

#include "support/CellText.h"
#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <functional>

using TestSupport::WindowDriver;

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");

// Clicks a check box or a radio button on its indicator (its width runs past a short caption).
void clickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Opens a project through "Открыть проект", its dialog answering with `path`; false when the
// window reported a failure.
bool openThroughTheButton(WindowDriver &w, const QString &path)
{
    w.window.chooseOpenPath = [path] { return path; };
    const qsizetype messages = w.desktop->messages.size();
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
    w.window.showChanges();
    return w.desktop->messages.size() == messages;
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

} // namespace

// Takes the place of the desktop's application for .docx files: records what it was asked to
// open.
class OpenedFiles final : public QObject
{
    Q_OBJECT

public:
    QStringList paths;

public slots:
    void open(const QUrl &url) { paths << url.toLocalFile(); }
};

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheDefaultProject()
    {
        WindowDriver w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Palvex 5.0 [Версия от 19.04.2019]"));
        QCOMPARE(w.session.tableRows(InputTable::Compositions), 3);
        QCOMPARE(w.session.numbers().correctedRecipe[1], 100.0f);
        // The logo stands where the steps' pages will be.
        auto *pages = w.window.findChild<QStackedWidget *>();
        QVERIFY(pages);
        QCOMPARE(pages->currentIndex(), 0);
        QVERIFY(pages->currentWidget()->isVisible());
        QVERIFY(w.window.minimumSize() == QSize(950, 720));
    }

    void typingSequences_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cell");
        QTest::newRow("density with a period") << int(InputTable::Densities) << QStringLiteral("2.65") << QStringLiteral("2,65");
        QTest::newRow("size with a comma") << int(InputTable::Compositions) << QStringLiteral(",5") << QStringLiteral("0,5");
        QTest::newRow("two separators") << int(InputTable::Compositions) << QStringLiteral("1.2.") << QStringLiteral("1,2");
        QTest::newRow("letters ignored") << int(InputTable::BaseRecipe) << QStringLiteral("4x0") << QStringLiteral("40");
        QTest::newRow("name") << int(InputTable::Names) << QStringLiteral("Sand Mk=2") << QStringLiteral("Sand Mk=2");
    }
    void typingSequences()
    {
        QFETCH(int, table);
        QFETCH(QString, keys);
        QFETCH(QString, cell);
        WindowDriver w;
        InputTableView *v = w.table(InputTable(table));
        QVERIFY(v);
        v->setFocus();
        v->setCurrentCell(1, 0);
        QTest::keyClicks(v, keys);
        QCOMPARE(txt(w.session, InputTable(table), 1, 0), cell);
    }

    void backspaceAndNumbersFollow()
    {
        WindowDriver w;
        InputTableView *v = w.table(InputTable::Densities);
        v->setFocus();
        v->setCurrentCell(1, 0);
        QTest::keyClicks(v, QStringLiteral("2.65"));
        QCOMPARE(w.session.numbers().grainDensity[1], 2.65f);
        QTest::keyClick(v, Qt::Key_Backspace);
        QCOMPARE(txt(w.session, InputTable::Densities, 1, 0), QStringLiteral("2,6"));
        QCOMPARE(w.session.numbers().grainDensity[1], 2.6f);
    }

    void pasteFromASpreadsheet()
    {
        WindowDriver w;
        InputTableView *v = w.table(InputTable::Compositions);
        w.desktop->clipboard = QStringLiteral("10\t1.5\r\n5\t-4\r\n"); // as LibreOffice puts it
        v->setFocus();
        QTest::keyClick(v, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(txt(w.session, InputTable::Compositions, 1, 0), QStringLiteral("10"));
        QCOMPARE(txt(w.session, InputTable::Compositions, 1, 1), QStringLiteral("1,5"));
        QCOMPARE(txt(w.session, InputTable::Compositions, 2, 0), QStringLiteral("5"));
        QCOMPARE(txt(w.session, InputTable::Compositions, 2, 1), QStringLiteral("4"));
    }

    // A step button shows its step; the empty grain table is reported at once, and the error
    // list opens over the table with its lines.
    void stepButtonsAndValidation()
    {
        WindowDriver w;
        QTest::mouseClick(w.child<StepButton>(QStringLiteral("step2")), Qt::LeftButton);
        w.window.showChanges();
        QCOMPARE(w.session.currentStep(), 2);
        QWidget *page = w.child<QWidget>(QStringLiteral("page2"));
        QVERIFY(page->isVisible());
        auto *frame = page->findChild<ErrorFrame *>();
        QVERIFY(frame);
        QVERIFY(frame->hasError());
        QVERIFY(!w.session.validation().grainTableValid);
        auto *showErrors = w.child<QCheckBox>(QStringLiteral("showErrors"));
        QVERIFY(showErrors->isEnabled());
        clickIndicator(showErrors);
        w.window.showChanges();
        QVERIFY(w.child<QWidget>(QStringLiteral("errorPanel"))->isVisible());
        auto *lines = w.child<QLabel>(QStringLiteral("errorLines"));
        QVERIFY(lines->isVisible());
        QVERIFY(!lines->text().isEmpty());
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_SHOTS"))
            w.window.grab().save(QStringLiteral("/tmp/step2-errors.png"));
    }

    // The question before closing comes once the grain table holds data.
    void closing_data()
    {
        QTest::addColumn<int>("classes");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::newRow("2 rows: no question") << 1 << false << false << true;
        QTest::newRow("3 rows, No") << 2 << false << true << false;
        QTest::newRow("3 rows, Yes") << 2 << true << true << true;
    }
    void closing()
    {
        QFETCH(int, classes);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        WindowDriver w;
        w.showStep(2);
        auto *field = w.child<QLineEdit>(QStringLiteral("classCount"));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::number(classes));
        w.desktop->answer = answer;
        QCOMPARE(w.window.close(), closed);
        QCOMPARE(w.desktop->questions.contains(QStringLiteral("Подтверждение выхода")), asked);
    }

    // Step 5 in use: a slider dragged keeps the sum, a lock holds, and the search lowers the
    // divergence while respecting the lock; choosing another step stops the search.
    void correctionInTheWindow()
    {
        WindowDriver w;
        QVERIFY(openThroughTheButton(w, DryMix));
        w.showStep(5);
        auto *first = w.child<QSlider>(QStringLiteral("slider1"));
        QVERIFY(first->isVisible() && first->isEnabled());
        // As a drag does: the thumb held, moved, released.
        first->setSliderDown(true);
        first->setSliderPosition(4000);
        first->setSliderDown(false);
        w.window.showChanges();
        QCOMPARE(w.session.correction().slider[1], 4000);
        int total = 0;
        for (int i = 1; i <= 5; ++i)
            total += w.session.correction().slider[size_t(i)];
        QCOMPARE(total, 10000);
        clickIndicator(w.child<QCheckBox>(QStringLiteral("lock5")));
        w.window.showChanges();
        QVERIFY(w.session.correction().locked[5]);
        const float locked = w.session.numbers().correctedRecipe[5];
        auto *search = w.child<QCheckBox>(QStringLiteral("search"));
        QVERIFY(search->isEnabled());
        const float before = w.session.numbers().curveDivergence;
        clickIndicator(search);
        QVERIFY(w.session.correction().searchOn);
        // The walk from an all-zero trial needs thousands of steps; they are run here directly,
        // with a seeded generator, besides the slices the window runs while the test waits.
        w.session.searchRandom().seed(11);
        w.session.runSearch(20000);
        QTest::qWait(20);
        const float after = w.session.numbers().curveDivergence;
        QVERIFY2(after < before, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
        QCOMPARE(w.session.numbers().correctedRecipe[5], locked);
        w.window.showChanges();
        QVERIFY(w.child<QLabel>(QStringLiteral("divergence"))->text().startsWith(QStringLiteral("Расхождение кривых:  ")));
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_SHOTS"))
            w.window.grab().save(QStringLiteral("/tmp/step5-search.png"));
        QTest::mouseClick(w.child<StepButton>(QStringLiteral("step4")), Qt::LeftButton);
        w.window.showChanges();
        QVERIFY(!w.session.correction().searchOn); // a step change stops the search
        QVERIFY(!search->isChecked());
    }

    // Saved through the save button, closed, opened again in a new window through the open
    // button: everything as it was, and saved again the same bytes.
    void saveAndReopen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mix.txt"));
        QByteArray saved;
        {
            WindowDriver w;
            QVERIFY(openThroughTheButton(w, Concrete));
            w.session.setCellText(InputTable::Names, 1, 0, QStringLiteral("Щебень гранитный 5-20"));
            w.showStep(4);
            auto *n = w.child<QComboBox>(QStringLiteral("funkDingerN"));
            n->setFocus();
            n->lineEdit()->selectAll();
            QTest::keyClicks(n, QStringLiteral("0,45"));
            QCOMPARE(w.session.document().coefficient(Coefficient::FunkDingerN).text(), QStringLiteral("0,45"));
            w.window.chooseSavePath = [path] { return path; };
            QTest::mouseClick(w.child<QPushButton>(QStringLiteral("saveButton")), Qt::LeftButton);
            QVERIFY(w.desktop->messages.isEmpty());
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            saved = f.readAll();
        }
        WindowDriver again;
        QVERIFY(openThroughTheButton(again, path));
        QCOMPARE(txt(again.session, InputTable::Names, 1, 0), QStringLiteral("Щебень гранитный 5-20"));
        QCOMPARE(again.session.document().coefficient(Coefficient::FunkDingerN).text(), QStringLiteral("0,45"));
        QCOMPARE(again.session.currentStep(), 1);
        again.showStep(4);
        QCOMPARE(again.child<QComboBox>(QStringLiteral("funkDingerN"))->currentText(), QStringLiteral("0,45"));
        const QString copy = dir.filePath(QStringLiteral("copy.txt"));
        again.window.chooseSavePath = [copy] { return copy; };
        QTest::mouseClick(again.child<QPushButton>(QStringLiteral("saveButton")), Qt::LeftButton);
        QFile f(copy);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), saved);
    }

    // The database window: a workbook read, three components chosen with their densities from
    // the density table, and transferred.
    void databaseWindow()
    {
        WindowDriver w;
        w.showStep(1);
        QTest::mouseClick(w.child<QPushButton>(QStringLiteral("databaseButton")), Qt::LeftButton);
        auto *db = w.window.findChild<ComponentDatabaseDialog *>(QStringLiteral("databaseDialog"));
        QVERIFY(db);
        QVERIFY(QTest::qWaitForWindowExposed(db));
        QVERIFY(db->loadWorkbook(QStringLiteral(PALVEX_SOURCE_DIR "/examples/components.xlsx"),
                                 QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini")));
        QCOMPARE(db->componentBox(1)->count(), 1 + 7); // "none" and the seven components
        auto *count = db->findChild<QComboBox *>(QStringLiteral("databaseCount"));
        QVERIFY(count);
        QVERIFY(choose(count, 2)); // three components
        for (int i = 1; i <= 3; ++i) {
            QComboBox *component = db->componentBox(i);
            QVERIFY(component->isEnabled());
            QVERIFY(choose(component, i + 1));
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
            QCOMPARE(db->densityField(i)->text(), QStringLiteral("2,65"));
        }
        clickIndicator(db->findChild<QCheckBox *>(QStringLiteral("previewLegend")));
        QTest::qWait(20);
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_SHOTS"))
            db->grab().save(QStringLiteral("/tmp/database.png"));
        QTest::mouseClick(db->transferButton(), Qt::LeftButton);
        QVERIFY(w.desktop->messages.isEmpty());
        w.window.showChanges();
        QCOMPARE(w.session.componentCount(), 3);
        QCOMPARE(w.child<QComboBox>(QStringLiteral("componentCount"))->currentText(), QStringLiteral("3"));
        QCOMPARE(txt(w.session, InputTable::Names, 1, 0), QStringLiteral("Песок мелкий [Мк=1,4]"));
        QCOMPARE(w.session.correction().slider[3], 3333);
    }

    void optimumButton()
    {
        WindowDriver w;
        QVERIFY(openThroughTheButton(w, DryMix));
        w.showStep(5);
        auto *optimum = w.child<QPushButton>(QStringLiteral("optimumButton"));
        QVERIFY(optimum->isEnabled());
        const float before = w.session.numbers().curveDivergence;
        QTest::mouseClick(optimum, Qt::LeftButton);
        w.window.showChanges();
        QVERIFY(w.session.numbers().curveDivergence < before);
        QCOMPARE(w.child<QLabel>(QStringLiteral("optimumNote"))->text(),
                 QStringLiteral("Минимально возможное расхождение: 2,14 %"));
        QTest::qWait(30);
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_SHOTS"))
            w.window.grab().save(QStringLiteral("/tmp/step5-optimum.png"));
        clickIndicator(w.child<QCheckBox>(QStringLiteral("search")));
        w.window.showChanges();
        QVERIFY(!optimum->isEnabled());
    }

    // "Сформировать отчет" writes the report into the temporary folder and hands it to the
    // desktop's application for .docx files; the window stays.
    void reportButton()
    {
        QTemporaryDir temp;
        const bool hadTemp = qEnvironmentVariableIsSet("TMPDIR");
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        OpenedFiles opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        const auto restore = qScopeGuard([hadTemp, &oldTemp] {
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
            if (hadTemp)
                qputenv("TMPDIR", oldTemp);
            else
                qunsetenv("TMPDIR");
        });
        WindowDriver w;
        QVERIFY(openThroughTheButton(w, Concrete));
        w.showStep(6);
        QTest::mouseClick(w.child<QPushButton>(QStringLiteral("reportButton")), Qt::LeftButton);
        QCOMPARE(w.desktop->messages, QStringList());
        QCOMPARE(opened.paths.size(), 1);
        const QString path = opened.paths.value(0);
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
        QVERIFY(path.endsWith(QStringLiteral("/Отчет — Бетонная смесь В25, щебень 5-20.docx")));
        QVERIFY(QFileInfo(path).size() > 1000);
        QVERIFY(w.window.isVisible()); // the window comes back
    }

    // At the smallest size and at full HD: every table inside the window with its columns spread
    // over its width, and the rule under the step buttons running to the window's right edge.
    void layoutAtTwoSizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(950, 720);
        QTest::newRow("full HD") << QSize(1920, 1080);
    }
    void layoutAtTwoSizes()
    {
        QFETCH(QSize, size);
        WindowDriver w;
        w.window.resize(size);
        QTRY_COMPARE(w.window.size(), size);
        for (int k = 1; k <= 5; ++k) {
            InputTableView *v = w.table(InputTable(k));
            QCoreApplication::processEvents();
            const QRect r(v->mapTo(&w.window, QPoint(0, 0)), v->size());
            QVERIFY2(r.right() < size.width(), qPrintable(QStringLiteral("table %1").arg(k)));
            int columns = 0;
            for (int c = 0; c < v->model()->columnCount(); ++c)
                columns += v->columnWidth(c);
            const int width = v->viewport()->width();
            QVERIFY2(columns > width - v->model()->columnCount(), qPrintable(QStringLiteral("table %1: %2 of %3").arg(k).arg(columns).arg(width)));
            QVERIFY2(columns <= width || v->horizontalScrollBar()->maximum() > 0, qPrintable(QStringLiteral("table %1").arg(k)));
        }
        auto *bar = w.window.findChild<StepBar *>();
        QVERIFY(bar);
        QCOMPARE(bar->mapTo(&w.window, QPoint(bar->width(), 0)).x(), size.width());
        const QImage rule = bar->grab().toImage();
        QCOMPARE(rule.pixel(rule.width() - 1, rule.height() - 1) & 0xFFFFFF, QRgb(0x000000));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
