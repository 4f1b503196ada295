#include "session/ProjectSession.h"

#include "core/Cost.h"
#include "core/Envelope.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"

#include <QCoreApplication>
#include <QDateTime>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Session)
};

} // namespace

ProjectSession::ProjectSession(QObject *parent)
    : QObject(parent)
    , m_random(uint64_t(QDateTime::currentMSecsSinceEpoch()))
{
    m_reportSections.fill(true);
    m_reportSections[0] = false;
    // A new project: 100 % of component 1, every bound 0..100.
    m_correction.slider[1] = SliderMax;
    for (int i = 1; i <= MaxComponents; ++i) {
        m_correction.sliderLastValue.set(i, int16_t(m_correction.slider[size_t(i)]));
        m_correction.variationMin.set(i, 0.0f);
        m_correction.variationMax.set(i, 100.0f);
    }
    m_numbers.correctedRecipe.set(1, 100.0f);
    m_correction.searchComponent = 1;
    recalculate(m_document, m_numbers);
    if (const auto report = Validation::validateTables(m_document, m_numbers))
        m_validation = *report;
}

ProjectSession::~ProjectSession() = default;

void ProjectSession::markChanged(Changes what)
{
    m_pending |= what;
}

void ProjectSession::finishAction()
{
    if (--m_actionDepth > 0)
        return;
    refreshOptimumNote();
    if (!m_pending)
        return;
    const Changes what = m_pending;
    m_pending = {};
    emit changed(what);
}

void ProjectSession::noteEditPlace(const EditPlace &place)
{
    if (m_actionDepth == 1)
        m_editPlace = place;
}

// ---- The work as a value ----

bool ProjectSession::Snapshot::sameWork(const Snapshot &other) const
{
    // The sliders, locks, bounds and their switch, the optimiser's aim and constraints; the rest
    // of the correction is the search's walk and the correction's own bookkeeping. A front found
    // is no change of the work by itself (it adopts nothing), but the point adopted from it is.
    const CorrectionState &a = correction;
    const CorrectionState &b = other.correction;
    return document == other.document && numbers == other.numbers && validation == other.validation
        && a.slider == b.slider && a.locked == b.locked && a.boundsOn == b.boundsOn && a.variationMin == b.variationMin
        && a.variationMax == b.variationMax && a.optimiser == b.optimiser && optimumNote == other.optimumNote
        && optimumDetails == other.optimumDetails && adoptedFrontPoint == other.adoptedFrontPoint;
}

ProjectSession::Snapshot ProjectSession::snapshot() const
{
    Snapshot s{m_document, m_numbers,        m_validation, m_correction,    m_optimumNote,
               m_optimumFoundFor, m_optimumDetails, m_front,  m_frontFoundFor, m_adoptedFrontPoint};
    s.correction.searchOn = false;
    s.correction.adjusting = false;
    return s;
}

void ProjectSession::restore(const Snapshot &snapshot)
{
    SessionAction action(*this);
    m_document = snapshot.document;
    // The numbers come back as they were, not recalculated: with the values failed statements
    // kept, and with the divergence as the search and the best recipe left it (rounded to 2
    // decimals: the search adopts only a trial below it).
    m_numbers = snapshot.numbers;
    m_validation = snapshot.validation;
    m_correction = snapshot.correction;
    m_optimumNote = snapshot.optimumNote;
    m_optimumFoundFor = snapshot.optimumFoundFor;
    m_optimumDetails = snapshot.optimumDetails;
    m_front = snapshot.front;
    m_frontFoundFor = snapshot.frontFoundFor;
    m_adoptedFrontPoint = snapshot.adoptedFrontPoint;
    markChanged(DocumentChanged | NumbersChanged | ValidationChanged | CorrectionChanged | OptimumChanged);
}

void ProjectSession::recalculateAll()
{
    recalculate(m_document, m_numbers);
    markChanged(NumbersChanged);
    revalidate();
}

void ProjectSession::revalidate()
{
    if (const auto report = Validation::validateTables(m_document, m_numbers)) {
        if (!(*report == m_validation)) {
            m_validation = *report;
            markChanged(ValidationChanged);
        }
    }
    // A corrected fraction that shows outside 0..100 returns the corrected recipe to the base
    // recipe (once per action: a base recipe outside the range stays as it is).
    if (m_guarding)
        return;
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i) {
        if (Validation::correctedOutOfRange(m_numbers, i)) {
            m_guarding = true;
            resetToBase();
            m_guarding = false;
            break;
        }
    }
}

void ProjectSession::clearOptimumNote()
{
    m_optimumFoundFor.reset();
    m_frontFoundFor.reset();
    m_adoptedFrontPoint.reset();
    if (m_optimumNote.isEmpty() && m_optimumDetails.isEmpty() && m_front.points.isEmpty())
        return;
    m_optimumNote.clear();
    m_optimumDetails.clear();
    m_front = CostFront();
    markChanged(OptimumChanged);
}

void ProjectSession::refreshOptimumNote()
{
    // The best recipe and the front describe the inputs they were found for: they go as soon as
    // those change or the tables turn invalid.
    if (m_optimumFoundFor
        && (!m_validation.tablesValid() || *m_optimumFoundFor != Optimum::inputsDigest(m_document, m_numbers, m_correction))) {
        m_optimumFoundFor.reset();
        if (!m_optimumNote.isEmpty() || !m_optimumDetails.isEmpty()) {
            m_optimumNote.clear();
            m_optimumDetails.clear();
            markChanged(OptimumChanged);
        }
    }
    if (m_frontFoundFor
        && (!m_validation.tablesValid() || *m_frontFoundFor != Optimum::inputsDigest(m_document, m_numbers, m_correction, false))) {
        m_frontFoundFor.reset();
        m_adoptedFrontPoint.reset();
        m_front = CostFront();
        markChanged(OptimumChanged);
    }
}

// ---- What the window shows ----

int ProjectSession::tableRows(InputTable table) const
{
    switch (table) {
    case InputTable::Compositions:
        return m_document.shownClassCount() + 1;
    case InputTable::Envelope:
        return 3;
    default:
        return 2;
    }
}

int ProjectSession::tableColumns(InputTable table) const
{
    const int n = m_document.componentCount;
    switch (table) {
    case InputTable::Compositions:
        return n + 1;
    case InputTable::Reference:
    case InputTable::Envelope:
        return m_document.shownClassCount() + 1;
    default:
        return n;
    }
}

QString ProjectSession::tableText(InputTable table, int row, int col) const
{
    if (row < 0 || col < 0 || row >= tableRows(table) || col >= tableColumns(table))
        return QString();
    const ProjectDocument &d = m_document;
    switch (table) {
    case InputTable::Names:
    case InputTable::Densities:
    case InputTable::Prices:
        return row == 0 ? Num::formatInt(col + 1) : d.cell(table, row, col).text();
    case InputTable::BaseRecipe:
        return row == 0 ? d.componentName(col + 1).text() : d.baseRecipe(col + 1).text();
    case InputTable::Compositions:
        if (row == 0)
            return col == 0 ? QStringLiteral("Dj") : d.componentName(col).text();
        return d.cell(table, row, col).text();
    case InputTable::Reference:
        if (col == 0)
            return row == 0 ? QStringLiteral("Dj") : QStringLiteral("A'j");
        if (row == 0)
            return d.size(col).text();
        return Validation::referenceCellText(d, m_numbers, col);
    case InputTable::Envelope:
        if (col == 0)
            return row == 0 ? QStringLiteral("Dj") : row == 1 ? Texts::tr("Нижняя граница, %") : Texts::tr("Верхняя граница, %");
        if (row == 0)
            return d.size(col).text();
        return d.cell(table, row, col).text();
    }
    return QString();
}

bool ProjectSession::typingAllowed(InputTable table) const
{
    return table != InputTable::Reference || m_document.referenceKind == ReferenceKind::ManualReference;
}

QString ProjectSession::blockText(InputTable table, int r0, int c0, int r1, int c1) const
{
    QList<QStringList> rows;
    for (int r = std::min(r0, r1); r <= std::max(r0, r1); ++r) {
        QStringList cells;
        for (int c = std::min(c0, c1); c <= std::max(c0, c1); ++c)
            cells << tableText(table, r, c);
        rows << cells;
    }
    return TableEditing::blockText(rows);
}

QString ProjectSession::tableCopyText(InputTable table) const
{
    return blockText(table, 0, 0, tableRows(table) - 1, tableColumns(table) - 1);
}

QString ProjectSession::baseRecipeSumText() const
{
    return Num::formatRounded(m_numbers.baseRecipeSum, 2);
}

QString ProjectSession::correctedText(int i) const
{
    return Num::formatRounded(double(m_numbers.correctedRecipe[i]), 2);
}

QString ProjectSession::correctedSumText() const
{
    double sum = 0.0;
    const int n = std::min<int>(m_document.componentCount, MaxComponents);
    for (int i = 1; i <= n; ++i)
        sum += double(m_numbers.correctedRecipe[i]);
    return Num::formatRounded(sum, 2);
}

QString ProjectSession::trialText(int i) const
{
    return m_correction.searchOn ? Num::formatRounded(double(m_correction.trialRecipe[i]), 2) : QString();
}

QString ProjectSession::divergenceText() const
{
    if (!m_validation.tablesValid())
        return QStringLiteral(" ");
    return Texts::tr("Расхождение кривых: ") + Num::graphText(Num::roundHalfEven(double(m_numbers.curveDivergence), 2))
        + QStringLiteral(" %");
}

QString ProjectSession::baseCostText() const
{
    if (!m_validation.baseRecipeValid || !m_validation.pricesValid())
        return QString();
    const auto cost = Cost::perTonne(m_document, m_numbers.baseRecipe, m_document.componentCount);
    return cost ? Num::formatRounded(*cost, 2) : QString();
}

QString ProjectSession::correctedCostText() const
{
    // As the graph and the departures: only for a project whose tables all hold.
    if (!m_validation.tablesValid() || !m_validation.pricesValid())
        return QString();
    const auto cost = Cost::perTonne(m_document, m_numbers.correctedRecipe, m_document.componentCount);
    return cost ? Num::formatRounded(*cost, 2) : QString();
}

QString ProjectSession::envelopeDepartureLine(bool corrected) const
{
    if (!m_validation.tablesValid() || !m_validation.envelopeValid() || !m_document.hasEnvelope())
        return QString();
    const QList<int> classes = Envelope::departures(Envelope::limits(m_document),
                                                    corrected ? m_numbers.correctedMixCurve : m_numbers.baseMixCurve, classCount());
    if (classes.isEmpty())
        return QString();
    return (corrected ? Texts::tr("-> Проектируемый состав выходит за границы зернового состава ")
                      : Texts::tr("-> Исходный состав выходит за границы зернового состава "))
        + Validation::classesText(m_document, classes) + u'.';
}

bool ProjectSession::componentControlsEnabled(int i) const
{
    if (i < 1 || i > m_document.componentCount || m_correction.searchOn)
        return false;
    return m_document.componentCount > 1;
}

bool ProjectSession::sliderEnabled(int i) const
{
    return componentControlsEnabled(i) && !m_correction.locked[size_t(i)];
}

bool ProjectSession::resetEnabled() const
{
    return !m_correction.searchOn && m_document.componentCount > 1;
}

bool ProjectSession::searchEnabled() const
{
    return m_validation.tablesValid();
}

bool ProjectSession::boundsEnabled() const
{
    return searchEnabled();
}

bool ProjectSession::boundsButtonEnabled() const
{
    return boundsEnabled() && m_correction.boundsOn;
}

bool ProjectSession::optimumEnabled() const
{
    return m_validation.tablesValid() && !m_correction.searchOn;
}

bool ProjectSession::costObjectiveEnabled() const
{
    if (!m_validation.pricesValid())
        return false;
    for (int i = 1; i <= m_document.componentCount; ++i)
        if (!Cost::price(m_document, i))
            return false;
    return true;
}

bool ProjectSession::envelopeConstraintEnabled() const
{
    return m_document.hasEnvelope();
}

bool ProjectSession::frontEnabled() const
{
    return optimumEnabled() && costObjectiveEnabled() && m_document.componentCount > 1;
}
