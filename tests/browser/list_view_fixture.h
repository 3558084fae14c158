// A shown file list over a temporary folder with recorded messages, and the IES files the list
// tests write into it.
#pragma once

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"
#include "platform/message_service.h"
#include "wait_until.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace gonilux::browser::testing {

using platform::MessageService;
using Files = QList<QPair<QString, QByteArray>>;

// A type C IES file with one plane and a falling distribution over 0..90 degrees. `test` is the
// [TEST] value (a [MANUFAC] line when empty); a bad header has an invalid token on line 4;
// `byAuthor` adds the author's line.
inline QByteArray IesFile(const QByteArray& test = "T-1", bool badHeader = false,
                          bool byAuthor = false) {
    QByteArray text = "IESNA:LM-63-1995\r\n";
    text += test.isEmpty() ? QByteArray("[MANUFAC] ACME\r\n") : "[TEST] " + test + "\r\n";
    if (byAuthor) text += "[CHANGED] converted by A. Kestrin\r\n";
    text += "TILT=NONE\r\n1 " + QByteArray(badHeader ? "12a" : "1000") + " 1 10 1 1 2 0.5 0.6 0";
    return text + "\r\n1 1 36\r\n0 10 20 30 40 50 60 70 80 90\r\n0\r\n"
                  "500 490 470 430 380 320 250 170 90 10\r\n";
}

// The checked-in copy of an expected picture or text under expected/browser/, written first
// when GONILUX_UPDATE_EXPECTED=1.
inline QString ExpectedFile(const QString& name, const std::function<bool(const QString&)>& save) {
    const QString path = QStringLiteral(GONILUX_TESTDATA_DIR "/expected/browser/") + name;
    EXPECT_TRUE(qEnvironmentVariableIntValue("GONILUX_UPDATE_EXPECTED") != 1 || save(path));
    return path;
}
inline void ExpectPicture(const QImage& image, const QString& name) {
    const QImage painted = image.convertToFormat(QImage::Format_ARGB32);
    const QString path = ExpectedFile(name, [&](const QString& to) { return painted.save(to); });
    EXPECT_EQ(painted, QImage(path).convertToFormat(QImage::Format_ARGB32)) << name.toStdString();
}
inline void ExpectText(const QString& text, const QString& name) {
    QFile file(ExpectedFile(name, [&](const QString& to) {
        QFile out(to);
        return out.open(QIODevice::WriteOnly) && out.write(text.toUtf8()) >= 0;
    }));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(text, QString::fromUtf8(file.readAll()));
}

// The listing the folder tree would hand over for `path`, subfolders in name order.
inline FolderListing ListingOf(const QString& path, bool hasParent = true) {
    FolderListing result{path, QFileInfo(path).fileName(), {}, hasParent, true, {}};
    for (const QString& sub : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        result.Children.append({sub, path + "/" + sub, QIcon()});
    return result;
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        MessageService::instance()->setRecorder(
            [this](const MessageService::Message& m) { messages_.push_back(m); });
        // Every picture of the progress panel: its text, caption and gauge maximum.
        panelWatch_.reset(new PanelWatch(this));
        view_.processingPanel()->installEventFilter(panelWatch_.get());
        view_.resize(460, 360);
        view_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    }
    void TearDown() override { MessageService::instance()->setRecorder({}); }

    void write(const QString& name, const QByteArray& bytes) {
        QFile file(root_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
    }
    // A folder below the temporary root with subfolders and files.
    QString makeFolder(const QString& name, const Files& files, const QStringList& subs = {}) {
        QDir().mkpath(root_.filePath(name));
        for (const QString& sub : subs)
            QDir(root_.filePath(name)).mkdir(sub);
        for (const auto& [file, bytes] : files)
            write(name + "/" + file, bytes);
        return root_.filePath(name);
    }
    // Copies a real .ldt file of the test data into the root folder.
    void copyLdt(const QString& relative) {
        const QString from = QStringLiteral(GONILUX_TESTDATA_DIR "/ldt-real/") + relative;
        ASSERT_TRUE(QFile::copy(from, root_.filePath(QFileInfo(from).fileName())))
            << from.toStdString();
    }
    // Waits until the worker threads have read what the list asked for.
    [[nodiscard]] bool settled() {
        return test::WaitUntil([this] { return !view_.entriesReading(); });
    }
    void show(const QString& path = {}, bool hasParent = true) {
        view_.ShowFolderContents(ListingOf(path.isEmpty() ? root_.path() : path, hasParent));
        EXPECT_TRUE(settled());
    }
    void chooseCaption(int k) {
        view_.ComboBoxCaptionChange(k);
        EXPECT_TRUE(settled());
    }
    void filter(const QString& text) {
        view_.setFilterText(text);
        EXPECT_TRUE(settled());
    }
    int rowOf(const QString& name) const {
        for (int i = view_.Tag(); i < view_.count(); ++i)
            if (EntryFileName(*view_.entryAt(i)) == name) return i;
        return -1;
    }
    // The list as a user sees it: the captions in order, "~" before a hidden row, "*" after the
    // current and "+" after a selected one, "!" after a read file.
    QString dump() const {
        QStringList rows;
        for (int i = 0; i < view_.count(); ++i) {
            const TiesData* entry = view_.entryAt(i);
            rows << (view_.isRowHidden(i) ? "~" : "") + view_.entryCaption(i) +
                        (view_.currentRow() == i ? "*" : "") + (view_.isRowSelected(i) ? "+" : "") +
                        (entry && entry->Loaded ? "!" : "");
        }
        return rows.join('|');
    }
    void select(int row) {
        ASSERT_GE(row, 0);
        view_.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    QRect rectOf(int row) const { return view_.visualRect(view_.model()->index(row, 0)); }
    QImage paint() { return view_.viewport()->grab().toImage(); }

    struct PanelWatch : QObject {
        explicit PanelWatch(ListViewTest* test) : test_(test) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() != QEvent::Paint) return false;
            const ProcessingPanel* panel = test_->view_.processingPanel();
            const QString seen = panel->label()->text() + "|" + panel->caption() + "|" +
                                 QString::number(panel->gauge()->maxValue());
            if (test_->panels_.isEmpty() || test_->panels_.last() != seen) test_->panels_ << seen;
            return false;
        }
        ListViewTest* test_;
    };

    QTemporaryDir root_;
    FolderListView view_;
    std::vector<MessageService::Message> messages_;
    std::unique_ptr<PanelWatch> panelWatch_;
    QStringList panels_; // the progress panel's pictures, repeated ones once
};

} // namespace gonilux::browser::testing
