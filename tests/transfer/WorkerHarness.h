#pragma once

#include "library/TrackRecord.h"
#include "transfer/ByteCopier.h"
#include "transfer/CopyJob.h"
#include "transfer/CopyProgress.h"
#include "transfer/CopyWorker.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Records what the worker posts, in order. `onNext` lets a test act at the
// moment a row is announced (the worker then holds the table lock).
class RecordingSink : public CopyProgressSink {
public:
    void Post(int wParam) override {
        posts.push_back(wParam);
        if (onNext)
            onNext(static_cast<int>(posts.size()));
    }
    void PostDone(CopyOutcome result) override {
        posts.push_back(COPY_DONE);
        outcome = std::move(result);
    }

    int NextCount() const {
        int n = 0;
        for (int p : posts)
            n += p == COPY_NEXT;
        return n;
    }

    std::vector<int> posts;
    std::optional<CopyOutcome> outcome;
    std::function<void(int announced)> onNext;
};

// Passes the copy on to the kernel's copier after calling `before` with the
// 1-based number of the copy.
class WatchingCopier : public ByteCopier {
public:
    explicit WatchingCopier(std::function<void(int)> before) : before_(std::move(before)) {}
    ByteCopyResult Copy(int from, int to, uint64_t size, const std::atomic<bool>& abort) override {
        before_(++copies_);
        return KernelByteCopier().Copy(from, to, size, abort);
    }

private:
    std::function<void(int)> before_;
    int copies_ = 0;
};

// Rows built by hand: the strings live here, the records point into them.
class TrackTable {
public:
    struct Spec {
        std::optional<std::u16string> title, artist, album, location;
        bool checked = true;
    };

    void Add(Spec spec) {
        specs_.push_back(std::move(spec));
        Rebuild();
    }

    TrackRecord* Rows() { return rows_.data(); }
    uint32_t Count() const { return static_cast<uint32_t>(rows_.size()); }

private:
    static const char16_t* Text(const std::optional<std::u16string>& text) {
        return text ? text->c_str() : nullptr;
    }
    void Rebuild() {
        rows_.clear();
        for (const Spec& spec : specs_) {
            TrackRecord row;
            row.title = Text(spec.title);
            row.artist = Text(spec.artist);
            row.album = Text(spec.album);
            row.location = Text(spec.location);
            row.checked = spec.checked ? 1 : 0;
            rows_.push_back(row);
        }
    }

    std::deque<Spec> specs_; // a deque keeps the strings in place as rows are added
    std::vector<TrackRecord> rows_;
};

// One job with a recording sink, set up for the table; tests adjust the job
// (copier, cancel flag) before Run, which walks on the calling thread.
struct WorkerRun {
    WorkerRun(TrackTable& table, const std::string& outputFolder, bool keepOrganized,
              bool overwriteExisting) {
        job.outputFolder = outputFolder;
        job.rows = table.Rows();
        job.rowCount = table.Count();
        job.keepOrganized = keepOrganized;
        job.overwriteExisting = overwriteExisting;
        job.progress = &sink;
    }

    const CopyOutcome& Run() {
        CopyWorkerProc(&job);
        return *sink.outcome;
    }

    RecordingSink sink;
    CopyJob job;
};
