#include "widgets/Steps.h"
#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Steps)
};

} // namespace

QString stepTitle(int step)
{
    switch (step) {
    case 1:
        return Texts::tr("1.Параметры сырьевой смеси");
    case 2:
        return Texts::tr("2.Зерновые составы сырьевых компонентов смеси");
    case 3:
        return Texts::tr("3.Исходный состав сырьевой смеси");
    case 4:
        return Texts::tr("4.Выбор эталонного распределения частиц по размерам");
    case 5:
        return Texts::tr("5.Корректировка состава сырьевой смеси");
    case 6:
        return Texts::tr("6.Формирование итогового отчета");
    case 7:
        return Texts::tr("Информация о программе");
    default:
        return QString();
    }
}

QString stepButtonTitle(int step)
{
    switch (step) {
    case 1:
        return Texts::tr("1. Параметры смеси");
    case 2:
        return Texts::tr("2. Данные по компонентам");
    case 3:
        return Texts::tr("3. Исходный состав");
    case 4:
        return Texts::tr("4. Эталонный состав");
    case 5:
        return Texts::tr("5. Корректировка состава");
    case 6:
        return Texts::tr("6. Формирование отчета");
    case 7:
        return Texts::tr("О программе");
    default:
        return QString();
    }
}
