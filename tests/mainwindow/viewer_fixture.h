// A main window over a temporary folder tree, with its own settings file, recorded messages and
// recorded shell calls.
#pragma once

#include "../wait_until.h"
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/popup_menu.h"
#include "mainwindow/favourites.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/group_box_ex.h"
#include "mainwindow/main_window.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "platform/message_service.h"
#include "platform/shell_actions.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace gonilux::mainwindow::testing {

// A type B record, horizontal and vertical angles -90..90: its 0 degree plane is the third.
inline const QByteArray kTypeB =
    "IESNA:LM-63-2002\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n1 1000 1 5 5 2 2 0 "
    "0 0\r\n1 1 40\r\n-90 -45 0 45 90\r\n-90 -45 0 45 90\r\n10 20 30 20 "
    "10\r\n11 21 31 21 11\r\n12 22 32 22 12\r\n13 23 33 23 13\r\n14 24 "
    "34 24 14\r\n";

// A type C record of two planes starting at `first` degrees.
inline QByteArray TypeCText(int first, const QByteArray& test = "T-1") {
    return "IESNA:LM-63-2002\r\n[TEST] " + test +
           "\r\n[MANUFAC] Beta\r\nTILT=NONE\r\n1 1000 1 2 2 1 2 0 0 0\r\n1 1 36\r\n0 90\r\n" +
           QByteArray::number(first) + " " + QByteArray::number(first + 180) +
           "\r\n100 50\r\n100 50\r\n";
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Compares `actual` with tests/data/expected/mainwindow/`name`; GONILUX_UPDATE_EXPECTED=1
// rewrites the file first.
inline void ExpectSameAsFile(const QString& name, const QByteArray& actual) {
    const QString file = GONILUX_TESTDATA_DIR "/expected/mainwindow/" + name;
    if (QFile update(file);
        qgetenv("GONILUX_UPDATE_EXPECTED") == "1" && update.open(QIODevice::WriteOnly))
        update.write(actual);
    EXPECT_EQ(ReadFile(file).toStdString(), actual.toStdString()) << file.toStdString();
}

// The same for a picture, compared pixel by pixel.
inline void ExpectSamePicture(const QString& name, const QImage& image) {
    const QString file = GONILUX_TESTDATA_DIR "/expected/mainwindow/" + name;
    const QImage painted = image.convertToFormat(QImage::Format_ARGB32);
    if (qgetenv("GONILUX_UPDATE_EXPECTED") == "1") painted.save(file);
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_ARGB32), painted) << file.toStdString();
}

// A menu as the user sees it, one visible item a line, submenus indented: "x" marks a disabled
// item, "*" a checked one, ">" the default one, "@" one with an icon.
inline QByteArray MenuListing(const QMenu* menu, const QByteArray& indent = {}) {
    QByteArray text;
    for (const QAction* item : menu->actions()) {
        if (!item->isVisible()) continue;
        text += indent + (item->isEnabled() ? "" : "x") + (item->isChecked() ? "*" : "") +
                (menu->defaultAction() == item ? ">" : "") + (item->icon().isNull() ? "" : "@") +
                item->text().toUtf8() + "\n";
        if (item->menu()) text += MenuListing(item->menu(), indent + "    ");
    }
    return text;
}

class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkpath(QStringLiteral("lib/sub"));
        QDir(root_.path()).mkpath(QStringLiteral("other"));
        record(true);
        auto shell = std::make_unique<platform::RecordingShellActions>();
        shell_ = shell.get();
        platform::ShellActions::setInstance(std::move(shell));
    }
    void TearDown() override {
        window_.reset();
        platform::MessageService::instance()->setRecorder({});
        platform::ShellActions::setInstance(nullptr);
        browser::SetHeaderEncodingChoice("auto");
    }
    void record(bool answer) { // messages are recorded; questions get `answer`
        platform::MessageService::instance()->setRecorder(
            [this](const platform::MessageService::Message& m) { messages_.append(m); }, answer);
    }
    // A window over the tree (resized to `size_` when valid); `ini`, with "<root>" for the tree's
    // folder and "<name>" for its name, is the settings file it starts with.
    void open(QByteArray ini = {}) {
        window_.reset();
        if (!ini.isEmpty())
            write("gonilux.ini",
                  ini.replace("<root>", root_.path().toUtf8())
                      .replace("<name>", QFileInfo(root_.path()).fileName().toUtf8()));
        window_ = std::make_unique<TMainWindow>(
            StartOptions{iniPath(), root_.path(), {}, path("index.sqlite")});
        if (size_.isValid()) window_->resize(size_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    QString iniPath() const { return path("gonilux.ini"); }
    QString title(const QString& shown) const { return "Gonilux v2.9    " + path(shown); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const { return ReadFile(path(name)); }
    QString path(const QString& relative) const { return QDir(root_.path()).filePath(relative); }
    browser::FolderListView* list() const { return window_->fileList(); }
    OptionsPanel* o() const { return window_->options(); }
    // A control of the options panel by its name, as the settings file knows it.
    template <class Control = QCheckBox> Control* ctl(const char* name) const {
        auto* control = o()->findChild<Control*>(QLatin1String(name));
        EXPECT_TRUE(control) << name;
        return control;
    }
    PreviewPane* preview() const { return window_->preview(); }
    QString treePath() const {
        return window_->folderTree()->ParsingName(window_->folderTree()->currentItem());
    }
    int rowOf(const QString& fileName) const {
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (QFileInfo(list()->entryFilePath(row)).fileName() == fileName) return row;
        return -1;
    }
    // The file names the list shows (not hidden by the filter) once it has read what the
    // filter needs, sorted.
    QStringList shownFiles() const {
        EXPECT_TRUE(test::WaitUntil([this] { return !list()->entriesReading(); }));
        list()->doItemsLayout();
        QStringList shown;
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (!list()->isRowHidden(row))
                shown << QFileInfo(list()->entryFilePath(row)).fileName();
        shown.sort();
        return shown;
    }
    void select(const QString& fileName) { // as a click does
        list()->setCurrentRow(rowOf(fileName), QItemSelectionModel::ClearAndSelect);
        QCoreApplication::processEvents();
    }

    QTemporaryDir root_;
    QSize size_{900, 650};
    QList<platform::MessageService::Message> messages_;
    platform::RecordingShellActions* shell_ = nullptr;
    std::unique_ptr<TMainWindow> window_;
};

} // namespace gonilux::mainwindow::testing
