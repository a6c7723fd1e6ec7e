#pragma once

#include <cstdint>

// A tolerance for comparing doubles: two values count as equal when they
// differ by less than 10^-digits. Built at compile time, so the process-wide
// instances are ready before any static initialiser of another file runs.
struct NumTolerance {
    std::int32_t mode;   // 0: absolute comparison (the only mode in use)
    double digits;
    double unit;         // 10^mode
    double scale;        // 10^digits
    double epsilon;      // 10^-digits

    constexpr NumTolerance(std::int32_t toleranceMode, double toleranceDigits)
        : mode(toleranceMode),
          digits(toleranceDigits),
          unit(PowerOfTen(toleranceMode)),
          scale(PowerOfTen(toleranceDigits)),
          epsilon(1.0 / PowerOfTen(toleranceDigits))
    {
    }

private:
    // Whole exponents only, which is all the tolerances use.
    static constexpr double PowerOfTen(double exponent)
    {
        double result = 1.0;
        for (double e = 0.0; e < exponent; e += 1.0) result *= 10.0;
        for (double e = 0.0; e > exponent; e -= 1.0) result /= 10.0;
        return result;
    }
};

inline constexpr NumTolerance g_numTol5{0, 5.0};
inline constexpr NumTolerance g_numTol6{0, 6.0};

// 0 when a and b count as equal, -1 when a < b, +1 when a > b.
// A NaN operand never counts as equal and gives +1.
int CompareTol(const NumTolerance& tol, double a, double b);
// The absolute rule on its own (what CompareTol does in mode 0).
int CompareTolAbs(const NumTolerance& tol, double a, double b);
