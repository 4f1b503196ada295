#include "widgets/Steps.h"

QString stepTitle(int step)
{
    switch (step) {
    case 1:
        return QStringLiteral("1.Параметры сырьевой смеси");
    case 2:
        return QStringLiteral("2.Зерновые составы сырьевых компонентов смеси");
    case 3:
        return QStringLiteral("3.Исходный состав сырьевой смеси");
    case 4:
        return QStringLiteral("4.Выбор эталонного распределения частиц по размерам");
    case 5:
        return QStringLiteral("5.Корректировка состава сырьевой смеси");
    case 6:
        return QStringLiteral("6.Формирование итогового отчета");
    case 7:
        return QStringLiteral("Информация о программе");
    default:
        return QString();
    }
}

QString stepButtonTitle(int step)
{
    switch (step) {
    case 1:
        return QStringLiteral("1. Параметры смеси");
    case 2:
        return QStringLiteral("2. Данные по компонентам");
    case 3:
        return QStringLiteral("3. Исходный состав");
    case 4:
        return QStringLiteral("4. Эталонный состав");
    case 5:
        return QStringLiteral("5. Корректировка состава");
    case 6:
        return QStringLiteral("6. Формирование отчета");
    case 7:
        return QStringLiteral("О программе");
    default:
        return QString();
    }
}
