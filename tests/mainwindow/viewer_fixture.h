// A main window over a temporary folder tree with recorded messages and shell calls.
#pragma once

#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "mainwindow/main_window.h"
#include "platform/message_service.h"
#include "platform/shell_actions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace gonilux::mainwindow::testing {

// A type B file: vertical angles -90..90, horizontal 0 45 90 (converts with three planes).
inline QByteArray TypeBText() {
    return "IESNA:LM-63-2002\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n1 1000 1 5 3 2 2 0 0 0\r\n1 1 40\r\n"
           "-90 -45 0 45 90\r\n0 45 90\r\n10 20 30 20 10\r\n11 21 31 21 11\r\n12 22 32 22 12\r\n";
}

// A type C file whose planes start at `first` degrees.
inline QByteArray TypeCText(int first, const QByteArray& test = "T-1") {
    return "IESNA:LM-63-2002\r\n[TEST] " + test +
           "\r\n[MANUFAC] Beta\r\nTILT=NONE\r\n1 1000 1 2 2 1 2 0 0 0\r\n1 1 36\r\n0 90\r\n" +
           QByteArray::number(first) + " " + QByteArray::number(first + 180) +
           "\r\n100 50\r\n100 50\r\n";
}

// Pixels of the diagram's red curve colour.
inline int RedPixels(const QImage& image) {
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 90 && c.blue() < 90;
        }
    return red;
}

class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkpath(QStringLiteral("lib/sub"));
        QDir(root_.path()).mkpath(QStringLiteral("other"));
        platform::MessageService::instance()->setRecorder(
            [this](const platform::MessageService::Message& m) { messages_.append(m); }, answer_);
        auto shell = std::make_unique<platform::RecordingShellActions>();
        shell_ = shell.get();
        platform::ShellActions::setInstance(std::move(shell));
    }
    void TearDown() override {
        window_.reset();
        platform::MessageService::instance()->setRecorder({});
        platform::ShellActions::setInstance(nullptr);
    }
    void open() {
        StartOptions start;
        start.RootPath = root_.path();
        start.SettingsFile = root_.filePath(QStringLiteral("gonilux.ini"));
        window_ = std::make_unique<TMainWindow>(start);
        window_->resize(900, 650);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(root_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString path(const QString& relative) const { return QDir(root_.path()).filePath(relative); }
    browser::FolderListView* list() const { return window_->fileList(); }
    int rowOf(const QString& fileName) const {
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (list()->entryFilePath(row).endsWith(QLatin1Char('/') + fileName)) return row;
        return -1;
    }
    int entriesNamed(const QString& fileName) const {
        int n = 0;
        for (int row = list()->Tag(); row < list()->count(); ++row)
            n += list()->entryFilePath(row).endsWith(QLatin1Char('/') + fileName) ? 1 : 0;
        return n;
    }
    // The file names the list shows (not hidden by the filter), sorted.
    QStringList shownFiles() const {
        list()->doItemsLayout();
        QStringList shown;
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (!list()->isRowHidden(row))
                shown << QFileInfo(list()->entryFilePath(row)).fileName();
        shown.sort();
        return shown;
    }
    void select(const QString& fileName) {
        const int row = rowOf(fileName);
        ASSERT_GE(row, 0) << fileName.toStdString();
        list()->setCurrentRow(row);
        QCoreApplication::processEvents();
    }

    QTemporaryDir root_;
    bool answer_ = true;
    QList<platform::MessageService::Message> messages_;
    platform::RecordingShellActions* shell_ = nullptr;
    std::unique_ptr<TMainWindow> window_;
};

} // namespace gonilux::mainwindow::testing
