// SPDX-License-Identifier: MIT
#include "app/form1.h"

#include "app/aboutbox.h"
#include "app/outputbox.h"
#include "app/resources.h"
#include "app/statusline.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"
#include "dialogs/form4.h"
#include "gui/textcodec.h"
#include "gui/twips.h"
#include "present/statustext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace quorvel::gui {

namespace {

// The one local folder or file a drag carries; empty for anything else.
QString droppedPath(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

// Centres window, which is not shown yet, on over, kept inside the screen over is on as far as
// it fits. The window system frames a window only once it is shown, so window is taken to get
// the same frame as over.
void centreOver(QWidget& window, const QWidget& over)
{
    const QRect outer = over.frameGeometry();
    const QRect inner = over.geometry();
    QRect frame = QRect(QPoint(), window.size())
                      .marginsAdded(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                             outer.right() - inner.right(), outer.bottom() - inner.bottom()));
    frame.moveCenter(outer.center());
    if (const QScreen* where = over.screen()) {
        const QRect room = where->availableGeometry();
        frame.moveLeft(std::max(std::min(frame.left(), room.right() + 1 - frame.width()), room.left()));
        frame.moveTop(std::max(std::min(frame.top(), room.bottom() + 1 - frame.height()), room.top()));
    }
    window.move(frame.topLeft());
}

} // namespace

Form1::Form1(Platform& platform, FolderFile folderFile)
    : analyzer_(*this, platform, std::move(folderFile)),
      dialogs_(this, [this](ListDialog& dialog, Dialog which) { wireDialog(dialog, which); })
{
    setWindowLook();
    createControls();
    createMenus();
    wireStatusClick();
    sizeClientArea();
    centreOnScreen();
    run(Form_Load);
}

// The About box and the chart window have no owner; they go with the main window.
Form1::~Form1()
{
    delete about_;
    delete chart_;
}

void Form1::setWindowLook()
{
    loadResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setWindowIcon(programIcon());
}

// The controls are placed, not laid out: they stay where they are when the window is resized.
void Form1::createControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    lblinfo_ = new StatusLine(client);
    lblinfo_->setObjectName(QStringLiteral("lblinfo"));
    lblinfo_->setGeometry(twipsRect(70, 120, 7695, 495));
    text1_ = new OutputBox(client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(twipsRect(0, 720, 7815, 4215));
    // Dropping a folder anywhere on the window opens it, also over the output box, which
    // would otherwise take the drop as text.
    setAcceptDrops(true);
    text1_->viewport()->installEventFilter(this);
    text1_->setDrillHint([this](std::size_t offset) -> std::optional<std::string> {
        const std::optional<DrillTarget> target = drillTargetAt(offset);
        return target ? std::optional(drillHint(*target)) : std::nullopt;
    });
    connect(text1_, &OutputBox::drillChosen, this, [this](std::size_t offset) {
        if (const std::optional<DrillTarget> target = drillTargetAt(offset))
            drillDown(*target);
    });
}

// Every menu item stands in the command table; a leaf without a handler stops the program
// here rather than doing nothing when chosen.
void Form1::createMenus()
{
    checkCommandTable();
    for (const TopMenu top : topMenus) {
        const TopMenuDesign& design = topMenuDesign(top);
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(design.caption));
        menu->setObjectName(QString::fromLatin1(design.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(design.name));
        for (const CommandRow& row : commandTable()) {
            if (row.item.empty() || row.menu != top)
                continue;
            if (!row.separatorBefore.empty())
                menu->addSeparator()->setObjectName(QString::fromLatin1(row.separatorBefore));
            QAction* item = menu->addAction(QString::fromLatin1(row.caption));
            item->setObjectName(QString::fromLatin1(row.item));
            if (row.run == mnuback_Click) {
                item->setShortcuts(QKeySequence::Back);
                back_ = item;
            }
            wireMenuItem(item, row);
        }
    }
}

void Form1::wireMenuItem(QAction* item, const CommandRow& row)
{
    switch (row.windowAction) {
    case WindowAction::Quit:
        connect(item, &QAction::triggered, this, &QWidget::close);
        break;
    case WindowAction::About:
        connect(item, &QAction::triggered, this, &Form1::showAbout);
        break;
    case WindowAction::Chart:
        // The result may be half made while a command runs.
        connect(item, &QAction::triggered, this, &Form1::showChart);
        commandItems_.push_back(item);
        break;
    case WindowAction::None:
        connect(item, &QAction::triggered, this, [this, &row] { run([&row](Analyzer& a) { return runRow(a, row); }); });
        commandItems_.push_back(item);
        break;
    }
}

void Form1::wireStatusClick()
{
    connect(lblinfo_, &StatusLine::clicked, this, [this] { run(lblinfo_Click); });
}

void Form1::sizeClientArea()
{
    resize(px(7815), px(4935) + menuBar()->sizeHint().height());
}

void Form1::centreOnScreen()
{
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    QRect frame = geometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

void Form1::wireDialog(ListDialog& dialog, Dialog which)
{
    connect(&dialog, &ListDialog::cancelChosen, this, [this, which] {
        if (which == Dialog::Accounts)
            hideDialog(which);
        else
            run([which](Analyzer& a) { return Command2_Click(a, which); });
    });
    if (auto* pick = qobject_cast<PickDialog*>(&dialog))
        connect(pick, &PickDialog::searchChosen, this,
                [this, which] { run([which](Analyzer& a) { return Command1_Click(a, which); }); });
    if (auto* accounts = qobject_cast<Form4*>(&dialog)) {
        connect(accounts, &Form4::searchDownloadChosen, this, [this] { run(mnusearchdownload_Click); });
        connect(accounts, &Form4::searchUploadsChosen, this, [this] { run(mnusearchuploads_Click); });
        connect(accounts, &Form4::searchBothChosen, this, [this] { run(mnusearchboth_Click); });
    }
}

template <class Command> void Form1::run(Command&& command)
{
    runCommand(analyzer_, std::forward<Command>(command));
    cells_.reset();
    followResult();
}

std::optional<DrillTarget> Form1::drillTargetAt(std::size_t offset)
{
    const std::optional<Answer>& answer = analyzer_.lastAnswer;
    if (analyzer_.busy || !answer || answer->shape == TextShape::Entries)
        return std::nullopt;
    if (!cells_)
        cells_.emplace(*answer);
    const std::optional<CellPlace> place = cells_->at(offset);
    return place ? drillTarget(*answer, place->row, place->column) : std::nullopt;
}

void Form1::drillDown(DrillTarget target)
{
    run([&target](Analyzer& a) { return drill(a, target); });
}

void Form1::showAbout()
{
    if (!about_)
        about_ = new AboutBox();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// Opens the chart window on the last result, centred on the main window, or brings it forward.
// Without a result, with one of a kind that has no chart or one without a row to draw, the
// status line says so; an open chart window already shows that an empty result is empty.
void Form1::showChart()
{
    const std::optional<Answer>& result = analyzer_.lastAnswer;
    if (!result || !ChartWindow::canDraw(*result)) {
        setStatus(result ? noChartMessage : nothingToChartYetMessage);
        return;
    }
    if (ChartWindow::drawnRows(*result) == 0) {
        setStatus(emptyChartMessage);
        return;
    }
    if (!chart_) {
        chart_ = new ChartWindow(analyzer_.platform);
        centreOver(*chart_, *this);
        connect(chart_, &ChartWindow::drillChosen, this, &Form1::drillDown);
    }
    chart_->draw(*result, analyzer_.state.serverfolder, analyzer_.state.period);
    chartDrawnAt_ = analyzer_.answersForgotten;
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
}

void Form1::followResult()
{
    const std::optional<Answer>& result = analyzer_.lastAnswer;
    if (!chart_)
        return;
    if (chart_->isVisible() && result && ChartWindow::canDraw(*result)) {
        chart_->draw(*result, analyzer_.state.serverfolder, analyzer_.state.period);
        chartDrawnAt_ = analyzer_.answersForgotten;
    } else if (chartDrawnAt_ != analyzer_.answersForgotten) {
        chart_->forgetEntries();
    }
}

void Form1::openServerFolder(const std::string& path)
{
    run([&path](Analyzer& a) { return quorvel::openServerFolder(a, path); });
}

void Form1::useDefaultFolder(const std::string& path)
{
    run([&path](Analyzer& a) { return quorvel::useDefaultFolder(a, path); });
}

// Refuses the drag while a command runs, as the menus are disabled then.
bool Form1::takeFolderDrop(QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedPath(drop->mimeData());
    if (path.isEmpty() || analyzer_.busy)
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        openServerFolder(QFile::encodeName(path).toStdString());
    return true;
}

bool Form1::event(QEvent* event)
{
    return takeFolderDrop(event) || QMainWindow::event(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    return (watched == text1_->viewport() && takeFolderDrop(event)) || QMainWindow::eventFilter(watched, event);
}

void Form1::setStatus(std::string_view caption)
{
    lblinfo_->setStatus(decodeText(caption).text);
}

std::string Form1::outputText() const
{
    return text1_->bytes();
}

void Form1::setOutputText(std::string text)
{
    cells_.reset();
    text1_->setBytes(std::move(text));
}

void Form1::clearList(Dialog dialog)
{
    dialogs_.get(dialog).clearEntries();
}

void Form1::addToList(Dialog dialog, std::span<const std::string_view> entries)
{
    dialogs_.get(dialog).addEntries(entries);
}

std::string Form1::selectedEntry(Dialog dialog) const
{
    return dialogs_.get(dialog).selectedEntry();
}

void Form1::showDialog(Dialog dialog)
{
    dialogs_.get(dialog).showModeless();
}

void Form1::hideDialog(Dialog dialog)
{
    dialogs_.get(dialog).hide();
}

void Form1::setCaption(std::string_view caption)
{
    setWindowTitle(decodeLine(caption));
}

// "Quit" and "About" stay usable, so a long command can always be ended from the menu.
void Form1::setCommandsEnabled(bool enabled)
{
    for (QAction* item : commandItems_)
        item->setEnabled(enabled && (item != back_ || !analyzer_.trail.empty()));
    dialogs_.setCommandsEnabled(enabled);
    sinceEvents_.invalidate();
}

// Processing events costs far more than a loop step, so it happens at the first yield of a
// command and then a few times a second; that keeps the window live and tight loops fast.
bool Form1::yield()
{
    if (!closing_ && (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= eventInterval)) {
        // Timed from the start of the round: when handling events takes long, the next yield
        // handles them again rather than leaving the window still for another interval.
        sinceEvents_.start();
        QCoreApplication::processEvents();
    }
    return !closing_;
}

void Form1::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    dialogs_.hideAll();
    if (about_)
        about_->close();
    if (chart_)
        chart_->close();
    event->accept();
    QCoreApplication::quit();
}

} // namespace quorvel::gui
