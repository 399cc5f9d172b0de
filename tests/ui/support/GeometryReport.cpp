// Linked into the editor built for the end-to-end test (tintora_e2e), beside the editor's own
// main: when TINTORA_TEST_GEOMETRY_FILE names a file, the screen rectangle of every named visible
// widget of the main window and of every tab is written there ("name x y width height"),
// followed by "currentTab N". The entries of the file browser that are in view follow as
// "ListFiles:TEXT", blanks in TEXT as "_". The file is written after the window first shows, after
// every change of tab and after every change of the browser's list, always whole: readers never
// see half of it.

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include "preview/PreviewLayout.h"
#include "ui/PreviewWidget.h"

namespace {

void WriteGeometry(QWidget& window, const QString& file) {
    const QString partial = file + QStringLiteral(".part");
    QFile out(partial);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream text(&out);
    const auto put = [&text](const QString& name, const QWidget& w, QRect r) {
        const QPoint at = w.mapToGlobal(r.topLeft());
        text << name << ' ' << at.x() << ' ' << at.y() << ' ' << r.width() << ' ' << r.height() << '\n';
    };
    for (const QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisible()) put(w->objectName(), *w, w->rect());
    // The phone screens inside the preview, named as the layout names them.
    if (const auto* preview = window.findChild<tintora::PreviewWidget*>(QStringLiteral("preview"))) {
        const int zoom = preview->Zoom();
        const auto px = [zoom](int twips) { return twips * zoom / tintora::kTwipsPerPixel; };
        for (int s = 0; s < tintora::kScreenCount; ++s) {
            const std::string_view name = tintora::kScreens[static_cast<std::size_t>(s)].name;
            const QRect r(px(tintora::ScreenLeft(s)), px(tintora::ScreenTop(s)), px(tintora::kScreenWidth),
                          px(tintora::kScreenHeight));
            put(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), *preview, r);
        }
    }
    if (const auto* list = window.findChild<QListWidget*>(QStringLiteral("ListFiles")); list && list->isVisible()) {
        for (int i = 0; i < list->count(); ++i) {
            const QRect r = list->visualItemRect(list->item(i));
            if (!list->viewport()->rect().intersects(r)) continue;
            QString entry = list->item(i)->text();
            entry.replace(QLatin1Char(' '), QLatin1Char('_'));
            put(QStringLiteral("ListFiles:") + entry, *list->viewport(), r);
        }
    }
    if (auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"))) {
        for (int i = 0; i < tabs->count(); ++i)
            put(QStringLiteral("tab_%1").arg(i), *tabs->tabBar(), tabs->tabBar()->tabRect(i));
        text << "currentTab " << tabs->currentIndex() << '\n';
    }
    text.flush();
    out.close();
    QFile::remove(file);
    QFile::rename(partial, file);
}

// Waits for the main window's first show, then writes the file whenever the window may have moved
// something the test looks for. A write is queued, so that it sees the window after the change's
// own layout, and the changes of one pass through the event loop share one write.
class GeometryReport : public QObject {
public:
    GeometryReport(QString file, QObject* parent) : QObject(parent), file_(std::move(file)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !window_ && watched->objectName() == QLatin1String("frmMain")) {
            window_ = static_cast<QWidget*>(watched);
            if (auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("SSTab1")))
                connect(tabs, &QTabWidget::currentChanged, this, &GeometryReport::Queue);
            if (auto* list = window_->findChild<QListWidget*>(QStringLiteral("ListFiles"))) {
                connect(list->model(), &QAbstractItemModel::rowsInserted, this, &GeometryReport::Queue);
                connect(list->model(), &QAbstractItemModel::rowsRemoved, this, &GeometryReport::Queue);
                connect(list->model(), &QAbstractItemModel::modelReset, this, &GeometryReport::Queue);
            }
            // A file given on the command line opens from a zero timer queued just after the
            // show: the first write queues behind it, so that it sees the file's folder listed.
            QTimer::singleShot(0, this, [this] { Queue(); });
        }
        return false;
    }

private:
    void Queue() {
        if (queued_) return;
        queued_ = true;
        QTimer::singleShot(0, this, [this] {
            queued_ = false;
            if (window_) WriteGeometry(*window_, file_);
        });
    }

    QString file_;
    QPointer<QWidget> window_;
    bool queued_ = false;
};

void StartGeometryReport() {
    const QString file = qEnvironmentVariable("TINTORA_TEST_GEOMETRY_FILE");
    if (file.isEmpty() || !qApp) return;
    qApp->installEventFilter(new GeometryReport(file, qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartGeometryReport)
