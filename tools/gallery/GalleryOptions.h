#pragma once
// The gallery's command line: gallery.exe [SKINFILE] [--page=N] [--exit-after=MS] [--mdi]
// The first argument that is not an option ("--...") is the skin file; the others are ignored.
// A number that is missing, negative or not a number leaves its option at 0; unknown options
// are ignored.
#include <string>
#include <vector>

struct GalleryOptions {
    std::string skinFile; // empty: the default skin
    int page = 0;         // the page shown first
    int exitAfterMs = 0;  // 0: stay until closed
    bool mdi = false;     // the MDI window instead of the gallery form
};

GalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments);

// The program's arguments after its own name, in the ANSI code page.
std::vector<std::string> ProgramArguments();
