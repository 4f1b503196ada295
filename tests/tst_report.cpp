// The report: its sections, headings, tables and formatting built from the session, the .docx
// package, and writing it without ever damaging the file it replaces.
#include "files/SafeSave.h"
#include "report/DocxWriter.h"
#include "report/Report.h"
#include "session/ProjectSession.h"

#include "support/ProjectBuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTest>
#include <QXmlStreamReader>

#include <zip.h>

#include <cerrno>

namespace {

// The paragraphs' texts and the tables' shapes, in document order: "P:text" or "T:rows x cols".
QStringList outline(const Doc::Document &d)
{
    QStringList out;
    for (const Doc::Block &b : d.blocks()) {
        if (const auto *p = std::get_if<Doc::Paragraph>(&b))
            out << QStringLiteral("P:") + p->text();
        else {
            const auto &t = std::get<Doc::Table>(b);
            out << QStringLiteral("T:%1x%2").arg(t.rows).arg(t.cols);
        }
    }
    return out;
}

QList<const Doc::Table *> tables(const Doc::Document &d)
{
    QList<const Doc::Table *> out;
    for (const Doc::Block &b : d.blocks())
        if (const auto *t = std::get_if<Doc::Table>(&b))
            out << t;
    return out;
}

// N components named К1.., density 2,65, 10 % each, sizes 9, 8, .. passing 90, 80, .. %.
struct Fixture
{
    ProjectSession p;
    QImage picture{40, 30, QImage::Format_RGB32};
    Fixture(int n = 3, int k = 2)
    {
        p.setProjectName(QStringLiteral("Смесь №5"));
        p.setComponentCount(n);
        p.setClassCountText(QString::number(k));
        for (int i = 0; i < n; ++i) {
            p.setCellText(InputTable::Names, 1, i, QStringLiteral("К%1").arg(i + 1));
            p.setCellText(InputTable::Densities, 1, i, QStringLiteral("2,65"));
            p.setCellText(InputTable::BaseRecipe, 1, i, QStringLiteral("10"));
        }
        for (int j = 1; j <= k; ++j) {
            p.setCellText(InputTable::Compositions, j, 0, QString::number(10 - j));
            for (int i = 1; i <= n; ++i)
                p.setCellText(InputTable::Compositions, j, i, QString::number(100 - 10 * j));
        }
        picture.fill(Qt::red);
    }
    // The report's sections 1..11, as step 6 numbers them.
    void only(std::initializer_list<int> sections)
    {
        for (int section = 1; section <= 11; ++section)
            p.setReportSection(section, false);
        for (int section : sections)
            p.setReportSection(section, true);
    }
    Doc::Document build() const { return Report::build(p, picture, picture); }
};

// Two components of equal density over sizes 9 and 8: К1 passing 42,125 and 7 %, К2 100 and
// 90 %, half and half; its corrected grain composition is 71,0625 and 48,5 %.
TestSupport::ProjectBuilder twoCurves()
{
    return TestSupport::ProjectBuilder()
        .components({QStringLiteral("К1"), QStringLiteral("К2")}, {QStringLiteral("2,65"), QStringLiteral("2,65")})
        .sizes({QStringLiteral("9"), QStringLiteral("8")})
        .composition(1, {QStringLiteral("42,125"), QStringLiteral("7")})
        .composition(2, {QStringLiteral("100"), QStringLiteral("90")})
        .baseRecipe({QStringLiteral("50"), QStringLiteral("50")});
}

const QString Title = QStringLiteral("Результаты расчета зернового состава сырьевой смеси");

} // namespace

class TestReport final : public QObject
{
    Q_OBJECT

private slots:
    void allBoxesUnchecked()
    {
        Fixture f;
        f.only({});
        const QStringList o = outline(f.build());
        // The title, its two paragraph marks, one spacer, and the note.
        QCOMPARE(o.first(), QStringLiteral("P:") + Title);
        QCOMPARE(o[1], QStringLiteral("P:"));
        QCOMPARE(o[2], QStringLiteral("P:"));
        QCOMPARE(o[3], QStringLiteral("P: "));
        QVERIFY(o[4].startsWith(QStringLiteral("P:Примечание: основной задачей")));
        QVERIFY(tables(f.build()).isEmpty());
    }

    void onlyTheCount()
    {
        Fixture f;
        f.only({2});
        const QStringList o = outline(f.build());
        QCOMPARE(o.mid(0, 5), (QStringList{QStringLiteral("P:") + Title, QStringLiteral("P:"), QStringLiteral("P:"),
                                           QStringLiteral("P:"), QStringLiteral("P:Количество сырьевых компонентов смеси: 3")}));
    }

    void tableShapes()
    {
        Fixture f(3, 2);
        f.only({3, 4, 5, 6, 8, 9, 10});
        const Doc::Document d = f.build();
        QStringList shapes;
        for (const QString &s : outline(d))
            if (s.startsWith(u'T'))
                shapes << s;
        QCOMPARE(shapes, (QStringList{QStringLiteral("T:2x3"), QStringLiteral("T:2x3"), QStringLiteral("T:3x4"),
                                      QStringLiteral("T:2x3"), QStringLiteral("T:2x3"), QStringLiteral("T:2x3"),
                                      QStringLiteral("T:2x3")}));
        const auto t = tables(d);
        QCOMPARE(t[0]->cell(2, 3).text, QStringLiteral("К3"));
        QCOMPARE(t[0]->cell(2, 3).size, 10.0);
        QCOMPARE(t[0]->cell(2, 3).align, Doc::Align::Center);
        QVERIFY(t[0]->grid);
        QCOMPARE(t[2]->cell(1, 1).text, QStringLiteral("Dj"));
        QCOMPARE(t[2]->cell(3, 1).text, QStringLiteral("8"));
        QCOMPARE(t[6]->cell(2, 1).text, QStringLiteral("Aj,%"));
        QCOMPARE(t[6]->cell(2, 2).text, QStringLiteral("90"));
        // The corrected recipe shows the read-outs of step 5.
        QCOMPARE(t[5]->cell(2, 1).text, f.p.correctedText(1));
    }

    void dataFormHeading_data()
    {
        QTest::addColumn<GrainDataForm>("form");
        QTest::addColumn<QString>("heading");
        QTest::newRow("integral") << GrainDataForm::Integral
                                  << QStringLiteral("Зерновые составы сырьевых компонентов смеси (интегральное распределение, %)");
        QTest::newRow("differential") << GrainDataForm::Differential
                                      << QStringLiteral("Зерновые составы сырьевых компонентов смеси (дифференциальное распределение, %)");
    }
    void dataFormHeading()
    {
        QFETCH(GrainDataForm, form);
        QFETCH(QString, heading);
        Fixture f;
        f.only({5});
        f.p.setDataForm(form);
        const QStringList o = outline(f.build());
        const int table = int(o.indexOf(QStringLiteral("T:3x4")));
        QVERIFY(table > 0);
        QCOMPARE(o[table - 1], QStringLiteral("P:") + heading);
    }

    // The corrected grain composition (section 10): the corrected mix curve, and while the
    // automatic search runs its latest trial, adopted or not. Values rounded half to even to 2
    // decimals, without trailing zeros.
    void automaticSearchShowsTheTrialCurve()
    {
        Fixture f;
        f.only({10});
        QVERIFY(twoCurves().typeInto(f.p));
        f.p.resetToBase();
        QVERIFY(f.p.validation().tablesValid());
        auto row = [&f] {
            const Doc::Document d = f.build();
            const auto t = tables(d);
            return t.isEmpty() ? QStringList() : QStringList{t[0]->cell(2, 2).text, t[0]->cell(2, 3).text};
        };
        QCOMPARE(row(), (QStringList{QStringLiteral("71,06"), QStringLiteral("48,5")}));
        f.p.setSearchOn(true);
        // One step on К1: 50 % of it and nothing of К2 (the previous trial held none), a recipe
        // short of 100 % that is not adopted; its curve is К1's.
        f.p.searchRandom().script({0.2f, 0.5f});
        QCOMPARE(f.p.runSearch(1), 0);
        QCOMPARE(f.p.correction().searchComponent, int16_t(1));
        QCOMPARE(row(), (QStringList{QStringLiteral("42,12"), QStringLiteral("7")}));
        f.p.setSearchOn(false);
        QCOMPARE(row(), (QStringList{QStringLiteral("71,06"), QStringLiteral("48,5")}));
    }

    // The graph's heading (section 11) carries the divergence text above the graph: one
    // component passing 0 % at the finer size against a reference typed as 6,325.
    void graphHeadingKeepsTheDivergenceText()
    {
        Fixture f;
        f.only({11});
        QVERIFY(TestSupport::ProjectBuilder()
                    .components({QStringLiteral("К1")}, {QStringLiteral("2,65")})
                    .sizes({QStringLiteral("5"), QStringLiteral("1")})
                    .composition(1, {QStringLiteral("100"), QStringLiteral("0")})
                    .baseRecipe({QStringLiteral("100")})
                    .manualReference({QStringLiteral("100"), QStringLiteral("6,325")})
                    .typeInto(f.p));
        QVERIFY(outline(f.build()).contains(QStringLiteral("P:Гранулометрический график (Расхождение кривых:  6.32 %):")));
        f.p.setCellText(InputTable::Densities, 1, 0, QStringLiteral("x"));
        QVERIFY(outline(f.build()).contains(QStringLiteral("P:Гранулометрический график ( ):")));
    }

    // With the English catalogue installed, the report speaks English: its title, headings,
    // the graph's divergence, the note and the file's name; the project's own texts stay.
    void english()
    {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/palvex_en.qm")));
        struct Installed
        {
            QTranslator *t;
            explicit Installed(QTranslator *t) : t(t) { QCoreApplication::installTranslator(t); }
            ~Installed() { QCoreApplication::removeTranslator(t); }
        } installed(&english);
        Fixture f;
        f.only({1, 3, 11});
        QVERIFY(TestSupport::ProjectBuilder()
                    .components({QStringLiteral("К1")}, {QStringLiteral("2,65")})
                    .sizes({QStringLiteral("5"), QStringLiteral("1")})
                    .composition(1, {QStringLiteral("100"), QStringLiteral("0")})
                    .baseRecipe({QStringLiteral("100")})
                    .manualReference({QStringLiteral("100"), QStringLiteral("6,325")})
                    .typeInto(f.p));
        f.p.setProjectName(QStringLiteral("Смесь №5"));
        const QStringList o = outline(f.build());
        QCOMPARE(o.first(), QStringLiteral("P:Results of the grain composition design of the raw mix"));
        QVERIFY2(o.contains(QStringLiteral("P:Name of the designed mix: Смесь №5")), qPrintable(o.join(u'\n')));
        QVERIFY2(o.contains(QStringLiteral("P:Names of the raw components of the mix")), qPrintable(o.join(u'\n')));
        QVERIFY2(o.contains(QStringLiteral("P:Grading chart (Curve divergence:  6.32 %):")), qPrintable(o.join(u'\n')));
        QVERIFY(std::any_of(o.begin(), o.end(), [](const QString &p) { return p.startsWith(QStringLiteral("P:Note: the main aim")); }));
        QCOMPARE(Report::fileName(f.p), QStringLiteral("Report — Смесь №5.docx"));
    }

    void formatting()
    {
        Fixture f;
        f.only({1});
        const Doc::Document d = f.build();
        const auto &title = std::get<Doc::Paragraph>(d.blocks().first());
        QCOMPARE(title.align, Doc::Align::Center);
        QVERIFY(title.runs.first().format.bold);
        QCOMPARE(title.runs.first().format.size, 14.0);
        const auto &name = std::get<Doc::Paragraph>(d.blocks()[2]);
        QCOMPARE(name.text(), QStringLiteral("Название проектируемой смеси: Смесь №5"));
        QVERIFY(!name.runs.first().format.bold);
        QCOMPARE(name.align, Doc::Align::Left);
        // The note: "Примечание: " bold blue, the text black, both justified in one paragraph.
        for (const Doc::Block &b : d.blocks()) {
            const auto *p = std::get_if<Doc::Paragraph>(&b);
            if (!p || !p->text().startsWith(QStringLiteral("Примечание: ")))
                continue;
            QCOMPARE(p->align, Doc::Align::Justify);
            QVERIFY(p->runs[0].format.bold);
            QCOMPARE(p->runs[0].format.colour, QColor(0, 0, 255));
            QVERIFY(!p->runs[1].format.bold);
            QCOMPARE(p->runs[1].format.colour, QColor(Qt::black));
            QCOMPARE(p->runs[1].format.font, QStringLiteral("Times New Roman"));
        }
    }

    // The package is well-formed XML with its pictures, and names that need escaping survive.
    void docxPackage()
    {
        Fixture f;
        f.p.setProjectName(QStringLiteral("Смесь <5> & \"B\""));
        const Docx::Package pkg = Docx::Build(f.build());
        QCOMPARE(pkg.media.size(), 2);
        for (const QByteArray *part : {&pkg.document, &pkg.styles, &pkg.contentTypes, &pkg.documentRels}) {
            QXmlStreamReader xml(*part);
            while (!xml.atEnd())
                xml.readNext();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        }
        QVERIFY(QString::fromUtf8(pkg.document).contains(QStringLiteral("Смесь &lt;5&gt; &amp; ")));
        QVERIFY(pkg.document.contains("w:pgMar w:top=\"1417\""));
        QVERIFY(pkg.documentRels.contains("media/image2.png"));
    }

    void writesAFile()
    {
        QTemporaryDir dir;
        Fixture f;
        const QString path = dir.filePath(Report::fileName(f.p));
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Отчет — Смесь №5.docx"));
        QString error;
        QVERIFY2(Report::write(f.p, path, Report::Pictures(), &error), qPrintable(error));
        int code = 0;
        zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
        QVERIFY(z);
        QVERIFY(zip_name_locate(z, "word/document.xml", 0) >= 0);
        zip_discard(z);
        QVERIFY(!Report::write(f.p, QStringLiteral("/nonexistent-folder/r.docx"), Report::Pictures(), &error));
        QVERIFY2(error.contains(QStringLiteral("r.docx")), qPrintable(error));
        f.p.setProjectName(QStringLiteral("a/b:c"));
        QCOMPARE(Report::fileName(f.p), QStringLiteral("Отчет — a_b_c.docx"));
    }

    // A report that cannot be written leaves the file it was to replace as it was, and no
    // temporary file; the message names the file and the reason.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << int(SafeSave::Step::Write) << ENOSPC << QStringLiteral("недостаточно места");
        QTest::newRow("flush") << int(SafeSave::Step::Flush) << EIO << QStringLiteral("ввода-вывода");
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(int, step);
        QFETCH(int, code);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        Fixture f;
        const QString path = dir.filePath(QStringLiteral("Отчет v1.2.docx"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("edited by the user");
        }
        SafeSave::InjectFailure(SafeSave::Step(step), code, 1000);
        QString error;
        const bool written = Report::write(f.p, path, Report::Pictures(), &error);
        SafeSave::InjectFailure(SafeSave::Step::None, 0);
        QVERIFY(!written);
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("edited by the user"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Отчет v1.2.docx")});
        QVERIFY2(error.contains(QStringLiteral("Отчет v1.2.docx")) && error.contains(reason), qPrintable(error));
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
