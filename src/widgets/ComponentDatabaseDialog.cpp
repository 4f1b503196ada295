#include "widgets/ComponentDatabaseDialog.h"

#include "session/ProjectSession.h"
#include "widgets/ChartView.h"
#include "widgets/Controls.h"
#include "widgets/Desktop.h"
#include "widgets/FileDialogs.h"
#include "widgets/FileDrop.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString attention()
{
    return ComponentDatabaseDialog::tr("Внимание!");
}

void setMarked(QWidget *frame, bool marked)
{
    const bool was = frame->property("marked").toBool();
    if (was == marked && frame->property("markedSet").toBool())
        return;
    frame->setProperty("marked", marked);
    frame->setProperty("markedSet", true);
    frame->setStyleSheet(marked ? QStringLiteral("#%1 { border: 2px solid rgb(220, 0, 0); }").arg(frame->objectName())
                                : QStringLiteral("#%1 { border: 2px solid transparent; }").arg(frame->objectName()));
}

QWidget *framed(QWidget *inner, const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    auto *layout = new QHBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(inner);
    setMarked(frame, false);
    return frame;
}

} // namespace

ComponentDatabaseDialog::ComponentDatabaseDialog(ProjectSession &session, Desktop &desktop, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_desktop(desktop)
{
    setWindowTitle(tr("Загрузка данных о компонентах"));
    setObjectName(QStringLiteral("databaseDialog"));
    setModal(false);
    resize(1150, 720);
    chooseWorkbookPath = [this] {
        QString path;
        ShowOpenDialog(this, path, QStringLiteral("*.xlsx"), tr("Файл Excel (*.xlsx)"), tr("Открытие файла"));
        return path;
    };

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(tr("Файл базы данных компонентов:"), this));
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("databaseFile"));
    m_file->setReadOnly(true);
    fileRow->addWidget(m_file, 1);
    auto *choose = new QPushButton(tr("Выбрать"), this);
    choose->setObjectName(QStringLiteral("chooseWorkbook"));
    connect(choose, &QPushButton::clicked, this, &ComponentDatabaseDialog::chooseWorkbook);
    fileRow->addWidget(choose);

    auto *components = new QGroupBox(tr("Выберите компоненты из базы данных:"), this);
    auto *rows = new QGridLayout(components);
    rows->addWidget(new QLabel(tr("Количество участвующих компонентов:"), components), 0, 0, 1, 3);
    m_count = new ChoiceBox(components);
    m_count->setObjectName(QStringLiteral("databaseCount"));
    for (int i = 1; i <= MaxComponents; ++i)
        m_count->addItem(QString::number(i));
    rows->addWidget(m_count, 0, 3);
    connect(m_count, &QComboBox::activated, this, [this](int index) {
        m_selection.setParticipating(index + 1);
        showRows();
        refreshPreview();
    });
    rows->addWidget(new QLabel(tr("Название компонента:"), components), 1, 1);
    rows->addWidget(new QLabel(tr("Плотность зерен [г/см3]:"), components), 1, 2, 1, 2);
    for (int i = 1; i <= MaxComponents; ++i) {
        auto *number = new QLabel(QStringLiteral("%1:").arg(i), components);
        m_component[i] = new QComboBox(components);
        m_component[i]->setObjectName(QStringLiteral("databaseComponent%1").arg(i));
        m_component[i]->addItem(QString()); // "none chosen", before any workbook too
        m_component[i]->setMinimumWidth(260);
        m_density[i] = new QLineEdit(components);
        m_density[i]->setObjectName(QStringLiteral("databaseDensity%1").arg(i));
        m_density[i]->setMaximumWidth(80);
        m_table[i] = new QPushButton(tr("табл"), components);
        m_table[i]->setObjectName(QStringLiteral("densityTableButton%1").arg(i));
        m_table[i]->setMaximumWidth(50);
        m_shown[i] = new QCheckBox(components);
        m_shown[i]->setObjectName(QStringLiteral("shownInPreview%1").arg(i));
        m_shown[i]->setChecked(true);
        m_shown[i]->setToolTip(tr("Показать в таблице и на графике"));
        m_componentFrame[i] = framed(m_component[i], QStringLiteral("componentFrame%1").arg(i), components);
        m_densityFrame[i] = framed(m_density[i], QStringLiteral("densityFrame%1").arg(i), components);
        m_rowWidgets[i][0] = number;
        m_rowWidgets[i][1] = m_table[i];
        m_rowWidgets[i][2] = m_shown[i];
        rows->addWidget(number, i + 1, 0);
        rows->addWidget(m_componentFrame[i], i + 1, 1);
        rows->addWidget(m_densityFrame[i], i + 1, 2);
        rows->addWidget(m_table[i], i + 1, 3);
        rows->addWidget(m_shown[i], i + 1, 4);
        connect(m_component[i], &QComboBox::activated, this, [this, i](int index) {
            const auto duplicate = m_selection.chooseComponent(i, index);
            showRows();
            refreshPreview();
            if (duplicate)
                m_desktop.inform(this, attention(), *duplicate);
        });
        connect(m_density[i], &QLineEdit::textEdited, this, [this, i](const QString &text) {
            m_selection.setDensity(i, text);
            showRows();
        });
        connect(m_table[i], &QPushButton::clicked, this, [this, i] { showDensityTable(i); });
        connect(m_shown[i], &QCheckBox::clicked, this, [this, i](bool on) {
            m_selection.setShown(i, on);
            refreshPreview();
        });
    }
    rows->setRowStretch(MaxComponents + 2, 1);

    auto *previewBox = new QGroupBox(tr("Исходный зерновой состав компонентов:"), this);
    auto *preview = new QVBoxLayout(previewBox);
    auto *formRow = new QHBoxLayout;
    formRow->addWidget(new QLabel(tr("Форма представления данных:"), previewBox));
    m_form = new ChoiceBox(previewBox);
    m_form->setObjectName(QStringLiteral("previewForm"));
    m_form->addItems(ComponentSelection::formNames());
    formRow->addWidget(m_form);
    m_logarithmic = new QCheckBox(tr("Логарифмический масштаб апертур"), previewBox);
    m_legend = new QCheckBox(tr("Отобразить легенду графика"), previewBox);
    m_logarithmic->setObjectName(QStringLiteral("previewLogarithmic"));
    m_legend->setObjectName(QStringLiteral("previewLegend"));
    formRow->addWidget(m_logarithmic);
    formRow->addWidget(m_legend);
    formRow->addStretch(1);
    preview->addLayout(formRow);
    m_preview = new QTableWidget(previewBox);
    m_preview->setObjectName(QStringLiteral("previewTable"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    m_preview->setMaximumHeight(180);
    preview->addWidget(m_preview);
    m_graph = new ChartView(previewBox);
    m_graph->setObjectName(QStringLiteral("previewGraph"));
    m_graph->setMinimumSize(300, 200);
    m_graph->setRenderer([this](QImage &image) { m_selection.drawPreview(image); });
    preview->addWidget(m_graph, 1);
    connect(m_form, &QComboBox::activated, this, [this](int index) {
        m_selection.setForm(CompositionForm(index + 1));
        refreshPreview();
    });
    connect(m_logarithmic, &QCheckBox::clicked, this, [this](bool on) {
        m_selection.logarithmic = on;
        m_graph->markDirty();
    });
    connect(m_legend, &QCheckBox::clicked, this, [this](bool on) {
        m_selection.legend = on;
        m_graph->markDirty();
    });

    auto *body = new QHBoxLayout;
    body->addWidget(components);
    body->addWidget(previewBox, 1);
    m_transfer = new QPushButton(tr("Подтвердить данный состав для дальнейшего расчета"), this);
    m_transfer->setObjectName(QStringLiteral("transferButton"));
    auto *cancel = new QPushButton(tr("Отмена (закрыть окно)"), this);
    cancel->setObjectName(QStringLiteral("databaseCancel"));
    connect(m_transfer, &QPushButton::clicked, this, &ComponentDatabaseDialog::transfer);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_transfer);
    buttons->addWidget(cancel);
    auto *root = new QVBoxLayout(this);
    root->addLayout(fileRow);
    root->addLayout(body, 1);
    root->addLayout(buttons);
    showRows();
    refreshPreview();
    // A workbook dropped on the window is read as one chosen with "Выбрать".
    new FileDropTarget(this, [this](const QString &path) { loadWorkbook(path); });
}

void ComponentDatabaseDialog::chooseWorkbook()
{
    const QString path = chooseWorkbookPath();
    m_file->setText(path);
    if (!path.isEmpty())
        loadWorkbook(path);
}

bool ComponentDatabaseDialog::loadWorkbook(const QString &path, const QString &settingsFile)
{
    const QString settings = settingsFile.isEmpty() ? DefaultDatabaseSettingsFile() : settingsFile;
    m_file->setText(path);
    // The wait window, while the workbook is read.
    QWidget wait(this, Qt::Tool | Qt::FramelessWindowHint);
    auto *l = new QVBoxLayout(&wait);
    auto *text = new QLabel(tr("Идет загрузка данных из базы!"), &wait);
    QFont big = text->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    text->setFont(big);
    l->addWidget(text);
    if (isVisible()) {
        wait.show();
        wait.move(geometry().center() - wait.rect().center());
        QApplication::processEvents();
    }
    QString error;
    QStringList warnings;
    const bool ok = m_selection.load(path, settings, &error, &warnings);
    wait.hide();
    const QStringList names = m_selection.database().names();
    for (int i = 1; i <= MaxComponents; ++i) {
        const QSignalBlocker block(m_component[i]);
        m_component[i]->clear();
        m_component[i]->addItem(QString());
        m_component[i]->addItems(names);
    }
    showRows();
    refreshPreview();
    if (!ok)
        m_desktop.warn(this, attention(), error);
    else if (!warnings.isEmpty())
        m_desktop.warn(this, attention(), warnings.join(QStringLiteral("\n\n")));
    return ok;
}

void ComponentDatabaseDialog::showRows()
{
    const int n = m_selection.participating();
    if (m_count->currentIndex() != n - 1)
        m_count->setCurrentIndex(n - 1);
    for (int i = 1; i <= MaxComponents; ++i) {
        const bool on = i <= n;
        const ComponentSelection::Row &row = m_selection.row(i);
        for (QWidget *w : {m_rowWidgets[i][0], m_rowWidgets[i][1], m_rowWidgets[i][2], static_cast<QWidget *>(m_component[i]),
                           static_cast<QWidget *>(m_density[i])})
            w->setEnabled(on);
        if (m_component[i]->currentIndex() != row.component) {
            const QSignalBlocker block(m_component[i]);
            m_component[i]->setCurrentIndex(row.component);
        }
        if (m_density[i]->text() != row.density)
            m_density[i]->setText(row.density);
        m_shown[i]->setChecked(row.shown);
        setMarked(m_componentFrame[i], m_selection.componentMarked(i));
        setMarked(m_densityFrame[i], m_selection.densityMarked(i));
    }
}

void ComponentDatabaseDialog::refreshPreview()
{
    const QStringList header = m_selection.previewHeader();
    const QList<QStringList> rows = m_selection.previewRows();
    m_preview->clear();
    m_preview->setColumnCount(int(header.size()));
    m_preview->setRowCount(int(rows.size()));
    m_preview->setHorizontalHeaderLabels(header);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    m_preview->setColumnWidth(0, 150);
    m_preview->resizeColumnsToContents();
    m_graph->markDirty();
}

void ComponentDatabaseDialog::showDensityTable(int i)
{
    DensityTableDialog table(this);
    if (table.exec() != QDialog::Accepted)
        return;
    m_selection.setDensity(i, densityText(table.chosenOption()));
    showRows();
}

void ComponentDatabaseDialog::transfer()
{
    QString message;
    const auto document = m_selection.transfer(m_session.document(), &message);
    if (!document) {
        m_desktop.inform(this, attention(), message);
        return;
    }
    m_session.transferFromDatabase(*document);
    hide();
}

DensityTableDialog::DensityTableDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Таблица истинной плотности (г/см3)"));
    setObjectName(QStringLiteral("densityTable"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QButtonGroup(this);
    for (int k = 1; k <= densityOptions().size(); ++k) {
        auto *option = new QRadioButton(densityOptions()[k - 1].caption, this);
        option->setObjectName(QStringLiteral("density%1").arg(k));
        group->addButton(option, k);
        layout->addWidget(option);
    }
    group->button(DefaultDensityOption)->setChecked(true);
    auto *ok = new QPushButton(tr("Ок"), this);
    ok->setObjectName(QStringLiteral("densityOk"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

int DensityTableDialog::chosenOption() const
{
    const auto *group = findChild<QButtonGroup *>();
    return group ? group->checkedId() : DefaultDensityOption;
}

void DensityTableDialog::choose(int option)
{
    if (auto *group = findChild<QButtonGroup *>(); group && group->button(option))
        group->button(option)->setChecked(true);
}
