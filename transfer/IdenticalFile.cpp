#include "transfer/IdenticalFile.h"

#include "transfer/FreeName.h"
#include "transfer/PathComponent.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

class Fd {
public:
    explicit Fd(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    const int fd;
};

constexpr size_t kChunk = 1 << 16;

// Fills `buffer` as far as the file goes; -1 on a read error.
ssize_t ReadFull(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return ssize_t(done);
}

// "Song(12).mp3" as the key "song.mp3" with counter 12; a name without a
// counter is its own key with counter -1.
std::string KeyOf(const std::string& name, int& counter) {
    counter = -1;
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    const size_t open = stem.rfind('(');
    if (stem.size() < 3 || stem.back() != ')' || open == std::string::npos ||
        open + 2 >= stem.size())
        return FoldedName(name);
    const std::string digits = stem.substr(open + 1, stem.size() - open - 2);
    if (digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        (digits.size() > 1 && digits[0] == '0'))
        return FoldedName(name);
    counter = std::stoi(digits);
    return FoldedName(stem.substr(0, open) + ext);
}

} // namespace

bool SameContent(const std::string& a, const std::string& b) {
    const Fd first(a), second(b);
    if (first.fd < 0 || second.fd < 0)
        return false;
    std::array<char, kChunk> left{}, right{};
    for (;;) {
        const ssize_t n = ReadFull(first.fd, left.data(), kChunk);
        const ssize_t m = ReadFull(second.fd, right.data(), kChunk);
        if (n < 0 || n != m || std::memcmp(left.data(), right.data(), size_t(n)) != 0)
            return false;
        if (n == 0)
            return true;
    }
}

unsigned long ContentDigest(const std::string& path) {
    const Fd file(path);
    std::array<char, kChunk> buffer{};
    unsigned long digest = ::crc32(0, nullptr, 0);
    for (ssize_t n; file.fd >= 0 && (n = ReadFull(file.fd, buffer.data(), kChunk)) > 0;)
        digest = ::crc32(digest, reinterpret_cast<const Bytef*>(buffer.data()), uInt(n));
    return digest;
}

IdenticalFiles::Folder& IdenticalFiles::Listed(const std::string& folder) {
    const auto [entry, fresh] = folders_.try_emplace(folder);
    if (!fresh)
        return entry->second;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const struct dirent* item = ::readdir(dir)) {
            Candidate candidate;
            candidate.name = item->d_name;
            const std::string key = KeyOf(candidate.name, candidate.counter);
            entry->second[key].emplace(candidate.counter, std::move(candidate));
        }
        ::closedir(dir);
    }
    return entry->second;
}

void IdenticalFiles::Added(const std::string& folder, const std::string& name) {
    const auto listed = folders_.find(folder);
    if (listed == folders_.end())
        return; // listed when first asked about, with this file in it
    Candidate candidate;
    candidate.name = name;
    std::multimap<int, Candidate>& named = listed->second[KeyOf(name, candidate.counter)];
    // A replaced file keeps its entry, but what was learnt of it is gone.
    const auto [first, last] = named.equal_range(candidate.counter);
    const auto same =
        std::find_if(first, last, [&](const auto& known) { return known.second.name == name; });
    if (same != last)
        same->second = candidate;
    else
        named.emplace(candidate.counter, std::move(candidate));
}

// The files the free-name search could have given to title + ext, by
// counter. A long title is cut to make room for the counter, so each
// length of counter has a key of its own.
std::vector<IdenticalFiles::Candidate*>
IdenticalFiles::Named(const std::string& folder, const std::string& title, const std::string& ext) {
    Folder& listed = Listed(folder);
    std::vector<Candidate*> named;
    std::vector<std::string> keys;
    const std::string namedFor = title + '\0' + ext;
    for (int counter : {-1, 0, 10, 100, 1000}) {
        int ignored = 0;
        std::string key = KeyOf(CandidateFileName(title, counter, ext), ignored);
        const auto found = listed.find(key);
        if (found == listed.end() || std::find(keys.begin(), keys.end(), key) != keys.end())
            continue;
        keys.push_back(std::move(key));
        for (auto& [number, candidate] : found->second) {
            if (candidate.namedFor != namedFor &&
                FoldedName(CandidateFileName(title, number, ext)) == FoldedName(candidate.name))
                candidate.namedFor = namedFor;
            if (candidate.namedFor == namedFor && number < kMaxNameLookups - 1)
                named.push_back(&candidate);
        }
    }
    // Each key's candidates come in counter order; only a cut title spreads
    // them over more than one.
    if (keys.size() > 1)
        std::stable_sort(named.begin(), named.end(), [](const Candidate* a, const Candidate* b) {
            return a->counter < b->counter;
        });
    return named;
}

off_t IdenticalFiles::SizeOf(const std::string& folder, Candidate& candidate) {
    if (candidate.size == -2) {
        struct stat st {};
        candidate.size = ::lstat((folder + candidate.name).c_str(), &st) == 0 && S_ISREG(st.st_mode)
                             ? st.st_size
                             : -1;
    }
    return candidate.size;
}

unsigned long IdenticalFiles::DigestOf(const std::string& folder, Candidate& candidate) {
    if (!candidate.digested) {
        candidate.digest = ContentDigest(folder + candidate.name);
        candidate.digested = true;
    }
    return candidate.digest;
}

bool IdenticalFiles::Find(const std::string& source, const std::string& folder,
                          const std::string& title, const std::string& ext, std::string& found) {
    struct stat from {};
    if (::stat(source.c_str(), &from) != 0 || !S_ISREG(from.st_mode))
        return false;
    std::vector<Candidate*> sameSize;
    for (Candidate* candidate : Named(folder, title, ext))
        if (SizeOf(folder, *candidate) == from.st_size)
            sameSize.push_back(candidate);
    // One file of that size is simply compared; among several, checksums
    // read each of them once instead of once for every row of that size.
    const bool digests = sameSize.size() > 1;
    const unsigned long sourceDigest = digests ? ContentDigest(source) : 0;
    for (Candidate* candidate : sameSize) {
        if (digests && DigestOf(folder, *candidate) != sourceDigest)
            continue;
        if (SameContent(source, folder + candidate->name)) {
            found = folder + candidate->name;
            return true;
        }
    }
    return false;
}
