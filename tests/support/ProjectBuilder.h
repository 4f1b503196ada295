#pragma once

// Test projects described by what they hold: the mix name, the components' names and grain
// densities, the data form, the sizes and grain compositions, the base recipe, the reference
// kind with its coefficients, and the reference typed by hand. Every value is the text the
// user types. The description says nothing about how the program keeps a project; only
// typeInto() knows that, so a test written against the builder survives a new model.
//
//     ProjectBuilder()
//         .components({"Песок", "Цемент"}, {"2,65", "3,1"})
//         .sizes({"5", "1,25", "0,16"})
//         .composition(1, {"100", "70", "20"})
//         .composition(2, {"100", "50", "10"})
//         .baseRecipe({"60", "40"})
//         .typeInto(session);

#include "core/ProjectDocument.h"

class ProjectSession;

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace TestSupport {

struct ProjectContent
{
    QString name;
    // The texts of the count fields N and K; empty: the number of components and sizes given.
    QString countN, countK;
    QStringList names;             // component 1..N
    QStringList densities;         // g/cm3, component 1..N
    GrainDataForm form = GrainDataForm::Integral;
    QStringList sizes;             // D_1 > ... > D_K
    QList<QStringList> composition; // per component 1..N: its K values (passings or residues)
    QStringList baseRecipe;        // mass %, component 1..N
    ReferenceKind reference = ReferenceKind::FunkDinger;
    // The coefficient fields n, a (Funk-Dinger), n (Fuller), m (Hummel), B (Bolomey), as the
    // window's design sets them.
    QString n = QStringLiteral("0,5"), a = QStringLiteral("0"), n2 = QStringLiteral("0,5"), m = QStringLiteral("0,1"),
            B = QStringLiteral("10");
    // The reference row A'_1..A'_K: typed by hand for the manual reference; for an equation, the
    // values a saved file carries in its last block (the program computes its own).
    QStringList referenceRow;

    int componentCount() const;
    int classCount() const;
};

class ProjectBuilder
{
public:
    ProjectBuilder &name(const QString &text);
    ProjectBuilder &components(const QStringList &names, const QStringList &densities);
    ProjectBuilder &names(const QStringList &texts);
    ProjectBuilder &densities(const QStringList &texts);
    ProjectBuilder &integral();
    ProjectBuilder &differential();
    ProjectBuilder &form(GrainDataForm form);
    ProjectBuilder &sizes(const QStringList &texts);
    // The values of component i (1-based) at the sizes, coarsest first.
    ProjectBuilder &composition(int component, const QStringList &values);
    ProjectBuilder &baseRecipe(const QStringList &texts);
    ProjectBuilder &funkDinger(const QString &n = QStringLiteral("0,5"), const QString &a = QStringLiteral("0"));
    ProjectBuilder &fuller(const QString &n = QStringLiteral("0,5"));
    ProjectBuilder &hummel(const QString &m = QStringLiteral("0,1"));
    ProjectBuilder &bolomey(const QString &B = QStringLiteral("10"));
    ProjectBuilder &manualReference(const QStringList &values);
    // The five coefficient texts at once (n, a, n of Fuller, m, B).
    ProjectBuilder &coefficients(const QStringList &texts);
    ProjectBuilder &referenceRow(const QStringList &values);
    // The texts of the count fields, for projects whose counts differ from the data given.
    ProjectBuilder &counts(const QString &n, const QString &k);
    ProjectBuilder &counts(int n, int k);

    const ProjectContent &content() const { return m_c; }

    // The project document that holds this content.
    ProjectDocument document() const;
    // Types the content into the session as the user would (counts first, then the cells, the
    // options and the coefficients); the corrected recipe stays as it was. Returns false when a
    // value had no cell to go to.
    bool typeInto(ProjectSession &session) const;

    // The project file that holds this content, line by line, as the file format lays it out
    // (10 + 3N + 2K + K*N lines); a value not given is an empty line.
    QStringList fileLines() const;
    // The same as Windows-1251 bytes with CR LF after every line.
    QByteArray fileBytes() const;
    bool writeFile(const QString &path) const;

private:
    ProjectContent m_c;
};

// The integral project of the worked example: N = 2, K = 3, masses 60/40, densities 2,65/3,1,
// passings 100/70/20 and 100/50/10 at 5; 1,25; 0,16; Funk-Dinger n = 0,5, a = 0.
ProjectBuilder workedExample();

// The differential project with hand-computed results (see ProjectBuilder.cpp): N = 2, K = 4,
// partial residues, masses 40/60 with densities 2,5/3,75 (equal volumes), Fuller n = 0,5.
ProjectBuilder differentialProject();

} // namespace TestSupport
