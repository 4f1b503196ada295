#include "support/ProjectBuilder.h"

#include "core/Numbers.h"
#include "session/ProjectSession.h"
#include "files/Cp1251.h"

#include <QFile>

namespace TestSupport {

int ProjectContent::componentCount() const
{
    if (!countN.isEmpty())
        return countN.toInt();
    qsizetype n = std::max({names.size(), densities.size(), composition.size(), baseRecipe.size()});
    return int(n);
}

int ProjectContent::classCount() const
{
    if (!countK.isEmpty())
        return countK.toInt();
    qsizetype k = std::max(sizes.size(), referenceRow.size());
    for (const QStringList &values : composition)
        k = std::max(k, values.size());
    return int(k);
}

ProjectBuilder &ProjectBuilder::name(const QString &text)
{
    m_c.name = text;
    return *this;
}

ProjectBuilder &ProjectBuilder::components(const QStringList &names, const QStringList &densities)
{
    m_c.names = names;
    m_c.densities = densities;
    return *this;
}

ProjectBuilder &ProjectBuilder::names(const QStringList &texts)
{
    m_c.names = texts;
    return *this;
}

ProjectBuilder &ProjectBuilder::densities(const QStringList &texts)
{
    m_c.densities = texts;
    return *this;
}

ProjectBuilder &ProjectBuilder::integral()
{
    return form(GrainDataForm::Integral);
}

ProjectBuilder &ProjectBuilder::differential()
{
    return form(GrainDataForm::Differential);
}

ProjectBuilder &ProjectBuilder::form(GrainDataForm form)
{
    m_c.form = form;
    return *this;
}

ProjectBuilder &ProjectBuilder::sizes(const QStringList &texts)
{
    m_c.sizes = texts;
    return *this;
}

ProjectBuilder &ProjectBuilder::composition(int component, const QStringList &values)
{
    if (component < 1)
        return *this;
    while (m_c.composition.size() < component)
        m_c.composition.append(QStringList());
    m_c.composition[component - 1] = values;
    return *this;
}

ProjectBuilder &ProjectBuilder::baseRecipe(const QStringList &texts)
{
    m_c.baseRecipe = texts;
    return *this;
}

ProjectBuilder &ProjectBuilder::funkDinger(const QString &n, const QString &a)
{
    m_c.reference = ReferenceKind::FunkDinger;
    m_c.n = n;
    m_c.a = a;
    return *this;
}

ProjectBuilder &ProjectBuilder::fuller(const QString &n)
{
    m_c.reference = ReferenceKind::Fuller;
    m_c.n2 = n;
    return *this;
}

ProjectBuilder &ProjectBuilder::hummel(const QString &m)
{
    m_c.reference = ReferenceKind::Hummel;
    m_c.m = m;
    return *this;
}

ProjectBuilder &ProjectBuilder::bolomey(const QString &B)
{
    m_c.reference = ReferenceKind::Bolomey;
    m_c.B = B;
    return *this;
}

ProjectBuilder &ProjectBuilder::manualReference(const QStringList &values)
{
    m_c.reference = ReferenceKind::ManualReference;
    m_c.referenceRow = values;
    return *this;
}

ProjectBuilder &ProjectBuilder::coefficients(const QStringList &texts)
{
    QString *fields[5] = {&m_c.n, &m_c.a, &m_c.n2, &m_c.m, &m_c.B};
    for (int i = 0; i < 5 && i < texts.size(); ++i)
        *fields[i] = texts[i];
    return *this;
}

ProjectBuilder &ProjectBuilder::referenceRow(const QStringList &values)
{
    m_c.referenceRow = values;
    return *this;
}

ProjectBuilder &ProjectBuilder::counts(const QString &n, const QString &k)
{
    m_c.countN = n;
    m_c.countK = k;
    return *this;
}

ProjectBuilder &ProjectBuilder::counts(int n, int k)
{
    return counts(QString::number(n), QString::number(k));
}

ProjectDocument ProjectBuilder::document() const
{
    ProjectDocument d;
    d.name = m_c.name;
    d.componentCount = int16_t(std::clamp(m_c.countN.isEmpty() ? m_c.componentCount() : int(Num::Val(m_c.countN)), 1, MaxComponents));
    d.classCountText = m_c.countK.isEmpty() ? QString::number(m_c.classCount()) : m_c.countK;
    for (int i = 0; i < m_c.names.size(); ++i)
        d.setCell(InputTable::Names, 1, i, m_c.names[i]);
    for (int i = 0; i < m_c.densities.size(); ++i)
        d.setCell(InputTable::Densities, 1, i, m_c.densities[i]);
    d.dataForm = m_c.form;
    for (int j = 0; j < m_c.sizes.size(); ++j)
        d.setCell(InputTable::Compositions, j + 1, 0, m_c.sizes[j]);
    for (int i = 0; i < m_c.composition.size(); ++i)
        for (int j = 0; j < m_c.composition[i].size(); ++j)
            d.setCell(InputTable::Compositions, j + 1, i + 1, m_c.composition[i][j]);
    for (int i = 0; i < m_c.baseRecipe.size(); ++i)
        d.setCell(InputTable::BaseRecipe, 1, i, m_c.baseRecipe[i]);
    d.setCoefficient(Coefficient::FunkDingerN, m_c.n);
    d.setCoefficient(Coefficient::FunkDingerA, m_c.a);
    d.setCoefficient(Coefficient::FullerN, m_c.n2);
    d.setCoefficient(Coefficient::HummelM, m_c.m);
    d.setCoefficient(Coefficient::BolomeyB, m_c.B);
    d.referenceKind = m_c.reference;
    if (m_c.reference == ReferenceKind::ManualReference)
        for (int j = 0; j < m_c.referenceRow.size(); ++j)
            d.setCell(InputTable::Reference, 1, j + 1, m_c.referenceRow[j]);
    return d;
}

bool ProjectBuilder::typeInto(ProjectSession &s) const
{
    // Everything below is what the session takes from the user; a new model of the project
    // needs only this function and document() rewritten.
    bool all = true;
    auto cell = [&s, &all](InputTable table, int row, int col, const QString &text) {
        s.setCellText(table, row, col, text);
        all = s.document().cell(table, row, col).text() == text && all;
    };
    const int n = std::clamp(m_c.countN.isEmpty() ? m_c.componentCount() : int(Num::Val(m_c.countN)), 1, MaxComponents);
    s.setProjectName(m_c.name);
    s.setComponentCount(n);
    s.setClassCountText(m_c.countK.isEmpty() ? QString::number(m_c.classCount()) : m_c.countK);
    for (int i = 0; i < m_c.names.size(); ++i)
        cell(InputTable::Names, 1, i, m_c.names[i]);
    for (int i = 0; i < m_c.densities.size(); ++i)
        cell(InputTable::Densities, 1, i, m_c.densities[i]);
    s.setDataForm(m_c.form);
    for (int j = 0; j < m_c.sizes.size(); ++j)
        cell(InputTable::Compositions, j + 1, 0, m_c.sizes[j]);
    for (int i = 0; i < m_c.composition.size(); ++i)
        for (int j = 0; j < m_c.composition[i].size(); ++j)
            cell(InputTable::Compositions, j + 1, i + 1, m_c.composition[i][j]);
    for (int i = 0; i < m_c.baseRecipe.size(); ++i)
        cell(InputTable::BaseRecipe, 1, i, m_c.baseRecipe[i]);
    s.setCoefficientText(Coefficient::FunkDingerN, m_c.n);
    s.setCoefficientText(Coefficient::FunkDingerA, m_c.a);
    s.setCoefficientText(Coefficient::FullerN, m_c.n2);
    s.setCoefficientText(Coefficient::HummelM, m_c.m);
    s.setCoefficientText(Coefficient::BolomeyB, m_c.B);
    // The sizes are in place before the manual option starts its table.
    s.setReferenceKind(m_c.reference);
    if (m_c.reference == ReferenceKind::ManualReference)
        for (int j = 0; j < m_c.referenceRow.size(); ++j)
            cell(InputTable::Reference, 1, j + 1, m_c.referenceRow[j]);
    return all;
}

QStringList ProjectBuilder::fileLines() const
{
    const int n = m_c.componentCount();
    const int k = m_c.classCount();
    auto at = [](const QStringList &list, int i) { return list.value(i); };
    QStringList lines;
    lines << m_c.name << (m_c.countN.isEmpty() ? QString::number(n) : m_c.countN);
    for (int i = 0; i < n; ++i)
        lines << at(m_c.names, i);
    for (int i = 0; i < n; ++i)
        lines << at(m_c.densities, i);
    lines << QString::number(int(m_c.form));
    lines << (m_c.countK.isEmpty() ? QString::number(k) : m_c.countK);
    for (int j = 0; j < k; ++j)
        lines << at(m_c.sizes, j);
    for (int j = 0; j < k; ++j)
        for (int i = 0; i < n; ++i)
            lines << at(m_c.composition.value(i), j);
    for (int i = 0; i < n; ++i)
        lines << at(m_c.baseRecipe, i);
    lines << QString::number(int(m_c.reference));
    lines << m_c.n << m_c.a << m_c.n2 << m_c.m << m_c.B;
    for (int j = 0; j < k; ++j)
        lines << at(m_c.referenceRow, j);
    return lines;
}

QByteArray ProjectBuilder::fileBytes() const
{
    QByteArray out;
    for (const QString &line : fileLines())
        out += Cp1251::encode(line).value_or(QByteArray("?")) + "\r\n";
    return out;
}

bool ProjectBuilder::writeFile(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = fileBytes();
    return f.write(bytes) == bytes.size();
}

ProjectBuilder workedExample()
{
    return ProjectBuilder()
        .name(QStringLiteral("Смесь №5"))
        .components({QStringLiteral("Песок"), QStringLiteral("Цемент")}, {QStringLiteral("2,65"), QStringLiteral("3,1")})
        .integral()
        .sizes({QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16")})
        .composition(1, {QStringLiteral("100"), QStringLiteral("70"), QStringLiteral("20")})
        .composition(2, {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("10")})
        .baseRecipe({QStringLiteral("60"), QStringLiteral("40")})
        .funkDinger()
        .referenceRow({QStringLiteral("100"), QStringLiteral("39,11"), QStringLiteral("0")});
}

// Hand calculation of the differential project.
//
// Volume fractions: 40 / 2,5 = 16 and 60 / 3,75 = 16, so V = 50 / 50 (and, for any masses,
// V_1 = 3 m_1 / (3 m_1 + 2 m_2): 45/55 -> 135/245, 50/50 -> 0,6).
// Partial residues Q, their running sums R and the full passings 100 - R:
//
//   D       Q1  Q2   R1   R2   A1   A2   base mix  Fuller 100*sqrt(D/4)  deviation
//   4       10   0   10    0   90  100      95        100                    5
//   1       40  10   50   10   50   90      70         50                   20
//   0,25    30  40   80   50   20   50      35         25                   10
//   0,0625  20  50  100  100    0    0       0         12,5                 12,5
//
// Divergence 20 (class 2); band 120/70/45/32,5 above and 80/30/5/-7,5 below the reference.
// With a share x of component 1's volume the deviations are 10x, 40(1 - x), |25 - 30x| and
// 12,5; taken as passings instead, the residues would give a divergence above 90.
ProjectBuilder differentialProject()
{
    return ProjectBuilder()
        .name(QStringLiteral("Смесь Д-4"))
        .components({QStringLiteral("Щебень"), QStringLiteral("Песок")}, {QStringLiteral("2,5"), QStringLiteral("3,75")})
        .differential()
        .sizes({QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("0,25"), QStringLiteral("0,0625")})
        .composition(1, {QStringLiteral("10"), QStringLiteral("40"), QStringLiteral("30"), QStringLiteral("20")})
        .composition(2, {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("40"), QStringLiteral("50")})
        .baseRecipe({QStringLiteral("40"), QStringLiteral("60")})
        .fuller()
        .referenceRow({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("25"), QStringLiteral("12,5")});
}

} // namespace TestSupport
