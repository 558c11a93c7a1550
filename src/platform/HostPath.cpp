// HostPath: case-insensitive resolution of game paths against the host file system.
#include "platform/HostPath.h"
#include "platform/AsciiFold.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {


std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

}  // namespace

namespace {

// The case-folded names of one directory, kept while the directory's modification time stays the same, so
// that looking up many names that differ in case (or do not exist) lists a large directory once, not once
// per name.
struct FoldedListing {
    struct timespec mtime {};
    dev_t device = 0;
    ino_t inode = 0;
    std::unordered_map<std::string, std::string> byFolded;  // folded name -> byte-wise first name on disk
    std::unordered_set<std::string> exact;                   // every name as it stands
    bool young = false;  // listed less than a few seconds after the directory last changed
    uint64_t checkedIn = 0;  // the trust generation in which the listing was last checked against the disk
};

constexpr time_t kTrustedAge = 3;  // seconds: older changes than this have surely moved the directory's time

std::mutex gListingLock;
std::unordered_map<std::string, FoldedListing> gListings;
int gSnapshots = 0;           // listing snapshots held
uint64_t gTrustGeneration = 1;  // moves when a snapshot begins and whenever this process changes a directory

// The exact name, else the byte-wise first name that differs from it only in case, into `out`.
bool LookUp(const FoldedListing& listing, const std::string& name, std::string& out) {
    // Most names looked up are not there at all (companion probes), and every name that is there is listed
    // under its folded form: one look answers those. The fold goes into a buffer kept between calls.
    thread_local std::string folded;
    folded.assign(name);
    for (char& c : folded) c = FoldAscii(c);
    auto it = listing.byFolded.find(folded);
    if (it == listing.byFolded.end()) return false;
    if (!listing.exact.count(name)) out = it->second;
    return true;
}

}  // namespace

bool ResolveHostName(const std::string& hostDirectory, const std::string& name, std::string& out) {
    out = name;
    if (name.empty()) return false;
    static const std::string kCurrentDirectory = ".";
    const std::string& dirPath = hostDirectory.empty() ? kCurrentDirectory : hostDirectory;
    std::unique_lock<std::mutex> lock(gListingLock);
    auto known = gListings.find(dirPath);
    // Within a snapshot a listing checked once answers as it stood then.
    if (gSnapshots > 0 && known != gListings.end() && known->second.checkedIn == gTrustGeneration)
        return LookUp(known->second, name, out);
    lock.unlock();
    struct stat dirStat {};
    if (::stat(dirPath.c_str(), &dirStat) != 0) {
        // A directory that cannot be examined may still let a name in it be looked up.
        struct stat st {};
        return ::lstat(Join(hostDirectory, name).c_str(), &st) == 0;
    }
    lock.lock();
    FoldedListing& listing = gListings[dirPath];
    if (listing.device != dirStat.st_dev || listing.inode != dirStat.st_ino ||
        listing.mtime.tv_sec != dirStat.st_mtim.tv_sec || listing.mtime.tv_nsec != dirStat.st_mtim.tv_nsec) {
        listing.byFolded.clear();
        listing.exact.clear();
        DIR* dir = ::opendir(dirPath.c_str());
        if (!dir) {
            gListings.erase(dirPath);
            return false;
        }
        while (dirent* e = ::readdir(dir)) {
            std::string candidate = e->d_name;
            listing.exact.insert(candidate);
            auto [it, inserted] = listing.byFolded.emplace(FoldAscii(candidate), candidate);
            if (!inserted && candidate < it->second) it->second = candidate;
        }
        ::closedir(dir);
        struct timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        listing.young = now.tv_sec - dirStat.st_mtim.tv_sec < kTrustedAge;
        listing.mtime = dirStat.st_mtim;
        listing.device = dirStat.st_dev;
        listing.inode = dirStat.st_ino;
    }
    listing.checkedIn = gTrustGeneration;
    // One stat of the directory answers every lookup while the directory stays as it was listed.
    if (LookUp(listing, name, out)) return true;
    // A directory changed within the clock tick of its listing may have changed again without its time moving:
    // a name missing from such a listing is looked up on the disk.
    if (listing.young) {
        struct stat st {};
        if (::lstat(Join(hostDirectory, name).c_str(), &st) == 0) {
            gListings.erase(dirPath);
            return true;
        }
    }
    return false;
}

namespace {

// A game path cut into its components: '\\' and '/' both separate, empty components are dropped.
struct PathComponents {
    std::vector<std::string> parts;
    bool absolute = false;
    bool trailing = false;  // a final separator, kept in what is joined
};

PathComponents SplitGamePath(const std::string& gamePath) {
    PathComponents out;
    std::string s = gamePath;
    for (char& c : s)
        if (c == '\\') c = '/';
    out.absolute = s.front() == '/';
    out.trailing = s.size() > 1 && s.back() == '/';
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find('/', start);
        if (end == std::string::npos) end = s.size();
        if (end > start) out.parts.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// The components joined again, each looked up in its parent until one is missing.
std::string JoinResolved(const PathComponents& path) {
    std::string result = path.absolute ? "/" : "";
    bool resolving = true;
    for (const std::string& part : path.parts) {
        std::string name = part;
        if (resolving && part != "." && part != "..") resolving = ResolveHostName(result, part, name);
        result = Join(result, name);
    }
    if (path.trailing && !result.empty() && result.back() != '/') result.push_back('/');
    return result;
}

}  // namespace

std::string HostPathAsGiven(const std::string& gamePath) {
    // Every separator becomes '/', and a run of them one: empty components are dropped, a leading and a final
    // separator stay.
    std::string out;
    out.reserve(gamePath.size());
    for (char c : gamePath) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    return out;
}

std::string ResolveHostPath(const std::string& gamePath) {
    if (gamePath.empty()) return std::string();
    // An exact match wins at every level, so a path that stands on the disk as given is its own resolution:
    // one look at the disk answers it instead of one per level.
    std::string exact = HostPathAsGiven(gamePath);
    struct stat st {};
    if (::stat(exact.c_str(), &st) == 0) return exact;
    return JoinResolved(SplitGamePath(gamePath));
}

HostListingSnapshot::HostListingSnapshot() {
    std::lock_guard<std::mutex> lock(gListingLock);
    // Listings checked before the snapshot began are checked once more within it.
    if (gSnapshots++ == 0) ++gTrustGeneration;
}

HostListingSnapshot::~HostListingSnapshot() {
    std::lock_guard<std::mutex> lock(gListingLock);
    --gSnapshots;
}

void NoteHostDirectoryChange() {
    std::lock_guard<std::mutex> lock(gListingLock);
    ++gTrustGeneration;
}
