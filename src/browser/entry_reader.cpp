#include "entry_reader.h"

#include "photometry/file_io.h"
#include "platform/native_names.h"

#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace gonilux::browser {

namespace {

constexpr int kTickMs = 16;
// The readers yield to the window's thread: a little nicer than it, not idle.
constexpr int kReaderNice = 5;
// At most this many results per tick, so that the owner's work on one batch stays short.
constexpr int kBatchLimit = 256;

EntryRead ReadOne(int index, const QString& path, const QByteArray& native) {
    EntryRead read;
    read.Index = index;
    read.Path = path;
    const int slash = native.lastIndexOf('/');
    read.Entry = std::make_shared<TiesData>(CreateIesData(native.mid(slash + 1).toStdString()));
    if (struct stat status{}; ::stat(native.constData(), &status) == 0) read.Size = status.st_size;
    if (LoadIesEntry(*read.Entry, native.toStdString())) {
        read.Metrics = ComputeMetrics(read.Entry->Ies);
        read.Ratings = ComputeRatings(read.Entry->Ies, RatingInputOf(*read.Entry));
    }
    return read;
}

} // namespace

// What the workers and the owner share. Workers wait under the lock for a file to take, and hand
// its result back under it; a result of a cancelled round (another `Round`) is dropped. The
// threads are std::threads joined by the owner, so every hand-over goes through this lock.
struct EntryReader::Shared {
    std::mutex Lock;
    std::condition_variable Wake; // a file to take, or Quit
    bool Quit = false;
    quint64 Round = 0;
    QStringList Paths;
    std::vector<char> Taken;
    int Next = 0;
    std::vector<int> Preferred; // taken from the back
    QList<EntryRead> Done;
    std::vector<std::thread> Workers;

    // The next file to read, or -1, and its path; the lock is held.
    int Take(QString& path) {
        int i = -1;
        while (i < 0 && !Preferred.empty()) {
            if (!Taken[Preferred.back()]) i = Preferred.back();
            Preferred.pop_back();
        }
        while (i < 0 && Next < Paths.size())
            if (!Taken[Next++]) i = Next - 1;
        if (i < 0) return -1;
        Taken[i] = 1;
        path = Paths[i];
        return i;
    }

    void Serve() {
#ifdef __linux__ // per thread there
        setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kReaderNice);
#endif
        std::unique_lock guard(Lock);
        for (;;) {
            QString path;
            int i = -1;
            Wake.wait(guard, [&] { return Quit || (i = Take(path)) >= 0; });
            if (Quit) return;
            const quint64 round = Round;
            guard.unlock();
            EntryRead read = ReadOne(i, path, platform::NativePath(path));
            guard.lock();
            if (round == Round) Done.push_back(std::move(read));
        }
    }

    // The lock is held.
    void Drop() {
        ++Round;
        Paths.clear();
        Taken.clear();
        Next = 0;
        Preferred.clear();
        Done.clear();
    }
};

EntryReader::EntryReader(QObject* parent)
    : QObject(parent), threadCount_(std::max(1, QThread::idealThreadCount())),
      shared_(std::make_unique<Shared>()) {
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, &EntryReader::Deliver);
}

// Workers end after the file at hand (queued ones are dropped).
EntryReader::~EntryReader() {
    {
        std::lock_guard guard(shared_->Lock);
        shared_->Quit = true;
        shared_->Drop();
    }
    shared_->Wake.notify_all();
    for (std::thread& worker : shared_->Workers)
        worker.join();
}

void EntryReader::Start(quint64 generation, const QStringList& paths) {
    Cancel();
    generation_ = generation;
    total_ = static_cast<int>(paths.size());
    delivered_ = 0;
    reading_ = true;
    {
        std::lock_guard guard(shared_->Lock);
        shared_->Paths = paths;
        shared_->Taken.assign(static_cast<std::size_t>(paths.size()), 0);
    }
    StartWorkers();
    tick_.start(); // an empty folder finishes at the first tick
}

void EntryReader::Add(quint64 generation, const QStringList& paths) {
    if (generation != generation_) {
        Start(generation, paths);
        return;
    }
    if (paths.isEmpty()) return;
    {
        std::lock_guard guard(shared_->Lock);
        shared_->Paths += paths;
        shared_->Taken.resize(static_cast<std::size_t>(shared_->Paths.size()), 0);
    }
    total_ += static_cast<int>(paths.size());
    reading_ = true;
    StartWorkers();
    if (!tick_.isActive()) tick_.start();
}

// The threads start with the first files and then wait for more until the reader is destroyed.
void EntryReader::StartWorkers() {
    if (shared_->Workers.empty())
        for (int w = 0; w < threadCount_; ++w)
            shared_->Workers.emplace_back([shared = shared_.get()] { shared->Serve(); });
    shared_->Wake.notify_all();
}

void EntryReader::Cancel() {
    {
        std::lock_guard guard(shared_->Lock);
        shared_->Drop();
    }
    tick_.stop();
    reading_ = false;
    generation_ = kNoGeneration;
}

void EntryReader::Prefer(const QList<int>& indices) {
    std::lock_guard guard(shared_->Lock);
    shared_->Preferred.clear();
    for (auto it = indices.crbegin(); it != indices.crend(); ++it)
        if (*it >= 0 && *it < shared_->Paths.size()) shared_->Preferred.push_back(*it);
}

bool EntryReader::IsReading() const {
    return reading_;
}

void EntryReader::Deliver() {
    QList<EntryRead> batch;
    {
        std::lock_guard guard(shared_->Lock);
        const qsizetype n = std::min<qsizetype>(shared_->Done.size(), kBatchLimit);
        batch = shared_->Done.mid(0, n);
        shared_->Done.remove(0, n);
    }
    delivered_ += static_cast<int>(batch.size());
    const quint64 generation = generation_;
    if (!batch.isEmpty()) emit entriesRead(generation, batch);
    // A slot may have started another folder meanwhile.
    if (generation != generation_ || !reading_ || delivered_ < total_) return;
    tick_.stop();
    reading_ = false;
    emit finished(generation);
}

} // namespace gonilux::browser
