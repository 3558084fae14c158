// A shown file list over a temporary folder with recorded messages, and the IES files the list
// tests write into it.
#pragma once

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace gonilux::browser::testing {

using platform::MessageService;

// A real EULUMDAT file of the shared test data (path below ldt-real/).
inline QString RealLdt(const char* relative) {
    return QStringLiteral(GONILUX_TESTDATA_DIR "/ldt-real/") + QString::fromUtf8(relative);
}

// A type C IES file with one plane and a falling distribution over 0..90 degrees. `test` is the
// [TEST] value (a [MANUFAC] line instead when empty); a bad header has an invalid token among
// the header numbers on line 4; `byAuthor` adds the author's [CHANGED] line.
inline QByteArray IesFile(const QByteArray& test = "T-1", bool badHeader = false,
                          bool byAuthor = false) {
    QByteArray text = "IESNA:LM-63-1995\r\n";
    text += test.isEmpty() ? QByteArray("[MANUFAC] ACME\r\n") : "[TEST] " + test + "\r\n";
    if (byAuthor) text += "[CHANGED] converted by A. Kestrin\r\n";
    text += "TILT=NONE\r\n";
    text += badHeader ? "1 12a 1 10 1 1 2 0.5 0.6 0\r\n" : "1 1000 1 10 1 1 2 0.5 0.6 0\r\n";
    text += "1 1 36\r\n0 10 20 30 40 50 60 70 80 90\r\n0\r\n";
    text += "500 490 470 430 380 320 250 170 90 10\r\n";
    return text;
}

// The listing the folder tree would hand over for `path`, subfolders in name order.
inline FolderListing ListingOf(const QString& path, bool hasParent = true) {
    FolderListing result;
    result.Path = path;
    result.NodeText = QFileInfo(path).fileName();
    result.HasParent = hasParent;
    for (const QString& sub : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        result.Children.append({sub, path + "/" + sub, QIcon()});
    return result;
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        MessageService::instance()->setRecorder([this](const MessageService::Message& m) {
            messages_.push_back(m);
            if (onMessage_) onMessage_();
        });
        view_.resize(460, 360);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    }
    void TearDown() override { MessageService::instance()->setRecorder({}); }

    QString folder() const { return root_.path(); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(root_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
    }
    // A folder below the temporary root (made if missing) with subfolders and files.
    QString makeFolder(const QString& name, const QList<QPair<QString, QByteArray>>& files,
                       const QStringList& subfolders = {}) {
        QDir().mkpath(root_.filePath(name));
        for (const QString& sub : subfolders)
            QDir(root_.filePath(name)).mkdir(sub);
        for (const auto& [file, bytes] : files)
            write(name + "/" + file, bytes);
        return root_.filePath(name);
    }
    // Copies a real .ldt file into the folder under its own name; returns that name.
    QString copyLdt(const char* relative) {
        const QString name = QFileInfo(RealLdt(relative)).fileName();
        EXPECT_TRUE(QFile::copy(RealLdt(relative), root_.filePath(name))) << relative;
        return name;
    }
    FolderListing listing() const { return ListingOf(folder()); }
    void show() { view_.ShowFolderContents(listing()); }
    void show(const QString& path, bool hasParent = true) {
        view_.ShowFolderContents(ListingOf(path, hasParent));
    }
    int rowOf(const QString& name) const {
        for (int i = view_.Tag(); i < view_.count(); ++i)
            if (EntryFileName(*view_.entryAt(i)) == name) return i;
        return -1;
    }
    QStringList fileNames() const {
        QStringList names;
        for (int i = view_.Tag(); i < view_.count(); ++i)
            names << EntryFileName(*view_.entryAt(i));
        names.sort();
        return names;
    }
    int loadedCount() const {
        int loaded = 0;
        for (int i = view_.Tag(); i < view_.count(); ++i)
            loaded += view_.entryAt(i)->Loaded;
        return loaded;
    }
    void select(int row) {
        ASSERT_GE(row, 0);
        view_.setCurrentItem(view_.item(row), QItemSelectionModel::ClearAndSelect);
    }
    QImage paint() { return view_.viewport()->grab().toImage(); }

    QTemporaryDir root_;
    FolderListView view_;
    std::vector<MessageService::Message> messages_;
    std::function<void()> onMessage_; // run after each recorded message
};

} // namespace gonilux::browser::testing
