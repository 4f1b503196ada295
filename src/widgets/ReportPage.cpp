#include "widgets/ReportPage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

ReportPage::ReportPage(ProjectSession &session, QWidget *parent)
    : StepPage(session, parent)
{
    const QString captions[12] = {
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
        QStringLiteral("6.10. Итоговый гранулометрический состав смеси (после корректировки)"),
        QStringLiteral("6.11. Гранулометрический график"),
    };
    auto *heading = new QLabel(QStringLiteral("В отчете отобразить:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 10, 40, 10);
    layout->addStretch(1);
    layout->addWidget(heading);
    layout->addSpacing(6);
    for (int section = 1; section <= 11; ++section) {
        m_sections[section] = new QCheckBox(captions[section], this);
        m_sections[section]->setObjectName(QStringLiteral("section%1").arg(section));
        connect(m_sections[section], &QCheckBox::clicked, this, [this, section](bool on) { m_session.setReportSection(section, on); });
        layout->addWidget(m_sections[section]);
    }
    layout->addSpacing(20);
    auto *write = new QPushButton(QStringLiteral("Сформировать отчет в программе Microsoft Word"), this);
    write->setObjectName(QStringLiteral("reportButton"));
    write->setMinimumWidth(400);
    connect(write, &QPushButton::clicked, this, &ReportPage::reportRequested);
    layout->addWidget(write, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    refresh(ProjectSession::AllChanged);
}

void ReportPage::refresh(ProjectSession::Changes)
{
    for (int section = 1; section <= 11; ++section)
        m_sections[section]->setChecked(m_session.reportSections()[size_t(section)]);
}
