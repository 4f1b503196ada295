#include "widgets/CompositionsPage.h"

#include "widgets/Controls.h"
#include "widgets/Desktop.h"
#include "widgets/InputTableView.h"
#include "widgets/Pictures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *iconButton(Pictures::TableAction action, const QString &tip, const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setIcon(drawnIcon([action](QSize size, qreal ratio) { return Pictures::tableAction(action, size, ratio); }));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(tip);
    b->setObjectName(name);
    return b;
}

} // namespace

CompositionsPage::CompositionsPage(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : StepPage(session, parent)
    , m_desktop(desktop)
{
    m_integral = new QRadioButton(tr("Интегральное распределение частиц по размерам"), this);
    m_integral->setObjectName(QStringLiteral("integralForm"));
    m_differential = new QRadioButton(tr("Дифференциальное распределение частиц по размерам"), this);
    m_differential->setObjectName(QStringLiteral("differentialForm"));
    auto *forms = new QButtonGroup(this);
    forms->addButton(m_integral);
    forms->addButton(m_differential);
    connect(m_integral, &QRadioButton::clicked, this, [this] { m_session.setDataForm(GrainDataForm::Integral); });
    connect(m_differential, &QRadioButton::clicked, this, [this] { m_session.setDataForm(GrainDataForm::Differential); });

    m_classCount = new QLineEdit(this);
    m_classCount->setObjectName(QStringLiteral("classCount"));
    m_classCount->setFixedWidth(m_classCount->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    connect(m_classCount, &QLineEdit::textEdited, this, [this](const QString &text) { m_session.setClassCountText(text); });
    auto *more = new QPushButton(QStringLiteral("+"), this);
    more->setObjectName(QStringLiteral("moreClasses"));
    auto *fewer = new QPushButton(QStringLiteral("-"), this);
    fewer->setObjectName(QStringLiteral("fewerClasses"));
    for (QPushButton *b : {more, fewer})
        b->setFixedSize(26, 26);
    connect(more, &QPushButton::clicked, this, [this] { m_session.increaseClassCount(); });
    connect(fewer, &QPushButton::clicked, this, [this] { m_session.decreaseClassCount(); });

    m_table = new InputTableView(session, InputTable::Compositions, desktop, this);
    m_frame = new ErrorFrame(m_table, this);
    m_showErrors = new QCheckBox(tr("Посмотреть сообщение об ошибках"), this);
    m_showErrors->setObjectName(QStringLiteral("showErrors"));
    connect(m_showErrors, &QCheckBox::clicked, this, [this](bool on) { m_session.showErrorList(on); });
    m_copy = iconButton(Pictures::TableAction::Copy, tr("Копировать содержимое таблицы в буфер"), QStringLiteral("copyTable"), this);
    m_paste = iconButton(Pictures::TableAction::Paste, tr("Вставить данные из буфера"), QStringLiteral("pasteTable"), this);
    m_clear = iconButton(Pictures::TableAction::Clear, tr("Очистить таблицу"), QStringLiteral("clearTable"), this);
    connect(m_copy, &QToolButton::clicked, m_table, &InputTableView::copyToClipboard);
    connect(m_paste, &QToolButton::clicked, m_table, &InputTableView::pasteFromClipboard);
    connect(m_clear, &QToolButton::clicked, this, [this] {
        if (m_desktop.askYesNo(this, tr("Подтверждение очистки таблицы"),
                               tr("Вы уверены, что хотите очистить таблицу?")))
            m_session.clearGrainTable();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CompositionsPage::updatePasteButton);

    // The list of errors lies over the table while it is asked for.
    m_errorPanel = new QFrame(this);
    m_errorPanel->setObjectName(QStringLiteral("errorPanel"));
    m_errorPanel->setFrameShape(QFrame::Box);
    m_errorPanel->setStyleSheet(QStringLiteral("#errorPanel { background: rgb(255, 255, 225); }"));
    auto *heading = new QLabel(tr("При заполнении таблицы допущены следующие ошибки:"), m_errorPanel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    m_errorLines = new QLabel(m_errorPanel);
    m_errorLines->setObjectName(QStringLiteral("errorLines"));
    m_errorLines->setWordWrap(true);
    m_errorLines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_errorLines->setStyleSheet(QStringLiteral("color: #c00000;"));
    auto *panelLayout = new QVBoxLayout(m_errorPanel);
    panelLayout->addWidget(heading);
    panelLayout->addWidget(m_errorLines, 1);
    auto *tableArea = new QWidget(this);
    auto *stack = new QStackedLayout(tableArea);
    stack->setStackingMode(QStackedLayout::StackAll);
    auto *panelHolder = new QWidget(tableArea);
    auto *holderLayout = new QVBoxLayout(panelHolder);
    holderLayout->setContentsMargins(8, 8, 8, 8);
    holderLayout->addWidget(m_errorPanel);
    panelHolder->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    stack->addWidget(m_frame);
    stack->addWidget(panelHolder);
    stack->setCurrentWidget(panelHolder);
    m_errorPanel->hide();
    panelHolder->setVisible(false);
    connect(m_showErrors, &QCheckBox::toggled, panelHolder, &QWidget::setVisible);

    auto *formLayout = new QGridLayout;
    formLayout->setColumnMinimumWidth(0, 20);
    formLayout->addWidget(m_integral, 0, 1, Qt::AlignHCenter);
    formLayout->addWidget(wrappedLabel(tr("задается процентное содержание частиц Aji, размер которых меньше текущего Dj "
                                          "(«полный проход» частиц компонента i через условное сито j)."),
                                       this),
                          1, 1);
    formLayout->addWidget(m_differential, 2, 1, Qt::AlignHCenter);
    formLayout->addWidget(wrappedLabel(tr("задается процентное содержание частиц Qji текущего размера Dj "
                                          "(«частный остаток» частиц компонента i на условном сите j)."),
                                       this),
                          3, 1);
    formLayout->setRowMinimumHeight(2, 34);

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(captionLabel(tr("2.2.Количество типоразмеров частиц:"), this));
    countRow->addSpacing(60);
    countRow->addWidget(m_classCount);
    countRow->addWidget(more);
    countRow->addWidget(fewer);
    countRow->addStretch(1);

    auto *tableRow = new QHBoxLayout;
    tableRow->addWidget(captionLabel(tr("2.3.Зерновые составы компонентов:"), this));
    tableRow->addStretch(1);
    tableRow->addWidget(m_showErrors);
    tableRow->addSpacing(30);
    tableRow->addWidget(m_copy);
    tableRow->addWidget(m_paste);
    tableRow->addWidget(m_clear);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 10);
    layout->addWidget(captionLabel(tr("2.1.Форма представления данных:"), this));
    layout->addLayout(formLayout);
    layout->addSpacing(10);
    layout->addLayout(countRow);
    layout->addSpacing(6);
    layout->addLayout(tableRow);
    layout->addWidget(tableArea, 1);
    layout->addWidget(hintLabel(tr("* размеры частиц Dj вводятся в порядке убывания сверху вниз. Значения Dj должны иметь "
                                   "одинаковую размерность (мм, мкм, нм и т.д.) для всех компонентов. Минимальное значение "
                                   "размера частиц составляет 0,0001."),
                                this));
    updatePasteButton();
    refresh(ProjectSession::AllChanged);
}

void CompositionsPage::updatePasteButton()
{
    m_paste->setEnabled(!m_desktop.clipboardText().isEmpty());
}

void CompositionsPage::refresh(ProjectSession::Changes what)
{
    const ProjectDocument &d = m_session.document();
    if (what & ProjectSession::DocumentChanged) {
        m_integral->setChecked(d.dataForm == GrainDataForm::Integral);
        m_differential->setChecked(d.dataForm == GrainDataForm::Differential);
        if (m_classCount->text() != d.classCountText)
            m_classCount->setText(d.classCountText);
        m_table->refresh();
    }
    const ValidationReport &v = m_session.validation();
    m_frame->setError(!v.grainTableValid);
    m_showErrors->setEnabled(!v.grainTableValid);
    const bool shown = m_session.errorListShown() && !v.grainTableValid;
    if (m_showErrors->isChecked() != shown)
        m_showErrors->setChecked(shown);
    m_errorPanel->setVisible(shown);
    setLabelText(m_errorLines, v.errorLines().join(u'\n'));
}

void CompositionsPage::entered()
{
    m_table->setCurrentCell(1, 0);
}
