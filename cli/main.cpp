// palvex-cli: the project model without a window, for batch work and for checking results.
// It drives the same model and the same routines as the window.
#include "Version.h"
#include "core/Numbers.h"
#include "database/ComponentDatabase.h"
#include "database/ComponentSelection.h"
#include "report/Report.h"
#include "session/ProjectSession.h"
#include "startup/Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// The commands, in the order of the help. A command reads its own arguments (see `parse`).
struct Command
{
    const char *name;
    const char *synopsis;
    const char *description; // translated when shown
    int (*run)(const QStringList &args);
};

int calc(const QStringList &args);
int search(const QStringList &args);
int optimum(const QStringList &args);
int report(const QStringList &args);
int db(const QStringList &args);
int save(const QStringList &args);

const Command Commands[] = {
    {"calc", "calc FILE [--corrected m1,m2,...]",
     QT_TRANSLATE_NOOP("Cli",
                       "Открывает проект FILE, как окно (исправленный состав равен исходному, если\n"
                       "--corrected не задает массовые доли в %, как их задали бы ползунки),\n"
                       "пересчитывает и проверяет его и печатает один объект JSON: name, N, K, data_form,\n"
                       "reference_kind, sizes, base_recipe, corrected_recipe, base_volume_fractions,\n"
                       "corrected_volume_fractions, base_curve, corrected_curve, reference_curve,\n"
                       "deviations, divergence, band_upper, band_lower (числа с 9 значащими цифрами),\n"
                       "valid {density, grain, recipe, reference, all} и errors (сообщения, которые\n"
                       "показывает окно, по порядку)."),
     calc},
    {"search", "search FILE --steps S --seed R [--bounds lo:hi,...] [--lock i,...]",
     QT_TRANSLATE_NOOP("Cli",
                       "Делает S шагов автоматического подбора от открытого проекта с генератором,\n"
                       "заданным числом R (одно и то же число дает один и тот же результат), в границах\n"
                       "каждого компонента, если задан --bounds, с закрепленными компонентами из списка\n"
                       "(номера с 1). Печатает JSON команды calc и еще steps и adopted (сколько проб\n"
                       "принято)."),
     search},
    {"optimum",
     "optimum FILE [--bounds lo:hi,...] [--lock i,...] [--objective divergence|cost]\n"
     "          [--max-divergence D] [--max-components M] [--prices p1,...,pN]\n"
     "          [--envelope lo1:hi1,...,loK:hiK] [--pareto P]",
     QT_TRANSLATE_NOOP("Cli",
                       "Находит лучший состав точно (линейная или частично целочисленная программа):\n"
                       "с наименьшим возможным расхождением (--objective divergence, по умолчанию) или\n"
                       "с наименьшей стоимостью тонны (--objective cost), при закрепленных компонентах,\n"
                       "границах, расхождении не более D, не более M компонентах с ненулевой долей и в\n"
                       "границах зернового состава проекта (или --envelope: K пар lo:hi прохода в %,\n"
                       "пустая сторона — без границы). --prices задает цену тонны каждого компонента;\n"
                       "оба параметра заменяют заданное в проекте. Принимает состав и печатает JSON\n"
                       "команды calc и еще optimum (расхождение состава, без округления), cost (стоимость\n"
                       "тонны состава, null без цен), components_used и envelope_ok (null без границ);\n"
                       "с --pareto еще pareto: фронт «стоимость – расхождение» из P составов, список\n"
                       "{divergence, cost, recipe} по возрастанию расхождения. Дробная часть — через точку."),
     optimum},
    {"report", "report FILE -o OUT.docx [--sections 1,2,...]",
     QT_TRANSLATE_NOOP("Cli",
                       "Записывает отчет по открытому проекту (рисунки строятся без экрана) в документ\n"
                       ".docx. --sections перечисляет разделы отчета по номерам 1..11 (6.1–6.11 шага 6);\n"
                       "по умолчанию все."),
     report},
    {"db", "db WORKBOOK [--settings FILE]",
     QT_TRANSLATE_NOOP("Cli",
                       "Читает книгу базы данных компонентов (.xlsx), как окно выбора, с файлом настроек\n"
                       "FILE (по умолчанию app_setups.ini, найденный так же, как его находит окно),\n"
                       "и печатает один объект JSON: sizes (как прочитаны, от мелких к крупным), names,\n"
                       "total_masses, forms (для каждого компонента и каждой фракции шесть форм: частный\n"
                       "остаток в г и %, полный остаток в г и %, полный проход в г и %; null, где пусто)\n"
                       "и warnings (о чем предупредило бы окно)."),
     db},
    {"save", "save IN OUT",
     QT_TRANSLATE_NOOP("Cli",
                       "Открывает проект IN, как окно, и сохраняет его в OUT, как окно: Windows-1251\n"
                       "с концами строк CR LF, какими бы ни были кодировка и концы строк IN."),
     save},
};

const Command *findCommand(const QString &name)
{
    for (const Command &c : Commands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString indented(const QString &text)
{
    return QStringLiteral("      ") + QString(text).replace(u'\n', QStringLiteral("\n      ")) + u'\n';
}

QString commandHelp(const Command &c)
{
    return QStringLiteral("  ") + QLatin1String(c.synopsis) + u'\n' + indented(Cli::tr(c.description));
}

QString commonHelp()
{
    return Cli::tr("Общие параметры:\n") + QStringLiteral("  --lang en|ru\n")
         + indented(Cli::tr("Язык сообщений: en (английский) или ru (русский). По умолчанию — язык\n"
                            "системы, если это английский, иначе русский. Ключи JSON не меняются."))
         + QStringLiteral("  -h, --help\n") + indented(Cli::tr("Печатает этот текст (после команды — ее описание)."))
         + QStringLiteral("  -v, --version\n") + indented(Cli::tr("Печатает номер версии."))
         + u'\n' + Cli::tr("Код завершения: 0 при успехе; 1, если ни один состав не удовлетворяет ограничениям\n"
                     "optimum (сообщение называет несовместимые ограничения); 2, если файл отвергнут\n"
                     "или аргументы неверны.\n");
}

QString usage()
{
    QString text = Cli::tr("Запуск: palvex-cli [--lang en|ru] COMMAND [ARGS]\n") + u'\n' + Cli::tr("Команды:\n");
    for (const Command &c : Commands)
        text += commandHelp(c);
    return text + u'\n' + commonHelp();
}

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
        *error = Cli::tr("--corrected требует %1 массовых долей, а задано %2").arg(n).arg(parts.size());
        return false;
    }
    ComponentFloats recipe;
    for (int i = 1; i <= parts.size(); ++i) {
        bool ok = false;
        const float m = parts[i - 1].trimmed().toFloat(&ok);
        if (!ok || !(m >= 0 && m <= 100)) {
            *error = Cli::tr("--corrected: «%1» — не массовая доля от 0 до 100").arg(parts[i - 1]);
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
    QMap<QString, QString> options; // by the option as written in `parse`'s lists ("--steps", "-o")
};

// What a command's one positional argument is, for the message when it is missing.
enum class FileKind { Project, Workbook };

QString bareName(const QString &option)
{
    return option.mid(option.startsWith(QStringLiteral("--")) ? 2 : 1);
}

// The option as the user typed it, for the message about it.
QString typedOption(const QStringList &args, const QString &name)
{
    for (const QString &a : args) {
        const QString bare = a.section(u'=', 0, 0);
        if (bare == u'-' + name || bare == QStringLiteral("--") + name)
            return bare;
    }
    return QStringLiteral("--") + name;
}

QCommandLineOption languageOption()
{
    return QCommandLineOption(QStringLiteral("lang"), QString(), QStringLiteral("en|ru"));
}

// A command's arguments: one file and the options it knows — `known` take a value ("--steps",
// "-o"), `flags` take none (present or not; an empty value in `options`). --lang may stand
// anywhere; it was read before.
std::optional<Args> parse(const QStringList &args, const QStringList &known, QString *error,
                          const QStringList &flags = {}, FileKind kind = FileKind::Project)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString &o : known)
        parser.addOption(QCommandLineOption(bareName(o), QString(), QStringLiteral("value")));
    for (const QString &o : flags)
        parser.addOption(QCommandLineOption(bareName(o)));
    parser.addOption(languageOption());
    if (!parser.parse(QStringList{QStringLiteral("palvex-cli")} + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        *error = unknown.isEmpty() ? parser.errorText()
                                   : Cli::tr("неизвестный параметр %1 (см. --help)").arg(typedOption(args, unknown.first()));
        return std::nullopt;
    }
    Args a;
    for (const QString &o : known + flags)
        if (parser.isSet(bareName(o)))
            a.options[o] = parser.value(bareName(o));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        *error = kind == FileKind::Workbook ? Cli::tr("не указана книга базы данных (см. --help)")
                                            : Cli::tr("не указан файл проекта (см. --help)");
        return std::nullopt;
    }
    if (files.size() > 1) {
        *error = kind == FileKind::Workbook ? Cli::tr("ожидается одна книга, а указана еще и %1").arg(files[1])
                                            : Cli::tr("ожидается один файл проекта, а указан еще и %1").arg(files[1]);
        return std::nullopt;
    }
    a.file = files.first();
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
            *error = Cli::tr("--bounds требует %1 пар lo:hi, а задано %2").arg(n).arg(pairs.size());
            return false;
        }
        for (int i = 1; i <= n; ++i) {
            const QStringList lohi = pairs[i - 1].split(u':');
            bool ok1 = false, ok2 = false;
            const float lo = lohi.value(0).toFloat(&ok1), hi = lohi.size() == 2 ? lohi[1].toFloat(&ok2) : 0;
            if (!ok1 || !ok2 || lo < 0 || hi > 100 || !(hi > lo)) {
                *error = Cli::tr("граница «%1» должна иметь вид lo:hi, где 0 <= lo < hi <= 100").arg(pairs[i - 1]);
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
                *error = Cli::tr("--lock принимает номера компонентов от 1 до %1, а задано «%2»").arg(n).arg(s);
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
            *error = Cli::tr("--prices требует %1 цен, а задано %2").arg(n).arg(prices.size());
            return false;
        }
        for (int i = 1; i <= n; ++i) {
            const QString &text = prices[i - 1];
            const auto v = argumentNumber(text);
            if (!text.trimmed().isEmpty() && !(v && *v >= 0)) {
                *error = Cli::tr("--prices: «%1» — не цена (нужно число не меньше 0)").arg(text);
                return false;
            }
            p.setCellText(InputTable::Prices, 1, i - 1, cellText(text));
        }
    }
    if (a.options.contains(QStringLiteral("--envelope"))) {
        const QStringList pairs = a.options[QStringLiteral("--envelope")].split(u',');
        if (pairs.size() != k) {
            *error = Cli::tr("--envelope требует %1 пар lo:hi, а задано %2").arg(k).arg(pairs.size());
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
                *error = Cli::tr("пара границ «%1» должна иметь вид lo:hi, где 0 <= lo <= hi <= 100 (одна из сторон может быть пустой)").arg(pairs[j - 1]);
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
        *error = Cli::tr("--objective принимает divergence или cost, а задано «%1»").arg(objective);
        return false;
    }
    p.setObjective(objective == QStringLiteral("cost") ? Objective::Cost : Objective::Divergence);
    if (objective == QStringLiteral("cost") && !p.costObjectiveEnabled()) {
        *error = Cli::tr("--objective cost требует цены (числа не меньше 0) каждого компонента: задайте --prices "
                         "или внесите цены в проект");
        return false;
    }
    if (a.options.contains(QStringLiteral("--max-divergence"))) {
        const QString text = a.options[QStringLiteral("--max-divergence")];
        const auto d = argumentNumber(text);
        if (!d || *d < 0) {
            *error = Cli::tr("--max-divergence требует числа не меньше 0, а задано «%1»").arg(text);
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
            *error = Cli::tr("--max-components принимает число от 1 до %1, а задано «%2»").arg(p.componentCount()).arg(text);
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

// The tables of a project the search and the optimum cannot start from.
QString invalidTables(const QString &file, const ProjectSession &p)
{
    return Cli::tr("таблицы проекта %1 содержат ошибки: %2").arg(file, errorMessages(p).join(u' '));
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
            return fail(QStringLiteral("optimum: ") + Cli::tr("--pareto принимает число точек от 1 до 1000"));
    }
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (!applyPricesAndEnvelope(p, *a, &error) || !applyBoundsAndLocks(p, *a, &error) || !applyOptimiserSettings(p, *a, &error))
        return fail(QStringLiteral("optimum: ") + error);
    if (!p.validation().tablesValid())
        return fail(QStringLiteral("optimum: ") + invalidTables(a->file, p));
    if (paretoPoints > 0 && !p.costObjectiveEnabled())
        return fail(QStringLiteral("optimum: ") + Cli::tr("--pareto требует цены (числа не меньше 0) каждого компонента"));
    const OptimumResult r = p.findBestRecipe();
    if (!r.feasible) {
        if (!r.conflicts.isEmpty())
            return infeasible(QStringLiteral("optimum: ") + Cli::tr("ни один состав не удовлетворяет ограничениям: ") + r.problem);
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
                                             : infeasible(QStringLiteral("optimum: ") + Cli::tr("ни один состав не удовлетворяет ограничениям: ") + front.problem);
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
        return fail(QStringLiteral("search: ") + Cli::tr("--steps требует целого числа шагов"));
    const qulonglong seed = a->options.value(QStringLiteral("--seed")).toULongLong(&ok);
    if (!ok)
        return fail(QStringLiteral("search: ") + Cli::tr("--seed требует целого числа"));
    ProjectSession p;
    if (!p.openProject(a->file, &error))
        return fail(error);
    if (!applyBoundsAndLocks(p, *a, &error))
        return fail(QStringLiteral("search: ") + error);
    if (!p.validation().tablesValid())
        return fail(QStringLiteral("search: ") + invalidTables(a->file, p));
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
        return fail(QStringLiteral("report: ") + Cli::tr("нужен параметр -o OUT.docx"));
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
                return fail(QStringLiteral("report: ") + Cli::tr("--sections принимает номера от 1 до 11, а задано «%1»").arg(s));
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
    const auto a = parse(args, {QStringLiteral("--settings")}, &error, {}, FileKind::Workbook);
    if (!a)
        return fail(QStringLiteral("db: ") + error);
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
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(languageOption());
    if (!parser.parse(QStringList{QStringLiteral("palvex-cli")} + args) || parser.positionalArguments().size() != 2)
        return fail(QStringLiteral("save: ") + Cli::tr("ожидаются два файла: IN OUT (см. --help)"));
    const QStringList files = parser.positionalArguments();
    QString error;
    ProjectSession p;
    if (!p.openProject(files[0], &error))
        return fail(error);
    if (!p.saveProject(files[1], &error))
        return fail(error);
    return 0;
}

// The command among the arguments: the first that is neither an option nor --lang's value.
QString commandIn(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0)
            ++i;
        else if (argv[i][0] != '-')
            return QString::fromLocal8Bit(argv[i]);
    }
    return QString();
}

bool asksForHelp(const QStringList &args)
{
    for (const QString &a : args) {
        if (a == QStringLiteral("--"))
            return false;
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h") || a == QStringLiteral("-help"))
            return true;
    }
    return false;
}

void print(const QString &text, FILE *stream)
{
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

int main(int argc, char **argv)
{
    // Only the report paints (its pictures, offscreen); the other commands need no GUI at all.
    const bool painting = commandIn(argc, argv) == QStringLiteral("report");
    std::unique_ptr<QCoreApplication> app;
    if (painting) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("palvex-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PALVEX_VERSION));

    // The language first, so that every message below speaks it.
    const QStringList arguments = app->arguments();
    const auto code = requestedLanguageCode(arguments);
    const auto language = code ? uiLanguageNamed(*code) : std::optional(systemUiLanguage());
    installUiLanguage(*app, language.value_or(systemUiLanguage()));
    if (!language)
        return fail(Cli::tr("--lang: «%1» — не язык программы (en или ru)").arg(*code));

    // The options before the command; everything after it is the command's own.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(languageOption());
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return fail(unknown.isEmpty() ? parser.errorText()
                                      : Cli::tr("неизвестный параметр %1 (см. --help)").arg(typedOption(arguments, unknown.first())));
    }
    if (parser.isSet(help)) {
        print(usage(), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        print(QStringLiteral("palvex-cli " PALVEX_VERSION "\n"), stdout);
        return 0;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        print(usage(), stderr);
        return 2;
    }
    const QString name = args.takeFirst();
    const Command *command = findCommand(name);
    if (!command)
        return fail(Cli::tr("неизвестная команда %1 (см. --help)").arg(name));
    if (asksForHelp(args)) {
        print(Cli::tr("Запуск: palvex-cli [--lang en|ru] %1\n").arg(QLatin1String(command->synopsis)) + u'\n'
                  + commandHelp(*command) + u'\n' + commonHelp(),
              stdout);
        return 0;
    }
    return command->run(args);
}
