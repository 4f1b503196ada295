// The report as a file: it never takes the place of an earlier report, its headings stay on
// the page of their tables and charts, and the charts are drawn at print resolution.

#include "charts/Diagram.h"
#include "report/DocxWriter.h"
#include "report/Report.h"
#include "session/ProjectSession.h"
#include "widgets/MainWindow.h"

#include "FakeDesktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <zip.h>

namespace {

const QString Concrete = QStringLiteral(PALVEX_SOURCE_DIR "/examples/concrete.txt");

// The concrete example as the window holds it after opening it.
struct Project
{
    ProjectSession p;
    explicit Project(const QString &file = Concrete)
    {
        QString error;
        if (!p.openProject(file, &error))
            qFatal("%s", qPrintable(error));
    }
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The body of document.xml as a list of blocks: for a paragraph its text and whether it keeps
// with the next block; for a table whether it holds a picture and keeps with the next block.
struct BodyBlock
{
    bool table = false;
    QString text;
    bool keepNext = false;
    bool picture = false;
    bool cantSplit = false;
};

QList<BodyBlock> body(const QByteArray &document)
{
    QList<BodyBlock> blocks;
    QXmlStreamReader x(document);
    int tableDepth = 0;
    bool inBody = false;
    while (!x.atEnd()) {
        x.readNext();
        const QStringView name = x.name();
        if (x.isStartElement()) {
            if (name == u"body")
                inBody = true;
            else if (inBody && name == u"tbl" && tableDepth++ == 0) {
                BodyBlock table;
                table.table = true;
                blocks << table;
            } else if (inBody && name == u"p" && tableDepth == 0) {
                blocks << BodyBlock();
            }
            if (!blocks.isEmpty() && name == u"keepNext")
                blocks.last().keepNext = true;
            else if (!blocks.isEmpty() && name == u"drawing")
                blocks.last().picture = true;
            else if (!blocks.isEmpty() && name == u"cantSplit")
                blocks.last().cantSplit = true;
            else if (!blocks.isEmpty() && name == u"t" && tableDepth == 0)
                blocks.last().text += x.readElementText();
        } else if (x.isEndElement() && name == u"tbl") {
            --tableDepth;
        }
    }
    return blocks;
}

// The mean difference of two images of the same size, per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

class TestReportOutput final : public QObject
{
    Q_OBJECT

private slots:
    // The first name no file holds: the user's earlier reports stay as they are.
    void nextFreeName_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("written");
        const QString plain = QStringLiteral("Отчет — Бетонная смесь В25, щебень 5-20.docx");
        const QString second = QStringLiteral("Отчет — Бетонная смесь В25, щебень 5-20 (2).docx");
        const QString third = QStringLiteral("Отчет — Бетонная смесь В25, щебень 5-20 (3).docx");
        QTest::newRow("none yet") << QStringList() << plain;
        QTest::newRow("one") << QStringList{plain} << second;
        QTest::newRow("two") << QStringList{plain, second} << third;
        QTest::newRow("a gap first") << QStringList{second} << plain;
        QTest::newRow("a gap later") << QStringList{plain, third} << second;
    }
    void nextFreeName()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, written);
        QTemporaryDir dir;
        for (const QString &name : existing)
            QVERIFY(writeFile(dir.filePath(name), "kept by the user " + name.toUtf8()));
        Project f;
        QString error;
        const QString path = Report::writeNew(f.p, dir.path(), Report::Pictures(), &error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
        QCOMPARE(QFileInfo(path).fileName(), written);
        QVERIFY(readFile(path).startsWith("PK"));
        for (const QString &name : existing)
            QCOMPARE(readFile(dir.filePath(name)), "kept by the user " + name.toUtf8());
    }

    // A folder that cannot take the report: a Russian message naming the path, and no file.
    void folderMissing()
    {
        QTemporaryDir dir;
        Project f;
        QString error;
        const QString folder = dir.filePath(QStringLiteral("нет такой папки"));
        QVERIFY(Report::writeNew(f.p, folder, Report::Pictures(), &error).isEmpty());
        QVERIFY2(error.contains(QStringLiteral("не существует")) && error.contains(QStringLiteral("Отчет — ")), qPrintable(error));
    }

    // The window's button twice: two reports in the report folder, the first one (edited by
    // the user meanwhile) untouched.
    void windowNeverOverwrites()
    {
        QTemporaryDir dir;
        auto *desktop = new FakeDesktop;
        MainWindow w{std::unique_ptr<Desktop>(desktop)};
        w.reportFolder = dir.path();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openProject(Concrete));
        const QString first = w.buildReport(false);
        QVERIFY(!first.isEmpty());
        QCOMPARE(QFileInfo(first).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
        QVERIFY(writeFile(first, "edited in the word processor"));
        const QString second = w.buildReport(false);
        QVERIFY(!second.isEmpty());
        QVERIFY(second != first);
        QVERIFY(second.endsWith(QStringLiteral(" (2).docx")));
        QCOMPARE(readFile(first), QByteArray("edited in the word processor"));
        QVERIFY(readFile(second).startsWith("PK"));
        QCOMPARE(desktop->messages, QStringList());
    }

    // Every table and chart keeps its heading on its page; the graph keeps its caption too.
    void headingsStayWithTheirTablesAndCharts()
    {
        Project f;
        const Doc::Document d = Report::build(f.p, Report::renderGraph(f.p, QSize(300, 200)), Report::renderDiagram(f.p, QSize(320, 170)));
        const QList<BodyBlock> blocks = body(Docx::Build(d).document);
        int tablesSeen = 0, pictures = 0;
        for (int b = 1; b < blocks.size(); ++b) {
            if (!blocks[b].table)
                continue;
            ++tablesSeen;
            const BodyBlock &heading = blocks[b - 1];
            QVERIFY2(!heading.table && heading.keepNext, qPrintable(heading.text));
            QVERIFY(!heading.text.trimmed().isEmpty());
            if (blocks[b].picture) {
                ++pictures;
                const bool graph = heading.text.startsWith(QStringLiteral("Гранулометрический график"));
                QCOMPARE(blocks[b].keepNext, graph);
                QCOMPARE(blocks[b].cantSplit, graph);
                // Down to the caption, every block keeps with the next.
                int c = b + 1;
                for (; graph && c < blocks.size() && blocks[c].text.isEmpty(); ++c)
                    QVERIFY(blocks[c].keepNext);
                if (graph)
                    QVERIFY(blocks[c].text.startsWith(QStringLiteral("Aj - полный проход")));
            }
        }
        QCOMPARE(tablesSeen, 9);
        QCOMPARE(pictures, 2);
    }

    // The charts are drawn for the page: 15 cm wide at 300 dots per inch, and they look as
    // the same chart drawn at screen resolution does.
    void chartsAtPrintResolution()
    {
        QTemporaryDir dir;
        Project f;
        QString error;
        const QString path = Report::writeNew(f.p, dir.path(), Report::Pictures(), &error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
        int code = 0;
        zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
        QVERIFY(z);
        auto part = [z](const char *name) {
            QByteArray bytes;
            zip_stat_t st;
            if (zip_stat(z, name, 0, &st) != 0)
                return bytes;
            zip_file_t *file = zip_fopen(z, name, 0);
            bytes.resize(qsizetype(st.size));
            if (!file || zip_fread(file, bytes.data(), st.size) != zip_int64_t(st.size))
                bytes.clear();
            if (file)
                zip_fclose(file);
            return bytes;
        };
        const QByteArray document = part("word/document.xml");
        const QImage images[2] = {QImage::fromData(part("word/media/image1.png")), QImage::fromData(part("word/media/image2.png"))};
        zip_discard(z);
        // 15 cm = 5 400 000 EMU; 15 cm at 300 dpi = 1772 pixels.
        QCOMPARE(document.count("cx=\"5400000\""), 4); // the extent and the transform of each
        for (const QImage &image : images) {
            QCOMPARE(image.width(), 1772);
            QCOMPARE(image.dotsPerMeterX(), 11811);
        }

        const QSize size = Report::Pictures().graph;
        const QImage screen = Report::renderGraph(f.p, size);
        const QImage print = Report::renderGraph(f.p, size, Report::pixelRatioFor(size.width()));
        QCOMPARE(print.width(), 1772);
        const QImage reduced = print.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(meanDifference(screen, reduced) < 3.0, qPrintable(QString::number(meanDifference(screen, reduced))));
        const QImage diagramScreen = Report::renderDiagram(f.p, QSize(640, 340));
        const QImage diagramPrint = Report::renderDiagram(f.p, QSize(640, 340), Report::pixelRatioFor(640));
        const QImage diagramReduced = diagramPrint.scaled(QSize(640, 340), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(meanDifference(diagramScreen, diagramReduced) < 3.0,
                 qPrintable(QString::number(meanDifference(diagramScreen, diagramReduced))));
    }

    // A wedge's fraction is printed whole even where its arc meets the edge of the picture (two
    // halves put the label of the first at 6 o'clock, on the lower edge): no dark pixel touches
    // the picture's border, on screen and in the report.
    void pieLabelsInsideThePicture_data()
    {
        QTest::addColumn<QStringList>("recipe");
        QTest::addColumn<double>("ratio");
        QTest::newRow("50/50 on screen") << QStringList{QStringLiteral("50"), QStringLiteral("50")} << 1.0;
        QTest::newRow("50/50 in the report") << QStringList{QStringLiteral("50"), QStringLiteral("50")} << Report::pixelRatioFor(640);
        QTest::newRow("ten tenths") << QStringList(10, QStringLiteral("10")) << 1.0;
    }
    void pieLabelsInsideThePicture()
    {
        QFETCH(QStringList, recipe);
        QFETCH(double, ratio);
        const int n = int(recipe.size());
        ProjectSession p;
        p.setComponentCount(n);
        QStringList names;
        for (int i = 0; i < n; ++i) {
            names << QStringLiteral("К%1").arg(i + 1);
            p.setCellText(InputTable::Names, 1, i, names.last());
            p.setCellText(InputTable::BaseRecipe, 1, i, recipe[i]);
        }
        QVERIFY(p.validation().baseRecipeValid);
        const Charts::DiagramInput in{p.numbers().baseRecipe, n, names};
        const QList<Charts::DiagramText> labels = Charts::diagramLabels(in, QSizeF(640, 340));
        QCOMPARE(labels.size(), n);
        for (const Charts::DiagramText &label : labels)
            QVERIFY(QRectF(0, 0, 640, 340).contains(label.box));
        QImage image(qRound(640 * ratio), qRound(340 * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        Charts::drawDiagram(image, in);
        auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(!dark(x, 0) && !dark(x, image.height() - 1), qPrintable(QStringLiteral("x = %1").arg(x)));
        for (int y = 0; y < image.height(); ++y)
            QVERIFY2(!dark(0, y) && !dark(image.width() - 1, y), qPrintable(QStringLiteral("y = %1").arg(y)));
        // The decimal comma of Russian, whole.
        QCOMPARE(labels.first().text, n == 2 ? QStringLiteral("50,00") : QStringLiteral("10,00"));
    }
};

QTEST_MAIN(TestReportOutput)
#include "tst_report_output.moc"
