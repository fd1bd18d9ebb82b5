#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

namespace tessaly {

// The growable array used throughout the program. Storage grows and shrinks
// in whole multiples of a growth step fixed at construction, so the capacity
// is predictable (and observable): callers and tests rely on the exact rule.
//
// Elements are value-initialised ("zero-filled") when they come into use.
// The array owns its storage; it owns what the elements point to only when
// the element type itself owns it (std::unique_ptr).
template <typename T>
class PointerArray {
public:
    explicit PointerArray(std::int32_t growStep) : m_growStep(growStep) { assert(growStep > 0); }

    PointerArray(const PointerArray&) = delete;
    PointerArray& operator=(const PointerArray&) = delete;
    PointerArray(PointerArray&& other) noexcept { swapWith(other); }
    PointerArray& operator=(PointerArray&& other) noexcept
    {
        if (this != &other) {
            free();
            swapWith(other);
        }
        return *this;
    }
    ~PointerArray() = default;

    std::int32_t count() const { return m_count; }
    std::int32_t capacity() const { return m_capacity; }
    std::int32_t growStep() const { return m_growStep; }

    // No index check: callers keep 0 <= index < count().
    T& get(std::int32_t index) { return m_data[static_cast<std::size_t>(index)]; }
    const T& get(std::int32_t index) const { return m_data[static_cast<std::size_t>(index)]; }

    T* begin() { return m_data.get(); }
    T* end() { return m_data.get() + m_count; }
    const T* begin() const { return m_data.get(); }
    const T* end() const { return m_data.get() + m_count; }

    // Returns whether there was storage to release.
    bool free()
    {
        const bool had = m_data != nullptr;
        m_data.reset();
        m_count = 0;
        m_capacity = 0;
        return had;
    }

    bool setSize(std::int32_t n)
    {
        free();
        if (n <= 0)
            return true;
        const std::int32_t c = roundUp(n);
        if (c < 0)
            return false;
        std::unique_ptr<T[]> storage(new (std::nothrow) T[static_cast<std::size_t>(c)]());
        if (!storage)
            return false;
        m_data = std::move(storage);
        m_capacity = c;
        m_count = n;
        return true;
    }

    bool resize(std::int32_t n)
    {
        if (n < 0)
            return false;
        const std::int32_t c = roundUp(n);
        if (c < 0)
            return false; // the capacity would not fit the counter
        if (c == 0) {
            free();
            return true;
        }
        if (c != m_capacity) {
            std::unique_ptr<T[]> storage(new (std::nothrow) T[static_cast<std::size_t>(c)]());
            if (!storage)
                return false;
            const std::int32_t kept = m_count < n ? m_count : n;
            for (std::int32_t i = 0; i < kept; ++i)
                storage[static_cast<std::size_t>(i)] = std::move(m_data[static_cast<std::size_t>(i)]);
            m_data = std::move(storage);
            m_capacity = c;
        } else {
            // Same storage: what lies between the old and the new count may be
            // left over from earlier removals and must read as zero.
            for (std::int32_t i = m_count; i < n; ++i)
                m_data[static_cast<std::size_t>(i)] = T{};
        }
        m_count = n;
        return true;
    }

    bool add(T element)
    {
        if (!growByOne())
            return false;
        get(m_count - 1) = std::move(element);
        return true;
    }

    // Callers keep 0 <= index <= count().
    bool insertAt(std::int32_t index, T element)
    {
        if (index < 0 || index > m_count)
            return false;
        if (!growByOne())
            return false;
        for (std::int32_t i = m_count - 1; i > index; --i)
            get(i) = std::move(get(i - 1));
        get(index) = std::move(element);
        return true;
    }

    bool removeAt(std::int32_t index)
    {
        if (index < 0 || index >= m_count)
            return false;
        for (std::int32_t i = index; i + 1 < m_count; ++i)
            get(i) = std::move(get(i + 1));
        get(m_count - 1) = T{};
        const std::int32_t n = m_count - 1;
        if (m_capacity - m_growStep < n) {
            m_count = n;
            return true;
        }
        return resize(n);
    }

    template <typename V>
    std::int32_t find(const V& value) const
    {
        for (std::int32_t i = 0; i < m_count; ++i) {
            if (get(i) == value)
                return i;
        }
        return -1;
    }

    template <typename V>
    bool removeValue(const V& value)
    {
        const std::int32_t index = find(value);
        return index >= 0 && removeAt(index);
    }

private:
    bool growByOne()
    {
        if (m_count == INT32_MAX)
            return false;
        if (m_count + 1 < m_capacity) {
            ++m_count;
            return true;
        }
        return resize(m_count + 1);
    }

    // Smallest multiple of the growth step that is >= n; 0 for n <= 0 and
    // -1 when it would overflow the 32-bit counters.
    std::int32_t roundUp(std::int32_t n) const
    {
        if (n <= 0)
            return 0;
        const std::int64_t c = (static_cast<std::int64_t>(n) + m_growStep - 1) / m_growStep * m_growStep;
        return c > INT32_MAX ? -1 : static_cast<std::int32_t>(c);
    }

    void swapWith(PointerArray& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_count, other.m_count);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_growStep, other.m_growStep);
    }

    std::unique_ptr<T[]> m_data;
    std::int32_t m_count = 0;
    std::int32_t m_capacity = 0;
    std::int32_t m_growStep = 16;
};

} // namespace tessaly
