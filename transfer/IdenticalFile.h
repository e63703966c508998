#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

// Re-running a copy into the same folder should not leave Song(0).mp3 next
// to Song.mp3. What one walk has learnt of the files in the folders it
// writes to, so that each file there is listed, sized and read at most
// once however many rows share its title and size.
class IdenticalFiles {
public:
    // Looks among the files of `folder` (ending in "/") that the free-name
    // search could have given to title + ext — title + ext, title(0) + ext
    // and so on, gaps in the numbering included — for a regular file with the
    // same size and the same bytes as `source`; the lowest number wins. Sets
    // `found` to its path; false when there is none or `source` cannot be read.
    bool Find(const std::string& source, const std::string& folder, const std::string& title,
              const std::string& ext, std::string& found);

    // The walk has put the file `name` into `folder`.
    void Added(const std::string& folder, const std::string& name);

private:
    struct Candidate {
        int counter = -1;
        std::string name;
        off_t size = -2; // -2: not looked at yet, -1: not a readable regular file
        bool digested = false;
        unsigned long digest = 0;
        std::string namedFor; // title + ext this name was last found to be a candidate of
    };
    // Candidates by their name with the counter taken off, ASCII folded, in
    // the order of their counters.
    using Folder = std::unordered_map<std::string, std::multimap<int, Candidate>>;

    Folder& Listed(const std::string& folder);
    std::vector<Candidate*> Named(const std::string& folder, const std::string& title,
                                  const std::string& ext);
    off_t SizeOf(const std::string& folder, Candidate& candidate);
    unsigned long DigestOf(const std::string& folder, Candidate& candidate);

    std::unordered_map<std::string, Folder> folders_;
};

// Whether the two regular files hold the same bytes.
bool SameContent(const std::string& a, const std::string& b);

// A checksum of a file's bytes (0 when it cannot be read); files whose
// checksums differ cannot be the same.
unsigned long ContentDigest(const std::string& path);
