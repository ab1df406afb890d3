// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/ByteIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace markers {
namespace {
constexpr size_t kBufferSize = 256 * 1024;
}

Reader Reader::fromFd(int fd)
{
    Reader r;
    r.fd_ = fd;
    r.own_.resize(kBufferSize);
    r.buffer_ = r.own_.data();
    return r;
}

Reader Reader::fromMemory(std::span<const uint8_t> bytes)
{
    Reader r;
    r.memory_ = bytes.data();
    r.memorySize_ = bytes.size();
    return r;
}

bool Reader::refill()
{
    if (fd_ < 0) {
        // Memory is handed out once, whole.
        if (!memory_)
            return false;
        buffer_ = memory_;
        pos_ = 0;
        end_ = memorySize_;
        memory_ = nullptr;
        return end_ > 0;
    }
    for (;;) {
        const ssize_t n = ::read(fd_, own_.data(), own_.size());
        if (n > 0) {
            pos_ = 0;
            end_ = static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failed_ = true;
        pos_ = end_ = 0;
        return false;
    }
}

bool Reader::read(uint8_t* out, size_t n)
{
    while (n > 0) {
        if (pos_ == end_ && !refill())
            return false;
        const size_t take = std::min(n, end_ - pos_);
        std::memcpy(out, buffer_ + pos_, take);
        pos_ += take;
        out += take;
        n -= take;
    }
    return true;
}

std::span<const uint8_t> Reader::available()
{
    if (pos_ == end_ && !refill())
        return {};
    return {buffer_ + pos_, end_ - pos_};
}

Writer Writer::toFd(int fd)
{
    Writer w;
    w.fd_ = fd;
    w.buffer_.reserve(kBufferSize);
    return w;
}

Writer Writer::toMemory(std::vector<uint8_t>& sink)
{
    Writer w;
    w.sink_ = &sink;
    return w;
}

Writer Writer::toNothing()
{
    Writer w;
    w.discard_ = true;
    return w;
}

Writer::Writer(Writer&& other) noexcept
    : fd_(other.fd_), sink_(other.sink_), discard_(other.discard_),
      buffer_(std::move(other.buffer_)), failed_(other.failed_)
{
    other.fd_ = -1;
    other.sink_ = nullptr;
}

Writer::~Writer()
{
    flush();
}

bool Writer::write(const uint8_t* bytes, size_t n)
{
    if (failed_)
        return false;
    if (discard_)
        return true;
    if (sink_) {
        sink_->insert(sink_->end(), bytes, bytes + n);
        return true;
    }
    if (fd_ < 0)
        return false;
    // Large runs go straight through, without a copy into the buffer.
    if (n >= kBufferSize / 4 || buffer_.size() + n > kBufferSize) {
        if (!flush())
            return false;
        if (n >= kBufferSize / 4) {
            while (n > 0) {
                const ssize_t w = ::write(fd_, bytes, n);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0) {
                    failed_ = true;
                    return false;
                }
                bytes += w;
                n -= static_cast<size_t>(w);
            }
            return true;
        }
    }
    buffer_.insert(buffer_.end(), bytes, bytes + n);
    return true;
}

bool Writer::flush()
{
    if (discard_)
        return true;
    if (fd_ < 0 || buffer_.empty())
        return !failed_;
    const uint8_t* p = buffer_.data();
    size_t n = buffer_.size();
    while (n > 0) {
        const ssize_t w = ::write(fd_, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            failed_ = true;
            buffer_.clear();
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    buffer_.clear();
    return !failed_;
}

bool readFile(const std::string& path, size_t limit, std::vector<uint8_t>& out, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    Reader reader = Reader::fromFd(fd);
    out.clear();
    for (auto chunk = reader.available(); !chunk.empty(); chunk = reader.available()) {
        if (out.size() + chunk.size() > limit) {
            ::close(fd);
            error = path + ": too large";
            return false;
        }
        out.insert(out.end(), chunk.begin(), chunk.end());
        reader.consume(chunk.size());
    }
    const bool ok = !reader.failed();
    ::close(fd);
    if (!ok)
        error = path + ": read error";
    return ok;
}

} // namespace markers
