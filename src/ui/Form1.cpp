#include "ui/Form1.h"

#include "checking/GridEditing.h"
#include "core/Handlers.h"
#include "core/Numbers.h"
#include "files/ProjectFile.h"
#include "core/Recalculate.h"
#include "ui/GridView.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// The clipboard and the question boxes of the window's desktop.
class WidgetDesktop final : public EditingDesktop
{
public:
    explicit WidgetDesktop(QWidget *owner) : m_owner(owner) {}
    QString clipboardText() const override { return QGuiApplication::clipboard()->text(); }
    void setClipboardText(const QString &text) override { QGuiApplication::clipboard()->setText(text); }
    void clearClipboard() override { QGuiApplication::clipboard()->clear(); }
    bool askYesNo(const QString &title, const QString &text) override
    {
        return QMessageBox::question(m_owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
    bool ctrlHeld() const override { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; }

private:
    QWidget *m_owner;
};



// A line edit that mirrors a control's text both ways.
QLineEdit *boundLineEdit(Control &control, QWidget *parent)
{
    auto *edit = new QLineEdit(control.text(), parent);
    QObject::connect(edit, &QLineEdit::textEdited, &control, [&control](const QString &t) { control.setText(t); });
    QObject::connect(&control, &Control::stateChanged, edit, [edit, &control] {
        if (edit->text() != control.text())
            edit->setText(control.text());
    });
    return edit;
}

QComboBox *boundCombo(Control &control, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->addItems(control.items());
    box->setEditText(control.text());
    QObject::connect(box, &QComboBox::currentTextChanged, &control, [&control](const QString &t) { control.setText(t); });
    QObject::connect(&control, &Control::stateChanged, box, [box, &control] {
        if (box->currentText() != control.text())
            box->setEditText(control.text());
    });
    return box;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
    , m_desktop(std::make_unique<WidgetDesktop>(this))
{
    setWindowTitle(QStringLiteral("Palvex 5.0 [Версия от 19.04.2019]"));
    setMinimumSize(950, 720);
    buildUi();

    // Every input ends in one recalculation.
    ConnectInputHandlers(m_project);
    GridEditing::Connect(m_project, *m_desktop);
    connect(&m_project, &MixProject::recalculated, this, &Form1::showResults);

    m_project.startUp();
}

Form1::~Form1()
{
    // The widgets mirror the project: they go first, while it still exists.
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

void Form1::buildUi()
{
    auto *scroll = new QScrollArea(this);
    auto *page = new QWidget(scroll);
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("1.1.Название состава:"), boundLineEdit(m_project.project_name, page));
    form->addRow(QStringLiteral("1.2.Количество сырьевых компонентов:"), boundCombo(m_project.N, page));
    form->addRow(QStringLiteral("2.2.Количество типоразмеров частиц:"), boundLineEdit(m_project.K, page));
    layout->addLayout(form);

    const QString titles[6] = {
        QString(),
        QStringLiteral("1.3.Названия сырьевых компонентов:"),
        QStringLiteral("1.4.Плотность зерен каждого компонента (г/см^3):"),
        QStringLiteral("2.3.Зерновые составы компонентов:"),
        QStringLiteral("3.1.Массовые доли (%) компонентов сырьевой смеси:"),
        QStringLiteral("4.1.Эталонная функция распределения частиц по размерам:"),
    };
    for (int k = 1; k <= 5; ++k) {
        layout->addWidget(new QLabel(titles[k], page));
        m_tables[k] = new GridView(m_project.tabl[k], page);
        m_tables[k]->setMinimumHeight(k == 3 ? 220 : 80);
        layout->addWidget(m_tables[k]);
    }
    m_results = new QLabel(page);
    layout->addWidget(m_results);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    setCentralWidget(scroll);
    resize(1000, 760);
    for (int k = 1; k <= 5; ++k)
        m_project.tabl[k].setSize(900 * 15, m_tables[k]->minimumHeight() * 15);
}

bool Form1::openProject(const QString &path)
{
    QString error;
    if (ProjectFile::LoadProject(m_project, path, &error))
        return true;
    QMessageBox::warning(this, QStringLiteral("Открытие файла"), error);
    return false;
}

void Form1::showResults()
{
    m_results->setText(QStringLiteral("Сумма массовых долей (%) составляет: %1    Расхождение кривых: %2 %")
                           .arg(m_project.mass0_sum.text(), Num::formatRounded(m_project.CurveDivergence, 2)));
}
