#include "database/ComponentSelection.h"

#include "charts/Graph.h"
#include "core/Numbers.h"
#include "charts/Twips.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ComponentSelection)
};


struct RowColours
{
    QColor line, fill;
};

RowColours rowColours(int i)
{
    static const RowColours colours[10] = {
        {QColor(0xFF0000), QColor(0xFFC0C0)}, {QColor(0x00C000), QColor(0xC0FFC0)}, {QColor(0x0000FF), QColor(0xC0C0FF)},
        {QColor(0xFF8000), QColor(0xFFE0C0)}, {QColor(0xC000C0), QColor(0xFFC0FF)}, {QColor(0x808000), QColor(0xFFFFC0)},
        {QColor(0x008080), QColor(0xC0FFFF)}, {QColor(0xFF80FF), QColor(0xFAB5FD)}, {QColor(0x404040), QColor(0xE0E0E0)},
        {QColor(0x804040), QColor(0xB39880)},
    };
    return colours[std::clamp(i, 1, 10) - 1];
}

QString general(std::optional<double> v)
{
    return v ? Num::formatDouble(*v) : QString();
}

QString checkFields()
{
    return Texts::tr("Проверьте правильность заполнения полей!");
}

} // namespace

ComponentSelection::ComponentSelection() = default;

QStringList ComponentSelection::formNames()
{
    return {Texts::tr("Частные остатки [гр]"), Texts::tr("Частные остатки [%]"), Texts::tr("Полные остатки [гр]"),
            Texts::tr("Полные остатки [%]"), Texts::tr("Полные проходы [гр]"), Texts::tr("Полные проходы [%]")};
}

bool ComponentSelection::load(const QString &workbook, const QString &settingsFile, QString *error, QStringList *warnings)
{
    m_database = ComponentDatabase();
    for (Row &r : m_rows)
        r.component = 0;
    const auto settings = ReadDatabaseSettings(settingsFile, error);
    if (!settings)
        return false;
    auto db = ReadComponentDatabase(workbook, *settings, error, warnings);
    if (!db)
        return false;
    m_database = std::move(*db);
    return true;
}

void ComponentSelection::setDatabase(ComponentDatabase database)
{
    m_database = std::move(database);
    for (Row &r : m_rows)
        r.component = 0;
}

void ComponentSelection::setParticipating(int n)
{
    m_participating = std::clamp(n, 1, MaxComponents);
    for (int i = m_participating + 1; i <= MaxComponents; ++i) {
        m_rows[size_t(i)].component = 0;
        m_rows[size_t(i)].duplicate = false;
    }
}

std::optional<QString> ComponentSelection::chooseComponent(int i, int m)
{
    if (i < 1 || i > MaxComponents)
        return std::nullopt;
    Row &row = m_rows[size_t(i)];
    row.component = m;
    row.duplicate = false;
    for (int j = 1; j <= m_participating; ++j) {
        if (j != i && m != 0 && m_rows[size_t(j)].component == m) {
            row.duplicate = true;
            return Texts::tr("Данный компонент уже используется в составе смеси!");
        }
    }
    return std::nullopt;
}

void ComponentSelection::setDensity(int i, const QString &text)
{
    if (i >= 1 && i <= MaxComponents)
        m_rows[size_t(i)].density = Num::toSingle(text) ? text : QString();
}

void ComponentSelection::setShown(int i, bool shown)
{
    if (i >= 1 && i <= MaxComponents)
        m_rows[size_t(i)].shown = shown;
}

bool ComponentSelection::componentMarked(int i) const
{
    if (i < 1 || i > m_participating)
        return false;
    const Row &r = m_rows[size_t(i)];
    return r.component == 0 || r.duplicate;
}

bool ComponentSelection::densityMarked(int i) const
{
    return i >= 1 && i <= m_participating && !Num::toSingle(m_rows[size_t(i)].density);
}

QStringList ComponentSelection::previewHeader() const
{
    QStringList header{Texts::tr("Название компонента")};
    for (int k = 1; k <= m_database.sizeCount; ++k)
        header << general(m_database.sizes[size_t(k)]);
    return header;
}

QList<QStringList> ComponentSelection::previewRows() const
{
    QList<QStringList> rows;
    for (int i = 1; i <= m_participating; ++i) {
        const Row &r = m_rows[size_t(i)];
        if (!r.shown || r.component < 1 || r.component > m_database.components.size())
            continue;
        QStringList cells{m_database.components[r.component - 1].name};
        for (int k = 1; k <= m_database.sizeCount; ++k)
            cells << general(m_database.value(r.component, k, m_form));
        rows << cells;
    }
    return rows;
}

void ComponentSelection::drawPreview(QImage &image) const
{
    image.fill(Qt::white);
    QPainter g(&image);
    QFont font = Charts::chartFont(8);
    font.setPixelSize(11);
    g.setFont(font);
    const ComponentDatabase &db = m_database;
    const QSizeF size = image.deviceIndependentSize();
    using Charts::TwipsPerPixel;
    const double W = size.width() * TwipsPerPixel, H = size.height() * TwipsPerPixel;
    const double L = 1000, T = 500, R = W - 300, B = H - 800;
    auto px = [](double t) { return t / TwipsPerPixel; };
    auto line = [&](double x1, double y1, double x2, double y2, const QColor &c, int w) {
        g.setPen(QPen(c, w));
        g.drawLine(QLineF(px(x1), px(y1), px(x2), px(y2)));
    };
    auto print = [&](double x, double y, const QString &t) {
        g.setPen(Qt::black);
        g.drawText(QRectF(px(x), px(y), 600, 60), Qt::AlignLeft | Qt::AlignTop, t);
    };
    if (R <= L || B <= T)
        return;
    const int f = int(m_form);
    const bool percent = f == 2 || f == 4 || f == 6;
    const double top = percent ? 100.0 : db.maxTotalMass;
    auto yOf = [&](double v) { return top != 0 ? T + (top - v) * (B - T) / top : B; };
    const QColor grid(212, 208, 200);
    if (top != 0) {
        const double step = std::floor(top) / 10;
        if (step > 0) {
            for (int i = 0; i <= 10000; ++i) {
                const double v = i * step;
                if (v > top + 1e-9)
                    break;
                const double y = yOf(v);
                line(L, y, R, y, grid, 1);
                line(L - 100, y, L, y, Qt::black, 1);
                print(L - 800, y - 150, Num::formatDouble(v));
            }
        }
    }
    const QString titles[7] = {QString(), Texts::tr("Частные остатки [гр.]"), Texts::tr("Частные остатки [%]"),
                               Texts::tr("Полные остатки [гр.]"), Texts::tr("Полные остатки [%]"),
                               Texts::tr("Полные проходы [гр.]"), Texts::tr("Полные проходы [%]")};
    print(150, 100, titles[f]);
    
    const double mn = db.minSize, mx = db.maxSize;
    const double mnLog = mn < 0.0001 ? 0.0001 : mn;
    auto xOf = [&](double d) -> std::optional<double> {
        if (!logarithmic) {
            if (mx == mn)
                return std::nullopt;
            return L + (d - mn) * (R - L) / (mx - mn);
        }
        if (d <= 0 || mx <= 0 || std::log10(mnLog) == std::log10(mx))
            return std::nullopt;
        return R - (std::log10(d) - std::log10(mx)) * (R - L) / (std::log10(mnLog) - std::log10(mx));
    };
    if (!logarithmic) {
        if (mx != mn) {
            const double step = (mx - mn) / 10;
            for (int i = 0; i <= 10; ++i) {
                const double d = mn + i * step;
                const double x = *xOf(d);
                line(x, T, x, B, grid, 1);
                line(x, B, x, B + 100, Qt::black, 1);
                print(x - 100, B + 150, Num::formatDouble(Num::roundHalfEven(d, 6)));
            }
        }
    } else {
        for (int m = 1; m <= 9; ++m) {
            for (int e = -4; e <= 4; ++e) {
                const double d = m * std::pow(10.0, e);
                const auto x = xOf(d);
                if (!x || *x < L || *x > R)
                    continue;
                line(*x, T, *x, B, grid, 1);
                line(*x, B, *x, B + 100, Qt::black, 1);
                if (m == 1)
                    print(*x - 100, B + 150, Num::formatDouble(std::pow(10.0, e)));
            }
        }
    }
    print(W / 2 - 1500, B + 400, Texts::tr("Размеры частиц (апертуры сит)"));
    const int n = m_participating;
    QList<std::pair<int, int>> shown; // (row, component)
    for (int i = 1; i <= n; ++i) {
        const int m = m_rows[size_t(i)].component;
        if (!m_rows[size_t(i)].shown || m < 1 || m > db.components.size() || db.sizeCount < 1)
            continue;
        shown << std::make_pair(i, m);
        QList<QPointF> pts;
        QList<bool> known; // a value that is empty (no total mass) is not drawn as a zero
        for (int k = 1; k <= db.sizeCount; ++k) {
            const auto x = xOf(db.sizes[size_t(k)].value_or(0.0));
            const auto v = db.value(m, k, CompositionForm(f));
            const double y = yOf(v.value_or(0.0));
            pts << QPointF(std::clamp(x.value_or(L), L, R), std::clamp(y, T, B));
            known << v.has_value();
        }
        const RowColours c = rowColours(i);
        if (f == 1 || f == 2) {
            for (int k = 0; k < pts.size(); ++k) {
                if (!known[k])
                    continue;
                const double xPrev = pts[std::max(0, k - 1)].x(), xNext = pts[std::min<int>(int(pts.size()) - 1, k + 1)].x();
                const double a = (xPrev + pts[k].x()) / 2, b = (pts[k].x() + xNext) / 2;
                const double y = pts[k].y();
                g.fillRect(QRectF(QPointF(px(std::min(a, b)), px(y)), QPointF(px(std::max(a, b)), px(B))), c.fill);
                line(a, B, a, y, c.line, 2);
                line(b, B, b, y, c.line, 2);
                line(a, y, b, y, c.line, 2);
            }
        } else {
            for (int k = 1; k < pts.size(); ++k)
                if (known[k - 1] && known[k])
                    line(pts[k - 1].x(), pts[k - 1].y(), pts[k].x(), pts[k].y(), c.line, 2);
        }
    }
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(Qt::NoBrush);
    g.drawRect(QRectF(QPointF(px(L), px(T)), QPointF(px(R), px(B))));
    if (legend) {
        const double x0 = (L + R) / 2 - 1250, y0 = T + 500;
        int r = 1;
        for (const auto &[i, m] : shown) {
            g.setPen(Qt::black);
            g.setBrush(rowColours(i).line);
            g.drawRect(QRectF(QPointF(px(x0 + 150), px(y0 + (r - 0.5) * 400)), QPointF(px(x0 + 550), px(y0 + r * 400))));
            print(x0 + 700, y0 + (r - 0.5) * 400, db.components[m - 1].name);
            ++r;
        }
    }
}

std::optional<ProjectDocument> ComponentSelection::transfer(const ProjectDocument &current, QString *message) const
{
    auto refuse = [message](const QString &why) -> std::optional<ProjectDocument> {
        if (message)
            *message = why;
        return std::nullopt;
    };
    for (int i = 1; i <= m_participating; ++i)
        if (componentMarked(i) || densityMarked(i))
            return refuse(checkFields());
    const int n = m_participating;
    const ComponentDatabase &db = m_database;
    int m[MaxComponents + 1] = {};
    for (int i = 1; i <= n; ++i) {
        m[i] = m_rows[size_t(i)].component;
        if (m[i] < 1 || m[i] > db.components.size())
            return refuse(checkFields());
    }
    // A component without a total mass has no percentages and no passings: nothing to transfer.
    for (int i = 1; i <= n; ++i)
        for (int k = 1; k <= db.sizeCount; ++k)
            if (!db.value(m[i], k, CompositionForm::FullPassingPercent))
                return refuse(Texts::tr("У компонента «%1» (строка %2 базы данных) нет зернового состава в процентах: в базе не указана "
                                        "общая масса пробы. Выберите другой компонент или исправьте базу данных и файл настроек app_setups.ini.")
                                  .arg(db.components[m[i] - 1].name)
                                  .arg(db.components[m[i] - 1].row));
    for (int k = 1; k <= db.sizeCount; ++k)
        if (!db.sizes[size_t(k)])
            return refuse(Texts::tr("В базе данных нет размера сита для %1-го класса крупности (размер пуст или не число); "
                                    "проверьте файл настроек app_setups.ini.")
                              .arg(k));

    // A new project of the chosen components; only the name stays.
    ProjectDocument d;
    d.name = current.name;
    d.componentCount = int16_t(n);
    for (int i = 1; i <= n; ++i) {
        d.setCell(InputTable::Names, 1, i - 1, db.components[m[i] - 1].name);
        d.setCell(InputTable::Densities, 1, i - 1, m_rows[size_t(i)].density);
    }
    d.dataForm = GrainDataForm::Integral;
    // Coarse classes that every component passes completely: only the finest of them stays (and
    // never fewer than two classes).
    int k = db.sizeCount;
    while (k > 2) {
        bool all = true;
        for (int i = 1; i <= n && all; ++i)
            all = db.value(m[i], k, CompositionForm::FullPassingPercent) == 100.0
                && db.value(m[i], k - 1, CompositionForm::FullPassingPercent) == 100.0;
        if (!all)
            break;
        --k;
    }
    d.classCountText = Num::formatInt(k);
    // Sizes from the coarsest down, the compositions as full passings in percent.
    for (int j = 1; j <= k; ++j) {
        const int kk = k - j + 1;
        d.setCell(InputTable::Compositions, j, 0, general(db.sizes[size_t(kk)]));
        for (int i = 1; i <= n; ++i)
            d.setCell(InputTable::Compositions, j, i, general(db.value(m[i], kk, CompositionForm::FullPassingPercent)));
    }
    // An equal base recipe, and the Funk-Dinger reference with its usual coefficients.
    const QString equal = Num::formatDouble(100.0 / n);
    for (int i = 1; i <= n; ++i)
        d.setCell(InputTable::BaseRecipe, 1, i - 1, equal);
    d.referenceKind = ReferenceKind::FunkDinger;
    return d;
}

QList<DensityOption> densityOptions()
{
    return {
        {Texts::tr("Гранит: 2,75"), 2.75f},
        {Texts::tr("Цемент: 3,1"), 3.1f},
        {Texts::tr("Известняк плотный: 2,5"), 2.5f},
        {Texts::tr("Песок кварцевый: 2,65"), 2.65f},
        {Texts::tr("Шлак доменный: 2,95"), 2.95f},
        {Texts::tr("Шлак пористый: 2,94"), 2.94f},
        {Texts::tr("Шлак мартеновский: 3,2"), 3.2f},
        {Texts::tr("Шлак конвертерный: 3,1"), 3.1f},
        {Texts::tr("Шлак медеплавильный: 3,5"), 3.5f},
        {Texts::tr("Шлак фосфорный: 2,95"), 2.95f},
        {Texts::tr("Стальная крошка: 7,85"), 7.85f},
    };
}

QString densityText(int option)
{
    if (option < 1 || option > densityOptions().size())
        return QString();
    return Num::formatSingle(densityOptions()[option - 1].value);
}
