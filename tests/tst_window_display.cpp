// What the window shows, read off its widgets (offscreen): no number cut by its cell, names
// shortened with "…" and shown whole in a tool tip, no text cut or covered at 950 x 720 and
// 1920 x 1080, the pointer read-out above the plot, curves inside the plot frame, the bound
// markers over the slider's thumb, and the step buttons' hover picture.

#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "core/Recalculate.h"
#include "correction/BoundsDialog.h"
#include "ui/Form1.h"
#include "ui/Form1Logic.h"
#include "ui/GridView.h"
#include "ui/ProgramFont.h"

#include "FakeDesktop.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QDialog>
#include <QToolTip>

#include <cmath>

namespace {

const QString LongName = QStringLiteral("Песок кварцевый фракции 0,63-1,25 мм карьера «Северный»");
const QString Twin = QStringLiteral("Песок фр. 0,315-1,25");

struct Window
{
    Form1 w{nullptr, std::make_unique<FakeDesktop>()};
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
    MixProject &p() { return w.project(); }
    template <typename T = QWidget>
    T *widget(const QString &name)
    {
        return w.findChild<T *>(name);
    }
    // N = 10 components (two of them with the same name, one with a long name) and K = 50 size
    // classes, every table filled and valid.
    void fillLarge()
    {
        MixProject &m = p();
        m.N.setText(QStringLiteral("10"));
        m.K.setText(QStringLiteral("50"));
        double size = 40;
        for (int j = 1; j <= 50; ++j, size /= 1.25) {
            m.setCellText(m.tabl[3], j, 0, QString::number(size, 'g', 6).replace(u'.', u','));
            for (int i = 1; i <= 10; ++i)
                m.setCellText(m.tabl[3], j, i,
                              QString::number(std::round(10000 * std::exp(-(j - 1) * (0.05 + 0.03 * i))) / 100, 'g', 6).replace(u'.', u','));
        }
        for (int i = 1; i <= 10; ++i) {
            m.setCellText(m.tabl[1], 1, i - 1,
                          i == 1 ? LongName : i == 2 || i == 8 ? Twin : QStringLiteral("Компонент %1").arg(i));
            m.setCellText(m.tabl[2], 1, i - 1, QStringLiteral("2,65"));
            m.setCellText(m.tabl[4], 1, i - 1, QStringLiteral("10"));
        }
        Recalculate(m);
        w.tick();
        QTest::qWait(10);
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
// or button whose caption needs more room than it has.
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

// Pairs of visible widgets of a panel that overlap. Frames drawn round other widgets, the
// error list (it opens over the table), pictures under texts are meant to; buttons side by
// side may share their one-pixel edge.
QStringList overlaps(QWidget *panel)
{
    static const QRegularExpression meant(QStringLiteral("^(ErrBorder|ErrBorder4|PoleError|lock_pic\\d+|MarkerBM(in|ax)\\d+|Pol_label\\d+)$"));
    QStringList found;
    const QList<QWidget *> ws = visibleChildren(panel);
    for (int a = 0; a < ws.size(); ++a)
        for (int b = a + 1; b < ws.size(); ++b) {
            if (ws[a]->objectName().contains(meant) || ws[b]->objectName().contains(meant))
                continue;
            const QRect common = ws[a]->geometry().intersected(ws[b]->geometry());
            if (common.width() > 1 && common.height() > 1)
                found << ws[a]->objectName() + QStringLiteral(" / ") + ws[b]->objectName();
        }
    return found;
}

// Latin words of two letters or more outside the formulas' symbols and the program's name.
QStringList latinWords(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
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

} // namespace

class TestWindowDisplay final : public QObject
{
    Q_OBJECT

private slots:
    // The layout is measured for the program's font.
    void initTestCase() { ApplyProgramFont(*qApp); }

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
        SelectStep(win.p(), step);
        win.w.tick();
        QTest::qWait(10);
        QWidget *panel = win.widget(QStringLiteral("Forma%1").arg(step));
        QVERIFY(panel && panel->isVisible());
        const QStringList cut = cutTexts(panel);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
        const QStringList covered = overlaps(panel);
        QVERIFY2(covered.isEmpty(), qPrintable(covered.join(QStringLiteral(" | "))));
        // The panel lies inside the window, above the open and save buttons.
        QWidget *open = win.widget(QStringLiteral("ButOpen"));
        QVERIFY(open);
        for (QWidget *w : visibleChildren(panel)) {
            const QRect r(w->mapTo(win.w.centralWidget(), QPoint(0, 0)), w->size());
            QVERIFY2(win.w.centralWidget()->rect().contains(r), qPrintable(w->objectName()));
            QVERIFY2(!r.intersects(open->geometry()), qPrintable(w->objectName()));
        }
        QStringList english;
        for (QWidget *w : panel->findChildren<QWidget *>())
            if (w->isVisible())
                english << latinWords(shownText(w)) << latinWords(w->toolTip());
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u' ')));
    }

    // A number is never cut by its cell: each column is at least as wide as the numbers in it
    // (headers too), the table scrolls sideways when they need more room than the window has,
    // and the row stays whole above the scroll bar. Names are shortened with "…" and shown
    // whole in a tool tip.
    void gridsShowWholeNumbers_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("scrolls");
        for (const QSize size : {QSize(950, 720), QSize(1920, 1080)}) {
            QTest::addRow("names %d", size.width()) << size << 1 << false;
            QTest::addRow("densities %d", size.width()) << size << 2 << false;
            QTest::addRow("grain compositions %d", size.width()) << size << 3 << false;
            QTest::addRow("base recipe %d", size.width()) << size << 4 << false;
            QTest::addRow("reference K = 50 %d", size.width()) << size << 5 << true;
        }
    }
    void gridsShowWholeNumbers()
    {
        QFETCH(QSize, size);
        QFETCH(int, table);
        QFETCH(bool, scrolls);
        Window win(size);
        win.fillLarge();
        SelectStep(win.p(), table <= 2 ? 1 : table - 1);
        QTest::qWait(10);
        auto *view = win.widget<GridView>(QStringLiteral("tabl%1").arg(table));
        QVERIFY(view && view->isVisible());
        GridModel &g = win.p().tabl[table];
        const int headPadding = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view->horizontalHeader()) + 2;
        int names = 0;
        for (int c = 0; c < g.cols(); ++c) {
            for (int r = 0; r < g.rows(); ++r) {
                const QString text = *g.text(r, c);
                const QFontMetrics fm = r == 0 ? view->horizontalHeader()->fontMetrics() : view->fontMetrics();
                // The room the text is painted in: the cell inside its grid line and margins, or
                // the header section inside its margins.
                const int room = r == 0 ? view->horizontalHeader()->sectionSize(c) - headPadding
                                        : view->visualRect(view->model()->index(r - 1, c)).width() - 6;
                if (IsNumberText(text)) {
                    QVERIFY2(fm.horizontalAdvance(text) <= room, qPrintable(QStringLiteral("(%1, %2) %3").arg(r).arg(c).arg(text)));
                    continue;
                }
                const QString shown = r == 0 ? view->model()->headerData(c, Qt::Horizontal).toString()
                                             : view->shownText(view->model()->index(r - 1, c));
                QVERIFY(fm.horizontalAdvance(shown) <= room);
                if (fm.horizontalAdvance(text) <= room)
                    QCOMPARE(shown, text); // shortened only when it must be
                if (shown != text) {
                    ++names;
                    QVERIFY2(shown.endsWith(u'…'), qPrintable(shown));
                    if (r == 0)
                        QCOMPARE(view->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString(), text);
                }
            }
        }
        if (table == 1 || (table == 3 && size.width() == 950))
            QVERIFY(names > 0); // the long name is shortened
        QCOMPARE(view->horizontalScrollBar()->isVisible(), scrolls);
        // The first row of values whole above the scroll bar.
        const QRect row = view->visualRect(view->model()->index(0, 0));
        QVERIFY(row.bottom() < view->viewport()->height());
        // Sideways to the last column: its number whole in view.
        if (scrolls) {
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
            const QRect last = view->visualRect(view->model()->index(0, g.cols() - 1));
            QVERIFY(last.right() < view->viewport()->width());
        }
    }

    // Step 5: a long name ends with "…" and shows whole in its tool tip; the two components
    // of the same name are told apart by their numbers, which stay in view.
    void sliderNames()
    {
        Window win;
        win.fillLarge();
        SelectStep(win.p(), 5);
        QTest::qWait(10);
        auto *first = win.widget<QLabel>(QStringLiteral("k_name1"));
        auto *second = win.widget<QLabel>(QStringLiteral("k_name2"));
        auto *eighth = win.widget<QLabel>(QStringLiteral("k_name8"));
        QVERIFY(first && second && eighth);
        QVERIFY2(first->text().endsWith(u'…'), qPrintable(first->text()));
        QCOMPARE(first->toolTip(), LongName);
        QVERIFY(first->fontMetrics().horizontalAdvance(first->text()) <= first->contentsRect().width());
        QVERIFY(second->text() != eighth->text());
        QVERIFY2(second->text().endsWith(QStringLiteral("(2)")) && eighth->text().endsWith(QStringLiteral("(8)")),
                 qPrintable(second->text() + QStringLiteral(" / ") + eighth->text()));
        QCOMPARE(second->toolTip(), Twin + QStringLiteral(" (2)"));
        QCOMPARE(win.p().k_name[3].text(), QStringLiteral("Компонент 3")); // unique names as typed
    }

    // The bounds dialog names the components as the sliders do: shortened with "…" and whole
    // in the tool tip; its captions are Russian.
    void boundsDialogNames()
    {
        QStringList english;
        Window win;
        win.fillLarge();
        SelectStep(win.p(), 5);
        win.p().BoundsCheck.setChecked(true);
        win.w.tick();
        QStringList shown;
        auto *poll = new QTimer(&win.w);
        QObject::connect(poll, &QTimer::timeout, [&shown, &english, poll] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            english << latinWords(dialog->windowTitle());
            for (QWidget *w : dialog->findChildren<QWidget *>())
                english << latinWords(shownText(w));
            for (QLabel *l : dialog->findChildren<QLabel *>())
                if (l->toolTip() == LongName || l->toolTip() == Twin + QStringLiteral(" (8)"))
                    shown << (l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width() ? l->text() : QStringLiteral("(cut)"));
            poll->stop();
            dialog->reject();
        });
        poll->start(20);
        win.p().CommandBounds.raiseClick();
        QVERIFY2(english.isEmpty(), qPrintable(english.join(u' ')));
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown[0].endsWith(u'…'), qPrintable(shown[0]));
        QCOMPARE(shown[1], Twin + QStringLiteral(" (8)"));
    }

    // The pie's legend: a long name is shortened and whole in the tool tip at its place.
    void diagramLegend()
    {
        Window win;
        win.fillLarge();
        SelectStep(win.p(), 3);
        win.w.tick();
        QTest::qWait(10);
        QWidget *diagram = win.widget(QStringLiteral("Diagramma1"));
        QVERIFY(diagram);
        const QList<DiagramText> legend = DiagramLegend(win.p(), 10, QSizeF(diagram->size()));
        QCOMPARE(legend.size(), 10);
        QVERIFY(legend[0].shortened);
        QVERIFY(legend[0].text.endsWith(u'…'));
        QVERIFY(!legend[2].shortened);
        for (const DiagramText &entry : legend)
            QVERIFY(entry.box.right() <= diagram->width());
        QHelpEvent help(QEvent::ToolTip, legend[0].box.center().toPoint(), diagram->mapToGlobal(legend[0].box.center().toPoint()));
        QApplication::sendEvent(diagram, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), LongName);
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
        QVERIFY(win.w.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt")));
        SelectStep(win.p(), 5);
        win.p().Log_check.setChecked(true);
        win.w.tick();
        QWidget *graph = win.widget(QStringLiteral("Graph"));
        auto *koords = win.widget<QLabel>(QStringLiteral("Koords"));
        QWidget *divergence = win.widget(QStringLiteral("Pogreshnost"));
        QVERIFY(graph && koords && divergence);
        const QPoint corner(int(win.p().PlotLeft / 15) + 3, int(win.p().PlotBottom / 15) - 3);
        QTest::mouseMove(graph, corner);
        QTRY_VERIFY(koords->isVisible());
        QVERIFY(koords->text().startsWith(QStringLiteral("D=")));
        QVERIFY2(koords->geometry().bottom() < win.p().PlotTop / 15, qPrintable(QString::number(koords->geometry().bottom())));
        QVERIFY(!koords->geometry().intersects(divergence->geometry()));
        QVERIFY(divergence->geometry().bottom() < win.p().PlotTop / 15);
        QVERIFY(koords->fontMetrics().horizontalAdvance(koords->text()) <= koords->width());
        QVERIFY(koords->sizeHint().height() <= koords->height());
        QVERIFY(divergence->sizeHint().height() <= divergence->height());
    }

    // The curves leave no pixel outside the plot frame: the picture outside it is the same
    // with and without curves.
    void curvesInsideThePlot()
    {
        Window win;
        QVERIFY(win.w.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt")));
        MixProject &p = win.p();
        win.w.tick();
        QVERIFY(p.TablesValid);
        for (const bool logarithmic : {false, true}) {
            p.Log_check.setChecked(logarithmic);
            QImage with(QSize(int(p.Graph.width() / 15) - 2, int(p.Graph.height() / 15) - 2), QImage::Format_RGB32);
            QImage without(with.size(), QImage::Format_RGB32);
            DrawGranulometricGraph(p, with);
            p.TablesValid = false;
            DrawGranulometricGraph(p, without);
            p.TablesValid = true;
            const QRect frame(QPoint(int(p.PlotLeft / 15), int(p.PlotTop / 15)), QPoint(int(p.PlotRight / 15), int(p.PlotBottom / 15)));
            int differing = 0;
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    if (!frame.contains(x, y) && with.pixel(x, y) != without.pixel(x, y))
                        ++differing;
            QCOMPARE(differing, 0);
        }
    }

    // The bound markers stand over the thumb's centre: at 0 % and 20 % (and 100 %) the
    // marker's middle is the middle of the thumb showing that fraction.
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
        QVERIFY(win.w.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt")));
        MixProject &p = win.p();
        SelectStep(p, 5);
        p.BoundsCheck.setChecked(true);
        p.VariationMin.set(2, float(percent));
        p.VariationMax.set(2, 100);
        win.w.tick();
        QTest::qWait(10);
        auto *slider = win.widget<QSlider>(QStringLiteral("SBegunok2"));
        QWidget *marker = win.widget(QStringLiteral("MarkerBMin2"));
        QVERIFY(slider && marker && marker->isVisible());
        const double thumb = slider->x() + thumbCentre(slider, percent * 100);
        const double middle = marker->x() + marker->width() / 2.0;
        QVERIFY2(std::fabs(middle - thumb) <= 1.0, qPrintable(QStringLiteral("marker %1, thumb %2").arg(middle).arg(thumb)));
    }

    // The pointer over a step button shows its hover picture, and it stays while the pointer
    // moves over the button; leaving it for the background brings back the normal picture.
    void stepButtonHover()
    {
        Window win;
        SelectStep(win.p(), 1);
        QWidget *button = win.widget(QStringLiteral("But3"));
        QVERIFY(button);
        QTest::mouseMove(button, QPoint(20, 10));
        QTest::mouseMove(button, QPoint(25, 12));
        QCOMPARE(win.p().But[3].picture(), HoverPicture(3));
        QCOMPARE(win.p().But[1].picture(), SelectedPicture(1));
        QTest::mouseMove(win.w.centralWidget(), QPoint(win.w.centralWidget()->width() / 2, win.w.centralWidget()->height() - 60));
        QCOMPARE(win.p().But[3].picture(), NormalPicture(3));
    }
};

QTEST_MAIN(TestWindowDisplay)
#include "tst_window_display.moc"
