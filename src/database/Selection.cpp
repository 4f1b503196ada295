#include "database/Selection.h"

#include "charts/Graph.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double TwipsPerPixel = 15.0;

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

} // namespace

SelectionModel::SelectionModel(QObject *parent)
    : QObject(parent)
{
    comboN.setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                     QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10")});
    combo_form.setItems(formNames());
    FileOpenCommand.setText(QStringLiteral("Выбрать"));
    Frame1.setText(QStringLiteral("Выберите компоненты из базы данных:"));
    Frame2.setText(QStringLiteral("Исходный зерновой состав компонентов:"));
    Logarifm_Check.setText(QStringLiteral("Логарифмический масштаб апертур"));
    Legend_Check.setText(QStringLiteral("Отобразить легенду графика"));
    Command1.setText(QStringLiteral("Подтвердить данный состав для дальнейшего расчета"));
    Command2.setText(QStringLiteral("Отмена (закрыть окно)"));
    for (int i = 1; i <= MaxComponents; ++i) {
        comp_nmb_lab[i].setText(QStringLiteral("%1:").arg(i));
        comp_den_tabl[i].setText(QStringLiteral("табл"));
        Graph_Check[i].setValue(1);
        RedRamka[i].setVisible(false);
        RedRamka2[i].setVisible(false);
    }
}

int SelectionModel::participating() const
{
    return std::clamp(comboN.value(), 1, MaxComponents);
}

CompositionForm SelectionModel::form() const
{
    return CompositionForm(std::clamp(combo_form.value(), 1, 6));
}

QStringList SelectionModel::formNames()
{
    return {QStringLiteral("Частные остатки [гр]"), QStringLiteral("Частные остатки [%]"), QStringLiteral("Полные остатки [гр]"),
            QStringLiteral("Полные остатки [%]"), QStringLiteral("Полные проходы [гр]"), QStringLiteral("Полные проходы [%]")};
}

void StartSelection(SelectionModel &s)
{
    s.comboN.setValue(1);
    s.comboN.setText(QStringLiteral("1"));
    SetParticipatingRows(s);
    s.combo_form.setValue(1);
    s.combo_form.setText(SelectionModel::formNames().constFirst());
    RefreshPreviewTable(s);
}

void SetParticipatingRows(SelectionModel &s)
{
    const int n = s.participating();
    for (int i = 1; i <= MaxComponents; ++i) {
        const bool on = i <= n;
        if (!on) {
            s.RedRamka[i].setVisible(false);
            s.RedRamka2[i].setVisible(false);
            s.comp_name[i].setValue(0);
        }
        for (Control *c : {&s.comp_nmb_lab[i], &s.comp_name[i], &s.comp_density[i], &s.comp_den_tabl[i], &s.Graph_Check[i]})
            c->setEnabled(on);
    }
    RefreshPreviewTable(s);
}

void ChooseComponent(SelectionModel &s, int i, int m, const InformFn &inform)
{
    if (i < 1 || i > MaxComponents)
        return;
    s.comp_name[i].setValue(m);
    const int n = s.participating();
    for (int j = 1; j <= n; ++j) {
        if (j != i && m != 0 && s.comp_name[j].value() == m) {
            s.RedRamka[i].setVisible(true);
            if (inform)
                inform(QStringLiteral("Внимание!"), QStringLiteral("Данный компонент уже используется в составе смеси!"));
            break;
        }
        s.RedRamka[i].setVisible(false);
    }
    RefreshPreviewTable(s);
}

void DensityEdited(SelectionModel &s, int i, const QString &text)
{
    if (i < 1 || i > MaxComponents)
        return;
    s.comp_density[i].setText(Num::toSingle(text) ? text : QString());
}

void SelectionTick(SelectionModel &s)
{
    const int n = s.participating();
    for (int i = 1; i <= n; ++i) {
        s.RedRamka2[i].setVisible(!Num::toSingle(s.comp_density[i].text()));
        if (s.comp_name[i].value() == 0)
            s.RedRamka[i].setVisible(true);
    }
}

void RefreshPreviewTable(SelectionModel &s)
{
    GridModel &g = s.ishod_gran_table;
    g.setRows(1);
    g.setCols(1);
    g.clear();
    const ComponentDatabase &db = s.database;
    g.setCols(db.sizeCount + 1);
    g.setColumnWidth(0, 2200);
    g.setText(0, 0, QStringLiteral("Название компонента"));
    for (int k = 1; k <= db.sizeCount; ++k)
        g.setText(0, k, general(db.sizes[size_t(k)]));
    const int n = s.participating();
    for (int i = 1; i <= n; ++i) {
        const int m = s.comp_name[i].value();
        if (!s.Graph_Check[i].isChecked() || m < 1 || m > db.components.size())
            continue;
        const int r = g.rows();
        g.setRows(r + 1);
        g.setText(r, 0, db.components[m - 1].name);
        for (int k = 1; k <= db.sizeCount; ++k)
            g.setText(r, k, general(db.value(m, k, s.form())));
    }
}

void DrawPreviewGraph(const SelectionModel &s, QImage &image)
{
    image.fill(Qt::white);
    QPainter g(&image);
    g.setFont(ChartFont(8));
    const ComponentDatabase &db = s.database;
    const double W = image.width() * TwipsPerPixel, H = image.height() * TwipsPerPixel;
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
    const int f = int(s.form());
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
    const QString titles[7] = {QString(), QStringLiteral("Частные остатки [гр.]"), QStringLiteral("Частные остатки [%]"),
                               QStringLiteral("Полные остатки [гр.]"), QStringLiteral("Полные остатки [%]"),
                               QStringLiteral("Полные проходы [гр.]"), QStringLiteral("Полные проходы [%]")};
    print(150, 100, titles[f]);
    const bool logarithmic = s.Logarifm_Check.isChecked();
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
    print(W / 2 - 1500, B + 400, QStringLiteral("Размеры частиц (апертуры сит)"));
    const int n = s.participating();
    QList<std::pair<int, int>> shown; // (row, component)
    for (int i = 1; i <= n; ++i) {
        const int m = s.comp_name[i].value();
        if (!s.Graph_Check[i].isChecked() || m < 1 || m > db.components.size() || db.sizeCount < 1)
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
    if (s.Legend_Check.isChecked()) {
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

bool LoadDatabase(SelectionModel &s, const QString &workbook, const QString &settingsFile, QString *error, QStringList *warnings)
{
    auto clearLists = [&s] {
        s.database = ComponentDatabase();
        for (int i = 1; i <= MaxComponents; ++i) {
            s.comp_name[i].setValue(0);
            s.comp_name[i].setItems({});
        }
        RefreshPreviewTable(s);
    };
    const auto settings = ReadDatabaseSettings(settingsFile, error);
    if (!settings) {
        clearLists();
        return false;
    }
    auto db = ReadComponentDatabase(workbook, *settings, error, warnings);
    if (!db) {
        clearLists();
        return false;
    }
    s.database = std::move(*db);
    const QStringList names = s.database.names();
    for (int i = 1; i <= MaxComponents; ++i) {
        s.comp_name[i].setValue(0);
        s.comp_name[i].setItems(names);
    }
    RefreshPreviewTable(s);
    return true;
}

bool TransferSelection(SelectionModel &s, MixProject &p, const InformFn &inform)
{
    for (int i = 1; i <= MaxComponents; ++i) {
        if (s.RedRamka[i].isVisible() || s.RedRamka2[i].isVisible()) {
            if (inform)
                inform(QStringLiteral("Внимание!"), QStringLiteral("Проверьте правильность заполнения полей!"));
            return false;
        }
    }
    const int n = s.participating();
    const ComponentDatabase &db = s.database;
    int m[MaxComponents + 1] = {};
    for (int i = 1; i <= n; ++i) {
        m[i] = s.comp_name[i].value();
        if (m[i] < 1 || m[i] > db.components.size()) {
            if (inform)
                inform(QStringLiteral("Внимание!"), QStringLiteral("Проверьте правильность заполнения полей!"));
            return false;
        }
    }
    // A component without a total mass has no percentages and no passings: nothing to transfer.
    for (int i = 1; i <= n; ++i) {
        for (int k = 1; k <= db.sizeCount; ++k) {
            if (!db.value(m[i], k, CompositionForm::FullPassingPercent)) {
                if (inform)
                    inform(QStringLiteral("Внимание!"),
                           QStringLiteral("У компонента «%1» (строка %2 базы данных) нет зернового состава в процентах: в базе не указана "
                                          "общая масса пробы. Выберите другой компонент или исправьте базу данных и файл настроек app_setups.ini.")
                               .arg(db.components[m[i] - 1].name)
                               .arg(db.components[m[i] - 1].row));
                return false;
            }
        }
    }
    for (int k = 1; k <= db.sizeCount; ++k) {
        if (!db.sizes[size_t(k)]) {
            if (inform)
                inform(QStringLiteral("Внимание!"), QStringLiteral("В базе данных нет размера сита для %1-го класса крупности (размер пуст или не число); "
                                                                   "проверьте файл настроек app_setups.ini.")
                                                        .arg(k));
            return false;
        }
    }
    // 2.
    p.N.setText(Num::formatInt(n));
    for (int t = 1; t <= 5; ++t)
        p.tabl[t].clear();
    Recalculate(p);
    // 3.
    for (int i = 1; i <= n; ++i) {
        p.setCellText(p.tabl[1], 1, i - 1, db.components[m[i] - 1].name);
        p.setCellText(p.tabl[2], 1, i - 1, s.comp_density[i].text());
    }
    // 4.
    p.selectDataForm(GrainDataForm::Integral);
    // 5. Coarse classes that every component passes completely: only the finest of them stays
    // (and never fewer than two classes).
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
    // 6.
    p.K.setText(Num::formatInt(k));
    Recalculate(p);
    // 7. and 8.
    for (int j = 1; j <= k; ++j) {
        const int kk = k - j + 1;
        p.setCellText(p.tabl[3], j, 0, general(db.sizes[size_t(kk)]));
        for (int i = 1; i <= n; ++i)
            p.setCellText(p.tabl[3], j, i, general(db.value(m[i], kk, CompositionForm::FullPassingPercent)));
    }
    // 9.
    const QString equal = Num::formatDouble(100.0 / n);
    for (int i = 1; i <= n; ++i)
        p.setCellText(p.tabl[4], 1, i - 1, equal);
    // 10.
    p.selectReference(ReferenceKind::FunkDinger);
    p.koef_n.setText(QStringLiteral("0,5"));
    p.koef_a.setText(QStringLiteral("0"));
    p.koef_n2.setText(QStringLiteral("0,5"));
    p.koef_m.setText(QStringLiteral("0,1"));
    p.koef_B.setText(QStringLiteral("10"));
    // 11.
    for (int i = 1; i <= n; ++i) {
        if (const auto v = p.cellNumber(p.tabl[4], 1, i - 1))
            p.CorrectedRecipe.set(i, *v);
        p.showCorrectedOnSlider(i);
        p.MLock[i].setValue(0);
    }
    // 12.
    Recalculate(p);
    return true;
}

const QList<DensityOption> &DensityOptions()
{
    static const QList<DensityOption> options = {
        {QStringLiteral("Гранит: 2,75"), 2.75f},
        {QStringLiteral("Цемент: 3,1"), 3.1f},
        {QStringLiteral("Известняк плотный: 2,5"), 2.5f},
        {QStringLiteral("Песок кварцевый: 2,65"), 2.65f},
        {QStringLiteral("Шлак доменный: 2,95"), 2.95f},
        {QStringLiteral("Шлак пористый: 2,94"), 2.94f},
        {QStringLiteral("Шлак мартеновский: 3,2"), 3.2f},
        {QStringLiteral("Шлак конвертерный: 3,1"), 3.1f},
        {QStringLiteral("Шлак медеплавильный: 3,5"), 3.5f},
        {QStringLiteral("Шлак фосфорный: 2,95"), 2.95f},
        {QStringLiteral("Стальная крошка: 7,85"), 7.85f},
    };
    return options;
}

void ConfirmDensity(SelectionModel &s, const QString &rowText, int option)
{
    const auto r = Num::toInt16(Num::Val(rowText));
    if (!r || *r < 1 || *r > MaxComponents || option < 1 || option > DensityOptions().size())
        return;
    const QString text = Num::formatSingle(DensityOptions()[option - 1].value);
    s.comp_density[*r].setText(text);
    DensityEdited(s, *r, text);
}
