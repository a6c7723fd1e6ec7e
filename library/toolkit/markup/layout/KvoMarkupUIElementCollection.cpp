#include "markup/layout/KvoMarkupUIElementCollection.h"
#include "markup/elements/KvoMarkupUIElement.h"

CKvoMarkupUIElementCollection::CKvoMarkupUIElementCollection() : CKvoMarkupCollection(CKvoMarkupUIElement::s_type)
{
}
