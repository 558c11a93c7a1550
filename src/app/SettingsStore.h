// SettingsStore: the game's settings key (install path, language, magic cookie), kept in an INI file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The key and its three text values. The key is the INI section of that name; a missing file or section is a
// missing key.
constexpr const char* kSettingsKey = "Software\\Vexel\\The Domizens";
constexpr const char* kInstallPathValue = "InstallPath";
constexpr const char* kLanguageValue = "DOMIZENS_LANGUAGE";
constexpr const char* kMagicCookieValue = "RESHAPER_MAGIC_COOKIE";

// Buffer sizes of the reads, terminating zero included: a longer value cannot be read (as a registry read into
// a buffer that is too small fails).
constexpr size_t kMaxSettingTextBytes = 260;
constexpr size_t kMaxCookieTextBytes = 256;
// A settings file larger than this is not read (its key counts as missing) and never rewritten.
constexpr int64_t kMaxSettingsFileBytes = 1024 * 1024;

// The number at the start of a text as atoi reads it: blanks skipped, an optional sign, the leading digits;
// 0 when there are none. Values past the 32-bit range are clamped to it.
int32_t ParseLeadingInteger(const std::string& text);

class SettingsStore {
public:
    // A store over the given settings file (host path).
    explicit SettingsStore(std::string filePath) : path_(std::move(filePath)) {}
    // The store of this process: $RESHAPER_SETTINGS when set, else $XDG_CONFIG_HOME/Vexel/The Domizens.ini,
    // else ~/.config/Vexel/The Domizens.ini. A relative path is made absolute against the current directory
    // now, so a later change of directory does not move the store; a relative $RESHAPER_SETTINGS is replaced by
    // that absolute path, so every later call names the same file. The programs call this before anything
    // changes the current directory. The path is empty when none can be formed
    // (no HOME), and then every key is missing.
    static SettingsStore FromEnvironment();

    const std::string& GetFilePath() const { return path_; }

    // True when the file exists, can be read and holds the key's section.
    bool KeyExists() const;
    // Creates the key: makes the file's directory and the file when missing and appends the section when it is
    // not there. True when the key exists afterwards; false when the file cannot be written.
    bool CreateKey() const;

    // Reads a text value: true and the text when the key and value exist and the text fits 259 bytes; false
    // with `value` unchanged otherwise.
    bool ReadText(const std::string& name, std::string& value) const;
    // Writes a text value into the existing key. False (nothing written) when the key is missing, the text does
    // not fit 259 bytes, holds a line break or a zero byte, or the file cannot be written.
    bool WriteText(const std::string& name, const std::string& value) const;

    // Reads the magic cookie. With the key missing: false and `cookie` unchanged. Otherwise true, and `cookie`
    // becomes the number the value starts with, or 0 when the value is missing or does not fit 255 bytes.
    bool ReadMagicCookie(int32_t& cookie) const;
    // Writes the cookie as "%d" into the existing key; false (nothing written) when the key is missing or the
    // file cannot be written.
    bool WriteMagicCookie(int32_t cookie) const;

private:
    // The file's text; false when it is missing, unreadable or too large.
    bool Load(std::string& text) const;
    // Replaces the file with the text (written to a temporary file beside it, then renamed over it).
    bool Save(const std::string& text) const;

    std::string path_;
};
