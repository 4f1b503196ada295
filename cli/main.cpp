// palvex-cli: the project model without a window, for batch work and for checking results.
// It drives the same model and the same routines as the window.
#include "core/Numbers.h"
#include "database/ComponentDatabase.h"
#include "database/ComponentSelection.h"
#include "report/Report.h"
#include "session/ProjectSession.h"

#include <QGuiApplication>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char *const Usage =
    "Usage: palvex-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  calc FILE [--corrected m1,m2,...]\n"
    "      Opens the project FILE as the window does (the corrected recipe equals the base\n"
    "      recipe unless --corrected sets the mass fractions in %, as the sliders would),\n"
    "      recalculates and validates it, and prints one JSON object: name, N, K, data_form,\n"
    "      reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,\n"
    "      corrected_volume_fractions, base_curve, corrected_curve, reference_curve,\n"
    "      deviations, divergence, band_upper, band_lower (floats with 9 significant digits),\n"
    "      valid {density, grain, recipe, reference, all} and errors (the messages the window\n"
    "      shows, in order).\n"
    "  search FILE --steps S --seed R [--bounds lo:hi,...] [--lock i,...]\n"
    "      Runs S steps of the automatic search from the opened project with a generator\n"
    "      seeded with R (the same seed gives the same result), within the bounds of each\n"
    "      component when --bounds is given, with the listed components (1-based) locked.\n"
    "      Prints the JSON of calc plus steps and adopted (how many trials were adopted).\n"
    "  optimum FILE [--bounds lo:hi,...] [--lock i,...] [--objective divergence|cost]\n"
    "          [--max-divergence D] [--max-components M] [--prices p1,...,pN]\n"
    "          [--envelope lo1:hi1,...,loK:hiK] [--pareto P]\n"
    "      Finds the best recipe exactly (a linear or mixed-integer program): the smallest\n"
    "      possible divergence (--objective divergence, the default) or the lowest cost per\n"
    "      tonne (--objective cost), honouring the locked components, the bounds, the\n"
    "      divergence at most D, at most M components with a non-zero share, and the grading\n"
    "      envelope of the project (or of --envelope: K pairs lo:hi of the passing in %, an\n"
    "      empty side being no limit). --prices sets the price of a tonne of each component;\n"
    "      both override the project's own. Adopts the recipe and prints the JSON of calc plus\n"
    "      optimum (the recipe's divergence, unrounded), cost (per tonne of the recipe, null\n"
    "      without prices), components_used and envelope_ok (null without an envelope); with\n"
    "      --pareto, pareto: the cost-divergence front of P recipes, a list of {divergence,\n"
    "      cost, recipe} ordered by divergence. Decimals take a period.\n"
    "  report FILE -o OUT.docx [--sections 1,2,...]\n"
    "      Writes the report of the opened project (the pictures drawn offscreen) as a .docx\n"
    "      document. --sections lists the sections to include by their numbers 1..11 (6.1 to\n"
    "      6.11 of step 6); all of them by default.\n"
    "  db WORKBOOK [--settings FILE]\n"
    "      Reads a component database workbook (.xlsx) as the selection window does, with\n"
    "      the settings file FILE (by default app_setups.ini from the program's folder, as\n"
    "      the window finds it), and prints one JSON object: sizes (as read, finest first),\n"
    "      names, total_masses, forms (for each component, for each size class, the six\n"
    "      forms: partial residue g and %, full residue g and %, full passing g and %; null\n"
    "      where empty) and warnings (what the window would warn about).\n"
    "  save IN OUT\n"
    "      Opens the project IN as the window does and saves it to OUT as the window does:\n"
    "      Windows-1251 with CR LF line ends, whatever the encoding and line ends of IN.\n"
    "  --help\n"
    "      Prints this text.\n"
    "\n"
    "Exit status: 0 on success; 1 when no recipe satisfies the constraints of optimum (the\n"
    "message names the constraints in conflict); 2 for a refused file or bad arguments.\n";

QString floatText(float v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", double(v));
    return QString::fromLatin1(buf);
}

QString jsonString(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

template <typename Array>
QString floats(const Array &a, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << floatText(a[i]);
    return u'[' + items.join(QStringLiteral(", ")) + u']';
}

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// The error messages the window shows, in the order of its steps.
QStringList errorMessages(const ProjectSession &s)
{
    const ValidationReport &v = s.validation();
    QStringList errors;
    auto add = [&errors](const QString &text) {
        if (!text.trimmed().isEmpty())
            errors << text;
    };
    add(v.densityMessage());
    add(v.sizeLine());
    for (int i = 1; i <= s.componentCount(); ++i)
        add(v.componentLine(i));
    add(v.recipeMessage());
    add(v.referenceMessage());
    return errors;
}

QStringList resultFields(const ProjectSession &s)
{
    const ProjectDocument &d = s.document();
    const MixNumbers &x = s.numbers();
    const ValidationReport &v = s.validation();
    const int n = std::min<int>(x.componentCount, MaxComponents);
    const int k = std::clamp<int>(d.classCount(), 0, MaxClasses);
    QStringList f;
    f << QStringLiteral("\"name\": ") + jsonString(d.name);
    f << QStringLiteral("\"N\": %1").arg(n);
    f << QStringLiteral("\"K\": %1").arg(k);
    f << QStringLiteral("\"data_form\": %1").arg(int(d.dataForm));
    f << QStringLiteral("\"reference_kind\": %1").arg(int(d.referenceKind));
    f << QStringLiteral("\"sizes\": ") + floats(x.sieveSize, k);
    f << QStringLiteral("\"base_recipe\": ") + floats(x.baseRecipe, n);
    f << QStringLiteral("\"corrected_recipe\": ") + floats(x.correctedRecipe, n);
    f << QStringLiteral("\"base_volume_fractions\": ") + floats(x.baseVolumeFraction, n);
    f << QStringLiteral("\"corrected_volume_fractions\": ") + floats(x.correctedVolumeFraction, n);
    f << QStringLiteral("\"base_curve\": ") + floats(x.baseMixCurve, k);
    f << QStringLiteral("\"corrected_curve\": ") + floats(x.correctedMixCurve, k);
    f << QStringLiteral("\"reference_curve\": ") + floats(x.referenceCurve, k);
    f << QStringLiteral("\"deviations\": ") + floats(x.curveDeviation, k);
    f << QStringLiteral("\"divergence\": ") + floatText(x.curveDivergence);
    f << QStringLiteral("\"band_upper\": ") + floats(x.referenceBandUpper, k);
    f << QStringLiteral("\"band_lower\": ") + floats(x.referenceBandLower, k);
    f << QStringLiteral("\"valid\": {\"density\": %1, \"grain\": %2, \"recipe\": %3, \"reference\": %4, \"all\": %5}")
             .arg(boolText(v.densitiesValid), boolText(v.grainTableValid), boolText(v.baseRecipeValid),
                  boolText(v.referenceValid), boolText(v.tablesValid()));
    QStringList errors;
    for (const QString &e : errorMessages(s))
        errors << jsonString(e);
    f << QStringLiteral("\"errors\": [") + errors.join(QStringLiteral(", ")) + u']';
    return f;
}

void printJson(const QStringList &fields)
{
    const QString text = QStringLiteral("{\n  ") + fields.join(QStringLiteral(",\n  ")) + QStringLiteral("\n}\n");
    std::fputs(text.toUtf8().constData(), stdout);
}

int fail(const QString &message)
{
    QString line = message;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    std::fprintf(stderr, "palvex-cli: %s\n", line.toUtf8().constData());
    return 2;
}

// The shortest text that reads back as the same double; null where there is no value.
QString jsonNumber(std::optional<double> v)
{
    if (!v || !std::isfinite(*v))
        return QStringLiteral("null");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, *v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

// The corrected recipe set as the sliders would set it: slider = floor(m * 100).
bool applyCorrected(ProjectSession &s, const QString &list, QString *error)
{
    const QStringList parts = list.split(u',');
    const int n = s.componentCount();
    if (parts.size() != n) {
        *error = QStringLiteral("--corrected needs %1 mass fractions, got %2").arg(n).arg(parts.size());
        return false;
    }
    ComponentFloats recipe;
    for (int i = 1; i <= parts.size(); ++i) {
        bool ok = false;
        const float m = parts[i - 1].trimmed().toFloat(&ok);
        if (!ok || !(m >= 0 && m <= 100)) {
            *error = QStringLiteral("--corrected: \"%1\" is not a mass fraction from 0 to 100").arg(parts[i - 1]);
            return false;
        }
        recipe.set(i, m);
    }
    s.setCorrectedRecipe(recipe);
    return true;
}

struct Args
{
    QString file;
    QMap<QString, QString> options;
};

std::optional<Args> parse(const QStringList &args, const QStringList &known, QString *error)
{
    Args a;
    for (int i = 0; i < args.size(); ++i) {
        const QString &s = args[i];
        if (s.startsWith(u'-') && s.size() > 1) {
            if (!known.contains(s)) {
                *error = QStringLiteral("unknown option %1 (see --help)").arg(s);
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(s);
                return std::nullopt;
            }
            a.options[s] = args[++i];
        } else if (a.file.isEmpty()) {
            a.file = s;
        } else {
            *error = QStringLiteral("one project file expected, got also %1").arg(s);
            return std::nullopt;
        }
    }
    if (a.file.isEmpty()) {
        *error = QStringLiteral("no project file given (see --help)");
        return std::nullopt;
    }
    return a;
}

int calc(const QStringList &args)
{
    QString error;
    const auto a = parse(args, {QStringLiteral("--corrected")}, &error);
    if (!a)
        return fail(QStringLiteral("calc: ") + error);
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (a->options.contains(QStringLiteral("--corrected")) && !applyCorrected(p, a->options[QStringLiteral("--corrected")], &error))
        return fail(error);
    printJson(resultFields(p));
    return 0;
}

// --bounds and --lock, as the bounds dialog and the lock boxes would set them.
bool applyBoundsAndLocks(ProjectSession &p, const Args &a, QString *error)
{
    const int n = p.componentCount();
    bool ok = false;
    if (a.options.contains(QStringLiteral("--bounds"))) {
        ComponentFloats lower, upper;
        const QStringList pairs = a.options[QStringLiteral("--bounds")].split(u',');
        if (pairs.size() != n) {
            *error = QStringLiteral("--bounds needs %1 pairs lo:hi, got %2").arg(n).arg(pairs.size());
            return false;
        }
        for (int i = 1; i <= n; ++i) {
            const QStringList lohi = pairs[i - 1].split(u':');
            bool ok1 = false, ok2 = false;
            const float lo = lohi.value(0).toFloat(&ok1), hi = lohi.size() == 2 ? lohi[1].toFloat(&ok2) : 0;
            if (!ok1 || !ok2 || lo < 0 || hi > 100 || !(hi > lo)) {
                *error = QStringLiteral("bound \"%1\" must be lo:hi with 0 <= lo < hi <= 100").arg(pairs[i - 1]);
                return false;
            }
            lower.set(i, lo);
            upper.set(i, hi);
        }
        p.setBounds(lower, upper);
        p.setBoundsOn(true);
    }
    if (a.options.contains(QStringLiteral("--lock"))) {
        for (const QString &s : a.options[QStringLiteral("--lock")].split(u',')) {
            const int i = s.toInt(&ok);
            if (!ok || i < 1 || i > n) {
                *error = QStringLiteral("--lock takes component numbers from 1 to %1, got \"%2\"").arg(n).arg(s);
                return false;
            }
            p.setLocked(i, true);
        }
    }
    return true;
}

// A number of the command line: a period or a comma as the decimal separator.
std::optional<double> argumentNumber(const QString &text)
{
    bool ok = false;
    const double v = QString(text).trimmed().replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The text a cell holds for a number given on the command line (decimal comma).
QString cellText(const QString &argument)
{
    return QString(argument).trimmed().replace(u'.', u',');
}

// --prices and --envelope, typed into the project's cells in place of its own.
bool applyPricesAndEnvelope(ProjectSession &p, const Args &a, QString *error)
{
    const int n = p.componentCount();
    const int k = std::clamp(p.classCount(), 0, MaxClasses);
    if (a.options.contains(QStringLiteral("--prices"))) {
        const QStringList prices = a.options[QStringLiteral("--prices")].split(u',');
        if (prices.size() != n) {
            *error = QStringLiteral("--prices needs %1 prices, got %2").arg(n).arg(prices.size());
            return false;
        }
        for (int i = 1; i <= n; ++i) {
            const QString &text = prices[i - 1];
            const auto v = argumentNumber(text);
            if (!text.trimmed().isEmpty() && !(v && *v >= 0)) {
                *error = QStringLiteral("--prices: \"%1\" is not a price (a number not below 0)").arg(text);
                return false;
            }
            p.setCellText(InputTable::Prices, 1, i - 1, cellText(text));
        }
    }
    if (a.options.contains(QStringLiteral("--envelope"))) {
        const QStringList pairs = a.options[QStringLiteral("--envelope")].split(u',');
        if (pairs.size() != k) {
            *error = QStringLiteral("--envelope needs %1 pairs lo:hi, got %2").arg(k).arg(pairs.size());
            return false;
        }
        for (int j = 1; j <= k; ++j) {
            const QStringList lohi = pairs[j - 1].split(u':');
            std::optional<double> side[2];
            bool ok = lohi.size() == 2;
            for (int e = 0; ok && e < 2; ++e) {
                if (lohi[e].trimmed().isEmpty())
                    continue;
                side[e] = argumentNumber(lohi[e]);
                ok = side[e] && *side[e] >= 0 && *side[e] <= 100;
            }
            if (!ok || (side[0] && side[1] && *side[0] > *side[1])) {
                *error = QStringLiteral("envelope pair \"%1\" must be lo:hi with 0 <= lo <= hi <= 100 (a side may be empty)").arg(pairs[j - 1]);
                return false;
            }
            p.setCellText(InputTable::Envelope, 1, j, lohi.size() == 2 ? cellText(lohi[0]) : QString());
            p.setCellText(InputTable::Envelope, 2, j, lohi.size() == 2 ? cellText(lohi[1]) : QString());
        }
    }
    return true;
}

// --objective, --max-divergence and --max-components, as the window's optimiser takes them.
bool applyOptimiserSettings(ProjectSession &p, const Args &a, QString *error)
{
    const QString objective = a.options.value(QStringLiteral("--objective"), QStringLiteral("divergence"));
    if (objective != QStringLiteral("divergence") && objective != QStringLiteral("cost")) {
        *error = QStringLiteral("--objective takes divergence or cost, got \"%1\"").arg(objective);
        return false;
    }
    p.setObjective(objective == QStringLiteral("cost") ? Objective::Cost : Objective::Divergence);
    if (objective == QStringLiteral("cost") && !p.costObjectiveEnabled()) {
        *error = QStringLiteral("--objective cost needs a price (a number not below 0) for every component: give --prices or "
                                "put them into the project");
        return false;
    }
    if (a.options.contains(QStringLiteral("--max-divergence"))) {
        const QString text = a.options[QStringLiteral("--max-divergence")];
        const auto d = argumentNumber(text);
        if (!d || *d < 0) {
            *error = QStringLiteral("--max-divergence needs a number not below 0, got \"%1\"").arg(text);
            return false;
        }
        p.setDivergenceCapOn(true);
        p.setMaxDivergenceText(cellText(text));
    }
    if (a.options.contains(QStringLiteral("--max-components"))) {
        const QString text = a.options[QStringLiteral("--max-components")];
        bool ok = false;
        const int m = text.trimmed().toInt(&ok);
        if (!ok || m < 1 || m > p.componentCount()) {
            *error = QStringLiteral("--max-components takes a number from 1 to %1, got \"%2\"").arg(p.componentCount()).arg(text);
            return false;
        }
        p.setComponentCapOn(true);
        p.setMaxComponents(m);
    }
    return true;
}

QString fullFloat(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return QString::fromLatin1(buf);
}

QString optionalFloat(std::optional<double> v)
{
    return v && std::isfinite(*v) ? fullFloat(*v) : QStringLiteral("null");
}

// Exit status 1: no recipe satisfies the constraints.
int infeasible(const QString &message)
{
    QString line = message;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    std::fprintf(stderr, "palvex-cli: %s\n", line.toUtf8().constData());
    return 1;
}

int optimum(const QStringList &args)
{
    QString error;
    const auto a = parse(args,
                         {QStringLiteral("--bounds"), QStringLiteral("--lock"), QStringLiteral("--objective"), QStringLiteral("--max-divergence"),
                          QStringLiteral("--max-components"), QStringLiteral("--prices"), QStringLiteral("--envelope"),
                          QStringLiteral("--pareto")},
                         &error);
    if (!a)
        return fail(QStringLiteral("optimum: ") + error);
    int paretoPoints = 0;
    if (a->options.contains(QStringLiteral("--pareto"))) {
        bool ok = false;
        paretoPoints = a->options[QStringLiteral("--pareto")].trimmed().toInt(&ok);
        if (!ok || paretoPoints < 1 || paretoPoints > 1000)
            return fail(QStringLiteral("optimum: --pareto takes a number of points from 1 to 1000"));
    }
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (!applyPricesAndEnvelope(p, *a, &error) || !applyBoundsAndLocks(p, *a, &error) || !applyOptimiserSettings(p, *a, &error))
        return fail(QStringLiteral("optimum: ") + error);
    if (!p.validation().tablesValid())
        return fail(QStringLiteral("optimum: the tables of %1 are not valid: %2").arg(a->file, errorMessages(p).join(u' ')));
    if (paretoPoints > 0 && !p.costObjectiveEnabled())
        return fail(QStringLiteral("optimum: --pareto needs a price (a number not below 0) for every component"));
    const OptimumResult r = p.findBestRecipe();
    if (!r.feasible) {
        if (!r.conflicts.isEmpty())
            return infeasible(QStringLiteral("optimum: no recipe satisfies the constraints: ") + r.problem);
        return fail(QStringLiteral("optimum: ") + r.problem);
    }
    QStringList fields = resultFields(p);
    fields << QStringLiteral("\"optimum\": ") + fullFloat(r.divergence);
    fields << QStringLiteral("\"cost\": ") + optionalFloat(r.cost);
    fields << QStringLiteral("\"components_used\": %1").arg(r.componentsUsed);
    fields << QStringLiteral("\"envelope_ok\": ") + (r.insideEnvelope ? boolText(*r.insideEnvelope) : QStringLiteral("null"));
    if (paretoPoints > 0) {
        // The front is found from the recipe as adopted: the locks hold the same fractions.
        const CostFront front = Optimum::costFront(p.document(), p.numbers(), p.correction(), paretoPoints);
        if (!front.feasible)
            return front.conflicts.isEmpty() ? fail(QStringLiteral("optimum: ") + front.problem)
                                             : infeasible(QStringLiteral("optimum: no recipe satisfies the constraints: ") + front.problem);
        QStringList points;
        for (const FrontPoint &point : front.points) {
            QStringList recipe;
            for (int i = 1; i <= p.componentCount(); ++i)
                recipe << fullFloat(point.mass[size_t(i)]);
            points << QStringLiteral("{\"divergence\": %1, \"cost\": %2, \"recipe\": [%3]}")
                          .arg(fullFloat(point.divergence), fullFloat(point.cost), recipe.join(QStringLiteral(", ")));
        }
        fields << QStringLiteral("\"pareto\": [\n    ") + points.join(QStringLiteral(",\n    ")) + QStringLiteral("\n  ]");
    }
    printJson(fields);
    return 0;
}

int search(const QStringList &args)
{
    QString error;
    const auto a = parse(args, {QStringLiteral("--steps"), QStringLiteral("--seed"), QStringLiteral("--bounds"), QStringLiteral("--lock")}, &error);
    if (!a)
        return fail(QStringLiteral("search: ") + error);
    bool ok = false;
    const long steps = a->options.value(QStringLiteral("--steps")).toLong(&ok);
    if (!ok || steps < 0)
        return fail(QStringLiteral("search: --steps needs a whole number of steps"));
    const qulonglong seed = a->options.value(QStringLiteral("--seed")).toULongLong(&ok);
    if (!ok)
        return fail(QStringLiteral("search: --seed needs a whole number"));
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (!applyBoundsAndLocks(p, *a, &error))
        return fail(QStringLiteral("search: ") + error);
    if (!p.validation().tablesValid()) {
        const QStringList errors = errorMessages(p);
        return fail(QStringLiteral("search: the tables of %1 are not valid: %2").arg(a->file, errors.join(QStringLiteral(" "))));
    }
    p.searchRandom().seed(seed);
    p.setSearchOn(true);
    const long adopted = p.runSearch(steps);
    QStringList fields = resultFields(p);
    fields << QStringLiteral("\"steps\": %1").arg(steps);
    fields << QStringLiteral("\"adopted\": %1").arg(adopted);
    printJson(fields);
    return 0;
}

int report(const QStringList &args)
{
    QString error;
    const auto a = parse(args, {QStringLiteral("-o"), QStringLiteral("--sections")}, &error);
    if (!a)
        return fail(QStringLiteral("report: ") + error);
    const QString out = a->options.value(QStringLiteral("-o"));
    if (out.isEmpty())
        return fail(QStringLiteral("report: -o OUT.docx is required"));
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (a->options.contains(QStringLiteral("--sections"))) {
        for (int section = 1; section <= 11; ++section)
            p.setReportSection(section, false);
        for (const QString &s : a->options[QStringLiteral("--sections")].split(u',')) {
            bool ok = false;
            const int section = s.trimmed().toInt(&ok);
            if (!ok || section < 1 || section > 11)
                return fail(QStringLiteral("report: --sections takes numbers from 1 to 11, got \"%1\"").arg(s));
            p.setReportSection(section, true);
        }
    }
    if (!Report::write(p, out, Report::Pictures(), &error))
        return fail(error);
    return 0;
}

// The database as the selection window reads it.
int db(const QStringList &args)
{
    QString error;
    const auto a = parse(args, {QStringLiteral("--settings")}, &error);
    if (!a)
        return fail(QStringLiteral("db: ") + error.replace(QStringLiteral("project file"), QStringLiteral("workbook")));
    const QString settings = a->options.value(QStringLiteral("--settings"), DefaultDatabaseSettingsFile());
    ComponentSelection selection;
    QStringList warnings;
    if (!selection.load(a->file, settings, &error, &warnings))
        return fail(error);
    const ComponentDatabase &d = selection.database();
    QStringList sizes, names, totals, forms;
    for (int k = 1; k <= d.sizeCount; ++k)
        sizes << jsonNumber(d.sizes[size_t(k)]);
    for (int m = 1; m <= d.components.size(); ++m) {
        const DbComponent &c = d.components[m - 1];
        names << jsonString(c.name);
        totals << jsonNumber(c.totalMass);
        QStringList classes;
        for (int k = 1; k <= d.sizeCount; ++k) {
            QStringList six;
            for (int f = 1; f <= 6; ++f)
                six << jsonNumber(d.value(m, k, CompositionForm(f)));
            classes << u'[' + six.join(QStringLiteral(", ")) + u']';
        }
        forms << QStringLiteral("[\n    ") + classes.join(QStringLiteral(",\n    ")) + QStringLiteral("\n  ]");
    }
    QStringList jsonWarnings;
    for (const QString &w : warnings) {
        jsonWarnings << jsonString(w);
        std::fprintf(stderr, "palvex-cli: %s\n", w.toUtf8().constData());
    }
    QStringList fields;
    fields << QStringLiteral("\"sizes\": [") + sizes.join(QStringLiteral(", ")) + u']';
    fields << QStringLiteral("\"names\": [") + names.join(QStringLiteral(", ")) + u']';
    fields << QStringLiteral("\"total_masses\": [") + totals.join(QStringLiteral(", ")) + u']';
    fields << QStringLiteral("\"forms\": [") + forms.join(QStringLiteral(", ")) + u']';
    fields << QStringLiteral("\"warnings\": [") + jsonWarnings.join(QStringLiteral(", ")) + u']';
    printJson(fields);
    return 0;
}

// A round trip through the window's open and save.
int save(const QStringList &args)
{
    if (args.size() != 2 || args[0].startsWith(u'-') || args[1].startsWith(u'-'))
        return fail(QStringLiteral("save: two files expected: IN OUT (see --help)"));
    QString error;
    ProjectSession p;
    if (!p.openProject(args[0], &error))
        return fail(error);
    if (!p.saveProject(args[1], &error))
        return fail(error);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Only the report paints (its pictures, offscreen); the other commands need no GUI at all.
    const bool painting = argc > 1 && std::strcmp(argv[1], "report") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (painting) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (args[0] == QStringLiteral("--help") || args[0] == QStringLiteral("-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const QString command = args.takeFirst();
    if (command == QStringLiteral("calc"))
        return calc(args);
    if (command == QStringLiteral("search"))
        return search(args);
    if (command == QStringLiteral("report"))
        return report(args);
    if (command == QStringLiteral("db"))
        return db(args);
    if (command == QStringLiteral("save"))
        return save(args);
    if (command == QStringLiteral("optimum"))
        return optimum(args);
    return fail(QStringLiteral("unknown command %1 (see --help)").arg(command));
}
