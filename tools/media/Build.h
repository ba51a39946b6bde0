#pragma once
#include "core/ScriptCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace media {

struct BuildOptions {
    std::string script;                // the maker's SETUP.INF
    std::vector<std::string> sources;  // folders searched in order for the product's files
    std::string out;
    bool floppy = false;
    std::uint64_t diskSize = 0;  // 0: a 1.44 MB floppy
    std::string programs;        // SETUP.EXE, __SETUP.EXE, ORVUN100.EXE
    bool images = false;
};

// Lays out the media; prints findings, a summary per disk and failures. Returns the
// exit status: 0 built, 1 failed.
int RunBuild(const BuildOptions& options);

// Prints findings as compilers do ("SETUP.INF:12: error: text") on standard output;
// returns how many count as errors (warnings too with werror).
int PrintFindings(const std::string& scriptName, const std::vector<core::Finding>& findings, bool werror);

}  // namespace media
