#include "report/Report.h"

#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "core/Numbers.h"
#include "report/DocxWriter.h"

#include "core/FileErrors.h"

#include <QDir>

#include <cmath>
#include <QFile>
#include <QFileInfo>

namespace {

QString gridText(const MixProject &p, int table, int row, int col)
{
    const QString *t = p.cellText(p.tabl[table], row, col);
    return t ? *t : QString();
}

void spacer(Doc::Document &d)
{
    d.insertParagraphAfter();
    d.insertAfter(QStringLiteral(" "));
    d.endOf();
    d.insertParagraphAfter();
    d.endOf();
}

void heading(Doc::Document &d, const QString &text)
{
    d.insertAfter(text);
    d.setBold(false);
    d.setAlignment(Doc::Align::Left);
    d.setSize(12);
    d.endOf();
}

void setCell(Doc::Table &t, int row, int col, const QString &text)
{
    Doc::Cell &c = t.cell(row, col);
    c.text = text;
    c.size = 10;
    c.align = Doc::Align::Center;
}

void epilogue(Doc::Document &d, Doc::Table &t)
{
    t.grid = true;
    d.selectLastCellAndCollapse();
}

// A table right under its heading: the heading never stays alone at the foot of a page.
Doc::Table &tableUnderHeading(Doc::Document &d, int rows, int cols)
{
    d.setKeepWithNext(true);
    return d.addTable(rows, cols);
}

// A one-cell table holding a chart, printed ReportPictureWidth wide; `withCaption` keeps the
// paragraph after it on the same page.
void pictureTable(Doc::Document &d, const QImage &image, bool withCaption = false)
{
    Doc::Table &t = tableUnderHeading(d, 1, 1);
    t.keepWithNext = withCaption;
    t.cell(1, 1).picture = image;
    t.cell(1, 1).pictureWidth = ReportPictureWidth;
    t.cell(1, 1).align = Doc::Align::Center;
    d.selectLastCellAndCollapse();
}

// A 2 x columns table of two grid rows.
void twoRowTable(Doc::Document &d, const MixProject &p, int table, int columns)
{
    Doc::Table &t = tableUnderHeading(d, 2, columns);
    for (int i = 1; i <= columns; ++i) {
        setCell(t, 1, i, gridText(p, table, 0, i - 1));
        setCell(t, 2, i, gridText(p, table, 1, i - 1));
    }
    epilogue(d, t);
}

} // namespace

QString ReportNote()
{
    return QStringLiteral(
        "основной задачей произведенных расчетов является приближение зернового состава проектируемой смеси к заданному "
        "эталонному зерновому составу. Данный программный продукт (и алгоритм, лежащий в его основе) является лишь "
        "вспомогательным расчетно-математическим средством, при этом не гарантируется оптимизирующий эффект в отношении "
        "качественных (технико-эксплуатационных) характеристик конечного продукта. Методологическая основа задачи "
        "оптимизации зернового состава сырьевой смеси сводится к критериям выбора эталонного зернового состава. При этом "
        "следует учитывать аспекты пространственной упаковки частиц и их влияние на структурную топологию "
        "рассматриваемого гранулированного материала.\r\n");
}

Doc::Document BuildReport(const MixProject &p, const QImage &graph, const QImage &diagram)
{
    Doc::Document d;
    const int n = std::max(0, int(Num::toInt16(Num::roundHalfEven(Num::toDouble(p.N.text()).value_or(0.0))).value_or(0)));
    const int k = std::max(0, int(Num::toInt16(Num::roundHalfEven(Num::toDouble(p.K.text()).value_or(0.0))).value_or(0)));
    auto on = [&p](int box) { return p.Otch_el[box].value() == 1; };

    // 5. Title.
    d.insertAfter(QStringLiteral("Результаты расчета зернового состава сырьевой смеси"));
    d.setBold(true);
    d.setAlignment(Doc::Align::Center);
    d.setColour(Qt::black);
    d.setSize(14);
    d.setFont(QStringLiteral("Times New Roman"));
    d.endOf();
    d.insertParagraphAfter();
    d.insertParagraphAfter();
    d.endOf();
    // 6.
    if (on(1))
        heading(d, QStringLiteral("Название проектируемой смеси: ") + p.project_name.text());
    // 7.
    if (on(2)) {
        d.insertParagraphAfter();
        d.insertParagraphAfter();
        d.endOf();
        heading(d, QStringLiteral("Количество сырьевых компонентов смеси: ") + p.N.text());
    }
    // 8.
    if (on(3)) {
        spacer(d);
        heading(d, QStringLiteral("Названия сырьевых компонентов смеси"));
        twoRowTable(d, p, 1, n);
    }
    // 9.
    if (on(4)) {
        spacer(d);
        heading(d, QStringLiteral("Плотности сырьевых компонентов смеси"));
        twoRowTable(d, p, 2, n);
    }
    // 10.
    if (on(5)) {
        spacer(d);
        const bool integral = p.Data_type_1.isChecked(), differential = p.Data_type_2.isChecked();
        if (integral && !differential)
            d.insertAfter(QStringLiteral("Зерновые составы сырьевых компонентов смеси (интегральное распределение, %)"));
        if (differential && !integral)
            d.insertAfter(QStringLiteral("Зерновые составы сырьевых компонентов смеси (дифференциальное распределение, %)"));
        d.setBold(false);
        d.setAlignment(Doc::Align::Left);
        d.setSize(12);
        d.endOf();
        Doc::Table &t = tableUnderHeading(d, k + 1, n + 1);
        for (int r = 1; r <= k + 1; ++r)
            for (int c = 1; c <= n + 1; ++c)
                setCell(t, r, c, gridText(p, 3, r - 1, c - 1));
        epilogue(d, t);
    }
    // 11.
    if (on(6)) {
        spacer(d);
        heading(d, QStringLiteral("Исходный компонентный состав смеси в массовых долях, % (базовая рецептура, подлежащая оптимизации)"));
        twoRowTable(d, p, 4, n);
    }
    // 12.
    if (on(7)) {
        spacer(d);
        heading(d, QStringLiteral("Диаграмма массовых долей исходного компонентного состава:"));
        pictureTable(d, diagram);
    }
    // 13.
    if (on(8)) {
        spacer(d);
        heading(d, QStringLiteral("Эталонный зерновой состав (полный проход A'j, % в зависимости от размеров частиц Dj)"));
        twoRowTable(d, p, 5, k + 1);
    }
    // 14.
    if (on(9)) {
        spacer(d);
        heading(d, QStringLiteral("Скорректированный компонентный состав смеси в массовых долях, % (оптимальная рецептура, "
                                  "отвечающая минимальному расхождению грансостава смеси с эталоном)"));
        Doc::Table &t = tableUnderHeading(d, 2, n);
        for (int i = 1; i <= n; ++i) {
            setCell(t, 1, i, gridText(p, 4, 0, i - 1));
            setCell(t, 2, i, i <= MaxComponents ? p.M_lab[i].text() : QString());
        }
        epilogue(d, t);
    }
    // 15. (Otch_el_11 carries 6.10.)
    if (on(11)) {
        spacer(d);
        heading(d, QStringLiteral("Скорректированный зерновой состав (полный проход A'j, % в зависимости от размеров частиц Dj)"));
        Doc::Table &t = tableUnderHeading(d, 2, k + 1);
        for (int i = 1; i <= k + 1; ++i)
            setCell(t, 1, i, gridText(p, 5, 0, i - 1));
        setCell(t, 2, 1, QStringLiteral("Aj,%"));
        const ClassFloats &curve = p.AutoCheck.isChecked() ? p.TrialMixCurve : p.CorrectedMixCurve;
        for (int j = 1; j <= k; ++j)
            setCell(t, 2, j + 1, curve.has(j) ? Num::formatRounded(double(curve[j]), 2) : QString());
        epilogue(d, t);
    }
    // 16. (Otch_el_10 carries 6.11.)
    if (on(10)) {
        spacer(d);
        heading(d, QStringLiteral("Гранулометрический график (") + p.Pogreshnost.text() + QStringLiteral("):"));
        pictureTable(d, graph, true);
        d.setKeepWithNext(true); // the empty paragraph under the graph, up to its caption
        d.insertParagraphAfter();
        d.endOf();
        d.insertAfter(QStringLiteral("Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный "
                                     "(оранжевый), скорректированный (красный) составы и расхождение кривых (серый)]"));
        d.setAlignment(Doc::Align::Left);
        d.endOf();
    }
    // 17. The closing note, always.
    spacer(d);
    d.insertAfter(QStringLiteral("Примечание: "));
    d.setBold(true);
    d.setAlignment(Doc::Align::Justify);
    d.setColour(QColor(0, 0, 255));
    d.setSize(12);
    d.endOf();
    d.insertAfter(ReportNote());
    d.setBold(false);
    d.setAlignment(Doc::Align::Justify);
    d.setColour(Qt::black);
    d.setSize(12);
    d.endOf();
    return d;
}

namespace {

QImage pictureImage(QSize size, double pixelRatio)
{
    const double ratio = pixelRatio > 0 && std::isfinite(pixelRatio) ? pixelRatio : 1.0;
    const QSize logical = size.expandedTo(QSize(1, 1));
    QImage image(std::max(1, int(std::lround(logical.width() * ratio))), std::max(1, int(std::lround(logical.height() * ratio))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(double(image.width()) / logical.width());
    return image;
}

} // namespace

QImage RenderGraph(MixProject &p, QSize size, double pixelRatio)
{
    QImage image = pictureImage(size, pixelRatio);
    // The plot frame of a picture of this size (the window's layout sets it for the screen).
    const float frame[4] = {p.PlotLeft, p.PlotTop, p.PlotRight, p.PlotBottom};
    const QSizeF logical = image.deviceIndependentSize();
    p.PlotLeft = 500;
    p.PlotTop = 500;
    p.PlotRight = float(logical.width() * 15 - 500);
    p.PlotBottom = float(logical.height() * 15 - 500);
    DrawGranulometricGraph(p, image);
    p.PlotLeft = frame[0];
    p.PlotTop = frame[1];
    p.PlotRight = frame[2];
    p.PlotBottom = frame[3];
    return image;
}

QImage RenderDiagram(const MixProject &p, QSize size, double pixelRatio)
{
    QImage image = pictureImage(size, pixelRatio);
    if (p.BaseRecipeValid)
        DrawMassFractionDiagram(p, p.ComponentCount, image);
    else
        image.fill(Qt::white);
    return image;
}

QSize ReportGraphSize()
{
    // 15 cm at 96 pixels per inch: the texts print at the size the window shows them.
    return QSize(567, 400);
}

double ReportPixelRatio(int width)
{
    const double devicePixels = std::round(ReportPictureWidth / 2.54 * ReportPictureDpi);
    return width > 0 ? devicePixels / width : 1.0;
}

QString ReportFileName(const MixProject &p)
{
    return QFileInfo(ReportPath(QString(), p, 1)).fileName();
}

QString ReportPath(const QString &folder, const MixProject &p, int n)
{
    QString name = p.project_name.text().trimmed();
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, u'_');
    name.remove(QChar(0));
    if (name.isEmpty())
        name = QStringLiteral("без названия");
    if (name.size() > 120)
        name.truncate(120);
    const QString number = n > 1 ? QStringLiteral(" (%1)").arg(n) : QString();
    return QDir(folder).filePath(QStringLiteral("Отчет — ") + name + number + QStringLiteral(".docx"));
}

QString WriteNewReport(MixProject &p, const QString &folder, QString *error)
{
    constexpr int MaxNumber = 9999;
    for (int n = 1; n <= MaxNumber; ++n) {
        const QString path = ReportPath(folder, p, n);
        // Creating the file only if it does not exist reserves the name, also against another
        // program taking it meanwhile.
        QFile reserve(path);
        if (!reserve.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                continue;
            if (error)
                *error = QStringLiteral("Не удалось записать отчет «%1»: %2")
                             .arg(QDir::toNativeSeparators(path), FileErrorText(reserve, path));
            return QString();
        }
        reserve.close();
        if (!WriteReport(p, path, error)) {
            QFile::remove(path);
            return QString();
        }
        return path;
    }
    if (error)
        *error = QStringLiteral("Не удалось записать отчет: в папке «%1» заняты все имена отчетов этого проекта.")
                     .arg(QDir::toNativeSeparators(folder));
    return QString();
}

bool WriteReport(MixProject &p, const QString &path, QString *error)
{
    const QSize graphSize = ReportGraphSize();
    const QSize diagramSize(std::max(200, p.Diagramma1.width() / 15), std::max(150, p.Diagramma1.height() / 15));
    QImage graph = RenderGraph(p, graphSize, ReportPixelRatio(graphSize.width()));
    QImage diagram = RenderDiagram(p, diagramSize, ReportPixelRatio(diagramSize.width()));
    for (QImage *image : {&graph, &diagram}) {
        const int dotsPerMeter = int(std::lround(ReportPictureDpi / 0.0254));
        image->setDotsPerMeterX(dotsPerMeter);
        image->setDotsPerMeterY(dotsPerMeter);
    }
    const Doc::Document document = BuildReport(p, graph, diagram);
    QString why;
    if (!Docx::Write(document, path, &why)) {
        if (error)
            *error = QStringLiteral("Не удалось записать отчет «%1»: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    }
    return true;
}
