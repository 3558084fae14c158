// Searching the shown folder's whole subtree: with "包括子文件夹" ticked beside the filter field,
// the query runs over the library index of every file below the folder (brought up to date on
// a thread of its own) and the list shows the matches flat; Enter or a double click opens a
// match in its own folder with the file selected.
#include "browser/entry_filter.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/subtree_search.h"
#include "library/query.h"
#include "main_window.h"
#include "platform/message_service.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidgetItem>

namespace gonilux::mainwindow {
namespace {

// Typing pauses this long before the subtree is searched again.
constexpr int kSearchDelayMs = 250;

// The check box and the search's status beside the filter field, shown and hidden with it.
class FollowField final : public QObject {
  public:
    FollowField(QLineEdit* field, QList<QWidget*> followers)
        : QObject(field), followers_(std::move(followers)) {
        field->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            for (QWidget* follower : followers_)
                follower->setVisible(event->type() == QEvent::Show);
        return QObject::eventFilter(watched, event);
    }

  private:
    QList<QWidget*> followers_;
};

} // namespace

bool TMainWindow::searchesSubtree() const {
    return subfolders_ && subfolders_->isChecked();
}

void TMainWindow::wireSubtreeSearch() {
    subfolders_ = new QCheckBox(tr("包括子文件夹"), filterEdit_->parentWidget());
    subfolders_->setObjectName(QStringLiteral("CheckBoxSubfolders"));
    subfolders_->setFocusPolicy(Qt::NoFocus); // clicking it leaves the focus in the field
    searchStatus_ = new QLabel(filterEdit_->parentWidget());
    searchStatus_->setObjectName(QStringLiteral("LabelSearchStatus"));
    searchStatus_->setContentsMargins(4, 0, 4, 0);
    for (auto* column : filterEdit_->parentWidget()->findChildren<QBoxLayout*>()) {
        const int at = column->indexOf(filterEdit_);
        if (at < 0) continue;
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        column->insertLayout(at, row);
        row->addWidget(filterEdit_, 1);
        row->addWidget(subfolders_);
        row->addWidget(searchStatus_);
        break;
    }
    subfolders_->setVisible(filterEdit_->isVisible());
    searchStatus_->setVisible(filterEdit_->isVisible());
    new FollowField(filterEdit_, {subfolders_, searchStatus_});
    searchDelay_ = new QTimer(this);
    searchDelay_->setSingleShot(true);
    searchDelay_->setInterval(kSearchDelayMs);
    connect(searchDelay_, &QTimer::timeout, this, &TMainWindow::runSubtreeSearch);
    connect(subfolders_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            list_->setFilterText(QString());
            runSubtreeSearch();
        } else {
            endSubtreeSearch();
        }
    });
    connect(list_, &browser::FolderListView::foundFileActivated, this, [this](const QString& path) {
        subfolders_->setChecked(false);
        openStartPath(path);
    });
}

void TMainWindow::onFilterTextChanged(const QString& text) {
    if (!searchesSubtree()) {
        list_->setFilterText(text);
        return;
    }
    searchDelay_->start();
}

void TMainWindow::runSubtreeSearch() {
    searchDelay_->stop();
    if (!searchesSubtree()) return;
    const QString text = filterEdit_->text();
    const library::QueryParse query = library::ParseQuery(text.toStdString());
    if (text.trimmed().isEmpty() || !query.Ok) { // the field says what is wrong
        if (search_) search_->Cancel();
        searchStatus_->clear();
        if (list_->showsFoundFiles()) relistShownFolder();
        return;
    }
    if (!search_) {
        search_ = new browser::SubtreeSearch(start_.IndexPath, this);
        connect(search_, &browser::SubtreeSearch::found, this,
                [this](int id, const std::vector<library::LibraryRecord>& records) {
                    if (id != searchId_ || !searchesSubtree()) return;
                    QStringList paths;
                    for (const library::LibraryRecord& record : records)
                        paths.append(QString::fromStdString(record.Path));
                    list_->ShowFoundFiles(paths);
                    searchStatus_->setText(tr("%1 个匹配").arg(paths.size()));
                });
        connect(search_, &browser::SubtreeSearch::noted, this, [](const QString& note) {
            platform::MessageService::instance()->show(QStringLiteral("Gonilux"), note,
                                                       platform::MessageService::Icon::Warning);
        });
    }
    searchStatus_->setText(tr("正在搜索…"));
    searchId_ = search_->Search(list_->folderPath(), query.Value);
}

void TMainWindow::endSubtreeSearch() {
    searchDelay_->stop();
    if (search_) search_->Cancel();
    searchStatus_->clear();
    if (list_->showsFoundFiles()) relistShownFolder();
    list_->setFilterText(filterEdit_->text());
}

void TMainWindow::relistShownFolder() {
    if (QTreeWidgetItem* node = tree_->currentItem())
        list_->ShowFolderContents(tree_->listingOf(node), true);
}

} // namespace gonilux::mainwindow
