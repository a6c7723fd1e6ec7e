#pragma once

#include <afx.h>

#include <type_traits>

#include "memory/DrawingAllocated.h"

// Base of the entity records of drawing and symbol files: the fields every
// entity reads first. Entities live only while a file is read: the archive
// that read them owns them, then the reader, which destroys each as soon as
// nothing needs it any more. Their memory is an arena of the load, which
// goes when the load ends.
class CData : public CObject, public DrawingAllocated<ArenaUse::Entities> {
    DECLARE_SERIAL(CData)
public:
    CData();
    ~CData() override;

    // Reads the common fields; reading only.
    void Serialize(CArchive& ar) override;

    // group x 16 + layer, computed in 16 bits.
    WORD GetLayerIndex() const { return static_cast<WORD>(m_layerGroup * 16 + m_layer); }

    DWORD m_groupNo;   // group of the entity in the drawing application
    BYTE m_penStyle;   // line type 0 to 62; 100 a special point; 101 and above a curved solid
    // How many list slots of the load hold this entity, up to 255 (see
    // CountListSlots); it fills the byte after m_penStyle, so costs nothing.
    BYTE m_listSlots;
    WORD m_penColor;   // pen number: 0 to 9, 10 a solid's own colour, 100 to 356 extended
    WORD m_penWidth;   // own line width, 0 for none; stored from version 351 on
    WORD m_layer;      // 0 to 15 within the group
    WORD m_layerGroup; // 0 to 15
    WORD m_flags;      // 0x0020 vertical text, 0x0040 see the entity classes
};

// entity as the entity class Entity, or null when it is null or of another
// class: ENTITY_CAST(CDataSen, entity). The entity classes are final, so the
// exact run-time class decides with one comparison, where a downcast walks
// the class chain.
template <class Entity>
Entity* EntityCast(CData* entity, const CRuntimeClass* entityClass)
{
    static_assert(std::is_final<Entity>::value, "only a final entity class is told by its exact class");
    return entity && entity->GetRuntimeClass() == entityClass ? static_cast<Entity*>(entity) : nullptr;
}
#define ENTITY_CAST(class_name, entity) EntityCast<class_name>(entity, RUNTIME_CLASS(class_name))
