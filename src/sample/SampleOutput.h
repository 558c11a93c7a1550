// SampleOutput: one file of the sample installation as built in memory, before it is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SampleOutputFile {
    // Path relative to the installation, '/'-separated, in the letter case written to disk. For an archive member
    // it is the member's name inside the archive.
    std::string path;
    // Path of the archive (relative, '/'-separated) that holds the file; empty for a loose file.
    std::string archive;
    std::vector<uint8_t> bytes;
    // Names of the objects the file defines, tiles included (none for a sprite companion or another file).
    std::vector<std::string> objects;
    // What the file is there to show, for reports.
    std::string description;
    // False for files the catalogue does not list (internal objects, companions, other files).
    bool listed = true;
};
