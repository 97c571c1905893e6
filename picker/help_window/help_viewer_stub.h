// Newer Windows no longer carries the help viewer: in its place the Windows folder holds a small
// winhlp32.exe that only points the user to a web page, and whose version record says what it
// is. Where that stub stands, Tintview shows its help in a window of its own.
#pragma once

#include <string>

namespace picker {

// The help viewer that the platform starts for help requests: winhlp32.exe in the Windows
// folder shared by all users.
std::string HelpViewerProgram();

// True when `program`'s version record describes it as a stub: its file description contains
// "Stub". A file that is missing or has no version record is not one.
bool IsDescribedAsStub(const std::string& program);

} // namespace picker
