#pragma once

// The undo history of the main window. Each change to the project is a step holding the work
// before and after it (ProjectSession::Snapshot); undo and redo put one of them back. Steps are
// recorded by watching the session, so every route to a change — the pages, the dialogs, the
// database transfer — is recorded alike, and putting a snapshot back is never recorded itself.
//
// - Typing into one place (a cell, a text field) or dragging one slider makes one step until the
//   place is left: another cell or widget entered, the slider released, another change made.
// - A run of the automatic search, from switching it on to switching it off, is one step; undo
//   while it runs stops it and takes the run back.
// - Opening a project clears the history.
// - Undo and redo show the step in which the change was made.

#include "session/ProjectSession.h"

#include <QObject>
#include <QUndoStack>

#include <memory>

class ProjectHistory final : public QObject
{
    Q_OBJECT

public:
    // The most steps kept; the oldest go first.
    static constexpr int StepLimit = 100;

    explicit ProjectHistory(ProjectSession &session, QObject *parent = nullptr);
    ~ProjectHistory() override;

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    // The steps held (those undone included, until a new change drops them).
    int stepCount() const { return m_stack.count(); }

    // The user left the place he typed into or dragged (the focus moved, a slider was released):
    // his next edit starts a new step.
    void leavePlace();
    // The user entered a cell of a table: the cell typed into is left when this is another one.
    void enterCell(InputTable table, int row, int col);

signals:
    // What undo and redo can do may have changed.
    void availabilityChanged();

private:
    class Step;
    using SnapshotPtr = std::shared_ptr<const ProjectSession::Snapshot>;

    void onChanged(ProjectSession::Changes what);
    void onOpened();
    void apply(const SnapshotPtr &work, int step);

    ProjectSession &m_session;
    QUndoStack m_stack;
    // The work as it stands after the last change seen: the "before" of the next step.
    SnapshotPtr m_current;
    // The place the newest step was typed into, while the user stays there.
    std::optional<EditPlace> m_openPlace;
    bool m_restoring = false;
    bool m_recorded = false;
    bool m_mergedAway = false;
    // A search run in progress and the step shown when it started.
    bool m_searchRunning = false;
    int m_searchStep = 0;
};
