// SPDX-License-Identifier: GPL-3.0-or-later
// Buffered byte streams over file descriptors or memory, for the marker tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace markers {

// Where bytes come from: a file descriptor or a block of memory.
class Reader
{
public:
    static Reader fromFd(int fd);
    static Reader fromMemory(std::span<const uint8_t> bytes);

    // The next byte, or -1 at the end of the stream (or on a read error).
    int get()
    {
        if (pos_ == end_ && !refill())
            return -1;
        return buffer_[pos_++];
    }
    // Reads exactly n bytes; false when the stream ends first.
    bool read(uint8_t* out, size_t n);
    // The bytes buffered now (refilling when empty); empty at the end of the stream.
    std::span<const uint8_t> available();
    void consume(size_t n) { pos_ += n; }
    bool failed() const { return failed_; }

private:
    bool refill();

    int fd_ = -1;
    const uint8_t* memory_ = nullptr;
    size_t memorySize_ = 0;
    std::vector<uint8_t> own_;
    const uint8_t* buffer_ = nullptr;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool failed_ = false;
};

// Where bytes go: a file descriptor or a growing block of memory.
class Writer
{
public:
    static Writer toFd(int fd);
    static Writer toMemory(std::vector<uint8_t>& sink);
    // Accepts and forgets everything: for walking a stream without a copy.
    static Writer toNothing();
    ~Writer();
    Writer(Writer&&) noexcept;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool write(const uint8_t* bytes, size_t n);
    bool write(std::span<const uint8_t> bytes) { return write(bytes.data(), bytes.size()); }
    bool flush();
    bool failed() const { return failed_; }

private:
    Writer() = default;

    int fd_ = -1;
    std::vector<uint8_t>* sink_ = nullptr;
    bool discard_ = false;
    std::vector<uint8_t> buffer_;
    bool failed_ = false;
};

// Reads a whole file; false with a message when it cannot be read or is larger than limit.
bool readFile(const std::string& path, size_t limit, std::vector<uint8_t>& out, std::string& error);

} // namespace markers
