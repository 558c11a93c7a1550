// HostPath: turns a game path (backslashes, any letter case) into the host path of the file on disk.
#pragma once

#include <string>

// Every '\' becomes '/'; each component is looked up in its parent directory on disk without regard to the
// case of A to Z: the exact name wins, else the byte-wise first of the names that differ only in case. The
// first component that does not exist is kept as given, and so is everything after it, so a new file or
// directory is made inside the resolved existing parent with the name as given. "." and ".." components are
// kept; empty components are dropped (a final separator is kept). A relative path stays relative to the
// current directory, an absolute one (leading '/' or '\') stays absolute. An empty path gives "".
std::string ResolveHostPath(const std::string& gamePath);
// The host path of a game path as given, separators turned and empty components dropped, without looking at the
// disk: what ResolveHostPath gives for a path that stands on the disk exactly so.
std::string HostPathAsGiven(const std::string& gamePath);

// Looks `name` up inside an existing host directory as above. True (and the name on disk in `out`) when an
// entry matches; false with `out` = name when none does.
bool ResolveHostName(const std::string& hostDirectory, const std::string& name, std::string& out);

// While one is held, a directory listing that was checked against the disk once is trusted without asking the
// disk again, until this process changes a directory (NoteHostDirectoryChange): a scan of many files then
// answers every lookup from the listing as it stood, with one look at each directory. Nests.
class HostListingSnapshot {
public:
    HostListingSnapshot();
    ~HostListingSnapshot();
    HostListingSnapshot(const HostListingSnapshot&) = delete;
    HostListingSnapshot& operator=(const HostListingSnapshot&) = delete;
};

// Tells the listings that this process made, removed or copied an entry of a directory.
void NoteHostDirectoryChange();
