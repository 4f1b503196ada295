#include "widgets/CorrectionPage.h"

#include "widgets/Controls.h"
#include "widgets/ElidedLabel.h"
#include "widgets/Desktop.h"
#include "widgets/GraphView.h"
#include "widgets/Pictures.h"

#include "charts/Graph.h"
#include "widgets/FrontView.h"

#include <QButtonGroup>
#include <QEvent>
#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

// A component's slider with its scale under the track, and the markers of the search's bounds.
class FractionSlider final : public QWidget
{
public:
    explicit FractionSlider(QWidget *parent)
        : QWidget(parent)
        , slider(new SteadySlider(Qt::Horizontal, this))
    {
        slider->setRange(SliderMin, SliderMax);
        slider->setPageStep(SliderLargeStep);
        slider->setSingleStep(SliderSmallStep);
        QFont small = font();
        small.setPixelSize(10);
        setFont(small);
        setMinimumWidth(110);
    }
    QSize sizeHint() const override { return QSize(140, slider->sizeHint().height() + fontMetrics().height()); }
    void setBounds(bool shown, float lower, float upper)
    {
        if (m_shown == shown && m_lower == lower && m_upper == upper)
            return;
        m_shown = shown;
        m_lower = lower;
        m_upper = upper;
        update();
    }
    // The x of a fraction (percent) on the track.
    int xOf(float percent) const { return slider->x() + slider->positionOf(int(std::lround(percent * 100.0f))); }
    SteadySlider *slider;

protected:
    void resizeEvent(QResizeEvent *) override { slider->setGeometry(0, 0, width(), slider->sizeHint().height()); }
    void paintEvent(QPaintEvent *) override
    {
        QPainter g(this);
        const int top = slider->height();
        g.setPen(palette().color(QPalette::WindowText));
        const QRect scale(0, top, width(), height() - top);
        // 0 and 100 stand under the ends of the track, kept inside the widget.
        const QString hundred = QStringLiteral("100");
        const int zeroWidth = fontMetrics().horizontalAdvance(u'0');
        const int hundredWidth = fontMetrics().horizontalAdvance(hundred);
        g.drawText(QPoint(std::max(0, xOf(0.0f) - zeroWidth / 2), scale.top() + fontMetrics().ascent()), QStringLiteral("0"));
        g.drawText(QPoint(std::min(width() - hundredWidth, xOf(100.0f) - hundredWidth / 2), scale.top() + fontMetrics().ascent()), hundred);
        if (!m_shown)
            return;
        const int y = top - 4;
        g.fillRect(QRect(xOf(m_lower) - 1, y, 3, 5), QColor(0, 0, 200));
        g.fillRect(QRect(xOf(m_upper) - 1, y, 3, 5), QColor(200, 0, 0));
    }

private:
    bool m_shown = false;
    float m_lower = 0;
    float m_upper = 100;
};

// The column of the controls: as wide as they need, scrolling down when the window is too low
// for them (the scroll bar then takes its width from the controls).
class ControlsScrollArea final : public QScrollArea
{
public:
    ControlsScrollArea(QWidget *content, QWidget *parent)
        : QScrollArea(parent)
    {
        setWidget(content);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        setObjectName(QStringLiteral("correctionScroll"));
        viewport()->setAutoFillBackground(false);
        content->setAutoFillBackground(false);
        content->installEventFilter(this);
    }
    // A control that needs more room (a longer name) widens the column.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }
    QSize sizeHint() const override
    {
        return widget()->sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        return QSize(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width(), 100);
    }
};

void CorrectionPage::buildLegend()
{
    // The envelope has its entry while the project has one.
    const bool envelope = m_legendEnvelope;
    m_legend->setPainter([this, envelope](QSize size, qreal ratio) { return Pictures::graphLegend(size, font(), ratio, envelope); });
    int widest = 0;
    for (const QString &name : Pictures::graphLegendNames(envelope))
        widest = std::max(widest, QFontMetrics(font()).horizontalAdvance(name));
    m_legend->setFixedSize(widest + 46, (envelope ? 5 : 4) * (fontMetrics().height() + 2));
}

CorrectionPage::CorrectionPage(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : StepPage(session, parent)
    , m_desktop(desktop)
{
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(2);
    rows->setColumnStretch(0, 3);
    rows->setColumnStretch(1, 2);
    for (int i = 1; i <= MaxComponents; ++i) {
        Row &r = m_rows[i];
        r.name = new ElidedLabel(this);
        r.name->setObjectName(QStringLiteral("componentName%1").arg(i));
        r.slider = new FractionSlider(this);
        r.slider->slider->setObjectName(QStringLiteral("slider%1").arg(i));
        r.minus = new QPushButton(QStringLiteral("-"), this);
        r.minus->setObjectName(QStringLiteral("minus%1").arg(i));
        r.plus = new QPushButton(QStringLiteral("+"), this);
        r.plus->setObjectName(QStringLiteral("plus%1").arg(i));
        for (QPushButton *b : {r.minus, r.plus})
            b->setFixedSize(22, 22);
        r.lock = new QCheckBox(this);
        r.lock->setObjectName(QStringLiteral("lock%1").arg(i));
        r.lock->setToolTip(tr("Закрепить долю компонента"));
        r.padlock = new PictureWidget([](QSize size, qreal ratio) { return Pictures::padlock(false, size, ratio); }, this);
        r.padlock->setObjectName(QStringLiteral("padlock%1").arg(i));
        r.padlock->setFixedSize(18, 24);
        r.fraction = new QLabel(this);
        r.fraction->setObjectName(QStringLiteral("fraction%1").arg(i));
        r.fraction->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100,00")) + 4);
        r.trial = new QLabel(this);
        r.trial->setObjectName(QStringLiteral("trial%1").arg(i));
        r.trial->setStyleSheet(QStringLiteral("color: #606060;"));
        r.trial->setMinimumWidth(r.fraction->minimumWidth());
        rows->addWidget(r.name, i - 1, 0);
        rows->addWidget(r.slider, i - 1, 1);
        rows->addWidget(r.minus, i - 1, 2);
        rows->addWidget(r.plus, i - 1, 3);
        rows->addWidget(r.lock, i - 1, 4);
        rows->addWidget(r.padlock, i - 1, 5);
        rows->addWidget(r.fraction, i - 1, 6);
        rows->addWidget(r.trial, i - 1, 7);
        connect(r.slider->slider, &QSlider::sliderMoved, this, [this, i](int v) { m_session.moveSlider(i, v, true); });
        // A click on the track or a key only changes the value (a drag has moved it already).
        connect(r.slider->slider, &QSlider::valueChanged, this, [this, i](int v) { m_session.moveSlider(i, v); });
        connect(r.minus, &QPushButton::clicked, this, [this, i] { m_session.stepSlider(i, -1); });
        connect(r.plus, &QPushButton::clicked, this, [this, i] { m_session.stepSlider(i, 1); });
        connect(r.lock, &QCheckBox::clicked, this, [this, i](bool on) { m_session.setLocked(i, on); });
    }

    m_reset = new QPushButton(tr("Исходный состав"), this);
    m_reset->setObjectName(QStringLiteral("resetToBase"));
    connect(m_reset, &QPushButton::clicked, this, [this] { m_session.resetToBase(); });
    m_sum = new QLineEdit(this);
    m_sum->setObjectName(QStringLiteral("correctedSum"));
    m_sum->setReadOnly(true);
    m_sum->setFixedWidth(70);
    m_search = new QCheckBox(tr("5.2.Автоматический подбор массовых долей"), this);
    m_search->setObjectName(QStringLiteral("search"));
    connect(m_search, &QCheckBox::clicked, this, [this](bool on) { m_session.setSearchOn(on); });
    m_boundsOn = new QCheckBox(tr("Добавить границы случайного варьирования\nмассовых долей"), this);
    m_boundsOn->setObjectName(QStringLiteral("boundsOn"));
    connect(m_boundsOn, &QCheckBox::clicked, this, [this](bool on) { m_session.setBoundsOn(on); });
    m_boundsButton = new QPushButton(tr("Настроить"), this);
    m_boundsButton->setObjectName(QStringLiteral("boundsButton"));
    connect(m_boundsButton, &QPushButton::clicked, this, &CorrectionPage::boundsRequested);
    m_cost = new QLabel(this);
    m_cost->setObjectName(QStringLiteral("correctedCost"));
    m_departures = errorLabel(this);
    m_departures->setObjectName(QStringLiteral("correctedDepartures"));

    // The optimiser: its aim and its constraints.
    m_objectiveDivergence = new QRadioButton(tr("наименьшее расхождение"), this);
    m_objectiveDivergence->setObjectName(QStringLiteral("objectiveDivergence"));
    m_objectiveCost = new QRadioButton(tr("наименьшая стоимость"), this);
    m_objectiveCost->setObjectName(QStringLiteral("objectiveCost"));
    m_objectiveCost->setToolTip(tr("Нужна цена каждого компонента (шаг 1)"));
    auto *objectives = new QButtonGroup(this);
    objectives->addButton(m_objectiveDivergence);
    objectives->addButton(m_objectiveCost);
    connect(m_objectiveDivergence, &QRadioButton::clicked, this, [this] { m_session.setObjective(Objective::Divergence); });
    connect(m_objectiveCost, &QRadioButton::clicked, this, [this] { m_session.setObjective(Objective::Cost); });
    m_divergenceCap = new QCheckBox(tr("расхождение не более"), this);
    m_divergenceCap->setObjectName(QStringLiteral("divergenceCap"));
    connect(m_divergenceCap, &QCheckBox::clicked, this, [this](bool on) { m_session.setDivergenceCapOn(on); });
    m_maxDivergence = new QLineEdit(this);
    m_maxDivergence->setObjectName(QStringLiteral("maxDivergence"));
    m_maxDivergence->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}([.,][0-9]{0,4})?")), m_maxDivergence));
    m_maxDivergence->setFixedWidth(m_maxDivergence->fontMetrics().horizontalAdvance(QStringLiteral("100,0000")) + 12);
    connect(m_maxDivergence, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_session.setMaxDivergenceText(QString(text).replace(u'.', u','));
    });
    m_componentCap = new QCheckBox(tr("компонентов в составе не более"), this);
    m_componentCap->setObjectName(QStringLiteral("componentCap"));
    connect(m_componentCap, &QCheckBox::clicked, this, [this](bool on) { m_session.setComponentCapOn(on); });
    m_maxComponents = new ChoiceBox(this);
    m_maxComponents->setObjectName(QStringLiteral("maxComponents"));
    connect(m_maxComponents, &QComboBox::activated, this, [this](int index) { m_session.setMaxComponents(index + 1); });
    m_withinEnvelope = new QCheckBox(tr("в пределах границ зернового состава (шаг 4)"), this);
    m_withinEnvelope->setObjectName(QStringLiteral("withinEnvelope"));
    connect(m_withinEnvelope, &QCheckBox::clicked, this, [this](bool on) { m_session.setWithinEnvelope(on); });

    m_optimum = new QPushButton(tr("Найти оптимальный состав"), this);
    m_optimum->setObjectName(QStringLiteral("optimumButton"));
    connect(m_optimum, &QPushButton::clicked, this, [this] {
        const OptimumResult r = m_session.findBestRecipe();
        if (!r.feasible)
            m_desktop.inform(this, tr("Оптимальный состав"), r.message);
    });
    m_frontButton = new QPushButton(tr("Построить фронт"), this);
    m_frontButton->setObjectName(QStringLiteral("frontButton"));
    m_frontButton->setToolTip(tr("Самые дешевые составы при расхождениях от наименьшего возможного до расхождения "
                                             "самого дешевого состава; щелчок по точке принимает ее состав"));
    connect(m_frontButton, &QPushButton::clicked, this, [this] {
        const CostFront front = m_session.findCostFront();
        if (!front.feasible)
            m_desktop.inform(this, tr("Фронт «стоимость – расхождение»"), front.message);
    });
    m_optimumNote = new QLabel(this);
    m_optimumNote->setObjectName(QStringLiteral("optimumNote"));
    m_optimumNote->setStyleSheet(QStringLiteral("color: #006000;"));
    m_optimumNote->setWordWrap(true);
    m_optimumDetails = new QLabel(this);
    m_optimumDetails->setObjectName(QStringLiteral("optimumDetails"));
    m_optimumDetails->setStyleSheet(QStringLiteral("color: #006000;"));
    m_optimumDetails->setWordWrap(true);
    m_front = new FrontView(session, this);
    m_front->setFixedHeight(150);
    m_front->setMinimumWidth(300);

    m_graph = new GraphView(session, this);
    m_graph->setMinimumSize(360, 300);
    m_graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_logarithmic = new QCheckBox(tr("Логарифмический масштаб оси абсцисс"), this);
    m_logarithmic->setObjectName(QStringLiteral("logarithmic"));
    m_grid = new QCheckBox(tr("Координатная сетка"), this);
    m_grid->setObjectName(QStringLiteral("grid"));
    auto options = [this] { m_session.setGraphOptions({m_logarithmic->isChecked(), m_grid->isChecked()}); };
    connect(m_logarithmic, &QCheckBox::clicked, this, options);
    connect(m_grid, &QCheckBox::clicked, this, options);
    m_legend = new PictureWidget({}, this);
    m_legend->setObjectName(QStringLiteral("graphLegend"));
    buildLegend();

    auto *resetRow = new QHBoxLayout;
    resetRow->addWidget(m_reset);
    resetRow->addSpacing(12);
    resetRow->addWidget(new QLabel(tr("Сумма (%):"), this));
    resetRow->addWidget(m_sum);
    resetRow->addStretch(1);
    auto *boundsRow = new QHBoxLayout;
    boundsRow->addWidget(m_boundsOn);
    boundsRow->addStretch(1);
    boundsRow->addWidget(m_boundsButton);
    auto *constraints = new QGridLayout;
    constraints->setHorizontalSpacing(6);
    constraints->setVerticalSpacing(2);
    constraints->addWidget(new QLabel(tr("Цель:"), this), 0, 0);
    constraints->addWidget(m_objectiveDivergence, 0, 1);
    constraints->addWidget(m_objectiveCost, 0, 2, 1, 2);
    constraints->addWidget(new QLabel(tr("Условия:"), this), 1, 0);
    auto *capRow = new QHBoxLayout;
    capRow->addWidget(m_divergenceCap);
    capRow->addWidget(m_maxDivergence);
    capRow->addWidget(new QLabel(QStringLiteral("%"), this));
    capRow->addStretch(1);
    constraints->addLayout(capRow, 1, 1, 1, 3);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_componentCap);
    countRow->addWidget(m_maxComponents);
    countRow->addStretch(1);
    constraints->addLayout(countRow, 2, 1, 1, 3);
    constraints->addWidget(m_withinEnvelope, 3, 1, 1, 3);
    constraints->setColumnStretch(3, 1);
    auto *optimumRow = new QHBoxLayout;
    optimumRow->addWidget(m_optimum);
    optimumRow->addWidget(m_frontButton);
    optimumRow->addStretch(1);

    auto *column = new QWidget;
    column->setObjectName(QStringLiteral("correctionControls"));
    auto *left = new QVBoxLayout(column);
    left->setContentsMargins(0, 0, 6, 0);
    left->addWidget(captionLabel(tr("5.1.Ручной подбор массовых долей:"), this));
    left->addLayout(rows);
    left->addSpacing(6);
    left->addLayout(resetRow);
    left->addWidget(m_cost);
    left->addWidget(m_departures);
    left->addSpacing(8);
    left->addWidget(m_search);
    left->addSpacing(4);
    left->addLayout(boundsRow);
    left->addSpacing(8);
    left->addLayout(constraints);
    left->addSpacing(4);
    left->addLayout(optimumRow);
    left->addWidget(m_optimumNote);
    left->addWidget(m_optimumDetails);
    left->addSpacing(4);
    left->addWidget(m_front);
    left->addStretch(1);
    // Texts that wrap take the width the controls leave them, never widen the column.
    for (QLabel *wrapping : {m_departures, m_optimumNote, m_optimumDetails, m_cost})
        wrapping->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *scroll = new ControlsScrollArea(column, this);

    auto *graphOptions = new QVBoxLayout;
    graphOptions->setSpacing(2);
    graphOptions->addWidget(m_logarithmic, 0, Qt::AlignTop);
    graphOptions->addWidget(m_grid, 0, Qt::AlignTop);
    graphOptions->addStretch(1);
    auto *underGraph = new QHBoxLayout;
    underGraph->addLayout(graphOptions);
    underGraph->addStretch(1);
    underGraph->addWidget(m_legend, 0, Qt::AlignTop);
    auto *right = new QVBoxLayout;
    right->addWidget(captionLabel(tr("5.3.Гранулометрический график:"), this));
    right->addWidget(m_graph, 1);
    right->addLayout(underGraph);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 6);
    layout->setSpacing(16);
    // The controls take what they need; the graph grows with the window.
    layout->addWidget(scroll, 0);
    layout->addLayout(right, 1);

    // The search runs in slices of a few milliseconds, one per turn of the event loop, while it
    // is on; the window stays responsive meanwhile.
    m_searchTimer = new QTimer(this);
    m_searchTimer->setInterval(0);
    connect(m_searchTimer, &QTimer::timeout, this, &CorrectionPage::runSearchSlice);
    refresh(ProjectSession::AllChanged);
}

void CorrectionPage::runSearchSlice()
{
    if (!m_session.correction().searchOn) {
        m_searchTimer->stop();
        return;
    }
    m_session.searchRandom().mix(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    QElapsedTimer clock;
    clock.start();
    do {
        m_session.runSearch(256);
    } while (clock.elapsed() < 8 && m_session.correction().searchOn);
}

void CorrectionPage::setRowVisible(Row &r, bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{r.name, r.slider, r.minus, r.plus, r.lock, r.padlock, r.fraction, r.trial})
        w->setVisible(visible);
}

void CorrectionPage::refresh(ProjectSession::Changes what)
{
    const ProjectSession &s = m_session;
    const CorrectionState &c = s.correction();
    const int n = s.componentCount();
    for (int i = 1; i <= MaxComponents; ++i) {
        Row &r = m_rows[i];
        if (i > n) {
            setRowVisible(r, false);
            continue;
        }
        setRowVisible(r, true);
        r.name->setFullText(componentLabel(m_session.document(), i));
        if (r.slider->slider->value() != c.slider[size_t(i)] && !r.slider->slider->isSliderDown()) {
            const QSignalBlocker block(r.slider->slider);
            r.slider->slider->setValue(c.slider[size_t(i)]);
        }
        r.slider->slider->setEnabled(s.sliderEnabled(i));
        r.slider->setBounds(c.boundsOn, c.variationMin[i], c.variationMax[i]);
        r.minus->setEnabled(s.sliderEnabled(i));
        r.plus->setEnabled(s.sliderEnabled(i));
        r.lock->setEnabled(s.componentControlsEnabled(i));
        r.lock->setChecked(c.locked[size_t(i)]);
        if (r.locked != c.locked[size_t(i)] || (what & ProjectSession::AllChanged) == ProjectSession::AllChanged) {
            r.locked = c.locked[size_t(i)];
            const bool closed = r.locked;
            r.padlock->setPainter([closed](QSize size, qreal ratio) { return Pictures::padlock(closed, size, ratio); });
        }
        setLabelText(r.fraction, s.correctedText(i));
        setLabelText(r.trial, s.trialText(i));
    }
    const QString sum = s.correctedSumText();
    if (m_sum->text() != sum)
        m_sum->setText(sum);
    m_reset->setEnabled(s.resetEnabled());
    m_search->setEnabled(s.searchEnabled());
    m_search->setChecked(c.searchOn);
    m_boundsOn->setEnabled(s.boundsEnabled());
    m_boundsOn->setChecked(c.boundsOn);
    m_boundsButton->setEnabled(s.boundsButtonEnabled());
    const QString cost = s.correctedCostText();
    const QString baseCost = s.baseCostText();
    setLabelText(m_cost, cost.isEmpty() ? QString()
                                        : tr("Стоимость 1 т смеси (руб.): ") + cost
                                              + (baseCost.isEmpty() || baseCost == cost ? QString()
                                                                                        : tr(" (исходного состава: %1)").arg(baseCost)));
    m_cost->setVisible(!cost.isEmpty());
    const QString departures = s.envelopeDepartureLine(true);
    setLabelText(m_departures, departures);
    m_departures->setVisible(!departures.isEmpty());

    const OptimiserSettings &o = s.optimiserSettings();
    m_objectiveDivergence->setChecked(o.objective == Objective::Divergence);
    m_objectiveCost->setChecked(o.objective == Objective::Cost);
    m_objectiveCost->setEnabled(s.costObjectiveEnabled() || o.objective == Objective::Cost);
    m_divergenceCap->setChecked(o.divergenceCapOn);
    if (m_maxDivergence->text() != o.maxDivergenceText)
        m_maxDivergence->setText(o.maxDivergenceText);
    m_maxDivergence->setEnabled(o.divergenceCapOn);
    m_componentCap->setChecked(o.componentCapOn);
    if (m_maxComponents->count() != n) {
        const QSignalBlocker block(m_maxComponents);
        m_maxComponents->clear();
        for (int k = 1; k <= n; ++k)
            m_maxComponents->addItem(QString::number(k));
    }
    const int shownCap = std::clamp(o.maxComponents, 1, std::max(1, n));
    if (m_maxComponents->currentIndex() != shownCap - 1)
        m_maxComponents->setCurrentIndex(shownCap - 1);
    m_maxComponents->setEnabled(o.componentCapOn);
    m_withinEnvelope->setChecked(o.withinEnvelope && s.envelopeConstraintEnabled());
    m_withinEnvelope->setEnabled(s.envelopeConstraintEnabled());
    m_optimum->setEnabled(s.optimumEnabled());
    m_frontButton->setEnabled(s.frontEnabled());
    setLabelText(m_optimumNote, s.optimumNote());
    setLabelText(m_optimumDetails, s.optimumDetails());
    m_optimumNote->setVisible(!s.optimumNote().isEmpty());
    m_optimumDetails->setVisible(!s.optimumDetails().isEmpty());
    if (what & (ProjectSession::OptimumChanged | ProjectSession::NumbersChanged))
        m_front->markDirty();
    if (m_legendEnvelope != s.document().hasEnvelope()) {
        m_legendEnvelope = s.document().hasEnvelope();
        buildLegend();
    }
    m_logarithmic->setChecked(s.graphOptions().logarithmic);
    m_grid->setChecked(s.graphOptions().grid);
    if (what & (ProjectSession::NumbersChanged | ProjectSession::ValidationChanged | ProjectSession::OptionsChanged
                | ProjectSession::DocumentChanged))
        m_graph->refresh();
    if (c.searchOn && !m_searchTimer->isActive())
        m_searchTimer->start();
    if (!c.searchOn)
        m_searchTimer->stop();
}
