#include "ui/FileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace tintora {

DropAction DecideDrop(const QMimeData* mime, int slotUnderCursor) {
    if (!mime || !mime->hasUrls()) return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QString path = urls.front().toLocalFile();
    if (QFileInfo(path).suffix().compare(QLatin1String("thm"), Qt::CaseInsensitive) == 0)
        return {DropAction::Kind::OpenTheme, path, -1};
    if (slotUnderCursor >= 0) return {DropAction::Kind::LoadPicture, path, slotUnderCursor};
    return {};
}

FileDrop::FileDrop(QWidget& window, Handlers handlers) : QObject(&window), handlers_(std::move(handlers)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->acceptDrops()) child->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const QPoint global = widget ? widget->mapToGlobal(drop->position().toPoint()) : QPoint();
    const DropAction action = DecideDrop(drop->mimeData(), handlers_.slotAt ? handlers_.slotAt(global) : -1);
    if (action.kind == DropAction::Kind::None) {
        // Not a file drop of ours: a hex box still takes dragged text.
        if (!drop->mimeData() || !drop->mimeData()->hasUrls()) return false;
        // A single file is taken in on entering, so that its moves keep coming: a picture may
        // reach a slot row further on.
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (type == QEvent::DragEnter && urls.size() == 1 && urls.front().isLocalFile()) drop->accept();
        else drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, action] {
            if (action.kind == DropAction::Kind::OpenTheme && handlers_.openTheme) handlers_.openTheme(action.path);
            if (action.kind == DropAction::Kind::LoadPicture && handlers_.loadPicture)
                handlers_.loadPicture(action.slot, action.path);
        });
    }
    return true;
}

}  // namespace tintora
