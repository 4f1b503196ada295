// palvex-cli as a user runs it: its JSON, its refusals (exit status 2 and one line), db and save.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringDecoder>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "Version.h"
#include "support/Compare.h"

namespace {

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// palvex-cli run with the locale LANG = `lang` (none if empty).
Run cli(const QStringList &args, const QString &lang = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QString::fromLatin1(name));
    if (!lang.isEmpty())
        env.insert(QStringLiteral("LANG"), lang);
    process.setProcessEnvironment(env);
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

    // optimum with prices, an envelope and the optimiser's constraints on small.txt, worked out
    // on paper. A volume share a of the first component gives the mix 50 + 20a at 1,25 and
    // 10 + 10a at 0,16 against the reference 39,1071587 and 0: the divergence is
    // 10,8928413 + 20a. Its mass share is 2,65a / (2,65a + 3,1(1 - a)); with the prices 1000 and
    // 2500 a tonne costs 1000 at a = 1 and 2500 at a = 0.
    void optimumAimsAndConstraints_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("divergence");
        QTest::addColumn<double>("firstMass");
        QTest::addColumn<QVariant>("cost"); // null without prices
        QTest::addColumn<int>("used");
        QTest::addColumn<QVariant>("envelopeOk"); // null without an envelope
        const QVariant none = QVariant::fromValue(nullptr);
        const QString prices = QStringLiteral("1000,2500");
        // The smallest divergence: the second component alone, as before.
        QTest::newRow("divergence") << QStringList{} << 10.8928413 << 0.0 << none << 1 << none;
        QTest::newRow("divergence, priced") << QStringList{QStringLiteral("--prices"), prices} << 10.8928413 << 0.0 << QVariant(2500.0) << 1 << none;
        // At least 60 at 1,25: a >= 0,5, divergence 20,8928413, mass 46,0869565 %.
        QTest::newRow("divergence, lower limit") << QStringList{QStringLiteral("--envelope"), QStringLiteral(":,60:,:")} << 20.8928413
                                                 << 46.0869565 << none << 2 << QVariant(true);
        // The cheapest: the first component alone.
        QTest::newRow("cost") << QStringList{QStringLiteral("--objective"), QStringLiteral("cost"), QStringLiteral("--prices"), prices}
                              << 30.8928413 << 100.0 << QVariant(1000.0) << 1 << none;
        // At most 20 points: a = 0,455357935, mass 41,6808795 %, cost 1874,78681.
        QTest::newRow("cost, D 20") << QStringList{QStringLiteral("--objective"), QStringLiteral("cost"), QStringLiteral("--prices"), prices,
                                                   QStringLiteral("--max-divergence"), QStringLiteral("20")}
                                    << 20.0 << 41.6808795 << QVariant(1874.78681) << 2 << none;
        // At most 55 at 1,25: a <= 0,25, mass 22,1757322 %, cost 2167,36402.
        QTest::newRow("cost, upper limit") << QStringList{QStringLiteral("--objective"), QStringLiteral("cost"), QStringLiteral("--prices"),
                                                          prices, QStringLiteral("--envelope"), QStringLiteral(":,:55,:")}
                                           << 15.8928413 << 22.1757322 << QVariant(2167.36402) << 2 << QVariant(true);
        // One component within that limit: only the second one stays under it.
        QTest::newRow("cost, upper limit, one component")
            << QStringList{QStringLiteral("--objective"), QStringLiteral("cost"), QStringLiteral("--prices"), prices,
                           QStringLiteral("--envelope"), QStringLiteral(":,:55,:"), QStringLiteral("--max-components"), QStringLiteral("1")}
            << 10.8928413 << 0.0 << QVariant(2500.0) << 1 << QVariant(true);
    }
    void optimumAimsAndConstraints()
    {
        QFETCH(QStringList, options);
        QFETCH(double, divergence);
        QFETCH(double, firstMass);
        QFETCH(QVariant, cost);
        QFETCH(int, used);
        QFETCH(QVariant, envelopeOk);
        const Run r = cli(QStringList{QStringLiteral("optimum"), data("small.txt")} + options);
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        COMPARE_NEAR(o[QStringLiteral("optimum")].toDouble(), divergence, 1e-5);
        const QJsonArray recipe = o[QStringLiteral("corrected_recipe")].toArray();
        COMPARE_NEAR(recipe[0].toDouble(), firstMass, 1e-4);
        COMPARE_NEAR(recipe[1].toDouble(), 100 - firstMass, 1e-4);
        if (cost.isNull())
            QVERIFY(o[QStringLiteral("cost")].isNull());
        else
            COMPARE_NEAR(o[QStringLiteral("cost")].toDouble(), cost.toDouble(), 1e-3);
        QCOMPARE(o[QStringLiteral("components_used")].toInt(), used);
        if (envelopeOk.isNull())
            QVERIFY(o[QStringLiteral("envelope_ok")].isNull());
        else
            QCOMPARE(o[QStringLiteral("envelope_ok")].toBool(), envelopeOk.toBool());
        QVERIFY(!o.contains(QStringLiteral("pareto")));
    }

    // The front of 5 points runs from the smallest divergence (a = 0) to that of the cheapest
    // recipe (a = 1) in steps of 5 points: a = 0, 1/4, 1/2, 3/4, 1.
    void optimumFront()
    {
        const Run r = cli({QStringLiteral("optimum"), data("small.txt"), QStringLiteral("--prices"), QStringLiteral("1000,2500"),
                           QStringLiteral("--pareto"), QStringLiteral("5")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        const QJsonArray front = o[QStringLiteral("pareto")].toArray();
        QCOMPARE(front.size(), 5);
        const double costs[5] = {2500, 2167.36402, 1808.69565, 1420.81448, 1000};
        const double masses[5] = {0, 22.1757322, 46.0869565, 71.9457014, 100};
        for (int k = 0; k < 5; ++k) {
            const QJsonObject point = front[k].toObject();
            COMPARE_NEAR(point[QStringLiteral("divergence")].toDouble(), 10.8928413 + 5 * k, 1e-5);
            COMPARE_NEAR(point[QStringLiteral("cost")].toDouble(), costs[k], 1e-3);
            const QJsonArray recipe = point[QStringLiteral("recipe")].toArray();
            QCOMPARE(recipe.size(), 2);
            COMPARE_NEAR(recipe[0].toDouble(), masses[k], 1e-4);
            COMPARE_NEAR(recipe[1].toDouble(), 100 - masses[k], 1e-4);
        }
        // The adopted recipe is the one of the smallest divergence.
        COMPARE_NEAR(o[QStringLiteral("optimum")].toDouble(), 10.8928413, 1e-5);
    }

    // No recipe satisfies the constraints: exit status 1 and one line naming those in conflict.
    void optimumInfeasible_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("named");
        // At least 60 at 1,25 needs a >= 0,5, a divergence of at least 20,89.
        QTest::newRow("envelope and D") << QStringList{QStringLiteral("--prices"), QStringLiteral("1000,2500"), QStringLiteral("--objective"),
                                                       QStringLiteral("cost"), QStringLiteral("--envelope"), QStringLiteral(":,60:,:"),
                                                       QStringLiteral("--max-divergence"), QStringLiteral("15")}
                                        << QStringList{QStringLiteral("расхождение не более 15 %"), QStringLiteral("Dj = 1,25")};
        // Between 55 and 65 at 1,25 needs a blend.
        QTest::newRow("envelope and one component")
            << QStringList{QStringLiteral("--envelope"), QStringLiteral(":,55:65,:"), QStringLiteral("--max-components"), QStringLiteral("1")}
            << QStringList{QStringLiteral("не более 1 компонент"), QStringLiteral("Dj = 1,25")};
        // The first component locked at 60 % (its base share) and bounded to 0..50 %.
        QTest::newRow("a lock outside its bounds")
            << QStringList{QStringLiteral("--lock"), QStringLiteral("1"), QStringLiteral("--bounds"), QStringLiteral("0:50,0:100")}
            << QStringList{QStringLiteral("вне его границ")};
    }
    void optimumInfeasible()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, named);
        const Run r = cli(QStringList{QStringLiteral("optimum"), data("small.txt")} + options);
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
        const QString err = QString::fromUtf8(r.err);
        for (const QString &name : named)
            QVERIFY2(err.contains(name), qPrintable(err));
    }

    // Bad arguments of optimum: exit status 2, one line naming what is wrong.
    void optimumRefusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        auto row = [](const char *name, const QStringList &options, const char *message) {
            QTest::newRow(name) << options << QString::fromUtf8(message);
        };
        row("unknown aim", {QStringLiteral("--objective"), QStringLiteral("price")}, "--objective");
        row("cost without prices", {QStringLiteral("--objective"), QStringLiteral("cost")}, "--objective cost");
        row("cost with a price missing", {QStringLiteral("--objective"), QStringLiteral("cost"), QStringLiteral("--prices"), QStringLiteral("1000,")},
            "--objective cost");
        row("too few prices", {QStringLiteral("--prices"), QStringLiteral("1000")}, "--prices");
        row("a negative price", {QStringLiteral("--prices"), QStringLiteral("1000,-1")}, "-1");
        row("a price not a number", {QStringLiteral("--prices"), QStringLiteral("1000,x")}, "\"x\"");
        row("negative D", {QStringLiteral("--max-divergence"), QStringLiteral("-1")}, "--max-divergence");
        row("D not a number", {QStringLiteral("--max-divergence"), QStringLiteral("five")}, "--max-divergence");
        row("no components", {QStringLiteral("--max-components"), QStringLiteral("0")}, "--max-components");
        row("more components than N", {QStringLiteral("--max-components"), QStringLiteral("3")}, "--max-components");
        row("too few envelope pairs", {QStringLiteral("--envelope"), QStringLiteral(":,:")}, "--envelope");
        row("a pair without its colon", {QStringLiteral("--envelope"), QStringLiteral(":,50,:")}, "\"50\"");
        row("a lower limit above the upper", {QStringLiteral("--envelope"), QStringLiteral(":,70:60,:")}, "\"70:60\"");
        row("a limit above 100", {QStringLiteral("--envelope"), QStringLiteral(":,:101,:")}, "\":101\"");
        row("no front points", {QStringLiteral("--prices"), QStringLiteral("1,2"), QStringLiteral("--pareto"), QStringLiteral("0")}, "--pareto");
        row("a front without prices", {QStringLiteral("--pareto"), QStringLiteral("5")}, "--pareto");
    }
    void optimumRefusals()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        // The messages as the English catalogue words them.
        const Run r = cli(QStringList{QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("optimum"), data("small.txt")} + options);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    }

    // The command line itself: where options may stand, what each list of arguments prints and
    // its exit status. `out` and `err` are parts of what is printed ("" for anything).
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString small = data("small.txt");
        const auto l = [](std::initializer_list<const char *> items) {
            QStringList list;
            for (const char *i : items)
                list << QString::fromUtf8(i);
            return list;
        };
        QTest::newRow("--version") << l({"--version"}) << 0 << QStringLiteral("palvex-cli " PALVEX_VERSION "\n") << QString();
        QTest::newRow("-v") << l({"-v"}) << 0 << QStringLiteral("palvex-cli " PALVEX_VERSION) << QString();
        QTest::newRow("--help lists every command") << l({"--help"}) << 0 << QStringLiteral("save IN OUT") << QString();
        QTest::newRow("--help names --lang") << l({"-h"}) << 0 << QStringLiteral("--lang en|ru") << QString();
        QTest::newRow("a command's help") << l({"optimum", "--help"}) << 0 << QStringLiteral("optimum FILE [--bounds") << QString();
        QTest::newRow("nothing: the help, refused") << QStringList{} << 2 << QString() << QStringLiteral("calc FILE");
        QTest::newRow("an unknown option before the command") << l({"--frobnicate", "calc"}) << 2 << QString()
                                                             << QStringLiteral("--frobnicate");
        QTest::newRow("an unknown single-dash option") << (l({"calc", "-x"}) << small) << 2 << QString() << QStringLiteral("-x");
        QTest::newRow("no project") << l({"calc"}) << 2 << QString() << QStringLiteral("calc: ");
        QTest::newRow("two projects") << (l({"calc"}) << small << small) << 2 << QString() << QStringLiteral("calc: ");
        QTest::newRow("no workbook") << l({"db"}) << 2 << QString() << QStringLiteral("db: ");
        QTest::newRow("an option without its value") << (l({"calc"}) << small << QStringLiteral("--corrected")) << 2 << QString()
                                                     << QStringLiteral("--corrected");
        QTest::newRow("save with one file") << (l({"save"}) << small) << 2 << QString() << QStringLiteral("save: ");
        QTest::newRow("an unknown language") << (l({"--lang", "de", "calc"}) << small) << 2 << QString() << QStringLiteral("de");
        // Options may stand before the file, with "=", and --lang before or after the command.
        QTest::newRow("the option before the file") << (l({"calc", "--corrected", "100,0"}) << small) << 0
                                                    << QStringLiteral("\"corrected_curve\": [100, 70,") << QString();
        QTest::newRow("option=value") << (l({"calc"}) << small << QStringLiteral("--corrected=100,0")) << 0
                                      << QStringLiteral("\"corrected_curve\": [100, 70,") << QString();
        QTest::newRow("--lang before the command") << (l({"--lang", "ru", "calc"}) << small) << 0 << QStringLiteral("\"N\": 2")
                                                   << QString();
        QTest::newRow("--lang after the command") << (l({"calc"}) << small << QStringLiteral("--lang=ru")) << 0
                                                  << QStringLiteral("\"N\": 2") << QString();
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = cli(args);
        QCOMPARE(r.status, status);
        QVERIFY2(QString::fromUtf8(r.out).contains(out), r.out.constData());
        QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
        if (status == 2 && !args.isEmpty()) {
            QVERIFY(r.out.isEmpty());
            QCOMPARE(r.err.count('\n'), 1);
        }
    }

    // The report needs a painting application: found behind --lang too.
    void reportAfterTheLanguage()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("r.docx"));
        const Run r = cli({QStringLiteral("--lang"), QStringLiteral("ru"), QStringLiteral("report"), data("small.txt"), QStringLiteral("-o"), out});
        QCOMPARE(r.status, 0);
        QVERIFY(QFileInfo(out).size() > 1000);
    }

    // The language of the messages: --lang, else the system's (English where the locale is
    // English), Russian otherwise. `lang` is LANG ("" for none: the tests' own C locale).
    void languages_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QStringList missing{QStringLiteral("calc"), QStringLiteral("/nonexistent/p.txt")};
        const QStringList unknown{QStringLiteral("calc"), data("small.txt"), QStringLiteral("--x")};
        QTest::newRow("default: Russian") << QString() << missing << QStringLiteral("Не удалось открыть файл «/nonexistent/p.txt»: файл не найден.");
        QTest::newRow("German desktop: Russian") << QStringLiteral("de_DE.UTF-8") << missing << QStringLiteral("Не удалось открыть файл");
        QTest::newRow("English desktop") << QStringLiteral("en_US.UTF-8") << missing
                                         << QStringLiteral("Could not open the file “/nonexistent/p.txt”: file not found.");
        QTest::newRow("British desktop") << QStringLiteral("en_GB.UTF-8") << unknown << QStringLiteral("calc: unknown option --x (see --help)");
        QTest::newRow("--lang en") << QString() << (QStringList{QStringLiteral("--lang"), QStringLiteral("en")} + missing)
                                   << QStringLiteral("Could not open the file");
        QTest::newRow("--lang ru on an English desktop") << QStringLiteral("en_US.UTF-8") << (unknown + QStringList{QStringLiteral("--lang=ru")})
                                                         << QStringLiteral("calc: неизвестный параметр --x");
        QTest::newRow("a refused project, in English") << QStringLiteral("en_US.UTF-8") << QStringList{QStringLiteral("calc"), data("bad-count.txt")}
                                                       << QStringLiteral("the number of components (line 2: “12”) must be from 1 to 10.");
        QTest::newRow("an unknown language, in the desktop's") << QStringLiteral("en_US.UTF-8") << (QStringList{QStringLiteral("--lang"), QStringLiteral("fr")} + missing)
                                                               << QStringLiteral("--lang: \"fr\" is not a language of the program (en or ru)");
    }
    void languages()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(args, lang);
        QCOMPARE(r.status, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    }

    // In English the messages in the JSON are English; its keys stay as they are.
    void englishJson()
    {
        QTemporaryDir dir;
        QFile small(data("small.txt"));
        QVERIFY(small.open(QIODevice::ReadOnly));
        const QString path = dir.filePath(QStringLiteral("recipe-90.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(small.readAll().replace("\r\n60\r\n40\r\n", "\r\n60\r\n30\r\n"));
        f.close();
        const Run russian = cli({QStringLiteral("calc"), path});
        const Run english = cli({QStringLiteral("calc"), path}, QStringLiteral("en_US.UTF-8"));
        QCOMPARE(english.status, 0);
        const QJsonObject ru = QJsonDocument::fromJson(russian.out).object();
        const QJsonObject en = QJsonDocument::fromJson(english.out).object();
        QCOMPARE(en.keys(), ru.keys());
        QCOMPARE(ru[QStringLiteral("errors")].toArray(), QJsonArray{QStringLiteral("Таблица содержит ошибки (сумма массовых долей <> 100%)!")});
        QCOMPARE(en[QStringLiteral("errors")].toArray(),
                 QJsonArray{QStringLiteral("The table has errors (the mass fractions do not add up to 100%)!")});
        QCOMPARE(en[QStringLiteral("valid")].toObject(), ru[QStringLiteral("valid")].toObject());
        QCOMPARE(en[QStringLiteral("base_curve")].toArray(), ru[QStringLiteral("base_curve")].toArray());
    }

    // The help in English.
    void englishHelp()
    {
        const Run r = cli({QStringLiteral("--help")}, QStringLiteral("en_US.UTF-8"));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith("Usage: palvex-cli [--lang en|ru] COMMAND [ARGS]\n"), r.out.constData());
        QVERIFY(r.out.contains("Finds the best recipe exactly"));
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

    // The database as the selection window reads it, as JSON.
    void dbPrintsTheDatabase()
    {
        const Run r = cli({QStringLiteral("db"), data("components-openpyxl.xlsx"), QStringLiteral("--settings"),
                           QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini")});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray sizes = o[QStringLiteral("sizes")].toArray();
        QCOMPARE(sizes.size(), 10);
        QCOMPARE(sizes[0].toDouble(), 0.071);
        QCOMPARE(sizes[9].toDouble(), 40.0);
        const QJsonArray names = o[QStringLiteral("names")].toArray();
        QCOMPARE(names.size(), 9);
        QCOMPARE(names[4].toString(), QStringLiteral("Цемент [ЦЕМ I 42,5Н]"));
        QCOMPARE(o[QStringLiteral("total_masses")].toArray()[0].toDouble(), 1000.0);
        const QJsonArray forms = o[QStringLiteral("forms")].toArray();
        QCOMPARE(forms.size(), 9);
        const QJsonArray finest = forms[0].toArray()[0].toArray(); // component 1, size class 1
        QCOMPARE(finest.size(), 6);
        QCOMPARE(finest[0].toDouble(), 60.0); // grams retained
        QCOMPARE(finest[1].toDouble(), 6.0);  // percent
        QCOMPARE(finest[2].toDouble(), 960.0);
        QCOMPARE(finest[3].toDouble(), 96.0);
        QCOMPARE(finest[4].toDouble(), 40.0);
        QCOMPARE(finest[5].toDouble(), 4.0);
        QCOMPARE(o[QStringLiteral("warnings")].toArray().size(), 0);
        // Without --settings: app_setups.ini beside the program, as the window finds it.
        const Run beside = cli({QStringLiteral("db"), data("components-openpyxl.xlsx")});
        QCOMPARE(beside.status, 0);
        QCOMPARE(QJsonDocument::fromJson(beside.out).object()[QStringLiteral("names")].toArray().size(), 9);
    }

    // A total mass out of reach: null where a form is empty, and the warning on stderr too.
    void dbShowsEmptyFormsAsNull()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath(QStringLiteral("app_setups.ini"));
        QFile f(settings);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2:3,2:13\r\n3:1,3:2\r\n");
        f.close();
        const Run r = cli({QStringLiteral("db"), data("components-openpyxl.xlsx"), QStringLiteral("--settings"), settings});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QVERIFY(o[QStringLiteral("sizes")].toArray()[10].isNull());
        QVERIFY(o[QStringLiteral("total_masses")].toArray()[0].isNull());
        const QJsonArray finest = o[QStringLiteral("forms")].toArray()[0].toArray()[0].toArray();
        QCOMPARE(finest[0].toDouble(), 60.0);
        QVERIFY(finest[1].isNull() && finest[5].isNull());
        QCOMPARE(o[QStringLiteral("warnings")].toArray().size(), 2);
        QVERIFY(QString::fromUtf8(r.err).contains(QStringLiteral("столбец 14")));
    }

    // Every hostile file is refused with exit status 2 and one line.
    void dbRefusals_data()
    {
        QTest::addColumn<QString>("book");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("message");
        const QString corpus = QStringLiteral(PALVEX_SOURCE_DIR "/fuzz/corpus/");
        const QString settings = QStringLiteral(PALVEX_SOURCE_DIR "/examples/app_setups.ini");
        for (const char *name : {"deep-inline-string.xlsx", "deep-shared-string.xlsx", "entity-100k-refs.xlsx", "entity-1m-refs.xlsx",
                                 "rows-2.4m.xlsx"})
            QTest::newRow(name) << corpus + QStringLiteral("workbook/") + QString::fromLatin1(name) << settings << QString::fromLatin1(name);
        for (const char *name : {"settings-c1-overflow.ini", "settings-int-max.ini", "settings-total-column-overflow.ini"})
            QTest::newRow(name) << data("components-openpyxl.xlsx") << corpus + QStringLiteral("settings/") + QString::fromLatin1(name)
                                << QString::fromLatin1(name);
        QTest::newRow("missing workbook") << QStringLiteral("/nonexistent/db.xlsx") << settings << QStringLiteral("файл не найден");
        QTest::newRow("missing settings") << data("components-openpyxl.xlsx") << QStringLiteral("/nonexistent/app_setups.ini")
                                          << QStringLiteral("не найден");
        QTest::newRow("a project, not a workbook") << data("small.txt") << settings << QStringLiteral("не книга Excel");
    }
    void dbRefusals()
    {
        QFETCH(QString, book);
        QFETCH(QString, settings);
        QFETCH(QString, message);
        const Run r = cli({QStringLiteral("db"), book, QStringLiteral("--settings"), settings});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
    }

    // save: a project saved by a text editor as UTF-8 comes back as the program writes it.
    void saveConvertsToWindows1251()
    {
        QTemporaryDir dir;
        QFile small(data("small.txt"));
        QVERIFY(small.open(QIODevice::ReadOnly));
        const QByteArray original = small.readAll();
        QString decoded;
        {
            QStringDecoder cp1251("windows-1251");
            decoded = cp1251(original);
        }
        const QString in = dir.filePath(QStringLiteral("utf8.txt"));
        QFile f(in);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF" + decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8());
        f.close();
        const QString out = dir.filePath(QStringLiteral("out.v2.txt"));
        const Run r = cli({QStringLiteral("save"), in, out});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        // The same bytes as saving the Windows-1251 original (the window fills in the computed
        // reference values of the last block).
        const QString reference = dir.filePath(QStringLiteral("reference.txt"));
        QCOMPARE(cli({QStringLiteral("save"), data("small.txt"), reference}).status, 0);
        QFile back(out), expected(reference);
        QVERIFY(back.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
        const QByteArray saved = back.readAll();
        QCOMPARE(saved, expected.readAll());
        QVERIFY(saved.startsWith(original.left(original.indexOf("\r\n") + 2))); // "Смесь №5" in Windows-1251
        QCOMPARE(saved.count("\r\n"), original.count("\r\n"));
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing input") << QStringList{QStringLiteral("save"), QStringLiteral("/nonexistent/p.txt"), QStringLiteral("/tmp/x.txt")}
                                       << QStringLiteral("файл не найден");
        QTest::newRow("refused input") << QStringList{QStringLiteral("save"), data("bad-count.txt"), QStringLiteral("/tmp/x.txt")}
                                       << QStringLiteral("bad-count.txt");
        QTest::newRow("folder missing") << QStringList{QStringLiteral("save"), data("small.txt"), QStringLiteral("/nonexistent/out.txt")}
                                        << QStringLiteral("папка не найдена");
        QTest::newRow("one file") << QStringList{QStringLiteral("save"), data("small.txt")} << QStringLiteral("IN OUT");
    }
    void saveRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
