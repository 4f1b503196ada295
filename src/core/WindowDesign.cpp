// The main window as its design leaves it: captions, design texts and positions (twips).
// Positions of controls inside a step panel are relative to the panel.
#include "core/MixProject.h"

namespace {

void place(Control &c, int left, int top, int width, int height, const QString &text = QString())
{
    c.setGeometry(left, top, width, height);
    if (!text.isNull())
        c.setText(text);
}

} // namespace

namespace {
// A header row and one row of values (660), and room for a horizontal scroll bar (300).
constexpr int OneRowTableHeight = 960;
} // namespace

void MixProject::applyWindowDesign()
{
    const int W = DesignWidth;

    // Outside the panels.
    Foc.setText(QStringLiteral("0"));
    Foc.setVisible(false);
    place(logo, 0, 0, 6600, 3300);
    place(Gradient, 0, DesignHeight - 200, W, 300);
    place(Head, 0, 780, 9600, 420);
    Head.setVisible(false);
    for (int i = 1; i <= 7; ++i) {
        place(But[i], i == 1 ? 0 : 0, 60, 2000, 600);
        But[i].setPicture(98 + 3 * i);
    }
    for (int i = 1; i <= 8; ++i)
        place(Line_v[i], 0, 660, 0, 15);
    place(Command3, 0, 1620, 5200, 420, QStringLiteral("Использовать модуль загрузки данных из базы"));
    Command3.setVisible(false);
    place(ButOpen, 200, DesignHeight - 620, 2000, 420, QStringLiteral("Открыть проект"));
    place(ButSave, 2400, DesignHeight - 620, 2000, 420, QStringLiteral("Сохранить проект"));
    place(Shape5, 200, DesignHeight - 620, 2000, 420);
    place(Shape6, 2400, DesignHeight - 620, 2000, 420);

    // The tables of one row of values keep room under it for a scroll bar.
    const int panelHeights[8] = {0, 6600, 9900, 8100, 8400, 9900, 6000, 5000};
    for (int i = 1; i <= 7; ++i) {
        place(Forma[i], 0, 1260, W, panelHeights[i]);
        Forma[i].setVisible(false);
    }

    // Step 1.
    place(Label_name, 300, 190, 4200, 300, QStringLiteral("1.1.Название состава:"));
    place(project_name, 4600, 150, W - 4600 - 1520, 360);
    place(Hint_name, 4600, 560, 6000, 300, QStringLiteral("* пример: «Огнеупорная смесь №5»"));
    place(Label_N, 300, 1090, 4200, 300, QStringLiteral("1.2.Количество сырьевых компонентов:"));
    place(N, 4600, 1050, 1000, 360);
    place(Label_names, 300, 1700, 6000, 300, QStringLiteral("1.3.Названия сырьевых компонентов:"));
    tabl[1].setLeft(300);
    tabl[1].setTop(2040);
    tabl[1].setSize(W - 600, OneRowTableHeight);
    place(Hint_names, 300, 3040, 9000, 300,
          QStringLiteral("* старайтесь использовать короткие названия (пример: «Песок Мк=1.5»)"));
    place(Label_density, 300, 3600, 7000, 300, QStringLiteral("1.4.Плотность зерен каждого компонента (г/см^3):"));
    tabl[2].setLeft(300);
    tabl[2].setTop(3940);
    tabl[2].setSize(W - 600, OneRowTableHeight);
    place(ErrTab1, 300, 4940, 9000, 300, QStringLiteral("* целая часть отделяется запятой."));

    // Step 2.
    place(Label_form, 300, 100, 5000, 300, QStringLiteral("2.1.Форма представления данных:"));
    place(Data_type_1, (W - 6600) / 2, 430, 6600, 300, QStringLiteral("Интегральное распределение частиц по размерам"));
    place(Label7, 600, 740, W - 1200, 460,
          QStringLiteral("задается процентное содержание частиц Aji, размер которых меньше текущего Dj («полный проход» частиц компонента i через условное сито j)."));
    place(Data_type_2, (W - 6600) / 2, 1260, 6600, 300, QStringLiteral("Дифференциальное распределение частиц по размерам"));
    place(Label8, 600, 1570, W - 1200, 460,
          QStringLiteral("задается процентное содержание частиц Qji текущего размера Dj («частный остаток» частиц компонента i на условном сите j)."));
    place(Label_K, 300, 2210, 4200, 300, QStringLiteral("2.2.Количество типоразмеров частиц:"));
    place(K, 4600, 2170, 800, 360);
    place(Command1, 5450, 2170, 360, 360, QStringLiteral("+"));
    place(Command2, 5850, 2170, 360, 360, QStringLiteral("-"));
    place(Label_grain, 300, 2800, 4500, 300, QStringLiteral("2.3.Зерновые составы компонентов:"));
    place(ComDelete, W - 300 - 480, 2660, 480, 480, QStringLiteral("Очистить таблицу"));
    place(ComPaste, W - 300 - 950, 2660, 480, 480, QStringLiteral("Вставить данные из буфера"));
    place(ComCopy, W - 300 - 1420, 2660, 480, 480, QStringLiteral("Копировать содержимое таблицы в буфер"));
    place(ComErrView, W - 300 - 1540 - 3900, 2760, 3900, 300, QStringLiteral("Посмотреть сообщение об ошибках"));
    place(ErrBorder, ComErrView.left() - 60, 2700, 4020, 420);
    ErrBorder.setVisible(false);
    tabl[3].setLeft(300);
    tabl[3].setTop(3240);
    tabl[3].setSize(W - 600, 4200);
    place(Label14, 300, 7440, W - 600, 460,
          QStringLiteral("* размеры частиц Dj вводятся в порядке убывания сверху вниз. Значения Dj должны иметь одинаковую "
                         "размерность (мм, мкм, нм и т.д.) для всех компонентов. Минимальное значение размера частиц составляет 0,0001."));
    place(PoleError, 420, 3360, W - 840, 3960);
    PoleError.setVisible(false);
    place(PoleErrorHead, 120, 120, 9000, 300, QStringLiteral("При заполнении таблицы допущены следующие ошибки:"));
    place(PErr1, 240, 480, W - 1200, 240, QStringLiteral(" "));
    PErr1.setVisible(false);
    for (int i = 1; i <= MaxComponents; ++i) {
        place(PErrA[i], 240, 720 + 240 * (i - 1), W - 1200, 240, QStringLiteral(" "));
        PErrA[i].setVisible(false);
    }

    // Step 3.
    place(Label_recipe, 300, 100, 7000, 300, QStringLiteral("3.1.Массовые доли (%) компонентов сырьевой смеси:"));
    tabl[4].setLeft(300);
    tabl[4].setTop(450);
    tabl[4].setSize(W - 600, OneRowTableHeight);
    place(ErrBorder4, 240, 390, W - 480, OneRowTableHeight + 120);
    ErrBorder4.setVisible(false);
    place(ErrTab4, 300, 1500, 9000, 300, QStringLiteral("* целая часть отделяется запятой."));
    place(Label_sum, 300, 1960, 4200, 300, QStringLiteral("Сумма массовых долей (%) составляет:"));
    place(mass0_sum, 4600, 1920, 1200, 360);
    place(Label_diagram, 300, 2480, 7000, 300, QStringLiteral("3.2.Диаграмма массовых долей исходного состава смеси:"));
    place(Diagramma1, (W - 9600) / 2, 2820, 9600, 5100);

    // Step 4.
    place(Label_reference, 300, 100, 8000, 300, QStringLiteral("4.1.Эталонная функция распределения частиц по размерам:"));
    const QString etalonCaptions[6] = {QString(),
                                       QStringLiteral("Уравнение Функа-Дингера"),
                                       QStringLiteral("Уравнение Фуллера"),
                                       QStringLiteral("Уравнение Гуммеля"),
                                       QStringLiteral("Уравнение Боломея"),
                                       QStringLiteral("Ввод эталонного зернового состава вручную")};
    for (int k = 1; k <= 5; ++k)
        place(Etalon[k], 400, 540 + 620 * (k - 1), k == 5 ? 6000 : 3300, 300, etalonCaptions[k]);
    for (int k = 1; k <= 4; ++k)
        place(formula[k], 3800, 420 + 620 * (k - 1), 4300, 540);
    place(Label_koef_n, 8300, 540, 480, 300, QStringLiteral("n ="));
    place(koef_n, 8800, 510, 1000, 360);
    place(Label_koef_a, 10000, 540, 480, 300, QStringLiteral("a ="));
    place(koef_a, 10500, 510, 1000, 360);
    place(Label_koef_n2, 8300, 1160, 480, 300, QStringLiteral("n ="));
    place(koef_n2, 8800, 1130, 1000, 360);
    place(Label_koef_m, 8300, 1780, 480, 300, QStringLiteral("m ="));
    place(koef_m, 8800, 1750, 1000, 360);
    place(Label_koef_B, 8300, 2400, 480, 300, QStringLiteral("B ="));
    place(koef_B, 8800, 2370, 1000, 360);
    const QString explanations[9] = {
        QString(),
        QStringLiteral("D max/min - наибольший/наименьший размер зерна в смеси (или верхнее/нижнее условные сита);"),
        QStringLiteral("n - коэффициент распределения, равный 0,5 (по Фуллеру)"),
        QStringLiteral("или 0,37 (пространственное распределение по Андреасену);"),
        QStringLiteral("а - коэффициент формы частиц, изменяющийся от 0 до 0,2."),
        QStringLiteral("A'j - полный проход частиц через условное сито с размером ячейки Dj (%);"),
        QStringLiteral("m - эмпирический коэффициент, изменяющийся от 0,1 до 1;"),
        QStringLiteral("B - коэффициент, равный 10 для малопластичных щебеночных смесей, 12 - для пластичных смесей"),
        QStringLiteral("с гравием и 14 - для пластичных смесей со щебнем."),
    };
    for (int k = 1; k <= 8; ++k)
        place(Label_expl[k], 400, 3560 + 260 * (k - 1), W - 800, 260, explanations[k]);
    tabl[5].setLeft(300);
    tabl[5].setTop(5760);
    tabl[5].setSize(W - 600, OneRowTableHeight);
    place(ErrTab5, 300, 6780, W - 600, 300,
          QStringLiteral("* В случае ручного ввода эталонного зернового состава заполняйте таблицу слева на право в порядке убывания значений A'j (%)."));
    place(Label_note, 300, 7200, W - 600, 460,
          QStringLiteral("Ввод эталонного зернового состава вручную осуществляется с целью сравнения проектируемого состава "
                         "сырьевой смеси с другим существующим (более оптимальным) составом."));

    // Step 5.
    place(Label_manualCorrection, 300, 100, 5000, 300, QStringLiteral("5.1.Ручной подбор массовых долей:"));
    for (int i = 1; i <= MaxComponents; ++i) {
        const int top = SliderRowTop + SliderRowStep * (i - 1);
        SBegunok[i].setTop(top);
        place(k_name[i], 300, top + 40, 1600, 300);
        place(Pol_label[i], 2000, top + 330, 2000, 200, QStringLiteral("0                  100"));
        place(MMinus[i], 4100, top + 30, 300, 300, QStringLiteral("-"));
        place(MPlus[i], 4430, top + 30, 300, 300, QStringLiteral("+"));
        place(MLock[i], 4800, top + 40, 260, 300);
        place(lock_pic[i], 5060, top + 10, 300, 360);
        lock_pic[i].setPicture(123);
        place(M_lab[i], 5450, top + 40, 800, 300);
        place(M_lab_rn[i], 6300, top + 40, 800, 300);
        place(MarkerBMin[i], SliderTrackLeft, top - 60, 60, 120);
        place(MarkerBMax[i], SliderTrackRight, top - 60, 60, 120);
        MarkerBMin[i].setVisible(false);
        MarkerBMax[i].setVisible(false);
    }
    place(IshReset, 300, 0, 1800, 375, QStringLiteral("Исходный состав"));
    place(Label60, 2200, 45, 1100, 300, QStringLiteral("Сумма (%):"));
    place(summa, 3350, 0, 900, 330);
    place(AutoCheck, 300, 0, 5600, 300, QStringLiteral("5.2.Автоматический подбор массовых долей"));
    place(BoundsCheck, 300, 0, 4500, 480, QStringLiteral("Добавить границы случайного варьирования массовых долей"));
    place(CommandBounds, 5000, 0, 1500, 360, QStringLiteral("Настроить"));
    place(CommandOptimum, 300, 0, 3300, 400, QStringLiteral("Найти оптимальный состав"));
    place(LabelOptimum, 300, 0, 6800, 300, QString());
    place(Label_graph, 7400, 100, 4000, 300, QStringLiteral("5.3.Гранулометрический график:"));
    place(Graph, 7400, 450, W - 7400 - 200, 7000);
    place(Log_check, 7400, 0, LogCheckOneLine, 300, QStringLiteral("Логарифмический масштаб оси абсцисс"));
    place(Setka_check, 7400, 0, LogCheckOneLine, 300, QStringLiteral("Координатная сетка"));
    place(Legenda, 0, 0, 2600, 1080);
    place(Pogreshnost, 0, 240, 4200, 255, QStringLiteral("Расхождение кривых:"));
    place(Koords, 0, 0, 4200, 240, QStringLiteral("D= ; A="));
    Koords.setVisible(false);
    GrVL.setVisible(false);
    GrGL.setVisible(false);

    // Step 6.
    place(Label_report, 600, 100, 6000, 300, QStringLiteral("В отчете отобразить:"));
    const QString sections[12] = {
        QString(),
        QStringLiteral("6.1. Название проектируемого состава"),
        QStringLiteral("6.2. Количество сырьевых компонентов в проектируемой смеси"),
        QStringLiteral("6.3. Названия сырьевых компонентов проектируемой смеси"),
        QStringLiteral("6.4. Значения истинной плотности зерен сырьевых компонентов"),
        QStringLiteral("6.5. Гранулометрические составы сырьевых компонентов"),
        QStringLiteral("6.6. Исходный компонентный состав сырьевой смеси (то, что оптимизируем)"),
        QStringLiteral("6.7. Диаграмма массовых долей исходного компонентного состава"),
        QStringLiteral("6.8. Эталонный гранулометрический состав"),
        QStringLiteral("6.9. Скорректированный компонентный состав смеси (оптимизированный)"),
        QStringLiteral("6.11. Гранулометрический график"),
        QStringLiteral("6.10. Итоговый гранулометрический состав смеси (после корректировки)"),
    };
    const int order[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10}; // row of each box, in caption order
    for (int r = 1; r <= 11; ++r) {
        const int box = order[r];
        place(Otch_el[box], 600, 480 + 380 * (r - 1), 9000, 300, sections[box]);
        Otch_el[box].setValue(1);
    }
    place(ButOtchet, (W - 6000) / 2, 4900, 6000, 480, QStringLiteral("Сформировать отчет в программе Microsoft Word"));

    // Step 7.
    place(Label_info[1], (W - 6000) / 2, 300, 6000, 600, QStringLiteral("Palvex 5.0"));
    place(Label_info[2], (W - 8400) / 2, 1100, 8400, 300, QStringLiteral("Программа проектирования зернового состава минеральной части"));
    place(Label_info[3], 0, 1400, 8400, 300, QStringLiteral("сырьевых   смесей  строительных   композиционных   материалов "));
    place(Label_info[4], 0, 1700, 8400, 300, QStringLiteral("по  данным  гранулометрического  анализа  исходных компонентов"));
    place(Label_info[5], 0, 2000, 8400, 300, QStringLiteral("смеси."));
    place(Label_info[11], 0, 2700, 8400, 300,
          QStringLiteral("Правила работы с программным продуктом описаны в руководстве пользователя:"));
    place(Label_info[12], 0, 3000, 6000, 300, QStringLiteral("Краткое руководство пользователя"));
}
