#pragma once

#include "figures/B_Base.h"

#include <vector>

class B_FigNode;

// A group of figures. The children are nodes that the drawing's list owns;
// the group only refers to them.
struct B_CFormGroup : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Group;

    std::vector<B_FigNode*> children;

    B_CFormGroup() : B_Base(kCode) {}
    // A group with the header of another figure and no children.
    explicit B_CFormGroup(const B_Base& attrs) : B_Base(attrs, kCode) {}
    B_CFormGroup(const B_CFormGroup&) = delete;
    B_CFormGroup& operator=(const B_CFormGroup&) = delete;
    virtual ~B_CFormGroup() = default;
};
