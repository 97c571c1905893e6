// An installed copy of Prismel as the setup program is to lay it on this Windows: the folders
// Windows names for it, every item in them, and a survey of what of it is there.
#pragma once

#include <string>
#include <vector>

namespace install_test {

// The three folders of the record, each ending with "\", and which pair of Tintview and
// Mousetap belongs on this Windows.
struct Places {
    std::string base;  // holds the installation folder "Prismel"
    std::string group; // the all-users start-menu programs folder
    std::string desk;  // the all-users desktop
    bool ships64Bit;
};

std::string WithSeparator(std::string folder);

// Where the setup must install on this Windows, asked of Windows itself.
Places ExpectedPlaces();

class CInstalledCopy {
public:
    explicit CInstalledCopy(Places where) : places(std::move(where)) {}

    const Places& Where() const { return places; }
    std::string Folder() const { return places.base + "Prismel\\"; }
    std::string GroupFolder() const { return places.group + "Prismel\\"; }
    std::string DesktopShortcut() const { return places.desk + "Tintview.exe.lnk"; }
    std::string Uninstaller() const { return Folder() + "uninstall.exe"; }

    // Every item the setup lays: files first, then each folder after what it holds.
    std::vector<std::string> Items() const;

private:
    Places places;
};

// What of an installed copy is there, and what is left of its record.
struct Survey {
    std::vector<std::string> present;
    bool recordKey = false;
    std::vector<std::string> recordValues;

    bool operator==(const Survey& other) const {
        return present == other.present && recordKey == other.recordKey &&
               recordValues == other.recordValues;
    }
};

Survey Take(const CInstalledCopy& copy);

} // namespace install_test
