#pragma once
#include "figures/B_Base.h"
#include "figures/FigLifetime.h"

// Owns the primitive a record converter made until a node takes it over, so
// a failed allocation on the way leaks nothing.
struct FigHolder {
    FigHolder() = default;
    FigHolder(const FigHolder&) = delete;
    FigHolder& operator=(const FigHolder&) = delete;
    ~FigHolder() { DeleteFig(&fig); }

    B_Base* fig = nullptr;
};
