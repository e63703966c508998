#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include <sys/stat.h>
#include <sys/types.h>

#include "transfer/LiveRunJournal.h"

// What one walk has learned about the names in the folders it writes to.
// The free-name search starts past the numbers already known to be taken,
// so a thousand equal titles cost a thousand look-ups, not half a million.
// Overwriting replaces only files that were there before the walk: a name
// the walk itself wrote, also in another letter case on a volume that
// ignores case, or one that another program or run wrote since the walk
// began, goes through the free-name search instead.
class RunNames {
public:
    // Notes what `folder` holds now, before the walk writes anything:
    // only those files may be replaced. No time stamp can tell them apart
    // from what another run writes later (FAT keeps the copies' old
    // modification times as their change times too).
    void ListBeforeRun(const std::string& folder);
    // True when `st`, what `name` in `folder` answers to now, is a regular
    // file that ListBeforeRun saw there, unchanged.
    // A run that copies at the same time may have put it there before this
    // one listed it; what a run still going wrote is never from before.
    bool FromBeforeRun(const std::string& folder, const std::string& name, const struct stat& st);

    // The first counter worth looking up for title + ext in `folder`
    // (-1: the plain name, as a fresh search starts).
    int FirstCounter(const std::string& folder, const std::string& title,
                     const std::string& ext) const;
    // Every counter up to `counter` is taken for title + ext in `folder`.
    void MarkTaken(const std::string& folder, const std::string& title, const std::string& ext,
                   int counter);

    // The walk has put a file named `name` into `folder`.
    void Wrote(const std::string& folder, const std::string& name);
    // True when `name` in `folder` names, or may name (the same letters in
    // another case), a file this walk wrote.
    bool WroteEarlier(const std::string& folder, const std::string& name) const;

    // True the first time the walk settles on `folder`.
    bool FirstUse(const std::string& folder) { return folders_.insert(folder).second; }

private:
    struct Identity {
        dev_t dev;
        ino_t ino;
        off_t size;
        struct timespec modified;
    };
    std::unordered_multimap<std::string, Identity> beforeRun_; // by path, ASCII letters folded
    LiveRunJournal journal_;
    std::set<std::string> folders_;
    std::unordered_map<std::string, int> nextCounter_;
    std::set<std::string> writtenFolded_; // paths written, ASCII letters folded
    std::set<std::pair<dev_t, ino_t>> writtenFiles_;
};
