#include "geometry/TransformSaver.h"

TransformSaver::TransformSaver() : m_target(GlobalTransform()), m_saved(m_target) {}

TransformSaver::~TransformSaver()
{
    m_target = m_saved;
}
