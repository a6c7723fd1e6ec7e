// A small HTTP server on 127.0.0.1 for the internet class tests: it serves
// fixed pages by path from a thread of its own, one request a connection,
// and records the paths asked for.
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

class LoopbackHttpServer
{
public:
    // Silent reads the request and never answers; Endless answers with a
    // body that does not end until the client goes away; Trickle sends the
    // page's body one byte a second.
    enum class Behaviour
    {
        Fixed,
        Silent,
        Endless,
        Trickle
    };
    struct Page
    {
        int nStatus;
        std::string body;
        Behaviour behaviour = Behaviour::Fixed;
    };

    // Listens on an ephemeral port; a path without a page answers 404.
    explicit LoopbackHttpServer(std::map<std::string, Page> pages);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    unsigned short Port() const
    {
        return m_nPort;
    }
    // "http://127.0.0.1:<port>" followed by path.
    std::wstring Url(const char* path) const;
    std::vector<std::string> RequestedPaths() const;

    // A loopback port nothing listens on (bound once, then closed).
    static unsigned short ClosedPort();

private:
    static DWORD WINAPI ServeThread(LPVOID pServer);
    void Serve();
    void Answer(UINT_PTR client);
    void WaitForClientToLeave(UINT_PTR client);
    void StreamEndlessBody(UINT_PTR client);
    void TrickleBody(UINT_PTR client, const std::string& body);

    std::map<std::string, Page> m_pages;
    // The listening socket (a SOCKET; winsock stays out of this header so
    // that the tests including it need not put it before windows.h).
    UINT_PTR m_listener;
    unsigned short m_nPort;
    std::atomic<bool> m_bStopping;
    mutable CRITICAL_SECTION m_lock;
    std::vector<std::string> m_requestedPaths;
    HANDLE m_hThread;
};
