// What the uninstaller's hand-over leaves to be seen: its copy in the temporary folder, that
// copy's process, and the deletion it schedules for the next start of Windows.
#pragma once

#include <string>
#include <vector>

namespace uninstall_test {

// The hand-over copies in this user's temporary folder, by full path.
std::vector<std::string> HandOverCopies();

// Waits (at most `timeoutMs`) until no process runs from a hand-over copy; false if one still
// does.
bool WaitForHandOverCopiesToEnd(unsigned timeoutMs);

// The files Windows is to delete at its next start (PendingFileRenameOperations), without the
// "\??\" they are recorded with.
std::vector<std::string> PendingDeletions();

// Drops `path` from the deletions pending, and deletes the file now: for tests that run in a
// prefix which is kept and never restarted.
void DeleteNowInsteadOfAtRestart(const std::string& path);

// Waits (at most `timeoutMs`) until none of `paths` exists; false if one still does.
bool WaitUntilGone(const std::vector<std::string>& paths, unsigned timeoutMs);

} // namespace uninstall_test
