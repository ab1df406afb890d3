// libjpeg's error manager for every codec object of ours: errors and warnings are recorded
// and jump back to the caller's setjmp, so libjpeg never exits. Nothing with a destructor
// may live in the frames between the setjmp and the libjpeg call.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace brelin {

struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] inline void onJpegError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->jump, 1);
}

inline void onJpegMessage(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning, which libjpeg gives for corrupt data: a verdict on the file.
    if (level < 0)
        onJpegError(cinfo);
}

inline void installErrors(jpeg_error_mgr& pub)
{
    jpeg_std_error(&pub);
    pub.error_exit = onJpegError;
    pub.emit_message = onJpegMessage;
}

// The bytes that jpeg_mem_dest gathered, in our own buffer; libjpeg's is freed.
inline std::vector<uint8_t> takeBytes(unsigned char*& buffer, unsigned long length)
{
    std::vector<uint8_t> bytes(buffer, buffer + length);
    free(buffer);
    buffer = nullptr;
    return bytes;
}

} // namespace brelin
