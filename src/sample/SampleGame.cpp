// SampleGame: the layout of the sample installation on disk: directories, files, archives, program files, settings.
#include "sample/SampleGame.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>

#include "app/SettingsStore.h"
#include "platform/HostDirectory.h"
#include "platform/HostFile.h"
#include "resfile/ArchiveWriter.h"
#include "sample/SampleBaseFiles.h"
#include "sample/SampleRandom.h"
#include "sample/SampleScale.h"

namespace {

constexpr size_t kMaxInstallPathBytes = 259;  // what a settings value can hold

class Writer {
public:
    explicit Writer(std::string root) : root_(std::move(root)) {}

    const std::string& Root() const { return root_; }
    std::string HostPath(const std::string& relative) const { return root_ + "/" + relative; }

    // Makes every missing directory of a relative path's parent, with the names as given.
    bool MakeParents(const std::string& relative) {
        for (size_t cut = relative.find('/'); cut != std::string::npos; cut = relative.find('/', cut + 1)) {
            const std::string dir = relative.substr(0, cut);
            if (made_.count(dir)) continue;
            const std::string host = HostPath(dir);
            if (!IsHostDirectory(host) && !CreateHostDirectory(host)) return false;
            made_.insert(dir);
        }
        return true;
    }

    // Writes a file; when `length` passes the bytes, the file is extended with zeros (sparse where the file
    // system allows).
    bool WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes, int64_t length = -1) {
        if (!MakeParents(relative)) return Fail("could not make the directory of " + relative);
        const std::string host = HostPath(relative);
        std::unique_ptr<HostFile> file = HostFile::Create(host);
        if (!file) return Fail("could not create " + host);
        const auto n = static_cast<int64_t>(bytes.size());
        bool ok = n == 0 || file->Write(bytes.data(), n) == n;
        if (ok && length > n) ok = file->SetLength(length);
        ok = file->Close() && ok;
        if (!ok) {
            DeleteHostFile(host);
            return Fail("could not write " + host);
        }
        written_ += std::max(n, length);
        return true;
    }

    bool WriteArchive(const std::string& relative, const ArchiveWriter& archive) {
        if (!MakeParents(relative)) return Fail("could not make the directory of " + relative);
        if (!archive.WriteTo(HostPath(relative))) return Fail("could not write " + HostPath(relative));
        written_ += archive.GetSize();
        return true;
    }

    bool Fail(const std::string& why) {
        if (error_.empty()) error_ = why;
        return false;
    }
    const std::string& Error() const { return error_; }
    int64_t Written() const { return written_; }

private:
    std::string root_;
    std::set<std::string> made_;
    std::string error_;
    int64_t written_ = 0;
};

// Makes the installation directory (and its missing parents) and gives its absolute path; empty on failure.
std::string MakeRoot(const std::string& directory) {
    if (directory.empty()) return {};
    std::string path;
    size_t from = 0;
    if (directory[0] == '/') path = "", from = 1;
    while (from <= directory.size()) {
        size_t cut = directory.find('/', from);
        if (cut == std::string::npos) cut = directory.size();
        const std::string part = directory.substr(from, cut - from);
        if (!part.empty()) {
            path += (path.empty() && directory[0] != '/') ? part : "/" + part;
            if (!IsHostDirectory(path) && !CreateHostDirectory(path)) return {};
        }
        from = cut + 1;
    }
    char resolved[PATH_MAX];
    if (!::realpath(directory.c_str(), resolved)) return {};
    return resolved;
}

SampleFileReport ReportOf(const SampleOutputFile& f) {
    return SampleFileReport{f.path,    f.archive,     static_cast<int64_t>(f.bytes.size()),
                            f.objects, f.description, f.listed};
}

void Say(const SampleGameOptions& options, const std::string& line) {
    if (options.progress) options.progress(line);
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace

SampleGameResult WriteSampleGame(const SampleGameOptions& options) {
    SampleGameResult result;
    if (options.scale < 0 || options.scale > kMaxSampleScale) {
        result.error = "the scale must lie between 0 and " + std::to_string(kMaxSampleScale);
        return result;
    }
    Say(options, "Making the installation directory " + options.directory);
    result.directory = MakeRoot(options.directory);
    if (result.directory.empty()) {
        result.error = "could not make the directory " + options.directory;
        return result;
    }
    if (result.directory.size() > kMaxInstallPathBytes || result.directory.find_first_of("\r\n") != std::string::npos) {
        result.error = "the installation path " + result.directory + " cannot be stored as InstallPath (at most " +
                       std::to_string(kMaxInstallPathBytes) + " bytes on one line)";
        return result;
    }
    Writer w(result.directory);

    Say(options, "Drawing and encoding the sample objects (seed " + std::to_string(options.seed) + ")");
    SampleGuids guids;
    std::vector<SampleOutputFile> base;
    if (!BuildSampleBaseFiles(options.seed, guids, base, result.error)) return result;

    Say(options, "Writing the object files");
    ArchiveWriter furnishings;
    for (SampleOutputFile& f : base) {
        result.files.push_back(ReportOf(f));
        if (!f.archive.empty()) {
            if (!furnishings.AddMember(f.path, std::move(f.bytes))) {
                result.error = "could not add " + f.path + " to " + f.archive;
                return result;
            }
            continue;
        }
        if (!w.WriteFile(f.path, f.bytes)) break;
    }
    if (!w.Error().empty()) {
        result.error = w.Error();
        return result;
    }
    Say(options, std::string("Writing the archive ") + kSampleArchivePath + " (" +
                     std::to_string(furnishings.CountMembers()) + " members)");
    if (!w.WriteArchive(kSampleArchivePath, furnishings)) {
        result.error = w.Error();
        return result;
    }
    result.files.push_back(SampleFileReport{
        kSampleArchivePath, "", furnishings.GetSize(), {}, "archive: its members are listed read-only", false});

    if (options.scale > 0) {
        Say(options, "Generating " + std::to_string(options.scale) + " more object files, loose and in archives");
        std::map<std::string, ArchiveWriter> packs;
        int32_t done = 0;
        auto sink = [&](SampleOutputFile&& f) {
            ++result.generatedFiles;
            if (++done % 1000 == 0 && done < options.scale)
                Say(options, "  " + std::to_string(done) + " of " + std::to_string(options.scale) + " generated");
            if (f.archive.empty()) return w.WriteFile(f.path, f.bytes);
            ArchiveWriter& pack = packs[f.archive];
            if (!pack.AddMember(f.path, std::move(f.bytes)))
                return w.Fail("could not add " + f.path + " to " + f.archive);
            if (static_cast<int32_t>(pack.CountMembers()) < kSampleMembersPerPack) return true;
            const bool ok = w.WriteArchive(f.archive, pack);
            packs.erase(f.archive);
            ++result.generatedArchives;
            return ok;
        };
        if (!BuildSampleScaleFiles(options.seed, options.scale, guids, sink, result.error)) {
            if (result.error.empty()) result.error = w.Error();
            return result;
        }
        for (const auto& [path, pack] : packs) {
            if (!w.WriteArchive(path, pack)) {
                result.error = w.Error();
                return result;
            }
            ++result.generatedArchives;
        }
    }

    Say(options, "Writing the program files Domizens.exe and Domizens.icd");
    const std::string programText = "MZ\r\nThe Domizens: program file of a sample installation (not a program).\r\n";
    const std::string dataText = "The Domizens: data file of a sample installation.\r\n";
    if (!w.WriteFile("Domizens.exe", Bytes(programText), kSampleProgramFileSize) ||
        !w.WriteFile("Domizens.icd", Bytes(dataText), kSampleDataFileSize)) {
        result.error = w.Error();
        return result;
    }
    result.files.push_back(SampleFileReport{
        "Domizens.exe", "", kSampleProgramFileSize, {}, "program file of the start-up check (< 512000 bytes)", false});
    result.files.push_back(SampleFileReport{"Domizens.icd",
                                            "",
                                            kSampleDataFileSize,
                                            {},
                                            "data file of the start-up check (> 2048000 bytes, sparse)",
                                            false});

    SampleRandom cookieRng = SampleRandom(options.seed).Fork(5);
    result.magicCookie = cookieRng.Between(1, 65535);
    result.settingsPath = result.directory + "/" + kSampleSettingsFile;
    Say(options, "Writing the settings " + result.settingsPath);
    const std::string settings = std::string("[") + kSettingsKey + "]\n" + kInstallPathValue + "=" + result.directory +
                                 "\n" + kLanguageValue + "=" + kSampleLanguage + "\n" + kMagicCookieValue + "=" +
                                 std::to_string(result.magicCookie) + "\n";
    if (!w.WriteFile(kSampleSettingsFile, Bytes(settings))) {
        result.error = w.Error();
        return result;
    }
    result.files.push_back(SampleFileReport{kSampleSettingsFile,
                                            "",
                                            static_cast<int64_t>(settings.size()),
                                            {},
                                            "settings: RESHAPER_SETTINGS=DIR/reshaper.ini starts the program here",
                                            false});
    result.bytesWritten = w.Written();
    result.ok = true;
    return result;
}
