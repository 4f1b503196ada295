#include "widgets/ReportPage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

ReportPage::ReportPage(ProjectSession &session, QWidget *parent)
    : StepPage(session, parent)
{
    const QString captions[12] = {
        QString(),
        tr("6.1. Название проектируемого состава"),
        tr("6.2. Количество сырьевых компонентов в проектируемой смеси"),
        tr("6.3. Названия сырьевых компонентов проектируемой смеси"),
        tr("6.4. Значения истинной плотности зерен сырьевых компонентов"),
        tr("6.5. Гранулометрические составы сырьевых компонентов"),
        tr("6.6. Исходный компонентный состав сырьевой смеси (то, что оптимизируем)"),
        tr("6.7. Диаграмма массовых долей исходного компонентного состава"),
        tr("6.8. Эталонный гранулометрический состав"),
        tr("6.9. Скорректированный компонентный состав смеси (оптимизированный)"),
        tr("6.10. Итоговый гранулометрический состав смеси (после корректировки)"),
        tr("6.11. Гранулометрический график"),
    };
    auto *heading = new QLabel(tr("В отчете отобразить:"), this);
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
    auto *write = new QPushButton(tr("Сформировать отчет в программе Microsoft Word"), this);
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
