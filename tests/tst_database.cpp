// The component database: the workbook reader, the settings file, the six forms, and the
// selection of components with its preview and its transfer into the project.
#include "XlsxWriter.h"
#include "database/ComponentDatabase.h"
#include "database/ComponentSelection.h"
#include "database/Xlsx.h"
#include "files/Cp1251.h"
#include "session/ProjectSession.h"

#include "support/CellText.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using TestXlsx::num;
using TestXlsx::str;

namespace {

QString writeSettings(const QTemporaryDir &dir, const QString &text)
{
    const QString path = dir.filePath(QStringLiteral("app_setups.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(*Cp1251::encode(text));
    return path;
}

// Whether any pixel of `area` has exactly `colour`.
bool hasColour(const QImage &image, const QRect &area, const QColor &colour)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

const QString FixtureSettings = QStringLiteral("2:3,2:12\r\n3:1,3:2\r\n");
const QString Fixture = QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/components-openpyxl.xlsx");

QByteArray hostileBytes(const char *name)
{
    QFile f(QStringLiteral(PALVEX_SOURCE_DIR "/fuzz/corpus/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString hostile(const char *name)
{
    return QStringLiteral(PALVEX_SOURCE_DIR "/fuzz/corpus/") + QString::fromLatin1(name);
}

// English words Qt or libzip would put into a message.
bool soundsEnglish(const QString &message)
{
    for (const char *word : {"error", "Error", "Premature", "document", "Unknown", "expected", "Expected", "not found"})
        if (message.contains(QLatin1String(word)))
            return true;
    return false;
}

// Rows of one-cell components under a size row, as many as asked.
QByteArray manyComponents(int count)
{
    QByteArray xml = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                     "<row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"C1\"><v>2</v></c></row>";
    for (int r = 2; r < count + 2; ++r)
        xml += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) + "\" t=\"inlineStr\"><is><t>K</t></is></c>"
               "<c r=\"D" + QByteArray::number(r) + "\"><v>10</v></c></row>";
    return xml + "</sheetData></worksheet>";
}

// Sizes 1..5 in row 1, columns 2..6, totals in column 7; components from row 2, names in
// column 1 and bracket texts in column 8.
QList<TestXlsx::Cell> smallSheet()
{
    QList<TestXlsx::Cell> cells;
    for (int k = 1; k <= 5; ++k)
        cells << TestXlsx::Cell{1, 1 + k, num(k)};
    const double residues[5] = {0, 10, 20, 30, 40};
    cells << TestXlsx::Cell{2, 1, str(QStringLiteral("Песок"))};
    for (int k = 1; k <= 5; ++k)
        cells << TestXlsx::Cell{2, 1 + k, num(residues[k - 1])};
    cells << TestXlsx::Cell{2, 7, num(100)};
    cells << TestXlsx::Cell{3, 1, str(QStringLiteral("Пустая проба"))};
    cells << TestXlsx::Cell{3, 7, num(0)};
    cells << TestXlsx::Cell{3, 8, str(QStringLiteral("t = 0"))};
    return cells;
}

} // namespace

class TestDatabase final : public QObject
{
    Q_OBJECT

private slots:
    void cellReferences_data()
    {
        QTest::addColumn<QString>("ref");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("A1") << QStringLiteral("A1") << 1 << 1;
        QTest::newRow("AB12") << QStringLiteral("AB12") << 12 << 28;
        QTest::newRow("XFD3") << QStringLiteral("XFD3") << 3 << 16384;
        QTest::newRow("no row") << QStringLiteral("AB") << 0 << 0;
        QTest::newRow("no column") << QStringLiteral("12") << 0 << 0;
        QTest::newRow("row 0") << QStringLiteral("A0") << 0 << 0;
    }
    void cellReferences()
    {
        QFETCH(QString, ref);
        QFETCH(int, row);
        QFETCH(int, col);
        const auto r = Xlsx::ParseCellReference(ref);
        QCOMPARE(r.has_value(), row != 0);
        if (r) {
            QCOMPARE(r->first, row);
            QCOMPARE(r->second, col);
        }
    }

    void fixtureFromAnotherProgram()
    {
        QTemporaryDir dir;
        const auto settings = ReadDatabaseSettings(writeSettings(dir, FixtureSettings), nullptr);
        QVERIFY(settings);
        QString error;
        const auto db = ReadComponentDatabase(QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/components-openpyxl.xlsx"), *settings, &error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(db->sizeCount, 10);
        QCOMPARE(*db->sizes[1], 0.071);
        QCOMPARE(*db->sizes[10], 40.0);
        QCOMPARE(db->components.size(), 9);
        QCOMPARE(db->components[0].name, QStringLiteral("Песок кварцевый [Мк=2,1]"));
        QCOMPARE(db->components[4].name, QStringLiteral("Цемент [ЦЕМ I 42,5Н]"));
        // Full passing at the coarsest sieve is 100 when nothing stayed on it.
        QCOMPARE(*db->value(1, 10, CompositionForm::FullPassingPercent), 100.0);
    }

    void sixForms()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("db.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(smallSheet())));
        const auto settings = ReadDatabaseSettings(writeSettings(dir, QStringLiteral("1:2,1:6\r\n2:1,2:8\r\n")), nullptr);
        QString error;
        const auto db = ReadComponentDatabase(book, *settings, &error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(db->components.size(), 2);
        QCOMPARE(db->components[0].name, QStringLiteral("Песок []"));
        const double full[5] = {100, 100, 90, 70, 40}, passing[5] = {0, 0, 10, 30, 60};
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(*db->value(1, k, CompositionForm::FullResidueGrams), full[k - 1]);
            QCOMPARE(*db->value(1, k, CompositionForm::FullResiduePercent), full[k - 1]);
            QCOMPARE(*db->value(1, k, CompositionForm::FullPassingPercent), passing[k - 1]);
            QCOMPARE(*db->value(1, k, CompositionForm::FullPassingGrams), passing[k - 1]);
        }
        QCOMPARE(*db->value(1, 2, CompositionForm::PartialResiduePercent), 10.0);
        // A total mass of 0 leaves forms 2 and 4 empty.
        QVERIFY(!db->value(2, 3, CompositionForm::PartialResiduePercent));
        QVERIFY(!db->value(2, 3, CompositionForm::FullResiduePercent));
        QCOMPARE(db->maxTotalMass, 100.0);
    }

    void cellKindsAndSheetOrder()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("kinds.xlsx"));
        QList<TestXlsx::Cell> cells{{1, 2, num(1)},
                                    {1, 3, QStringLiteral("t=\"n\"><f>B1*2</f><v>2</v>")},
                                    {2, 1, QStringLiteral("t=\"s\"><v>0</v>")},
                                    {2, 2, QStringLiteral("t=\"b\"><v>1</v>")},
                                    {2, 3, QStringLiteral("t=\"str\"><f>\"5\"</f><v>5</v>")},
                                    {2, 4, num(50)},
                                    {2, 5, QStringLiteral("t=\"s\"><v>1</v>")}};
        const QByteArray shared = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                                  "<si><t>Шлак</t></si><si><r><t>доменный </t></r><r><t>гранулированный</t></r></si></sst>";
        const QByteArray other = TestXlsx::sheetXml({{1, 2, num(99)}});
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(cells), shared, other));
        const auto sheet = Xlsx::ReadFirstWorksheet(book, nullptr);
        QVERIFY(sheet);
        QCOMPARE(Xlsx::number(sheet->cell(1, 2)), 1.0); // the workbook's first sheet, not sheet1.xml
        QCOMPARE(Xlsx::number(sheet->cell(1, 3)), 2.0); // a formula through its cached value
        QCOMPARE(Xlsx::text(sheet->cell(2, 1)), QStringLiteral("Шлак"));
        QCOMPARE(Xlsx::text(sheet->cell(2, 5)), QStringLiteral("доменный гранулированный"));
        QCOMPARE(Xlsx::number(sheet->cell(2, 3)), 5.0);
        QVERIFY(Xlsx::isEmpty(sheet->cell(7, 7)));
        QVERIFY(std::holds_alternative<bool>(sheet->cell(2, 2)));
    }

    void wideRangeIsCutTo50()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("wide.xlsx"));
        QList<TestXlsx::Cell> cells;
        for (int c = 1; c <= 60; ++c)
            cells << TestXlsx::Cell{1, 1 + c, num(c)};
        cells << TestXlsx::Cell{2, 1, str(QStringLiteral("A"))};
        for (int c = 1; c <= 60; ++c)
            cells << TestXlsx::Cell{2, 1 + c, num(1)};
        cells << TestXlsx::Cell{2, 62, num(60)};
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(cells)));
        const auto settings = ReadDatabaseSettings(writeSettings(dir, QStringLiteral("1:2,1:61\r\n2:1,2:1\r\n")), nullptr);
        const auto db = ReadComponentDatabase(book, *settings, nullptr);
        QVERIFY(db);
        QCOMPARE(db->sizeCount, 50);
        QCOMPARE(*db->value(1, 1, CompositionForm::FullResidueGrams), 50.0); // only the first 50 columns count
    }

    void emptyRowsAndTheEnd()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("rows.xlsx"));
        QList<TestXlsx::Cell> cells{{1, 2, num(1)}, {1, 3, num(2)}, {2, 1, str(QStringLiteral("A"))},
                                    {4, 1, str(QStringLiteral("B"))}, {7, 1, str(QStringLiteral("Not read"))}};
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(cells)));
        const auto settings = ReadDatabaseSettings(writeSettings(dir, QStringLiteral("1:2,1:3\r\n2:1,2:1\r\n")), nullptr);
        const auto db = ReadComponentDatabase(book, *settings, nullptr);
        QCOMPARE(db->names(), (QStringList{QStringLiteral("A [A]"), QStringLiteral("B [B]")}));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings line 2 malformed") << QStringLiteral("2:3,2:12\r\nabc\r\n") << QByteArray() << QStringLiteral("строка 2");
        QTest::newRow("settings one line") << QStringLiteral("2:3,2:12") << QByteArray() << QStringLiteral("строка 2");
        QTest::newRow("not a workbook") << FixtureSettings << QByteArray("this is text, not a zip") << QStringLiteral("не книга Excel");
        QTest::newRow("zip without workbook") << FixtureSettings << QByteArray("zip") << QStringLiteral("xl/workbook.xml");
        QTest::newRow("no size row") << QStringLiteral("20:3,20:12\r\n3:1,3:2\r\n") << QByteArray("fixture") << QStringLiteral("нет размеров сит");
    }
    void failures()
    {
        QFETCH(QString, settings);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString book = dir.filePath(QStringLiteral("x.xlsx"));
        if (file == "fixture") {
            book = QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/components-openpyxl.xlsx");
        } else if (file == "zip") {
            QVERIFY(TestXlsx::write(book, {{QStringLiteral("readme.txt"), QByteArray("x")}}));
        } else {
            QFile f(book);
            f.open(QIODevice::WriteOnly);
            f.write(file);
        }
        ComponentSelection s;
        QString error;
        QVERIFY(!s.load(book, writeSettings(dir, settings), &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(s.database().names().isEmpty());
    }

    void oversizedWorkbookIsRefusedBeforeUnpacking()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("bomb.xlsx"));
        QVERIFY(TestXlsx::write(book, {{QStringLiteral("xl/workbook.xml"), QByteArray(65 * 1024 * 1024, ' ')}}));
        QString error;
        QVERIFY(!Xlsx::ReadFirstWorksheet(book, &error));
        QVERIFY2(error.contains(QStringLiteral("больше 24 МБ")), qPrintable(error));
    }

    // The time a reading takes grows with the XML elements, so their number is limited too.
    void tooManyElements()
    {
        QByteArray xml = "<worksheet><sheetData>";
        xml += QByteArray("<x/>").repeated(Xlsx::MaxTokens / 2 + 1);
        xml += "</sheetData></worksheet>";
        QString error;
        const Xlsx::CellSink none = [](int, int, Xlsx::Value &&, QString *) { return Xlsx::Next::Continue; };
        QVERIFY(!Xlsx::ReadSheetXml(xml, {}, none, &error));
        QVERIFY2(error.contains(QStringLiteral("больше 4 000 000 элементов XML")), qPrintable(error));
    }

    // A sheet beyond the limit is refused where the reading reaches it, with the limit named.
    void oversizedSheetIsRefusedWhileRead()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("big.xlsx"));
        const QByteArray padding(Xlsx::MaxUnpackedSize, ' ');
        QVERIFY(TestXlsx::writeWorkbook(book, "<worksheet><sheetData>" + padding + "</sheetData></worksheet>"));
        QString error;
        QVERIFY(!Xlsx::ReadFirstWorksheet(book, &error));
        QVERIFY2(error.contains(QStringLiteral("больше 24 МБ")), qPrintable(error));
    }

    void transfer()
    {
        QTemporaryDir dir;
        ComponentSelection s;
        QString error;
        QVERIFY2(s.load(QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/components-openpyxl.xlsx"), writeSettings(dir, FixtureSettings), &error),
                 qPrintable(error));
        s.setParticipating(3);
        QStringList messages;
        auto choose = [&](int i, int m) {
            if (const auto message = s.chooseComponent(i, m))
                messages << *message;
        };
        choose(1, 1);
        choose(2, 1); // a duplicate
        QCOMPARE(messages, QStringList{QStringLiteral("Данный компонент уже используется в составе смеси!")});
        QVERIFY(s.componentMarked(2));
        // The transfer replaces what the project held; its name stays.
        ProjectSession p;
        p.setProjectName(QStringLiteral("Смесь №5"));
        p.setReferenceKind(ReferenceKind::Hummel);
        p.setCoefficientText(Coefficient::FunkDingerN, QStringLiteral("0,3"));
        QString message;
        QVERIFY(!s.transfer(p.document(), &message));
        QCOMPARE(message, QStringLiteral("Проверьте правильность заполнения полей!"));
        choose(2, 2);
        choose(3, 5);
        QCOMPARE(messages.size(), 1);
        for (int i = 1; i <= 3; ++i)
            s.setDensity(i, densityText(DefaultDensityOption));
        QCOMPARE(s.row(3).density, QStringLiteral("2,65"));
        const auto document = s.transfer(p.document(), &message);
        QVERIFY2(document, qPrintable(message));
        p.transferFromDatabase(*document);
        QCOMPARE(p.componentCount(), 3);
        QCOMPARE(p.document().name, QStringLiteral("Смесь №5"));
        QCOMPARE(txt(p, InputTable::Names, 1, 2), QStringLiteral("Цемент [ЦЕМ I 42,5Н]"));
        QCOMPARE(txt(p, InputTable::Densities, 1, 2), QStringLiteral("2,65"));
        QCOMPARE(txt(p, InputTable::BaseRecipe, 1, 0), QStringLiteral("33,3333333333333"));
        QCOMPARE(p.correction().slider[2], 3333);
        QCOMPARE(p.document().referenceKind, ReferenceKind::FunkDinger);
        QCOMPARE(p.document().coefficient(Coefficient::FunkDingerN).text(), QStringLiteral("0,5"));
        QCOMPARE(p.document().dataForm, GrainDataForm::Integral);
        // Sizes descending; the coarse classes all three pass completely are trimmed to one.
        const int k = p.classCount();
        QVERIFY(k >= 2 && k <= 10);
        QCOMPARE(txt(p, InputTable::Compositions, k, 0), QStringLiteral("0,071"));
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(txt(p, InputTable::Compositions, 1, i), QStringLiteral("100"));
        QVERIFY(txt(p, InputTable::Compositions, 2, 1) != QStringLiteral("100") || txt(p, InputTable::Compositions, 2, 2) != QStringLiteral("100")
                || txt(p, InputTable::Compositions, 2, 3) != QStringLiteral("100"));
    }

    void previewTable()
    {
        QTemporaryDir dir;
        ComponentSelection s;
        QVERIFY(s.load(QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/components-openpyxl.xlsx"), writeSettings(dir, FixtureSettings), nullptr));
        s.chooseComponent(1, 1);
        QCOMPARE(s.previewRows().size(), 1); // under the header row
        QCOMPARE(s.previewHeader().value(0), QStringLiteral("Название компонента"));
        QCOMPARE(s.previewHeader().value(1), QStringLiteral("0,071"));
        QCOMPARE(s.previewRows().value(0).value(0), QStringLiteral("Песок кварцевый [Мк=2,1]"));
        s.setShown(1, false);
        QCOMPARE(s.previewRows().size(), 0); // only the header row
        QImage image(600, 400, QImage::Format_RGB32);
        s.drawPreview(image); // axes only
        QVERIFY(!hasColour(image, QRect(QPoint(0, 0), image.size()), QColor(0xFF0000)));
        s.setShown(1, true);
        QCOMPARE(s.previewRows().size(), 1);
        s.drawPreview(image);
        QVERIFY(hasColour(image, QRect(QPoint(0, 0), image.size()), QColor(0xFF0000)));
    }

    // The preview graph of the small workbook (sizes 1..5; "Песок": partial residues 0, 10,
    // 20, 30, 40 of a 100 g sample, full passings 0, 0, 10, 30, 60 %) on a 600 x 400 pixel
    // picture: plot from x = 1000 to 8700 and y = 500 (top of the scale) to 5200 twips (0).
    // Linear axis: size d at 1000 + (d - 1) x 1925; logarithmic: 8700 - lg(d / 5) x 7700 /
    // lg(1 / 5). A value v of a percent form at 500 + (100 - v) x 47.
    void previewGraph_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("logarithmic");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QPointF>("probe"); // twips
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("present");
        const QColor line(0xFF0000), fill(0xFFC0C0), grid(212, 208, 200);
        // Full passings: the segment from (4, 30 %) = (6775, 3790) to (5, 60 %) = (8700, 2380).
        QTest::newRow("full passing, segment 4-5") << 6 << false << true << QPointF(7737.5, 3085) << line << true;
        QTest::newRow("full passing, point at 3") << 6 << false << true << QPointF(4850, 4730) << line << true;
        QTest::newRow("row not shown: no curve") << 6 << false << false << QPointF(7737.5, 3085) << line << false;
        // Partial residues: the bar of size 5 (40 %) from x = 7737,5 to 8700 down from y = 3320.
        QTest::newRow("partial residues, bar of 5") << 2 << false << true << QPointF(8200, 4500) << fill << true;
        QTest::newRow("partial residues, above the bar") << 2 << false << true << QPointF(8200, 3000) << fill << false;
        // Grams: the scale reaches the largest sample mass (100 g), so 40 g stands as 40 %.
        QTest::newRow("partial residues in grams, bar of 5") << 1 << false << true << QPointF(8200, 4500) << fill << true;
        // The logarithmic axis has a grid line at 2: x = 8700 - 0,39794 x 7700 / 0,69897.
        QTest::newRow("logarithmic grid at 2") << 6 << true << true << QPointF(4316.2, 3000) << grid << true;
        QTest::newRow("linear: no grid at 4316") << 6 << false << true << QPointF(4316.2, 3000) << grid << false;
    }
    void previewGraph()
    {
        QFETCH(int, form);
        QFETCH(bool, logarithmic);
        QFETCH(bool, shown);
        QFETCH(QPointF, probe);
        QFETCH(QColor, colour);
        QFETCH(bool, present);
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("db.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(smallSheet())));
        ComponentSelection s;
        QString error;
        QVERIFY2(s.load(book, writeSettings(dir, QStringLiteral("1:2,1:6\r\n2:1,2:8\r\n")), &error), qPrintable(error));
        s.chooseComponent(1, 1);
        s.setForm(CompositionForm(form));
        s.setShown(1, shown);
        s.logarithmic = logarithmic;
        QImage image(600, 400, QImage::Format_RGB32);
        s.drawPreview(image);
        const QPoint at((probe / 15).toPoint());
        QCOMPARE(hasColour(image, QRect(at - QPoint(1, 1), QSize(3, 3)), colour), present);
        if (qEnvironmentVariableIsSet("PALVEX_SAVE_CHARTS"))
            image.save(QStringLiteral("/tmp/preview-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-')));
    }

    // The legend: a square in the row's line colour from (x0 + 150, y0 + 200) to (x0 + 550,
    // y0 + 400) with x0 = (1000 + 8700) / 2 - 1250 = 3600 and y0 = 1000, the name beside it.
    void previewLegend()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("db.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(smallSheet())));
        ComponentSelection s;
        QVERIFY(s.load(book, writeSettings(dir, QStringLiteral("1:2,1:6\r\n2:1,2:8\r\n")), nullptr));
        s.chooseComponent(1, 1);
        QImage image(600, 400, QImage::Format_RGB32);
        const QPoint square(3950 / 15, 1300 / 15);
        s.drawPreview(image);
        QVERIFY(image.pixelColor(square) != QColor(0xFF0000));
        s.legend = true;
        s.drawPreview(image);
        QCOMPARE(image.pixelColor(square), QColor(0xFF0000));
    }

    void densityTable_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << DefaultDensityOption << QStringLiteral("2,65");
        QTest::newRow("steel") << 11 << QStringLiteral("7,85");
        QTest::newRow("cement") << 2 << QStringLiteral("3,1");
    }
    void densityTable()
    {
        QFETCH(int, option);
        QFETCH(QString, text);
        ComponentSelection s;
        s.setParticipating(3);
        s.setDensity(3, densityText(option));
        QCOMPARE(s.row(3).density, text);
        QVERIFY(!s.densityMarked(3));
        QCOMPARE(densityOptions().size(), 11);
    }

    void densityBoxRejectsText()
    {
        ComponentSelection s;
        s.setParticipating(2);
        s.setDensity(2, QStringLiteral("2,6x"));
        QCOMPARE(s.row(2).density, QString());
        QVERIFY(s.densityMarked(2));
        s.setDensity(2, QStringLiteral("2,6"));
        QCOMPARE(s.row(2).density, QStringLiteral("2,6"));
        QVERIFY(!s.densityMarked(2));
    }

    void fewerRowsKeepDensities()
    {
        ComponentSelection s;
        s.setParticipating(4);
        s.chooseComponent(4, 2);
        s.setDensity(4, QStringLiteral("3,1"));
        s.setParticipating(2);
        QCOMPARE(s.row(4).component, 0);
        QVERIFY(!s.componentMarked(4));
        QVERIFY(!s.densityMarked(4));
        QCOMPARE(s.row(4).density, QStringLiteral("3,1"));
        QCOMPARE(s.participating(), 2); // the window enables rows 1..2 only
    }

    // Files made to break readers: each is refused with a Russian message naming the file,
    // and the lists stay empty.
    void hostileWorkbooks_data()
    {
        QTest::addColumn<QString>("book");
        QTest::addColumn<QString>("message");
        QTest::newRow("deep inline string") << hostile("workbook/deep-inline-string.xlsx") << QStringLiteral("вложены глубже 100 уровней");
        QTest::newRow("deep shared string") << hostile("workbook/deep-shared-string.xlsx") << QStringLiteral("xl/sharedStrings.xml элементы вложены");
        QTest::newRow("entities 100k") << hostile("workbook/entity-100k-refs.xlsx") << QStringLiteral("объявляет DTD");
        QTest::newRow("entities 1m") << hostile("workbook/entity-1m-refs.xlsx") << QStringLiteral("объявляет DTD");
        QTest::newRow("2.4 million rows") << hostile("workbook/rows-2.4m.xlsx") << QStringLiteral("больше 10 000 строк компонентов");
    }
    void hostileWorkbooks()
    {
        QFETCH(QString, book);
        QFETCH(QString, message);
        QTemporaryDir dir;
        ComponentSelection s;
        QString error;
        QVERIFY(!s.load(book, writeSettings(dir, FixtureSettings), &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(QFileInfo(book).fileName()), qPrintable(error));
        QVERIFY2(!soundsEnglish(error), qPrintable(error));
        QVERIFY(s.database().names().isEmpty());
    }

    // The parts themselves: what a real workbook never holds is refused, in Russian.
    void damagedParts_data()
    {
        QTest::addColumn<QByteArray>("sheet");
        QTest::addColumn<QByteArray>("shared");
        QTest::addColumn<QString>("message");
        const QByteArray head = "<worksheet><sheetData><row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"C1\"><v>2</v></c></row>";
        const QByteArray good = head + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>";
        QTest::newRow("sheet ends early") << head << QByteArray() << QStringLiteral("обрывается раньше своего конца");
        QTest::newRow("not well-formed") << QByteArray(head + "<row></sheetData></worksheet>") << QByteArray()
                                         << QStringLiteral("нарушена разметка XML");
        QTest::newRow("undeclared entity") << QByteArray(head + "<row r=\"2\"><c><v>&x;</v></c></row></sheetData></worksheet>")
                                           << QByteArray() << QStringLiteral("нарушена разметка XML");
        QTest::newRow("row beyond the sheet") << QByteArray(head + "<row r=\"1048577\"><c><v>1</v></c></row></sheetData></worksheet>")
                                              << QByteArray() << QStringLiteral("за пределами листа");
        QTest::newRow("row zero") << QByteArray(head + "<row r=\"0\"><c><v>1</v></c></row></sheetData></worksheet>") << QByteArray()
                                  << QStringLiteral("за пределами листа");
        QByteArray wide = head + "<row r=\"2\">";
        for (int c = 0; c <= 16384; ++c)
            wide += "<c><v>1</v></c>";
        QTest::newRow("column beyond the sheet") << QByteArray(wide + "</row></sheetData></worksheet>") << QByteArray()
                                                 << QStringLiteral("за пределами листа");
        QTest::newRow("shared strings: billion laughs")
            << good
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                          "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><sst><si><t>&c;&c;&c;&c;</t></si></sst>")
            << QStringLiteral("xl/sharedStrings.xml объявляет DTD");
        QTest::newRow("shared strings end early") << good << QByteArray("<sst><si><t>Песок</t>") << QStringLiteral("обрывается");
        QByteArray deep = "<sst><si><t>";
        for (int i = 0; i < 200; ++i)
            deep += "<a>";
        QTest::newRow("shared strings nested deep") << good << deep << QStringLiteral("глубже 100 уровней");
    }
    void damagedParts()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QByteArray, shared);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("damaged.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, sheet, shared));
        ComponentSelection s;
        QString error;
        QVERIFY(!s.load(book, writeSettings(dir, QStringLiteral("1:2,1:3\r\n2:1,2:1\r\n")), &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("damaged.xlsx")), qPrintable(error));
        QVERIFY2(!soundsEnglish(error), qPrintable(error));
        QVERIFY(s.database().names().isEmpty());
    }

    // Text inside a text element is read whole, child elements included, and a nesting a real
    // workbook might have is accepted.
    void textWithChildElements()
    {
        QByteArray inner = "x";
        for (int i = 0; i < 40; ++i)
            inner = "<r" + QByteArray::number(i) + ">" + inner + "</r" + QByteArray::number(i) + ">";
        const QByteArray xml = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a<b>b</b>c" + inner
                               + "</t></is></c><c r=\"B1\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>";
        QStringList strings;
        QString error;
        QVERIFY2(Xlsx::ReadSharedStrings("<sst><si><t>Ще<x>бень</x></t><rPh><t>no</t></rPh></si></sst>", strings, &error),
                 qPrintable(error));
        QCOMPARE(strings, QStringList{QStringLiteral("Щебень")});
        QStringList cells;
        const Xlsx::CellSink sink = [&cells](int, int, Xlsx::Value &&v, QString *) {
            cells << Xlsx::text(v);
            return Xlsx::Next::Continue;
        };
        QVERIFY2(Xlsx::ReadSheetXml(xml, strings, sink, &error), qPrintable(error));
        QCOMPARE(cells, (QStringList{QStringLiteral("abcx"), QStringLiteral("Щебень")}));
    }

    // At most 10 000 component rows are read; one more is refused before the rows are kept.
    void componentRowLimit_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::newRow("10 000") << MaxDbComponents << true;
        QTest::newRow("10 001") << MaxDbComponents + 1 << false;
    }
    void componentRowLimit()
    {
        QFETCH(int, count);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("many.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, manyComponents(count)));
        const auto settings = ReadDatabaseSettings(writeSettings(dir, QStringLiteral("1:2,1:3\r\n2:1,2:1\r\n")), nullptr);
        QString error;
        const auto db = ReadComponentDatabase(book, *settings, &error);
        QCOMPARE(db.has_value(), ok);
        if (ok)
            QCOMPARE(db->components.size(), count);
        else
            QVERIFY2(error.contains(QStringLiteral("больше 10 000 строк компонентов")), qPrintable(error));
    }

    // Settings lines: sheet limits, the unused row of each second pair, a byte-order mark.
    void settingsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // empty: accepted as 2:3..12, rows from 3, names 1, brackets 2
        QTest::newRow("plain") << QByteArray("2:3,2:12\r\n3:1,3:2\r\n") << QString();
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "2:3,2:12\r\n3:1,3:2\r\n") << QString();
        QTest::newRow("second row 0") << QByteArray("2:3,0:12\r\n3:1,0:2\r\n") << QString();
        QTest::newRow("second row anything") << QByteArray("2:3,-7:12\r\n3:1,x:2") << QString();
        QTest::newRow("second row huge") << QByteArray("2:3,99999999999:12\n3:1,2147483648:2") << QString();
        QTest::newRow("CR only") << QByteArray("2:3,2:12\r3:1,3:2\r") << QString();
        QTest::newRow("row beyond the sheet") << QByteArray("1048577:3,2:12\r\n3:1,3:2\r\n") << QStringLiteral("строка 1 («1048577:3,2:12»)");
        QTest::newRow("last row of the sheet") << QByteArray("1048576:3,2:12\r\n3:1,3:2\r\n") << QStringLiteral("-");
        QTest::newRow("column beyond the sheet") << QByteArray("2:3,2:16385\r\n3:1,3:2\r\n") << QStringLiteral("столбцы листа нумеруются от 1 до 16 384");
        QTest::newRow("component row beyond") << QByteArray("2:3,2:12\r\n2147483648:1,3:2\r\n") << QStringLiteral("строка 2");
        QTest::newRow("bracket column beyond") << QByteArray("2:3,2:12\r\n3:1,3:99999\r\n") << QStringLiteral("строка 2");
        QTest::newRow("int max") << hostileBytes("settings/settings-int-max.ini") << QStringLiteral("«2147483647»");
        QTest::newRow("C1 overflow") << hostileBytes("settings/settings-c1-overflow.ini") << QStringLiteral("«2147483647»");
        QTest::newRow("total column overflow") << hostileBytes("settings/settings-total-column-overflow.ini") << QStringLiteral("«2147483647»");
        QTest::newRow("no pair") << QByteArray("2:3\r\n3:1,3:2\r\n") << QStringLiteral("должна иметь вид");
    }
    void settingsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QString error;
        const auto s = ReadDatabaseSettingsBytes(bytes, QStringLiteral("app_setups.ini"), &error);
        if (message == QStringLiteral("-")) {
            QVERIFY2(s, qPrintable(error));
            QCOMPARE(s->R, 1048576);
            return;
        }
        QCOMPARE(s.has_value(), message.isEmpty());
        if (s) {
            QCOMPARE((QList<int>{s->R, s->C1, s->C2, s->S, s->CN, s->CQ}), (QList<int>{2, 3, 12, 3, 1, 2}));
        } else {
            QVERIFY2(error.contains(message), qPrintable(error));
            QVERIFY2(error.contains(QStringLiteral("app_setups.ini")), qPrintable(error));
        }
    }

    // A settings line one column too far ("2:3,2:13") reads no total masses: the load warns,
    // naming the rows, the percentages stay empty, and the transfer refuses the selection.
    void wrongColumnsAreReported()
    {
        QTemporaryDir dir;
        ComponentSelection s;
        QString error;
        QStringList warnings;
        QVERIFY2(s.load(Fixture, writeSettings(dir, QStringLiteral("2:3,2:13\r\n3:1,3:2\r\n")), &error, &warnings), qPrintable(error));
        QCOMPARE(warnings.size(), 2);
        QVERIFY2(warnings[0].contains(QStringLiteral("M2")), qPrintable(warnings[0]));
        QVERIFY2(warnings[1].contains(QStringLiteral("3 («Песок кварцевый»)")) && warnings[1].contains(QStringLiteral("столбец 14")),
                 qPrintable(warnings[1]));
        QVERIFY(!s.database().value(1, 1, CompositionForm::FullPassingPercent));
        QVERIFY(!s.database().value(1, 1, CompositionForm::PartialResiduePercent));
        QCOMPARE(*s.database().value(1, 1, CompositionForm::PartialResidueGrams), 60.0);
        s.chooseComponent(1, 1);
        s.setForm(CompositionForm::FullPassingPercent);
        QCOMPARE(s.previewRows().size(), 1);
        QCOMPARE(s.previewRows()[0].value(1, QStringLiteral("<no cell>")), QString()); // not 100
        // Nor is the empty curve drawn as a line at 0 (or 100): no pixel in the row's colour.
        QImage image(600, 400, QImage::Format_RGB32);
        s.drawPreview(image);
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x)
                red = image.pixelColor(x, y) == QColor(0xFF0000);
        QVERIFY(!red);
        s.setDensity(1, densityText(DefaultDensityOption));
        QVERIFY(!s.componentMarked(1) && !s.densityMarked(1));
        ProjectSession p;
        const ProjectDocument before = p.document();
        QString message;
        const auto document = s.transfer(p.document(), &message);
        QVERIFY(!document);
        QVERIFY2(message.contains(QStringLiteral("Песок кварцевый [Мк=2,1]")) && message.contains(QStringLiteral("строка 3")),
                 qPrintable(message));
        QCOMPARE(p.document(), before);
        QCOMPARE(txt(p, InputTable::Names, 1, 0), QString());
    }

    // The right settings read the fixture without a warning.
    void rightColumnsReadWithoutWarnings()
    {
        QTemporaryDir dir;
        ComponentSelection s;
        QString error;
        QStringList warnings;
        QVERIFY2(s.load(Fixture, writeSettings(dir, FixtureSettings), &error, &warnings), qPrintable(error));
        QCOMPARE(warnings, QStringList());
    }

    // A zero total mass empties the forms that need it and is named in the warning.
    void zeroTotalMass()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(QStringLiteral("db.xlsx"));
        QVERIFY(TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(smallSheet())));
        const auto settings = ReadDatabaseSettings(writeSettings(dir, QStringLiteral("1:2,1:6\r\n2:1,2:8\r\n")), nullptr);
        QStringList warnings;
        const auto db = ReadComponentDatabase(book, *settings, nullptr, &warnings);
        QVERIFY(db);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("3 («Пустая проба»)")) && !warnings[0].contains(QStringLiteral("Песок")),
                 qPrintable(warnings[0]));
        for (CompositionForm f : {CompositionForm::PartialResiduePercent, CompositionForm::FullResiduePercent,
                                  CompositionForm::FullPassingGrams, CompositionForm::FullPassingPercent})
            QVERIFY(!db->value(2, 3, f));
        QCOMPARE(*db->value(2, 3, CompositionForm::FullResidueGrams), 0.0);
    }
};

QTEST_MAIN(TestDatabase)
#include "tst_database.moc"
