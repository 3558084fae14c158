// A shown file list over a temporary folder with recorded messages, for the .ldt listing and
// the error badge tests.
#pragma once

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace gonilux::browser::testing {

// A real EULUMDAT file of the shared test data (path below ldt-real/).
inline QString RealLdt(const char* relative) {
    return QStringLiteral(GONILUX_TESTDATA_DIR "/ldt-real/") + QString::fromUtf8(relative);
}

// A type C IES file with one plane; `header` replaces the line of the thirteen header numbers.
inline QByteArray SmallIes(const QByteArray& header = "1 1000 1 3 1 1 2 0.5 0.6 0") {
    return "IESNA:LM-63-2002\r\n[TEST] T-1\r\n[LUMINAIRE] Mid\r\nTILT=NONE\r\n" + header +
           "\r\n1 1 36\r\n0 45 90\r\n0\r\n100 80 10\r\n";
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        platform::MessageService::instance()->setRecorder(
            [this](const platform::MessageService::Message& m) { messages_.push_back(m); });
        view_.resize(460, 360);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    }
    void TearDown() override { platform::MessageService::instance()->setRecorder({}); }

    QString folder() const { return root_.path(); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(root_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
    }
    // Copies a real .ldt file into the folder under its own name; returns that name.
    QString copyLdt(const char* relative) {
        const QString name = QFileInfo(RealLdt(relative)).fileName();
        EXPECT_TRUE(QFile::copy(RealLdt(relative), root_.filePath(name))) << relative;
        return name;
    }
    FolderListing listing() const {
        FolderListing result;
        result.Path = folder();
        result.NodeText = QFileInfo(folder()).fileName();
        result.HasParent = true;
        for (const QString& sub : QDir(folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            result.Children.append({sub, folder() + "/" + sub, QIcon()});
        return result;
    }
    void show() { view_.ShowFolderContents(listing()); }
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
    void select(int row) {
        ASSERT_GE(row, 0);
        view_.setCurrentItem(view_.item(row), QItemSelectionModel::ClearAndSelect);
    }
    QImage paint() { return view_.viewport()->grab().toImage(); }

    QTemporaryDir root_;
    FolderListView view_;
    std::vector<platform::MessageService::Message> messages_;
};

} // namespace gonilux::browser::testing
