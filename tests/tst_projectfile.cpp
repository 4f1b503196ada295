#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Recalculate.h"
#include "files/Cp1251.h"
#include "files/ProjectFile.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QString txt(const GridModel &g, int row, int col)
{
    const QString *t = g.text(row, col);
    return t ? *t : QStringLiteral("<no cell>");
}

QByteArray cp1251Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += *Cp1251::encode(l) + "\r\n";
    return out;
}

// A small project: N = 2, K = 3, integral form, Funk-Dinger.
QStringList sampleLines()
{
    return {QStringLiteral("Смесь №5"), QStringLiteral("2"),
            QStringLiteral("Песок"), QStringLiteral("Цемент"),
            QStringLiteral("2,65"), QStringLiteral("3.1"),
            QStringLiteral("1"), QStringLiteral("3"),
            QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16"),
            QStringLiteral("100"), QStringLiteral("100"),
            QStringLiteral("70"), QString(),
            QStringLiteral("20"), QStringLiteral("10"),
            QStringLiteral("60"), QStringLiteral("40"),
            QStringLiteral("1"),
            QStringLiteral("0,5"), QStringLiteral("0"), QStringLiteral("0,5"), QStringLiteral("0,1"), QStringLiteral("10"),
            QStringLiteral("100"), QStringLiteral("39,11"), QStringLiteral("0")};
}

struct Project
{
    MixProject p;
    Project()
    {
        ConnectInputHandlers(p);
        p.startUp();
    }
};

} // namespace

class TestProjectFile final : public QObject
{
    Q_OBJECT

private slots:
    void lineCount_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::newRow("N=1 K=2") << 1 << 2;
        QTest::newRow("N=3 K=7") << 3 << 7;
        QTest::newRow("N=10 K=50") << 10 << 50;
    }
    void lineCount()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        Project pr;
        pr.p.N.setText(QString::number(n));
        pr.p.K.setText(QString::number(k));
        const auto bytes = ProjectFile::ProjectBytes(pr.p, nullptr);
        QVERIFY(bytes);
        QCOMPARE(int(bytes->count("\r\n")), 10 + 3 * n + 2 * k + k * n);
        QVERIFY(bytes->endsWith("\r\n"));
    }

    void roundTrip()
    {
        QTemporaryDir dir;
        const QByteArray original = cp1251Lines(sampleLines());
        Project a;
        QString error;
        QVERIFY2(ProjectFile::LoadProjectBytes(a.p, original, QStringLiteral("sample"), &error), qPrintable(error));
        QCOMPARE(a.p.project_name.text(), QStringLiteral("Смесь №5"));
        QCOMPARE(txt(a.p.tabl[2], 1, 1), QStringLiteral("3.1"));
        QCOMPARE(txt(a.p.tabl[3], 2, 2), QString());
        QCOMPARE(a.p.CorrectedRecipe[2], 40.0f);
        QCOMPARE(a.p.SBegunok[1].value(), 6000);
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        QVERIFY2(ProjectFile::SaveProject(a.p, path, &error), qPrintable(error));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
        Project b;
        QVERIFY(ProjectFile::LoadProject(b.p, path, &error));
        const QString path2 = dir.filePath(QStringLiteral("p2.txt"));
        QVERIFY(ProjectFile::SaveProject(b.p, path2, &error));
        QFile f2(path2);
        QVERIFY(f2.open(QIODevice::ReadOnly));
        QCOMPARE(f2.readAll(), original);
    }

    void countsAreNormalised()
    {
        QStringList lines = sampleLines();
        lines[1] = QStringLiteral("2,0");
        lines[7] = QStringLiteral(" 3");
        lines[6] = QStringLiteral("3");  // unknown form: the options stay
        lines[19] = QStringLiteral("0"); // unknown kind: the options stay
        Project pr;
        pr.p.selectReference(ReferenceKind::Bolomey);
        QString error;
        QVERIFY2(ProjectFile::LoadProjectBytes(pr.p, cp1251Lines(lines), QStringLiteral("x"), &error), qPrintable(error));
        QCOMPARE(pr.p.N.text(), QStringLiteral("2"));
        QCOMPARE(pr.p.K.text(), QStringLiteral("3"));
        QVERIFY(pr.p.Data_type_1.isChecked());
        QCOMPARE(*pr.p.referenceKind(), ReferenceKind::Bolomey);
    }

    void manualReferenceRoundTrip()
    {
        QStringList lines = sampleLines();
        lines[19] = QStringLiteral("5");
        lines[25] = QStringLiteral("100");
        lines[26] = QStringLiteral("55");
        lines[27] = QStringLiteral("3");
        Project pr;
        QString error;
        QVERIFY(ProjectFile::LoadProjectBytes(pr.p, cp1251Lines(lines), QStringLiteral("x"), &error));
        QCOMPARE(txt(pr.p.tabl[5], 0, 2), QStringLiteral("1,25"));
        QCOMPARE(txt(pr.p.tabl[5], 1, 2), QStringLiteral("55"));
        QCOMPARE(pr.p.ReferenceCurve[2], 55.0f);
        QCOMPARE(*ProjectFile::ProjectBytes(pr.p, nullptr), cp1251Lines(lines));
    }

    // A refused file leaves the project exactly as it was.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QStringList lines = sampleLines();
        QTest::newRow("ends early") << cp1251Lines(lines.mid(0, 20));
        lines[1] = QStringLiteral("11");
        QTest::newRow("N above 10") << cp1251Lines(lines);
        lines = sampleLines();
        lines[1] = QStringLiteral("0");
        QTest::newRow("N zero") << cp1251Lines(lines);
        lines = sampleLines();
        lines[7] = QStringLiteral("1");
        QTest::newRow("K below 2") << cp1251Lines(lines);
        lines[7] = QStringLiteral("51");
        QTest::newRow("K above 50") << cp1251Lines(lines);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("PK\x03\x04\0\0\0", 7);
        QTest::newRow("undefined byte") << QByteArray("\x98\r\n2\r\n");
        QTest::newRow("too large") << QByteArray(ProjectFile::MaxFileSize + 1, 'a');
    }
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        Project pr;
        QString error;
        QVERIFY(ProjectFile::LoadProjectBytes(pr.p, cp1251Lines(sampleLines()), QStringLiteral("good"), &error));
        const QByteArray before = *ProjectFile::ProjectBytes(pr.p, nullptr);
        const float divergence = pr.p.CurveDivergence;
        QVERIFY(!ProjectFile::LoadProjectBytes(pr.p, bytes, QStringLiteral("bad.txt"), &error));
        QVERIFY(error.contains(QStringLiteral("bad.txt")));
        QCOMPARE(*ProjectFile::ProjectBytes(pr.p, nullptr), before);
        QCOMPARE(pr.p.CurveDivergence, divergence);
    }

    void saveRefusesTextOutsideTheCodePage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old project");
        old.close();
        Project pr;
        pr.p.project_name.setText(QStringLiteral("Смесь 😀"));
        QString error;
        QVERIFY(!ProjectFile::SaveProject(pr.p, path, &error));
        QVERIFY(error.contains(QStringLiteral("Смесь 😀")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old project"));
    }

    void saveFailureNamesTheFile()
    {
        Project pr;
        QString error;
        const QString path = QStringLiteral("/nonexistent-folder/p.txt");
        QVERIFY(!ProjectFile::SaveProject(pr.p, path, &error));
        QVERIFY(error.contains(QStringLiteral("p.txt")));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
