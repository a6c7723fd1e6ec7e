#pragma once
#include <cstddef>
#include <memory>
#include <vector>

// GDI objects of one draw by the key that makes them, at most Most of them.
// Consecutive figures mostly share their object, so the last one found is
// asked first. An object stays until Clear, so one that is selected is never
// deleted.
template <class Key, class Object, std::size_t Most>
class CPassObjectCache {
public:
    // The object of key, made by make(Object&) on its first use; null when
    // make fails or the cache is full (the caller then makes its own).
    template <class Make>
    Object* Get(const Key& key, Make make)
    {
        if (Object* found = Find(key))
            return found;
        if (m_entries.size() >= Most)
            return nullptr;
        std::unique_ptr<Object> made(new Object);
        if (!make(*made))
            return nullptr;
        m_entries.push_back(Entry{key, std::move(made)});
        m_lastHit = m_entries.size() - 1;
        return m_entries.back().object.get();
    }
    // Deletes every object; none may be selected into a DC.
    void Clear()
    {
        m_entries.clear();
        m_lastHit = 0;
    }

private:
    struct Entry {
        Key key;
        std::unique_ptr<Object> object;
    };

    Object* Find(const Key& key)
    {
        if (m_lastHit < m_entries.size() && m_entries[m_lastHit].key == key)
            return m_entries[m_lastHit].object.get();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].key == key) {
                m_lastHit = i;
                return m_entries[i].object.get();
            }
        }
        return nullptr;
    }

    std::vector<Entry> m_entries;
    std::size_t m_lastHit = 0;
};
