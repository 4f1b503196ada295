// The inputs of steps 1-4: the counts, the options, the coefficients and the tables, and the
// choice of the step shown.

#include "session/ProjectSession.h"

#include "core/Numbers.h"

void ProjectSession::selectStep(int step)
{
    if (step < 1 || step > 7)
        return;
    SessionAction action(*this);
    if (m_step != step) {
        m_step = step;
        markChanged(StepChanged);
    }
    // Choosing a step stops the automatic search and closes the error list.
    setSearchOn(false);
    showErrorList(false);
    recalculateAll();
}

void ProjectSession::setProjectName(const QString &name)
{
    if (m_document.name == name)
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::ProjectName});
    m_document.name = name;
    markChanged(DocumentChanged);
}

void ProjectSession::setComponentCount(int n)
{
    if (n < 1 || n > MaxComponents || n == m_document.componentCount)
        return;
    SessionAction action(*this);
    m_document.componentCount = int16_t(n);
    markChanged(DocumentChanged | CorrectionChanged);
    releaseHiddenLocks();
    recalculateAll();
}

void ProjectSession::setClassCountText(const QString &text)
{
    if (m_document.classCountText == text)
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::ClassCount});
    m_document.classCountText = text;
    markChanged(DocumentChanged);
    recalculateAll();
}

void ProjectSession::increaseClassCount()
{
    // A press of "+" is an action of its own, not typing into the field.
    SessionAction action(*this);
    QString text = m_document.classCountText;
    if (Num::Val(text) < MaxClasses)
        text = Num::formatDouble(Num::Val(text) + 1);
    if (Num::Val(text) >= MaxClasses)
        text = QStringLiteral("50");
    setClassCountText(text);
}

void ProjectSession::decreaseClassCount()
{
    SessionAction action(*this);
    QString text = m_document.classCountText;
    if (Num::Val(text) > 2)
        text = Num::formatDouble(Num::Val(text) - 1);
    if (Num::Val(text) <= 2)
        text = QStringLiteral("2");
    setClassCountText(text);
}

void ProjectSession::setDataForm(GrainDataForm form)
{
    if (m_document.dataForm == form)
        return;
    SessionAction action(*this);
    m_document.dataForm = form;
    markChanged(DocumentChanged);
    recalculateAll();
}

void ProjectSession::setReferenceKind(ReferenceKind kind)
{
    if (m_document.referenceKind == kind)
        return;
    SessionAction action(*this);
    m_document.referenceKind = kind;
    // The table of the manual reference starts empty, its sizes copied from the compositions.
    if (kind == ReferenceKind::ManualReference)
        m_document.clearTable(InputTable::Reference);
    markChanged(DocumentChanged);
    recalculateAll();
}

void ProjectSession::setCoefficientText(Coefficient c, const QString &text)
{
    if (m_document.coefficient(c).text() == text)
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::CoefficientField, InputTable::Names, 0, int(c)});
    m_document.setCoefficient(c, text);
    markChanged(DocumentChanged);
    recalculateAll();
}

void ProjectSession::typeCharacter(InputTable table, int row, int col, QChar ch)
{
    if (!typingAllowed(table) || ch == u'\r' || ch == u'\t' || ch == QChar(17))
        return;
    if (ch == u'\b') {
        backspace(table, row, col);
        return;
    }
    if (!m_document.isInputCell(table, row, col))
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::Cell, table, row, col});
    // The base recipe is followed at both moments, as the key reaches the table and as its
    // character does.
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    writeCell(table, row, col, TableEditing::typed(table, m_document.cell(table, row, col).text(), ch));
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    recalculateAll();
}

void ProjectSession::backspace(InputTable table, int cornerRow, int cornerCol)
{
    if (!typingAllowed(table))
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::Cell, table, cornerRow, cornerCol});
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    if (m_document.isInputCell(table, cornerRow, cornerCol)) {
        if (const auto shorter = TableEditing::backspaced(m_document.cell(table, cornerRow, cornerCol).text()))
            writeCell(table, cornerRow, cornerCol, *shorter);
    }
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    recalculateAll();
}

void ProjectSession::deleteCell(InputTable table, int row, int col)
{
    if (!typingAllowed(table) || !m_document.isInputCell(table, row, col))
        return;
    SessionAction action(*this);
    noteEditPlace({EditPlace::Cell, table, row, col});
    writeCell(table, row, col, QString());
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    recalculateAll();
}

bool ProjectSession::writeCell(InputTable table, int row, int col, const QString &text)
{
    if (m_document.cell(table, row, col).text() == text || !m_document.setCell(table, row, col, text))
        return false;
    markChanged(DocumentChanged);
    return true;
}

void ProjectSession::setCellText(InputTable table, int row, int col, const QString &text)
{
    SessionAction action(*this);
    if (writeCell(table, row, col, text))
        recalculateAll();
}

void ProjectSession::paste(InputTable table, const QString &clipboardText)
{
    if (clipboardText.isEmpty())
        return;
    SessionAction action(*this);
    // A copy of a whole table carries its header row; the data go back under the header.
    QStringList header;
    for (int c = 0; c < tableColumns(table); ++c)
        header << tableText(table, 0, c);
    const QString block = TableEditing::withoutHeaderRow(clipboardText, header).value_or(clipboardText);
    const QList<QStringList> rows = TableEditing::blockRows(TableEditing::cleanedForTable(table, block));
    // The block fills the data area from its first row and column on; what does not fit is dropped.
    const int lastRow = tableRows(table) - 1;
    const int lastCol = tableColumns(table) - 1;
    for (int r = 0; r < rows.size() && 1 + r <= lastRow; ++r) {
        if (table == InputTable::Envelope) {
            // The limits start at column 1: a row copied with its caption leaves the caption out.
            QStringList cells = rows[r];
            if (!cells.isEmpty() && !cells.first().isEmpty() && !Num::toDouble(cells.first()))
                cells.removeFirst();
            for (int c = 0; c < cells.size() && 1 + c <= lastCol; ++c)
                writeCell(table, 1 + r, 1 + c, cells[c]);
            continue;
        }
        for (int c = 0; c < rows[r].size() && c <= lastCol; ++c)
            writeCell(table, 1 + r, c, rows[r][c]);
    }
    if (table == InputTable::BaseRecipe)
        followBaseRecipe();
    recalculateAll();
}

void ProjectSession::clearGrainTable()
{
    SessionAction action(*this);
    m_document.clearTable(InputTable::Compositions);
    markChanged(DocumentChanged);
    recalculateAll();
}

void ProjectSession::showErrorList(bool shown)
{
    if (m_errorListShown == shown)
        return;
    SessionAction action(*this);
    m_errorListShown = shown;
    markChanged(OptionsChanged);
}
