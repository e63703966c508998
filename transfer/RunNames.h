#pragma once

#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include <sys/types.h>

// What one walk has learned about the names in the folders it writes to.
// The free-name search starts past the numbers already known to be taken,
// so a thousand equal titles cost a thousand look-ups, not half a million.
// Overwriting replaces only files that were there before the walk: a name
// the walk itself wrote, also in another letter case on a volume that
// ignores case, goes through the free-name search instead.
class RunNames {
public:
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
    std::set<std::string> folders_;
    std::unordered_map<std::string, int> nextCounter_;
    std::set<std::string> writtenFolded_; // paths written, ASCII letters folded
    std::set<std::pair<dev_t, ino_t>> writtenFiles_;
};
