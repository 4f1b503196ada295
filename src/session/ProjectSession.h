#pragma once

// The session: the one mix design the user works on, and every action he can take on it.
//
// It owns the project document (what a project file holds), the numbers computed from it, the
// check of the tables, the state of the correction (sliders, locks, bounds, the automatic
// search) and the step shown. Each action changes the document or the correction, recomputes
// what depends on it, and emits changed() once with what has changed. The main window and
// palvex-cli both drive a session, so they can never compute different numbers; the window only
// shows the session's state and forwards the user's events.
//
// Where the actions of each step live:
//   steps 1-4 (inputs, tables, reference)     SessionInputs.cpp
//   step 5 (sliders, locks, search, optimum)  SessionCorrection.cpp
//   opening, saving, database, report, steps  SessionProject.cpp

#include "checking/TableEditing.h"
#include "checking/Validation.h"
#include "core/GraphOptions.h"
#include "core/MixNumbers.h"
#include "core/ProjectDocument.h"
#include "correction/AutoSelection.h"
#include "correction/CorrectionState.h"
#include "correction/Optimum.h"

#include <QObject>
#include <QString>

// The sections of the report, 1..11 in the order the report writes them (6.1 .. 6.11).
using ReportSections = std::array<bool, 12>;

// The place an action typed into or dragged: a cell of a table, one of the text fields (the
// project name, K, a coefficient) or a slider held by the mouse. Consecutive edits of one place
// make one step of the undo history until the user leaves it.
struct EditPlace
{
    enum Kind : uint8_t { Cell, ProjectName, ClassCount, CoefficientField, Slider, MaxDivergenceField };
    Kind kind = Cell;
    InputTable table = InputTable::Names; // of a cell
    int row = 0;                          // of a cell
    int col = 0;                          // of a cell; the coefficient or the component of a slider
    bool operator==(const EditPlace &) const = default;
};

class ProjectSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectSession)

public:
    enum Change : uint32_t {
        DocumentChanged = 0x01,   // an input text, a count, an option
        NumbersChanged = 0x02,    // the computed numbers (curves, divergence, ...)
        ValidationChanged = 0x04, // the check of the tables
        CorrectionChanged = 0x08, // sliders, locks, bounds, the search's state
        StepChanged = 0x10,       // the step shown
        OptionsChanged = 0x20,    // graph options, report sections, the error list
        OptimumChanged = 0x40,    // the best recipe's note, the optimiser's settings, the front
        AllChanged = 0xFF,
    };
    Q_DECLARE_FLAGS(Changes, Change)

    explicit ProjectSession(QObject *parent = nullptr);
    ~ProjectSession() override;

    // ---- What the session holds ----
    const ProjectDocument &document() const { return m_document; }
    const MixNumbers &numbers() const { return m_numbers; }
    const ValidationReport &validation() const { return m_validation; }
    const CorrectionState &correction() const { return m_correction; }
    // 1..7, or 0 before the user has chosen a step.
    int currentStep() const { return m_step; }
    const GraphOptions &graphOptions() const { return m_graphOptions; }
    const ReportSections &reportSections() const { return m_reportSections; }
    bool errorListShown() const { return m_errorListShown; }
    // "Минимально возможное расхождение: …" after the best recipe was adopted; empty once
    // anything it described has changed.
    const QString &optimumNote() const { return m_optimumNote; }
    // What else the adopted recipe reached ("Стоимость: … руб./т; компонентов в составе: …");
    // goes with the note.
    const QString &optimumDetails() const { return m_optimumDetails; }
    // The cost-divergence front last computed; empty once anything it was found for has changed.
    const CostFront &costFront() const { return m_front; }
    // The front point whose recipe was adopted last, while the front stands.
    std::optional<int> adoptedFrontPoint() const { return m_adoptedFrontPoint; }
    const OptimiserSettings &optimiserSettings() const { return m_correction.optimiser; }

    // ---- The work as a value, for undo and redo ----
    // Everything the user's changes to the project affect: the document, its numbers (with the
    // values failed statements kept), the check of the tables, the correction (the corrected
    // recipe is in the numbers; sliders, locks, bounds and their switch, the search's walk) and
    // the best recipe's note, what it reached and the cost-divergence front. Not the step shown,
    // the graph options, the report sections or the error list: they are views, not work.
    struct Snapshot
    {
        ProjectDocument document;
        MixNumbers numbers;
        ValidationReport validation;
        CorrectionState correction; // never with the search running
        QString optimumNote;
        std::optional<quint64> optimumFoundFor;
        QString optimumDetails;
        CostFront front;
        std::optional<quint64> frontFoundFor;
        std::optional<int> adoptedFrontPoint;
        bool operator==(const Snapshot &) const = default;
        // Whether the user would see the same work: the search's walk (its trials, which the
        // search shows only while it runs) aside.
        bool sameWork(const Snapshot &other) const;
    };
    Snapshot snapshot() const;
    // Puts the work back exactly as the snapshot holds it (a running search stops) and signals
    // it as one action.
    void restore(const Snapshot &snapshot);
    // The place the last action typed into or dragged; nothing after any other action.
    const std::optional<EditPlace> &lastEditPlace() const { return m_editPlace; }

    // ---- What the window shows, computed from the state ----
    int componentCount() const { return m_document.componentCount; }
    int classCount() const { return m_document.classCount(); }
    // A table as the window shows it: its shape (header row and column included) and the text
    // of each cell, headers too.
    int tableRows(InputTable table) const;
    int tableColumns(InputTable table) const;
    QString tableText(InputTable table, int row, int col) const;
    // Whether the user may type into the table (the reference table only for the manual kind).
    bool typingAllowed(InputTable table) const;
    // The block text of a rectangle of a table (rows r0..r1, columns c0..c1, as shown).
    QString blockText(InputTable table, int r0, int c0, int r1, int c1) const;
    // The whole table, header row and column included, as copying without a selection gives it.
    QString tableCopyText(InputTable table) const;

    // The sum of the base recipe as the base-recipe step shows it.
    QString baseRecipeSumText() const;
    // Corrected fraction i, the sum of the corrected recipe, and the search's trial value of
    // component i (shown only while the search runs), rounded to 2 decimals.
    QString correctedText(int i) const;
    QString correctedSumText() const;
    QString trialText(int i) const;
    // The divergence text above the graph: " " while the tables are not valid.
    QString divergenceText() const;
    // The cost of a tonne of the base and of the corrected mix ("1234,5"), rounded to 2 decimals;
    // empty unless every component with a share has a price (and, for the base recipe, the
    // recipe is valid).
    QString baseCostText() const;
    QString correctedCostText() const;
    // "-> Исходный состав выходит за границы зернового состава при Dj = …" for the base recipe
    // (corrected false) or the corrected one: the classes where its curve leaves the envelope.
    // Empty when it keeps inside, when there is no envelope, or while the tables or the
    // envelope are not valid.
    QString envelopeDepartureLine(bool corrected) const;
    // Enabled states of the correction's controls.
    bool componentControlsEnabled(int i) const; // "-", "+" and the lock of component i
    bool sliderEnabled(int i) const;            // slider i (and not while it is locked)
    bool resetEnabled() const;
    bool searchEnabled() const;    // the search's check box
    bool boundsEnabled() const;    // the bounds' check box
    bool boundsButtonEnabled() const;
    bool optimumEnabled() const;
    // The cost as an aim: every component has a valid price.
    bool costObjectiveEnabled() const;
    // "В пределах границ зернового состава": the project has an envelope.
    bool envelopeConstraintEnabled() const;
    // The front: as the best recipe, and every component has a valid price.
    bool frontEnabled() const;

    // ---- Steps 1-4: the inputs (SessionInputs.cpp) ----
    void selectStep(int step);
    void setProjectName(const QString &name);
    void setComponentCount(int n);          // a choice from the list 1..10
    void setClassCountText(const QString &text); // the K field as typed
    void increaseClassCount();              // "+": at most 50
    void decreaseClassCount();              // "-": at least 2
    void setDataForm(GrainDataForm form);
    void setReferenceKind(ReferenceKind kind);
    void setCoefficientText(Coefficient c, const QString &text);

    // A character typed into a table's cell (row, col).
    void typeCharacter(InputTable table, int row, int col, QChar ch);
    // Backspace acts on the cell at the selection's corner (the current cell unless a block is
    // selected): its last character goes.
    void backspace(InputTable table, int cornerRow, int cornerCol);
    // The Delete key: the cell becomes empty.
    void deleteCell(InputTable table, int row, int col);
    // A cell's text set as a whole (undo, tests).
    void setCellText(InputTable table, int row, int col, const QString &text);
    // The clipboard's text pasted over the table's whole data area, from its first data row on.
    // A block whose first row is the table's own header row (as copying gives it) is pasted
    // without that row.
    void paste(InputTable table, const QString &clipboardText);
    // "Очистить таблицу" (after the user confirmed): every cell of the grain compositions.
    void clearGrainTable();
    void showErrorList(bool shown);

    // ---- Step 5: correction (SessionCorrection.cpp) ----
    // The user moved slider i to `value`: by dragging (the slider scrolls, then changes), or by
    // a click on its track or a key (it only changes).
    void moveSlider(int i, int value, bool dragged = false);
    // "+" (delta 1) and "-" (delta -1): one step of 0.01 %; a press at either end does nothing.
    void stepSlider(int i, int delta);
    void setLocked(int i, bool locked);
    // "Исходный состав": the corrected recipe returns to the base recipe, locks released.
    void resetToBase();
    void setSearchOn(bool on);
    // Runs up to `steps` steps of the automatic search (while it is on); returns how many
    // trials were adopted.
    int runSearch(long steps);
    SearchRandom &searchRandom() { return m_random; }
    // Steps of the automatic search run since the session began (for the benchmarks).
    long long searchSteps() const { return m_searchSteps; }
    void setBoundsOn(bool on);
    // The bounds of components 1..N from the bounds dialog.
    void setBounds(const ComponentFloats &lower, const ComponentFloats &upper);
    // "Найти оптимальный состав": solves with the optimiser's settings, and adopts the recipe when
    // one exists.
    OptimumResult findBestRecipe();
    // The optimiser's settings: the aim, the divergence at most D (D as typed), the envelope, at
    // most m components.
    void setObjective(Objective objective);
    void setDivergenceCapOn(bool on);
    void setMaxDivergenceText(const QString &text);
    void setWithinEnvelope(bool on);
    void setComponentCapOn(bool on);
    void setMaxComponents(int m);
    // The cost-divergence front of `points` recipes under the same constraints; kept for the
    // window until anything it was found for changes.
    CostFront findCostFront(int points = Optimum::DefaultFrontPoints);
    // Adopts the recipe of front point `index` (0-based, ordered by divergence).
    bool adoptFrontPoint(int index);
    void setGraphOptions(const GraphOptions &options);
    // The corrected fractions of components 1..N set as the sliders would set them (slider =
    // fraction x 100, rounded down), without rebalancing the others.
    void setCorrectedRecipe(const ComponentFloats &recipe);

    // ---- Step 6 and the project (SessionProject.cpp) ----
    void setReportSection(int section, bool on);
    // Opens a project file: the whole file is read and checked first; a refused file leaves the
    // project as it was and `error` says why.
    bool openProject(const QString &path, QString *error);
    // A document read elsewhere, taken as opening takes a file.
    void openDocument(const ProjectDocument &document);
    // The open dialog was cancelled: nothing is read, but the corrected recipe, the sliders and
    // the locks return to the base recipe.
    void openCancelled();
    // Saves the project; the file it replaces stays intact when anything fails.
    bool saveProject(const QString &path, QString *error) const;
    // The selection of the component database replaces the project's inputs: `document` is the
    // project the transfer made (database/ComponentSelection.h). The corrected recipe follows its
    // base recipe, locks released.
    void transferFromDatabase(const ProjectDocument &document);

signals:
    void changed(ProjectSession::Changes what);
    // A project was opened (after the changed() of its opening): what came before is another
    // project.
    void projectOpened();

private:
    friend class SessionAction;

    void recalculateAll();
    // Writes one cell without recalculating; false when nothing changed.
    bool writeCell(InputTable table, int row, int col, const QString &text);
    void revalidate();
    void markChanged(Changes what);
    void finishAction();
    // Notes the place an outermost action types into (an action nested in another is part of
    // that one).
    void noteEditPlace(const EditPlace &place);

    // Correction internals (SessionCorrection.cpp).
    void setSliderFromCode(int i, int value);
    void showCorrectedOnSlider(int i);
    void adjustSliders(int i);
    int lockedSliderTotal() const;
    void refreshLocks();
    void followBaseRecipe();
    void closingSteps();
    void releaseHiddenLocks();
    void clearOptimumNote();
    void refreshOptimumNote();
    void adoptRecipe(const std::array<double, MaxComponents + 1> &mass);
    void setOptimiserSettings(const OptimiserSettings &settings);

    ProjectDocument m_document;
    MixNumbers m_numbers;
    ValidationReport m_validation;
    CorrectionState m_correction;
    SearchRandom m_random;
    GraphOptions m_graphOptions;
    ReportSections m_reportSections;
    QString m_optimumNote;
    QString m_optimumDetails;
    std::optional<quint64> m_optimumFoundFor;
    CostFront m_front;
    std::optional<quint64> m_frontFoundFor;
    std::optional<int> m_adoptedFrontPoint;
    int m_step = 0;
    bool m_errorListShown = false;

    bool m_guarding = false;
    long long m_searchSteps = 0;
    int m_actionDepth = 0;
    Changes m_pending;
    std::optional<EditPlace> m_editPlace;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ProjectSession::Changes)

// One user action: changes are collected while it runs and signalled once when the outermost
// action ends.
class SessionAction
{
public:
    explicit SessionAction(ProjectSession &session)
        : m_session(session)
    {
        if (++m_session.m_actionDepth == 1)
            m_session.m_editPlace.reset();
    }
    ~SessionAction() { m_session.finishAction(); }
    SessionAction(const SessionAction &) = delete;
    SessionAction &operator=(const SessionAction &) = delete;

private:
    ProjectSession &m_session;
};
