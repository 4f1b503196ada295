// The steps of the main window and the checks behind them: choosing a step, the step buttons'
// pictures, the K buttons, the choice of N, the manual reference's table, the questions before
// closing and opening, the check of the tables with its messages, frames and error list, the
// guard of the corrected recipe, and the window's layout. What the old window did on its 1 ms
// tick now happens as part of each action: no test waits for a tick.
#include "session/ProjectSession.h"
#include "widgets/Controls.h"
#include "widgets/CorrectionPage.h"
#include "widgets/GraphView.h"
#include "widgets/InputTableView.h"
#include "widgets/Pictures.h"
#include "widgets/StepBar.h"

#include "support/CellText.h"
#include "support/ProjectBuilder.h"
#include "support/WindowDriver.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QtTest>

using TestSupport::ProjectBuilder;
using TestSupport::WindowDriver;
using Pictures::StepButtonState;

namespace {

// A complete, valid project of one component and three classes.
ProjectBuilder oneComponent()
{
    return ProjectBuilder()
        .densities({QStringLiteral("2,65")})
        .baseRecipe({QStringLiteral("100")})
        .sizes({QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20")});
}

// A complete, valid project of three components and two classes.
ProjectBuilder threeComponents()
{
    return ProjectBuilder()
        .densities({QStringLiteral("2,65"), QStringLiteral("3,1"), QStringLiteral("2,5")})
        .baseRecipe({QStringLiteral("50"), QStringLiteral("30"), QStringLiteral("20")})
        .sizes({QStringLiteral("5"), QStringLiteral("1")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("40")})
        .composition(2, {QStringLiteral("100"), QStringLiteral("70")})
        .composition(3, {QStringLiteral("100"), QStringLiteral("20")});
}

void column(ProjectSession &s, int col, const QStringList &texts)
{
    for (int j = 0; j < texts.size(); ++j)
        s.setCellText(InputTable::Compositions, j + 1, col, texts[j]);
}

void row1(ProjectSession &s, InputTable table, const QStringList &texts, int first = 0)
{
    for (int i = 0; i < texts.size(); ++i)
        s.setCellText(table, 1, first + i, texts[i]);
}

StepButton *stepButton(WindowDriver &w, int step)
{
    return w.child<StepButton>(QStringLiteral("step%1").arg(step));
}

// Whether a step button shows the picture of `state` (compared where the picture is opaque).
bool shows(StepButton *b, StepButtonState state)
{
    const QImage shot = b->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage want = Pictures::stepButton(b->step(), state, b->size(), shot.devicePixelRatio()).convertToFormat(QImage::Format_ARGB32);
    if (shot.size() != want.size())
        return false;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            if (qAlpha(want.pixel(x, y)) == 255 && want.pixel(x, y) != shot.pixel(x, y))
                return false;
    return true;
}

// The colour of the rule along the step buttons' lower edge, under the middle of button `step`.
QRgb ruleUnder(WindowDriver &w, int step)
{
    auto *bar = w.window.findChild<StepBar *>();
    StepButton *b = stepButton(w, step);
    const QImage shot = bar->grab().toImage();
    return shot.pixel(b->geometry().center().x(), shot.height() - 1) & 0xFFFFFF;
}

// Chooses item `index` of a drop-down list in its open list: the item made current there, then
// Enter.
void choose(QComboBox *box, int index)
{
    box->showPopup();
    QAbstractItemView *list = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
}

// Moves the pointer off the step buttons (over button 1 first, so that the window knows where
// the pointer was), onto the window's foot.
void pointerAway(WindowDriver &w)
{
    QTest::mouseMove(stepButton(w, 1));
    QTest::mouseMove(&w.window, QPoint(w.window.width() / 2, w.window.height() - 4));
}

template <typename T>
T *onPage(WindowDriver &w, int step, const QString &name = QString())
{
    QWidget *page = w.window.findChild<QWidget *>(QStringLiteral("page%1").arg(step));
    return page ? page->findChild<T *>(name) : nullptr;
}

} // namespace

class TestSteps final : public QObject
{
    Q_OBJECT

private slots:
    void beforeAnyStep();
    void selectingAStep();
    void stepButtonPictures();
    void oneComponentDisablesItsControls();
    void classCountButtons_data();
    void classCountButtons();
    void componentCountFromItsList();
    void manualReferencePreparation();
    void closeAndOpenQuestions();
    void validationOfAValidProject();
    void validationRules_data();
    void validationRules();
    void recipeSumNotHundred();
    void referenceOrder_data();
    void referenceOrder();
    void noClassesTestsNoCells();
    void errorListStacking();
    void fractionAbove100ResetsTheRecipe();
    void classesBeyondFiftyFreezeTheDisplays();
    void layoutSpreadsColumnsAndPlacesButtons();
};

void TestSteps::beforeAnyStep()
{
    WindowDriver w;
    pointerAway(w);
    QTRY_VERIFY(!stepButton(w, 1)->isHovered());
    QCOMPARE(w.session.currentStep(), 0);
    QVERIFY(!w.child<QLabel>(QStringLiteral("stepTitle"))->isVisible());
    for (int i = 1; i <= 7; ++i) {
        QVERIFY(!w.window.findChild<QWidget *>(QStringLiteral("page%1").arg(i))->isVisible());
        QVERIFY(shows(stepButton(w, i), StepButtonState::Normal));
    }
    // The logo page is shown instead.
    QCOMPARE(w.window.findChild<QStackedWidget *>()->currentIndex(), 0);
    QVERIFY(w.window.findChild<QStackedWidget *>()->currentWidget()->isVisible());
}

void TestSteps::selectingAStep()
{
    WindowDriver w;
    QVERIFY(threeComponents().typeInto(w.session));
    w.session.resetToBase();
    QVERIFY(w.session.validation().tablesValid());
    w.session.setSearchOn(true);
    w.session.showErrorList(true);
    QVERIFY(w.session.correction().searchOn);
    w.window.findChild<InputTableView *>(QStringLiteral("table3"))->setCurrentCell(2, 2);
    QTest::mouseClick(stepButton(w, 2), Qt::LeftButton);
    w.window.showChanges();
    pointerAway(w);
    QTRY_VERIFY(!stepButton(w, 2)->isHovered());
    QCOMPARE(w.session.currentStep(), 2);
    auto *title = w.child<QLabel>(QStringLiteral("stepTitle"));
    QCOMPARE(title->text(), QStringLiteral("2.Зерновые составы сырьевых компонентов смеси"));
    QVERIFY(title->isVisible());
    QVERIFY(w.window.findChild<QWidget *>(QStringLiteral("page2"))->isVisible());
    QVERIFY(!w.window.findChild<QWidget *>(QStringLiteral("page1"))->isVisible());
    QVERIFY(shows(stepButton(w, 2), StepButtonState::Selected));
    QVERIFY(shows(stepButton(w, 1), StepButtonState::Normal));
    // The rule under the buttons is open (white) under the chosen step only.
    QCOMPARE(ruleUnder(w, 2), QRgb(0xFFFFFF));
    QCOMPARE(ruleUnder(w, 1), QRgb(0x000000));
    QCOMPARE(w.window.findChild<InputTableView *>(QStringLiteral("table3"))->currentCell(), QPoint(0, 1));
    // Choosing a step stops the search and closes the error list.
    QVERIFY(!w.session.correction().searchOn);
    QVERIFY(!w.session.errorListShown());
    QVERIFY(w.session.sliderEnabled(1));
    QVERIFY(w.child<QSlider>(QStringLiteral("slider1"))->isEnabled());
    QVERIFY(!w.child<QCheckBox>(QStringLiteral("search"))->isChecked());
    QVERIFY(!w.child<QCheckBox>(QStringLiteral("showErrors"))->isChecked());
}

// The chosen step's button shows its selected picture; the pointer over another button shows
// that button's hover picture, never over the chosen one. (The old window left the previous
// step's picture selected until the pointer moved; the buttons now follow the choice at once.)
void TestSteps::stepButtonPictures()
{
    WindowDriver w;
    QTest::mouseClick(stepButton(w, 2), Qt::LeftButton);
    w.window.showChanges();
    QTest::mouseClick(stepButton(w, 5), Qt::LeftButton);
    w.window.showChanges();
    QCOMPARE(w.session.currentStep(), 5);
    QVERIFY(shows(stepButton(w, 5), StepButtonState::Selected));
    QTest::mouseMove(stepButton(w, 3));
    QTRY_VERIFY(stepButton(w, 3)->isHovered());
    QVERIFY(shows(stepButton(w, 3), StepButtonState::Hover));
    QVERIFY(shows(stepButton(w, 2), StepButtonState::Normal));
    QVERIFY(shows(stepButton(w, 5), StepButtonState::Selected));
    QTest::mouseMove(w.child<QLabel>(QStringLiteral("stepTitle")));
    QTRY_VERIFY(!stepButton(w, 3)->isHovered());
    QVERIFY(shows(stepButton(w, 3), StepButtonState::Normal));
    QTest::mouseMove(stepButton(w, 5));
    QTRY_VERIFY(stepButton(w, 5)->isHovered());
    QVERIFY(shows(stepButton(w, 5), StepButtonState::Selected));
}

void TestSteps::oneComponentDisablesItsControls()
{
    for (const bool valid : {false, true}) {
        WindowDriver w(1, 2);
        if (valid) {
            QVERIFY(oneComponent().typeInto(w.session));
            w.session.resetToBase();
        }
        w.showStep(5);
        QVERIFY(!w.child<QSlider>(QStringLiteral("slider1"))->isEnabled());
        QVERIFY(!w.child<QPushButton>(QStringLiteral("plus1"))->isEnabled());
        QVERIFY(!w.child<QPushButton>(QStringLiteral("minus1"))->isEnabled());
        QVERIFY(!w.child<QCheckBox>(QStringLiteral("lock1"))->isEnabled());
        QVERIFY(!w.child<QPushButton>(QStringLiteral("resetToBase"))->isEnabled());
        // The search follows the check of the tables.
        QCOMPARE(w.child<QCheckBox>(QStringLiteral("search"))->isEnabled(), valid);
    }
}

void TestSteps::classCountButtons_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<QString>("after");
    QTest::newRow("49 +") << QStringLiteral("49") << true << QStringLiteral("50");
    QTest::newRow("50 +") << QStringLiteral("50") << true << QStringLiteral("50");
    QTest::newRow("60 +") << QStringLiteral("60") << true << QStringLiteral("50");
    QTest::newRow("3 -") << QStringLiteral("3") << false << QStringLiteral("2");
    QTest::newRow("2 -") << QStringLiteral("2") << false << QStringLiteral("2");
    QTest::newRow("1 -") << QStringLiteral("1") << false << QStringLiteral("2");
    QTest::newRow("7 +") << QStringLiteral("7") << true << QStringLiteral("8");
}

void TestSteps::classCountButtons()
{
    QFETCH(QString, before);
    QFETCH(bool, plus);
    QFETCH(QString, after);
    WindowDriver w;
    w.showStep(2);
    auto *field = w.child<QLineEdit>(QStringLiteral("classCount"));
    field->selectAll();
    QTest::keyClicks(field, before);
    QCOMPARE(w.session.document().classCountText, before);
    QTest::mouseClick(w.child<QPushButton>(plus ? QStringLiteral("moreClasses") : QStringLiteral("fewerClasses")), Qt::LeftButton);
    w.window.showChanges();
    QCOMPARE(w.session.document().classCountText, after);
    QCOMPARE(field->text(), after);
    QCOMPARE(w.session.tableRows(InputTable::Compositions), int(after.toInt()) + 1);
    QCOMPARE(w.window.findChild<InputTableView *>(QStringLiteral("table3"))->model()->rowCount(), int(after.toInt()));
}

// N is chosen from its list of 1..10 and nothing else: the tables follow a choice, while the
// wheel and the keys over the list change nothing.
void TestSteps::componentCountFromItsList()
{
    WindowDriver w(2, 2);
    w.showStep(1);
    auto *count = w.child<QComboBox>(QStringLiteral("componentCount"));
    QCOMPARE(count->count(), 10);
    QCOMPARE(count->itemText(0), QStringLiteral("1"));
    QCOMPARE(count->itemText(9), QStringLiteral("10"));
    QCOMPARE(count->currentText(), QStringLiteral("2"));
    choose(count, 3);
    w.window.showChanges();
    QCOMPARE(w.session.componentCount(), 4);
    QCOMPARE(w.window.findChild<InputTableView *>(QStringLiteral("table1"))->model()->columnCount(), 4);
    QCOMPARE(w.session.tableColumns(InputTable::Compositions), 5);
    QWheelEvent wheel(QPointF(5, 5), count->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(count, &wheel);
    QCOMPARE(w.session.componentCount(), 4);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_1}) {
        QTest::keyClick(count, key);
        QCOMPARE(w.session.componentCount(), 4);
    }
    w.window.showChanges();
    QCOMPARE(count->currentText(), QStringLiteral("4"));
}

void TestSteps::manualReferencePreparation()
{
    WindowDriver w(1, 3);
    column(w.session, 0, {QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")});
    QVERIFY(!w.session.tableText(InputTable::Reference, 1, 1).isEmpty()); // the equation's values
    w.showStep(4);
    auto *manual = w.child<QRadioButton>(QStringLiteral("reference5"));
    QTest::mouseClick(manual, Qt::LeftButton, {}, QPoint(8, manual->height() / 2));
    w.window.showChanges();
    QCOMPARE(w.session.document().referenceKind, ReferenceKind::ManualReference);
    QCOMPARE(txt(w.session, InputTable::Reference, 0, 0), QStringLiteral("Dj"));
    QCOMPARE(txt(w.session, InputTable::Reference, 1, 0), QStringLiteral("A'j"));
    QCOMPARE(txt(w.session, InputTable::Reference, 0, 3), QStringLiteral("1"));
    QCOMPARE(txt(w.session, InputTable::Reference, 1, 2), QString());
    auto *view = w.window.findChild<InputTableView *>(QStringLiteral("table5"));
    QCOMPARE(view->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("1"));
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("A'j"));
    QCOMPARE(view->model()->index(0, 2).data().toString(), QString());
}

// The questions before closing the window and before opening a file come once the grain table
// holds data (K of 2 or more).
void TestSteps::closeAndOpenQuestions()
{
    WindowDriver w(1, 1);
    QCOMPARE(w.session.tableRows(InputTable::Compositions), 2);
    int dialogs = 0;
    w.window.chooseOpenPath = [&dialogs] {
        ++dialogs;
        return QString();
    };
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
    QCOMPARE(dialogs, 1);
    QVERIFY(w.desktop->questions.isEmpty());
    QVERIFY(w.window.close());
    QVERIFY(w.desktop->questions.isEmpty());

    w.window.show();
    w.session.setClassCountText(QStringLiteral("2"));
    w.desktop->answer = false;
    QVERIFY(!w.window.close());
    QVERIFY(w.window.isVisible());
    QCOMPARE(w.desktop->questions, QStringList{QStringLiteral("Подтверждение выхода")});
    QCOMPARE(w.desktop->questionTexts,
             QStringList{QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите выйти из программы?")});
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
    QCOMPARE(dialogs, 1); // refused: no dialog
    QCOMPARE(w.desktop->questions.value(1), QStringLiteral("Подтверждение открытия файла"));
    QCOMPARE(w.desktop->questionTexts.value(1),
             QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите открыть другой файл?"));
    w.desktop->answer = true;
    QTest::mouseClick(w.child<QPushButton>(QStringLiteral("openButton")), Qt::LeftButton);
    QCOMPARE(dialogs, 2);
    QVERIFY(w.window.close());
}

void TestSteps::validationOfAValidProject()
{
    WindowDriver w;
    QVERIFY(oneComponent().typeInto(w.session));
    w.window.showChanges();
    const ValidationReport &v = w.session.validation();
    QVERIFY(v.densitiesValid);
    QVERIFY(v.grainTableValid);
    QVERIFY(v.baseRecipeValid);
    QVERIFY(v.referenceValid);
    QVERIFY(v.tablesValid());
    QCOMPARE(w.child<QLabel>(QStringLiteral("densityError"))->text().trimmed(), QString());
    QCOMPARE(w.child<QLabel>(QStringLiteral("recipeError"))->text().trimmed(), QString());
    QVERIFY(!onPage<ErrorFrame>(w, 2)->hasError());
    QVERIFY(!onPage<ErrorFrame>(w, 3)->hasError());
    QVERIFY(!w.child<QCheckBox>(QStringLiteral("showErrors"))->isEnabled());
    QVERIFY(w.child<QCheckBox>(QStringLiteral("search"))->isEnabled());
}

void TestSteps::validationRules_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("sizeLine");
    QTest::addColumn<QString>("componentLine");
    const QString order = QStringLiteral("-> Процентное содержание частиц компонента 1 задано НЕ в порядке убывания.");
    const QString syntax = QStringLiteral("-> В столбце процентного содержания частиц компонента 1 допущены синтаксические ошибки ввода.");
    const QStringList okSizes{QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("5")};
    const QStringList okValues{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("60")};
    QTest::newRow("equal neighbours pass") << 1 << okSizes << okValues << false << QString();
    QTest::newRow("rising size") << 1 << QStringList{QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("1")} << okValues << true << QString();
    QTest::newRow("rising value, integral") << 1 << okSizes << QStringList{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("90")} << false << order;
    QTest::newRow("rising value, differential") << 2 << okSizes << QStringList{QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("90")} << false << QString();
    QTest::newRow("empty cell, differential") << 2 << okSizes << QStringList{QStringLiteral("10"), QString(), QStringLiteral("90")} << false << syntax;
    QTest::newRow("empty cell, integral") << 1 << okSizes << QStringList{QStringLiteral("100"), QString(), QStringLiteral("90")} << false << order;
    QTest::newRow("letters in a size") << 1 << QStringList{QStringLiteral("10"), QStringLiteral("x"), QStringLiteral("1")} << okValues << true << QString();
}

void TestSteps::validationRules()
{
    QFETCH(int, form);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, values);
    QFETCH(bool, sizeLine);
    QFETCH(QString, componentLine);
    WindowDriver w;
    QVERIFY(oneComponent().typeInto(w.session));
    w.showStep(2);
    auto *formButton = w.child<QRadioButton>(form == 1 ? QStringLiteral("integralForm") : QStringLiteral("differentialForm"));
    QTest::mouseClick(formButton, Qt::LeftButton, {}, QPoint(8, formButton->height() / 2));
    QCOMPARE(w.session.document().dataForm, GrainDataForm(form));
    column(w.session, 0, sizes);
    column(w.session, 1, values);
    w.window.showChanges();
    const ValidationReport &v = w.session.validation();
    QCOMPARE(!v.sizeLine().isEmpty(), sizeLine);
    QCOMPARE(v.componentLine(1), componentLine);
    QCOMPARE(v.grainTableValid, !sizeLine && componentLine.isEmpty());
    QCOMPARE(onPage<ErrorFrame>(w, 2)->hasError(), !v.grainTableValid);
    auto *showErrors = w.child<QCheckBox>(QStringLiteral("showErrors"));
    QCOMPARE(showErrors->isEnabled(), !v.grainTableValid);
    QCOMPARE(w.child<QCheckBox>(QStringLiteral("search"))->isEnabled(), v.tablesValid());
    if (v.grainTableValid)
        return;
    // The error list shows the lines.
    QTest::mouseClick(showErrors, Qt::LeftButton, {}, QPoint(8, showErrors->height() / 2));
    w.window.showChanges();
    QVERIFY(w.child<QWidget>(QStringLiteral("errorPanel"))->isVisible());
    const QString lines = w.child<QLabel>(QStringLiteral("errorLines"))->text();
    QCOMPARE(lines.contains(QStringLiteral("Диаметры частиц")), sizeLine);
    if (!componentLine.isEmpty())
        QVERIFY(lines.contains(componentLine));
}

void TestSteps::recipeSumNotHundred()
{
    WindowDriver w;
    QVERIFY(ProjectBuilder()
                .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                .baseRecipe({QStringLiteral("50"), QStringLiteral("49,99")})
                .counts(2, 2)
                .typeInto(w.session));
    w.window.showChanges();
    QCOMPARE(w.session.baseRecipeSumText(), QStringLiteral("99,99"));
    QCOMPARE(w.child<QLineEdit>(QStringLiteral("recipeSum"))->text(), QStringLiteral("99,99"));
    const ValidationReport &v = w.session.validation();
    QVERIFY(!v.baseRecipeValid);
    QCOMPARE(v.recipeErrors, int16_t(2));
    QCOMPARE(w.child<QLabel>(QStringLiteral("recipeError"))->text(), QStringLiteral("Таблица содержит ошибки (сумма массовых долей <> 100%)!"));
    QVERIFY(onPage<ErrorFrame>(w, 3)->hasError());
    row1(w.session, InputTable::BaseRecipe, {QStringLiteral("50"), QStringLiteral("50")});
    w.window.showChanges();
    QVERIFY(w.session.validation().baseRecipeValid);
    QVERIFY(!onPage<ErrorFrame>(w, 3)->hasError());
    QCOMPARE(w.child<QLabel>(QStringLiteral("recipeError"))->text().trimmed(), QString());
}

void TestSteps::referenceOrder_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<bool>("valid");
    QTest::newRow("rising") << QStringList{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("70")} << false;
    QTest::newRow("equal") << QStringList{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("60")} << true;
    QTest::newRow("empty") << QStringList{QStringLiteral("100"), QString(), QStringLiteral("20")} << false;
}

void TestSteps::referenceOrder()
{
    QFETCH(QStringList, row);
    QFETCH(bool, valid);
    WindowDriver w;
    QVERIFY(oneComponent().typeInto(w.session));
    w.session.setReferenceKind(ReferenceKind::ManualReference);
    row1(w.session, InputTable::Reference, row, 1);
    w.window.showChanges();
    QCOMPARE(w.session.validation().referenceValid, valid);
    QCOMPARE(w.session.validation().referenceMessage(),
             valid ? QString() : QStringLiteral("Таблица заполнена не до конца, либо допущены синтаксические ошибки!"));
    QCOMPARE(w.child<QLabel>(QStringLiteral("referenceError"))->text().trimmed(),
             valid ? QString() : QStringLiteral("Таблица заполнена не до конца, либо допущены синтаксические ошибки!"));
}

void TestSteps::noClassesTestsNoCells()
{
    WindowDriver w;
    QVERIFY(oneComponent().typeInto(w.session));
    w.session.setClassCountText(QStringLiteral("abc"));
    QCOMPARE(w.session.validation().sizeErrors, int16_t(0));
    QCOMPARE(w.session.validation().referenceErrors, int16_t(0));
    QVERIFY(w.session.validation().grainTableValid);
}

// The error list holds a line per table part in error, in order, without gaps for the parts
// without errors; it goes, with the frame, as soon as everything is corrected.
void TestSteps::errorListStacking()
{
    WindowDriver w;
    QVERIFY(ProjectBuilder()
                .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                .baseRecipe({QStringLiteral("50"), QStringLiteral("25"), QStringLiteral("25")})
                .sizes({QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("1")})
                .composition(1, {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")})
                .composition(2, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")})
                .composition(3, {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30")})
                .typeInto(w.session));
    w.showStep(2);
    const ValidationReport &v = w.session.validation();
    const QStringList lines{v.sizeLine(), v.componentLine(1), v.componentLine(3)};
    QCOMPARE(v.errorLines(), lines);
    QVERIFY(v.componentLine(2).isEmpty());
    auto *showErrors = w.child<QCheckBox>(QStringLiteral("showErrors"));
    QTest::mouseClick(showErrors, Qt::LeftButton, {}, QPoint(8, showErrors->height() / 2));
    w.window.showChanges();
    QVERIFY(w.session.errorListShown());
    QVERIFY(w.child<QWidget>(QStringLiteral("errorPanel"))->isVisible());
    QCOMPARE(w.child<QLabel>(QStringLiteral("errorLines"))->text(), lines.join(u'\n'));
    // Everything corrected: the list, its box and the frame go at once.
    column(w.session, 0, {QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("1")});
    column(w.session, 1, {QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("10")});
    column(w.session, 3, {QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("10")});
    w.window.showChanges();
    QVERIFY(!w.child<QWidget>(QStringLiteral("errorPanel"))->isVisible());
    QVERIFY(!showErrors->isEnabled());
    QVERIFY(!showErrors->isChecked());
    QVERIFY(!onPage<ErrorFrame>(w, 2)->hasError());
}

// A corrected fraction beyond 100 % (as the step shows it) returns the corrected recipe to the
// base recipe within the same action. (The old window showed 130 for one tick first.)
void TestSteps::fractionAbove100ResetsTheRecipe()
{
    WindowDriver w;
    QVERIFY(ProjectBuilder()
                .densities({QStringLiteral("2,65"), QStringLiteral("2,65")})
                .baseRecipe({QStringLiteral("60"), QStringLiteral("40")})
                .counts(2, 2)
                .typeInto(w.session));
    ComponentFloats recipe = w.session.numbers().correctedRecipe;
    recipe.set(1, 130.0f);
    w.session.setCorrectedRecipe(recipe);
    QCOMPARE(w.session.numbers().correctedRecipe[1], 60.0f);
    QCOMPARE(w.session.correction().slider[1], 6000);
    QCOMPARE(w.session.correction().slider[2], 4000);
    w.showStep(5);
    QCOMPARE(w.child<QLabel>(QStringLiteral("fraction1"))->text(), QStringLiteral("60"));
    QCOMPARE(w.child<QSlider>(QStringLiteral("slider1"))->value(), 6000);
}

void TestSteps::classesBeyondFiftyFreezeTheDisplays()
{
    WindowDriver w;
    QVERIFY(oneComponent().typeInto(w.session));
    QVERIFY(w.session.validation().tablesValid());
    w.session.setClassCountText(QStringLiteral("60"));
    w.window.showChanges();
    QVERIFY(w.session.validation().tablesValid()); // kept from the last complete check
    QVERIFY(w.child<QCheckBox>(QStringLiteral("search"))->isEnabled());
}

// Qt lays the window out: the columns of the one-row tables share the width evenly, the step
// buttons stand side by side in order, the open and save buttons sit at the foot, the table's
// buttons end where the table ends, the graph grows with the window, and the window is never
// smaller than 950 x 720.
void TestSteps::layoutSpreadsColumnsAndPlacesButtons()
{
    WindowDriver w(4, 3);
    w.window.resize(1300, 800);
    w.showStep(1);
    QCoreApplication::processEvents();
    auto *names = w.window.findChild<InputTableView *>(QStringLiteral("table1"));
    const int width = names->columnWidth(0);
    QCOMPARE(width, names->viewport()->width() / 4);
    QCOMPARE(names->columnWidth(3), width);
    QVERIFY(names->viewport()->width() - 4 * width < 4);
    for (int i = 2; i <= 7; ++i) {
        const QRect previous = stepButton(w, i - 1)->geometry();
        const QRect b = stepButton(w, i)->geometry();
        QVERIFY(b.left() > previous.right());
        QVERIFY(b.left() - previous.right() <= 3);
        QCOMPARE(b.top(), previous.top());
    }
    auto *open = w.child<QPushButton>(QStringLiteral("openButton"));
    const QRect pages = w.window.findChild<QStackedWidget *>()->geometry();
    QVERIFY(open->geometry().top() >= pages.bottom());
    QVERIFY(open->mapTo(&w.window, QPoint(0, open->height())).y() <= w.window.height());
    QVERIFY(w.window.height() - open->mapTo(&w.window, QPoint(0, open->height())).y() < 40);

    w.showStep(2);
    QCoreApplication::processEvents();
    auto *grains = w.window.findChild<InputTableView *>(QStringLiteral("table3"));
    auto *clear = w.child<QWidget>(QStringLiteral("clearTable"));
    auto *frame = onPage<ErrorFrame>(w, 2);
    const int tableRight = frame->mapTo(&w.window, QPoint(frame->width(), 0)).x();
    const int clearRight = clear->mapTo(&w.window, QPoint(clear->width(), 0)).x();
    QVERIFY2(std::abs(tableRight - clearRight) <= 2, qPrintable(QStringLiteral("%1 %2").arg(tableRight).arg(clearRight)));
    QVERIFY(grains->isVisible());

    w.showStep(5);
    QCoreApplication::processEvents();
    auto *graph = w.window.findChild<GraphView *>();
    const int wide = graph->width();
    w.window.resize(950, 720);
    QCoreApplication::processEvents();
    QVERIFY(graph->width() < wide);
    // Too small a window: it keeps its minimum.
    w.window.resize(600, 400);
    QCoreApplication::processEvents();
    QVERIFY(w.window.width() >= 950);
    QVERIFY(w.window.height() >= 720);
}

QTEST_MAIN(TestSteps)
#include "tst_steps.moc"
