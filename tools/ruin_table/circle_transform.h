#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon::odds {

// The discrete Fourier transform of a power-of-two length, in place on separate real and
// imaginary parts: radix 2, its twiddle factors each computed directly (not by recurrence), so
// that each of its log2(size) stages adds at most a few units of rounding, relative to the
// transform's norm. In double, and in long double for what is transformed once and used often.
template <class T>
class CircleTransform {
  public:
    explicit CircleTransform(std::size_t size);

    std::size_t size() const { return size_; }
    // X_k = sum_j x_j e^(-2 pi i jk / size).
    void forward(T* re, T* im) const;
    // x_j = (1 / size) sum_k X_k e^(2 pi i jk / size).
    void inverse(T* re, T* im) const;

  private:
    void transform(T* re, T* im, T sign) const;

    std::size_t size_;
    std::vector<std::uint32_t> reversed_;
    // For each stage of half-length h, e^(-pi i j / h) for j < h at [h + j].
    std::vector<T> cos_;
    std::vector<T> sin_;
};

// The transform of a real sequence of a power-of-two length 2L, by one complex transform of
// length L (its even terms the real parts, its odd ones the imaginary): X_0 .. X_L, the rest
// being their conjugates.
template <class T>
class RealCircleTransform {
  public:
    explicit RealCircleTransform(std::size_t size);

    std::size_t size() const { return 2 * half_.size(); }
    // x has size() terms; re and im get size() / 2 + 1.
    void forward(const T* x, T* re, T* im) const;
    // Back from X_0 .. X_L (re and im are overwritten) to the size() terms of x.
    void inverse(T* re, T* im, T* x) const;

  private:
    CircleTransform<T> half_;
    // e^(-2 pi i k / size()) for k < size() / 2.
    std::vector<T> cos_;
    std::vector<T> sin_;
    mutable std::vector<T> re_;
    mutable std::vector<T> im_;
};

// One transform of each size for each thread, made when first asked for: their twiddle
// factors take longer to work out than a transform does.
template <class T>
const RealCircleTransform<T>& real_circle(std::size_t size);

extern template class CircleTransform<double>;
extern template class CircleTransform<long double>;
extern template class RealCircleTransform<double>;
extern template class RealCircleTransform<long double>;

}  // namespace quillon::odds
