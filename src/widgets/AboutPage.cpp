#include "widgets/AboutPage.h"

#include "Version.h"

#include <QGridLayout>
#include <QVBoxLayout>

AboutPage::AboutPage(ProjectSession &session, QWidget *parent)
    : StepPage(session, parent)
{
    auto *title = new QLabel(QStringLiteral("Palvex " PALVEX_VERSION), this);
    title->setObjectName(QStringLiteral("programName"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    auto *text = new QVBoxLayout;
    text->setSpacing(2);
    for (const QString &line : {tr("Программа проектирования зернового состава минеральной части"),
                                tr("сырьевых   смесей  строительных   композиционных   материалов "),
                                tr("по  данным  гранулометрического  анализа  исходных компонентов"),
                                tr("смеси.")})
        text->addWidget(new QLabel(line, this));
    auto *lead = new QLabel(tr("Правила работы с программным продуктом описаны в руководстве пользователя:"), this);
    auto *link = new QLabel(QStringLiteral("<a href=\"guide\">") + tr("Краткое руководство пользователя") + QStringLiteral("</a>"), this);
    link->setObjectName(QStringLiteral("guideLink"));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link, &QLabel::linkActivated, this, &AboutPage::guideRequested);

    auto *column = new QVBoxLayout;
    column->addWidget(title, 0, Qt::AlignHCenter);
    column->addSpacing(14);
    column->addLayout(text);
    column->addSpacing(24);
    column->addWidget(lead);
    column->addWidget(link, 0, Qt::AlignHCenter);
    auto *layout = new QHBoxLayout(this);
    layout->addStretch(1);
    layout->addLayout(column);
    layout->addStretch(1);
    setContentsMargins(0, 120, 0, 120);
}

QString userGuideHtml()
{
    return AboutPage::tr(R"(<h2>Palvex %1 — краткое руководство пользователя</h2>
<p>Программа подбирает зерновой состав минеральной части сырьевой смеси так, чтобы он был как можно ближе
к эталонному. Работа идет по шагам; шаги выбираются кнопками в верхней части окна.</p>
<ol>
<li><b>Параметры сырьевой смеси.</b> Введите название состава, выберите количество компонентов (от 1 до 10),
заполните их названия и истинную плотность зерен (г/см<sup>3</sup>). Целая часть отделяется запятой.</li>
<li><b>Зерновые составы.</b> Выберите форму данных: интегральную (полный проход A, %) или дифференциальную
(частный остаток Q, %). Задайте количество типоразмеров частиц кнопками «+» и «-» и заполните таблицу:
размеры Dj сверху вниз по убыванию, в одной размерности для всех компонентов. Таблицу можно вставить из
электронной таблицы (Ctrl+V или кнопка вставки) и скопировать (Ctrl+C). Ошибки заполнения показываются
красной рамкой; их список открывает флажок «Посмотреть сообщение об ошибках».</li>
<li><b>Исходный состав.</b> Введите массовые доли компонентов, %; их сумма должна быть равна 100.
Диаграмма показывает исходный состав.</li>
<li><b>Эталонный состав.</b> Выберите уравнение (Функа-Дингера, Фуллера, Гуммеля, Боломея) и его
коэффициенты или введите эталонный зерновой состав вручную (по убыванию A'j слева направо).</li>
<li><b>Корректировка состава.</b> Двигайте ползунки массовых долей; остальные доли меняются так, чтобы сумма
оставалась 100 %. Замок фиксирует долю компонента. Кнопка «Исходный состав» возвращает исходные доли.
Автоматический подбор ищет состав с меньшим расхождением кривых, при желании в заданных границах; кнопка
«Найти оптимальный состав» находит состав с наименьшим возможным расхождением.
Гранулометрический график показывает эталонную, исходную и проектируемую кривые и расхождение кривых —
наибольшее отклонение проектируемой кривой от эталонной, в процентных пунктах.</li>
<li><b>Формирование итогового отчета.</b> Отметьте разделы отчета и сформируйте документ.</li>
</ol>
<p>Проект сохраняется кнопкой «Сохранить проект» в текстовый файл и открывается кнопкой «Открыть проект».</p>)").arg(QStringLiteral(PALVEX_VERSION));
}
