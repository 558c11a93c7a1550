// reshaper-cli --json: each document, read by Python's json module, printed back in the text form's layout must
// give the text form line for line, so the document carries every fact the text shows.
#include <gtest/gtest.h>

#include <regex>

#include "CliRunner.h"
#include "support/RunPython.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

class CliJson : public CliSampleSuite {
protected:
    // The document `args --json` prints on standard output (standard error dropped), loaded by Python as `d` and
    // printed back by `python`; `shown(s)` shows control characters as the text form does. Expects the exit code.
    static std::string Reprinted(const std::string& args, const std::string& python, int expectedExit = 0) {
        const std::string json = dir->Join("out.json");
        const std::string settings = "--settings '" + dir->Join("game/reshaper.ini") + "' ";
        CliResult r = RunShell("'" + std::string(RESHAPER_CLI_PATH) + "' " + settings + args + " --json 2>/dev/null >'" +
                               json + "'");
        EXPECT_EQ(r.exitCode, expectedExit) << args;
        return RunPython("import json, sys\n"
                         "sys.stdout.reconfigure(encoding='utf-8')\n"
                         "def shown(s): return ''.join('?' if ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0 else c for c in s)\n"
                         "d = json.load(open('" + json + "', encoding='utf-8'))\n" + python);
    }
    static std::string Text(const std::string& args, int expectedExit = 0) {
        CliResult r = Run(args);
        EXPECT_EQ(r.exitCode, expectedExit) << args << "\n" << r.out;
        return r.out;
    }
};

TEST_F(CliJson, CatalogueObjectsAndStringTables) {
    EXPECT_EQ(Reprinted("list",
                        "for f in d['files']: print('%-32s %-9s %4d  %s' % (f['name'], 'editable' if f['editable'] "
                        "else 'read-only', f['objects'], f['path']))\n"
                        "print('%d object files' % len(d['files']))\n"),
              Text("list"));
    for (const char* file : {"diningtable", "armchair", "floorlamp"})
        EXPECT_EQ(Reprinted(std::string("objects ") + file,
                            "print('    id  GUID      name')\n"
                            "for o in d['objects']:\n"
                            "    print('%6d  %08X  %s' % (o['id'], o['guid'], shown(o['name'])))\n"
                            "    for t in o['tiles']: print('    %6d  %08X  %s' % (t['id'], t['guid'], shown(t['name'])))\n"
                            "if d['tilesWithoutLead']: print('(%d tiles without a lead not shown)' % "
                            "d['tilesWithoutLead'])\n"
                            "print('Total objects in file: %d' % d['total'])\n"),
                  Text(std::string("objects ") + file))
            << file;
    // The text form adds the hexadecimal form of the four-byte fields.
    const std::string object = Text("object diningtable 128");
    EXPECT_EQ(Reprinted("object diningtable 128",
                        "print('%-26s %s' % ('name', shown(d['name'])))\n"
                        "for k, v in d['fields'].items(): print('%-26s %d' % (k, v))\n"),
              std::regex_replace(object, std::regex(" \\(0x[0-9A-F]{8}\\)\n"), "\n"));
    for (const char* args : {"strings armchair 128", "strings armchair 128 --language 4"})
        EXPECT_EQ(Reprinted(args,
                            "print('string table %d, %s' % (d['id'], d['languageName']))\n"
                            "for s in d['strings']:\n"
                            "    line = '%4d  \"%s\"' % (s['index'], shown(s['text']))\n"
                            "    if s['comment'] is not None: line += '  // ' + shown(s['comment'])\n"
                            "    if s['fromUSEnglish']: line += '  (US English)'\n"
                            "    print(line)\n"),
                  Text(args))
            << args;
}

TEST_F(CliJson, ResourcesChecksAndSettings) {
    for (const char* file : {"floorlamp", "'.\\gamedata\\objects\\kitchen.iff'"})
        EXPECT_EQ(Reprinted(std::string("resources ") + file,
                            "for f in d['files']:\n"
                            "    print('file  %s  (%s)' % (f['path'], 'writable' if f['writable'] else 'read-only'))\n"
                            "    for t in f['types']:\n"
                            "        assert t['typeCode'].to_bytes(4, 'big').decode('cp1252').lstrip('\\0') == "
                            "t['type'].lstrip('\\0')\n"
                            "        n = len(t['resources'])\n"
                            "        print('%s  %d resource%s' % (shown(t['type']), n, '' if n == 1 else 's'))\n"
                            "        for r in t['resources']:\n"
                            "            flags = '------' if r['flags'] is None else '0x%04X' % r['flags']\n"
                            "            print('  %6d  flags %s  %8d bytes  \"%s\"' % (r['id'], flags, r['size'], "
                            "shown(r['name'])))\n"),
                  Text(std::string("resources ") + file))
            << file;

    const std::string check =
        "for f in d['files']:\n"
        "    print('file        %s' % f['path'])\n"
        "    print('version     %s' % f['version'])\n"
        "    print('map         %s' % ('used' if f['mapUsed'] else 'absent or not trusted: scanned'))\n"
        "    print('free space  %d bytes (as the file counts it)' % f['freeSpace'])\n"
        "    for c in f['unlisted']: print('unlisted    %s %d at offset %d' % (shown(c['type']), c['id'], c['offset']))\n"
        "    for c in f['missing']: print('missing     %s %d listed at offset %d has no chunk there' % "
        "(shown(c['type']), c['id'], c['offset']))\n"
        "    print('chunks      %d (%d resources, %d map chunk%s), %d free bytes found' % (f['chunks'], "
        "f['resources'], f['mapChunks'], '' if f['mapChunks'] == 1 else 's', f['freeBytesFound']))\n"
        "    if f['brokenAt'] is not None: print('broken      the chunk at offset %d has an impossible size: the "
        "walk ends there' % f['brokenAt'])\n"
        "    elif f['trailingBytes']: print('trailing    %d bytes after the last chunk (a cut-off chunk header)' % "
        "f['trailingBytes'])\n"
        "    print('sound' if f['sound'] else 'problems found')\n"
        "assert d['sound'] == all(f['sound'] for f in d['files'])\n";
    EXPECT_EQ(Reprinted("check floorlamp", check), Text("check floorlamp"));
    // A chunk that claims fewer bytes than its header: problems found, exit 3 in either form.
    const std::string broken = dir->Join("broken.iff");
    std::vector<uint8_t> bytes = ReadFileBytes(dir->Join("game/GameData/Objects/Armchair.iff"));
    ASSERT_GT(bytes.size(), 72u);
    bytes[68] = bytes[69] = bytes[70] = 0;
    bytes[71] = 10;
    ASSERT_TRUE(WriteFileBytes(broken, bytes));
    EXPECT_EQ(Reprinted("check '" + broken + "'", check, 3), Text("check '" + broken + "'", 3));

    EXPECT_EQ(Reprinted("settings",
                        "print('Settings file: %s' % d['settingsFile'])\n"
                        "print('Key [Software\\\\Vexel\\\\The Domizens]: %s' % ('present' if d['keyPresent'] else "
                        "'missing (create it with --init)'))\n"
                        "print('InstallPath: %s' % d['InstallPath'])\n"
                        "l = d['DOMIZENS_LANGUAGE']\n"
                        "print('DOMIZENS_LANGUAGE: %s (language %d)' % (l['name'], l['code']))\n"
                        "c = d['RESHAPER_MAGIC_COOKIE']\n"
                        "print('RESHAPER_MAGIC_COOKIE: %s (reads as %d)' % (c['text'], c['value']))\n"),
              Text("settings"));
    // A failure prints no document: nothing on standard output, and the exit code of the text form.
    CliResult missing = RunShell("'" + std::string(RESHAPER_CLI_PATH) + "' objects '" + dir->Join("none.iff") +
                                 "' --json 2>/dev/null");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
}

}  // namespace
