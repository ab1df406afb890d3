// SPDX-License-Identifier: GPL-3.0-or-later
// rdjpgcom: prints the comment of a JPEG file, or with -raw APPn, its APPn segments
// verbatim, in the form that wrjpgcom takes back as a payload.
#include "markers/MarkerTools.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

const char kUsage[] = "usage: rdjpgcom [-raw APPn] FILE\n"
                      "  FILE            print the bytes of every comment (COM) of FILE\n"
                      "  -raw APPn FILE  print every APPn segment (n 0..15) of FILE verbatim:\n"
                      "                  marker, length and payload, in file order\n";

int usage(int code)
{
    std::fputs(kUsage, code == 0 ? stdout : stderr);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    std::string path;
    std::optional<uint8_t> marker;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
        return usage(0);
    if (argc == 2) {
        path = argv[1];
    } else if (argc == 4 && std::strcmp(argv[1], "-raw") == 0) {
        marker = markers::appMarkerNamed(argv[2]);
        if (!marker) {
            std::fprintf(stderr, "rdjpgcom: %s: not a marker name APP0..APP15\n", argv[2]);
            return 2;
        }
        path = argv[3];
    } else {
        return usage(2);
    }

    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "rdjpgcom: %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }
    markers::Reader in = markers::Reader::fromFd(fd);
    // The output is small; it is collected first so that a damaged file prints nothing.
    std::vector<uint8_t> collected;
    markers::Writer sink = markers::Writer::toMemory(collected);
    const markers::Result r =
        marker ? markers::readAppSegments(in, *marker, sink) : markers::readComments(in, sink);
    close(fd);
    if (!r.ok) {
        std::fprintf(stderr, "rdjpgcom: %s: %s\n", path.c_str(), r.message.c_str());
        return 1;
    }
    markers::Writer out = markers::Writer::toFd(STDOUT_FILENO);
    if (!out.write(collected) || !out.flush()) {
        std::fprintf(stderr, "rdjpgcom: write error\n");
        return 1;
    }
    return 0;
}
