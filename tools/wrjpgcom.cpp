// SPDX-License-Identifier: GPL-3.0-or-later
// wrjpgcom: copies a JPEG stream from standard input (or FILE) to standard output with
// one kind of marker replaced by the content of a payload file.
#include "markers/MarkerTools.h"

#include <cerrno>
#include <optional>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "usage: wrjpgcom -appn PAYLOAD [FILE]\n"
    "       wrjpgcom -cfile PAYLOAD [FILE]\n"
    "  Copies the JPEG stream FILE (standard input without FILE) to standard output.\n"
    "  -appn   (n 0..15) every APPn segment is replaced by the segments in PAYLOAD,\n"
    "          which must hold whole APPn segments (as rdjpgcom -raw APPn prints them)\n"
    "  -cfile  every comment is replaced by the bytes of PAYLOAD\n"
    "  An empty PAYLOAD, such as /dev/null, removes that kind of marker.\n";

int usage(int code)
{
    std::fputs(kUsage, code == 0 ? stdout : stderr);
    return code;
}

// Payloads are marker contents; anything near this size is not one.
constexpr size_t kMaxPayload = size_t(256) << 20;

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
        return usage(0);
    if (argc != 3 && argc != 4)
        return usage(2);
    const std::string option = argv[1];
    const bool comment = option == "-cfile";
    std::optional<uint8_t> marker;
    if (!comment) {
        if (option.size() < 2 || option[0] != '-' ||
            !(marker = markers::appMarkerNamed(option.substr(1)))) {
            std::fprintf(stderr, "wrjpgcom: %s: not an option -app0..-app15 or -cfile\n", argv[1]);
            return 2;
        }
    }

    std::vector<uint8_t> payload;
    std::string error;
    if (!markers::readFile(argv[2], kMaxPayload, payload, error)) {
        std::fprintf(stderr, "wrjpgcom: %s\n", error.c_str());
        return 1;
    }
    int inFd = STDIN_FILENO;
    if (argc == 4) {
        inFd = open(argv[3], O_RDONLY | O_CLOEXEC);
        if (inFd < 0) {
            std::fprintf(stderr, "wrjpgcom: %s: %s\n", argv[3], std::strerror(errno));
            return 1;
        }
    }

    // When standard output is a file, a failure takes back what was written, so no
    // partial JPEG is left; a pipe's reader learns of it from the exit status.
    struct stat st
    {
    };
    const bool regular = fstat(STDOUT_FILENO, &st) == 0 && S_ISREG(st.st_mode);
    const off_t start = regular ? lseek(STDOUT_FILENO, 0, SEEK_CUR) : -1;

    markers::Reader in = markers::Reader::fromFd(inFd);
    markers::Writer out = markers::Writer::toFd(STDOUT_FILENO);
    const markers::Result r = comment ? markers::replaceComments(in, payload, out)
                                      : markers::replaceAppSegments(in, *marker, payload, out);
    const bool flushed = out.flush();
    if (inFd != STDIN_FILENO)
        close(inFd);
    if (!r.ok || !flushed) {
        if (regular && start >= 0 && ftruncate(STDOUT_FILENO, start) == 0)
            lseek(STDOUT_FILENO, start, SEEK_SET);
        std::fprintf(stderr, "wrjpgcom: %s\n", r.ok ? "write error" : r.message.c_str());
        return 1;
    }
    return 0;
}
