#include "entry_reader.h"

#include "photometry/file_io.h"
#include "platform/native_names.h"

#include <QThread>
#include <algorithm>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
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
    if (LoadIesEntry(*read.Entry, native.toStdString()))
        read.Metrics = ComputeMetrics(read.Entry->Ies);
    return read;
}

} // namespace

// What the workers and the owner share. Workers take the next file under the lock and hand its
// result back under it; a cancelled round (another `Round`) neither takes nor hands back.
struct EntryReader::Shared {
    std::mutex Lock;
    quint64 Round = 0;
    QStringList Paths;
    std::vector<char> Taken;
    int Next = 0;
    std::vector<int> Preferred; // taken from the back
    QList<EntryRead> Done;

    // The next file of `round` to read, or -1, and its path.
    int Take(quint64 round, QString& path) {
        std::lock_guard guard(Lock);
        if (round != Round) return -1;
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

    void Work(quint64 round) {
#ifdef __linux__ // per thread there
        [[maybe_unused]] static thread_local const int lowered =
            setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kReaderNice);
#endif
        QString path;
        for (int i; (i = Take(round, path)) >= 0;) {
            EntryRead read = ReadOne(i, path, platform::NativePath(path));
            std::lock_guard guard(Lock);
            if (round == Round) Done.push_back(std::move(read));
        }
    }

    void Drop() {
        std::lock_guard guard(Lock);
        ++Round;
        Paths.clear();
        Taken.clear();
        Next = 0;
        Preferred.clear();
        Done.clear();
    }
};

EntryReader::EntryReader(QObject* parent) : QObject(parent), shared_(std::make_shared<Shared>()) {
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, &EntryReader::Deliver);
}

// Workers of a dropped round end after the file at hand (queued ones at once).
EntryReader::~EntryReader() {
    shared_->Drop();
    pool_.waitForDone();
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
    StartWorkers(total_);
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
    StartWorkers(static_cast<int>(paths.size()));
    if (!tick_.isActive()) tick_.start();
}

// Workers end when nothing is left to take: more files need as many new ones.
void EntryReader::StartWorkers(int files) {
    quint64 round = 0;
    {
        std::lock_guard guard(shared_->Lock);
        round = shared_->Round;
    }
    const int workers = std::min(pool_.maxThreadCount(), files);
    for (int w = 0; w < workers; ++w)
        pool_.start([shared = shared_, round] { shared->Work(round); });
}

void EntryReader::Cancel() {
    shared_->Drop();
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
