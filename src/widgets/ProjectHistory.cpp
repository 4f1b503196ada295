#include "widgets/ProjectHistory.h"

// One step: the work before and after a change, and the step of the window it was made in.
class ProjectHistory::Step final : public QUndoCommand
{
public:
    Step(ProjectHistory &history, SnapshotPtr before, SnapshotPtr after, int step, std::optional<EditPlace> place,
         bool continues)
        : m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_step(step)
        , m_place(place)
        , m_continues(continues)
    {
    }

    // The change is made already when the step is pushed.
    void redo() override
    {
        if (m_pushed)
            m_history.apply(m_after, m_step);
        m_pushed = true;
    }
    void undo() override { m_history.apply(m_before, m_step); }

    // Only edits of a place are ever merged, and only while the user stays there.
    int id() const override { return m_place ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const Step *>(other);
        if (!next->m_continues || next->m_place != m_place)
            return false;
        m_after = next->m_after;
        // Typing that came back to where it began is no step at all.
        if (m_before->sameWork(*m_after)) {
            setObsolete(true);
            m_history.m_mergedAway = true;
        }
        return true;
    }

private:
    ProjectHistory &m_history;
    SnapshotPtr m_before;
    SnapshotPtr m_after;
    int m_step;
    std::optional<EditPlace> m_place;
    bool m_continues;
    bool m_pushed = false;
};

ProjectHistory::ProjectHistory(ProjectSession &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_current(std::make_shared<const ProjectSession::Snapshot>(session.snapshot()))
{
    m_stack.setUndoLimit(StepLimit);
    connect(&m_session, &ProjectSession::changed, this, &ProjectHistory::onChanged);
    connect(&m_session, &ProjectSession::projectOpened, this, &ProjectHistory::onOpened);
}

ProjectHistory::~ProjectHistory() = default;

bool ProjectHistory::canUndo() const
{
    // Undo stops a running search and takes the run back.
    return m_stack.canUndo() || m_searchRunning;
}

bool ProjectHistory::canRedo() const
{
    return m_stack.canRedo() && !m_searchRunning;
}

void ProjectHistory::undo()
{
    if (m_session.correction().searchOn) {
        // A run that changed nothing is only stopped.
        m_recorded = false;
        m_session.setSearchOn(false);
        if (!m_recorded)
            return;
    }
    m_stack.undo();
    emit availabilityChanged();
}

void ProjectHistory::redo()
{
    if (m_session.correction().searchOn)
        return;
    m_stack.redo();
    emit availabilityChanged();
}

void ProjectHistory::leavePlace()
{
    m_openPlace.reset();
}

void ProjectHistory::enterCell(InputTable table, int row, int col)
{
    if (m_openPlace && !(*m_openPlace == EditPlace{EditPlace::Cell, table, row, col}))
        m_openPlace.reset();
}

void ProjectHistory::onChanged(ProjectSession::Changes what)
{
    if (m_restoring)
        return;
    constexpr ProjectSession::Changes edits =
        ProjectSession::DocumentChanged | ProjectSession::CorrectionChanged | ProjectSession::OptimumChanged;
    constexpr ProjectSession::Changes work = edits | ProjectSession::NumbersChanged | ProjectSession::ValidationChanged;
    if (what & ProjectSession::StepChanged)
        m_openPlace.reset();
    if (!(what & work))
        return;
    if (!(what & edits)) {
        // Only recalculated (a step was chosen): no change of the user's, but the next step
        // starts from these numbers.
        if (!m_session.correction().searchOn)
            m_current = std::make_shared<const ProjectSession::Snapshot>(m_session.snapshot());
        return;
    }
    if (m_session.correction().searchOn) {
        // The run is recorded as one step once it stops; what else happens meanwhile is part of it.
        if (!m_searchRunning) {
            m_searchRunning = true;
            m_searchStep = m_session.currentStep();
            emit availabilityChanged();
        }
        m_openPlace.reset();
        return;
    }
    const int step = m_searchRunning ? m_searchStep : m_session.currentStep();
    m_searchRunning = false;
    auto now = std::make_shared<const ProjectSession::Snapshot>(m_session.snapshot());
    if (now->sameWork(*m_current)) {
        m_current = std::move(now);
        emit availabilityChanged();
        return;
    }
    const std::optional<EditPlace> place = m_session.lastEditPlace();
    const bool continues = place && m_openPlace == place;
    m_mergedAway = false;
    m_stack.push(new Step(*this, m_current, now, step, place, continues));
    m_current = std::move(now);
    m_openPlace = m_mergedAway ? std::nullopt : place;
    m_recorded = true;
    emit availabilityChanged();
}

void ProjectHistory::onOpened()
{
    m_stack.clear();
    m_openPlace.reset();
    m_searchRunning = m_session.correction().searchOn;
    m_searchStep = m_session.currentStep();
    m_current = std::make_shared<const ProjectSession::Snapshot>(m_session.snapshot());
    emit availabilityChanged();
}

void ProjectHistory::apply(const SnapshotPtr &work, int step)
{
    m_restoring = true;
    m_openPlace.reset();
    // The step the change was made in is shown first (choosing a step recalculates, and the
    // snapshot then has the last word).
    if (step >= 1 && step != m_session.currentStep())
        m_session.selectStep(step);
    m_session.restore(*work);
    m_restoring = false;
    m_current = work;
}
