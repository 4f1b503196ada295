#include "widgets/BaseRecipePage.h"

#include "charts/Diagram.h"
#include "widgets/ChartView.h"
#include "widgets/Controls.h"
#include "widgets/InputTableView.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

BaseRecipePage::BaseRecipePage(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : StepPage(session, parent)
{
    m_table = new InputTableView(session, InputTable::BaseRecipe, desktop, this);
    m_frame = new ErrorFrame(m_table, this);
    m_error = errorLabel(this);
    m_error->setObjectName(QStringLiteral("recipeError"));
    m_sum = new QLineEdit(this);
    m_sum->setObjectName(QStringLiteral("recipeSum"));
    m_sum->setReadOnly(true);
    m_sum->setFixedWidth(80);
    m_cost = new QLineEdit(this);
    m_cost->setObjectName(QStringLiteral("baseCost"));
    m_cost->setReadOnly(true);
    m_cost->setFixedWidth(110);
    m_costCaption = captionLabel(tr("Стоимость 1 т смеси (руб.):"), this);
    m_diagram = new ChartView(this);
    m_diagram->setObjectName(QStringLiteral("diagram"));
    m_diagram->setFixedSize(640, 340);
    m_diagram->setRenderer([this](QImage &image) {
        const ProjectSession &s = m_session;
        // The diagram shows the base recipe only while it is valid.
        if (!s.validation().baseRecipeValid) {
            image.fill(Qt::white);
            return;
        }
        Charts::drawDiagram(image, {s.numbers().baseRecipe, s.componentCount(), componentNames()});
    });
    // A name the legend shortened shows whole in a tool tip over it.
    m_diagram->toolTipAt = [this](QPointF pos) {
        const ProjectSession &s = m_session;
        if (s.validation().baseRecipeValid) {
            const QStringList names = componentNames();
            for (const Charts::DiagramText &entry :
                 Charts::diagramLegend({s.numbers().baseRecipe, s.componentCount(), names}, QSizeF(m_diagram->size())))
                if (entry.shortened && entry.box.contains(pos))
                    return entry.name;
        }
        return QString();
    };

    auto *sumRow = new QHBoxLayout;
    sumRow->addWidget(captionLabel(tr("Сумма массовых долей (%) составляет:"), this));
    sumRow->addSpacing(60);
    sumRow->addWidget(m_sum);
    sumRow->addSpacing(40);
    sumRow->addWidget(m_costCaption);
    sumRow->addWidget(m_cost);
    sumRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 10);
    layout->addStretch(1);
    layout->addWidget(captionLabel(tr("3.1.Массовые доли (%) компонентов сырьевой смеси:"), this));
    layout->addWidget(m_frame);
    layout->addWidget(m_error);
    layout->addSpacing(12);
    layout->addLayout(sumRow);
    layout->addSpacing(12);
    layout->addWidget(captionLabel(tr("3.2.Диаграмма массовых долей исходного состава смеси:"), this));
    layout->addWidget(m_diagram, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    refresh(ProjectSession::AllChanged);
}

void BaseRecipePage::refresh(ProjectSession::Changes what)
{
    if (what & ProjectSession::DocumentChanged)
        m_table->refresh();
    const ValidationReport &v = m_session.validation();
    m_frame->setError(!v.baseRecipeValid);
    setLabelText(m_error, v.recipeMessage());
    const QString sum = m_session.baseRecipeSumText();
    if (m_sum->text() != sum)
        m_sum->setText(sum);
    // The cost shows while every component of the recipe has a price.
    const QString cost = m_session.baseCostText();
    if (m_cost->text() != cost)
        m_cost->setText(cost);
    m_cost->setVisible(!cost.isEmpty());
    m_costCaption->setVisible(!cost.isEmpty());
    if (what & (ProjectSession::DocumentChanged | ProjectSession::NumbersChanged | ProjectSession::ValidationChanged))
        m_diagram->markDirty();
}

QStringList BaseRecipePage::componentNames() const
{
    QStringList names;
    for (int i = 1; i <= m_session.componentCount(); ++i)
        names << m_session.document().componentName(i).text();
    return names;
}

void BaseRecipePage::entered()
{
    m_table->setCurrentCell(1, 0);
}
