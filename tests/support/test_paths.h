#pragma once

#include <string>

namespace testing_support {

// A file beside the running test program: every Windows binary of the build lands in one folder.
std::string BesideTest(const std::string& fileName);

// A fresh, empty folder for one test's files, under the system's temporary folder.
std::string ScratchFolder(const std::string& name);

} // namespace testing_support
