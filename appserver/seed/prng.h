#pragma once

// The demo data's random numbers: SplitMix64 with its own range mapping, so that one seed gives
// the same data with every compiler and standard library.

#include <QList>
#include <QtGlobal>

#include <utility>

namespace vk::server {

class Prng {
public:
    explicit Prng(quint64 seed) : m_state(seed) {}

    // An independent stream for one part of the data set: changing how much one part draws
    // leaves the numbers of the other parts as they were.
    static Prng stream(quint64 seed, quint64 part) {
        return Prng(mix(seed ^ mix(part * 0xD1B54A32D192ED03ull + 0x2545F4914F6CDD1Dull)));
    }

    quint64 next() {
        m_state += 0x9E3779B97F4A7C15ull;
        return mix(m_state);
    }

    // Uniform in [0, n); rejection keeps it free of modulo bias. 0 when n is 0.
    quint64 below(quint64 n) {
        if (n == 0)
            return 0;
        const quint64 limit = (~n + 1) % n; // 2^64 mod n: the short last lap of next()
        quint64 r = next();
        while (r < limit)
            r = next();
        return r % n;
    }

    // Uniform in [lo, hi], both ends included.
    int range(int lo, int hi) {
        if (hi <= lo)
            return lo;
        return lo + int(below(quint64(qint64(hi) - qint64(lo) + 1)));
    }

    // Uniform in [0, 1) with 53 bits.
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    double between(double lo, double hi) { return lo + (hi - lo) * unit(); }
    bool chance(double p) { return unit() < p; }

    qsizetype index(qsizetype size) { return qsizetype(below(quint64(size))); }

    template <typename T> const T& pick(const QList<T>& list) {
        return list.at(index(list.size()));
    }

    // An index drawn with the given relative weights (all >= 0, at least one > 0).
    template <typename Weights> int weighted(const Weights& weights) {
        double total = 0;
        for (const auto& w : weights)
            total += double(w);
        double r = unit() * total;
        int i = 0;
        int last = 0;
        for (const auto& w : weights) {
            if (double(w) > 0) {
                if (r < double(w))
                    return i;
                r -= double(w);
                last = i;
            }
            ++i;
        }
        return last; // rounding left r at the very top
    }

    template <typename T> void shuffle(QList<T>& list) {
        for (qsizetype i = list.size() - 1; i > 0; --i)
            std::swap(list[i], list[index(i + 1)]);
    }

private:
    static quint64 mix(quint64 z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    quint64 m_state;
};

} // namespace vk::server
