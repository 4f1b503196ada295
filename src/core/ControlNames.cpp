// Every control, grid and slider carries its name as its object name, so that the window's
// widgets can be found by it ("project_name", "tabl3", "SBegunok2", "k_name2", "But5").
#include "core/MixProject.h"

namespace {

void name(QObject &o, const char *text)
{
    o.setObjectName(QString::fromLatin1(text));
}

template <typename T, size_t Size>
void names(T (&array)[Size], const char *text, size_t first = 1)
{
    for (size_t i = first; i < Size; ++i)
        array[i].setObjectName(QString::fromLatin1(text) + QString::number(i));
}

} // namespace

#define PALVEX_NAME(x) name(x, #x)

void MixProject::nameControls()
{
    PALVEX_NAME(project_name);
    PALVEX_NAME(N);
    PALVEX_NAME(K);
    names(tabl, "tabl");
    PALVEX_NAME(Data_type_1);
    PALVEX_NAME(Data_type_2);
    names(Etalon, "Etalon");
    PALVEX_NAME(koef_n);
    PALVEX_NAME(koef_a);
    PALVEX_NAME(koef_n2);
    PALVEX_NAME(koef_m);
    PALVEX_NAME(koef_B);
    PALVEX_NAME(mass0_sum);
    PALVEX_NAME(Setka_check);
    PALVEX_NAME(Log_check);
    PALVEX_NAME(BoundsCheck);
    PALVEX_NAME(AutoCheck);
    names(SBegunok, "SBegunok");
    names(k_name, "k_name");
    names(Pol_label, "Pol_label");
    names(M_lab, "M_lab");
    names(M_lab_rn, "M_lab_rn");
    names(MarkerBMin, "MarkerBMin");
    names(MarkerBMax, "MarkerBMax");
    names(MPlus, "MPlus");
    names(MMinus, "MMinus");
    names(MLock, "MLock");
    names(lock_pic, "lock_pic");
    PALVEX_NAME(IshReset);
    PALVEX_NAME(summa);
    PALVEX_NAME(Label60);
    PALVEX_NAME(CommandBounds);
    PALVEX_NAME(CommandOptimum);
    PALVEX_NAME(LabelOptimum);
    PALVEX_NAME(Head);
    PALVEX_NAME(logo);
    PALVEX_NAME(Gradient);
    names(But, "But");
    names(Line_v, "Line_v");
    names(Forma, "Forma");
    PALVEX_NAME(Command3);
    PALVEX_NAME(ButOpen);
    PALVEX_NAME(ButSave);
    PALVEX_NAME(Label_name);
    PALVEX_NAME(Label_N);
    PALVEX_NAME(Label_names);
    PALVEX_NAME(Label_density);
    PALVEX_NAME(Hint_name);
    PALVEX_NAME(Hint_names);
    PALVEX_NAME(ErrTab1);
    PALVEX_NAME(Label_form);
    PALVEX_NAME(Label7);
    PALVEX_NAME(Label8);
    PALVEX_NAME(Label_K);
    PALVEX_NAME(Command1);
    PALVEX_NAME(Command2);
    PALVEX_NAME(Label_grain);
    PALVEX_NAME(Label14);
    PALVEX_NAME(ComCopy);
    PALVEX_NAME(ComPaste);
    PALVEX_NAME(ComDelete);
    PALVEX_NAME(ComErrView);
    PALVEX_NAME(ErrBorder);
    PALVEX_NAME(PoleError);
    PALVEX_NAME(PoleErrorHead);
    PALVEX_NAME(PErr1);
    names(PErrA, "PErrA");
    PALVEX_NAME(Label_recipe);
    PALVEX_NAME(Label_sum);
    PALVEX_NAME(Label_diagram);
    PALVEX_NAME(ErrTab4);
    PALVEX_NAME(ErrBorder4);
    PALVEX_NAME(Diagramma1);
    PALVEX_NAME(Label_reference);
    names(formula, "formula");
    PALVEX_NAME(ErrTab5);
    PALVEX_NAME(Label_note);
    PALVEX_NAME(Label_koef_n);
    PALVEX_NAME(Label_koef_a);
    PALVEX_NAME(Label_koef_n2);
    PALVEX_NAME(Label_koef_m);
    PALVEX_NAME(Label_koef_B);
    names(Label_expl, "Label_expl");
    PALVEX_NAME(Label_manualCorrection);
    PALVEX_NAME(Label_graph);
    PALVEX_NAME(Graph);
    PALVEX_NAME(Legenda);
    PALVEX_NAME(Pogreshnost);
    PALVEX_NAME(Koords);
    PALVEX_NAME(GrVL);
    PALVEX_NAME(GrGL);
    PALVEX_NAME(Label_report);
    names(Otch_el, "Otch_el");
    PALVEX_NAME(ButOtchet);
    names(Label_info, "Label_info");
}
