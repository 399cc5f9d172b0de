// In the editor built for the end-to-end test: ten times a second, "name x y width height" of every
// named visible widget and phone screen, written whole to $TINTORA_TEST_GEOMETRY_FILE.

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include "preview/PreviewLayout.h"
#include "ui/PreviewWidget.h"

namespace {

void WriteGeometry(const QWidget& window, const QString& file) {
    QFile out(file + QStringLiteral(".part"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream text(&out);
    const auto put = [&text](const QString& name, const QWidget& w, QRect r) {
        const QPoint at = w.mapToGlobal(r.topLeft());
        text << name << ' ' << at.x() << ' ' << at.y() << ' ' << r.width() << ' ' << r.height() << '\n';
    };
    for (const QWidget* w : window.findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && w->isVisible()) put(w->objectName(), *w, w->rect());
    if (const auto* preview = window.findChild<tintora::PreviewWidget*>(QStringLiteral("preview"))) {
        const auto px = [zoom = preview->Zoom()](int twips) { return twips * zoom / tintora::kTwipsPerPixel; };
        for (int s = 0; s < tintora::kScreenCount; ++s) {
            const QRect r(px(tintora::ScreenLeft(s)), px(tintora::ScreenTop(s)), px(tintora::kScreenWidth),
                          px(tintora::kScreenHeight));
            put(QString::fromUtf8(tintora::kScreens[static_cast<std::size_t>(s)].name), *preview, r);
        }
    }
    text.flush();
    QFile::remove(file);
    out.rename(file);
}

void StartGeometryReport() {
    const QString file = qEnvironmentVariable("TINTORA_TEST_GEOMETRY_FILE");
    if (file.isEmpty() || !qApp) return;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [file] {
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmMain") && w->isVisible()) WriteGeometry(*w, file);
    });
    timer->start(100);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartGeometryReport)
