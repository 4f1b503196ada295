#include "widgets/MainWindow.h"

#include "Version.h"
#include "report/Report.h"
#include "widgets/AboutPage.h"
#include "widgets/BaseRecipePage.h"
#include "widgets/BoundsDialog.h"
#include "widgets/ComponentDatabaseDialog.h"
#include "widgets/CompositionsPage.h"
#include "widgets/Controls.h"
#include "widgets/CorrectionPage.h"
#include "widgets/Desktop.h"
#include "widgets/FileDialogs.h"
#include "widgets/FileDrop.h"
#include "widgets/GraphView.h"
#include "widgets/InputTableView.h"
#include "widgets/ParametersPage.h"
#include "widgets/Pictures.h"
#include "widgets/ReferencePage.h"
#include "widgets/ReportPage.h"
#include "widgets/StepBar.h"
#include "widgets/Steps.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int MinimumWidth = 950;
constexpr int MinimumHeight = 720;
QString projectFilter()
{
    return MainWindow::tr("Текстовые файлы с данными (*.txt)");
}

enum class HistoryKey { None, Undo, Redo };

// Ctrl+Z undoes; Ctrl+Shift+Z and Ctrl+Y redo.
HistoryKey historyKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Z && mods == Qt::ControlModifier)
        return HistoryKey::Undo;
    if ((event->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier))
        || (event->key() == Qt::Key_Y && mods == Qt::ControlModifier))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<Desktop> desktop, QWidget *parent)
    : QMainWindow(parent)
    , m_desktop(desktop ? std::move(desktop) : std::make_unique<SystemDesktop>())
{
    setWindowTitle(tr("Palvex %1 [Версия от 19.04.2019]").arg(QStringLiteral(PALVEX_VERSION)));
    reportFolder = QDir::tempPath();
    setMinimumSize(MinimumWidth, MinimumHeight);
    chooseOpenPath = [this] {
        ShowOpenDialog(this, m_openPath, QStringLiteral("*.txt"), projectFilter(), tr("Открытие файла"));
        return m_openPath;
    };
    chooseSavePath = [this] {
        ShowSaveDialog(this, m_savePath, QStringLiteral("*.txt"), projectFilter(), tr("Сохранение файла"));
        return m_savePath;
    };

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("surface"));
    central->setStyleSheet(QStringLiteral("#surface { background: rgb(236, 233, 216); }"));
    setCentralWidget(central);

    m_steps = new StepBar(central);
    connect(m_steps, &StepBar::stepClicked, this, [this](int step) { m_session.selectStep(step); });
    m_title = new QLabel(central);
    m_title->setObjectName(QStringLiteral("stepTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    Desktop &d = *m_desktop;
    m_pages = new QStackedWidget(central);
    auto *logo = new PictureWidget([](QSize size, qreal ratio) { return Pictures::logo(size, ratio); });
    logo->setObjectName(QStringLiteral("logo"));
    logo->setFixedSize(420, 300);
    auto *logoPage = new QWidget;
    auto *logoLayout = new QVBoxLayout(logoPage);
    logoLayout->addWidget(logo, 0, Qt::AlignCenter);
    m_pages->addWidget(logoPage);
    m_page[1] = m_parameters = new ParametersPage(m_session, d);
    m_page[2] = m_compositions = new CompositionsPage(m_session, d);
    m_page[3] = m_baseRecipe = new BaseRecipePage(m_session, d);
    m_page[4] = m_reference = new ReferencePage(m_session, d);
    m_page[5] = m_correction = new CorrectionPage(m_session, d);
    m_page[6] = m_report = new ReportPage(m_session);
    m_page[7] = m_about = new AboutPage(m_session);
    for (int step = 1; step <= StepCount; ++step) {
        m_page[step]->setObjectName(QStringLiteral("page%1").arg(step));
        m_pages->addWidget(m_page[step]);
    }
    connect(m_parameters, &ParametersPage::databaseRequested, this, &MainWindow::showDatabase);
    connect(m_correction, &CorrectionPage::boundsRequested, this, &MainWindow::showBounds);
    connect(m_report, &ReportPage::reportRequested, this, [this] { buildReport(); });
    connect(m_about, &AboutPage::guideRequested, this, &MainWindow::showGuide);

    auto *open = new QPushButton(tr("Открыть проект"), central);
    open->setObjectName(QStringLiteral("openButton"));
    auto *save = new QPushButton(tr("Сохранить проект"), central);
    save->setObjectName(QStringLiteral("saveButton"));
    for (QPushButton *b : {open, save})
        b->setMinimumWidth(130);
    connect(open, &QPushButton::clicked, this, &MainWindow::onOpen);
    connect(save, &QPushButton::clicked, this, &MainWindow::onSave);
    auto *strip = new PictureWidget([](QSize size, qreal ratio) { return Pictures::gradient(size, ratio); }, central);
    strip->setObjectName(QStringLiteral("bottomStrip"));
    strip->setFixedHeight(12);

    auto *files = new QHBoxLayout;
    files->setContentsMargins(12, 0, 12, 0);
    files->addWidget(open);
    files->addSpacing(12);
    files->addWidget(save);
    files->addStretch(1);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_steps);
    layout->addWidget(m_title);
    layout->addWidget(m_pages, 1);
    layout->addLayout(files);
    layout->addWidget(strip);

    connect(&m_session, &ProjectSession::changed, this, &MainWindow::onChanged);
    new FileDropTarget(this, [this](const QString &path) { openDroppedProject(path); });
    setUpHistory();
    resize(1000, 750);
    showStep(0);
}

MainWindow::~MainWindow()
{
    // The pages, tables and dialogs show the session and use the desktop: they go before the
    // members they refer to (a window destroyed while shown hides its children, and the tables
    // read the session's texts once more as they do).
    delete m_database;
    qDeleteAll(findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly));
}

void MainWindow::setUpHistory()
{
    m_undo = new QAction(tr("Отменить"), this);
    m_undo->setObjectName(QStringLiteral("undoAction"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(tr("Повторить"), this);
    m_redo->setObjectName(QStringLiteral("redoAction"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {m_undo, m_redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(m_undo, &QAction::triggered, &m_history, &ProjectHistory::undo);
    connect(m_redo, &QAction::triggered, &m_history, &ProjectHistory::redo);
    auto availability = [this] {
        m_undo->setEnabled(m_history.canUndo());
        m_redo->setEnabled(m_history.canRedo());
    };
    connect(&m_history, &ProjectHistory::availabilityChanged, this, availability);
    availability();

    // Typing into a place merges into one step until the place is left: the focus moves,
    // another cell is entered, a slider is let go (or taken again).
    // (The history is the connections' context: they end with it, before the window's own end.)
    connect(qApp, &QApplication::focusChanged, &m_history, &ProjectHistory::leavePlace);
    for (InputTableView *view : m_pages->findChildren<InputTableView *>()) {
        connect(view->selectionModel(), &QItemSelectionModel::currentChanged, &m_history, [this, view](const QModelIndex &current) {
            if (current.isValid())
                m_history.enterCell(view->table(), current.row() + 1, current.column());
        });
    }
    for (QSlider *slider : m_pages->findChildren<QSlider *>()) {
        connect(slider, &QSlider::sliderPressed, &m_history, &ProjectHistory::leavePlace);
        connect(slider, &QSlider::sliderReleased, &m_history, &ProjectHistory::leavePlace);
    }
    // The text fields walk the project's history too, not their own (eventFilter); an editable
    // list hands its keys to its field itself.
    for (QLineEdit *edit : m_pages->findChildren<QLineEdit *>())
        edit->installEventFilter(this);
    for (QComboBox *box : m_pages->findChildren<QComboBox *>())
        if (box->isEditable())
            box->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const HistoryKey key = historyKey(static_cast<QKeyEvent *>(event));
        if (key != HistoryKey::None) {
            // A field would take the key for its own undo: it goes to the project's history.
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                if (key == HistoryKey::Undo)
                    m_history.undo();
                else
                    m_history.redo();
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

StepPage *MainWindow::page(int step) const
{
    return step >= 1 && step <= StepCount ? m_page[step] : nullptr;
}

void MainWindow::onChanged(ProjectSession::Changes what)
{
    m_pending |= what;
    if (m_showQueued)
        return;
    m_showQueued = true;
    QMetaObject::invokeMethod(this, &MainWindow::showChanges, Qt::QueuedConnection);
}

void MainWindow::showChanges()
{
    m_showQueued = false;
    const ProjectSession::Changes what = m_pending;
    m_pending = {};
    if (!what)
        return;
    if (what & ProjectSession::StepChanged)
        showStep(m_session.currentStep());
    for (int step = 1; step <= StepCount; ++step)
        m_page[step]->refresh(what);
}

void MainWindow::showStep(int step)
{
    m_steps->setCurrentStep(step);
    m_title->setText(stepTitle(step));
    m_title->setVisible(step != 0);
    m_pages->setCurrentIndex(step);
    if (StepPage *p = page(step))
        p->entered();
}

std::optional<std::pair<QString, QString>> MainWindow::unsavedQuestion(bool closing) const
{
    // Asked only once the compositions hold data (three rows or more, headers included).
    if (m_session.tableRows(InputTable::Compositions) < 3)
        return std::nullopt;
    if (closing)
        return std::pair{tr("Подтверждение выхода"),
                         tr("Несохраненные данные будут утеряны! Вы уверены, что хотите выйти из программы?")};
    return std::pair{tr("Подтверждение открытия файла"),
                     tr("Несохраненные данные будут утеряны! Вы уверены, что хотите открыть другой файл?")};
}

bool MainWindow::mayReplaceProject()
{
    const auto q = unsavedQuestion(false);
    return !q || m_desktop->askYesNo(this, q->first, q->second);
}

void MainWindow::onOpen()
{
    if (mayReplaceProject())
        openProject(chooseOpenPath());
}

void MainWindow::openDroppedProject(const QString &path)
{
    if (mayReplaceProject())
        openProject(path);
}

bool MainWindow::openProject(const QString &path)
{
    if (path.isEmpty()) {
        // A cancelled dialog reads nothing, but the recipe, sliders and locks go back to the base
        // recipe all the same.
        m_session.openCancelled();
        return false;
    }
    QString error;
    if (!m_session.openProject(path, &error)) {
        m_desktop->warn(this, tr("Открытие файла"), error);
        return false;
    }
    return true;
}

void MainWindow::start(const QString &project, int step)
{
    if (!project.isEmpty())
        openProject(project);
    if (step != 0)
        m_session.selectStep(step);
}

void MainWindow::onSave()
{
    saveProject(chooseSavePath());
    m_session.showErrorList(false);
}

bool MainWindow::saveProject(const QString &path)
{
    if (path.isEmpty())
        return false;
    QString error;
    if (!m_session.saveProject(path, &error)) {
        m_desktop->warn(this, tr("Сохранение файла"), error);
        return false;
    }
    return true;
}

QString MainWindow::buildReport(bool open)
{
    QString error;
    const QString path = Report::writeNew(m_session, reportFolder, Report::Pictures(), &error);
    if (path.isEmpty()) {
        m_desktop->warn(this, tr("Формирование отчета"), error);
        return QString();
    }
    if (open && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        m_desktop->inform(this, tr("Формирование отчета"),
                          tr("Отчет сохранен, но открыть его не удалось: нет программы для документов .docx.\n"
                             "Файл отчета: %1")
                              .arg(QDir::toNativeSeparators(path)));
    return path;
}

void MainWindow::showGuide()
{
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Руководство пользователя"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QTextBrowser(&dialog);
    text->setHtml(userGuideHtml());
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 520);
    dialog.exec();
}

void MainWindow::showBounds()
{
    if (!m_bounds)
        m_bounds = new BoundsDialog(m_session, this);
    m_bounds->load();
    m_bounds->exec();
}

void MainWindow::showDatabase()
{
    // Closing the window with its close box discards it; the next opening creates it afresh.
    if (!m_database) {
        m_database = new ComponentDatabaseDialog(m_session, *m_desktop, this);
        m_database->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_database->show();
    m_database->raise();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (const auto q = unsavedQuestion(true); q && !m_desktop->askYesNo(this, q->first, q->second)) {
        event->ignore();
        return;
    }
    event->accept();
}
