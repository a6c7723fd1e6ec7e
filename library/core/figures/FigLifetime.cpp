#include "figures/FigLifetime.h"

#include "figures/FigVisit.h"

namespace {

struct Cloner {
    template <class Kind>
    B_Base* operator()(const Kind& fig) const
    {
        B_Base* copy = new Kind(fig);
        copy->bounds = Bounds2D();
        return copy;
    }

    B_Base* operator()(const B_CFormGroup& group) const
    {
        return new B_CFormGroup(static_cast<const B_Base&>(group));
    }

    B_Base* operator()(const B_Base&) const { return nullptr; }
};

} // namespace

B_Base* CloneFig(const B_Base* fig)
{
    return fig ? VisitFig(*fig, Cloner()) : nullptr;
}

void DeleteFig(B_Base** holder)
{
    if (!holder || !*holder) return;
    B_Base* fig = *holder;
    *holder = nullptr;
    VisitFig(*fig, [](auto& kind) { delete &kind; });
}

B_Base* AssignFig(B_Base** holder, const B_Base* src)
{
    if (!holder) return nullptr;
    if (*holder == src) return *holder;
    // Clone before deleting: src may be a part of the primitive being replaced.
    B_Base* copy = CloneFig(src);
    DeleteFig(holder);
    *holder = copy;
    return copy;
}
