// HostDirectory: listing a host directory with a wildcard pattern, creating directories, the current directory.
#pragma once

#include <string>
#include <vector>

struct HostDirEntry {
    std::string name;
    bool isDirectory = false;  // a symbolic link counts as what it points at
};

// Lists the entries of a host directory whose names match `pattern` ('*' and '?', letter case ignored;
// "*.*" matches every name, with or without a dot), in byte-wise order of the names, without "." and "..".
// False (and `out` empty) when the directory cannot be read.
bool ListHostDirectory(const std::string& hostDirectory, const std::string& pattern, std::vector<HostDirEntry>& out);

// Creates one directory level; false on failure (true is not returned for an existing directory).
bool CreateHostDirectory(const std::string& hostPath);
// Creates the directory and every missing one above it; true when it exists afterwards.
bool CreateHostDirectories(const std::string& hostPath);

// True when the host path names an existing directory (links followed).
bool IsHostDirectory(const std::string& hostPath);

// Identity (device and inode) of an existing host directory or file; false when it cannot be examined.
bool GetHostFileIdentity(const std::string& hostPath, unsigned long long& device, unsigned long long& inode);

// The current host directory; empty when it cannot be read.
std::string CurrentHostDirectory();
// A relative host path made absolute against the current directory (a leading "./" dropped); an absolute one
// as it is.
std::string AbsoluteHostPath(const std::string& hostPath);
