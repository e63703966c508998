#pragma once

#include <set>
#include <string>
#include <unordered_map>

// Runs of this program that copy at the same time tell each other what they
// have written, so that an overwriting run leaves alone the files of a run
// still going, whichever began first: for it they are not files from before.
// Each run appends the paths it writes to a journal of its own in a folder
// of the user's (XDG_RUNTIME_DIR, or /tmp), removed when the run ends; the
// journals of runs that died are ignored and removed.
class LiveRunJournal {
public:
    LiveRunJournal();
    ~LiveRunJournal();
    LiveRunJournal(const LiveRunJournal&) = delete;
    LiveRunJournal& operator=(const LiveRunJournal&) = delete;

    // This run has put a file at `path` (absolute).
    void Wrote(const std::string& path);
    // True when a run that is still going has put a file at `path`, or at a
    // path that differs from it only in the case of ASCII letters.
    bool WrittenByAnother(const std::string& path);

private:
    struct Journal {
        long readUpTo = 0;
        std::string partialLine;
    };
    void ReadOthers();

    std::string folder_;
    std::string ownName_;
    int fd_ = -1;
    std::unordered_map<std::string, Journal> others_;
    std::set<std::string> writtenByOthers_; // ASCII letters folded
};
