#include "app/LibraryLocale.h"

CLibraryLocale::CLibraryLocale() : m_locale(nullptr) {}

CLibraryLocale::~CLibraryLocale()
{
    if (m_locale)
        _free_locale(m_locale);
}

bool CLibraryLocale::Create(const char* name)
{
    _locale_t created = _create_locale(LC_ALL, name);
    if (!created)
        return false;
    if (m_locale)
        _free_locale(m_locale);
    m_locale = created;
    return true;
}
