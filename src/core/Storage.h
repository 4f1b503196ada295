#pragma once

// The fixed storage of a mix design and the codes stored in project files.
//
// Units: mass and volume fractions, passings, residues and the divergence in percent; sizes in
// one unit of the user's choice (the same for every component); densities in g/cm3.
//
// Every per-component array has 11 slots and every per-class array 51 (slot 0 is never read),
// for the life of a project. An index beyond the storage fails: get() and set() return nothing
// and false, and the statement that used them is skipped, so its target keeps its value.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

inline constexpr int MaxComponents = 10;
inline constexpr int MaxClasses = 50;

// Slider scale of the manual correction: a position of 10000 stands for a mass fraction of 100 %,
// one unit for 0.01 %.
inline constexpr int SliderMax = 10000;
inline constexpr int SliderMin = 0;
inline constexpr int SliderLargeStep = 100;
inline constexpr int SliderSmallStep = 1;

// The codes of the project file.
enum class GrainDataForm : int { Integral = 1, Differential = 2 };
enum class ReferenceKind : int { FunkDinger = 1, Fuller = 2, Hummel = 3, Bolomey = 4, ManualReference = 5 };

// A fixed array whose index is checked.
template <typename T, int Size>
class Slots
{
public:
    static constexpr int size() { return Size; }
    static constexpr bool has(int i) { return i >= 0 && i < Size; }
    std::optional<T> get(int i) const
    {
        if (!has(i))
            return std::nullopt;
        return m_v[size_t(i)];
    }
    bool set(int i, T value)
    {
        if (!has(i))
            return false;
        m_v[size_t(i)] = value;
        return true;
    }
    // Reading for display; outside the storage it reads the zero value.
    T operator[](int i) const { return has(i) ? m_v[size_t(i)] : T{}; }
    bool operator==(const Slots &) const = default;

private:
    std::array<T, Size> m_v{};
};

// Per class (rows 0..50) and per component (columns 0..10).
template <typename T>
class ClassTable
{
public:
    static constexpr bool has(int j, int i) { return j >= 0 && j <= MaxClasses && i >= 0 && i <= MaxComponents; }
    std::optional<T> get(int j, int i) const
    {
        if (!has(j, i))
            return std::nullopt;
        return m_v[size_t(j)][size_t(i)];
    }
    bool set(int j, int i, T value)
    {
        if (!has(j, i))
            return false;
        m_v[size_t(j)][size_t(i)] = value;
        return true;
    }
    T operator()(int j, int i) const { return has(j, i) ? m_v[size_t(j)][size_t(i)] : T{}; }
    bool operator==(const ClassTable &) const = default;

private:
    std::array<std::array<T, MaxComponents + 1>, MaxClasses + 1> m_v{};
};

using ComponentFloats = Slots<float, MaxComponents + 1>;
using ClassFloats = Slots<float, MaxClasses + 1>;
// Deviations have one slot more than the classes (1..51).
using DeviationFloats = Slots<float, MaxClasses + 2>;
