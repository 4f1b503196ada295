#include "report/Report.h"

#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "core/Numbers.h"
#include "session/ProjectSession.h"
#include "report/DocxWriter.h"

#include "core/FileErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Report)
};

QString gridText(const ProjectSession &p, int table, int row, int col)
{
    return p.tableText(InputTable(table), row, col);
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

// A one-cell table holding a chart, printed Report::PictureWidth wide; `withCaption` keeps the
// paragraph after it on the same page.
void pictureTable(Doc::Document &d, const QImage &image, bool withCaption = false)
{
    Doc::Table &t = tableUnderHeading(d, 1, 1);
    t.keepWithNext = withCaption;
    t.cell(1, 1).picture = image;
    t.cell(1, 1).pictureWidth = Report::PictureWidth;
    t.cell(1, 1).align = Doc::Align::Center;
    d.selectLastCellAndCollapse();
}

// A 2 x columns table of two grid rows.
void twoRowTable(Doc::Document &d, const ProjectSession &p, int table, int columns)
{
    Doc::Table &t = tableUnderHeading(d, 2, columns);
    for (int i = 1; i <= columns; ++i) {
        setCell(t, 1, i, gridText(p, table, 0, i - 1));
        setCell(t, 2, i, gridText(p, table, 1, i - 1));
    }
    epilogue(d, t);
}

// The grading envelope with the corrected composition under it, and the classes where the mix
// leaves it.
void envelopeTable(Doc::Document &d, const ProjectSession &p, int k)
{
    spacer(d);
    heading(d, Texts::tr("Границы зернового состава (полный проход, % в зависимости от размеров частиц Dj) и "
                              "скорректированный зерновой состав"));
    Doc::Table &t = tableUnderHeading(d, 4, k + 1);
    const int envelope = int(InputTable::Envelope);
    for (int c = 1; c <= k + 1; ++c)
        for (int r = 1; r <= 3; ++r)
            setCell(t, r, c, gridText(p, envelope, r - 1, c - 1));
    setCell(t, 4, 1, QStringLiteral("Aj,%"));
    const ClassFloats &curve = p.numbers().correctedMixCurve;
    for (int j = 1; j <= k; ++j)
        setCell(t, 4, j + 1, curve.has(j) ? Num::formatRounded(double(curve[j]), 2) : QString());
    epilogue(d, t);
    QString verdict;
    if (!p.validation().envelopeValid())
        verdict = Texts::tr("Границы зернового состава заданы с ошибками.");
    else if (const QString line = p.envelopeDepartureLine(true); !line.isEmpty())
        verdict = line.mid(3); // without the arrow of the list
    else if (p.validation().tablesValid())
        verdict = Texts::tr("Проектируемый состав не выходит за границы зернового состава.");
    if (!verdict.isEmpty()) {
        d.insertParagraphAfter();
        d.endOf();
        heading(d, verdict);
    }
}

} // namespace

namespace Report {

QString note()
{
    return Texts::tr("основной задачей произведенных расчетов является приближение зернового состава проектируемой смеси к заданному "
                     "эталонному зерновому составу. Данный программный продукт (и алгоритм, лежащий в его основе) является лишь "
                     "вспомогательным расчетно-математическим средством, при этом не гарантируется оптимизирующий эффект в отношении "
                     "качественных (технико-эксплуатационных) характеристик конечного продукта. Методологическая основа задачи "
                     "оптимизации зернового состава сырьевой смеси сводится к критериям выбора эталонного зернового состава. При этом "
                     "следует учитывать аспекты пространственной упаковки частиц и их влияние на структурную топологию "
                     "рассматриваемого гранулированного материала.") + QStringLiteral("\r\n");
}

Doc::Document build(const ProjectSession &p, const QImage &graph, const QImage &diagram)
{
    Doc::Document d;
    const ProjectDocument &doc = p.document();
    const int n = doc.componentCount;
    const int k = std::max(0, int(Num::toInt16(Num::roundHalfEven(Num::toDouble(doc.classCountText).value_or(0.0))).value_or(0)));
    // The sections by their numbers in the report: 6.1 .. 6.11.
    auto on = [&p](int section) { return p.reportSections()[size_t(section)]; };

    // The title.
    d.insertAfter(Texts::tr("Результаты расчета зернового состава сырьевой смеси"));
    d.setBold(true);
    d.setAlignment(Doc::Align::Center);
    d.setColour(Qt::black);
    d.setSize(14);
    d.setFont(QStringLiteral("Times New Roman"));
    d.endOf();
    d.insertParagraphAfter();
    d.insertParagraphAfter();
    d.endOf();
    if (on(1))
        heading(d, Texts::tr("Название проектируемой смеси: ") + doc.name);
    if (on(2)) {
        d.insertParagraphAfter();
        d.insertParagraphAfter();
        d.endOf();
        heading(d, Texts::tr("Количество сырьевых компонентов смеси: ") + Num::formatInt(n));
    }
    if (on(3)) {
        spacer(d);
        heading(d, Texts::tr("Названия сырьевых компонентов смеси"));
        twoRowTable(d, p, 1, n);
    }
    if (on(4)) {
        spacer(d);
        heading(d, Texts::tr("Плотности сырьевых компонентов смеси"));
        twoRowTable(d, p, 2, n);
        if (doc.hasPrices()) {
            spacer(d);
            heading(d, Texts::tr("Цены сырьевых компонентов смеси, руб./т"));
            twoRowTable(d, p, int(InputTable::Prices), n);
        }
    }
    if (on(5)) {
        spacer(d);
        const bool integral = doc.dataForm == GrainDataForm::Integral, differential = !integral;
        if (integral && !differential)
            d.insertAfter(Texts::tr("Зерновые составы сырьевых компонентов смеси (интегральное распределение, %)"));
        if (differential && !integral)
            d.insertAfter(Texts::tr("Зерновые составы сырьевых компонентов смеси (дифференциальное распределение, %)"));
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
    if (on(6)) {
        spacer(d);
        heading(d, Texts::tr("Исходный компонентный состав смеси в массовых долях, % (базовая рецептура, подлежащая оптимизации)"));
        twoRowTable(d, p, 4, n);
    }
    if (on(7)) {
        spacer(d);
        heading(d, Texts::tr("Диаграмма массовых долей исходного компонентного состава:"));
        pictureTable(d, diagram);
    }
    if (on(8)) {
        spacer(d);
        heading(d, Texts::tr("Эталонный зерновой состав (полный проход A'j, % в зависимости от размеров частиц Dj)"));
        twoRowTable(d, p, 5, k + 1);
    }
    if (on(9)) {
        spacer(d);
        heading(d, Texts::tr("Скорректированный компонентный состав смеси в массовых долях, % (оптимальная рецептура, "
                             "отвечающая минимальному расхождению грансостава смеси с эталоном)"));
        Doc::Table &t = tableUnderHeading(d, 2, n);
        for (int i = 1; i <= n; ++i) {
            setCell(t, 1, i, gridText(p, 4, 0, i - 1));
            setCell(t, 2, i, i <= MaxComponents ? p.correctedText(i) : QString());
        }
        epilogue(d, t);
        const QString cost = p.correctedCostText();
        if (!cost.isEmpty()) {
            const QString base = p.baseCostText();
            d.insertParagraphAfter();
            d.endOf();
            heading(d, Texts::tr("Стоимость 1 т проектируемой смеси: ") + cost + Texts::tr(" руб.")
                           + (base.isEmpty() ? QString() : Texts::tr(" (исходного состава: ") + base + Texts::tr(" руб.)")));
        }
    }
    if (on(10)) {
        spacer(d);
        heading(d, Texts::tr("Скорректированный зерновой состав (полный проход A'j, % в зависимости от размеров частиц Dj)"));
        Doc::Table &t = tableUnderHeading(d, 2, k + 1);
        for (int i = 1; i <= k + 1; ++i)
            setCell(t, 1, i, gridText(p, 5, 0, i - 1));
        setCell(t, 2, 1, QStringLiteral("Aj,%"));
        // While the search runs the table shows its latest trial, adopted or not.
        const ClassFloats &curve = p.correction().searchOn ? p.correction().trialMixCurve : p.numbers().correctedMixCurve;
        for (int j = 1; j <= k; ++j)
            setCell(t, 2, j + 1, curve.has(j) ? Num::formatRounded(double(curve[j]), 2) : QString());
        epilogue(d, t);
        if (doc.hasEnvelope())
            envelopeTable(d, p, k);
    }
    if (on(11)) {
        spacer(d);
        heading(d, Texts::tr("Гранулометрический график (") + p.divergenceText() + QStringLiteral("):"));
        pictureTable(d, graph, true);
        d.setKeepWithNext(true); // the empty paragraph under the graph, up to its caption
        d.insertParagraphAfter();
        d.endOf();
        d.insertAfter(doc.hasEnvelope() && p.validation().envelopeValid()
                          ? Texts::tr("Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный "
                                           "(оранжевый), скорректированный (красный) составы, расхождение кривых (серый) и границы "
                                           "зернового состава (зеленый пунктир)]")
                          : Texts::tr("Aj - полный проход (%) частиц через условное сито Dj [эталонный (синий), исходный "
                                           "(оранжевый), скорректированный (красный) составы и расхождение кривых (серый)]"));
        d.setAlignment(Doc::Align::Left);
        d.endOf();
    }
    // The closing note, always.
    spacer(d);
    d.insertAfter(Texts::tr("Примечание: "));
    d.setBold(true);
    d.setAlignment(Doc::Align::Justify);
    d.setColour(QColor(0, 0, 255));
    d.setSize(12);
    d.endOf();
    d.insertAfter(note());
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

QImage renderGraph(const ProjectSession &p, QSize size, double pixelRatio)
{
    QImage image = pictureImage(size, pixelRatio);
    const ValidationReport &v = p.validation();
    Charts::GraphInput in{p.numbers(), p.classCount(), v.tablesValid(), v.grainTableValid, v.baseRecipeValid, p.graphOptions()};
    const EnvelopeLimits envelope = Envelope::limits(p.document());
    if (v.envelopeValid())
        in.envelope = &envelope;
    Charts::drawGraph(image, in);
    return image;
}

QImage renderDiagram(const ProjectSession &p, QSize size, double pixelRatio)
{
    QImage image = pictureImage(size, pixelRatio);
    if (!p.validation().baseRecipeValid) {
        image.fill(Qt::white);
        return image;
    }
    QStringList names;
    for (int i = 1; i <= p.componentCount(); ++i)
        names << p.document().componentName(i).text();
    Charts::drawDiagram(image, {p.numbers().baseRecipe, p.componentCount(), names});
    return image;
}

double pixelRatioFor(int width)
{
    const double devicePixels = std::round(PictureWidth / 2.54 * PictureDpi);
    return width > 0 ? devicePixels / width : 1.0;
}

QString fileName(const ProjectSession &p)
{
    return QFileInfo(path(QString(), p, 1)).fileName();
}

QString path(const QString &folder, const ProjectSession &p, int n)
{
    QString name = p.document().name.trimmed();
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, u'_');
    name.remove(QChar(0));
    if (name.isEmpty())
        name = Texts::tr("без названия");
    if (name.size() > 120)
        name.truncate(120);
    const QString number = n > 1 ? QStringLiteral(" (%1)").arg(n) : QString();
    return QDir(folder).filePath(Texts::tr("Отчет — ") + name + number + QStringLiteral(".docx"));
}

QString writeNew(const ProjectSession &p, const QString &folder, const Pictures &pictures, QString *error)
{
    constexpr int MaxNumber = 9999;
    for (int n = 1; n <= MaxNumber; ++n) {
        const QString target = path(folder, p, n);
        // Creating the file only if it does not exist reserves the name, also against another
        // program taking it meanwhile.
        QFile reserve(target);
        if (!reserve.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(target))
                continue;
            if (error)
                *error = Texts::tr("Не удалось записать отчет «%1»: %2")
                             .arg(QDir::toNativeSeparators(target), FileErrorText(reserve, target));
            return QString();
        }
        reserve.close();
        if (!write(p, target, pictures, error)) {
            QFile::remove(target);
            return QString();
        }
        return target;
    }
    if (error)
        *error = Texts::tr("Не удалось записать отчет: в папке «%1» заняты все имена отчетов этого проекта.")
                     .arg(QDir::toNativeSeparators(folder));
    return QString();
}

bool write(const ProjectSession &p, const QString &path, const Pictures &pictures, QString *error)
{
    QImage graph = renderGraph(p, pictures.graph, pixelRatioFor(pictures.graph.width()));
    QImage diagram = renderDiagram(p, pictures.diagram, pixelRatioFor(pictures.diagram.width()));
    for (QImage *image : {&graph, &diagram}) {
        const int dotsPerMeter = int(std::lround(PictureDpi / 0.0254));
        image->setDotsPerMeterX(dotsPerMeter);
        image->setDotsPerMeterY(dotsPerMeter);
    }
    const Doc::Document document = build(p, graph, diagram);
    QString why;
    if (!Docx::Write(document, path, &why)) {
        if (error)
            *error = Texts::tr("Не удалось записать отчет «%1»: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    }
    return true;
}

} // namespace Report
