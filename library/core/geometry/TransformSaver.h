#pragma once

#include "geometry/Transform2D.h"

// Saves the calling thread's global transform and puts it back when the
// scope ends, so nested scopes each restore exactly what they found. The
// determinant travels with the matrix: an inner scope that leaves a singular
// map behind must not make the outer scope's points fail, nor the reverse.
class TransformSaver {
public:
    TransformSaver();
    ~TransformSaver();

    TransformSaver(const TransformSaver&) = delete;
    TransformSaver& operator=(const TransformSaver&) = delete;

private:
    Transform2D& m_target;
    Transform2D m_saved;
};
