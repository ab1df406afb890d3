// SPDX-License-Identifier: GPL-3.0-or-later
#include "scaling/BRLanczosScaleTransform.h"

#include "scaling/LanczosWeights.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kBits = LanczosWeights::kBits;

bool sizesFit(const Bitmap& input, float factor, int& w, int& h)
{
    if (input.empty() || !(factor > 0.0f) || !std::isfinite(factor))
        return false;
    w = BRLanczosScaleTransform::outputSize(input.width, factor);
    h = BRLanczosScaleTransform::outputSize(input.height, factor);
    return w > 0 && h > 0 && uint64_t(w) * uint64_t(h) <= kMaxPixels;
}

// Between the passes values keep 6 fractional bits and their over- and undershoot
// (Lanczos' negative lobes reach below 0 and above 255), so the second pass sees what a
// float computation would; 255 · 1.3 · 64 stays far inside 16 bits.
constexpr int kInterBits = 6;

struct Intermediate
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<int16_t, DefaultInitAllocator<int16_t>> values; // written whole by the first pass
    Intermediate(int w, int h, int c) : width(w), height(h), channels(c)
    {
        values.resize(size_t(w) * size_t(h) * size_t(c));
    }
    const int16_t* row(int y) const
    {
        return values.data() + size_t(y) * size_t(width) * size_t(channels);
    }
    int16_t* row(int y) { return values.data() + size_t(y) * size_t(width) * size_t(channels); }
};

std::atomic<int> maxThreads{0};

// Splits rows [0, n) into one band per core; each band is worked on by its own thread.
template <typename F>
void inBands(int n, F&& work)
{
    const int limit = maxThreads.load();
    unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    if (limit > 0)
        cores = std::min(cores, unsigned(limit));
    const int bands = int(std::min<unsigned>(cores, unsigned(std::max(1, n / 16))));
    if (bands <= 1) {
        work(0, n);
        return;
    }
    std::vector<std::thread> threads;
    for (int b = 1; b < bands; ++b)
        threads.emplace_back([&, b] { work(n * b / bands, n * (b + 1) / bands); });
    work(0, n / bands);
    for (std::thread& t : threads)
        t.join();
}

// One output row from `taps` input rows: taps outside, contiguous samples inside, so the
// compiler vectorises the inner loop.
template <typename In, typename Out, int Shift>
inline void verticalRowBody(const In* const* rows, const int16_t* w, int taps, size_t n,
                            int32_t* acc, Out* dst)
{
    std::fill(acc, acc + n, int32_t(1) << (Shift - 1));
    for (int t = 0; t < taps; ++t) {
        const int32_t wt = w[t];
        if (wt == 0)
            continue;
        const In* src = rows[t];
        for (size_t i = 0; i < n; ++i)
            acc[i] += wt * src[i];
    }
    for (size_t i = 0; i < n; ++i) {
        const int32_t v = acc[i] >> Shift;
        if constexpr (sizeof(Out) == 1)
            dst[i] = Out(std::clamp(v, 0, 255));
        else
            dst[i] = Out(std::clamp(v, -32768, 32767));
    }
}

// The same loops built twice, for AVX2 and for any x86-64; the loader picks one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define BRELIN_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define BRELIN_CLONES
#endif

BRELIN_CLONES void verticalRowToInter(const uint8_t* const* rows, const int16_t* w, int taps,
                                      size_t n, int32_t* acc, int16_t* dst)
{
    verticalRowBody<uint8_t, int16_t, kBits - kInterBits>(rows, w, taps, n, acc, dst);
}

BRELIN_CLONES void verticalRowToBytes(const int16_t* const* rows, const int16_t* w, int taps,
                                      size_t n, int32_t* acc, uint8_t* dst)
{
    verticalRowBody<int16_t, uint8_t, kBits + kInterBits>(rows, w, taps, n, acc, dst);
}

template <typename In, typename Out, int Shift>
void verticalRow(const In* const* rows, const int16_t* w, int taps, size_t n, int32_t* acc,
                 Out* dst)
{
    if constexpr (sizeof(In) == 1)
        verticalRowToInter(rows, w, taps, n, acc, dst);
    else
        verticalRowToBytes(rows, w, taps, n, acc, dst);
}

template <typename In, typename Out, int Shift, typename InImage, typename OutImage>
void vertical(const InImage& in, OutImage& out, const LanczosWeights& wy)
{
    const size_t n = size_t(out.width) * size_t(out.channels);
    const int taps = wy.taps();
    inBands(out.height, [&](int from, int to) {
        std::vector<int32_t> acc(n);
        std::vector<const In*> rows(static_cast<size_t>(taps));
        for (int y = from; y < to; ++y) {
            for (int t = 0; t < taps; ++t)
                rows[size_t(t)] = in.row(wy.first(y) + t);
            verticalRow<In, Out, Shift>(rows.data(), wy.fixed(y), taps, n, acc.data(), out.row(y));
        }
    });
}

// One output pixel from contiguous input pixels of C samples each; with four samples
// the accumulator is one vector register.
template <int C, typename In, typename Out, int Shift>
void horizontalRow(const In* src, Out* dst, const LanczosWeights& wx, int width)
{
    const int taps = wx.taps();
    for (int x = 0; x < width; ++x) {
        const In* p = src + size_t(wx.first(x)) * C;
        const int16_t* w = wx.fixed(x);
        int32_t acc[C];
        for (int k = 0; k < C; ++k)
            acc[k] = int32_t(1) << (Shift - 1);
        for (int t = 0; t < taps; ++t) {
            const int32_t wt = w[t];
            for (int k = 0; k < C; ++k)
                acc[k] += wt * p[t * C + k];
        }
        for (int k = 0; k < C; ++k) {
            const int32_t v = acc[k] >> Shift;
            if constexpr (sizeof(Out) == 1)
                dst[x * C + k] = Out(std::clamp(v, 0, 255));
            else
                dst[x * C + k] = Out(std::clamp(v, -32768, 32767));
        }
    }
}

template <typename In, typename Out, int Shift, typename InImage, typename OutImage>
void horizontal(const InImage& in, OutImage& out, const LanczosWeights& wx)
{
    inBands(out.height, [&](int from, int to) {
        for (int y = from; y < to; ++y) {
            const In* src = in.row(y);
            Out* dst = out.row(y);
            switch (in.channels) {
            case 1:
                horizontalRow<1, In, Out, Shift>(src, dst, wx, out.width);
                break;
            case 3:
                horizontalRow<3, In, Out, Shift>(src, dst, wx, out.width);
                break;
            default:
                horizontalRow<4, In, Out, Shift>(src, dst, wx, out.width);
                break;
            }
        }
    });
}

} // namespace

void BRLanczosScaleTransform::setMaxThreads(int threads)
{
    maxThreads = threads;
}

int BRLanczosScaleTransform::outputSize(int size, float factor)
{
    const float v = std::floor(float(size) * factor);
    if (!(v >= 0.0f) || v > 2147483647.0f)
        return 0;
    return int(v);
}

std::optional<Bitmap> BRLanczosScaleTransform::apply(const Bitmap& input, float factor)
{
    int w = 0, h = 0;
    if (!sizesFit(input, factor, w, h))
        return std::nullopt;
    // One factor for both directions; the sides rounded down cut less than one output
    // pixel at the right and bottom.
    return resize(input, w, h, factor, factor);
}

std::optional<Bitmap> BRLanczosScaleTransform::resize(const Bitmap& input, int w, int h, double fx,
                                                      double fy, const RowProgress* progress)
{
    std::vector<Plane> planes(1);
    planes[0] = Plane{&input, w, h, fx, fy, progress, nullptr, nullptr, {}};
    if (!resizePlanes(planes))
        return std::nullopt;
    return std::move(planes[0].output);
}

namespace {

// One plane's share of resizePlanes: its weights and the rows still to do.
struct PlaneWork
{
    PlaneWork(BRLanczosScaleTransform::Plane& p)
        : plane(p), wx(p.input->width, p.width, p.factorX),
          wy(p.input->height, p.height, p.factorY), rowwise(p.height <= p.input->height),
          back(p.height), done(size_t(p.height), 0)
    {
    }
    BRLanczosScaleTransform::Plane& plane;
    const LanczosWeights wx;
    const LanczosWeights wy;
    // Reducing (or keeping) the height, the vertical pass goes first, row by row, so the
    // horizontal one works on fewer rows and no whole intermediate image is held.
    const bool rowwise;
    int front = 0; // rows [front, back) are still to do
    int back;
    std::vector<char> done; // rows finished, in any order
    int contiguous = 0;     // rows finished from the top
    // The input rows that output row y needs.
    int need(int y) const { return wy.first(y) + wy.taps(); }
};

// Scratch rows of one thread, for the widest plane.
struct Scratch
{
    explicit Scratch(size_t n, int taps) : acc(n), row(n), rows(size_t(taps)) {}
    std::vector<int32_t> acc;
    std::vector<int16_t, DefaultInitAllocator<int16_t>> row;
    std::vector<const uint8_t*> rows;
};

// One output row: the vertical taps into a row of the intermediate, then at once the
// horizontal ones into the output, while that row is in the cache.
void oneRow(const PlaneWork& work, Scratch& sc, int y)
{
    const Bitmap& input = *work.plane.input;
    Bitmap& out = work.plane.output;
    const size_t n = size_t(input.width) * size_t(input.channels);
    const int taps = work.wy.taps();
    for (int t = 0; t < taps; ++t)
        sc.rows[size_t(t)] = input.row(work.wy.first(y) + t);
    verticalRow<uint8_t, int16_t, kBits - kInterBits>(sc.rows.data(), work.wy.fixed(y), taps, n,
                                                      sc.acc.data(), sc.row.data());
    switch (input.channels) {
    case 1:
        horizontalRow<1, int16_t, uint8_t, kBits + kInterBits>(sc.row.data(), out.row(y), work.wx,
                                                               out.width);
        break;
    case 3:
        horizontalRow<3, int16_t, uint8_t, kBits + kInterBits>(sc.row.data(), out.row(y), work.wx,
                                                               out.width);
        break;
    default:
        horizontalRow<4, int16_t, uint8_t, kBits + kInterBits>(sc.row.data(), out.row(y), work.wx,
                                                               out.width);
        break;
    }
}

// Rows of planes that are still being decoded, claimed from the top: by this thread as
// their input rows come, choosing the plane that is least far on, and by a helper once the
// decoder is done, so both cores stay busy. Rows finished from the top are announced, so
// that an encoder can follow. False when the decoder stopped short.
bool streamRows(std::vector<PlaneWork*>& works, const Scratch& shape)
{
    std::mutex claim;
    bool failed = false;
    // The next row to do, or none when all are taken.
    const auto next = [&](int& y) -> PlaneWork* {
        const std::lock_guard lock(claim);
        PlaneWork* pick = nullptr;
        double least = 2.0;
        for (PlaneWork* w : works) {
            if (failed || w->front >= w->back)
                continue;
            const double share = double(w->need(w->front)) / w->plane.input->height;
            if (share < least) {
                least = share;
                pick = w;
            }
        }
        if (pick)
            y = pick->front++;
        return pick;
    };
    const auto finished = [&](PlaneWork* w, int y) {
        const std::lock_guard lock(claim);
        w->done[size_t(y)] = 1;
        const int before = w->contiguous;
        while (w->contiguous < w->plane.height && w->done[size_t(w->contiguous)])
            ++w->contiguous;
        if (w->contiguous == before)
            return;
        if (w->plane.done)
            w->plane.done->publish(w->contiguous);
        // The rows above the first one the next row reads are free for the producer.
        if (w->plane.released && w->contiguous < w->plane.height)
            w->plane.released->publish(w->wy.first(w->contiguous));
    };
    std::thread helper([&] {
        for (PlaneWork* w : works)
            if (!w->plane.progress->waitForEnd(w->plane.input->height))
                return;
        Scratch sc = shape;
        int y = 0;
        while (PlaneWork* w = next(y)) {
            oneRow(*w, sc, y);
            finished(w, y);
        }
    });
    Scratch sc = shape;
    int y = 0;
    while (PlaneWork* w = next(y)) {
        if (!w->plane.progress->waitFor(w->need(y))) {
            const std::lock_guard lock(claim);
            failed = true;
            break;
        }
        oneRow(*w, sc, y);
        finished(w, y);
    }
    helper.join();
    return !failed;
}

// Tells whoever follows the planes' rows that no more will come.
struct FinishDone
{
    std::vector<BRLanczosScaleTransform::Plane>& planes;
    ~FinishDone()
    {
        for (auto& p : planes) {
            if (p.done)
                p.done->finish();
            if (p.released)
                p.released->finish();
        }
    }
};

} // namespace

bool BRLanczosScaleTransform::resizePlanes(std::vector<Plane>& planes)
{
    const FinishDone finishDone{planes};
    for (const Plane& p : planes) {
        if (!p.input || p.input->empty() || p.width <= 0 || p.height <= 0 ||
            uint64_t(p.width) * uint64_t(p.height) > kMaxPixels || !(p.factorX > 0) ||
            !(p.factorY > 0) || !std::isfinite(p.factorX) || !std::isfinite(p.factorY))
            return false;
    }
    std::vector<std::unique_ptr<PlaneWork>> works;
    size_t widest = 1;
    int mostTaps = 1;
    for (Plane& p : planes) {
        if (p.output.width != p.width || p.output.height != p.height ||
            p.output.channels != p.input->channels)
            p.output = Bitmap::uninitialized(p.width, p.height, p.input->channels);
        works.push_back(std::make_unique<PlaneWork>(p));
        widest = std::max(widest, size_t(p.input->width) * size_t(p.input->channels));
        mostTaps = std::max(mostTaps, works.back()->wy.taps());
    }
    const Scratch shape(widest, mostTaps);

    std::vector<PlaneWork*> streamed;
    for (const auto& w : works) {
        Plane& p = w->plane;
        if (w->rowwise && p.progress) {
            streamed.push_back(w.get());
        } else if (w->rowwise) {
            inBands(p.height, [&](int from, int to) {
                Scratch sc = shape;
                for (int y = from; y < to; ++y)
                    oneRow(*w, sc, y);
            });
            if (p.done)
                p.done->publish(p.height);
        }
    }
    if (!streamed.empty() && !streamRows(streamed, shape))
        return false;
    // Enlarging vertically: every input row is needed for the horizontal pass first.
    for (const auto& w : works) {
        if (w->rowwise)
            continue;
        Plane& p = w->plane;
        if (p.progress && !p.progress->waitForEnd(p.input->height))
            return false;
        Intermediate columns(p.width, p.input->height, p.input->channels);
        horizontal<uint8_t, int16_t, kBits - kInterBits>(*p.input, columns, w->wx);
        vertical<int16_t, uint8_t, kBits + kInterBits>(columns, p.output, w->wy);
        if (p.done)
            p.done->publish(p.height);
    }
    return true;
}

std::optional<Bitmap> BRLanczosScaleTransform::applyReference(const Bitmap& input, float factor)
{
    int w = 0, h = 0;
    if (!sizesFit(input, factor, w, h))
        return std::nullopt;
    const LanczosWeights wx(input.width, w, factor);
    const LanczosWeights wy(input.height, h, factor);
    const int c = input.channels;
    std::vector<float> across(size_t(w) * size_t(input.height) * size_t(c));
    for (int y = 0; y < input.height; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < c; ++k) {
                float s = 0.0f;
                for (int t = 0; t < wx.taps(); ++t)
                    s += wx.floats(x)[t] * input.row(y)[(wx.first(x) + t) * c + k];
                across[(size_t(y) * size_t(w) + size_t(x)) * size_t(c) + size_t(k)] = s;
            }
    Bitmap out(w, h, c);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < c; ++k) {
                float s = 0.0f;
                for (int t = 0; t < wy.taps(); ++t)
                    s += wy.floats(y)[t] *
                         across[(size_t(wy.first(y) + t) * size_t(w) + size_t(x)) * size_t(c) +
                                size_t(k)];
                out.row(y)[x * c + k] = uint8_t(std::clamp(std::lround(s), 0L, 255L));
            }
    return out;
}
