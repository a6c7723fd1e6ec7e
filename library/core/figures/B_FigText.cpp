#include "figures/B_FigText.h"

#include <new>

B_FigText* MakeTextCopy(const B_FigText& text)
{
    return new (std::nothrow) B_FigText(text);
}
