#pragma once
#include <afxwin.h>
#include <afxmt.h>
#include <afxtempl.h>

// A receiver of the events of a CKvoEventConnection.
class CKvoEventSink {
public:
    virtual ~CKvoEventSink() = default;
    // Called for every event code the sink is connected for. May connect,
    // disconnect (itself or others) and send; an exception it throws is
    // swallowed by the sender.
    virtual void OnEvent(DWORD code, WPARAM wParam, LPARAM lParam, DWORD extra) = 0;
};

// Delivers an event code with its arguments to every sink connected for that
// code, in connection order. Safe against sinks that disconnect themselves
// or others while an event is delivered: delivery runs from a snapshot of
// the connections, skips every record that has been disconnected meanwhile
// and frees disconnected records only after the outermost delivery. Nested
// sends stack their snapshots above the current one. Reference counted: a
// send keeps the object alive until it returns, even if a sink releases it.
class CKvoEventConnection : public CCmdTarget {
public:
    CKvoEventConnection();
    ~CKvoEventConnection() override;

    // Connects the sink for the code; answers the connection's id (never 0
    // and never reused), 0 for a null sink.
    DWORD Connect(DWORD code, CKvoEventSink* sink);
    // Disconnects one connection; FALSE when the id is not connected.
    BOOL Disconnect(DWORD id);
    // Disconnects every connection of the sink (a sink about to be deleted).
    void DisconnectSink(CKvoEventSink* sink);

    // The index of the first connection with the id, -1 when none.
    int FindConnection(DWORD id);
    // TRUE when at least one connection had the code.
    BOOL SendEvent(DWORD code, WPARAM wParam, LPARAM lParam, DWORD extra);

    int GetConnectionCount();

    // The synchronisation object that guards the connections.
    virtual CSyncObject* GetLock();

private:
    struct Connection {
        DWORD code;
        CKvoEventSink* sink;  // the caller's: never deleted here
        DWORD id;
        bool connected;       // false once disconnected (while a snapshot may still hold it)
    };

    int FindConnectionLocked(DWORD id) const;
    void Retire(int index);
    void Deliver(Connection* connection, DWORD code, WPARAM wParam, LPARAM lParam, DWORD extra);

    CArray<Connection*, Connection*> m_connections;  // owned, in connection order
    // Records disconnected while a delivery runs: a snapshot may still point
    // at them, so they are freed when the outermost delivery ends.
    CArray<Connection*, Connection*> m_retired;
    int m_deliveryDepth;
    DWORD m_lastId;
    CCriticalSection m_lock;
};
