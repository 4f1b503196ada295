#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Recalculate.h"
#include "files/Cp1251.h"
#include "files/ProjectFile.h"

#include <QTemporaryDir>
#include <QTest>

#include "support/CellText.h"
#include "support/Compare.h"
#include "support/ProjectBuilder.h"

using TestSupport::ProjectBuilder;

namespace {

QByteArray cp1251Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += *Cp1251::encode(l) + "\r\n";
    return out;
}

// The worked example as a file: a density with a decimal point, an empty composition cell, and
// the Funk-Dinger values shown in the reference table (N = 2, K = 3, integral form).
ProjectBuilder sample()
{
    return TestSupport::workedExample()
        .densities({QStringLiteral("2,65"), QStringLiteral("3.1")})
        .composition(2, {QStringLiteral("100"), QString(), QStringLiteral("10")});
}

QStringList sampleLines()
{
    return sample().fileLines();
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

    // The differential project: the file selects the differential form, the curves follow from
    // the partial residues (hand calculation in the test support), and saving writes the same
    // bytes, its last block holding the Fuller values 100, 50, 25, 12,5 shown in the table.
    void differentialProjectRoundTrip()
    {
        const ProjectBuilder project = TestSupport::differentialProject();
        const QByteArray file = project.fileBytes();
        QCOMPARE(int(file.count("\r\n")), 10 + 3 * 2 + 2 * 4 + 4 * 2);
        Project pr;
        MixProject &p = pr.p;
        QString error;
        QVERIFY2(ProjectFile::LoadProjectBytes(p, file, QStringLiteral("d.txt"), &error), qPrintable(error));
        QVERIFY(p.Data_type_2.isChecked());
        QVERIFY(!p.Data_type_1.isChecked());
        QCOMPARE(*p.referenceKind(), ReferenceKind::Fuller);
        QCOMPARE(txt(p.tabl[3], 0, 1), QStringLiteral("Щебень"));
        QCOMPARE(txt(p.tabl[3], 3, 2), QStringLiteral("40"));
        QCOMPARE(txt(p.tabl[5], 0, 4), QStringLiteral("0,0625"));
        QCOMPARE(txt(p.tabl[5], 1, 4), QStringLiteral("12,5"));
        QCOMPARE(p.CorrectedRecipe[1], 40.0f);
        QCOMPARE(p.CorrectedRecipe[2], 60.0f);
        QCOMPARE(p.SBegunok[2].value(), 6000);
        const float curve[] = {95, 70, 35, 0};
        for (int j = 1; j <= 4; ++j) {
            COMPARE_NEAR(p.BaseMixCurve[j], curve[j - 1], 1e-4);
            COMPARE_NEAR(p.CorrectedMixCurve[j], curve[j - 1], 1e-4);
        }
        COMPARE_NEAR(p.CurveDivergence, 20, 1e-4);
        QCOMPARE(*ProjectFile::ProjectBytes(p, nullptr), file);
    }

    // The closing steps of opening run component by component: the corrected fraction, its
    // slider, its lock released. A base-recipe cell that is not a number stops them there; the
    // components before it are done, the ones from it on keep fraction, slider and lock.
    void closingSteps_data()
    {
        QTest::addColumn<QStringList>("recipe");
        QTest::addColumn<int>("done");
        QTest::newRow("all numbers: every lock released") << QStringList{QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("50")} << 3;
        QTest::newRow("letters in 2") << QStringList{QStringLiteral("30"), QStringLiteral("x"), QStringLiteral("50")} << 1;
        QTest::newRow("empty 2") << QStringList{QStringLiteral("30"), QString(), QStringLiteral("50")} << 1;
        QTest::newRow("letters in 1") << QStringList{QStringLiteral("abc"), QStringLiteral("20"), QStringLiteral("50")} << 0;
        QTest::newRow("letters in 3") << QStringList{QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("5o")} << 2;
    }
    void closingSteps()
    {
        QFETCH(QStringList, recipe);
        QFETCH(int, done);
        const ProjectBuilder three = ProjectBuilder()
                                         .names({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
                                         .densities({QStringLiteral("2,65"), QStringLiteral("2,65"), QStringLiteral("2,65")})
                                         .sizes({QStringLiteral("5"), QStringLiteral("1")});
        Project pr;
        MixProject &p = pr.p;
        QVERIFY(three.typeInto(p));
        // Before opening: every component locked, fractions and sliders of another recipe.
        const float before[] = {10, 25, 65};
        p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
        for (int i = 1; i <= 3; ++i) {
            p.CorrectedRecipe.set(i, before[i - 1]);
            p.SBegunok[i].setValue(int(before[i - 1] * 100));
            p.MLock[i].setChecked(true);
        }
        p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
        QString error;
        QVERIFY2(ProjectFile::LoadProjectBytes(p, ProjectBuilder(three).baseRecipe(recipe).fileBytes(), QStringLiteral("x"), &error),
                 qPrintable(error));
        const float opened[] = {30, 20, 50};
        for (int i = 1; i <= 3; ++i) {
            const bool isDone = i <= done;
            QCOMPARE(p.CorrectedRecipe[i], isDone ? opened[i - 1] : before[i - 1]);
            QCOMPARE(p.SBegunok[i].value(), int((isDone ? opened[i - 1] : before[i - 1]) * 100));
            QCOMPARE(p.MLock[i].isChecked(), !isDone);
        }
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
