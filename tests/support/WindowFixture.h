#pragma once
// The real editor window on a temporary home folder, with scripted dialogs and an in-memory
// settings store, and the few gestures the widget tests drive it with.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Catalogue.h"
#include "preview/PreviewLayout.h"
#include "settings/SettingsStore.h"
#include "support/RecordingToolkit.h"
#include "support/TempDir.h"
#include "support/TestGif.h"
#include "ui/ElementRow.h"
#include "ui/HexBox.h"
#include "ui/MainWindow.h"
#include "ui/PreviewWidget.h"
#include "workspace/Clock.h"
#include "workspace/Log.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace tintora::test {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        savedHome_ = qgetenv("HOME");
        // The browser starts in the home folder: the temporary folder here.
        qputenv("HOME", QByteArray::fromStdString(dir.Path().string()));
        log.SetCapture(true);
    }
    void TearDown() override {
        window.reset();
        qputenv("HOME", savedHome_);
    }

    MainWindow& Start() {
        window = std::make_unique<MainWindow>(toolkit, store, log, dir.Path());
        window->GetEditor().SetClock(clock);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }

    template <class T>
    T* Find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QPushButton* Button(const QString& name) const { return Find<QPushButton>(name); }
    QPushButton* Button(const char* prefix, int i) const { return Button(QString::fromLatin1(prefix) + QString::number(i)); }
    QLabel* Label(const char* prefix, int i) const { return Find<QLabel>(QString::fromLatin1(prefix) + QString::number(i)); }
    HexBox* Box(int i) const { return Find<HexBox>(QStringLiteral("txtColor_%1").arg(i)); }
    QLabel* Caption(int i) const { return Label("lbl_", i); }
    Swatch* SwatchOf(int i) const { return Find<Swatch>(QStringLiteral("shapeSelect_%1").arg(i)); }
    QTabWidget* Tabs() const { return Find<QTabWidget>(QStringLiteral("SSTab1")); }
    QListWidget* List() const { return Find<QListWidget>(QStringLiteral("ListFiles")); }
    PreviewWidget* PreviewOnScreen() const { return Find<PreviewWidget>(QStringLiteral("preview")); }
    const PreviewModel& Model() const { return window->Preview(); }
    Editor& Core() const { return window->GetEditor(); }
    void Click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }

    // A click on the caption of tab `index`.
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
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, keys);
    }

    // Writes a file into the temporary folder and returns its path.
    std::string File(const std::string& name, const std::string& bytes) {
        WriteAll(dir / name, bytes);
        return dir / name;
    }
    // The Select button of `slot` with `path` chosen in the open dialog.
    void Select(int slot, const std::string& path) {
        toolkit.files.push_back(path);
        Click(Button("cmdLoadFile_", slot));
    }
    // A one-coloured picture of the slot's size through its Select button.
    void LoadPicture(int slot, QColor c = QColor(10, 200, 30)) {
        const SlotDef& def = kSlots[static_cast<std::size_t>(slot)];
        Select(slot, File("slot" + std::to_string(slot) + ".gif",
                          SolidGif(def.width, def.height, static_cast<std::uint8_t>(c.red()),
                                   static_cast<std::uint8_t>(c.green()), static_cast<std::uint8_t>(c.blue()))));
    }
    void ClickOnOff(int slot) { Click(Button("cmdOnOff_", slot)); }

    // The point of the preview widget at (dx, dy) twips inside item name(index).
    QPoint PreviewPoint(std::string_view name, int index, int dx, int dy) const {
        const int id = Model().Find(name, index);
        EXPECT_GE(id, 0) << name;
        const ItemState& s = Model().State(id);
        const int screen = Model().Def(id).screen;
        return {(ScreenLeft(screen) + s.left + dx) * 2 / kTwipsPerPixel,
                (ScreenTop(screen) + s.top + dy) * 2 / kTwipsPerPixel};
    }
    // The colour the preview widget paints there now.
    QColor PaintedAt(std::string_view name, int index = kNoIndex, int dx = 30, int dy = 30) const {
        return PreviewOnScreen()->grab().toImage().pixelColor(PreviewPoint(name, index, dx, dy));
    }
    void ClickPreviewItem(std::string_view name, int index) {
        const ItemState& s = Model().Item(name, index);
        QTest::mouseClick(PreviewOnScreen(), Qt::LeftButton, {}, PreviewPoint(name, index, s.width / 2, s.height / 2));
    }

    std::vector<int> ShownArrows() const {
        std::vector<int> arrows;
        for (const ArrowPlacement& a : window->Arrows()) arrows.push_back(a.arrow);
        std::sort(arrows.begin(), arrows.end());
        return arrows;
    }

    void ChooseLanguage(const QString& name) {
        auto* combo = Find<QComboBox>(QStringLiteral("cboLang"));
        const int at = combo->findText(name);
        ASSERT_GE(at, 0) << name.toStdString();
        combo->setCurrentIndex(at);
        Q_EMIT combo->activated(at);
    }

    long LogCount(const std::string& line) const {
        return std::count(log.Captured().begin(), log.Captured().end(), line);
    }

    TempDir dir;
    FixedClock clock{LocalTime{2026, 12, 7, 14, 5, 9}};
    RecordingToolkit toolkit;
    MemorySettingsStore store;
    Log log{dir.Path() / "log.txt", clock, &toolkit};
    std::unique_ptr<MainWindow> window;

private:
    QByteArray savedHome_;
};

}  // namespace tintora::test
