// What the window shows, read off its widgets (offscreen): no text cut by its cell (a long name
// widens its column, the table scrolls sideways where the columns need more room than the
// window has), names shortened with "…" and shown whole in a tool tip, no text cut or covered
// at 950 x 720 and 1920 x 1080, the pointer read-out above the plot, curves inside the plot
// frame, the bound markers over the slider's thumb, and the step buttons' hover picture.

#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "session/ProjectSession.h"
#include "widgets/ElidedLabel.h"
#include "widgets/InputTableView.h"
#include "widgets/MainWindow.h"
#include "widgets/Pictures.h"
#include "widgets/ProgramFont.h"
#include "widgets/StepBar.h"

#include "support/WindowDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

#include <cmath>

namespace {

const QString DryMix = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
const QString LongName = QStringLiteral("Песок кварцевый фракции 0,63-1,25 мм карьера «Северный»");
const QString Twin = QStringLiteral("Песок фр. 0,315-1,25");

// The main window at a size, on a desktop of the test's own.
struct Window
{
    FakeDesktop *desktop = new FakeDesktop;
    MainWindow w{std::unique_ptr<Desktop>(desktop)};
    ProjectSession &session = w.session();

    explicit Window(QSize size = QSize(950, 720))
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(size);
        QTest::qWait(10);
        // The window may not be made smaller than its minimum; the centre of the test is
        // the size asked for.
        QCOMPARE(w.centralWidget()->width(), size.width());
    }
    template <typename T = QWidget>
    T *widget(const QString &name)
    {
        return w.findChild<T *>(name);
    }
    void showStep(int step)
    {
        session.selectStep(step);
        settle();
    }
    // What the session changed shown, and the layout settled.
    void settle()
    {
        w.showChanges();
        QTest::qWait(10);
    }
    bool open(const QString &path)
    {
        const bool opened = w.openProject(path);
        settle();
        return opened;
    }
    // N = 10 components (two of them with the same name, one with a long name) and K = 50 size
    // classes, every table filled and valid.
    void fillLarge()
    {
        session.setComponentCount(10);
        session.setClassCountText(QStringLiteral("50"));
        double size = 40;
        for (int j = 1; j <= 50; ++j, size /= 1.25) {
            session.setCellText(InputTable::Compositions, j, 0, QString::number(size, 'g', 6).replace(u'.', u','));
            for (int i = 1; i <= 10; ++i)
                session.setCellText(InputTable::Compositions, j, i,
                                    QString::number(std::round(10000 * std::exp(-(j - 1) * (0.05 + 0.03 * i))) / 100, 'g', 6)
                                        .replace(u'.', u','));
        }
        for (int i = 1; i <= 10; ++i) {
            session.setCellText(InputTable::Names, 1, i - 1,
                                i == 1 ? LongName : i == 2 || i == 8 ? Twin : QStringLiteral("Компонент %1").arg(i));
            session.setCellText(InputTable::Densities, 1, i - 1, QStringLiteral("2,65"));
            session.setCellText(InputTable::BaseRecipe, 1, i - 1, QStringLiteral("10"));
        }
        settle();
    }
};

// A widget's text if it shows one (label, button, check box, option, line edit).
QString shownText(QWidget *w)
{
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return QString();
}

// The whole text a name label lets the user read: its tool tip where it is shortened, its text
// otherwise.
QString wholeName(const ElidedLabel *l)
{
    return l->text() == l->fullText() ? l->text() : l->toolTip();
}

// The widgets of a panel that show something, as the user sees them.
QList<QWidget *> visibleChildren(QWidget *panel)
{
    QList<QWidget *> out;
    for (QObject *o : panel->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && w->isVisible() && w->width() > 0 && w->height() > 0)
            out << w;
    }
    return out;
}

// Texts cut by their widget: a label wider (or, wrapped, taller) than its widget, a check box
// or button whose caption needs more room than it has, a name label whose shortened text does
// not fit or does not end with "…" or hides its whole name.
QStringList cutTexts(QWidget *top)
{
    QStringList cut;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisible() || shownText(w).trimmed().isEmpty())
            continue;
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            const int room = e->width() - 8;
            if (e->fontMetrics().horizontalAdvance(e->text()) > room)
                cut << e->objectName() + QStringLiteral(": ") + e->text();
            continue;
        }
        if (auto *name = dynamic_cast<ElidedLabel *>(w)) {
            const bool fits = name->fontMetrics().horizontalAdvance(name->text()) <= name->contentsRect().width();
            const bool whole = name->text() == name->fullText()
                || (name->text().contains(u'…') && name->toolTip() == name->fullText());
            if (!fits || !whole)
                cut << name->objectName() + QStringLiteral(": ") + name->text();
            continue;
        }
        if (auto *l = qobject_cast<QLabel *>(w); l && l->wordWrap()) {
            if (l->heightForWidth(l->width()) > l->height())
                cut << l->objectName() + QStringLiteral(": ") + l->text();
            continue;
        }
        // A push button's size hint has a minimum width of its own: its caption is what counts.
        const int need = qobject_cast<QPushButton *>(w) ? w->fontMetrics().horizontalAdvance(shownText(w)) + 4 : w->sizeHint().width();
        if (need > w->width())
            cut << QStringLiteral("%1 (%2 > %3): %4").arg(w->objectName()).arg(need).arg(w->width()).arg(shownText(w));
    }
    return cut;
}

// Pairs of visible widgets of a panel that overlap. The error list opens over the table it
// lists the errors of; buttons side by side may share their one-pixel edge.
QStringList overlaps(QWidget *panel)
{
    static const QRegularExpression meant(QStringLiteral("^(errorPanel)$"));
    QStringList found;
    const QList<QWidget *> ws = visibleChildren(panel);
    for (int a = 0; a < ws.size(); ++a)
        for (int b = a + 1; b < ws.size(); ++b) {
            if (ws[a]->objectName().contains(meant) || ws[b]->objectName().contains(meant))
                continue;
            const QRect common = ws[a]->geometry().intersected(ws[b]->geometry());
            if (common.width() > 1 && common.height() > 1)
                found << QStringLiteral("%1 (%2) / %3 (%4)")
                             .arg(ws[a]->objectName(), shownText(ws[a]), ws[b]->objectName(), shownText(ws[b]));
        }
    return found;
}

// Latin words of two letters or more outside the formulas' symbols and the program's name, in
// what a text shows (the markup of a link is not shown).
QStringList latinWords(QString text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    if (Qt::mightBeRichText(text))
        text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    // "Microsoft Word" names the word processor of the report's button.
    static const QStringList symbols{QStringLiteral("Palvex"), QStringLiteral("Microsoft"), QStringLiteral("Word"), QStringLiteral("Dj"), QStringLiteral("Aj"), QStringLiteral("Aji"),
                                     QStringLiteral("Qji"), QStringLiteral("max"), QStringLiteral("min")};
    QStringList out;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const QString w = it.next().captured();
        if (!symbols.contains(w))
            out << w;
    }
    return out;
}

double thumbCentre(QSlider *slider, int value)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = value;
    option.sliderValue = value;
    option.subControls = QStyle::SC_SliderHandle;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center().x();
}

// The bounds of component i as the bounds dialog's "Применить" sets them.
void setBounds(ProjectSession &s, int i, float lo, float hi)
{
    ComponentFloats lower = s.correction().variationMin, upper = s.correction().variationMax;
    lower.set(i, lo);
    upper.set(i, hi);
    s.setBounds(lower, upper);
}

Charts::GraphInput graphInput(const ProjectSession &s, bool tablesValid, bool logarithmic)
{
    const ValidationReport &v = s.validation();
    GraphOptions options = s.graphOptions();
    options.logarithmic = logarithmic;
    return {s.numbers(), s.classCount(), tablesValid, v.grainTableValid, v.baseRecipeValid, options};
}

// Whether a widget shows `picture`, pixel for pixel where the picture is opaque (its rounded
// corners let the background through).
bool shows(QWidget *w, const QImage &picture)
{
    const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage wanted = picture.convertToFormat(QImage::Format_ARGB32);
    if (shown.size() != wanted.size())
        return false;
    for (int y = 0; y < wanted.height(); ++y)
        for (int x = 0; x < wanted.width(); ++x) {
            const QRgb p = wanted.pixel(x, y);
            if (qAlpha(p) == 255 && (p & 0xFFFFFF) != (shown.pixel(x, y) & 0xFFFFFF))
                return false;
        }
    return true;
}

// The states the tables are checked in.
enum Scrolling { Never, Always, WhereNeeded };

} // namespace

Q_DECLARE_METATYPE(Scrolling)

class TestWindowDisplay final : public QObject
{
    Q_OBJECT

private slots:
    // The layout is measured for the program's font, as the program sets it.
    void initTestCase() { applyProgramFont(*qApp); }

    // Every step at both sizes of the issue: no text cut, nothing covering anything, no
    // English word; N = 10, K = 50 with long and repeated names.
    void everyStep_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("step");
        for (const QSize size : {QSize(950, 720), QSize(1920, 1080)})
            for (int step = 1; step <= 7; ++step)
                QTest::addRow("%dx%d step %d", size.width(), size.height(), step) << size << step;
    }
    void everyStep()
    {
        QFETCH(QSize, size);
        QFETCH(int, step);
        Window win(size);
        win.fillLarge();
        win.showStep(step);
        QWidget *panel = win.widget(QStringLiteral("page%1").arg(step));
        QVERIFY(panel && panel->isVisible());
        const QStringList cut = cutTexts(panel);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
        const QStringList covered = overlaps(panel);
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(QStringLiteral(" | "))));
        // The panel lies inside the window, above the open and save buttons.
        QWidget *open = win.widget(QStringLiteral("openButton"));
        QVERIFY(open);
        const QRect openRect(open->mapTo(win.w.centralWidget(), QPoint(0, 0)), open->size());
        for (QWidget *w : visibleChildren(panel)) {
            const QRect r(w->mapTo(win.w.centralWidget(), QPoint(0, 0)), w->size());
            QVERIFY2(win.w.centralWidget()->rect().contains(r), qPrintable(w->objectName()));
            QVERIFY2(!r.intersects(openRect), qPrintable(w->objectName()));
        }
        QStringList english;
        for (QWidget *w : panel->findChildren<QWidget *>())
            if (w->isVisible())
                english << latinWords(shownText(w)) << latinWords(w->toolTip());
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u' ')));
    }

    // No text is cut by its cell: each column is at least as wide as the texts in it (headers
    // too), the table scrolls sideways when they need more room than the window has, and the
    // row stays whole above the scroll bar. A long name widens its column and shows whole in
    // its tool tip.
    void tablesShowWholeTexts_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("table");
        QTest::addColumn<Scrolling>("scrolls");
        for (const QSize size : {QSize(950, 720), QSize(1920, 1080)}) {
            QTest::addRow("names %d", size.width()) << size << 1 << WhereNeeded;
            QTest::addRow("densities %d", size.width()) << size << 2 << Never;
            QTest::addRow("grain compositions %d", size.width()) << size << 3 << WhereNeeded;
            QTest::addRow("base recipe %d", size.width()) << size << 4 << WhereNeeded;
            QTest::addRow("reference K = 50 %d", size.width()) << size << 5 << Always;
        }
    }
    void tablesShowWholeTexts()
    {
        QFETCH(QSize, size);
        QFETCH(int, table);
        QFETCH(Scrolling, scrolls);
        Window win(size);
        win.fillLarge();
        win.showStep(table <= 2 ? 1 : table - 1);
        auto *view = win.widget<InputTableView>(QStringLiteral("table%1").arg(table));
        QVERIFY(view && view->isVisible());
        const InputTable t = InputTable(table);
        const int headPadding = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view->horizontalHeader()) + 2;
        const int rows = win.session.tableRows(t), cols = win.session.tableColumns(t);
        QCOMPARE(view->model()->columnCount(), cols);
        QCOMPARE(view->model()->rowCount(), rows - 1);
        int columns = 0, textWidths = 0;
        bool longName = false;
        for (int c = 0; c < cols; ++c) {
            columns += view->columnWidth(c);
            int textWidth = 0;
            for (int r = 0; r < rows; ++r) {
                const QString text = win.session.tableText(t, r, c);
                const QFontMetrics fm = r == 0 ? view->horizontalHeader()->fontMetrics() : view->fontMetrics();
                textWidth = std::max(textWidth, fm.horizontalAdvance(text) + (r == 0 ? headPadding : 6));
                // The room the text is painted in: the cell inside its margins, or the header
                // section inside its margins.
                const int room = r == 0 ? view->horizontalHeader()->sectionSize(c) - headPadding
                                        : view->visualRect(view->model()->index(r - 1, c)).width() - 6;
                const QString shown = r == 0 ? view->model()->headerData(c, Qt::Horizontal).toString()
                                             : view->model()->index(r - 1, c).data().toString();
                QCOMPARE(shown, text); // never shortened
                QVERIFY2(fm.horizontalAdvance(text) <= room, qPrintable(QStringLiteral("(%1, %2) %3").arg(r).arg(c).arg(text)));
                if (text == LongName) {
                    longName = true;
                    const QVariant tip = r == 0 ? view->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole)
                                                : view->model()->index(r - 1, c).data(Qt::ToolTipRole);
                    QCOMPARE(tip.toString(), LongName);
                }
            }
            textWidths += textWidth;
        }
        // The names, and the headers of the compositions and the base recipe.
        QCOMPARE(longName, table == 1 || table == 3 || table == 4);
        // A scroll bar where the texts need more than the width, and then only.
        const bool needed = textWidths > view->viewport()->width();
        QCOMPARE(view->horizontalScrollBar()->isVisible(), needed);
        QCOMPARE(columns > view->viewport()->width(), needed);
        if (scrolls != WhereNeeded)
            QCOMPARE(needed, scrolls == Always);
        // The first row of values whole above the scroll bar.
        const QRect row = view->visualRect(view->model()->index(0, 0));
        QVERIFY(row.bottom() < view->viewport()->height());
        // Sideways to the last column: its text whole in view.
        if (needed) {
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
            const QRect last = view->visualRect(view->model()->index(0, cols - 1));
            QVERIFY(last.left() >= 0);
            QVERIFY(last.right() < view->viewport()->width());
        }
    }

    // Step 5: a long name ends with "…" and shows whole in its tool tip; the two components
    // of the same name are told apart by their numbers, which stay in view.
    void sliderNames()
    {
        Window win;
        win.fillLarge();
        win.showStep(5);
        auto *first = win.widget<ElidedLabel>(QStringLiteral("componentName1"));
        auto *second = win.widget<ElidedLabel>(QStringLiteral("componentName2"));
        auto *third = win.widget<ElidedLabel>(QStringLiteral("componentName3"));
        auto *eighth = win.widget<ElidedLabel>(QStringLiteral("componentName8"));
        QVERIFY(first && second && third && eighth);
        QVERIFY2(first->text().endsWith(u'…'), qPrintable(first->text()));
        QCOMPARE(first->toolTip(), LongName);
        QVERIFY(first->fontMetrics().horizontalAdvance(first->text()) <= first->contentsRect().width());
        QVERIFY(second->text() != eighth->text());
        QVERIFY2(second->text().endsWith(QStringLiteral("(2)")) && eighth->text().endsWith(QStringLiteral("(8)")),
                 qPrintable(second->text() + QStringLiteral(" / ") + eighth->text()));
        for (ElidedLabel *twin : {second, eighth})
            QVERIFY(twin->fontMetrics().horizontalAdvance(twin->text()) <= twin->contentsRect().width());
        QCOMPARE(wholeName(second), Twin + QStringLiteral(" (2)"));
        QCOMPARE(wholeName(eighth), Twin + QStringLiteral(" (8)"));
        QCOMPARE(third->text(), QStringLiteral("Компонент 3")); // unique names as typed
    }

    // The bounds dialog names the components as the sliders do: the twins told apart by their
    // numbers, a name too long for its place shortened with "…" and whole in the tool tip; its
    // captions are Russian.
    void boundsDialogNames()
    {
        QStringList english;
        Window win;
        win.fillLarge();
        win.showStep(5);
        auto *boundsOn = win.widget<QCheckBox>(QStringLiteral("boundsOn"));
        QVERIFY(boundsOn);
        QTest::mouseClick(boundsOn, Qt::LeftButton, {}, QPoint(8, boundsOn->height() / 2));
        win.settle();
        QVERIFY(win.session.correction().boundsOn);
        QStringList shown, whole;
        auto *poll = new QTimer(&win.w);
        QObject::connect(poll, &QTimer::timeout, [&shown, &whole, &english, poll] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            english << latinWords(dialog->windowTitle());
            for (QWidget *w : dialog->findChildren<QWidget *>())
                english << latinWords(shownText(w)) << latinWords(w->toolTip());
            for (int i : {1, 8}) {
                auto *l = dialog->findChild<ElidedLabel *>(QStringLiteral("boundsName%1").arg(i));
                if (!l)
                    continue;
                const bool fits = l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width();
                shown << (fits ? l->text() : QStringLiteral("(cut)"));
                whole << wholeName(l);
            }
            poll->stop();
            dialog->reject();
        });
        poll->start(20);
        QTest::mouseClick(win.widget<QPushButton>(QStringLiteral("boundsButton")), Qt::LeftButton);
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u' ')));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(whole, (QStringList{LongName, Twin + QStringLiteral(" (8)")}));
        QVERIFY2(shown[0] == LongName || shown[0].endsWith(u'…'), qPrintable(shown[0]));
        QCOMPARE(shown[1], Twin + QStringLiteral(" (8)"));
    }

    // The pie's legend: a long name is shortened and whole in the tool tip at its place.
    void diagramLegend()
    {
        Window win;
        win.fillLarge();
        win.showStep(3);
        QWidget *diagram = win.widget(QStringLiteral("diagram"));
        QVERIFY(diagram && diagram->isVisible());
        QStringList names;
        for (int i = 1; i <= 10; ++i)
            names << win.session.document().componentName(i).text();
        const QList<Charts::DiagramText> legend
            = Charts::diagramLegend({win.session.numbers().baseRecipe, 10, names}, QSizeF(diagram->size()));
        QCOMPARE(legend.size(), 10);
        QVERIFY(legend[0].shortened);
        QVERIFY(legend[0].text.endsWith(u'…'));
        QVERIFY(!legend[2].shortened);
        for (const Charts::DiagramText &entry : legend)
            QVERIFY(entry.box.right() <= diagram->width());
        QHelpEvent help(QEvent::ToolTip, legend[0].box.center().toPoint(), diagram->mapToGlobal(legend[0].box.center().toPoint()));
        QApplication::sendEvent(diagram, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), LongName);
        QToolTip::hideText();
    }

    // The pointer read-out sits at the graph's top edge, above the plot and clear of the
    // divergence text; at the plot's lower corner it covers no axis label.
    void pointerReadout_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("950 x 720") << QSize(950, 720);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080);
    }
    void pointerReadout()
    {
        QFETCH(QSize, size);
        Window win(size);
        QVERIFY(win.open(DryMix));
        win.showStep(5);
        auto *logarithmic = win.widget<QCheckBox>(QStringLiteral("logarithmic"));
        QVERIFY(logarithmic);
        QTest::mouseClick(logarithmic, Qt::LeftButton, {}, QPoint(8, logarithmic->height() / 2));
        win.settle();
        QVERIFY(win.session.graphOptions().logarithmic);
        QWidget *graph = win.widget(QStringLiteral("graph"));
        auto *readout = win.widget<QLabel>(QStringLiteral("readout"));
        auto *divergence = win.widget<QLabel>(QStringLiteral("divergence"));
        QVERIFY(graph && readout && divergence);
        const QRectF plot = Charts::plotRect(QSizeF(graph->size()));
        const QPoint corner(int(plot.left()) + 3, int(plot.bottom()) - 3);
        QTest::mouseMove(graph, corner);
        QTRY_VERIFY(readout->isVisible());
        QVERIFY(readout->text().startsWith(QStringLiteral("D=")));
        QVERIFY2(readout->geometry().bottom() < plot.top(), qPrintable(QString::number(readout->geometry().bottom())));
        QVERIFY(!readout->geometry().intersects(divergence->geometry()));
        QVERIFY(!divergence->text().trimmed().isEmpty());
        QVERIFY(divergence->geometry().bottom() < plot.top());
        QVERIFY(readout->fontMetrics().horizontalAdvance(readout->text()) <= readout->width());
        QVERIFY(readout->sizeHint().height() <= readout->height());
        QVERIFY(divergence->sizeHint().height() <= divergence->height());
    }

    // The curves leave no pixel outside the plot frame: the picture outside it is the same
    // with and without curves.
    void curvesInsideThePlot()
    {
        Window win;
        QVERIFY(win.open(DryMix));
        win.showStep(5);
        QVERIFY(win.session.validation().tablesValid());
        QWidget *graph = win.widget(QStringLiteral("graph"));
        QVERIFY(graph);
        for (const bool logarithmic : {false, true}) {
            QImage with(graph->size(), QImage::Format_RGB32);
            QImage without(with.size(), QImage::Format_RGB32);
            Charts::drawGraph(with, graphInput(win.session, true, logarithmic));
            Charts::drawGraph(without, graphInput(win.session, false, logarithmic));
            QVERIFY(with != without); // the curves are drawn
            const QRectF plot = Charts::plotRect(QSizeF(with.size()));
            const QRect frame(QPoint(int(plot.left()), int(plot.top())), QPoint(int(plot.right()), int(plot.bottom())));
            int differing = 0;
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    if (!frame.contains(x, y) && with.pixel(x, y) != without.pixel(x, y))
                        ++differing;
            QCOMPARE(differing, 0);
        }
    }

    // The bound markers stand over the thumb's centre: at 0 % and 20 % (and 100 %) the
    // marker's middle is the middle of the thumb showing that fraction; the lower bound's mark
    // is blue, the upper bound's red.
    void boundMarkersOverTheThumb_data()
    {
        QTest::addColumn<int>("percent");
        QTest::newRow("0 %") << 0;
        QTest::newRow("20 %") << 20;
        QTest::newRow("55 %") << 55;
        QTest::newRow("100 %") << 100;
    }
    void boundMarkersOverTheThumb()
    {
        QFETCH(int, percent);
        Window win;
        QVERIFY(win.open(DryMix));
        win.showStep(5);
        win.session.setBoundsOn(true);
        auto *slider = win.widget<QSlider>(QStringLiteral("slider2"));
        QVERIFY(slider && slider->isVisible());
        const double thumb = slider->x() + thumbCentre(slider, percent * 100);
        // The middle of the marks of one colour drawn just under the track.
        auto markerMiddle = [slider](QRgb colour) {
            const QImage picture = slider->parentWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const int y = slider->geometry().bottom() + 1;
            int first = -1, last = -1;
            for (int x = 0; y < picture.height() && x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            return first < 0 ? -1000.0 : (first + last + 1) / 2.0;
        };
        // The lower bound at the fraction (the upper at 100 %), then the upper bound at it (the
        // lower at 0 %); a bound needs room below or above it.
        if (percent < 100) {
            setBounds(win.session, 2, float(percent), 100);
            win.settle();
            const double middle = markerMiddle(qRgb(0, 0, 200));
            QVERIFY2(std::fabs(middle - thumb) <= 1.0, qPrintable(QStringLiteral("lower marker %1, thumb %2").arg(middle).arg(thumb)));
        }
        if (percent > 0) {
            setBounds(win.session, 2, 0, float(percent));
            win.settle();
            const double middle = markerMiddle(qRgb(200, 0, 0));
            QVERIFY2(std::fabs(middle - thumb) <= 1.0, qPrintable(QStringLiteral("upper marker %1, thumb %2").arg(middle).arg(thumb)));
        }
    }

    // The pointer over a step button shows its hover picture, and it stays while the pointer
    // moves over the button; leaving it for the background brings back the normal picture.
    void stepButtonHover()
    {
        using Pictures::StepButtonState;
        Window win;
        win.showStep(1);
        auto *bar = win.w.findChild<StepBar *>();
        QVERIFY(bar);
        QWidget *button = win.widget(QStringLiteral("step3"));
        QWidget *chosen = win.widget(QStringLiteral("step1"));
        QVERIFY(button && chosen);
        const qreal ratio = button->devicePixelRatioF();
        QVERIFY(shows(button, Pictures::stepButton(3, StepButtonState::Normal, button->size(), ratio)));
        QTest::mouseMove(button, QPoint(20, 10));
        QTest::mouseMove(button, QPoint(25, 12));
        QVERIFY(shows(button, Pictures::stepButton(3, StepButtonState::Hover, button->size(), ratio)));
        QVERIFY(shows(chosen, Pictures::stepButton(1, StepButtonState::Selected, chosen->size(), ratio)));
        QTest::mouseMove(win.w.centralWidget(), QPoint(win.w.centralWidget()->width() / 2, win.w.centralWidget()->height() - 60));
        QVERIFY(shows(button, Pictures::stepButton(3, StepButtonState::Normal, button->size(), ratio)));
    }
};

QTEST_MAIN(TestWindowDisplay)
#include "tst_window_display.moc"
