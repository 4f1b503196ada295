#include "widgets/ReferencePage.h"

#include "widgets/Controls.h"
#include "widgets/InputTableView.h"
#include "widgets/Pictures.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void showText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

void showText(QComboBox *box, const QString &text)
{
    if (box->currentText() != text)
        box->setEditText(text);
}

} // namespace

ReferencePage::ReferencePage(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : StepPage(session, parent)
{
    const QString captions[6] = {QString(),
                                 tr("Уравнение Функа-Дингера"),
                                 tr("Уравнение Фуллера"),
                                 tr("Уравнение Гуммеля"),
                                 tr("Уравнение Боломея"),
                                 tr("Ввод эталонного зернового состава вручную")};
    auto *group = new QButtonGroup(this);
    for (int k = 1; k <= 5; ++k) {
        m_kinds[k] = new QRadioButton(captions[k], this);
        m_kinds[k]->setObjectName(QStringLiteral("reference%1").arg(k));
        group->addButton(m_kinds[k]);
        connect(m_kinds[k], &QRadioButton::clicked, this, [this, k] { m_session.setReferenceKind(ReferenceKind(k)); });
    }
    auto coefficientBox = [this](Coefficient c, const QStringList &items, const QString &name) {
        auto *box = new CoefficientBox(this);
        box->setObjectName(name);
        box->addItems(items);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0,000")) + 44);
        connect(box, &QComboBox::currentTextChanged, this, [this, c](const QString &text) { m_session.setCoefficientText(c, text); });
        return box;
    };
    auto coefficientEdit = [this](Coefficient c, const QString &name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0,0000")) + 16);
        connect(edit, &QLineEdit::textEdited, this, [this, c](const QString &text) { m_session.setCoefficientText(c, text); });
        return edit;
    };
    m_funkN = coefficientBox(Coefficient::FunkDingerN, {QStringLiteral("0,5"), QStringLiteral("0,37")}, QStringLiteral("funkDingerN"));
    m_funkA = coefficientEdit(Coefficient::FunkDingerA, QStringLiteral("funkDingerA"));
    m_fullerN = coefficientBox(Coefficient::FullerN, {QStringLiteral("0,5"), QStringLiteral("0,37")}, QStringLiteral("fullerN"));
    m_hummelM = coefficientEdit(Coefficient::HummelM, QStringLiteral("hummelM"));
    m_bolomeyB = coefficientBox(Coefficient::BolomeyB, {QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14")},
                                QStringLiteral("bolomeyB"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setColumnStretch(5, 1);
    for (int k = 1; k <= 4; ++k) {
        auto *formula = new PictureWidget([k](QSize size, qreal ratio) { return Pictures::formula(ReferenceKind(k), size, ratio); }, this);
        formula->setObjectName(QStringLiteral("formula%1").arg(k));
        formula->setFixedSize(300, 30);
        grid->addWidget(m_kinds[k], k - 1, 0);
        grid->addWidget(formula, k - 1, 1);
    }
    grid->addWidget(m_kinds[5], 4, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("n ="), this), 0, 2);
    grid->addWidget(m_funkN, 0, 3);
    auto *aRow = new QHBoxLayout;
    aRow->setSpacing(6);
    aRow->addSpacing(6);
    aRow->addWidget(new QLabel(QStringLiteral("a ="), this));
    aRow->addWidget(m_funkA);
    grid->addLayout(aRow, 0, 4, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("n ="), this), 1, 2);
    grid->addWidget(m_fullerN, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("m ="), this), 2, 2);
    grid->addWidget(m_hummelM, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("B ="), this), 3, 2);
    grid->addWidget(m_bolomeyB, 3, 3);

    const QString explanations = tr("D max/min - наибольший/наименьший размер зерна в смеси (или верхнее/нижнее условные сита);\n"
                                    "n - коэффициент распределения, равный 0,5 (по Фуллеру)\n"
                                    "или 0,37 (пространственное распределение по Андреасену);\n"
                                    "а - коэффициент формы частиц, изменяющийся от 0 до 0,2.\n"
                                    "A'j - полный проход частиц через условное сито с размером ячейки Dj (%);\n"
                                    "m - эмпирический коэффициент, изменяющийся от 0,1 до 1;\n"
                                    "B - коэффициент, равный 10 для малопластичных щебеночных смесей, 12 - для пластичных смесей\n"
                                    "с гравием и 14 - для пластичных смесей со щебнем.");
    auto *explain = new QLabel(explanations, this);
    explain->setContentsMargins(6, 0, 0, 0);

    m_table = new InputTableView(session, InputTable::Reference, desktop, this);
    m_error = errorLabel(this);
    m_error->setObjectName(QStringLiteral("referenceError"));
    m_envelope = new InputTableView(session, InputTable::Envelope, desktop, this);
    m_envelope->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_envelope->alignColumnsWith(m_table);
    m_envelopeFrame = new ErrorFrame(m_envelope, this);
    m_envelopeErrors = errorLabel(this);
    m_envelopeErrors->setObjectName(QStringLiteral("envelopeErrors"));
    m_departures = errorLabel(this);
    m_departures->setObjectName(QStringLiteral("envelopeDepartures"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 10);
    layout->addStretch(1);
    layout->addWidget(captionLabel(tr("4.1.Эталонная функция распределения частиц по размерам:"), this));
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addWidget(explain);
    layout->addSpacing(6);
    // The reference table stands in a frame like the envelope's, so that their columns line up.
    layout->addWidget(new ErrorFrame(m_table, this));
    layout->addWidget(m_error);
    layout->addSpacing(8);
    layout->addWidget(captionLabel(tr("4.2.Границы зернового состава (необязательно; пустая клетка — без границы):"), this));
    layout->addWidget(m_envelopeFrame);
    layout->addWidget(m_envelopeErrors);
    layout->addWidget(m_departures);
    layout->addSpacing(10);
    layout->addWidget(wrappedLabel(tr("Ввод эталонного зернового состава вручную осуществляется с целью сравнения "
                                      "проектируемого состава сырьевой смеси с другим существующим (более "
                                      "оптимальным) составом."),
                                   this));
    layout->addStretch(1);
    refresh(ProjectSession::AllChanged);
}

void ReferencePage::refresh(ProjectSession::Changes what)
{
    const ProjectDocument &d = m_session.document();
    if (what & ProjectSession::DocumentChanged) {
        for (int k = 1; k <= 5; ++k)
            if (m_kinds[k]->isChecked() != (int(d.referenceKind) == k))
                m_kinds[k]->setChecked(int(d.referenceKind) == k);
        showText(m_funkN, d.coefficient(Coefficient::FunkDingerN).text());
        showText(m_funkA, d.coefficient(Coefficient::FunkDingerA).text());
        showText(m_fullerN, d.coefficient(Coefficient::FullerN).text());
        showText(m_hummelM, d.coefficient(Coefficient::HummelM).text());
        showText(m_bolomeyB, d.coefficient(Coefficient::BolomeyB).text());
    }
    if (what & (ProjectSession::DocumentChanged | ProjectSession::NumbersChanged)) {
        m_table->refresh();
        m_envelope->refresh();
    }
    const ValidationReport &v = m_session.validation();
    setLabelText(m_error, v.referenceMessage());
    m_envelopeFrame->setError(!v.envelopeValid());
    setLabelText(m_envelopeErrors, v.envelopeErrorLines.join(u'\n'));
    m_envelopeErrors->setVisible(!v.envelopeErrorLines.isEmpty());
    QStringList departures;
    for (const bool corrected : {false, true})
        if (const QString line = m_session.envelopeDepartureLine(corrected); !line.isEmpty())
            departures << line;
    setLabelText(m_departures, departures.join(u'\n'));
    m_departures->setVisible(!departures.isEmpty());
}

void ReferencePage::entered()
{
    m_table->setCurrentCell(1, 0);
}
