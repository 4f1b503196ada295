// On a high-density screen (QT_SCALE_FACTOR, 2 unless the test run sets another) the pictures
// the program draws itself — the step buttons, the logo, the strip, the reference equations,
// the padlocks, the graph's legend, the table buttons' icons and the charts — are drawn for the
// screen's pixels: twice as many pixels each way at a ratio of 2, each the picture drawn at that
// ratio, never a picture of the logical size scaled up.

#include "widgets/ChartView.h"
#include "widgets/Pictures.h"
#include "widgets/Steps.h"

#include "support/WindowDriver.h"

#include <QApplication>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <functional>

using TestSupport::WindowDriver;

namespace {

using Draw = std::function<QImage(QWidget *widget, qreal ratio)>;

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The pixels where `picture` is opaque and `shown` differs from it.
int differences(const QImage &shown, const QImage &picture, int *opaque = nullptr)
{
    const QImage a = argb(shown), b = argb(picture);
    int count = 0, solid = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            if (qAlpha(b.pixel(x, y)) != 255)
                continue;
            ++solid;
            if (a.pixel(x, y) != b.pixel(x, y))
                ++count;
        }
    if (opaque)
        *opaque = solid;
    return count;
}

QSize devicePixels(QSize logical, qreal ratio)
{
    return (QSizeF(logical) * ratio).toSize();
}

} // namespace

class TestHighDpi final : public QObject
{
    Q_OBJECT

    qreal m_ratio = 1;

private slots:
    void initTestCase()
    {
        m_ratio = qApp->devicePixelRatio();
        QVERIFY2(m_ratio > 1, "the test runs at QT_SCALE_FACTOR above 1");
    }

    void pictures_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Draw>("draw"); // the picture as it should be shown
        QTest::newRow("logo") << 0 << QStringLiteral("logo")
                              << Draw([](QWidget *w, qreal r) { return Pictures::logo(w->size(), r); });
        QTest::newRow("strip") << 0 << QStringLiteral("bottomStrip")
                               << Draw([](QWidget *w, qreal r) { return Pictures::gradient(w->size(), r); });
        for (int step = 1; step <= StepCount; ++step)
            QTest::addRow("step button %d", step) << 3 << QStringLiteral("step%1").arg(step) << Draw([step](QWidget *w, qreal r) {
                return Pictures::stepButton(step, step == 3 ? Pictures::StepButtonState::Selected : Pictures::StepButtonState::Normal,
                                            w->size(), r);
            });
        for (int kind = 1; kind <= 4; ++kind)
            QTest::addRow("formula %d", kind) << 4 << QStringLiteral("formula%1").arg(kind) << Draw([kind](QWidget *w, qreal r) {
                return Pictures::formula(ReferenceKind(kind), w->size(), r);
            });
        QTest::newRow("padlock") << 5 << QStringLiteral("padlock1")
                                 << Draw([](QWidget *w, qreal r) { return Pictures::padlock(false, w->size(), r); });
        QTest::newRow("graph legend") << 5 << QStringLiteral("graphLegend")
                                      << Draw([](QWidget *w, qreal r) { return Pictures::graphLegend(w->size(), w->font(), r); });
    }

    // What the widget shows has the screen's pixels and is the picture drawn at the screen's
    // ratio; the same picture drawn for the logical pixels and scaled up would not pass.
    void pictures()
    {
        QFETCH(int, step);
        QFETCH(QString, name);
        QFETCH(Draw, draw);
        WindowDriver w(2, 3);
        w.showStep(step);
        auto *widget = w.child<QWidget>(name);
        QVERIFY(widget);
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->devicePixelRatioF(), m_ratio);

        const QImage shown = widget->grab().toImage();
        QCOMPARE(shown.devicePixelRatio(), m_ratio);
        QCOMPARE(shown.size(), devicePixels(widget->size(), m_ratio));
        const QImage sharp = draw(widget, m_ratio);
        QCOMPARE(sharp.size(), shown.size());
        int opaque = 0;
        QCOMPARE(differences(shown, sharp, &opaque), 0);
        QVERIFY(opaque > 0);

        const QImage blurred = draw(widget, 1.0).scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(differences(blurred, sharp) > 0);
    }

    void icons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("action");
        QTest::newRow("copy") << QStringLiteral("copyTable") << int(Pictures::TableAction::Copy);
        QTest::newRow("paste") << QStringLiteral("pasteTable") << int(Pictures::TableAction::Paste);
        QTest::newRow("clear") << QStringLiteral("clearTable") << int(Pictures::TableAction::Clear);
    }

    // The table buttons' icons are drawn for every pixel density asked of them — the screen's,
    // a plain one, and a higher one than any picture kept — and greyed when disabled.
    void icons()
    {
        QFETCH(QString, name);
        QFETCH(int, action);
        WindowDriver w(2, 3);
        w.showStep(2);
        auto *button = w.child<QToolButton>(name);
        QVERIFY(button);
        const QSize size = button->iconSize();
        for (const qreal ratio : {1.0, m_ratio, 3.0, 1.5}) {
            const QPixmap icon = button->icon().pixmap(size, ratio);
            QCOMPARE(icon.devicePixelRatio(), ratio);
            const QImage sharp = Pictures::tableAction(Pictures::TableAction(action), size, ratio);
            QCOMPARE(icon.size(), sharp.size());
            QCOMPARE(icon.size(), devicePixels(size, ratio));
            QCOMPARE(differences(icon.toImage(), sharp), 0);
        }
        const QPixmap disabled = button->icon().pixmap(size, m_ratio, QIcon::Disabled);
        QCOMPARE(disabled.size(), devicePixels(size, m_ratio));
        QVERIFY(differences(disabled.toImage(), Pictures::tableAction(Pictures::TableAction(action), size, m_ratio)) > 0);
    }

    // The graph is drawn into an image of the screen's pixels, and that image is what it shows.
    void graph()
    {
        WindowDriver w(2, 3);
        w.showStep(5);
        auto *graph = w.child<ChartView>(QStringLiteral("graph"));
        QVERIFY(graph);
        const QImage &image = graph->image();
        QCOMPARE(image.devicePixelRatio(), m_ratio);
        QCOMPARE(image.size(), devicePixels(graph->size(), m_ratio));
        // Below the texts laid over its top edge the widget shows the image as it is.
        const QImage shown = graph->grab().toImage();
        QCOMPARE(shown.size(), image.size());
        const int top = image.height() / 4;
        QCOMPARE(differences(shown.copy(0, top, shown.width(), shown.height() - top),
                             argb(image).copy(0, top, image.width(), image.height() - top)),
                 0);
    }
};

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_high_dpi.moc"
