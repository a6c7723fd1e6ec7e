#include "foundation/base/KvoEventConnection.h"

CKvoEventConnection::CKvoEventConnection() : m_deliveryDepth(0), m_lastId(0) {}

CKvoEventConnection::~CKvoEventConnection()
{
    for (INT_PTR i = 0; i < m_connections.GetSize(); ++i)
        delete m_connections[i];
    for (INT_PTR i = 0; i < m_retired.GetSize(); ++i)
        delete m_retired[i];
}

CSyncObject* CKvoEventConnection::GetLock()
{
    return &m_lock;
}

DWORD CKvoEventConnection::Connect(DWORD code, CKvoEventSink* sink)
{
    if (!sink)
        return 0;
    CSingleLock lock(GetLock(), TRUE);
    // Ids are never reused, so a snapshot cannot mistake a new connection
    // for one that was disconnected.
    if (++m_lastId == 0)
        ++m_lastId;
    m_connections.Add(new Connection{code, sink, m_lastId, true});
    return m_lastId;
}

int CKvoEventConnection::FindConnectionLocked(DWORD id) const
{
    for (INT_PTR i = 0; i < m_connections.GetSize(); ++i) {
        if (m_connections[i]->id == id)
            return static_cast<int>(i);
    }
    return -1;
}

int CKvoEventConnection::FindConnection(DWORD id)
{
    CSingleLock lock(GetLock(), TRUE);
    return FindConnectionLocked(id);
}

int CKvoEventConnection::GetConnectionCount()
{
    CSingleLock lock(GetLock(), TRUE);
    return static_cast<int>(m_connections.GetSize());
}

void CKvoEventConnection::Retire(int index)
{
    Connection* connection = m_connections[index];
    m_connections.RemoveAt(index);
    connection->connected = false;
    if (m_deliveryDepth > 0)
        m_retired.Add(connection);
    else
        delete connection;
}

BOOL CKvoEventConnection::Disconnect(DWORD id)
{
    CSingleLock lock(GetLock(), TRUE);
    int index = FindConnectionLocked(id);
    if (index < 0)
        return FALSE;
    Retire(index);
    return TRUE;
}

void CKvoEventConnection::DisconnectSink(CKvoEventSink* sink)
{
    CSingleLock lock(GetLock(), TRUE);
    for (int i = static_cast<int>(m_connections.GetSize()) - 1; i >= 0; --i) {
        if (m_connections[i]->sink == sink)
            Retire(i);
    }
}

void CKvoEventConnection::Deliver(Connection* connection, DWORD code, WPARAM wParam, LPARAM lParam, DWORD extra)
{
    CKvoEventSink* sink = nullptr;
    {
        CSingleLock lock(GetLock(), TRUE);
        if (connection->connected)
            sink = connection->sink;
    }
    if (!sink)
        return;
    // One failing sink must not keep the event from the others.
    try {
        sink->OnEvent(code, wParam, lParam, extra);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

BOOL CKvoEventConnection::SendEvent(DWORD code, WPARAM wParam, LPARAM lParam, DWORD extra)
{
    // A sink may release the last other reference to this object.
    InternalAddRef();
    CArray<Connection*, Connection*> snapshot;
    {
        CSingleLock lock(GetLock(), TRUE);
        ++m_deliveryDepth;
        for (INT_PTR i = 0; i < m_connections.GetSize(); ++i) {
            if (m_connections[i]->code == code)
                snapshot.Add(m_connections[i]);
        }
    }
    for (INT_PTR i = 0; i < snapshot.GetSize(); ++i)
        Deliver(snapshot[i], code, wParam, lParam, extra);
    {
        CSingleLock lock(GetLock(), TRUE);
        if (--m_deliveryDepth == 0) {
            for (INT_PTR i = 0; i < m_retired.GetSize(); ++i)
                delete m_retired[i];
            m_retired.RemoveAll();
        }
    }
    const BOOL delivered = snapshot.GetSize() > 0;
    InternalRelease();  // may delete this object: nothing of it is touched after
    return delivered;
}
