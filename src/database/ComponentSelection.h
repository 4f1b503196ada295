#pragma once

// The choice of components from the database: how many take part, which database component and
// grain density each row stands for, the preview of their grain compositions as a table and a
// graph, and the project the transfer makes of them. The component database window shows it.

#include "core/ProjectDocument.h"
#include "database/ComponentDatabase.h"

#include <QImage>
#include <QList>
#include <QStringList>

#include <array>

class ComponentSelection
{
public:
    struct Row
    {
        int component = 0;   // database component m = 1..M, 0 = none chosen
        QString density;     // as typed (or chosen from the density table)
        bool shown = true;   // in the preview table and graph
        bool duplicate = false; // chosen already in another row
    };

    ComponentSelection();

    const ComponentDatabase &database() const { return m_database; }
    // Reads the workbook with the settings file. On failure the lists are empty and `error` is
    // set; a database that reads but looks wrong adds its messages to `warnings`.
    bool load(const QString &workbook, const QString &settingsFile, QString *error, QStringList *warnings = nullptr);
    // A database read elsewhere; the rows lose their components.
    void setDatabase(ComponentDatabase database);

    // The number of participating components, 1..10. Rows beyond it lose their component and
    // marks; their densities stay.
    int participating() const { return m_participating; }
    void setParticipating(int n);
    const Row &row(int i) const { return m_rows[size_t(std::clamp(i, 1, MaxComponents))]; }

    // A database component chosen in row i (0 = none). Returns the message for a component that
    // another row has already.
    std::optional<QString> chooseComponent(int i, int m);
    // A density typed into row i: a text that is not a number leaves the field empty.
    void setDensity(int i, const QString &text);
    void setShown(int i, bool shown);

    // The red frames: a row without a component (or with a duplicate), and a row whose density is
    // not a number.
    bool componentMarked(int i) const;
    bool densityMarked(int i) const;

    CompositionForm form() const { return m_form; }
    void setForm(CompositionForm form) { m_form = form; }
    bool logarithmic = false;
    bool legend = false;
    static QStringList formNames();

    // The preview table: the header ("Название компонента" and the sizes) and a row per shown
    // component.
    QStringList previewHeader() const;
    QList<QStringList> previewRows() const;
    // The preview graph into `image`, in its logical pixels.
    void drawPreview(QImage &image) const;

    // "Подтвердить данный состав для дальнейшего расчета": the project the selection makes, from
    // the current one (its name is kept). Refused, with `message` set, while a row is marked,
    // or when a chosen component has no grain composition or a size is missing.
    std::optional<ProjectDocument> transfer(const ProjectDocument &current, QString *message) const;

private:
    ComponentDatabase m_database;
    int m_participating = 1;
    std::array<Row, MaxComponents + 1> m_rows{};
    CompositionForm m_form = CompositionForm::PartialResidueGrams;
};

// The density table: eleven materials and their densities.
struct DensityOption
{
    QString caption;
    float value;
};
QList<DensityOption> densityOptions();
inline constexpr int DefaultDensityOption = 4;
// The text an option writes into a density field ("2,65").
QString densityText(int option);
