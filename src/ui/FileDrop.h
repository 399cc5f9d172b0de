#pragma once
// Files dropped on the editor window. A theme file (extension .thm in any letter case) opens
// wherever it is dropped; any other file opens only where a picture slot's row is under the
// cursor, and goes to that slot. A drag of anything else, or of more than one
// file, is refused, so the cursor says whether a drop would do something.

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace tintora {

// What a drop would do.
struct DropAction {
    enum class Kind { None, OpenTheme, LoadPicture };
    Kind kind = Kind::None;
    QString path;
    int slot = -1;
};

// The action for `mime` dropped where slot `slotUnderCursor` is (-1: no slot row there).
DropAction DecideDrop(const QMimeData* mime, int slotUnderCursor);

class FileDrop : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<int(QPoint globalPos)> slotAt;                 // the slot row there, or -1
        std::function<void(const QString& path)> openTheme;
        std::function<void(int slot, const QString& path)> loadPicture;
    };
    // Takes drops on `window` and on every widget inside it that takes drops of its own (the
    // hex boxes would otherwise paste a file's name as text). The handlers run after the drop
    // has finished, so a message box they open does not hold up the program the file came from.
    FileDrop(QWidget& window, Handlers handlers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handlers handlers_;
};

}  // namespace tintora
