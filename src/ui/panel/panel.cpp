#include "ui/panel/panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QShowEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVariant>

#include "ui/base/window_placement.h"
#include "core/live/display_model.h"
#include "ui/panel/about_box.h"
#include "ui/panel/erase_list.h"
#include "ui/panel/key_exchange.h"
#include "ui/panel/keypad.h"
#include "ui/panel/lcd_display.h"
#include "ui/panel/meter_face.h"
#include "ui/panel/meter_look.h"
#include "ui/panel/panel_toolbar.h"

namespace photara {
namespace {

// The keys: raised rubber keys with a pressed look and a visible keyboard focus.
constexpr const char* kKeyStyle = R"(
QPushButton {
    color: #f4f4ee;
    font-family: Arial, "Liberation Sans";
    font-weight: bold;
    font-size: 10pt;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #646b73, stop:1 #40464c);
    border: 1px solid #16191c;
    border-bottom: 3px solid #101214;
    border-radius: 9px;
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #707880, stop:1 #4a5057); }
QPushButton:pressed {
    background: #30353a;
    border-bottom: 1px solid #101214;
    padding-top: 2px;
}
QPushButton:focus { border: 2px solid #e9a93a; border-bottom: 3px solid #e9a93a; }
QPushButton:disabled { color: #7d848a; background: #394045; }
)";

}  // namespace

Panel::Panel(DisplayModel& model, const Clock& clock, QWidget* parent)
    : QMainWindow(parent), model_(model) {
    setObjectName(QStringLiteral("Panel"));
    setWindowTitle(QString::fromLatin1(kShortCaption));
    setContextMenuPolicy(Qt::NoContextMenu);

    pollTimer_.setObjectName(QStringLiteral("Timer1"));
    pollTimer_.setParent(this);
    pollTimer_.setInterval(250);
    pollTimer_.setTimerType(Qt::PreciseTimer);  // four polls a second, evenly

    toolbar_ = buildPanelToolbar(*this);

    face_ = new MeterFace(this);
    face_->setStyleSheet(QString::fromLatin1(kKeyStyle));
    setCentralWidget(face_);

    display_ = std::make_unique<LcdDisplay>(*face_);
    exchange_ = std::make_unique<KeyExchange>();
    keypad_ = new Keypad(*face_, *exchange_, clock);
    display_->attach(Element::Cmdref, keypad_->refKey());

    eraseList_ = new EraseList(face_);
    eraseList_->raise();

    // The status line under the keypad: what a command did, or why it did nothing.
    statusBar()->setObjectName(QStringLiteral("StatusLine"));
    statusBar()->setSizeGripEnabled(false);  // the panel has a fixed size

    connect(&pollTimer_, &QTimer::timeout, this, &Panel::onPollTimeout);
    addShortcuts();
    // The panel is the meter's fixed face: it neither stretches nor maximises into a grey
    // field. Whatever the window holds (toolbar, face, a status line) sets its size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Panel::addShortcuts() {
    // Ctrl+Q quits from whichever of the program's windows is active.
    auto* quit = new QAction(QStringLiteral("Quit"), this);
    quit->setObjectName(QStringLiteral("Quit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));  // under any platform theme
    quit->setShortcutContext(Qt::ApplicationShortcut);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    auto* about = new QAction(QStringLiteral("About Photara"), this);
    about->setObjectName(QStringLiteral("About"));
    about->setShortcut(QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, [this] { showAbout(this); });
    addAction(about);
}

Panel::~Panel() = default;

void Panel::setKeySender(std::function<void(std::uint8_t)> send) {
    exchange_->setSender(std::move(send));
}

void Panel::setRhLit(std::function<bool()> rhLit) {
    keypad_->setRhLit(std::move(rhLit));
}

QAction* Panel::toolbarAction(ToolbarCommand command) {
    for (QAction* action : toolbar_->actions())
        if (action->data() == QVariant(static_cast<int>(command))) return action;
    return nullptr;
}

QComboBox* Panel::eraseList() {
    return eraseList_;
}

void Panel::showModel() {
    display_->show(model_, model_.takeChanges());
}

QPushButton* Panel::keypadMember(int index) const {
    return keypad_->member(index);
}

void Panel::load() {
    if (QPushButton* delta = keypad_->member(Keypad::kDeltaMember))
        delta->setText(QStringLiteral("Delta/%"));
    model_.setCaption(Element::LblPercent, "%");
    model_.setCaption(Element::LblPercentA, "%A");
    showTick();
    pollTimer_.start();
    // The first reading as soon as the window is up; the timer keeps the rhythm after it.
    QTimer::singleShot(0, this, [this] {
        if (pollTimer_.isActive()) onPollTimeout();
    });
}

void Panel::onPollTimeout() {
    if (pollTick_) pollTick_();
}

void Panel::showPolled() {
    showTick();
    emit tickShown();
}

void Panel::showTick() {
    if (display_->lit() || (reportSeen_ && reportSeen_())) {
        showModel();
    } else {
        display_->showBlank(model_, model_.takeChanges());
    }
}

void Panel::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && !placed_) {
        placed_ = true;
        restoreWindowPlace(*this);
    }
    QMainWindow::showEvent(event);
}

void Panel::closeEvent(QCloseEvent* event) {
    rememberWindowPlace(*this);
    // Closing the panel ends the program at once, with every other window; nothing is asked.
    event->accept();
    QCoreApplication::quit();
}

}  // namespace photara
