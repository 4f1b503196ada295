#include "widgets/ParametersPage.h"

#include "widgets/Controls.h"
#include "widgets/InputTableView.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ParametersPage::ParametersPage(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : StepPage(session, parent)
{
    auto *database = new QPushButton(tr("Использовать модуль загрузки данных из базы"), this);
    database->setObjectName(QStringLiteral("databaseButton"));
    connect(database, &QPushButton::clicked, this, &ParametersPage::databaseRequested);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("projectName"));
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString &text) { m_session.setProjectName(text); });
    m_count = new ChoiceBox(this);
    m_count->setObjectName(QStringLiteral("componentCount"));
    for (int i = 1; i <= MaxComponents; ++i)
        m_count->addItem(QString::number(i));
    connect(m_count, &QComboBox::activated, this, [this](int index) { m_session.setComponentCount(index + 1); });
    m_names = new InputTableView(session, InputTable::Names, desktop, this);
    m_densities = new InputTableView(session, InputTable::Densities, desktop, this);
    m_densityError = errorLabel(this);
    m_densityError->setObjectName(QStringLiteral("densityError"));
    m_prices = new InputTableView(session, InputTable::Prices, desktop, this);
    m_priceError = errorLabel(this);
    m_priceError->setObjectName(QStringLiteral("priceError"));

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(20);
    form->addWidget(captionLabel(tr("1.1.Название состава:"), this), 0, 0);
    form->addWidget(m_name, 0, 1);
    form->addWidget(hintLabel(tr("* пример: «Огнеупорная смесь №5»"), this), 1, 1);
    form->addWidget(captionLabel(tr("1.2.Количество сырьевых компонентов:"), this), 2, 0);
    form->addWidget(m_count, 2, 1, Qt::AlignLeft);
    form->setRowMinimumHeight(1, 28);
    form->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 10);
    layout->addStretch(1);
    layout->addWidget(database, 0, Qt::AlignHCenter);
    layout->addSpacing(40);
    layout->addLayout(form);
    layout->addSpacing(16);
    layout->addWidget(captionLabel(tr("1.3.Названия сырьевых компонентов:"), this));
    layout->addWidget(m_names);
    layout->addWidget(hintLabel(tr("* старайтесь использовать короткие названия (пример: «Песок Мк=1.5»)"), this));
    layout->addSpacing(16);
    layout->addWidget(captionLabel(tr("1.4.Плотность зерен каждого компонента (г/см^3):"), this));
    layout->addWidget(m_densities);
    layout->addWidget(m_densityError);
    layout->addSpacing(16);
    layout->addWidget(captionLabel(tr("1.5.Цена, руб./т:"), this));
    layout->addWidget(m_prices);
    layout->addWidget(hintLabel(tr("* необязательно: по ценам рассчитывается стоимость смеси и подбирается самый "
                                               "дешевый состав (шаг 5)"),
                                this));
    layout->addWidget(m_priceError);
    layout->addStretch(2);
    refresh(ProjectSession::AllChanged);
}

void ParametersPage::refresh(ProjectSession::Changes what)
{
    const ProjectDocument &d = m_session.document();
    if (what & ProjectSession::DocumentChanged) {
        if (m_name->text() != d.name)
            m_name->setText(d.name);
        if (m_count->currentIndex() != d.componentCount - 1)
            m_count->setCurrentIndex(d.componentCount - 1);
        m_names->refresh();
        m_densities->refresh();
        m_prices->refresh();
    }
    setLabelText(m_densityError, m_session.validation().densityMessage());
    setLabelText(m_priceError, m_session.validation().priceMessage());
}

void ParametersPage::entered()
{
    m_names->setCurrentCell(1, 0);
    m_densities->setCurrentCell(1, 0);
    m_prices->setCurrentCell(1, 0);
}
