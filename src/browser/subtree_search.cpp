#include "subtree_search.h"

#include "platform/native_names.h"

#include <QMetaObject>
#include <memory>

namespace gonilux::browser {

SubtreeSearch::SubtreeSearch(const QString& indexPath, QObject* parent)
    : QObject(parent),
      indexPath_(indexPath.isEmpty() ? library::LibraryIndex::DefaultPath()
                                     : platform::NativePath(indexPath).toStdString()) {}

SubtreeSearch::~SubtreeSearch() {
    {
        std::lock_guard guard(lock_);
        quit_ = true;
        stop_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable()) worker_.join();
}

int SubtreeSearch::Search(const QString& folder, const library::Query& query, bool update) {
    current_ = ++lastId_;
    {
        std::lock_guard guard(lock_);
        pending_ = Request{current_, platform::NativePath(folder).toStdString(), query, update};
        stop_ = true;
    }
    wake_.notify_one();
    if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
    return current_;
}

void SubtreeSearch::Cancel() {
    std::lock_guard guard(lock_);
    pending_.reset();
    stop_ = true;
    current_ = 0;
}

// The worker: one index, opened at the first search, serves every search after it.
void SubtreeSearch::Run() {
    std::unique_ptr<library::LibraryIndex> index;
    std::size_t notesSent = 0;
    auto sendNotes = [&] {
        for (; notesSent < index->Notes().size(); ++notesSent) {
            const QString note = QString::fromStdString(index->Notes()[notesSent]);
            QMetaObject::invokeMethod(
                this, [this, note] { emit noted(note); }, Qt::QueuedConnection);
        }
    };
    for (;;) {
        Request request;
        {
            std::unique_lock guard(lock_);
            wake_.wait(guard, [this] { return quit_ || pending_.has_value(); });
            if (quit_) return;
            request = std::move(*pending_);
            pending_.reset();
            stop_ = false;
        }
        if (!index) index = std::make_unique<library::LibraryIndex>(indexPath_);
        sendNotes();
        if (request.Update) index->Update(request.Folder, &stop_);
        sendNotes();
        if (stop_) continue;
        std::vector<library::LibraryRecord> records = index->Find(request.Folder, request.Query);
        if (stop_) continue;
        QMetaObject::invokeMethod(
            this,
            [this, id = request.Id, records = std::move(records)]() mutable {
                Answer(id, std::move(records));
            },
            Qt::QueuedConnection);
    }
}

void SubtreeSearch::Answer(int id, std::vector<library::LibraryRecord> records) {
    if (id == current_) emit found(id, records);
}

} // namespace gonilux::browser
