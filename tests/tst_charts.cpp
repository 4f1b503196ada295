#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "charts/PictureFile.h"
#include "files/SafeSave.h"
#include "core/Handlers.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cmath>

namespace {

// A valid three-component project drawn on a 600 x 450 pixel graph (9000 x 6750 twips).
struct Fixture
{
    MixProject p;
    QImage image{600, 450, QImage::Format_RGB32};
    Fixture()
    {
        ConnectInputHandlers(p);
        p.startUp();
        p.N.setText(QStringLiteral("3"));
        p.K.setText(QStringLiteral("4"));
        const QStringList sizes{QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,315"), QStringLiteral("0,1")};
        const QStringList a[3] = {{QStringLiteral("100"), QStringLiteral("60"), QStringLiteral("20"), QStringLiteral("5")},
                                  {QStringLiteral("100"), QStringLiteral("90"), QStringLiteral("50"), QStringLiteral("10")},
                                  {QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("95"), QStringLiteral("80")}};
        for (int j = 1; j <= 4; ++j) {
            p.setCellText(p.tabl[3], j, 0, sizes[j - 1]);
            for (int i = 1; i <= 3; ++i)
                p.setCellText(p.tabl[3], j, i, a[i - 1][j - 1]);
        }
        for (int i = 0; i < 3; ++i) {
            p.setCellText(p.tabl[1], 1, i, QStringLiteral("К%1").arg(i + 1));
            p.setCellText(p.tabl[2], 1, i, QStringLiteral("2,65"));
        }
        p.setCellText(p.tabl[4], 1, 0, QStringLiteral("30"));
        p.setCellText(p.tabl[4], 1, 1, QStringLiteral("50"));
        p.setCellText(p.tabl[4], 1, 2, QStringLiteral("20"));
        p.PlotLeft = 500;
        p.PlotTop = 500;
        p.PlotRight = 9000 - 500;
        p.PlotBottom = 6750 - 500;
        Recalculate(p);
        p.TablesValid = p.GrainTableValid = p.BaseRecipeValid = true;
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

} // namespace

class TestCharts final : public QObject
{
    Q_OBJECT

private slots:
    void transforms()
    {
        Fixture f;
        MixProject &p = f.p;
        QCOMPARE(PassingToY(p, 100.0f), 500.0f);
        QCOMPARE(PassingToY(p, 0.0f), 6250.0f);
        QCOMPARE(*LinearX(p, 5.0f), 8500.0f);
        QCOMPARE(*LinearX(p, 0.1f), 500.0f);
        QVERIFY(std::fabs(*LinearD(p, *LinearX(p, 1.25f)) - 1.25f) < 1e-5f);
        DrawGranulometricGraph(p, f.image); // sets the logarithmic range
        QCOMPARE(p.LogAxisMax, 5.0f);
        QCOMPARE(p.LogAxisMin, 0.1f);
        QVERIFY(std::fabs(*LogX(p, 5.0) - 8500.0f) < 0.01f);
        QVERIFY(std::fabs(*LogX(p, 0.1) - 500.0f) < 0.01f);
        QVERIFY(std::fabs(*LogD(p, *LogX(p, 1.25)) - 1.25) < 1e-4);
        // Below 0.0001 a size is drawn at 0.0001.
        QCOMPARE(*LogX(p, 0.00001), *LogX(p, 0.0001));
        QVERIFY(!SizeToX(p, 2, 1));
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
        QCOMPARE(ReadoutDecimals(d), decimals);
    }

    void pointerReadout()
    {
        Fixture f;
        MixProject &p = f.p;
        GraphMouseMove(p, 500, 500); // the corner itself counts as inside
        QVERIFY(p.Koords.isVisible());
        QVERIFY(p.GrVL.isVisible());
        QCOMPARE(p.Koords.text(), QStringLiteral("D= 0.1; A= 100 %"));
        GraphMouseMove(p, 8500, 6250);
        QCOMPARE(p.Koords.text(), QStringLiteral("D= 5; A= 0 %"));
        GraphMouseMove(p, 400, 3000);
        QVERIFY(!p.Koords.isVisible());
        QVERIFY(!p.GrVL.isVisible());
        QVERIFY(p.GrGL.isVisible());
        p.GrainTableValid = false;
        GraphMouseMove(p, 1000, 1000);
        QCOMPARE(p.Koords.text(), QStringLiteral("Проверьте правильность заполнения таблиц!"));
    }

    void divergenceText()
    {
        Fixture f;
        f.p.CurveDivergence = 6.325f;
        DrawGranulometricGraph(f.p, f.image);
        QCOMPARE(f.p.Pogreshnost.text(), QStringLiteral("Расхождение кривых:  6.32 %"));
        f.p.TablesValid = false;
        DrawGranulometricGraph(f.p, f.image);
        QCOMPARE(f.p.Pogreshnost.text(), QStringLiteral(" "));
    }

    void curvesDrawnOnlyWhenValid()
    {
        Fixture f;
        MixProject &p = f.p;
        DrawGranulometricGraph(p, f.image);
        // The reference passes through class 2 at its own colour.
        const double x = *SizeToX(p, 1, 2), y = *PassingToY(p, p.ReferenceCurve, 2);
        QVERIFY(f.inkNear(x, y, QColor(0, 0, 255)));
        QVERIFY(f.inkNear(*SizeToX(p, 1, 3), *PassingToY(p, p.CorrectedMixCurve, 3), QColor(255, 0, 0)));
        p.TablesValid = false;
        DrawGranulometricGraph(p, f.image);
        QVERIFY(!f.inkNear(x, y, QColor(0, 0, 255)));
        // The frame and the axis labels are still there.
        QVERIFY(f.inkNear(500, 3000, QColor(128, 128, 128), 1));
    }

    void logarithmicAxis()
    {
        Fixture f;
        f.p.Log_check.setChecked(true);
        DrawGranulometricGraph(f.p, f.image);
        // A decade line at 1 stands in grey (192, 192, 192).
        const double x1 = *LogX(f.p, 1.0);
        QVERIFY(f.inkNear(x1, 3500, QColor(192, 192, 192), 0));
        QVERIFY(f.inkNear(*SizeToX(f.p, 0, 2), *PassingToY(f.p, f.p.ReferenceCurve, 2), QColor(0, 0, 255)));
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            f.image.save(QStringLiteral("/tmp/graph-log.png"));
    }

    void noSpanDrawsNoCurveNorAbscissa()
    {
        Fixture f;
        MixProject &p = f.p;
        p.MaxSize = p.MinSize = 1.0f;
        DrawGranulometricGraph(p, f.image);
        // Nothing below the plot (no abscissa labels) and no curve inside it.
        QVERIFY(!f.anyInk(QRect(int(600 / 15), int(6450 / 15), int(7800 / 15), 12)));
        QVERIFY(!LinearX(p, 1.0f));
        QVERIFY(!f.inkNear(4500, 3000, QColor(0, 0, 255), 100));
    }

    void masksCutValuesAbove100()
    {
        Fixture f;
        MixProject &p = f.p;
        p.ReferenceBandUpper.set(1, 140.0f);
        p.ReferenceBandUpper.set(2, 140.0f);
        DrawGranulometricGraph(p, f.image);
        const double x = (*SizeToX(p, 1, 1) + *SizeToX(p, 1, 2)) / 2;
        QVERIFY(!f.inkNear(x, PassingToY(p, 140.0f), QColor(128, 128, 128), 1));
    }

    void gridOffKeepsLabels()
    {
        Fixture f;
        f.p.Setka_check.setChecked(false);
        DrawGranulometricGraph(f.p, f.image);
        QVERIFY(!f.inkNear(4000, PassingToY(f.p, 50.0f), QColor(224, 224, 224), 0));
        // The ordinate label " 50" to the left of the plot is drawn.
        QVERIFY(f.anyInk(QRect(100 / 15, int((PassingToY(f.p, 50.0f) - 110) / 15), 400 / 15, 12)));
        f.p.Setka_check.setChecked(true);
        DrawGranulometricGraph(f.p, f.image);
        QVERIFY(f.inkNear(4000, PassingToY(f.p, 50.0f), QColor(224, 224, 224), 0));
    }

    void diagramWedges()
    {
        Fixture f;
        MixProject &p = f.p;
        p.N.setText(QStringLiteral("2"));
        p.setCellText(p.tabl[4], 1, 0, QStringLiteral("30"));
        p.setCellText(p.tabl[4], 1, 1, QStringLiteral("70"));
        Recalculate(p);
        const auto w = DiagramWedges(p, 2);
        QCOMPARE(w.size(), 2);
        QCOMPARE(w[0].sweep, 1.88f);
        QCOMPARE(w[1].sweep, 4.4f);
        // The first wedge ends just past 6 o'clock (pi/2 clockwise from 3 o'clock).
        const double end = double(w[0].start + w[0].sweep) + 2 * M_PI;
        QVERIFY(end > M_PI / 2 && end < M_PI / 2 + 0.4);
        QImage image(640, 340, QImage::Format_RGB32);
        DrawMassFractionDiagram(p, 2, image);
        const DiagramGeometry g = DiagramLayout(640 * 15, 340 * 15);
        // Inside the first wedge (about 5 o'clock) its palette colour.
        const double a = double(w[0].start) + double(w[0].sweep) / 2;
        const QPoint in(int((g.cx + 1200 * std::cos(a)) / 15), int((g.cy + 1200 * std::sin(a)) / 15));
        QCOMPARE(image.pixelColor(in), DiagramPalette(0));
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            image.save(QStringLiteral("/tmp/diagram.png"));
    }

    void diagramLegendOfTen()
    {
        MixProject p;
        p.startUp();
        p.N.setText(QStringLiteral("10"));
        Recalculate(p);
        for (int i = 0; i < 10; ++i)
            p.setCellText(p.tabl[4], 1, i, QStringLiteral("10"));
        Recalculate(p);
        QImage image(640, 340, QImage::Format_RGB32);
        DrawMassFractionDiagram(p, 10, image);
        const DiagramGeometry g = DiagramLayout(640 * 15, 340 * 15);
        for (int k = 0; k < 10; ++k) {
            const QPoint square(int((g.cx + g.R + 1200) / 15), int((1000 + 400 * k + 100) / 15));
            QCOMPARE(image.pixelColor(square), DiagramPalette(k));
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
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
