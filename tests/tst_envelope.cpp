// The optional inputs: the prices of step 1 and the grading envelope of step 4 — their tables,
// their checks, the cost and the classes where the mix leaves the envelope, the file's own
// section that keeps them (and the lines it does not know), and their place in the report.
#include "files/Cp1251.h"
#include "files/ProjectFile.h"
#include "report/DocxWriter.h"
#include "report/Report.h"
#include "session/ProjectSession.h"

#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "support/CellText.h"
#include "support/ProjectBuilder.h"

using TestSupport::ProjectBuilder;

namespace {

// Two components, three classes (5; 1,25; 0,16), full passings 100/70/20 and 100/50/10,
// masses 60/40 with densities 2,65/3,1: volumes 63,69863 / 36,30137 %, the mix 100; 62,73973;
// 16,36986 against Funk-Dinger 100; 39,10716; 0.
ProjectBuilder twoSands()
{
    return TestSupport::workedExample();
}

struct Fixture
{
    ProjectSession s;
    explicit Fixture(const ProjectBuilder &project = twoSands())
    {
        QVERIFY(project.typeInto(s));
        s.resetToBase();
    }
    void envelope(int j, const QString &lower, const QString &upper)
    {
        s.setCellText(InputTable::Envelope, 1, j, lower);
        s.setCellText(InputTable::Envelope, 2, j, upper);
    }
};

// The file lines of a project with its section appended.
QByteArray withSection(const ProjectBuilder &project, const QStringList &section)
{
    QByteArray bytes = project.fileBytes();
    for (const QString &line : section)
        bytes += Cp1251::encode(line).value_or(QByteArray("?")) + "\r\n";
    return bytes;
}

QStringList lines(const QByteArray &bytes)
{
    QStringList out = Cp1251::decode(bytes).value_or(QString()).split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

const QString Marker = QString::fromLatin1(ProjectFile::SectionMarker);

// The paragraphs of a report's word/document.xml as a reader of the .docx sees them, table
// cells included, in the document's order.
QStringList docxParagraphs(const Doc::Document &document)
{
    QXmlStreamReader xml(Docx::Build(document).document);
    QStringList paragraphs;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("p"))
            text.clear();
        else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            text += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == QLatin1String("p"))
            paragraphs << text.trimmed();
    }
    return paragraphs;
}

// Whether `texts` appear among `paragraphs` in this order.
bool inOrder(const QStringList &paragraphs, const QStringList &texts)
{
    qsizetype from = 0;
    for (const QString &t : texts) {
        from = paragraphs.indexOf(t, from);
        if (from < 0) {
            qWarning("not found in its place: %s", qPrintable(t));
            return false;
        }
        ++from;
    }
    return true;
}

} // namespace

class TestEnvelope final : public QObject
{
    Q_OBJECT

private slots:
    // The tables as the window shows them: the prices under the densities (a column per
    // component), the envelope under the reference (a column per class, its rows named).
    void tablesAsShown()
    {
        Fixture f;
        QCOMPARE(f.s.tableRows(InputTable::Prices), 2);
        QCOMPARE(f.s.tableColumns(InputTable::Prices), 2);
        QCOMPARE(txt(f.s, InputTable::Prices, 0, 1), QStringLiteral("2"));
        QCOMPARE(f.s.tableRows(InputTable::Envelope), 3);
        QCOMPARE(f.s.tableColumns(InputTable::Envelope), 4);
        QCOMPARE(txt(f.s, InputTable::Envelope, 0, 0), QStringLiteral("Dj"));
        QCOMPARE(txt(f.s, InputTable::Envelope, 0, 2), QStringLiteral("1,25"));
        QCOMPARE(txt(f.s, InputTable::Envelope, 1, 0), QStringLiteral("Нижняя граница, %"));
        QCOMPARE(txt(f.s, InputTable::Envelope, 2, 0), QStringLiteral("Верхняя граница, %"));
        QVERIFY(f.s.typingAllowed(InputTable::Envelope));
        // Typing follows the numeric tables' rules: the period becomes the decimal comma.
        for (const QChar c : QStringLiteral("45.5x"))
            f.s.typeCharacter(InputTable::Envelope, 2, 2, c);
        QCOMPARE(f.s.document().envelopeUpper(2).text(), QStringLiteral("45,5"));
        f.s.typeCharacter(InputTable::Envelope, 1, 0, u'5'); // the row's name is no cell
        QCOMPARE(txt(f.s, InputTable::Envelope, 1, 0), QStringLiteral("Нижняя граница, %"));
        QVERIFY(!f.s.document().isInputCell(InputTable::Envelope, 3, 1));
        QVERIFY(!f.s.document().isInputCell(InputTable::Envelope, 1, 4));
    }

    // A pasted block fills the limits from class 1 on; a block copied with the row names (and
    // the header row) leaves them out; a copy of the table pastes back to the same table.
    void pasteFillsTheLimits_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("values") << QStringLiteral("10\t20\t\r90\t80\t70");
        QTest::newRow("with the row names") << QStringLiteral("Нижняя граница, %\t10\t20\t\rВерхняя граница, %\t90\t80\t70");
        QTest::newRow("a whole copy") << QStringLiteral("Dj\t5\t1,25\t0,16\rНижняя граница, %\t10\t20\t\rВерхняя граница, %\t90\t80\t70");
    }
    void pasteFillsTheLimits()
    {
        QFETCH(QString, clipboard);
        Fixture f;
        f.s.paste(InputTable::Envelope, clipboard);
        const QStringList lower{QStringLiteral("10"), QStringLiteral("20"), QString()};
        const QStringList upper{QStringLiteral("90"), QStringLiteral("80"), QStringLiteral("70")};
        for (int j = 1; j <= 3; ++j) {
            QCOMPARE(f.s.document().envelopeLower(j).text(), lower[j - 1]);
            QCOMPARE(f.s.document().envelopeUpper(j).text(), upper[j - 1]);
        }
        const QString copy = f.s.tableCopyText(InputTable::Envelope);
        Fixture g;
        g.s.paste(InputTable::Envelope, copy);
        QVERIFY(g.s.document() == f.s.document());
    }

    // A limit that is not a number, one outside 0..100, and a lower limit above the upper one
    // are errors with their lines; an empty limit is none. They never make the tables invalid.
    void envelopeErrors_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("lowerWrong");
        QTest::addColumn<bool>("upperWrong");
        QTest::newRow("both empty") << QString() << QString() << QString() << false << false;
        QTest::newRow("lower only") << QStringLiteral("30") << QString() << QString() << false << false;
        QTest::newRow("equal limits") << QStringLiteral("50") << QStringLiteral("50") << QString() << false << false;
        QTest::newRow("0 and 100") << QStringLiteral("0") << QStringLiteral("100") << QString() << false << false;
        QTest::newRow("not a number") << QStringLiteral("3,,5") << QString()
                                      << QStringLiteral("-> Граница задана не числом при Dj = 1,25.") << true << false;
        QTest::newRow("above 100") << QString() << QStringLiteral("100,5")
                                   << QStringLiteral("-> Граница лежит вне пределов от 0 до 100 % при Dj = 1,25.") << false << true;
        QTest::newRow("lower above upper") << QStringLiteral("60") << QStringLiteral("40")
                                           << QStringLiteral("-> Нижняя граница больше верхней при Dj = 1,25.") << true << true;
    }
    void envelopeErrors()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, line);
        QFETCH(bool, lowerWrong);
        QFETCH(bool, upperWrong);
        Fixture f;
        f.envelope(2, lower, upper);
        const ValidationReport &v = f.s.validation();
        QCOMPARE(v.envelopeErrorLines, line.isEmpty() ? QStringList() : QStringList{line});
        QCOMPARE(v.lowerError[2], lowerWrong);
        QCOMPARE(v.upperError[2], upperWrong);
        QCOMPARE(v.envelopeValid(), !lowerWrong && !upperWrong);
        QVERIFY(v.tablesValid());
    }

    // Lines of several kinds and classes, in one message each; a class without a size is named
    // by its number.
    void envelopeErrorLinesNameTheClasses()
    {
        Fixture f;
        f.envelope(1, QStringLiteral("a"), QStringLiteral("-5"));
        f.envelope(3, QStringLiteral("b"), QString());
        f.s.setCellText(InputTable::Compositions, 3, 0, QString());
        QCOMPARE(f.s.validation().envelopeErrorLines,
                 (QStringList{QStringLiteral("-> Граница задана не числом при Dj = 5; №3."),
                              QStringLiteral("-> Граница лежит вне пределов от 0 до 100 % при Dj = 5.")}));
    }

    // A price that is not a number or is negative is an error; an empty one is no price.
    void priceErrors_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("wrong");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("zero") << QStringLiteral("0") << false;
        QTest::newRow("decimal") << QStringLiteral("1250,5") << false;
        QTest::newRow("text") << QStringLiteral("дорого") << true;
        QTest::newRow("negative") << QStringLiteral("-10") << true;
    }
    void priceErrors()
    {
        QFETCH(QString, price);
        QFETCH(bool, wrong);
        Fixture f;
        f.s.setCellText(InputTable::Prices, 1, 1, price);
        QCOMPARE(f.s.validation().priceError[2], wrong);
        QCOMPARE(f.s.validation().pricesValid(), !wrong);
        QCOMPARE(f.s.validation().priceMessage().isEmpty(), !wrong);
        QVERIFY(f.s.validation().tablesValid());
    }

    // The cost of a tonne: 0,6 * 1000 + 0,4 * 2500 = 1600 for the base recipe; shown only while
    // every component with a share has a valid price.
    void costPerTonne()
    {
        Fixture f;
        QVERIFY(f.s.baseCostText().isEmpty());
        f.s.setCellText(InputTable::Prices, 1, 0, QStringLiteral("1000"));
        QVERIFY(f.s.baseCostText().isEmpty()); // component 2 has a share and no price
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("2500"));
        QCOMPARE(f.s.baseCostText(), QStringLiteral("1600"));
        QCOMPARE(f.s.correctedCostText(), QStringLiteral("1600"));
        // The corrected recipe at 100/0 needs only the first price: 1000.
        ComponentFloats recipe;
        recipe.set(1, 100.0f);
        recipe.set(2, 0.0f);
        f.s.setCorrectedRecipe(recipe);
        QCOMPARE(f.s.correctedCostText(), QStringLiteral("1000"));
        f.s.setCellText(InputTable::Prices, 1, 1, QString());
        QCOMPARE(f.s.correctedCostText(), QStringLiteral("1000"));
        QVERIFY(f.s.baseCostText().isEmpty());
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("x"));
        QVERIFY(f.s.correctedCostText().isEmpty()); // a wrong price shows no cost at all
        // The base recipe's cost needs a valid recipe.
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("2500"));
        f.s.setCellText(InputTable::BaseRecipe, 1, 0, QStringLiteral("50"));
        QVERIFY(f.s.baseCostText().isEmpty());
        f.s.setCellText(InputTable::BaseRecipe, 1, 0, QStringLiteral("60"));
        QCOMPARE(f.s.correctedCostText(), QStringLiteral("1000"));
        // Nor is the corrected cost shown while a table does not hold (a third component added,
        // its columns still empty), as the graph is not.
        f.s.setComponentCount(3);
        QVERIFY(!f.s.validation().tablesValid());
        QVERIFY(f.s.correctedCostText().isEmpty());
    }

    // Where the mix leaves the envelope: the base (62,74 at 1,25; 16,37 at 0,16) and the
    // corrected recipe, compared as the tables show the curve (rounded to 2 decimals).
    void departures_data()
    {
        QTest::addColumn<QString>("lower2");
        QTest::addColumn<QString>("upper2");
        QTest::addColumn<QString>("lower3");
        QTest::addColumn<QString>("upper3");
        QTest::addColumn<QString>("line");
        QTest::newRow("inside") << QStringLiteral("60") << QStringLiteral("65") << QString() << QString() << QString();
        QTest::newRow("on the rounded limit") << QStringLiteral("62,74") << QString() << QString() << QStringLiteral("16,37") << QString();
        QTest::newRow("above at 1,25") << QString() << QStringLiteral("62,73") << QString() << QString()
                                       << QStringLiteral("-> Исходный состав выходит за границы зернового состава при Dj = 1,25.");
        QTest::newRow("below at 0,16") << QString() << QString() << QStringLiteral("16,38") << QString()
                                       << QStringLiteral("-> Исходный состав выходит за границы зернового состава при Dj = 0,16.");
        QTest::newRow("both") << QStringLiteral("70") << QString() << QString() << QStringLiteral("10")
                              << QStringLiteral("-> Исходный состав выходит за границы зернового состава при Dj = 1,25; 0,16.");
    }
    void departures()
    {
        QFETCH(QString, lower2);
        QFETCH(QString, upper2);
        QFETCH(QString, lower3);
        QFETCH(QString, upper3);
        QFETCH(QString, line);
        Fixture f;
        f.envelope(2, lower2, upper2);
        f.envelope(3, lower3, upper3);
        QCOMPARE(f.s.envelopeDepartureLine(false), line);
        // The corrected recipe is the base recipe: the same classes, named for it.
        QCOMPARE(f.s.envelopeDepartureLine(true),
                 QString(line).replace(QStringLiteral("Исходный состав"), QStringLiteral("Проектируемый состав")));
    }

    // Nothing is listed while the tables or the envelope are wrong.
    void noDeparturesFromWrongTables()
    {
        Fixture f;
        f.envelope(2, QStringLiteral("70"), QString());
        QVERIFY(!f.s.envelopeDepartureLine(false).isEmpty());
        f.envelope(3, QStringLiteral("90"), QStringLiteral("80"));
        QVERIFY(f.s.envelopeDepartureLine(false).isEmpty());
        f.envelope(3, QString(), QString());
        f.s.setCellText(InputTable::Densities, 1, 0, QString());
        QVERIFY(f.s.envelopeDepartureLine(false).isEmpty());
    }

    // A file without the section opens as always and saves byte for byte as it was.
    void fileWithoutTheSection()
    {
        const QByteArray bytes = twoSands().fileBytes();
        ProjectSession s;
        QString error;
        const auto d = ProjectFile::parseProject(bytes, QStringLiteral("a.txt"), s.document(), &error);
        QVERIFY2(d, qPrintable(error));
        QVERIFY(!d->hasPrices() && !d->hasEnvelope() && d->unknownSectionLines.isEmpty());
        s.openDocument(*d);
        QCOMPARE(ProjectFile::projectBytes(s.document(), s.numbers(), &error).value_or(QByteArray()), bytes);
    }

    // The section after the last block: its cells are read, and what this version does not
    // know (another key, an index beyond N or K, a key without its "=", a second line for a
    // cell) is kept and written back unchanged after the known lines. A known cell with an empty
    // value is no value: a later line for that cell is read (as it will be once saved).
    void fileWithTheSection()
    {
        const QStringList section{Marker,
                                  QStringLiteral("envelope.upper.2=65"),
                                  QStringLiteral("envelope.upper.1="),
                                  QStringLiteral("price.1=1200,5"),
                                  QStringLiteral("moisture.1=4"),
                                  QStringLiteral("price.2=800"),
                                  QStringLiteral("price.3=999"),
                                  QStringLiteral("envelope.lower.4=1"),
                                  QStringLiteral("price.1=7"),
                                  QStringLiteral("price.01=5"),
                                  QStringLiteral("envelope.lower.1"),
                                  QString(),
                                  QStringLiteral("envelope.lower.2=55"),
                                  QStringLiteral("envelope.upper.1=90"),
                                  QStringLiteral("Примечание: песок мытый")};
        const QByteArray bytes = withSection(twoSands(), section);
        ProjectSession s;
        QString error;
        const auto d = ProjectFile::parseProject(bytes, QStringLiteral("a.txt"), s.document(), &error);
        QVERIFY2(d, qPrintable(error));
        QCOMPARE(d->price(1).text(), QStringLiteral("1200,5"));
        QCOMPARE(d->price(2).text(), QStringLiteral("800"));
        QCOMPARE(d->envelopeLower(2).text(), QStringLiteral("55"));
        QCOMPARE(d->envelopeUpper(2).text(), QStringLiteral("65"));
        QCOMPARE(d->envelopeUpper(1).text(), QStringLiteral("90"));
        QVERIFY(d->price(3).isEmpty());
        const QStringList unknown{QStringLiteral("moisture.1=4"), QStringLiteral("price.3=999"), QStringLiteral("envelope.lower.4=1"),
                                  QStringLiteral("price.1=7"), QStringLiteral("price.01=5"), QStringLiteral("envelope.lower.1"),
                                  QString(), QStringLiteral("Примечание: песок мытый")};
        QCOMPARE(d->unknownSectionLines, unknown);
        s.openDocument(*d);
        const QByteArray saved = ProjectFile::projectBytes(s.document(), s.numbers(), &error).value_or(QByteArray());
        const QStringList expected = lines(twoSands().fileBytes())
            + QStringList{Marker, QStringLiteral("price.1=1200,5"), QStringLiteral("price.2=800"), QStringLiteral("envelope.upper.1=90"),
                          QStringLiteral("envelope.lower.2=55"),
                          QStringLiteral("envelope.upper.2=65")}
            + unknown;
        QCOMPARE(lines(saved), expected);
        // Opened again, the same document; saved again, the same bytes.
        const auto again = ProjectFile::parseProject(saved, QStringLiteral("b.txt"), s.document(), &error);
        QVERIFY(again);
        QVERIFY(*again == s.document());
        ProjectSession t;
        t.openDocument(*again);
        QCOMPARE(ProjectFile::projectBytes(t.document(), t.numbers(), &error).value_or(QByteArray()), saved);
    }

    // A reader of the original layout reads its 10 + 3N + 2K + K*N lines and stops before the
    // section: those lines are the file of the same project without prices or envelope.
    void theOriginalLayoutStaysReadable()
    {
        Fixture f;
        f.s.setCellText(InputTable::Prices, 1, 0, QStringLiteral("1000"));
        f.envelope(2, QStringLiteral("50"), QStringLiteral("70"));
        QString error;
        const QStringList all = lines(ProjectFile::projectBytes(f.s.document(), f.s.numbers(), &error).value_or(QByteArray()));
        const int n = 2, k = 3;
        const int layout = 10 + 3 * n + 2 * k + k * n;
        QCOMPARE(all.value(layout), Marker);
        Fixture plain;
        const QStringList original = lines(ProjectFile::projectBytes(plain.s.document(), plain.s.numbers(), &error).value_or(QByteArray()));
        QCOMPARE(all.mid(0, layout), original);
        QCOMPARE(all.mid(layout + 1),
                 (QStringList{QStringLiteral("price.1=1000"), QStringLiteral("envelope.lower.2=50"), QStringLiteral("envelope.upper.2=70")}));
    }

    // An equation's reference values may be missing from a file edited elsewhere: the section
    // is found after the lines that are there. Beyond the new N or K, cells are hidden as any
    // other and not saved.
    void sectionAfterAShortFile()
    {
        QStringList shortFile = lines(twoSands().fileBytes());
        shortFile = shortFile.mid(0, shortFile.size() - 3); // without the three reference values
        QByteArray bytes;
        for (const QString &line : shortFile + QStringList{Marker, QStringLiteral("price.2=900")})
            bytes += Cp1251::encode(line).value_or(QByteArray()) + "\r\n";
        ProjectSession s;
        QString error;
        const auto d = ProjectFile::parseProject(bytes, QStringLiteral("a.txt"), s.document(), &error);
        QVERIFY2(d, qPrintable(error));
        QCOMPARE(d->price(2).text(), QStringLiteral("900"));
        s.openDocument(*d);
        s.setComponentCount(1);
        QVERIFY(!s.document().hasPrices());
        const QByteArray saved = ProjectFile::projectBytes(s.document(), s.numbers(), &error).value_or(QByteArray());
        QVERIFY(!lines(saved).contains(Marker));
        s.setComponentCount(2);
        QCOMPARE(s.document().price(2).text(), QStringLiteral("900"));
    }

    // Saving through the session writes the section and opening reads it back; a text that
    // Windows-1251 cannot hold is refused as any other.
    void saveAndOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        Fixture f;
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("750"));
        f.envelope(1, QStringLiteral("95"), QString());
        QString error;
        QVERIFY2(f.s.saveProject(path, &error), qPrintable(error));
        ProjectSession g;
        QVERIFY2(g.openProject(path, &error), qPrintable(error));
        QVERIFY(g.document() == f.s.document());
        f.s.setCellText(InputTable::Prices, 1, 0, QStringLiteral("中"));
        QVERIFY(!f.s.saveProject(path, &error));
        QVERIFY2(error.contains(QStringLiteral("Windows-1251")), qPrintable(error));
        QVERIFY(g.openProject(path, &error)); // the old file stays
    }

    // The report: the prices after the densities, the cost after the corrected recipe, the
    // envelope table with the corrected curve and the verdict after the corrected composition.
    void report()
    {
        Fixture f;
        Doc::Document plain = Report::build(f.s, QImage(), QImage());
        f.s.setCellText(InputTable::Prices, 1, 0, QStringLiteral("1000"));
        f.s.setCellText(InputTable::Prices, 1, 1, QStringLiteral("2500"));
        f.envelope(2, QString(), QStringLiteral("60"));
        const Doc::Document d = Report::build(f.s, QImage(), QImage());
        QStringList texts;
        QList<const Doc::Table *> tables;
        for (const Doc::Block &b : d.blocks()) {
            if (const auto *p = std::get_if<Doc::Paragraph>(&b))
                texts << p->text().trimmed();
            else
                tables << &std::get<Doc::Table>(b);
        }
        QCOMPARE(tables.size(), [&plain] {
            int count = 0;
            for (const Doc::Block &b : plain.blocks())
                count += std::holds_alternative<Doc::Table>(b);
            return count;
        }() + 2);
        QVERIFY(texts.contains(QStringLiteral("Цены сырьевых компонентов смеси, руб./т")));
        QVERIFY(texts.contains(QStringLiteral("Стоимость 1 т проектируемой смеси: 1600 руб. (исходного состава: 1600 руб.)")));
        QVERIFY(texts.contains(QStringLiteral("Проектируемый состав выходит за границы зернового состава при Dj = 1,25.")));
        const Doc::Table *envelope = nullptr;
        for (const Doc::Table *t : tables)
            if (t->rows == 4 && t->cell(2, 1).text == QStringLiteral("Нижняя граница, %"))
                envelope = t;
        QVERIFY(envelope);
        QCOMPARE(envelope->cell(3, 3).text, QStringLiteral("60"));
        QCOMPARE(envelope->cell(4, 3).text, QStringLiteral("62,74"));
        QCOMPARE(envelope->cell(1, 4).text, QStringLiteral("0,16"));
        const Doc::Table *prices = nullptr;
        for (const Doc::Table *t : tables)
            if (t->rows == 2 && t->cell(2, 2).text == QStringLiteral("2500"))
                prices = t;
        QVERIFY(prices);
        // As the .docx holds it: the prices after the densities, the cost after the corrected
        // recipe, the limits with the corrected curve and the classes that leave them.
        const QStringList docx = docxParagraphs(d);
        QVERIFY(inOrder(docx, {QStringLiteral("Плотности сырьевых компонентов смеси"), QStringLiteral("Цены сырьевых компонентов смеси, руб./т"),
                               QStringLiteral("1000"), QStringLiteral("2500"),
                               QStringLiteral("Стоимость 1 т проектируемой смеси: 1600 руб. (исходного состава: 1600 руб.)"),
                               QStringLiteral("Границы зернового состава (полный проход, % в зависимости от размеров частиц Dj) и "
                                              "скорректированный зерновой состав"),
                               QStringLiteral("Нижняя граница, %"), QStringLiteral("Верхняя граница, %"), QStringLiteral("60"),
                               QStringLiteral("Aj,%"), QStringLiteral("100"), QStringLiteral("62,74"), QStringLiteral("16,37"),
                               QStringLiteral("Проектируемый состав выходит за границы зернового состава при Dj = 1,25.")}));
        // Without prices or envelope the report has none of it.
        const QStringList plainDocx = docxParagraphs(plain);
        for (const QString &absent : {QStringLiteral("Цены сырьевых компонентов смеси, руб./т"), QStringLiteral("Нижняя граница, %")})
            QVERIFY(!plainDocx.contains(absent));
        for (const QString &p : plainDocx)
            QVERIFY2(!p.startsWith(QStringLiteral("Стоимость")) && !p.contains(QStringLiteral("границы зернового")), qPrintable(p));
        // Inside the envelope the verdict says so.
        f.envelope(2, QString(), QStringLiteral("70"));
        const Doc::Document inside = Report::build(f.s, QImage(), QImage());
        bool said = false;
        for (const Doc::Block &b : inside.blocks())
            if (const auto *p = std::get_if<Doc::Paragraph>(&b))
                said = said || p->text().trimmed() == QStringLiteral("Проектируемый состав не выходит за границы зернового состава.");
        QVERIFY(said);
    }
};

QTEST_MAIN(TestEnvelope)
#include "tst_envelope.moc"
