// Safe editing in the window: the Undo and Redo buttons, the keyboard shortcuts, the title with
// the file name and the modified mark, and the recovery file written behind the user's back.

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include "text/Texts.h"
#include "ui/AboutDialog.h"
#include "ui/FilesTab.h"
#include "ui/MainWindow.h"
#include "base/FileReplace.h"
#include "editor/Recovery.h"

namespace tintora {

namespace {

// A change is in the recovery file within this time, however fast the user types on.
constexpr int kRecoveryDelayMs = 1000;
// How many times (50 ms apart) the recovery question waits for the window to be on the screen.
constexpr int kRecoveryOfferTries = 40;

QString KeyText(const QKeySequence& keys) { return keys.toString(QKeySequence::NativeText); }

// A tooltip that names the keys of a control: "Undo: ... (Ctrl+Z)".
QString WithKeys(const QString& text, const QKeySequence& keys) {
    return text.isEmpty() ? KeyText(keys) : text + QStringLiteral("  (") + KeyText(keys) + QLatin1Char(')');
}

const QKeySequence kUndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
const QKeySequence kRedoKeys2(Qt::CTRL | Qt::Key_Y);

}  // namespace

void MainWindow::BuildHistoryButtons(QGridLayout* buttons, int row, QWidget* parent) {
    auto* pair = new QHBoxLayout;
    cmdUndo_ = new QPushButton(parent);
    cmdUndo_->setObjectName(QStringLiteral("cmdUndo"));
    cmdRedo_ = new QPushButton(parent);
    cmdRedo_->setObjectName(QStringLiteral("cmdRedo"));
    for (QPushButton* b : {cmdUndo_, cmdRedo_}) {
        b->setAutoDefault(false);
        b->setEnabled(false);
        pair->addWidget(b);
    }
    buttons->addLayout(pair, row, 0);
    connect(cmdUndo_, &QPushButton::clicked, this, [this] { editor_.Undo(); });
    connect(cmdRedo_, &QPushButton::clicked, this, [this] { editor_.Redo(); });
}

void MainWindow::ConnectShortcuts() {
    const auto bind = [this](const QKeySequence& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    // A hex box with its own text to undo takes these keys first (HexBox).
    bind(kUndoKeys, [this] { editor_.Undo(); });
    bind(kRedoKeys, [this] { editor_.Redo(); });
    bind(kRedoKeys2, [this] { editor_.Redo(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { editor_.OpenThemeWithDialog(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveShortcut(); });
    bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { editor_.SaveAs(); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { cmdExit_Click(); });
    bind(QKeySequence(Qt::Key_F1), [this] { ShowAboutDialog(this, editor_.GetTexts()); });
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        const QKeySequence keys(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + tab));
        bind(keys, [this, tab] { tabs_->setCurrentIndex(tab); });
        tabs_->setTabToolTip(tab, KeyText(keys));
    }

    // The keys in the tooltips of the controls they press.
    const auto tip = [this](const char* name, const QKeySequence& keys) {
        if (auto* button = findChild<QPushButton*>(QString::fromLatin1(name))) button->setToolTip(KeyText(keys));
    };
    tip("cmdReadFile", QKeySequence(Qt::CTRL | Qt::Key_O));
    tip("cmdSave", QKeySequence(Qt::CTRL | Qt::Key_S));
    tip("cmdSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    tip("cmdExit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    tip("cmdAbout", QKeySequence(Qt::Key_F1));
}

void MainWindow::SaveShortcut() {
    // A copy: the save may refresh the browser, which forgets its target.
    if (const std::optional<std::string> target = filesTab_->Browser().SaveTarget())
        editor_.Save(*target);
    else
        editor_.SaveAs();
}

QString MainWindow::TitleText() const {
    QString title = baseTitle_;
    if (!editor_.FilePath().empty()) title += QStringLiteral(" \u2014 ") + QString::fromStdString(editor_.FileName());
    if (editor_.Modified()) title += QStringLiteral(" *");
    return title;
}

void MainWindow::ShowHistoryState() {
    if (!cmdUndo_) return;  // the window is still being built
    const Texts& texts = editor_.GetTexts();
    setWindowTitle(TitleText());
    cmdUndo_->setText(QString::fromStdString(texts.GetText(kTextUndo)));
    cmdRedo_->setText(QString::fromStdString(texts.GetText(kTextRedo)));
    const QString undo = QString::fromStdString(editor_.UndoText());
    const QString redo = QString::fromStdString(editor_.RedoText());
    // A value half typed can be taken back too, though it has no name yet.
    cmdUndo_->setEnabled(editor_.CanUndo());
    cmdRedo_->setEnabled(editor_.CanRedo());
    if (filesTab_) filesTab_->ShowSaveState();
    cmdUndo_->setToolTip(WithKeys(undo, kUndoKeys));
    cmdRedo_->setToolTip(WithKeys(redo, kRedoKeys));
}

void MainWindow::StartSafety() {
    const std::filesystem::path dataFolder = tempfolder_.parent_path();
    recovery_ = std::make_unique<RecoveryWriter>(RecoveryFilePath(dataFolder.string(), ThisProcess()));
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryDelayMs);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { WriteRecoveryNow(); });
    editor_.StartHistory();
    ShowHistoryState();
    OfferRecoveryWhenShown(kRecoveryOfferTries);
}

void MainWindow::OfferRecoveryWhenShown(int triesLeft) {
    // Asked once the window is on the screen, so that the question has the window behind it,
    // and before a file named on the command line is opened.
    QTimer::singleShot(triesLeft == kRecoveryOfferTries ? 0 : 50, this, [this, triesLeft] {
        const bool shown = windowHandle() && windowHandle()->isExposed();
        if (!shown && triesLeft > 0) {
            OfferRecoveryWhenShown(triesLeft - 1);
            return;
        }
        OfferRecovery(editor_, tempfolder_.parent_path().string());
    });
}

void MainWindow::HistoryChanged() {
    if (exited_) return;
    ShowHistoryState();
    if (!recovery_) return;  // start-up: the recovery writer starts afterwards
    if (!editor_.Modified()) {
        recoveryTimer_->stop();
        recovery_->Remove();
    } else if (!recoveryTimer_->isActive()) {
        // Not restarted by each key: the first change of a burst sets when it is written.
        recoveryTimer_->start();
    }
}

void MainWindow::WriteRecoveryNow() {
    recoveryTimer_->stop();
    if (!recovery_ || !editor_.Modified()) return;
    recovery_->Post(CaptureState(editor_.GetTheme(), editor_.FilePath(), &editor_.GetHistory().Current()));
}

}  // namespace tintora
