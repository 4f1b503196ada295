#include "ui/Form1Logic.h"

#include "charts/Graph.h"
#include "checking/Validation.h"
#include "core/Handlers.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"
#include "correction/AutoSelection.h"
#include "correction/BoundsDialog.h"
#include "correction/ManualCorrection.h"
#include "correction/Optimum.h"

namespace {

const QString Titles[8] = {
    QString(),
    QStringLiteral("1.Параметры сырьевой смеси"),
    QStringLiteral("2.Зерновые составы сырьевых компонентов смеси"),
    QStringLiteral("3.Исходный состав сырьевой смеси"),
    QStringLiteral("4.Выбор эталонного распределения частиц по размерам"),
    QStringLiteral("5.Корректировка состава сырьевой смеси"),
    QStringLiteral("6.Формирование итогового отчета"),
    QStringLiteral("Информация о программе"),
};

const QString ButtonTitles[8] = {
    QString(),
    QStringLiteral("1. Параметры смеси"),
    QStringLiteral("2. Данные по компонентам"),
    QStringLiteral("3. Исходный состав"),
    QStringLiteral("4. Эталонный состав"),
    QStringLiteral("5. Корректировка состава"),
    QStringLiteral("6. Формирование отчета"),
    QStringLiteral("О программе"),
};

} // namespace

QString StepTitle(int step)
{
    return step >= 1 && step <= 7 ? Titles[step] : QString();
}

QString StepButtonTitle(int step)
{
    return step >= 1 && step <= 7 ? ButtonTitles[step] : QString();
}

int CurrentStep(const MixProject &p)
{
    return int(Num::Val(p.Foc.text()));
}

void SelectStep(MixProject &p, int step)
{
    if (step < 1 || step > 7)
        return;
    // 1.
    p.Foc.setText(Num::formatInt(step));
    p.But[step].setPicture(SelectedPicture(step));
    p.logo.setVisible(false);
    // 2.
    for (int k = 1; k <= 7; ++k) {
        p.Line_v[k].setValue(k == step ? 1 : 0);
        p.Forma[k].setVisible(k == step);
    }
    // 3.
    p.Head.setVisible(true);
    p.Head.setText(StepTitle(step));
    switch (step) {
    case 1:
        p.tabl[1].setCurrentCell(1, 0);
        p.tabl[2].setCurrentCell(1, 0);
        break;
    case 2:
        p.tabl[3].setCurrentCell(1, 0);
        break;
    case 3:
        p.tabl[4].setCurrentCell(1, 0);
        break;
    case 4:
        p.tabl[5].setCurrentCell(1, 0);
        break;
    default:
        break;
    }
    // 4.
    p.AutoCheck.setChecked(false);
    p.ComErrView.setChecked(false);
    // 5.
    const bool several = Num::Val(p.N.text()) > 1;
    p.SBegunok[1].setEnabled(several);
    p.MPlus[1].setEnabled(several);
    p.MMinus[1].setEnabled(several);
    p.MLock[1].setEnabled(several);
    p.AutoCheck.setEnabled(several);
    p.IshReset.setEnabled(several);
    // 6.
    Recalculate(p);
}

void HoverStep(MixProject &p, int j)
{
    const int current = CurrentStep(p);
    for (int i = 1; i <= 7; ++i) {
        if (i == current)
            continue;
        p.But[i].setPicture(i == j ? HoverPicture(i) : NormalPicture(i));
    }
}

void IncreaseK(MixProject &p)
{
    if (Num::Val(p.K.text()) < MaxClasses)
        p.K.setText(Num::formatDouble(Num::Val(p.K.text()) + 1));
    if (Num::Val(p.K.text()) >= MaxClasses)
        p.K.setText(QStringLiteral("50"));
}

void DecreaseK(MixProject &p)
{
    if (Num::Val(p.K.text()) > 2)
        p.K.setText(Num::formatDouble(Num::Val(p.K.text()) - 1));
    if (Num::Val(p.K.text()) <= 2)
        p.K.setText(QStringLiteral("2"));
}

std::optional<Question> CloseQuestion(const MixProject &p)
{
    if (p.tabl[3].rows() < 3)
        return std::nullopt;
    return Question{QStringLiteral("Подтверждение выхода"),
                    QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите выйти из программы?")};
}

std::optional<Question> OpenQuestion(const MixProject &p)
{
    if (p.tabl[3].rows() < 3)
        return std::nullopt;
    return Question{QStringLiteral("Подтверждение открытия файла"),
                    QStringLiteral("Несохраненные данные будут утеряны! Вы уверены, что хотите открыть другой файл?")};
}

bool Timer1Tick(MixProject &p, bool clipboardHasText, SearchRandom &random, std::optional<double> clockSeconds)
{
    // 1.
    if (clockSeconds)
        random.mix(*clockSeconds);
    // 2.
    p.Command3.setVisible(p.Forma[1].isVisible());
    // 3.
    RefreshCorrectionDisplay(p);
    // 4.
    const bool adopted = AutoSelectionStep(p, random);
    // 5. The charts follow the validity flags at once (the pictures depend on them).
    const bool before[3] = {p.TablesValid, p.GrainTableValid, p.BaseRecipeValid};
    ValidateTables(p, clipboardHasText);
    if (before[0] != p.TablesValid || before[1] != p.GrainTableValid || before[2] != p.BaseRecipeValid)
        p.notifyChartsChanged();
    // 6.
    UpdateBoundsControls(p);
    p.CommandOptimum.setEnabled(p.TablesValid && !p.AutoCheck.isChecked());
    RefreshOptimumReadout(p);
    return adopted;
}

void Timer2Tick(MixProject &p)
{
    UpdateLockedSliderTotal(p);
}

void ConnectWindowHandlers(MixProject &p)
{
    ConnectInputHandlers(p);
    ConnectCorrectionHandlers(p);
    QObject::connect(&p.ComErrView, &Control::clicked, &p, [&p] { LayoutErrorList(p); });
    QObject::connect(&p, &MixProject::chartsChanged, &p, [&p] { UpdateDivergenceText(p); });
}
