// The search of a folder's whole subtree: on a worker thread of its own it opens the library
// index, brings the rows of the folder's subtree up to date and runs the query; the matching
// records come back on the owner's thread. The index's notes (set aside, kept in memory) come
// once each. A new search stops the old one and drops its results; destroying the search mid-way
// stops it and keeps the rows written so far.
#pragma once

#include "library/library_index.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gonilux::browser {

class SubtreeSearch : public QObject {
    Q_OBJECT
  public:
    // `indexPath` empty: the index at library::LibraryIndex::DefaultPath().
    explicit SubtreeSearch(const QString& indexPath = {}, QObject* parent = nullptr);
    ~SubtreeSearch() override;

    // Searches the subtree of `folder` (a path as the platform layer keeps it) for `query`,
    // first updating its rows unless `update` is false (only the query changed). Returns the
    // number the results come with.
    int Search(const QString& folder, const library::Query& query, bool update = true);
    // Stops the search at hand; its results never come.
    void Cancel();

  signals:
    void found(int search, const std::vector<gonilux::library::LibraryRecord>& records);
    void noted(const QString& note);

  private:
    struct Request {
        int Id = 0;
        std::string Folder;
        library::Query Query;
        bool Update = true;
    };
    void Run();
    void Answer(int id, std::vector<library::LibraryRecord> records);

    const std::string indexPath_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    std::atomic<bool> stop_{false}; // the search at hand is to end
    bool quit_ = false;
    int lastId_ = 0;
    int current_ = 0; // the id whose results are wanted (0: none)
    std::thread worker_;
};

} // namespace gonilux::browser
