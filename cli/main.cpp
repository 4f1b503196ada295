// palvex-cli: the project model without a window, for batch work and for checking results.
#include "core/Handlers.h"
#include "core/MixProject.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"
#include "files/ProjectFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

const char *const Usage =
    "Usage: palvex-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  calc FILE [--corrected m1,m2,...]\n"
    "      Opens the project FILE as the window does (the corrected recipe equals the base\n"
    "      recipe unless --corrected sets the mass fractions in %), recalculates it and prints\n"
    "      one JSON object: name, N, K, data_form, reference_kind, sizes, base_recipe,\n"
    "      corrected_recipe, base_volume_fractions, corrected_volume_fractions, base_curve,\n"
    "      corrected_curve, reference_curve, deviations, divergence, band_upper, band_lower.\n"
    "  --help\n"
    "      Prints this text.\n"
    "\n"
    "Exit status: 0 on success; 2 for a refused file or bad arguments.\n";

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

QString resultJson(const MixProject &p)
{
    const int n = p.ComponentCount;
    const int k = Num::toInt16(Num::Val(p.K.text())).value_or(0);
    QStringList f;
    f << QStringLiteral("\"name\": ") + jsonString(p.project_name.text());
    f << QStringLiteral("\"N\": %1").arg(n);
    f << QStringLiteral("\"K\": %1").arg(k);
    f << QStringLiteral("\"data_form\": %1").arg(int(p.dataForm()));
    f << QStringLiteral("\"reference_kind\": %1").arg(int(p.referenceKind().value_or(ReferenceKind::FunkDinger)));
    f << QStringLiteral("\"sizes\": ") + floats(p.SieveSize, k);
    f << QStringLiteral("\"base_recipe\": ") + floats(p.BaseRecipe, n);
    f << QStringLiteral("\"corrected_recipe\": ") + floats(p.CorrectedRecipe, n);
    f << QStringLiteral("\"base_volume_fractions\": ") + floats(p.BaseVolumeFraction, n);
    f << QStringLiteral("\"corrected_volume_fractions\": ") + floats(p.CorrectedVolumeFraction, n);
    f << QStringLiteral("\"base_curve\": ") + floats(p.BaseMixCurve, k);
    f << QStringLiteral("\"corrected_curve\": ") + floats(p.CorrectedMixCurve, k);
    f << QStringLiteral("\"reference_curve\": ") + floats(p.ReferenceCurve, k);
    f << QStringLiteral("\"deviations\": ") + floats(p.CurveDeviation, k);
    f << QStringLiteral("\"divergence\": ") + floatText(p.CurveDivergence);
    f << QStringLiteral("\"band_upper\": ") + floats(p.ReferenceBandUpper, k);
    f << QStringLiteral("\"band_lower\": ") + floats(p.ReferenceBandLower, k);
    return QStringLiteral("{\n  ") + f.join(QStringLiteral(",\n  ")) + QStringLiteral("\n}\n");
}

int fail(const QString &message)
{
    std::fprintf(stderr, "palvex-cli: %s\n", message.toUtf8().constData());
    return 2;
}

// The corrected recipe set as the sliders would set it: slider = floor(m * 100).
bool applyCorrected(MixProject &p, const QString &list, QString *error)
{
    const QStringList parts = list.split(u',');
    if (parts.size() != p.ComponentCount) {
        *error = QStringLiteral("--corrected needs %1 mass fractions, got %2").arg(p.ComponentCount).arg(parts.size());
        return false;
    }
    for (int i = 1; i <= parts.size(); ++i) {
        bool ok = false;
        const float m = parts[i - 1].trimmed().toFloat(&ok);
        if (!ok || m < 0 || m > 100) {
            *error = QStringLiteral("--corrected: \"%1\" is not a mass fraction from 0 to 100").arg(parts[i - 1]);
            return false;
        }
        p.CorrectedRecipe.set(i, m);
        p.SliderMouseChangeStatus.setText(QStringLiteral("1"));
        p.SBegunok[i].setValue(int(std::floor(double(m) * 100.0)));
        p.SliderMouseChangeStatus.setText(QStringLiteral("0"));
    }
    Recalculate(p);
    return true;
}

int calc(const QStringList &args)
{
    QString file, corrected;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--corrected") && i + 1 < args.size())
            corrected = args[++i];
        else if (args[i].startsWith(u'-'))
            return fail(QStringLiteral("calc: unknown option %1").arg(args[i]));
        else if (file.isEmpty())
            file = args[i];
        else
            return fail(QStringLiteral("calc: one project file expected"));
    }
    if (file.isEmpty())
        return fail(QStringLiteral("calc: no project file given (see --help)"));
    MixProject project;
    ConnectInputHandlers(project);
    project.startUp();
    QString error;
    if (!ProjectFile::LoadProject(project, file, &error))
        return fail(error);
    if (!corrected.isEmpty() && !applyCorrected(project, corrected, &error))
        return fail(error);
    std::fputs(resultJson(project).toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QStringLiteral("--help") || args[0] == QStringLiteral("-h")) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QStringLiteral("calc"))
        return calc(args);
    return fail(QStringLiteral("unknown command %1 (see --help)").arg(command));
}
