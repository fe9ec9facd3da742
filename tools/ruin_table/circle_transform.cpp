#include "tools/ruin_table/circle_transform.h"

#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <utility>

namespace quillon::odds {

template <class T>
CircleTransform<T>::CircleTransform(std::size_t size)
    : size_(size), reversed_(size), cos_(size), sin_(size) {
    int bits = 0;
    while ((std::size_t{1} << bits) < size) {
        ++bits;
    }
    for (std::size_t i = 0; i < size; ++i) {
        std::size_t r = 0;
        for (int b = 0; b < bits; ++b) {
            r |= ((i >> b) & 1U) << (bits - 1 - b);
        }
        reversed_[i] = static_cast<std::uint32_t>(r);
    }
    for (std::size_t h = 1; h < size; h *= 2) {
        for (std::size_t j = 0; j < h; ++j) {
            const long double angle = std::numbers::pi_v<long double> *
                                      static_cast<long double>(j) / static_cast<long double>(h);
            cos_[h + j] = static_cast<T>(std::cos(angle));
            sin_[h + j] = static_cast<T>(-std::sin(angle));
        }
    }
}

template <class T>
void CircleTransform<T>::transform(T* re, T* im, T sign) const {
    for (std::size_t i = 0; i < size_; ++i) {
        const std::size_t r = reversed_[i];
        if (i < r) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    }
    // The first two stages' factors are 1 and -i (i for the inverse): a radix-4 pass.
    std::size_t h = 1;
    if (size_ >= 4) {
        for (std::size_t s = 0; s < size_; s += 4) {
            const T r0 = re[s] + re[s + 1];
            const T i0 = im[s] + im[s + 1];
            const T r1 = re[s] - re[s + 1];
            const T i1 = im[s] - im[s + 1];
            const T r2 = re[s + 2] + re[s + 3];
            const T i2 = im[s + 2] + im[s + 3];
            // (re + i im)(-i sign) for the second pair's odd term.
            const T r3 = sign * (im[s + 2] - im[s + 3]);
            const T i3 = -sign * (re[s + 2] - re[s + 3]);
            re[s] = r0 + r2;
            im[s] = i0 + i2;
            re[s + 2] = r0 - r2;
            im[s + 2] = i0 - i2;
            re[s + 1] = r1 + r3;
            im[s + 1] = i1 + i3;
            re[s + 3] = r1 - r3;
            im[s + 3] = i1 - i3;
        }
        h = 4;
    }
    for (; h < size_; h *= 2) {
        const T* const wr = cos_.data() + h;
        const T* const wi = sin_.data() + h;
        for (std::size_t start = 0; start < size_; start += 2 * h) {
            T* const ar = re + start;
            T* const ai = im + start;
            T* const br = ar + h;
            T* const bi = ai + h;
            for (std::size_t j = 0; j < h; ++j) {
                const T s = sign * wi[j];
                const T tr = br[j] * wr[j] - bi[j] * s;
                const T ti = br[j] * s + bi[j] * wr[j];
                br[j] = ar[j] - tr;
                bi[j] = ai[j] - ti;
                ar[j] += tr;
                ai[j] += ti;
            }
        }
    }
}

template <class T>
void CircleTransform<T>::forward(T* re, T* im) const {
    transform(re, im, T{1});
}

template <class T>
void CircleTransform<T>::inverse(T* re, T* im) const {
    transform(re, im, T{-1});
    const T scale = T{1} / static_cast<T>(size_);
    for (std::size_t i = 0; i < size_; ++i) {
        re[i] *= scale;
        im[i] *= scale;
    }
}

template <class T>
RealCircleTransform<T>::RealCircleTransform(std::size_t size)
    : half_(size / 2), cos_(size / 2), sin_(size / 2), re_(size / 2), im_(size / 2) {
    for (std::size_t k = 0; k < size / 2; ++k) {
        const long double angle = 2.0L * std::numbers::pi_v<long double> *
                                  static_cast<long double>(k) / static_cast<long double>(size);
        cos_[k] = static_cast<T>(std::cos(angle));
        sin_[k] = static_cast<T>(-std::sin(angle));
    }
}

template <class T>
void RealCircleTransform<T>::forward(const T* x, T* re, T* im) const {
    const std::size_t l = half_.size();
    for (std::size_t n = 0; n < l; ++n) {
        re_[n] = x[2 * n];
        im_[n] = x[2 * n + 1];
    }
    half_.forward(re_.data(), im_.data());
    // E_k = (Z_k + conj Z_(L-k)) / 2, O_k = (Z_k - conj Z_(L-k)) / 2i, X_k = E_k + W^k O_k.
    for (std::size_t k = 0; k <= l; ++k) {
        const std::size_t a = k % l;
        const std::size_t b = (l - k) % l;
        const T er = (re_[a] + re_[b]) / 2;
        const T ei = (im_[a] - im_[b]) / 2;
        const T o_r = (im_[a] + im_[b]) / 2;
        const T oi = -(re_[a] - re_[b]) / 2;
        const T wr = k < l ? cos_[k] : T{-1};
        const T wi = k < l ? sin_[k] : T{0};
        re[k] = er + wr * o_r - wi * oi;
        im[k] = ei + wr * oi + wi * o_r;
    }
}

template <class T>
void RealCircleTransform<T>::inverse(T* re, T* im, T* x) const {
    const std::size_t l = half_.size();
    // E_k = (X_k + conj X_(L-k)) / 2, O_k = (X_k - conj X_(L-k)) conj(W^k) / 2, Z_k = E_k + i O_k.
    for (std::size_t k = 0; k < l; ++k) {
        const T er = (re[k] + re[l - k]) / 2;
        const T ei = (im[k] - im[l - k]) / 2;
        const T dr = (re[k] - re[l - k]) / 2;
        const T di = (im[k] + im[l - k]) / 2;
        const T o_r = dr * cos_[k] + di * sin_[k];
        const T oi = di * cos_[k] - dr * sin_[k];
        re_[k] = er - oi;
        im_[k] = ei + o_r;
    }
    half_.inverse(re_.data(), im_.data());
    for (std::size_t n = 0; n < l; ++n) {
        x[2 * n] = re_[n];
        x[2 * n + 1] = im_[n];
    }
}

template <class T>
const RealCircleTransform<T>& real_circle(std::size_t size) {
    thread_local std::map<std::size_t, std::unique_ptr<RealCircleTransform<T>>> made;
    auto& at = made[size];
    if (at == nullptr) {
        at = std::make_unique<RealCircleTransform<T>>(size);
    }
    return *at;
}

template const RealCircleTransform<double>& real_circle<double>(std::size_t);
template const RealCircleTransform<long double>& real_circle<long double>(std::size_t);
template class CircleTransform<double>;
template class CircleTransform<long double>;
template class RealCircleTransform<double>;
template class RealCircleTransform<long double>;

}  // namespace quillon::odds
