#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "support/Compare.h"

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run cli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(PALVEX_CLI), args);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString data(const char *name)
{
    return QStringLiteral(PALVEX_SOURCE_DIR "/tests/data/") + QString::fromLatin1(name);
}

} // namespace

class TestCli final : public QObject
{
    Q_OBJECT

private slots:
    void calcPrintsTheDocumentedJson()
    {
        const Run r = cli({QStringLiteral("calc"), data("small.txt")});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        for (const char *key : {"name", "N", "K", "data_form", "reference_kind", "sizes", "base_recipe", "corrected_recipe",
                                "base_volume_fractions", "corrected_volume_fractions", "base_curve", "corrected_curve",
                                "reference_curve", "deviations", "divergence", "band_upper", "band_lower", "valid", "errors"})
            QVERIFY2(o.contains(QLatin1String(key)), key);
        QCOMPARE(o[QStringLiteral("name")].toString(), QStringLiteral("Смесь №5"));
        QCOMPARE(o[QStringLiteral("N")].toInt(), 2);
        QCOMPARE(o[QStringLiteral("K")].toInt(), 3);
        const QJsonArray v = o[QStringLiteral("base_volume_fractions")].toArray();
        COMPARE_NEAR(v[0].toDouble(), 63.6986, 1e-4);
        const QJsonArray curve = o[QStringLiteral("base_curve")].toArray();
        COMPARE_NEAR(curve[1].toDouble(), 62.7397, 1e-4);
        // The corrected recipe starts as the base recipe; floats read back exactly.
        QCOMPARE(o[QStringLiteral("corrected_recipe")].toArray()[0].toDouble(), 60.0);
        QCOMPARE(float(o[QStringLiteral("sizes")].toArray()[1].toDouble()), 1.25f);
        QCOMPARE(float(o[QStringLiteral("sizes")].toArray()[2].toDouble()), 0.16f);
        const QJsonObject valid = o[QStringLiteral("valid")].toObject();
        QVERIFY(valid[QStringLiteral("all")].toBool());
        QVERIFY(o[QStringLiteral("errors")].toArray().isEmpty());
    }

    void calcWithCorrectedRecipe()
    {
        const Run r = cli({QStringLiteral("calc"), data("small.txt"), QStringLiteral("--corrected"), QStringLiteral("100,0")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o[QStringLiteral("corrected_curve")].toArray()[1].toDouble(), 70.0);
    }

    // The same seed gives the same walk, and the walk lowers the divergence of the opened
    // project without going below the exact optimum under the same lock, keeping the locked
    // fraction and a recipe that sums to 100 %.
    void searchImprovesAndIsReproducible()
    {
        const QString file = QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt");
        const QStringList args{QStringLiteral("search"), file, QStringLiteral("--steps"), QStringLiteral("3000"),
                               QStringLiteral("--seed"), QStringLiteral("9"), QStringLiteral("--lock"), QStringLiteral("5")};
        const Run a = cli(args), b = cli(args);
        QCOMPARE(a.status, 0);
        QCOMPARE(a.out, b.out);
        const QJsonObject o = QJsonDocument::fromJson(a.out).object();
        QCOMPARE(o[QStringLiteral("steps")].toInt(), 3000);
        QVERIFY(o[QStringLiteral("adopted")].toInt() > 0);

        const Run opened = cli({QStringLiteral("calc"), file});
        QCOMPARE(opened.status, 0);
        const double start = QJsonDocument::fromJson(opened.out).object()[QStringLiteral("divergence")].toDouble();
        const Run best = cli({QStringLiteral("optimum"), file, QStringLiteral("--lock"), QStringLiteral("5")});
        QCOMPARE(best.status, 0);
        const double optimum = QJsonDocument::fromJson(best.out).object()[QStringLiteral("optimum")].toDouble();
        const double reached = o[QStringLiteral("divergence")].toDouble();
        QVERIFY2(reached < start, qPrintable(QStringLiteral("%1 -> %2").arg(start).arg(reached)));
        // The search keeps its divergence rounded to 2 decimals.
        QVERIFY2(reached >= optimum - 0.005, qPrintable(QStringLiteral("%1 below the optimum %2").arg(reached).arg(optimum)));

        const QJsonArray recipe = o[QStringLiteral("corrected_recipe")].toArray();
        QCOMPARE(recipe[4].toDouble(), 20.0);
        double sum = 0;
        for (const QJsonValue &m : recipe)
            sum += m.toDouble();
        COMPARE_NEAR(sum, 100, 0.01);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QStringList{QStringLiteral("calc"), QStringLiteral("/nonexistent/p.txt")} << QStringLiteral("p.txt");
        QTest::newRow("N above 10") << QStringList{QStringLiteral("calc"), data("bad-count.txt")} << QStringLiteral("bad-count.txt");
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << QStringLiteral("frobnicate");
        QTest::newRow("bad option") << QStringList{QStringLiteral("calc"), data("small.txt"), QStringLiteral("--x"), QStringLiteral("1")} << QStringLiteral("--x");
        QTest::newRow("steps missing") << QStringList{QStringLiteral("search"), data("small.txt"), QStringLiteral("--seed"), QStringLiteral("1")} << QStringLiteral("--steps");
        QTest::newRow("bad bounds") << QStringList{QStringLiteral("search"), data("small.txt"), QStringLiteral("--steps"), QStringLiteral("1"),
                                                   QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--bounds"), QStringLiteral("20:20,0:100")}
                                    << QStringLiteral("20:20");
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
    }

    void reportCommand()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("r.docx"));
        const Run r = cli({QStringLiteral("report"), data("small.txt"), QStringLiteral("-o"), out, QStringLiteral("--sections"),
                           QStringLiteral("1,10,11")});
        QCOMPARE(r.status, 0);
        QVERIFY(QFileInfo(out).size() > 1000);
        const Run bad = cli({QStringLiteral("report"), data("small.txt"), QStringLiteral("-o"), out, QStringLiteral("--sections"),
                             QStringLiteral("12")});
        QCOMPARE(bad.status, 2);
    }

    void help()
    {
        const Run r = cli({QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("calc FILE"));
        QVERIFY(r.out.contains("search FILE"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
