#pragma once
// Swaps a value in for the length of a scope: the skin object classes draw a
// state's variant by swapping it in and drawing as their base class.

namespace corvane::skin {

template <class T> class Swapped {
public:
    Swapped(T& slot, const T& value) : m_slot(slot), m_saved(slot) { m_slot = value; }
    ~Swapped() { m_slot = m_saved; }
    Swapped(const Swapped&) = delete;
    Swapped& operator=(const Swapped&) = delete;

private:
    T& m_slot;
    T m_saved;
};

} // namespace corvane::skin
