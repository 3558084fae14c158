// Reads photometric files on worker threads for the file list: threads of its own, as many as the
// machine has cores, read each file into an entry and compute its figures and ratings; the
// results come back on the owner's thread in batches (one per timer tick), so ten thousand files
// never flood the event loop. A new folder cancels the old one's work; none of its late results
// arrive.
#pragma once

#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

namespace gonilux::browser {

struct EntryRead {
    int Index = -1; // position of the file in the paths given to Start
    QString Path;
    // The entry as LoadIesEntry left it: loaded, or not with the reason in its diagnostics
    // (vanished, unreadable, a pipe or a device). Nobody else holds it: it may be moved out.
    std::shared_ptr<TiesData> Entry;
    tMetrics Metrics; // of a loaded entry; Valid false otherwise
    tRatings Ratings; // of a loaded entry; Valid false otherwise
    qint64 Size = -1; // the file's size in bytes; -1 when it could not be looked at
};

class EntryReader : public QObject {
    Q_OBJECT
  public:
    explicit EntryReader(QObject* parent = nullptr);
    // Stops the reading: queued files are dropped, files being read are waited for and the
    // threads joined.
    ~EntryReader() override;

    // Reads `paths` (paths as the platform layer keeps them, every byte kept) for
    // `generation`; whatever was being read before is cancelled.
    void Start(quint64 generation, const QStringList& paths);
    // Reads `paths` too, numbered after the ones given before for `generation`; for another
    // generation (or after Cancel) this is Start.
    void Add(quint64 generation, const QStringList& paths);
    // Drops the queued files and every result not delivered yet.
    void Cancel();
    // Reads these of the generation's files next (by position, as EntryRead::Index counts),
    // the first one first.
    void Prefer(const QList<int>& indices);

    bool IsReading() const;
    int ThreadCount() const { return threadCount_; }

  signals:
    // A batch of results of `generation`, in the order they were read.
    void entriesRead(quint64 generation, const QList<gonilux::browser::EntryRead>& entries);
    // Every file of `generation` has been delivered.
    void finished(quint64 generation);

  private:
    struct Shared;
    void Deliver();
    void StartWorkers();

    const int threadCount_;
    QTimer tick_;
    std::unique_ptr<Shared> shared_;
    static constexpr quint64 kNoGeneration = ~quint64{0};
    quint64 generation_ = kNoGeneration;
    int total_ = 0;
    int delivered_ = 0;
    bool reading_ = false;
};

} // namespace gonilux::browser
