#pragma once

// The component selection window Form2 ("Загрузка данных о компонентах") as the logic sees it:
// the workbook, the number of participating components, the database component and the grain
// density of each, the preview table and graph, and the transfer into the project. Also the
// density table Form4 ("Таблица истинной плотности (г/см3)").

#include "core/MixProject.h"
#include "database/ComponentDatabase.h"

#include <QImage>
#include <QObject>

#include <functional>

class SelectionModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SelectionModel)

public:
    explicit SelectionModel(QObject *parent = nullptr);

    // Row i of the dialog (1..10). comp_name[i].value() is the chosen database component
    // m = 1..M, or 0 when the row has no selection; its items are the database's names.
    Control FileNameText, FileOpenCommand, Frame1, comboN, Frame2, combo_form;
    Control comp_nmb_lab[MaxComponents + 1];
    Control comp_name[MaxComponents + 1];
    Control comp_density[MaxComponents + 1];
    Control comp_den_tabl[MaxComponents + 1];
    Control Graph_Check[MaxComponents + 1];
    Control RedRamka[MaxComponents + 1];
    Control RedRamka2[MaxComponents + 1];
    Control Logarifm_Check, Legend_Check, Command1, Command2;
    GridModel ishod_gran_table;
    ComponentDatabase database;

    int participating() const;
    CompositionForm form() const;

    static QStringList formNames();
};

// Messages of the window ("Внимание!" with an information icon).
using InformFn = std::function<void(const QString &title, const QString &text)>;

// The window's start: n = 1 and the first form, each running its handler.
void StartSelection(SelectionModel &selection);
// comboN chosen: rows 1..n enabled, the others reset; the preview rebuilt.
void SetParticipatingRows(SelectionModel &selection);
// A database component chosen in row i (m = 1..M, 0 = none): duplicates are reported.
void ChooseComponent(SelectionModel &selection, int i, int m, const InformFn &inform);
// A density typed into row i: a text that is not a number empties the box.
void DensityEdited(SelectionModel &selection, int i, const QString &text);
// The window's own timer: red frames of rows without a component or a density.
void SelectionTick(SelectionModel &selection);
// The preview table from the database and the selection.
void RefreshPreviewTable(SelectionModel &selection);
// The preview graph into `image` (its pixel size is the picture's inner size).
void DrawPreviewGraph(const SelectionModel &selection, QImage &image);
// Reads the workbook with the settings file; the name lists are refilled and the preview
// rebuilt. On failure the lists are left empty and `error` is set. A database that reads but
// looks wrong adds its messages to `warnings` (see ReadComponentDatabase).
bool LoadDatabase(SelectionModel &selection, const QString &workbook, const QString &settingsFile, QString *error,
                  QStringList *warnings = nullptr);
// "Подтвердить данный состав для дальнейшего расчета": the selection replaces the project's
// inputs. Refused (with the message) while a row shows a red frame, and when a chosen
// component has no grain composition (no total mass in the database) or a size is missing.
bool TransferSelection(SelectionModel &selection, MixProject &project, const InformFn &inform);

// Form4: the eleven materials and their densities.
struct DensityOption
{
    QString caption;
    float value;
};
const QList<DensityOption> &DensityOptions();
inline constexpr int DefaultDensityOption = 4;
// Confirmation: the value of option `option` (1..11) written into the density box of the row
// whose number `rowText` holds (leading number, 1..10).
void ConfirmDensity(SelectionModel &selection, const QString &rowText, int option);
