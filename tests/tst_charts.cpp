// The charts: the granulometric graph and the pie diagram drawn by pure functions into
// images, the pointer read-out, and the picture files their context menus save.
#include "charts/Diagram.h"
#include "charts/Front.h"
#include "charts/Graph.h"
#include "charts/PictureFile.h"
#include "files/SafeSave.h"
#include "session/ProjectSession.h"

#include "support/Compare.h"
#include "support/ProjectBuilder.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cmath>

using TestSupport::ProjectBuilder;

namespace {

// Three components over four classes, base recipe 30/50/20.
ProjectBuilder threeComponents()
{
    return ProjectBuilder()
        .names({QStringLiteral("К1"), QStringLiteral("К2"), QStringLiteral("К3")})
        .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
        .sizes({QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,315"), QStringLiteral("0,1")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20"), QStringLiteral("5")})
        .composition(2, {QStringLiteral("100"), QStringLiteral("90"), QStringLiteral("50"), QStringLiteral("10")})
        .composition(3, {QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("95"), QStringLiteral("80")})
        .baseRecipe({QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("20")});
}

// A project typed into a session, its graph drawn on 600 x 450 pixels (9000 x 6750 twips: the
// plot from 500 to 8500 across and from 500 (100 %) to 6250 (0 %) down).
struct Fixture
{
    ProjectSession s;
    QImage image{600, 450, QImage::Format_RGB32};
    explicit Fixture(const ProjectBuilder &project = threeComponents()) { QVERIFY(project.typeInto(s)); }

    // What the window's graph shows of the session, with `numbers` in place of its own.
    Charts::GraphInput input(const MixNumbers &numbers) const
    {
        const ValidationReport &v = s.validation();
        return {numbers, s.classCount(), v.tablesValid(), v.grainTableValid, v.baseRecipeValid, s.graphOptions()};
    }
    Charts::GraphInput input() const { return input(s.numbers()); }
    Charts::PlotArea plot() const { return Charts::plotArea(image.deviceIndependentSize()); }
    void draw() { Charts::drawGraph(image, input()); }
    void draw(const Charts::GraphInput &in) { Charts::drawGraph(image, in); }
    // Where class j stands across, on the axis the options choose.
    std::optional<float> sizeX(int j) const { return sizeX(input(), j); }
    std::optional<float> sizeX(const Charts::GraphInput &in, int j) const
    {
        const float d = s.numbers().sieveSize[j];
        return in.options.logarithmic ? Charts::logX(in, plot(), double(d)) : Charts::linearX(in, plot(), d);
    }
    float y(float passing) const { return Charts::passingToY(plot(), passing); }
    Charts::PointerReadout readout(double xTwips, double yTwips) const
    {
        return Charts::pointerReadout(input(), image.deviceIndependentSize(), QPointF(xTwips / 15, yTwips / 15));
    }
    Charts::DiagramInput diagram() const
    {
        QStringList names;
        for (int i = 1; i <= s.componentCount(); ++i)
            names << s.document().componentName(i).text();
        return {s.numbers().baseRecipe, s.componentCount(), names};
    }

    QColor at(double xTwips, double yTwips) const { return image.pixelColor(int(xTwips / 15), int(yTwips / 15)); }
    bool inkNear(double xTwips, double yTwips, const QColor &c, int radius = 2) const
    {
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy) {
                const int x = int(xTwips / 15) + dx, y = int(yTwips / 15) + dy;
                if (x >= 0 && y >= 0 && x < image.width() && y < image.height() && image.pixelColor(x, y) == c)
                    return true;
            }
        return false;
    }
    bool anyInk(const QRect &pixels) const
    {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            for (int y = pixels.top(); y <= pixels.bottom(); ++y)
                if (image.pixelColor(x, y) != Qt::white)
                    return true;
        return false;
    }
};

int largestChannelChange(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

bool dark(QRgb c)
{
    return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}

// Whether `image` shows `text` printed in black with its top-left corner within a pixel of `at`
// (pixels): printing it there once more changes no pixel much (only antialiased edges darken a
// little, while a missing stroke turns from the background to black), and no dark ink follows
// it on its line (no further characters). Returns what is wrong, or an empty text.
QString textMismatch(const QImage &image, QPointF at, const QString &text, const QFont &font)
{
    int best = 256;
    QRectF bestBox;
    for (double dy = -1; dy <= 1; dy += 0.5)
        for (double dx = -1; dx <= 1; dx += 0.5) {
            QImage again = image;
            QRectF drawn;
            {
                QPainter g(&again);
                g.setRenderHint(QPainter::Antialiasing);
                g.setFont(font);
                g.setPen(Qt::black);
                g.drawText(QRectF(at.x() + dx, at.y() + dy, 200, 40), Qt::AlignLeft | Qt::AlignTop, text, &drawn);
            }
            const QRect box = drawn.toAlignedRect().intersected(image.rect());
            int worst = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    worst = std::max(worst, largestChannelChange(image.pixel(x, y), again.pixel(x, y)));
            if (worst < best) {
                best = worst;
                bestBox = drawn;
            }
        }
    if (best >= 110)
        return QStringLiteral("\"%1\" is not printed at (%2, %3): printing it there again changes a pixel by %4")
            .arg(text)
            .arg(at.x())
            .arg(at.y())
            .arg(best);
    const QRect after = QRectF(bestBox.right() + 1, bestBox.top(), QFontMetricsF(font, &image).horizontalAdvance(QStringLiteral("00")),
                               bestBox.height())
                            .toAlignedRect()
                            .intersected(image.rect());
    for (int y = after.top(); y <= after.bottom(); ++y)
        for (int x = after.left(); x <= after.right(); ++x)
            if (dark(image.pixel(x, y)))
                return QStringLiteral("more ink follows \"%1\" at (%2, %3)").arg(text).arg(x).arg(y);
    return QString();
}

// Whether a red mark (the small circle at a label's point) lies within 3 pixels of `at`.
bool redMarkNear(const QImage &image, QPointF at)
{
    for (int y = int(at.y()) - 3; y <= int(at.y()) + 3; ++y)
        for (int x = int(at.x()) - 3; x <= int(at.x()) + 3; ++x)
            if (image.rect().contains(x, y)) {
                const QRgb c = image.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) < 110 && qBlue(c) < 110)
                    return true;
            }
    return false;
}

} // namespace

class TestCharts final : public QObject
{
    Q_OBJECT

private slots:
    void transforms()
    {
        Fixture f;
        const Charts::PlotArea p = f.plot();
        const Charts::GraphInput in = f.input();
        QCOMPARE(Charts::passingToY(p, 100.0f), 500.0f);
        QCOMPARE(Charts::passingToY(p, 0.0f), 6250.0f);
        QCOMPARE(*Charts::linearX(in, p, 5.0f), 8500.0f);
        QCOMPARE(*Charts::linearX(in, p, 0.1f), 500.0f);
        // The read-out turns the place of a size back into the size.
        QCOMPARE(f.readout(*Charts::linearX(in, p, 1.25f), 3000).text.value_or(QString()).section(u';', 0, 0), QStringLiteral("D= 1.25"));
        // The logarithmic range of the sizes.
        QCOMPARE(f.s.numbers().logAxisMax, 5.0f);
        QCOMPARE(f.s.numbers().logAxisMin, 0.1f);
        COMPARE_NEAR(*Charts::logX(in, p, 5.0), 8500, 0.01);
        COMPARE_NEAR(*Charts::logX(in, p, 0.1), 500, 0.01);
        f.s.setGraphOptions({true, true});
        QCOMPARE(f.readout(*Charts::logX(in, p, 1.25), 3000).text.value_or(QString()).section(u';', 0, 0), QStringLiteral("D= 1.25"));
        // Below 0.0001 a size is drawn at 0.0001.
        QCOMPARE(*Charts::logX(in, p, 0.00001), *Charts::logX(in, p, 0.0001));
    }

    void readoutDecimals_data()
    {
        QTest::addColumn<double>("d");
        QTest::addColumn<int>("decimals");
        QTest::newRow("0.0005") << 0.0005 << 5;
        QTest::newRow("0.005") << 0.005 << 4;
        QTest::newRow("0.05") << 0.05 << 3;
        QTest::newRow("0.5") << 0.5 << 2;
        QTest::newRow("12") << 12.0 << 2;
    }
    void readoutDecimals()
    {
        QFETCH(double, d);
        QFETCH(int, decimals);
        QCOMPARE(Charts::readoutDecimals(d), decimals);
    }

    void pointerReadout()
    {
        Fixture f;
        QVERIFY(f.s.validation().tablesValid());
        Charts::PointerReadout r = f.readout(500, 500); // the corner itself counts as inside
        QVERIFY(r.textShown);
        QVERIFY(r.verticalLine);
        QCOMPARE(r.text.value_or(QString()), QStringLiteral("D= 0.1; A= 100 %"));
        r = f.readout(8500, 6250);
        QVERIFY(r.textShown);
        QCOMPARE(r.text.value_or(QString()), QStringLiteral("D= 5; A= 0 %"));
        r = f.readout(400, 3000);
        QVERIFY(!r.textShown);
        QVERIFY(!r.verticalLine);
        QVERIFY(r.horizontalLine);
        // A grain table that is not valid: the read-out asks to check the tables.
        f.s.setCellText(InputTable::Compositions, 2, 1, QStringLiteral("x"));
        QVERIFY(!f.s.validation().grainTableValid);
        QCOMPARE(f.readout(1000, 1000).text.value_or(QString()), QStringLiteral("Проверьте правильность заполнения таблиц!"));
    }

    // The divergence above the graph, rounded half to even to 2 decimals: one component passing
    // 0 % at the finer size against a reference typed as 6,325 (6.32499981 as a single).
    void divergenceText()
    {
        Fixture f(ProjectBuilder()
                      .components({QStringLiteral("К1")}, {QStringLiteral("2,65")})
                      .sizes({QStringLiteral("5"), QStringLiteral("1")})
                      .composition(1, {QStringLiteral("100"), QStringLiteral("0")})
                      .baseRecipe({QStringLiteral("100")})
                      .manualReference({QStringLiteral("100"), QStringLiteral("6,325")}));
        QCOMPARE(f.s.numbers().curveDivergence, 6.325f);
        QCOMPARE(f.s.divergenceText(), QStringLiteral("Расхождение кривых:  6.32 %"));
        f.s.setCellText(InputTable::Densities, 1, 0, QStringLiteral("x"));
        QVERIFY(!f.s.validation().tablesValid());
        QCOMPARE(f.s.divergenceText(), QStringLiteral(" "));
    }

    void curvesDrawnOnlyWhenValid()
    {
        Fixture f;
        QVERIFY(f.s.validation().tablesValid());
        f.draw();
        // The reference passes through class 2 at its own colour.
        const double x = *f.sizeX(2), y = f.y(f.s.numbers().referenceCurve[2]);
        QVERIFY(f.inkNear(x, y, QColor(0, 0, 255)));
        QVERIFY(f.inkNear(*f.sizeX(3), f.y(f.s.numbers().correctedMixCurve[3]), QColor(255, 0, 0)));
        // A density that is not a number: the tables are not valid, the numbers stay.
        const MixNumbers before = f.s.numbers();
        f.s.setCellText(InputTable::Densities, 1, 0, QStringLiteral("x"));
        QVERIFY(!f.s.validation().tablesValid());
        QCOMPARE(f.s.numbers().referenceCurve[2], before.referenceCurve[2]);
        f.draw();
        QVERIFY(!f.inkNear(x, y, QColor(0, 0, 255)));
        // The frame and the axis labels are still there.
        QVERIFY(f.inkNear(500, 3000, QColor(128, 128, 128), 1));
    }

    void logarithmicAxis()
    {
        Fixture f;
        f.s.setGraphOptions({true, true});
        f.draw();
        // A decade line at 1 stands in grey (192, 192, 192).
        const double x1 = *Charts::logX(f.input(), f.plot(), 1.0);
        QVERIFY(f.inkNear(x1, 3500, QColor(192, 192, 192), 0));
        QVERIFY(f.inkNear(*f.sizeX(2), f.y(f.s.numbers().referenceCurve[2]), QColor(0, 0, 255)));
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            f.image.save(QStringLiteral("/tmp/graph-log.png"));
    }

    void noSpanDrawsNoCurveNorAbscissa()
    {
        Fixture f;
        MixNumbers m = f.s.numbers();
        m.maxSize = m.minSize = 1.0f;
        const Charts::GraphInput in = f.input(m);
        f.draw(in);
        // Nothing below the plot (no abscissa labels) and no curve inside it.
        QVERIFY(!f.anyInk(QRect(int(600 / 15), int(6450 / 15), int(7800 / 15), 12)));
        QVERIFY(!Charts::linearX(in, f.plot(), 1.0f));
        QVERIFY(!f.inkNear(4500, 3000, QColor(0, 0, 255), 100));
    }

    // Curve parts outside 0..100 % are hidden by the white masks above and below the plot.
    // The upper band is put at 105 % (212,5 twips, inside the picture's top margin) or the
    // lower band at -8 % (6710 twips, below the axis labels) between classes 1 and 2; the
    // grey of the band must not show there.
    void masksCutValuesOutside_data()
    {
        QTest::addColumn<bool>("upper");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("logarithmic");
        QTest::newRow("105 %, linear") << true << 105.0f << false;
        QTest::newRow("105 %, logarithmic") << true << 105.0f << true;
        QTest::newRow("-8 %, linear") << false << -8.0f << false;
        QTest::newRow("-8 %, logarithmic") << false << -8.0f << true;
    }
    void masksCutValuesOutside()
    {
        QFETCH(bool, upper);
        QFETCH(float, value);
        QFETCH(bool, logarithmic);
        Fixture f;
        f.s.setGraphOptions({logarithmic, true});
        MixNumbers m = f.s.numbers();
        ClassFloats &band = upper ? m.referenceBandUpper : m.referenceBandLower;
        band.set(1, value);
        band.set(2, value);
        f.draw(f.input(m));
        const double x = (*f.sizeX(1) + *f.sizeX(2)) / 2;
        const double y = f.y(value);
        QVERIFY(y > 0 && y < 6750); // inside the picture: a mask that is missing would show
        QVERIFY(!f.inkNear(x, y, QColor(128, 128, 128), 1));
        // The same band inside the plot is drawn where it is expected.
        band.set(1, 50.0f);
        band.set(2, 50.0f);
        f.draw(f.input(m));
        QVERIFY(f.inkNear(x, f.y(50.0f), QColor(128, 128, 128), 1));
    }

    void gridOffKeepsLabels()
    {
        Fixture f;
        f.s.setGraphOptions({false, false});
        f.draw();
        QVERIFY(!f.inkNear(4000, f.y(50.0f), QColor(224, 224, 224), 0));
        // The ordinate label " 50" to the left of the plot is drawn.
        QVERIFY(f.anyInk(QRect(100 / 15, int((f.y(50.0f) - 110) / 15), 400 / 15, 12)));
        f.s.setGraphOptions({false, true});
        f.draw();
        QVERIFY(f.inkNear(4000, f.y(50.0f), QColor(224, 224, 224), 0));
    }

    void diagramWedges()
    {
        Fixture f(ProjectBuilder().baseRecipe({QStringLiteral("30"), QStringLiteral("70")}).counts(2, 2));
        const auto w = Charts::diagramWedges(f.s.numbers().baseRecipe, 2);
        QCOMPARE(w.size(), 2);
        QCOMPARE(w[0].sweep, 1.88f);
        QCOMPARE(w[1].sweep, 4.4f);
        // The first wedge ends just past 6 o'clock (pi/2 clockwise from 3 o'clock).
        const double end = double(w[0].start + w[0].sweep) + 2 * M_PI;
        QVERIFY(end > M_PI / 2 && end < M_PI / 2 + 0.4);
        QImage image(640, 340, QImage::Format_RGB32);
        Charts::drawDiagram(image, f.diagram());
        const Charts::DiagramGeometry g = Charts::diagramLayout(640 * 15, 340 * 15);
        // Inside the first wedge (about 5 o'clock) its palette colour.
        const double a = double(w[0].start) + double(w[0].sweep) / 2;
        const QPoint in(int((g.cx + 1200 * std::cos(a)) / 15), int((g.cy + 1200 * std::sin(a)) / 15));
        QCOMPARE(image.pixelColor(in), Charts::diagramPalette(0));
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            image.save(QStringLiteral("/tmp/diagram.png"));
    }

    // The fraction of each wedge rounded to 2 decimals, written with two decimals and a decimal
    // comma, with its top-left corner at the middle of the wedge's arc, marked by a small red
    // circle. Picture 800 x 500 pixels: centre (4800, 3750) twips, radius 2400; the points by
    // hand, e.g. 30/70: wedge 0 sweeps 1,88 rad from 3 o'clock, its middle at 0,94 rad:
    // (4800 + 2400 cos 0,94, 3750 + 2400 sin 0,94) / 15 = (414,37; 379,21) pixels.
    void diagramLabels_data()
    {
        QTest::addColumn<QStringList>("recipe");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<QPointF>>("points");
        QTest::newRow("30/70") << QStringList{QStringLiteral("30"), QStringLiteral("70")}
                               << QStringList{QStringLiteral("30,00"), QStringLiteral("70,00")}
                               << QList<QPointF>{{414.37, 379.21}, {225.43, 120.94}};
        QTest::newRow("12,5/37,5/50") << QStringList{QStringLiteral("12,5"), QStringLiteral("37,5"), QStringLiteral("50")}
                                      << QStringList{QStringLiteral("12,50"), QStringLiteral("37,50"), QStringLiteral("50,00")}
                                      << QList<QPointF>{{467.68, 311.57}, {257.81, 397.42}, {321.22, 90.0}};
        QTest::newRow("one component") << QStringList{QStringLiteral("100")} << QStringList{QStringLiteral("100,00")}
                                       << QList<QPointF>{{160.0, 250.25}}; // 9 o'clock
    }
    void diagramLabels()
    {
        QFETCH(QStringList, recipe);
        QFETCH(QStringList, texts);
        QFETCH(QList<QPointF>, points);
        QStringList names, densities;
        for (int i = 1; i <= recipe.size(); ++i) {
            names << QStringLiteral("Компонент %1").arg(i);
            densities << QStringLiteral("2,65");
        }
        Fixture f(ProjectBuilder().components(names, densities).baseRecipe(recipe).counts(int(recipe.size()), 2));
        QImage image(800, 500, QImage::Format_RGB32);
        Charts::drawDiagram(image, f.diagram());
        const QFont font = Charts::diagramFont();
        for (int k = 0; k < texts.size(); ++k) {
            QVERIFY2(redMarkNear(image, points[k]), qPrintable(QStringLiteral("no red mark at wedge %1").arg(k)));
            const QString wrong = textMismatch(image, points[k], texts[k], font);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            // Legend: a square in the wedge's colour and the component's name to its right,
            // 400 twips lower for each wedge.
            const QPointF square((4800 + 2400 + 1200) / 15.0, (1000 + 400 * k + 100) / 15.0);
            QCOMPARE(image.pixelColor(square.toPoint()), Charts::diagramPalette(k));
            const QString name = textMismatch(image, QPointF((4800 + 2400 + 1600) / 15.0, (980 + 400 * k) / 15.0), names[k], font);
            QVERIFY2(name.isEmpty(), qPrintable(name));
        }
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            image.save(QStringLiteral("/tmp/diagram-labels.png"));
    }

    void diagramLegendOfTen()
    {
        QStringList tenths;
        for (int i = 0; i < 10; ++i)
            tenths << QStringLiteral("10");
        Fixture f(ProjectBuilder().baseRecipe(tenths).counts(10, 2));
        QImage image(640, 340, QImage::Format_RGB32);
        Charts::drawDiagram(image, f.diagram());
        const Charts::DiagramGeometry g = Charts::diagramLayout(640 * 15, 340 * 15);
        for (int k = 0; k < 10; ++k) {
            const QPoint square(int((g.cx + g.R + 1200) / 15), int((1000 + 400 * k + 100) / 15));
            QCOMPARE(image.pixelColor(square), Charts::diagramPalette(k));
        }
    }

    // The chosen format's extension is added unless the name already ends with .png or .bmp;
    // a dot elsewhere in the name or in the folder does not count as an extension.
    void pictureFileName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("bmp");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain png") << QStringLiteral("/tmp/graph") << false << QStringLiteral("/tmp/graph.png");
        QTest::newRow("plain bmp") << QStringLiteral("/tmp/graph") << true << QStringLiteral("/tmp/graph.bmp");
        QTest::newRow("dot in the name") << QStringLiteral("/tmp/Смесь М1.5") << false << QStringLiteral("/tmp/Смесь М1.5.png");
        QTest::newRow("dot in the folder") << QStringLiteral("out.v2/graph") << true << QStringLiteral("out.v2/graph.bmp");
        QTest::newRow("has png") << QStringLiteral("/tmp/a.png") << true << QStringLiteral("/tmp/a.png");
        QTest::newRow("has BMP") << QStringLiteral("/tmp/a.BMP") << false << QStringLiteral("/tmp/a.BMP");
        QTest::newRow("other extension") << QStringLiteral("/tmp/a.jpg") << false << QStringLiteral("/tmp/a.jpg.png");
    }
    void pictureFileName()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, bmp);
        QFETCH(QString, expected);
        const QStringList filters = PictureFile::DialogFilter().split(QStringLiteral(";;"));
        QCOMPARE(PictureFile::FileName(chosen, filters.value(bmp ? 1 : 0)), expected);
    }

    void pictureIsSavedInItsFormat()
    {
        QTemporaryDir dir;
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QStringList filters = PictureFile::DialogFilter().split(QStringLiteral(";;"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("out.v2")));
        for (const QString &filter : filters) {
            const QString path = PictureFile::FileName(dir.filePath(QStringLiteral("out.v2/Смесь М1.5")), filter);
            QString error;
            QVERIFY2(PictureFile::Save(image, path, &error), qPrintable(error));
            QImage back;
            QVERIFY(back.load(path, filter.contains(QStringLiteral("BMP")) ? "BMP" : "PNG"));
            QCOMPARE(back.size(), image.size());
            QCOMPARE(back.pixelColor(5, 5), QColor(Qt::blue));
        }
    }

    void failedPictureSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("graph.png"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old picture");
        }
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        SafeSave::InjectFailure(SafeSave::Step::Write, ENOSPC, 10);
        QString error;
        const bool saved = PictureFile::Save(image, path, &error);
        SafeSave::InjectFailure(SafeSave::Step::None, 0);
        QVERIFY(!saved);
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old picture"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("graph.png")});
        QVERIFY2(error.contains(QStringLiteral("graph.png")) && error.contains(QStringLiteral("недостаточно места")), qPrintable(error));
    }

    // The cost-divergence front: each point drawn is found again under the pointer, a place
    // between points far apart finds none; the point adopted is drawn in its own colour, the
    // others in the line's.
    void frontPoints()
    {
        Charts::FrontInput in;
        for (int k = 0; k < 20; ++k)
            in.points << QPointF(2 + 0.5 * k, 1400 - 5 * k);
        const QSizeF size(360, 150);
        for (int k = 0; k < 20; ++k) {
            const auto at = Charts::frontPointPosition(size, in, k);
            QVERIFY(at);
            QVERIFY(QRectF(QPointF(0, 0), size).contains(*at));
            QCOMPARE(Charts::frontPointAt(size, in, *at + QPointF(1, -1)), std::optional<int>(k));
        }
        QVERIFY(!Charts::frontPointAt(size, in, QPointF(size.width() / 2, 4)));
        QVERIFY(!Charts::frontPointPosition(size, in, 20));
        QVERIFY(!Charts::frontPointAt(size, Charts::FrontInput(), QPointF(100, 75)));

        in.highlighted = 7;
        QImage image(size.toSize(), QImage::Format_ARGB32);
        Charts::drawFront(image, in);
        const QPoint adopted = Charts::frontPointPosition(size, in, 7)->toPoint();
        const QPoint other = Charts::frontPointPosition(size, in, 3)->toPoint();
        QVERIFY(image.pixelColor(adopted).red() > 200 && image.pixelColor(adopted).blue() < 80);
        QVERIFY(image.pixelColor(other).blue() > image.pixelColor(other).red());
    }

};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
