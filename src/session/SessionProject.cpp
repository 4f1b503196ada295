// The project as a whole: opening and saving it, taking components from the database, and the
// choice of the report's sections.

#include "session/ProjectSession.h"

#include "files/ProjectFile.h"

void ProjectSession::setReportSection(int section, bool on)
{
    if (section < 1 || section > 11 || m_reportSections[size_t(section)] == on)
        return;
    SessionAction action(*this);
    m_reportSections[size_t(section)] = on;
    markChanged(OptionsChanged);
}

void ProjectSession::closingSteps()
{
    // The corrected recipe starts as the base recipe, the sliders following, the locks released.
    // A base-recipe cell that is not a number stops here.
    const int n = m_document.componentCount;
    for (int i = 1; i <= n; ++i) {
        const auto m = m_document.baseRecipe(i).number();
        if (!m)
            break;
        m_numbers.correctedRecipe.set(i, *m);
        showCorrectedOnSlider(i);
        m_correction.locked[size_t(i)] = false;
    }
    releaseHiddenLocks();
    markChanged(CorrectionChanged);
    recalculateAll();
    refreshLocks();
}

void ProjectSession::openDocument(const ProjectDocument &document)
{
    {
        SessionAction action(*this);
        m_document = document;
        markChanged(DocumentChanged);
        clearOptimumNote();
        // The numbers keep what a cell of the new project cannot give, as after any edit.
        recalculateAll();
        closingSteps();
        if (m_step == 0)
            selectStep(1);
        showErrorList(false);
    }
    emit projectOpened();
}

bool ProjectSession::openProject(const QString &path, QString *error)
{
    const auto document = ProjectFile::readProject(path, m_document, error);
    if (!document)
        return false;
    openDocument(*document);
    return true;
}

void ProjectSession::openCancelled()
{
    SessionAction action(*this);
    closingSteps();
    if (m_step == 0)
        selectStep(1);
    showErrorList(false);
}

bool ProjectSession::saveProject(const QString &path, QString *error) const
{
    return ProjectFile::saveProject(m_document, m_numbers, path, error);
}

void ProjectSession::transferFromDatabase(const ProjectDocument &document)
{
    SessionAction action(*this);
    m_document = document;
    markChanged(DocumentChanged);
    clearOptimumNote();
    recalculateAll();
    closingSteps();
}
