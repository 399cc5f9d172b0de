#pragma once
// The real editor window on a temporary home folder, with scripted dialogs and an in-memory
// settings store, and the few gestures the widget tests drive it with.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "editor/SaveTheme.h"
#include "model/Catalogue.h"
#include "preview/PreviewLayout.h"
#include "settings/SettingsStore.h"
#include "support/LogRig.h"
#include "support/TestGif.h"
#include "text/Texts.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace tintora::test {

// Where the painted preview shows a screen, a point given in twips within a screen, or an item.
inline int ScreenNamed(std::string_view name) {
    for (int s = 0; s < kScreenCount; ++s)
        if (kScreens[static_cast<std::size_t>(s)].name == name) return s;
    ADD_FAILURE() << "no screen " << name;
    return 0;
}

inline QPoint ScreenPixel(int screen, int x, int y, double zoom = 2.0) {
    const auto px = [zoom](int twips) { return static_cast<int>(std::lround(twips * zoom / kTwipsPerPixel)); };
    return {px(ScreenLeft(screen) + x), px(ScreenTop(screen) + y)};
}
inline QPoint ScreenPixel(std::string_view screen, int x, int y, double zoom = 2.0) {
    return ScreenPixel(ScreenNamed(screen), x, y, zoom);
}
inline QRect ScreenRect(int screen, double zoom = 2.0) {
    return {ScreenPixel(screen, 0, 0, zoom), ScreenPixel(screen, kScreenWidth, kScreenHeight, zoom) - QPoint(1, 1)};
}

// The pixels of item name(index) where the model has it now.
inline QRect ItemRect(const PreviewModel& model, std::string_view name, int index = kNoIndex, double zoom = 2.0) {
    const int id = model.Find(name, index);
    EXPECT_GE(id, 0) << name << " " << index;
    if (id < 0) return {};
    const ItemState& s = model.State(id);
    const int screen = model.Def(id).screen;
    return {ScreenPixel(screen, s.left, s.top, zoom), ScreenPixel(screen, s.left + s.width, s.top + s.height, zoom) - QPoint(1, 1)};
}

// Runs `inDialog` on the next modal dialog of type D that shows within five seconds (also one a
// queued handler opens), then accepts or rejects it; `shown` (if given) says whether it came.
template <class D>
void WhenModalShows(std::function<void(D&)> inDialog, bool ok, bool* shown = nullptr) {
    if (shown) *shown = false;
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 1000) return;
        timer->stop();
        timer->deleteLater();
        if (!dialog) return;
        if (shown) *shown = true;
        inDialog(*dialog);
        ok ? dialog->accept() : dialog->reject();
    });
    timer->start(5);
}

class WindowFixture : public ::testing::Test, public LogRig<> {
protected:
    WindowFixture() : LogRig(LocalTime{2026, 12, 7, 14, 5, 9}) {}
    // The browser starts in the home folder: the temporary folder here. (CTest runs each test alone.)
    void SetUp() override { qputenv("HOME", QByteArray::fromStdString(dir.Path().string())); }

    MainWindow& Start(const std::filesystem::path& dataFolder = {}) {
        window = std::make_unique<MainWindow>(toolkit, store, log, dataFolder.empty() ? dir.Path() : dataFolder);
        window->GetEditor().SetClock(clock);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }
    // A theme file of the default colours but `colour` for element `e`, as the program saves it.
    void WriteTheme(const std::filesystem::path& path, int e, const std::string& colour, ThemeInfo info = {}) {
        Theme t;
        for (const ElementDef& d : kElements) t.colours[d.index] = d.defaultValue;
        t.colours[static_cast<std::size_t>(e)] = colour;
        t.info = std::move(info);
        std::string why;
        ASSERT_TRUE(SaveTheme(log, Texts{}, t, path.string(), why)) << why;
    }

    template <class T>
    T* Find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    template <class T>
    T* Find(const char* prefix, int i) const { return Find<T>(QString::fromLatin1(prefix) + QString::number(i)); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(QString::fromLatin1(name)); }
    QPushButton* Button(const char* prefix, int i) const { return Find<QPushButton>(prefix, i); }
    QLabel* Label(const char* prefix, int i) const { return Find<QLabel>(prefix, i); }
    HexBox* Box(int i) const { return Find<HexBox>("txtColor_", i); }
    QLabel* Caption(int i) const { return Label("lbl_", i); }
    QComboBox* Languages() const { return Find<QComboBox>(QStringLiteral("cboLang")); }
    QTabWidget* Tabs() const { return Find<QTabWidget>(QStringLiteral("SSTab1")); }
    QListWidget* List() const { return Find<QListWidget>(QStringLiteral("ListFiles")); }
    PreviewWidget* PreviewOnScreen() const { return Find<PreviewWidget>(QStringLiteral("preview")); }
    const PreviewModel& Model() const { return window->Preview(); }
    Editor& Core() const { return window->GetEditor(); }
    void Click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }

    void OpenTab(int index) {
        QTabBar* bar = Tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(Tabs()->currentIndex(), index);
    }
    // Replaces the whole text of hex box `i` by typing, on the tab that shows it.
    void Type(int i, const QString& keys) {
        HexBox* box = Box(i);
        for (int t = 0; t < Tabs()->count(); ++t)
            if (Tabs()->widget(t)->isAncestorOf(box)) OpenTab(t);
        Click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, keys);
    }
    // A click on an entry of the file list; `twice` adds the double-click as the window system sends it.
    void ClickEntry(const char* text, bool twice = false) {
        const auto found = List()->findItems(QString::fromUtf8(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        const QPoint at = List()->visualItemRect(found.front()).center();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
        if (!twice) return;
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, at);
    }
    // Drags the file at `path` onto `target` at `at` and drops it, delivered as Qt does: to the
    // nearest widget from `target` up that takes drops. True when taken; its work has run since.
    bool Drop(QWidget* target, QPoint at, const std::string& path) {
        QWidget* w = target;
        for (; w && !w->acceptDrops(); w = w->parentWidget()) at = w->mapToParent(at);
        if (!w) return false;
        QMimeData mime;
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        mime.setUrls({url});
        mime.setText(url.toString());  // file managers offer the name as text too
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        for (QDropEvent* e : {static_cast<QDropEvent*>(&enter), static_cast<QDropEvent*>(&move), &drop}) {
            QCoreApplication::sendEvent(w, e);
            if (!e->isAccepted()) return false;
        }
        QTest::qWait(50);  // the drop's work runs once the drop is over
        return true;
    }

    // A one-coloured picture of the slot's size, chosen with its Select button; returns its bytes.
    std::string LoadPicture(int slot, QColor c = QColor(10, 200, 30)) {
        const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
        const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
        const std::string gif = SolidGif(def.width, def.height, byte(c.red()), byte(c.green()), byte(c.blue()));
        const std::string path = dir / ("slot" + std::to_string(slot) + ".gif");
        WriteAll(path, gif);
        toolkit.files.push_back(path);
        Click(Button("cmdLoadFile_", slot));
        return gif;
    }

    long LogCount(const std::string& line) const {
        return std::count(log.Captured().begin(), log.Captured().end(), line);
    }

    // A settings store in memory that can be told to fail as a full disk would.
    struct Store : MemorySettingsStore {
        std::string failure;
        bool Flush(std::string& why) override {
            why = failure;
            return failure.empty();
        }
    } store;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tintora::test
