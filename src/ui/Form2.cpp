#include "ui/Form2.h"

#include "charts/Graph.h"
#include "ui/FileDialogs.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A widget whose red frame shows while its control is visible.
class RedFrameHolder final : public QWidget
{
public:
    RedFrameHolder(QWidget *inner, Control &frame)
        : m_frame(frame)
    {
        auto *l = new QHBoxLayout(this);
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(inner);
        connect(&frame, &Control::stateChanged, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_frame.isVisible())
            return;
        QPainter g(this);
        g.setPen(QPen(QColor(220, 0, 0), 2));
        g.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    Control &m_frame;
};

class PreviewGraph final : public QWidget
{
public:
    explicit PreviewGraph(SelectionModel &s)
        : m_s(s)
    {
        setMinimumSize(300, 200);
    }
    void redraw()
    {
        m_dirty = true;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_dirty || m_image.size() != size()) {
            m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
            DrawPreviewGraph(m_s, m_image);
            m_dirty = false;
        }
        QPainter(this).drawImage(0, 0, m_image);
    }

private:
    SelectionModel &m_s;
    QImage m_image;
    bool m_dirty = true;
};

} // namespace

Form2::Form2(MixProject &project, QWidget *parent)
    : QDialog(parent)
    , m_project(project)
{
    setWindowTitle(QStringLiteral("Загрузка данных о компонентах"));
    setModal(false);
    resize(1150, 720);
    SelectionModel &s = m_model;
    auto *root = new QVBoxLayout(this);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Файл базы данных компонентов:"), this));
    auto *fileName = new QLineEdit(this);
    fileName->setReadOnly(true);
    connect(&s.FileNameText, &Control::stateChanged, fileName, [fileName, &s] { fileName->setText(s.FileNameText.text()); });
    fileRow->addWidget(fileName, 1);
    auto *choose = new QPushButton(s.FileOpenCommand.text(), this);
    connect(choose, &QPushButton::clicked, this, &Form2::chooseWorkbook);
    fileRow->addWidget(choose);
    root->addLayout(fileRow);

    auto *body = new QHBoxLayout;
    auto *frame1 = new QGroupBox(s.Frame1.text(), this);
    auto *rows = new QGridLayout(frame1);
    rows->addWidget(new QLabel(QStringLiteral("Количество участвующих компонентов:"), frame1), 0, 0, 1, 3);
    auto *count = new QComboBox(frame1);
    count->addItems(s.comboN.items());
    rows->addWidget(count, 0, 3);
    connect(count, &QComboBox::currentIndexChanged, this, [&s](int index) {
        s.comboN.setValue(index + 1);
        s.comboN.setText(QString::number(index + 1));
        SetParticipatingRows(s);
    });
    connect(&s.comboN, &Control::stateChanged, count, [count, &s] {
        if (count->currentIndex() != s.comboN.value() - 1) {
            const QSignalBlocker block(count);
            count->setCurrentIndex(s.comboN.value() - 1);
        }
    });
    rows->addWidget(new QLabel(QStringLiteral("Название компонента:"), frame1), 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("Плотность зерен [г/см3]:"), frame1), 1, 2, 1, 2);
    for (int i = 1; i <= MaxComponents; ++i) {
        auto *number = new QLabel(s.comp_nmb_lab[i].text(), frame1);
        auto *name = new QComboBox(frame1);
        name->setMinimumWidth(260);
        auto *density = new QLineEdit(frame1);
        density->setMaximumWidth(80);
        auto *table = new QPushButton(s.comp_den_tabl[i].text(), frame1);
        table->setMaximumWidth(50);
        auto *show = new QCheckBox(frame1);
        show->setChecked(true);
        show->setToolTip(QStringLiteral("Показать в таблице и на графике"));
        rows->addWidget(number, i + 1, 0);
        rows->addWidget(new RedFrameHolder(name, s.RedRamka[i]), i + 1, 1);
        rows->addWidget(new RedFrameHolder(density, s.RedRamka2[i]), i + 1, 2);
        rows->addWidget(table, i + 1, 3);
        rows->addWidget(show, i + 1, 4);
        auto sync = [=, &s] {
            const bool on = s.comp_name[i].isEnabled();
            for (QWidget *w : {static_cast<QWidget *>(number), static_cast<QWidget *>(name), static_cast<QWidget *>(density),
                               static_cast<QWidget *>(table), static_cast<QWidget *>(show)})
                w->setEnabled(on);
            const QSignalBlocker block(name);
            if (name->count() != s.comp_name[i].items().size() + 1) {
                name->clear();
                name->addItem(QString());
                name->addItems(s.comp_name[i].items());
            }
            name->setCurrentIndex(s.comp_name[i].value());
            if (density->text() != s.comp_density[i].text())
                density->setText(s.comp_density[i].text());
            show->setChecked(s.Graph_Check[i].isChecked());
        };
        sync();
        for (Control *c : {&s.comp_name[i], &s.comp_density[i], &s.Graph_Check[i]})
            connect(c, &Control::stateChanged, this, sync);
        connect(name, &QComboBox::activated, this, [this, &s, i](int index) {
            ChooseComponent(s, i, index, [this](const QString &t, const QString &x) { inform(t, x); });
        });
        connect(density, &QLineEdit::textEdited, this, [&s, i](const QString &t) { DensityEdited(s, i, t); });
        connect(table, &QPushButton::clicked, this, [this, i] { showDensityTable(i); });
        connect(show, &QCheckBox::clicked, this, [&s, i](bool on) {
            s.Graph_Check[i].setChecked(on);
            RefreshPreviewTable(s);
        });
    }
    rows->setRowStretch(MaxComponents + 2, 1);
    body->addWidget(frame1);

    auto *frame2 = new QGroupBox(s.Frame2.text(), this);
    auto *preview = new QVBoxLayout(frame2);
    auto *formRow = new QHBoxLayout;
    formRow->addWidget(new QLabel(QStringLiteral("Форма представления данных:"), frame2));
    auto *form = new QComboBox(frame2);
    form->addItems(SelectionModel::formNames());
    formRow->addWidget(form);
    auto *logarithmic = new QCheckBox(s.Logarifm_Check.text(), frame2);
    auto *legend = new QCheckBox(s.Legend_Check.text(), frame2);
    formRow->addWidget(logarithmic);
    formRow->addWidget(legend);
    formRow->addStretch(1);
    preview->addLayout(formRow);
    auto *table = new GridView(s.ishod_gran_table, frame2);
    table->setMaximumHeight(180);
    preview->addWidget(table);
    auto *graph = new PreviewGraph(s);
    preview->addWidget(graph, 1);
    body->addWidget(frame2, 1);
    root->addLayout(body, 1);
    connect(form, &QComboBox::currentIndexChanged, this, [&s](int index) {
        s.combo_form.setValue(index + 1);
        RefreshPreviewTable(s);
    });
    connect(&s.combo_form, &Control::stateChanged, form, [form, &s] {
        if (form->currentIndex() != s.combo_form.value() - 1) {
            const QSignalBlocker block(form);
            form->setCurrentIndex(s.combo_form.value() - 1);
        }
    });
    connect(&s.Logarifm_Check, &Control::stateChanged, logarithmic, [logarithmic, &s] { logarithmic->setChecked(s.Logarifm_Check.isChecked()); });
    connect(&s.Legend_Check, &Control::stateChanged, legend, [legend, &s] { legend->setChecked(s.Legend_Check.isChecked()); });
    connect(logarithmic, &QCheckBox::clicked, this, [&s](bool on) { s.Logarifm_Check.setChecked(on); });
    connect(legend, &QCheckBox::clicked, this, [&s](bool on) { s.Legend_Check.setChecked(on); });
    for (Control *c : {&s.Logarifm_Check, &s.Legend_Check, &s.combo_form})
        connect(c, &Control::stateChanged, graph, &PreviewGraph::redraw);
    connect(&s.ishod_gran_table, &GridModel::cellChanged, graph, &PreviewGraph::redraw);
    connect(&s.ishod_gran_table, &GridModel::shapeChanged, graph, &PreviewGraph::redraw);

    auto *buttons = new QHBoxLayout;
    auto *confirm = new QPushButton(s.Command1.text(), this);
    auto *cancel = new QPushButton(s.Command2.text(), this);
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(confirm, &QPushButton::clicked, this, [this] {
        if (TransferSelection(m_model, m_project, [this](const QString &t, const QString &x) { inform(t, x); }))
            hide();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    m_timer = new QTimer(this);
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, [this] { SelectionTick(m_model); });
    StartSelection(s);
}

void Form2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_timer->start();
}

void Form2::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QDialog::hideEvent(event);
}

void Form2::inform(const QString &title, const QString &text)
{
    QMessageBox::information(this, title, text);
}

bool Form2::loadWorkbook(const QString &path, const QString &settingsFile)
{
    const QString settings = settingsFile.isEmpty() ? DefaultDatabaseSettingsFile() : settingsFile;
    // The wait window, while the workbook is read.
    QWidget wait(this, Qt::Tool | Qt::FramelessWindowHint);
    auto *l = new QVBoxLayout(&wait);
    auto *text = new QLabel(QStringLiteral("Идет загрузка данных из базы!"), &wait);
    QFont f = text->font();
    f.setBold(true);
    text->setFont(f);
    l->addWidget(text);
    wait.setStyleSheet(QStringLiteral("background: #fff8e0; border: 1px solid #c08000;"));
    wait.show();
    wait.move(geometry().center() - wait.rect().center());
    QApplication::processEvents();
    QString error;
    QStringList warnings;
    const bool ok = LoadDatabase(m_model, path, settings, &error, &warnings);
    wait.hide();
    if (!ok && isVisible())
        QMessageBox::warning(this, QStringLiteral("Внимание!"), error);
    if (ok && !warnings.isEmpty() && isVisible())
        QMessageBox::warning(this, QStringLiteral("Внимание!"), warnings.join(QStringLiteral("\n\n")));
    return ok;
}

void Form2::chooseWorkbook()
{
    QString path;
    ShowOpenDialog(this, path, QStringLiteral("*.xlsx"), QStringLiteral("Файл Excel (*.xlsx)"), QStringLiteral("Открытие файла"));
    m_model.FileNameText.setText(path);
    if (!path.isEmpty())
        loadWorkbook(path);
}

void Form2::showDensityTable(int row)
{
    QDialog table(this);
    table.setWindowTitle(QStringLiteral("Таблица истинной плотности (г/см3)"));
    auto *l = new QVBoxLayout(&table);
    auto *group = new QButtonGroup(&table);
    const QList<DensityOption> &options = DensityOptions();
    for (int k = 1; k <= options.size(); ++k) {
        auto *r = new QRadioButton(options[k - 1].caption, &table);
        group->addButton(r, k);
        r->setChecked(k == DefaultDensityOption);
        l->addWidget(r);
    }
    auto *ok = new QPushButton(QStringLiteral("Ок"), &table);
    l->addWidget(ok);
    connect(ok, &QPushButton::clicked, &table, &QDialog::accept);
    if (table.exec() == QDialog::Accepted)
        ConfirmDensity(m_model, QString::number(row), group->checkedId());
}
