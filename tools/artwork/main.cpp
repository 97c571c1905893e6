// artwork <output-folder>: writes the picker's icon, cursor and bitmaps for its resource script.
#include "artwork.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork <output-folder>\n");
        return 2;
    }
    try {
        artwork::WriteArtwork(argv[1]);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "artwork: %s\n", failure.what());
        return 1;
    }
    return 0;
}
